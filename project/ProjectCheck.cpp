#include "project/ProjectCheck.h"

#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"

namespace tess {

namespace {

std::string Id(int32_t id) { return std::to_string(id); }

}  // namespace

std::vector<TProjectProblem> CheckProject(const std::string& projectFolder, const TProjectVisitor& visitor) {
  std::vector<TProjectProblem> problems;
  auto report = [&](const std::string& file, const std::string& message) { problems.push_back({file, message}); };

  TLcfDataBase db;
  std::string error;
  const bool haveDatabase = db.LoadDatabase(projectFolder, &error, TErrorWording::Plain);
  if (!haveDatabase) report(kDataBaseFileName, error);
  if (haveDatabase && visitor.database) visitor.database(db);

  TLcfMapTree tree;
  tree.projectFolder = projectFolder;
  bool haveTree = false;
  try {
    tree.LoadTree();
    tree.RequireRoot();
    haveTree = true;
  } catch (const EDamagedData& e) {
    report(kMapTreeFileName, e.Detail());
  } catch (const ETessError& e) {
    report(kMapTreeFileName, e.Plain());
  } catch (const std::bad_alloc&) {
    report(kMapTreeFileName, EOutOfMemory().what());
  }

  if (haveTree && visitor.tree) visitor.tree(tree);

  auto isMap = [&](int32_t id) {
    const TLcfMapTreeItem* node = tree.FindById(id);
    return node && node->IsMap();
  };

  if (haveDatabase) {
    for (int i = 0; i < db.heroes.Count(); ++i) {
      const TLcfPlayerItem* hero = db.heroes.ItemAt(i);
      if (hero->classId != 0 && !db.classes.FindById(hero->classId))
        report(kDataBaseFileName,
               "hero " + Id(hero->Id()) + " names class " + Id(hero->classId) + ", which the database lacks");
    }
    for (int i = 0; i < db.system.partySize; ++i) {
      const int32_t hero = db.system.PartyMember(i);
      if (hero != 0 && !db.heroes.FindById(hero))
        report(kDataBaseFileName, "the starting party names hero " + Id(hero) + ", which the database lacks");
    }
    if (haveTree && db.battle.deathTeleport && !isMap(db.battle.deathMapId))
      report(kDataBaseFileName,
             "the defeat teleport names map " + Id(db.battle.deathMapId) + ", which the map tree lacks");
  }

  if (!haveTree) return problems;

  static const char* const kSlots[] = {"the party", "the skiff", "the ship", "the airship"};
  for (int slot = 0; slot < TLcfMapStartPosition::kSlotCount; ++slot) {
    const int32_t mapId = tree.startPositions.MapId(slot);
    if (mapId != 0 && !isMap(mapId))
      report(kMapTreeFileName, std::string("the start position of ") + kSlots[slot] + " names map " + Id(mapId) +
                                   ", which the map tree lacks");
  }

  int mapCount = 0, mapsDone = 0;
  for (int i = 0; i < tree.Count(); ++i) mapCount += tree.ItemAt(i)->IsMap() ? 1 : 0;
  TLcfMap map;
  for (int i = 0; i < tree.Count(); ++i) {
    const TLcfMapTreeItem* node = tree.ItemAt(i);
    if (node->Id() != 0 && !tree.FindById(node->parentId))
      report(kMapTreeFileName,
             "node " + Id(node->Id()) + " hangs under node " + Id(node->parentId) + ", which the map tree lacks");
    if (haveDatabase) {
      for (int e = 0; e < node->encounters.Count(); ++e) {
        const int32_t troop = node->encounters.ItemAt(e)->troopId;
        if (!db.troops.FindById(troop))
          report(kMapTreeFileName,
                 "node " + Id(node->Id()) + " meets troop " + Id(troop) + ", which the database lacks");
      }
    }
    if (!node->IsMap()) continue;
    if (visitor.progress) visitor.progress(mapsDone++, mapCount);
    const std::string file = MapFileName(node->Id());
    try {
      map.LoadFromProject(projectFolder, node->Id());
    } catch (const EDamagedData& e) {
      report(file, e.Detail());
      continue;
    } catch (const ETessError& e) {
      report(file, e.Plain());
      continue;
    } catch (const std::bad_alloc&) {
      report(file, EOutOfMemory().what());
      continue;
    }
    if (visitor.map) visitor.map(file, map);
    if (haveDatabase && !db.tilesets.FindById(map.tilesetId))
      report(file, "the map's tileset " + Id(map.tilesetId) + " is one the database lacks");
    // The editor cannot show or reach such an event, and the game never meets it.
    for (int e = 0; e < map.events.Count(); ++e) {
      const TLcfEventItem& event = *map.events.ItemAt(e);
      if (event.x < 0 || event.y < 0 || event.x >= map.width || event.y >= map.height)
        report(file, "event " + Id(event.Id()) + " stands at (" + Id(event.x) + ", " + Id(event.y) +
                         "), outside the map's " + Id(map.width) + " x " + Id(map.height) + " cells");
    }
  }
  if (visitor.progress) visitor.progress(mapCount, mapCount);
  return problems;
}

std::string ProblemLine(const TProjectProblem& problem) { return problem.file + ": " + problem.message; }

std::string ProblemLines(const std::vector<TProjectProblem>& problems) {
  std::string text;
  for (const TProjectProblem& p : problems) text += ProblemLine(p) + "\n";
  return text;
}

}  // namespace tess
