// MP3 music through libmpg123, with lame making the files from a sox tone: a loop lasts exactly as
// long as the decoded file, and the seam has no gap and repeats nothing.
#include <gtest/gtest.h>

#include "AudioTestUtil.h"
#include "MediaTestUtil.h"
#include "audio/AudioHarmony.h"
#include "audio/MP3Player.h"
#include "media/AudioMixer.h"
#include "media/WaveFile.h"

using namespace tess;
using namespace tess::test;

namespace {

struct TMadeMp3 {
  std::string path;
  TPcmData original;
};

// A tone of frames frames made by sox and encoded by lame; false when either is missing.
bool MakeMp3(const std::string& name, const char* soxOptions, const char* lameOptions, TMadeMp3& made) {
  if (!HaveProgram("sox") || !HaveProgram("lame")) return false;
  const std::string wav = Scratch(name + ".wav");
  made.path = Scratch(name + ".mp3");
  if (Shell(std::string("sox -D -n ") + soxOptions + " '" + wav + "' synth 1.3 sine 440 sine 660 vol 0.5") != 0 ||
      Shell(std::string("lame --quiet ") + lameOptions + " '" + wav + "' '" + made.path + "'") != 0)
    return false;
  made.original = ReadWaveFile(wav);
  return true;
}

// One round of the stream: every frame up to the start of its second round.
std::vector<int16_t> FirstRound(TMp3Stream& stream) {
  std::vector<int16_t> out;
  int16_t block[2 * 256];
  while (stream.Loops() == 0) {
    const size_t n = stream.Read(block, 1);
    if (n == 0) break;
    if (stream.Loops() == 0) out.insert(out.end(), block, block + 2 * n);
  }
  return out;
}

}  // namespace

TEST(Mp3, ARoundLastsAsLongAsTheFileWithoutTheEncodersPadding) {
  struct TCase {
    const char* name;
    const char* sox;
    const char* lame;
  };
  const TCase cases[] = {
      {"stereo44", "-r 44100 -c 2 -b 16", "-b 128"},
      {"mono22", "-r 22050 -c 1 -b 16", "-V 4"},
  };
  for (const TCase& c : cases) {
    TMadeMp3 made;
    if (!MakeMp3(c.name, c.sox, c.lame, made)) GTEST_SKIP() << "sox or lame is not installed";
    TMp3Stream stream(ReadWholeFile(made.path));
    EXPECT_EQ(stream.SampleRate(), made.original.sampleRate) << c.name;
    EXPECT_EQ(stream.Channels(), 2) << c.name;  // mono comes as two equal channels
    const std::vector<int16_t> round = FirstRound(stream);
    EXPECT_EQ(round.size() / 2, made.original.Frames()) << c.name;
    // The second round is the first again.
    TMp3Stream again(ReadWholeFile(made.path));
    std::vector<int16_t> two(round.size() * 2);
    ASSERT_EQ(again.Read(two.data(), two.size() / 2), two.size() / 2);
    EXPECT_TRUE(std::equal(round.begin(), round.end(), two.begin())) << c.name;
    EXPECT_TRUE(std::equal(round.begin(), round.end(), two.begin() + std::ptrdiff_t(round.size()))) << c.name;
    EXPECT_EQ(again.Loops(), 1) << c.name;
  }
}

TEST(Mp3, ThePlayerLoopsWithoutAGapAndKeepsItsLevels) {
  TMadeMp3 made;
  if (!MakeMp3("loop", "-r 44100 -c 2 -b 16", "-b 160", made)) GTEST_SKIP() << "sox or lame is not installed";
  TMp3Stream reference(ReadWholeFile(made.path));
  const std::vector<int16_t> round = FirstRound(reference);
  const size_t frames = round.size() / 2;

  TAudioNotices notices;
  TMP3Player player(44100, &notices);
  EXPECT_EQ(player.Volume(), 100);
  EXPECT_EQ(player.Balance(), 50);
  EXPECT_EQ(player.Tempo(), 100);
  player.Play(made.path);
  std::vector<float> out = RenderFrames(player, 3 * frames + 100);
  // At full level and normal rate the output is the decoded file, round after round, exactly.
  size_t differences = 0;
  for (size_t i = 0; i < 2 * (3 * frames + 100); ++i)
    if (SampleToPcm16(out[i]) != round[i % round.size()]) ++differences;
  EXPECT_EQ(differences, 0u);
  const auto heard = notices.Take();
  ASSERT_EQ(heard.size(), 3u);
  EXPECT_EQ(heard[2], (TAudioNotice{TAudioNoticeKind::SongLoop, TAudioNoticeSource::Mp3, 3}));

  // Levels set after the start stay through the loops; a new file starts at the defaults.
  player.SetVolume(30);
  player.SetBalance(0);
  player.SetTempo(200);
  out = RenderFrames(player, frames);
  EXPECT_EQ(notices.Take().size(), 2u);  // twice as fast: two rounds in one round's time
  EXPECT_EQ(player.Volume(), 30);
  EXPECT_EQ(player.Balance(), 0);
  player.Play(made.path);
  EXPECT_EQ(player.Volume(), 100);
  EXPECT_EQ(player.Tempo(), 100);
}

TEST(Mp3, FilesThatAreNoMp3AreRefused) {
  EXPECT_THROW(TMp3Stream stream(Bytes(3000, 'x')), EMp3Error);
  EXPECT_THROW(TMp3Stream stream{Bytes{}}, EMp3Error);
}

namespace {

void Le16To(Bytes& b, uint32_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
void Le32To(Bytes& b, uint32_t v) {
  Le16To(b, v & 0xFFFF);
  Le16To(b, v >> 16);
}
void TagTo(Bytes& b, const char* tag) {
  for (int i = 0; i < 4; ++i) b.push_back(uint8_t(tag[i]));
}

// An MP3 file's frames in a wave's chunks, format tag MPEG Layer 3, as some games store music
// and sounds.
Bytes MpegWave(const Bytes& mp3, int channels, int rate) {
  Bytes b;
  TagTo(b, "RIFF");
  Le32To(b, uint32_t(4 + 8 + 30 + 8 + mp3.size()));
  TagTo(b, "WAVE");
  TagTo(b, "fmt ");
  Le32To(b, 30);
  Le16To(b, kWaveFormatMpegLayer3);
  Le16To(b, uint16_t(channels));
  Le32To(b, uint32_t(rate));
  Le32To(b, 16000);
  Le16To(b, 1);
  Le16To(b, 0);
  Le16To(b, 12);  // extra bytes: id, flags, block size, frames a block, codec delay
  Le16To(b, 1);
  Le32To(b, 2);
  Le16To(b, 417);
  Le16To(b, 1);
  Le16To(b, 1393);
  TagTo(b, "data");
  Le32To(b, uint32_t(mp3.size()));
  b.insert(b.end(), mp3.begin(), mp3.end());
  return b;
}

}  // namespace

TEST(Mp3, WavesHoldingMp3FramesPlayAsMusicAndAsSounds) {
  TMadeMp3 made;
  if (!MakeMp3("inwave", "-r 22050 -c 1 -b 16", "-b 64", made)) GTEST_SKIP() << "sox or lame is not installed";
  const Bytes wave = MpegWave(ReadWholeFile(made.path), 1, 22050);
  const std::string path = Scratch("inwave.wav");
  WriteBytes(path, wave);

  const auto frames = MpegWaveData(wave.data(), wave.size());
  ASSERT_TRUE(frames);
  EXPECT_EQ(*frames, ReadWholeFile(made.path));
  // Other waves are no MP3s.
  const Bytes pcm = EncodeWaveFile(made.original.samples.data(), made.original.Frames(), 1, 22050);
  EXPECT_FALSE(MpegWaveData(pcm.data(), pcm.size()));

  // As a sound: one round of the file, mono as two equal channels.
  const TPcmData sound = DecodeMp3(*frames);
  EXPECT_EQ(sound.sampleRate, 22050);
  EXPECT_EQ(sound.Frames(), made.original.Frames());
  EXPECT_EQ(sound.samples[2 * 1000], sound.samples[2 * 1000 + 1]);

  TAudioHarmony front(std::make_unique<TOfflineAudioOutput>());
  ASSERT_TRUE(front.OpenWave());
  ASSERT_TRUE(front.PlayMusic(path)) << front.LastError();
  EXPECT_EQ(front.MusicPlayer(), TMusicPlayer::Mp3);
  ASSERT_TRUE(front.StopMusic());
  ASSERT_TRUE(front.PlaySound(path, 100, 100, 50)) << front.LastError();
  std::vector<int16_t> out(2 * 22050);
  front.Mixer().MixPcm16(out.data(), out.size() / 2);
  int peak = 0;
  for (int16_t s : out) peak = std::max(peak, std::abs(int(s)));
  EXPECT_GT(peak, 1000);
}
