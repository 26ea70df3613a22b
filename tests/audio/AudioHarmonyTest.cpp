// The audio front end over an offline output: which player takes a file, the effect buffers, the
// levels that follow a start, the service functions, and MIDI through the synthesizer.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "AudioTestUtil.h"
#include "MediaTestUtil.h"
#include "audio/AudioHarmony.h"
#include "audio/FluidSynthOutput.h"
#include "audio/MP3Player.h"
#include "media/MidiPlayer.h"
#include "media/WaveFile.h"
#include "media/WavePlayer.h"

using namespace tess;
using namespace tess::test;

namespace {

std::string WriteWave(const std::string& name, int frames, int rate = 22050) {
  std::vector<int16_t> samples(static_cast<size_t>(frames));
  for (int i = 0; i < frames; ++i) samples[size_t(i)] = int16_t(8000 * std::sin(i * 0.05));
  const std::string path = Scratch(name);
  WriteBytes(path, EncodeWaveFile(samples.data(), size_t(frames), 1, rate));
  return path;
}

std::string WriteMidi(const std::string& name) {
  TTrackBuilder t;
  t.Raw(0, {0xC0, 0}).NoteOn(0, 0, 60).NoteOff(480, 0, 60).NoteOn(0, 0, 64).NoteOff(480, 0, 64).End();
  const std::string path = Scratch(name);
  WriteBytes(path, MidiFileOf(480, {t}));
  return path;
}

struct FrontEnd : ::testing::Test {
  TAudioHarmony front{std::make_unique<TOfflineAudioOutput>()};
  void SetUp() override { ASSERT_TRUE(front.OpenWave()); }
  std::vector<int16_t> Render(double seconds) {
    std::vector<int16_t> out(2 * size_t(seconds * front.Mixer().SampleRate()));
    front.Mixer().MixPcm16(out.data(), out.size() / 2);
    return out;
  }
  static double Peak(const std::vector<int16_t>& samples) {
    int peak = 0;
    for (int16_t s : samples) peak = std::max(peak, std::abs(int(s)));
    return peak / 32768.0;
  }
  bool HaveMidi() { return front.OpenMidi(); }
};

}  // namespace

TEST_F(FrontEnd, TheContentDecidesThePlayerBeforeTheName) {
  const bool midi = HaveMidi();
  const std::string wave = WriteWave("music.wav", 22050);
  Bytes riffMp3 = ReadWholeFile(wave);
  riffMp3[20] = 0x55;  // an MP3 wrapped in a wave's chunks: format tag 85
  WriteBytes(Scratch("wrapped.mp3"), riffMp3);
  Bytes damaged = ReadWholeFile(WriteMidi("damaged.mid"));
  damaged[23] = 0x45;  // the first event's status becomes a data byte with no running status
  WriteBytes(Scratch("damaged.mid"), damaged);
  WriteBytes(Scratch("short.mid"), {'M', 'T', 'h'});
  WriteBytes(Scratch("text.mp3"), Bytes(2000, 'x'));
  const std::string midiNamedMp3 = WriteMidi("song.mp3");
  const std::string waveNamedMid = WriteWave("wave.mid", 1000);

  struct TCase {
    const char* what;
    std::string file;
    bool needsMidi;
    bool plays;
    TMusicPlayer player;
  };
  const TCase cases[] = {
      {"a MIDI file named .mp3", midiNamedMp3, true, true, TMusicPlayer::Midi},
      {"a wave named .mid", waveNamedMid, false, true, TMusicPlayer::Wave},
      {"an MP3 in RIFF chunks", Scratch("wrapped.mp3"), false, false, TMusicPlayer::None},
      {"a MIDI file with damaged tracks", Scratch("damaged.mid"), true, false, TMusicPlayer::Midi},
      {"a file of three bytes", Scratch("short.mid"), false, false, TMusicPlayer::None},
      {"text named .mp3", Scratch("text.mp3"), false, false, TMusicPlayer::None},
      {"a missing file", Scratch("missing.mid"), false, false, TMusicPlayer::None},
  };
  for (const TCase& c : cases) {
    if (c.needsMidi && !midi) continue;
    // Music plays before each try; a failed start leaves silence.
    ASSERT_TRUE(front.PlayMusic(wave));
    ASSERT_TRUE(front.MusicPlaying());
    EXPECT_EQ(front.PlayMusic(c.file), c.plays) << c.what;
    EXPECT_EQ(front.MusicPlayer(), c.player) << c.what;
    EXPECT_FALSE(front.Wave()->Music().IsPlaying() && c.player != TMusicPlayer::Wave) << c.what;
    if (!c.plays) {
      EXPECT_FALSE(front.LastError().empty()) << c.what;
    }
  }
  EXPECT_NE(front.LastError().find("missing.mid"), std::string::npos);
  if (!midi) GTEST_SKIP() << "no General MIDI SoundFont: the MIDI cases were left out";
}

TEST_F(FrontEnd, LevelsFollowTheStartToEveryMusicPlayer) {
  ASSERT_TRUE(front.PlayMusic(WriteWave("levels.wav", 22050)));
  ASSERT_TRUE(front.SetVolume(40));
  ASSERT_TRUE(front.SetTempo(150));
  ASSERT_TRUE(front.SetBalance(20));
  for (int v = 0; v < 4; ++v) {
    EXPECT_EQ(front.Wave()->Music().Voice(v).volume, 40);
    EXPECT_EQ(front.Wave()->Music().Voice(v).tempo, 150);
    EXPECT_EQ(front.Wave()->Music().Voice(v).balance, 20);
  }
  // The MP3 player, not playing, keeps them.
  EXPECT_EQ(front.Mp3()->Volume(), 40);
  EXPECT_EQ(front.Mp3()->Tempo(), 150);
  EXPECT_EQ(front.Mp3()->Balance(), 20);
  // A fade out forwarded the same way silences the wave music after its time.
  ASSERT_TRUE(front.FadeOut(200));
  Render(0.3);
  EXPECT_EQ(Peak(Render(0.1)), 0.0);
  EXPECT_TRUE(front.StopMusic());
  EXPECT_FALSE(front.MusicPlaying());
}

TEST_F(FrontEnd, AllSixteenBuffersPlayingSendNewSoundsToSuccessiveBuffers) {
  std::vector<std::string> files;
  for (int i = 0; i < 19; ++i) files.push_back(WriteWave("effect" + std::to_string(i) + ".wav", 44100));
  for (int i = 0; i < 16; ++i) ASSERT_TRUE(front.PlaySound(files[size_t(i)], 100, 100, 50)) << i;
  EXPECT_EQ(front.NextEffect(), 15);
  for (int i = 16; i < 19; ++i) {
    ASSERT_TRUE(front.PlaySound(files[size_t(i)], 100, 100, 50));
    const int expected = (i - 16) % 16;
    EXPECT_EQ(front.NextEffect(), expected);
    EXPECT_EQ(front.Wave()->Effect(expected).FileName(), std::filesystem::absolute(files[size_t(i)]).string());
  }
  EXPECT_TRUE(front.SoundPlaying());
  EXPECT_TRUE(front.StopSound());
  EXPECT_FALSE(front.SoundPlaying());
  // A silent buffer is taken first again.
  ASSERT_TRUE(front.PlaySound(files[0], 100, 100, 50));
  EXPECT_EQ(front.NextEffect(), 0);
}

TEST_F(FrontEnd, ASoundPlayedAgainRestartsFromItsBufferWithoutReadingTheFile) {
  const std::string file = WriteWave("again.wav", 44100);
  ASSERT_TRUE(front.PlaySound(file, 100, 100, 50));
  ASSERT_TRUE(front.PlaySound(WriteWave("other.wav", 44100), 100, 100, 50));
  std::filesystem::remove(file);
  ASSERT_TRUE(front.PlaySound(file, 70, 120, 30));
  TWaveBuffer& buffer = front.Wave()->Effect(0);
  EXPECT_EQ(buffer.NextVoice(), 2);
  EXPECT_EQ(buffer.Voice(1).volume, 70);
  EXPECT_EQ(buffer.Voice(1).tempo, 120);
  EXPECT_EQ(buffer.Voice(1).balance, 30);
  // A file that was never loaded must be read: gone, it fails.
  EXPECT_FALSE(front.PlaySound(Scratch("never.wav"), 100, 100, 50));
}

TEST(FrontEndWithoutDevice, EveryPlayerOperationFails) {
  TAudioHarmony front(nullptr);
  EXPECT_FALSE(front.HasOutput());
  EXPECT_FALSE(front.OpenWave());
  EXPECT_FALSE(front.OpenMidi());
  EXPECT_FALSE(front.PlayMusic(WriteWave("nodevice.wav", 100)));
  EXPECT_FALSE(front.PlaySound(Scratch("nodevice.wav"), 100, 100, 50));
  EXPECT_FALSE(front.SetVolume(50));
  EXPECT_FALSE(front.StopSound());
  EXPECT_TRUE(front.StopMusic());
}

TEST(AudioService, StartUpShutDownAndCallsWithoutAFrontEnd) {
  SetAudioOutputFactory([] { return std::make_unique<TOfflineAudioOutput>(); });
  EXPECT_FALSE(AudioShutDown());
  EXPECT_FALSE(AudioOpenWave());
  EXPECT_FALSE(AudioAvailable());
  EXPECT_FALSE(AudioLastError().empty());
  EXPECT_TRUE(AudioStartUp());
  EXPECT_FALSE(AudioStartUp());  // exists already
  EXPECT_TRUE(AudioAvailable());
  EXPECT_TRUE(AudioOpenWave());
  EXPECT_TRUE(AudioPlaySound(WriteWave("service.wav", 2000), 100, 100, 50));
  EXPECT_TRUE(AudioFrontEnd()->SoundPlaying());
  EXPECT_TRUE(AudioStopSound());
  EXPECT_FALSE(AudioPlayMusic(Scratch("nothing.mid")));
  EXPECT_NE(AudioLastError().find("nothing.mid"), std::string::npos);
  EXPECT_TRUE(AudioShutDown());
  EXPECT_EQ(AudioFrontEnd(), nullptr);
  SetAudioOutputFactory([] { return nullptr; });
  EXPECT_TRUE(AudioStartUp());
  EXPECT_FALSE(AudioAvailable());
  EXPECT_FALSE(AudioOpenWave());
  EXPECT_TRUE(AudioShutDown());
  SetAudioOutputFactory(nullptr);
}

namespace {

// The frame of the first sample louder than threshold after at least gap frames of near silence,
// from the frame from on.
int64_t OnsetAfter(const std::vector<int16_t>& stereo, int64_t from, int threshold = 300) {
  for (size_t i = size_t(from); i < stereo.size() / 2; ++i)
    if (std::abs(stereo[2 * i]) > threshold || std::abs(stereo[2 * i + 1]) > threshold) return int64_t(i);
  return -1;
}

}  // namespace

TEST_F(FrontEnd, MidiThroughTheSynthesizerSoundsAndKeepsItsOnsetsWithinAMillisecond) {
  if (!HaveMidi()) GTEST_SKIP() << "no General MIDI SoundFont";
  // A woodblock on channel 0, struck at ticks whose ideal frames fall all over the synthesizer's
  // blocks: onsets 2000 ticks apart at 96 ticks a quarter and 500 ms a quarter, 10.416 s.
  TTrackBuilder t;
  t.Raw(0, {0xC0, 115});
  const int strikes = 4;
  for (int i = 0; i < strikes; ++i) t.NoteOn(i == 0 ? 0 : 2000 - 20, 0, 72, 127).NoteOff(20, 0, 72);
  t.End();
  const std::string path = Scratch("woodblock.mid");
  WriteBytes(path, MidiFileOf(96, {t}));
  ASSERT_TRUE(front.PlayMusic(path));
  const std::vector<int16_t> out = Render(strikes * 10.5);
  EXPECT_GT(Peak(out), 0.05);
  const int rate = front.Mixer().SampleRate();
  const double gap = 2000.0 / 96 * 0.5 * rate;
  int64_t first = OnsetAfter(out, 0);
  ASSERT_GE(first, 0);
  for (int i = 1; i < strikes; ++i) {
    const int64_t onset = OnsetAfter(out, first + int64_t(gap * i) - rate / 100);
    ASSERT_GE(onset, 0) << i;
    EXPECT_NEAR(double(onset - first), gap * i, rate / 1000.0) << i;
  }
}
