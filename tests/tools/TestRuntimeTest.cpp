#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "core/AtomicFile.h"
#include "core/Stream.h"
#include "database/DataBaseObj.h"
#include "project/ProjectCreation.h"
#include "tests/ProjectTemplates.h"
#include "tests/TestFolder.h"
#include "tools/tess-rt/TestRuntime.h"

using namespace tess;

namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

struct TNewProject {
  test::TTestFolder folder;
  std::string project;
  TNewProject() {
    const std::string app = folder.Sub("app");
    test::WriteProjectTemplates(app);
    project = CreateNewProject(folder.Sub("projects"), "Game", "Runtime Test", app);
  }
};

}  // namespace

TEST(TestRuntime, TakesTheCommandLinesTheEditorMakes) {
  using Mode = TRuntimeCommand::Mode;
  const struct {
    std::vector<std::string> words;
    Mode mode;
    bool showTitle, fullScreen;
    int32_t troop, formation, condition, terrain;
  } cases[] = {
      {{}, Mode::Play, true, true, 0, 0, 0, 0},
      {{"TestPlay", "HideTitle", "Window"}, Mode::TestPlay, false, false, 0, 0, 0, 0},
      {{"testplay", "ShowTitle", "FULLSCREEN"}, Mode::TestPlay, true, true, 0, 0, 0, 0},
      {{"BattleTest", "HideTitle", "Window", "3", "0", "0", "2"}, Mode::BattleTest, false, false, 3, 0, 0, 2},
      {{"BattleTest", "HideTitle", "FullScreen", "12", "1", "4", "0"}, Mode::BattleTest, false, true, 12, 1, 4, 0},
  };
  const std::vector<std::string> invalid[] = {
      {"TestPlay", "HideTitle"},
      {"TestPlay", "Hide", "Window"},
      {"TestPlay", "HideTitle", "Windowed"},
      {"Play"},
      {"BattleTest", "HideTitle", "Window", "0", "0", "0", "1"},  // no troop 0
      {"BattleTest", "HideTitle", "Window", "3", "3", "0", "1"},  // formation 0..2
      {"BattleTest", "HideTitle", "Window", "3", "0", "5", "1"},  // condition 0..4
      {"BattleTest", "HideTitle", "Window", "3", "0", "0", "0"},  // terrain battle without terrain
      {"BattleTest", "HideTitle", "Window", "3", "1", "0", "2"},  // formation battle with terrain
      {"BattleTest", "HideTitle", "Window", "3x", "0", "0", "1"},
      {"BattleTest", "HideTitle", "Window", "99999999999", "0", "0", "1"},
  };
  for (const auto& words : invalid) {
    std::string why;
    EXPECT_FALSE(ParseRuntimeCommand(words, &why)) << words[0] << " ... " << words.back();
    EXPECT_FALSE(why.empty());
  }
  for (const auto& c : cases) {
    std::string why;
    const auto command = ParseRuntimeCommand(c.words, &why);
    const std::string line = c.words.empty() ? "(none)" : c.words[0] + " ... " + c.words.back();
    ASSERT_TRUE(command.has_value()) << line << ": " << why;
    EXPECT_EQ(command->mode, c.mode) << line;
    EXPECT_EQ(command->showTitle, c.showTitle) << line;
    EXPECT_EQ(command->fullScreen, c.fullScreen) << line;
    EXPECT_EQ(command->troopId, c.troop) << line;
    EXPECT_EQ(command->formation, c.formation) << line;
    EXPECT_EQ(command->condition, c.condition) << line;
    EXPECT_EQ(command->terrainId, c.terrain) << line;
  }
}

TEST(TestRuntime, ReportsANewProjectSoundAndWritesItsLog) {
  TNewProject p;
  std::ostringstream out, err;
  EXPECT_EQ(RunTestRuntime({"TestPlay", "HideTitle", "Window"}, p.project, out, err), 0) << out.str() << err.str();
  const std::string report = out.str();
  for (const char* part : {"mode: test play, no title screen, window", "title: Runtime Test", "format 2003",
                           "Map0001.lmu \"MAP0001\": 100 x 100", "start of the party: not set", "result: sound"})
    EXPECT_TRUE(Contains(report, part)) << part << "\n" << report;
  const Bytes log = ReadWholeFile(p.project + kTestRuntimeLogName);
  EXPECT_EQ(std::string(log.begin(), log.end()), report);
}

TEST(TestRuntime, NamesEveryFileThatFails) {
  TNewProject p;
  Bytes map = ReadWholeFile(p.project + "Map0001.lmu");
  map.resize(map.size() / 2);
  WriteFileAtomic(p.project + "Map0001.lmu", map);
  std::ostringstream out, err;
  EXPECT_EQ(RunTestRuntime({"TestPlay", "ShowTitle", "FullScreen"}, p.project, out, err), 1);
  EXPECT_TRUE(Contains(out.str(), "problem: Map0001.lmu: ")) << out.str();

  // A battle test against a troop the database lacks, with no test party.
  std::ostringstream battle, battleErr;
  EXPECT_EQ(RunTestRuntime({"BattleTest", "HideTitle", "Window", "9", "0", "0", "1"}, p.project, battle, battleErr), 1);
  EXPECT_TRUE(Contains(battle.str(), "names troop 9, which the database lacks")) << battle.str();
  EXPECT_TRUE(Contains(battle.str(), "the battle test party is empty")) << battle.str();

  std::ostringstream usage, usageErr;
  EXPECT_EQ(RunTestRuntime({"Fly"}, p.project, usage, usageErr), 2);
  EXPECT_TRUE(Contains(usageErr.str(), "unknown mode \"Fly\""));
}
