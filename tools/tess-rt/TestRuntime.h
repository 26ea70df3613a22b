#pragma once
// The stand-in game runtime: it takes the command lines the editor starts the runtime with (test
// play, battle test) or none (a player's start), loads the project in its folder through the same
// models as the editor, and reports what it found and every file that fails. It plays nothing; it
// checks that the editor wrote a game the runtime can read.

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace tess {

inline constexpr const char* kTestRuntimeLogName = "tess-rt.log";

struct TRuntimeCommand {
  enum class Mode { Play, TestPlay, BattleTest };
  Mode mode = Mode::Play;
  bool showTitle = true;
  bool fullScreen = true;
  // Battle test: the troop, the formation (0 terrain, 1 loose, 2 tight), the special condition
  // (0 none .. 4 pincers) and the terrain (0 unless the formation is 0).
  int32_t troopId = 0;
  int32_t formation = 0;
  int32_t condition = 0;
  int32_t terrainId = 0;
};

// The words after the program's name: none, "TestPlay ShowTitle|HideTitle FullScreen|Window", or
// "BattleTest HideTitle FullScreen|Window TROOP FORMATION CONDITION TERRAIN" (words in any case).
// Nothing, with the reason in *why, for anything else.
std::optional<TRuntimeCommand> ParseRuntimeCommand(const std::vector<std::string>& words, std::string* why = nullptr);

struct TRuntimeReport {
  std::string text;  // lines ending in '\n'
  int problems = 0;
  bool Sound() const { return problems == 0; }
};

// Loads the project in projectFolder as the command asks and describes it: the title, the size of
// the database and map tree, every map, the start positions, and for a battle test the troop, the
// battle settings and the test party. Every file that fails and every reference that points
// nowhere is a problem.
TRuntimeReport InspectProject(const std::string& projectFolder, const TRuntimeCommand& command);

// The whole program: reads the command line, inspects the project in projectFolder, prints the
// report on out and writes it to tess-rt.log in the project. Returns 0 when the project is sound,
// 1 when it has problems, 2 for a command line the editor never makes.
int RunTestRuntime(const std::vector<std::string>& words, const std::string& projectFolder, std::ostream& out,
                   std::ostream& err);

}  // namespace tess
