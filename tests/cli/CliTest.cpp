#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/CliCommands.h"
#include "core/AtomicFile.h"
#include "core/StreamUtils.h"

using namespace tess;

namespace {
struct TRun {
  int status;
  std::string out, err;
};
TRun RunCliWords(std::vector<std::string> words) {
  std::ostringstream out, err;
  int status = cli::RunCli(words, out, err);
  return {status, out.str(), err.str()};
}
}  // namespace

TEST(Cli, HelpVersionAndUnknownCommands) {
  TRun help = RunCliWords({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("chunks FILE"), std::string::npos);
  EXPECT_EQ(RunCliWords({"--version"}).status, 0);
  EXPECT_EQ(RunCliWords({}).status, 2);
  TRun unknown = RunCliWords({"frobnicate"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("frobnicate"), std::string::npos);
}

TEST(Cli, ChunksReportsDamageInOneLine) {
  auto dir = std::filesystem::temp_directory_path() / ("tess-cli-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::string good = (dir / "good.bin").string();
  Bytes data;
  TByteWriter w(data);
  w.WriteString("LcfMapUnit");
  w.WriteBytes("\x01\x01\x14\x00", 4);
  WriteFileAtomic(good, data);
  TRun ok = RunCliWords({"chunks", good});
  EXPECT_EQ(ok.status, 0);
  EXPECT_EQ(ok.out, "magic \"LcfMapUnit\"\nchunk 1 size 1 = 20\n");

  data.pop_back();
  std::string bad = (dir / "bad.bin").string();
  WriteFileAtomic(bad, data);
  TRun broken = RunCliWords({"chunks", bad});
  EXPECT_EQ(broken.status, 1);
  EXPECT_EQ(broken.err, "tessaly-cli: Stream read error.\n");
  EXPECT_EQ(RunCliWords({"chunks", (dir / "missing").string()}).status, 1);
  std::filesystem::remove_all(dir);
}

TEST(Cli, CheckLoadsAWholeProject) {
  auto dir = std::filesystem::temp_directory_path() / ("tess-cli-check-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  TRun missing = RunCliWords({"check", dir.string()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.out.find("TESS_RT.ldb: "), std::string::npos);
  EXPECT_NE(missing.out.find("2 problems"), std::string::npos);
  EXPECT_EQ(RunCliWords({"check"}).status, 2);
  std::filesystem::remove_all(dir);
}
