// MP3 music through libmpg123, with lame making the files from a sox tone: a loop lasts exactly as
// long as the decoded file, and the seam has no gap and repeats nothing.
#include <gtest/gtest.h>

#include "AudioTestUtil.h"
#include "MediaTestUtil.h"
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
