// tessaly-cli play: rendering through the front end into a wave file, without a sound device.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "cli/CliCommands.h"
#include "core/AtomicFile.h"
#include "media/WaveFile.h"
#include "tests/TestFolder.h"

using namespace tess;

namespace {

struct TRun {
  int status;
  std::string out, err;
};
TRun Play(std::vector<std::string> words) {
  words.insert(words.begin(), "play");
  std::ostringstream out, err;
  const int status = cli::RunCli(words, out, err);
  return {status, out.str(), err.str()};
}

// Half a second of a 22050 Hz tone, one channel.
std::string WriteTone(const test::TTestFolder& dir) {
  std::vector<int16_t> samples(11025);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = int16_t(12000 * std::sin(double(i) * 0.1));
  const std::string path = dir / "tone.wav";
  WriteFileAtomic(path, EncodeWaveFile(samples.data(), samples.size(), 1, 22050));
  return path;
}

double Peak(const TPcmData& pcm, int channel) {
  int peak = 0;
  for (size_t i = size_t(channel); i < pcm.samples.size(); i += 2) peak = std::max(peak, std::abs(int(pcm.samples[i])));
  return peak / 32768.0;
}

}  // namespace

TEST(CliPlay, RendersSoundsAndMusicAsTheyWouldBeHeard) {
  test::TTestFolder dir;
  const std::string tone = WriteTone(dir), out = dir / "out.wav";
  struct TCase {
    std::vector<std::string> options;
    double seconds;  // of the rendering, within one block of 1024 frames
    double leftPeak, rightPeak;
  };
  const double thirtyDb = std::pow(10.0, -1.5);
  const TCase cases[] = {
      {{"--sound"}, 0.5, 0.366, 0.366},                               // a sound effect to its end
      {{"--sound", "--tempo", "200"}, 0.25, 0.366, 0.366},            // twice as fast
      {{"--sound", "--balance", "0"}, 0.5, 0.366, 0.366 * thirtyDb},  // to the left
      {{"--seconds", "1.5"}, 1.5, 0.366, 0.366},                      // music loops
      {{}, 1.0, 0.366, 0.366},                                        // to its first loop, and the tail
      {{"--volume", "50", "--seconds", "1"}, 1.0, 0.366 * std::pow(10.0, -0.875), 0.366 * std::pow(10.0, -0.875)},
  };
  for (const TCase& c : cases) {
    std::vector<std::string> words = {tone, "--render", out};
    words.insert(words.end(), c.options.begin(), c.options.end());
    const TRun run = Play(words);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("rendered to " + out), std::string::npos) << run.out;
    const TPcmData heard = ReadWaveFile(out);
    EXPECT_EQ(heard.sampleRate, 44100);
    EXPECT_EQ(heard.channels, 2);
    EXPECT_NEAR(double(heard.Frames()) / 44100, c.seconds, 1024.0 / 44100) << run.out;
    EXPECT_NEAR(Peak(heard, 0), c.leftPeak, 0.01) << run.out;
    EXPECT_NEAR(Peak(heard, 1), c.rightPeak, 0.01) << run.out;
  }
}

TEST(CliPlay, BadWordsAndFilesThatDoNotPlay) {
  test::TTestFolder dir;
  const std::string tone = WriteTone(dir);
  for (const std::vector<std::string>& words : {std::vector<std::string>{},
                                                {tone, "--volume", "101"},
                                                {tone, "--tempo", "0"},
                                                {tone, "--seconds", "-1"},
                                                {tone, "--balance"},
                                                {tone, "--loud"},
                                                {tone, tone}})
    EXPECT_EQ(Play(words).status, 2);
  const TRun missing = Play({dir / "missing.wav", "--render", dir / "x.wav"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("missing.wav"), std::string::npos);
  WriteFileAtomic(dir / "bad.wav", std::string("RIFF\x10\0\0\0WAVEfmt ", 16));
  const TRun bad = Play({dir / "bad.wav", "--sound", "--render", dir / "x.wav"});
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.err.find("Invalid wave file"), std::string::npos) << bad.err;
}
