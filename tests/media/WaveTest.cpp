// Wave files, the ADPCM decoder, the voices and the wave player, driven through the player's clock.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "AudioTestUtil.h"
#include "media/AudioMixer.h"
#include "media/AudioVoice.h"
#include "media/MsAdpcm.h"
#include "media/WaveFile.h"
#include "media/WavePlayer.h"

using namespace tess;
using namespace tess::test;

namespace {

void PutLe16(Bytes& b, uint16_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
void PutLe32(Bytes& b, uint32_t v) {
  for (int s = 0; s < 32; s += 8) b.push_back(uint8_t(v >> s));
}
void PutChunk(Bytes& b, const char* id, const Bytes& body, bool pad = false) {
  b.insert(b.end(), id, id + 4);
  PutLe32(b, uint32_t(body.size()));
  b.insert(b.end(), body.begin(), body.end());
  if (pad && body.size() % 2) b.push_back(0);
}
Bytes Fmt(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t align, uint16_t bits) {
  Bytes f;
  PutLe16(f, tag);
  PutLe16(f, channels);
  PutLe32(f, rate);
  PutLe32(f, rate * align);
  PutLe16(f, align);
  PutLe16(f, bits);
  return f;
}
// The seven standard coefficient pairs of MS-ADPCM.
const int16_t kCoefficients[7][2] = {{256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}};
Bytes AdpcmFmt(uint16_t channels, uint16_t align, uint16_t samplesPerBlock, int pairs = 7) {
  Bytes f = Fmt(kWaveFormatMsAdpcm, channels, 22050, align, 4);
  PutLe16(f, uint16_t(4 + 4 * pairs));
  PutLe16(f, samplesPerBlock);
  PutLe16(f, uint16_t(pairs));
  for (int i = 0; i < pairs; ++i) {
    PutLe16(f, uint16_t(kCoefficients[i % 7][0]));
    PutLe16(f, uint16_t(kCoefficients[i % 7][1]));
  }
  return f;
}
Bytes Riff(const std::vector<std::pair<const char*, Bytes>>& chunks, bool pad = false) {
  Bytes body = {'W', 'A', 'V', 'E'};
  for (const auto& [id, data] : chunks) PutChunk(body, id, data, pad);
  Bytes b = {'R', 'I', 'F', 'F'};
  PutLe32(b, uint32_t(body.size()));
  b.insert(b.end(), body.begin(), body.end());
  return b;
}
Bytes Pcm16(std::initializer_list<int16_t> samples) {
  Bytes b;
  for (int16_t s : samples) PutLe16(b, uint16_t(s));
  return b;
}
TPcmData Decode(const Bytes& file) { return DecodeWave(file.data(), file.size()); }

std::shared_ptr<const TPcmData> Tone(int frames, int rate = 44100, int channels = 1) {
  auto pcm = std::make_shared<TPcmData>();
  pcm->channels = channels;
  pcm->sampleRate = rate;
  for (int i = 0; i < frames * channels; ++i) pcm->samples.push_back(int16_t(10000));
  return pcm;
}

}  // namespace

TEST(WaveFile, PcmOfEightAndSixteenBitsMonoAndStereo) {
  const TPcmData mono16 = Decode(Riff({{"fmt ", Fmt(1, 1, 22050, 2, 16)}, {"data", Pcm16({0, -1, 32767})}}));
  EXPECT_EQ(mono16.channels, 1);
  EXPECT_EQ(mono16.sampleRate, 22050);
  EXPECT_EQ(mono16.sourceBytesPerSecond, 44100u);
  EXPECT_EQ(mono16.samples, (std::vector<int16_t>{0, -1, 32767}));
  const TPcmData stereo8 = Decode(Riff({{"fmt ", Fmt(1, 2, 8000, 2, 8)}, {"data", {0x80, 0x00, 0xFF, 0x81, 0x7F}}}));
  EXPECT_EQ(stereo8.Frames(), 2u);  // the cut last frame is dropped
  EXPECT_EQ(stereo8.samples, (std::vector<int16_t>{0, -32768, 32512, 256}));
  // Other chunks before and between are skipped; the "RIFF" size is not trusted.
  Bytes withList =
      Riff({{"LIST", {1, 2, 3, 4}}, {"fmt ", Fmt(1, 1, 11025, 2, 16)}, {"fact", {0, 0, 0, 0}}, {"data", Pcm16({5})}});
  withList[4] = 0xFF;
  EXPECT_EQ(Decode(withList).samples, (std::vector<int16_t>{5}));
}

TEST(WaveFile, DamagedOrUnsupportedFilesAreInvalid) {
  Bytes fmtPastEnd = Riff({{"fmt ", Fmt(1, 1, 22050, 2, 16)}});
  fmtPastEnd[16] = 40;  // the chunk claims more than the file holds
  Bytes dataPastEnd = Riff({{"fmt ", Fmt(1, 1, 22050, 2, 16)}, {"data", Pcm16({1, 2})}});
  dataPastEnd[40] = 200;
  Bytes extensible = Fmt(0xFFFE, 2, 44100, 4, 16);
  extensible.resize(40, 0);
  struct TCase {
    const char* what;
    const char* says;  // in the plain wording
    Bytes file;
  };
  const std::vector<TCase> cases = {
      {"too short", "holds no wave", {'R', 'I', 'F', 'F'}},
      {"not RIFF", "not a RIFF file",
       [] {
         Bytes b = Riff({{"fmt ", Fmt(1, 1, 22050, 2, 16)}, {"data", {}}});
         b[0] = 'X';
         return b;
       }()},
      {"not WAVE", "holds no wave",
       [] {
         Bytes b = Riff({{"fmt ", Fmt(1, 1, 22050, 2, 16)}, {"data", {}}});
         b[8] = 'X';
         return b;
       }()},
      {"format tag 85", "unsupported format tag 0x55", Riff({{"fmt ", Fmt(85, 2, 44100, 1, 0)}, {"data", {1, 2, 3}}})},
      {"IMA ADPCM", "unsupported format tag 0x11 (IMA ADPCM)",
       Riff({{"fmt ", Fmt(0x11, 1, 22050, 256, 4)}, {"data", {}}})},
      {"extensible", "0xfffe (extensible)", Riff({{"fmt ", extensible}, {"data", {}}})},
      {"24-bit", "24-bit PCM", Riff({{"fmt ", Fmt(1, 1, 22050, 3, 24)}, {"data", {1, 2, 3}}})},
      {"no channels", "0 channels", Riff({{"fmt ", Fmt(1, 0, 22050, 2, 16)}, {"data", {}}})},
      {"six channels", "6 channels; a wave plays with 1 or 2",
       Riff({{"fmt ", Fmt(1, 6, 22050, 12, 16)}, {"data", {}}})},
      {"block align 0", "block alignment is 0", Riff({{"fmt ", Fmt(1, 1, 22050, 0, 16)}, {"data", {}}})},
      {"block align not the frame", "block alignment does not fit",
       Riff({{"fmt ", Fmt(1, 2, 22050, 2, 16)}, {"data", {}}})},
      {"rate 0", "sample rate or block alignment is 0", Riff({{"fmt ", Fmt(1, 1, 0, 2, 16)}, {"data", {}}})},
      {"short fmt", "shorter than 16 bytes", Riff({{"fmt ", Bytes(14, 1)}, {"data", {}}})},
      {"fmt past the end", "\"fmt \" chunk reaches past the end", fmtPastEnd},
      {"data past the end", "\"data\" chunk reaches past the end", dataPastEnd},
      {"no data", "has no \"data\" chunk", Riff({{"fmt ", Fmt(1, 1, 22050, 2, 16)}})},
      {"data before fmt only", "has no \"data\" chunk", Riff({{"data", {}}, {"fmt ", Fmt(1, 1, 22050, 2, 16)}})},
      {"ADPCM without coefficients", "ADPCM description is damaged",
       Riff({{"fmt ", AdpcmFmt(1, 256, 500, 0)}, {"data", {}}})},
      {"ADPCM block too small for its samples", "ADPCM description is damaged",
       Riff({{"fmt ", AdpcmFmt(1, 256, 501)}, {"data", {}}})},
      {"ADPCM block shorter than its header", "ADPCM description is damaged",
       Riff({{"fmt ", AdpcmFmt(2, 13, 2)}, {"data", {}}})},
  };
  for (const TCase& c : cases) {
    try {
      Decode(c.file);
      ADD_FAILURE() << c.what;
    } catch (const EInvalidWaveFile& e) {
      EXPECT_STREQ(e.what(), "Invalid wave file");
      EXPECT_NE(e.Plain().find(c.says), std::string::npos) << c.what << ": " << e.Plain();
    }
  }
}

TEST(WaveFile, ChunkSizesAreTakenAsTheyStand) {
  // After an odd-sized chunk and its fill byte the next header is read one byte early.
  const std::vector<std::pair<const char*, Bytes>> chunks = {
      {"LIST", {1, 2, 3}}, {"fmt ", Fmt(1, 1, 22050, 2, 16)}, {"data", Pcm16({7})}};
  EXPECT_THROW(Decode(Riff(chunks, true)), EInvalidWaveFile);
  EXPECT_EQ(Decode(Riff(chunks, false)).samples, (std::vector<int16_t>{7}));
}

TEST(WaveFile, WriterAndReaderAgree) {
  const std::vector<int16_t> samples = {0, -32768, 32767, 12, -12, 1};
  const Bytes file = EncodeWaveFile(samples.data(), 3, 2, 48000);
  ASSERT_EQ(file.size(), 44u + 12);
  const TPcmData back = Decode(file);
  EXPECT_EQ(back.channels, 2);
  EXPECT_EQ(back.sampleRate, 48000);
  EXPECT_EQ(back.samples, samples);
}

TEST(MsAdpcm, ABlockDecodesFromItsHeaderAndCodes) {
  // One mono block: predictor 0 (256, 0), delta 16, sample1 100, sample2 50; codes 1, -1 (0xF),
  // 7, 0.
  Bytes data = {0};
  PutLe16(data, 16);
  PutLe16(data, 100);
  PutLe16(data, 50);
  data.push_back(0x1F);
  data.push_back(0x70);
  const TPcmData pcm = Decode(Riff({{"fmt ", AdpcmFmt(1, 9, 6)}, {"data", data}}));
  // 50 and 100 first; then 100 + 1 × 16; the delta stays 16 (230 × 16 >> 8 = 14, at least 16):
  // 116 - 16; 100 + 7 × 16 = 212, the delta grows to 614 × 16 >> 8 = 38; 212 + 0.
  EXPECT_EQ(pcm.samples, (std::vector<int16_t>{50, 100, 116, 100, 212, 212}));
  // A cut block gives what its codes hold.
  data.pop_back();
  EXPECT_EQ(Decode(Riff({{"fmt ", AdpcmFmt(1, 9, 6)}, {"data", data}})).samples,
            (std::vector<int16_t>{50, 100, 116, 100}));
  // A predictor beyond the table is damage.
  data[0] = 7;
  EXPECT_THROW(Decode(Riff({{"fmt ", AdpcmFmt(1, 9, 6)}, {"data", data}})), EInvalidWaveFile);
}

TEST(MsAdpcm, StereoCodesAlternateAndSamplesClamp) {
  // Two channels: predictors 1 and 0, deltas 16 and 1000, sample1 30000 and 0, sample2 0 and 0.
  Bytes data = {1, 0};
  for (int v : {16, 1000, 30000, 0, 0, 0}) PutLe16(data, uint16_t(int16_t(v)));
  data.push_back(0x77);  // left +7, right +7
  const TPcmData pcm = Decode(Riff({{"fmt ", AdpcmFmt(2, 15, 3)}, {"data", data}}));
  // Left: (30000 × 512 - 0 × 256) >> 8 = 60000 + 112 clamps to 32767; right: 0 + 7000.
  EXPECT_EQ(pcm.samples, (std::vector<int16_t>{0, 0, 30000, 0, 32767, 7000}));
}

TEST(VoiceLaws, AttenuationPanAndFrequency) {
  struct TAtt {
    int volume, level, expected;
  };
  for (const TAtt& c : {TAtt{100, 100, 0}, TAtt{0, 100, -10000}, TAtt{100, 0, -10000}, TAtt{50, 100, -1750},
                        TAtt{100, 50, -1750}, TAtt{1, 1, -3500}, TAtt{10, 10, -3465}, TAtt{150, 100, 0}})
    EXPECT_EQ(AttenuationOf(c.volume, c.level), c.expected) << c.volume << " " << c.level;
  EXPECT_EQ(PanOf(0), -3000);
  EXPECT_EQ(PanOf(50), 0);
  EXPECT_EQ(PanOf(100), 3000);
  EXPECT_EQ(PanOf(-5), -3000);
  EXPECT_EQ(FrequencyOf(50, 44100), 22050);
  EXPECT_EQ(FrequencyOf(10000, 22050), 100000);
  EXPECT_EQ(FrequencyOf(1, 8000), 100);
  EXPECT_EQ(FrequencyOf(0, 44100), 441);  // tempo 0 acts as 1 %
  EXPECT_FLOAT_EQ(GainOfHundredthsDb(0), 1.0f);
  EXPECT_NEAR(GainOfHundredthsDb(-2000), 0.1f, 1e-6);
  EXPECT_EQ(GainOfHundredthsDb(-10000), 0.0f);
}

TEST(WavePlayer, FivePlaysOfOneEffectUseFourVoicesInTurn) {
  TWavePlayer player(44100);
  player.SetEffectCount(1);
  TWaveBuffer& effect = player.Effect(0);
  effect.Assign(Tone(44100), "hit.wav");
  std::vector<int> used;
  for (int i = 0; i < 5; ++i) {
    used.push_back(effect.NextVoice());
    effect.Play(80, 100, false, 50);
    RenderFrames(player, 100);
  }
  EXPECT_EQ(used, (std::vector<int>{0, 1, 2, 3, 0}));
  for (int v = 0; v < 4; ++v) EXPECT_TRUE(effect.Voice(v).Playing()) << v;
  // The fifth play restarted voice 0: it ends 100 frames after the others.
  RenderFrames(player, 44100 - 150);
  EXPECT_FALSE(effect.Voice(1).Playing());
  EXPECT_TRUE(effect.Voice(0).Playing());
  RenderFrames(player, 100);
  EXPECT_FALSE(effect.IsPlaying());
}

TEST(WavePlayer, EffectCountGrowsAndShrinks) {
  TWavePlayer player(44100);
  player.SetEffectCount(16);
  EXPECT_EQ(player.EffectCount(), 16);
  player.SetEffectCount(3);
  EXPECT_EQ(player.EffectCount(), 3);
  player.SetEffectCount(-2);
  EXPECT_EQ(player.EffectCount(), 0);
}

TEST(WavePlayer, AFadeOutHalfwayThroughAFadeInStartsFromFullLevel) {
  TWavePlayer player(44100);
  TWaveBuffer& music = player.Music();
  music.Assign(Tone(4410), "song.wav");
  music.Play(100, 100, true, 50);
  music.FadeIn(1000);
  music.FadeIn(200);  // ignored: already fading in
  RenderFrames(player, 22050);
  RenderFrames(player, 1);  // the level follows the clock at the next block
  EXPECT_EQ(music.Voice(0).fade.level, 50);
  music.FadeOut(1000);
  EXPECT_EQ(music.Voice(0).fade.level, 100);
  RenderFrames(player, 11025);
  RenderFrames(player, 1);
  EXPECT_EQ(music.Voice(0).fade.level, 75);
  RenderFrames(player, 44100);
  EXPECT_EQ(music.Voice(0).fade.level, 0);
  EXPECT_FALSE(music.Voice(0).fade.fadingOut);
  EXPECT_TRUE(music.IsPlaying());  // silent, still looping
}

TEST(WavePlayer, TempoSetsTheFrequencyWithinItsLimits) {
  TWavePlayer player(44100);
  player.SetEffectCount(1);
  player.Effect(0).Assign(Tone(100, 44100), "a.wav");
  player.Effect(0).SetTempo(-1, 50);
  EXPECT_EQ(player.Effect(0).Frequency(0), 22050);
  player.Music().Assign(Tone(100, 22050), "b.wav");
  player.Music().SetTempo(-1, 10000);
  EXPECT_EQ(player.Music().Frequency(3), 100000);
  // At tempo 200 a wave at the output's rate plays in half its length.
  player.Effect(0).Play(100, 200, false, 50);
  RenderFrames(player, 49);
  EXPECT_TRUE(player.Effect(0).IsPlaying());
  RenderFrames(player, 2);
  EXPECT_FALSE(player.Effect(0).IsPlaying());
}

TEST(WavePlayer, VolumeAndBalanceFollowTheLaws) {
  struct TCase {
    int volume, balance;
    float left, right;  // of a full-scale constant input
  };
  const float thirtyDb = GainOfHundredthsDb(-3000);
  const TCase cases[] = {
      {100, 50, 1, 1},         {100, 0, 1, thirtyDb},
      {100, 100, thirtyDb, 1}, {50, 50, GainOfHundredthsDb(-1750), GainOfHundredthsDb(-1750)},
      {0, 50, 0, 0},
  };
  for (const TCase& c : cases) {
    TWavePlayer player(22050);
    auto pcm = std::make_shared<TPcmData>();
    pcm->sampleRate = 22050;
    pcm->samples.assign(2000, 16384);
    player.Music().Assign(pcm, "c.wav");
    player.Music().Play(c.volume, 100, true, c.balance);
    const std::vector<float> out = RenderFrames(player, 1000);
    EXPECT_NEAR(out[1000], 0.5f * c.left, 1e-4) << c.volume << " " << c.balance;
    EXPECT_NEAR(out[1001], 0.5f * c.right, 1e-4) << c.volume << " " << c.balance;
  }
}

TEST(WavePlayer, MusicLoopsSeamlesslyAndTellsTheQueue) {
  TAudioNotices notices;
  TWavePlayer player(8000, &notices);
  auto pcm = std::make_shared<TPcmData>();
  pcm->sampleRate = 8000;
  for (int i = 0; i < 100; ++i) pcm->samples.push_back(int16_t(i * 300));
  player.Music().Assign(pcm, "ramp.wav");
  player.Music().Play(100, 100, true, 50);
  const std::vector<float> out = RenderFrames(player, 250, 64);
  for (int i = 0; i < 250; ++i) EXPECT_NEAR(out[2 * i], (i % 100) * 300 / 32768.0f, 1e-6) << i;
  const auto got = notices.Take();
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got[0].kind, TAudioNoticeKind::SongLoop);
  EXPECT_EQ(got[0].source, TAudioNoticeSource::Wave);
}

TEST(AudioMixer, SumsSourcesClipsAndCounts) {
  TAudioMixer mixer(22050);
  TWavePlayer a(22050), b(22050);
  for (TWavePlayer* p : {&a, &b}) {
    auto pcm = std::make_shared<TPcmData>();
    pcm->sampleRate = 22050;
    pcm->samples.assign(5000, 24000);
    p->Music().Assign(pcm, "x.wav");
    p->Music().Play(100, 100, false, 50);
  }
  {
    std::lock_guard lock(mixer.Mutex());
    mixer.Attach(&a);
    mixer.Attach(&b);
    mixer.Attach(&b);  // once only
  }
  std::vector<int16_t> out(2 * 3000);
  mixer.MixPcm16(out.data(), 3000);
  EXPECT_EQ(out[0], 32767);  // two times 24000 clips
  EXPECT_EQ(mixer.FramesMixed(), 3000);
  {
    std::lock_guard lock(mixer.Mutex());
    mixer.Detach(&a);
  }
  mixer.MixPcm16(out.data(), 10);
  EXPECT_EQ(out[0], SampleToPcm16(24000 / 32768.0f));
}
