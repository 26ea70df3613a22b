#include "tools/tess-rt/TestRuntime.h"

#include <charconv>
#include <map>
#include <ostream>

#include "core/AtomicFile.h"
#include "core/Errors.h"
#include "core/NameEncoding.h"
#include "core/PathUtils.h"
#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "platform/CodePageGuess.h"
#include "platform/RuntimePackage.h"
#include "platform/Settings.h"
#include "platform/TextCodec.h"
#include "project/ProjectCheck.h"
#include "project/ProjectNames.h"
#include "project/StoredNames.h"

namespace tess {

namespace {

const char* const kFormations[] = {"terrain", "loose formation", "tight formation"};
const char* const kConditions[] = {"no special condition", "initiative", "back attack", "surround attack",
                                   "pincers attack"};
const char* const kSlots[] = {"party", "skiff", "ship", "airship"};

// A whole decimal number within [low, high].
std::optional<int32_t> Number(const std::string& word, int32_t low, int32_t high) {
  int32_t value = 0;
  const char* end = word.data() + word.size();
  auto [p, ec] = std::from_chars(word.data(), end, value);
  if (ec != std::errc() || p != end || word.empty() || value < low || value > high) return std::nullopt;
  return value;
}

// Stored names are bytes in the game's code page; the report is UTF-8.
std::string Shown(const std::string& bytes) { return ShownName(bytes); }

std::string NameOf(const TCatalogItem* item) { return item ? "\"" + Shown(item->name) + "\"" : "(missing)"; }

}  // namespace

std::optional<TRuntimeCommand> ParseRuntimeCommand(const std::vector<std::string>& words, std::string* why) {
  auto fail = [&](const std::string& reason) -> std::optional<TRuntimeCommand> {
    if (why) *why = reason;
    return std::nullopt;
  };
  TRuntimeCommand command;
  if (words.empty()) return command;

  const bool battle = EqualsNoCase(words[0], "BattleTest");
  if (!battle && !EqualsNoCase(words[0], "TestPlay")) return fail("unknown mode \"" + words[0] + "\"");
  const size_t expected = battle ? 7 : 3;
  if (words.size() != expected)
    return fail(words[0] + " takes " + std::to_string(expected - 1) + " words, not " +
                std::to_string(words.size() - 1));
  command.mode = battle ? TRuntimeCommand::Mode::BattleTest : TRuntimeCommand::Mode::TestPlay;

  if (EqualsNoCase(words[1], "ShowTitle"))
    command.showTitle = true;
  else if (EqualsNoCase(words[1], "HideTitle"))
    command.showTitle = false;
  else
    return fail("\"" + words[1] + "\" is neither ShowTitle nor HideTitle");
  if (EqualsNoCase(words[2], "FullScreen"))
    command.fullScreen = true;
  else if (EqualsNoCase(words[2], "Window"))
    command.fullScreen = false;
  else
    return fail("\"" + words[2] + "\" is neither FullScreen nor Window");
  if (!battle) return command;

  const auto troop = Number(words[3], 1, INT32_MAX);
  const auto formation = Number(words[4], 0, 2);
  const auto condition = Number(words[5], 0, 4);
  const auto terrain = Number(words[6], 0, INT32_MAX);
  if (!troop) return fail("the troop \"" + words[3] + "\" is not a troop id");
  if (!formation) return fail("the formation \"" + words[4] + "\" is not 0, 1 or 2");
  if (!condition) return fail("the condition \"" + words[5] + "\" is not 0 to 4");
  if (!terrain) return fail("the terrain \"" + words[6] + "\" is not a terrain id");
  if (*formation == 0 && *terrain == 0) return fail("a battle on terrain needs a terrain id");
  if (*formation != 0 && *terrain != 0) return fail("a battle in formation takes terrain 0");
  command.troopId = *troop;
  command.formation = *formation;
  command.condition = *condition;
  command.terrainId = *terrain;
  return command;
}

TRuntimeReport InspectProject(const std::string& projectFolder, const TRuntimeCommand& command) {
  const std::string folder = WithTrailingBackslash(projectFolder);
  TRuntimeReport report;
  std::string& out = report.text;
  auto problem = [&](const std::string& file, const std::string& message) {
    out += "problem: " + file + ": " + message + "\n";
    ++report.problems;
  };

  out += "project: " + folder + "\n";
  switch (command.mode) {
    case TRuntimeCommand::Mode::Play:
      out += "mode: play\n";
      break;
    case TRuntimeCommand::Mode::TestPlay:
      out += "mode: test play";
      break;
    case TRuntimeCommand::Mode::BattleTest:
      out += "mode: battle test";
      break;
  }
  if (command.mode != TRuntimeCommand::Mode::Play)
    out += std::string(command.showTitle ? ", title screen" : ", no title screen") +
           (command.fullScreen ? ", full screen\n" : ", window\n");

  // What loads is described here; what fails is reported below by the project check, which loads
  // the same files through the same models.
  TLcfDataBase database;
  const bool haveDatabase = database.LoadDatabase(folder);
  TLcfMapTree tree;
  tree.projectFolder = folder;
  bool haveTree = false;
  try {
    tree.LoadTree();
    haveTree = tree.HasRoot();
  } catch (const std::exception&) {
  }

  // Names are read and materials found in the project's code page: the one the editor keeps for
  // the folder, else the best reading of its names.
  std::string codePage = TSettings().ProjectCodePage(folder);
  if (codePage.empty()) codePage = GuessCodePage(CollectStoredNames(database, tree)).name;
  TextCodec::SetCurrent(codePage);
  out += "code page: " + CodePageCaption(TextCodec::Current().Name()) + "\n";

  try {
    out += "title: " + Shown(ReadGameTitle(folder)) + "\n";
  } catch (const ETessError& e) {
    problem("TESS_RT.ini", e.what());
  }
  if (haveDatabase) out += "database: " + DescribeDatabase(database) + "\n";
  // The check below loads every map once; what each holds is described as it goes by.
  std::map<std::string, std::string> described;
  TProjectVisitor visitor;
  visitor.map = [&](const std::string& file, const TLcfMap& map) { described[file] = DescribeMap(map); };
  const std::vector<TProjectProblem> problems = CheckProject(folder, visitor);

  if (haveTree) {
    out += "map tree: " + DescribeMapTree(tree) + "\n";
    for (int32_t id : tree.order) {
      const TLcfMapTreeItem* node = tree.FindById(id);
      if (!node || !node->IsMap()) continue;
      const auto d = described.find(MapFileName(id));
      if (d != described.end()) out += MapFileName(id) + " " + NameOf(node) + ": " + d->second + "\n";
    }
    for (int slot = 0; slot < TLcfMapStartPosition::kSlotCount; ++slot) {
      const int32_t mapId = tree.startPositions.MapId(slot);
      if (mapId == 0) {
        if (slot == TLcfMapStartPosition::kParty) out += "start of the party: not set\n";
        continue;
      }
      out += std::string("start of the ") + kSlots[slot] + ": map " + std::to_string(mapId) + " " +
             NameOf(tree.FindById(mapId)) + " at (" + std::to_string(tree.startPositions.X(slot)) + "," +
             std::to_string(tree.startPositions.Y(slot)) + ")\n";
    }
  }

  if (command.mode == TRuntimeCommand::Mode::BattleTest && haveDatabase) {
    const TLcfMonGroupItem* troop = database.troops.FindById(command.troopId);
    out += "troop: " + std::to_string(command.troopId) + " " + NameOf(troop) + "\n";
    if (!troop)
      problem(kDataBaseFileName,
              "the battle test names troop " + std::to_string(command.troopId) + ", which the database lacks");
    out += std::string("battle: ") + kFormations[command.formation] + ", " + kConditions[command.condition];
    if (command.formation == 0) {
      const TLcfGroundItem* terrain = database.terrain.FindById(command.terrainId);
      out += ", terrain " + std::to_string(command.terrainId) + " " + NameOf(terrain);
      if (!terrain)
        problem(kDataBaseFileName,
                "the battle test names terrain " + std::to_string(command.terrainId) + ", which the database lacks");
    }
    out += "\n";
    const TLcfTestPlayer& party = database.system.testParty;
    if (party.Count() == 0) problem(kDataBaseFileName, "the battle test party is empty");
    for (int i = 0; i < party.Count(); ++i) {
      const TLcfTestPlayerItem* member = party.ItemAt(i);
      const TLcfPlayerItem* hero = database.heroes.FindById(member->heroId);
      out += "member " + std::to_string(i + 1) + ": hero " + std::to_string(member->heroId) + " " + NameOf(hero) +
             " at level " + std::to_string(member->level) + "\n";
      if (!hero)
        problem(kDataBaseFileName,
                "the battle test party names hero " + std::to_string(member->heroId) + ", which the database lacks");
    }
  }

  for (const TProjectProblem& p : problems) problem(p.file, p.message);
  out += report.problems == 0
             ? std::string("result: sound\n")
             : "result: " + std::to_string(report.problems) + (report.problems == 1 ? " problem\n" : " problems\n");
  return report;
}

int RunTestRuntime(const std::vector<std::string>& words, const std::string& projectFolder, std::ostream& out,
                   std::ostream& err) {
  std::string text = "Tessaly test runtime\ncommand line:";
  for (const std::string& word : words) text += " " + word;
  text += "\n";

  std::string why;
  const auto command = ParseRuntimeCommand(words, &why);
  int status;
  if (!command) {
    text +=
        "usage: tess-rt [TestPlay ShowTitle|HideTitle FullScreen|Window]\n"
        "       tess-rt BattleTest HideTitle FullScreen|Window TROOP FORMATION CONDITION TERRAIN\n"
        "error: " +
        why + "\n";
    status = 2;
  } else {
    const TRuntimeReport report = InspectProject(projectFolder, *command);
    text += report.text;
    status = report.Sound() ? 0 : 1;
  }
  (status == 2 ? err : out) << text;

  const std::string log = PathInFolder(WithTrailingBackslash(projectFolder), kTestRuntimeLogName);
  std::string message;
  if (!TryWriteFileAtomic(log, Bytes(text.begin(), text.end()), &message))
    err << "tess-rt: the report could not be written: " << message << "\n";
  return status;
}

}  // namespace tess
