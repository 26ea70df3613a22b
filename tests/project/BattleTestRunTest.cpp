// "Start Test" on every path: the project's database file afterwards is exactly the one before the
// test (or still absent), the audio is given back whenever it was given up, and the work folder is
// gone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "TestFolder.h"
#include "database/BattleTestSetup.h"
#include "database/DataBaseObj.h"
#include "project/BattleTestRun.h"

using namespace tess;
namespace fs = std::filesystem;

namespace {

enum class TRuntime { Ends, Crashes, Throws, CannotStart };

struct TFakePorts final : TBattleTestPorts {
  std::string project;
  bool saves = true;
  TRuntime runtime = TRuntime::Ends;
  int released = 0, restored = 0, runs = 0;
  std::vector<std::string> errors, words;
  std::string seenByRuntime;

  void ReleaseAudio() override { ++released; }
  void RestoreAudio() override { ++restored; }
  bool SaveDatabase() override {
    if (!saves) return false;
    std::ofstream(project + kDataBaseFileName, std::ios::binary) << "saved for the test";
    return true;
  }
  bool RunRuntime(const std::vector<std::string>& w, std::string* why) override {
    if (runtime == TRuntime::CannotStart) {
      *why = "The game runtime is an empty file.";
      return false;
    }
    ++runs;
    words = w;
    std::ifstream in(project + kDataBaseFileName, std::ios::binary);
    seenByRuntime.assign(std::istreambuf_iterator<char>(in), {});
    if (runtime == TRuntime::Throws) throw std::runtime_error("the wait window failed");
    // A crash or a kill ends the process like any other end: the editor reads no exit status.
    return true;
  }
  void ShowError(const std::string& m) override { errors.push_back(m); }
};

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(BattleTestRun, TheDatabaseFileComesBackOnEveryPath) {
  struct Case {
    bool fileExists;
    bool saves;
    TRuntime runtime;
    TBattleTestEnd end;
    int runs;
    size_t errors;
  };
  const Case cases[] = {
      {true, true, TRuntime::Ends, TBattleTestEnd::Ran, 1, 0},
      {true, true, TRuntime::Crashes, TBattleTestEnd::Ran, 1, 0},
      {true, true, TRuntime::CannotStart, TBattleTestEnd::NotStarted, 0, 1},
      {true, false, TRuntime::Ends, TBattleTestEnd::SaveFailed, 0, 0},
      {false, true, TRuntime::Ends, TBattleTestEnd::Ran, 1, 0},
      {false, true, TRuntime::CannotStart, TBattleTestEnd::NotStarted, 0, 1},
      {true, true, TRuntime::Throws, TBattleTestEnd::Ran, 1, 0},
      {false, true, TRuntime::Throws, TBattleTestEnd::Ran, 1, 0},
  };
  for (const Case& c : cases) {
    test::TTestFolder project, scratch;
    const std::string file = project / kDataBaseFileName;
    if (c.fileExists) std::ofstream(file, std::ios::binary) << std::string("before\0the test", 15);
    TLcfDataBase db;
    db.ResetDatabase();
    db.heroes.SetCount(2);
    db.terrain.SetCount(1);
    TBattleTestSetup setup(db, 3);
    setup.SetCount(2);
    TFakePorts ports;
    ports.project = project.Path();
    ports.saves = c.saves;
    ports.runtime = c.runtime;
    if (c.runtime == TRuntime::Throws) {
      EXPECT_THROW(RunBattleTest(db, setup, false, project.Path(), scratch.Path(), ports), std::runtime_error);
    } else {
      EXPECT_EQ(RunBattleTest(db, setup, false, project.Path(), scratch.Path(), ports), c.end);
    }
    EXPECT_EQ(ports.runs, c.runs);
    EXPECT_EQ(ports.errors.size(), c.errors);
    if (c.errors) {
      EXPECT_EQ(ports.errors[0], std::string(kRuntimeNotStartedMessage) + "\n\nThe game runtime is an empty file.");
    }
    EXPECT_EQ(ports.released, 1);
    EXPECT_EQ(ports.restored, 1);
    if (c.runs) {
      EXPECT_EQ(ports.seenByRuntime, "saved for the test");
    }
    if (c.fileExists)
      EXPECT_EQ(Read(file), std::string("before\0the test", 15));
    else
      EXPECT_FALSE(fs::exists(file));
    EXPECT_FALSE(fs::exists(scratch / "BattleTest"));
    // The settings went into the system record whatever happened afterwards.
    EXPECT_EQ(db.system.testParty.Count(), 2);
  }
}

TEST(BattleTestRun, AFailedBackupStopsBeforeAnythingElse) {
  test::TTestFolder project, scratch;
  std::ofstream(project / kDataBaseFileName) << "before";
  // The work folder cannot be made: a file stands where its parent should be.
  std::ofstream(scratch / "blocked") << "x";
  TLcfDataBase db;
  db.ResetDatabase();
  TBattleTestSetup setup(db, 1);
  TFakePorts ports;
  ports.project = project.Path();
  EXPECT_EQ(RunBattleTest(db, setup, true, project.Path(), scratch / "blocked/", ports), TBattleTestEnd::BackupFailed);
  ASSERT_EQ(ports.errors.size(), 1u);
  EXPECT_EQ(ports.errors[0], kBackupFailedMessage);
  EXPECT_EQ(ports.released, 0);
  EXPECT_EQ(ports.restored, 0);
  EXPECT_EQ(Read(project / kDataBaseFileName), "before");
}
