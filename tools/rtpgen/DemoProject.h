#pragma once
// The demo project: a small game made through the same models the editor uses, on the runtime
// package's materials. A village with an inn, river fields with a wood and a cave, a dungeon
// below; heroes, classes, skills, items, monsters and troops; events that talk, trade, fight,
// open chests and lead from map to map.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"

namespace tess::rtp {

inline constexpr const char* kDemoTitle = "Tessaly Demo";

// The nodes of the demo's map tree.
enum TDemoNode : int32_t {
  kDemoVillage = 1,  // 40 x 30, Field tileset
  kDemoInn = 2,      // 20 x 15 interior under the village
  kDemoField = 3,    // 60 x 45, Field tileset
  kDemoDungeon = 4,  // 30 x 30, Dungeon tileset, under the field
  kDemoWoods = 5,    // an area of the field with its own encounters
};

// Switches the demo's events use.
enum TDemoSwitch : int32_t {
  kSwitchElderTalked = 1,
  kSwitchCaveChest = 2,
  kSwitchGuardDefeated = 3,
  kSwitchWoodsChest = 4,
};

// The database every new project starts from (the editor's template TESS_RT.ldb.dat): the reset
// state with the package's two tilesets and their passability, terrain, one hero of one class with
// sprite, face and battler, the party of that hero, the system's pictures, music and sounds, and
// the game's texts.
void FillStarterDatabase(TLcfDataBase& db);

// Fills a database (as project creation leaves it) with the demo's entries: every list the game
// uses, the system settings and the vocabulary.
void FillDemoDatabase(TLcfDataBase& db);

// The four maps, painted and with their events; each map's id is its tree node.
std::vector<std::unique_ptr<TLcfMap>> BuildDemoMaps();

// Lays the demo's nodes into a tree that holds the root (and whatever creation added): names,
// nesting, music, battle backgrounds, encounters, the area and the party's start.
void FillDemoMapTree(TLcfMapTree& tree);

// Creates the project in folder as the editor's new-project command does, taking the templates
// from applicationFolder, then fills it. A folder that exists must be empty or hold a demo
// written here before (it is replaced); anything else is refused with EFileError.
void WriteDemoProject(const std::string& folder, const std::string& applicationFolder);

}  // namespace tess::rtp
