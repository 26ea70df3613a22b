#pragma once
// The random dungeon generator: fills a map's two layers with a freshly generated dungeon. It
// carves floor out of a ceiling-filled lower layer by one of four guidelines, connects every event
// and start position on the map to one floor region, raises walls above the floors, varies the
// floor and, for the open room, scatters 2 x 2 obstacles on the upper layer. Every lower tile is
// placed through the layer fix-up, so water and autotile shapes come out right. Events are not
// moved.
//
// The same seed with the same map and settings gives the same dungeon on every machine.

#include <array>
#include <cstdint>
#include <optional>

#include "maps/AutotileFixup.h"
#include "maps/CellRect.h"

namespace tess {

class TLcfMap;
class TLcfMapStartPosition;

enum TDungeonGuideline : int {
  kSingleWindingPassage = 0,
  kRoomsLinkedWithPassages = 1,
  kMazeLikePassages = 2,
  kOpenRoomWithObstacles = 3,
};

// The generator's inputs besides the map's size and events.
struct TDungeonSettings {
  int guideline = kSingleWindingPassage;
  int granularity = 0;  // 0 passages of 1 x 1 cells, 1 of 2 x 2
  int roomWidth = 4;
  int roomHeight = 2;
  bool surround = true;
  bool upperWall = true;
  bool floorB = true;
  bool floorC = true;
  bool obstacleB = true;
  bool obstacleC = true;
  // The tile ids of the slots as the map stores them: ceiling, lower wall, upper wall, floors A to
  // C, then four upper ids for each of obstacles A to C.
  uint16_t tiles[18] = {};
  // The start positions on this map, by slot: party, skiff, ship, airship.
  std::array<std::optional<TCellPoint>, 4> starts;
  TAutotileLinks links;
};

// The settings a map stores, with the start positions that lie on it (by its id) and the autotile
// links of its tileset.
TDungeonSettings DungeonSettingsOf(const TLcfMap& map, const TLcfMapStartPosition& starts, const TAutotileLinks& links);

// How many points the passages connect on a map of this size with this many events.
int DungeonPointCount(int width, int height, int events);

// Replaces both layers of the map with a dungeon; false, and nothing changes, for a map smaller
// than 4 x 4 cells. The map's own generator switch is the caller's to check.
bool GenerateDungeon(TLcfMap& map, const TDungeonSettings& settings, uint32_t seed);

}  // namespace tess
