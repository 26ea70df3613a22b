#pragma once
// What the "Map Properties" dialog edits, without the dialog: a working copy of every value of a
// map and of its map tree item, their ranges, the defaults of a new map, which controls the
// values enable, and how the values go back into the item and the map (with the resize rule).
// Nothing reaches the map or the item until the caller applies the working copy.

#include <cstdint>
#include <string>

#include "maps/DungeonPalette.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"

namespace tess {

inline constexpr int kMapMinWidth = 20;
inline constexpr int kMapMinHeight = 15;
inline constexpr int kMapMaxSize = 500;
inline constexpr int kMaxEncounterSteps = 999;
inline constexpr int kMaxPanoramaSpeed = 8;
inline constexpr int kMinRoomSize = 2;
inline constexpr size_t kMaxMapNameLength = 24;

// "MAP%.4d" and "AREA%.4d": the names proposed for a new map and a new area.
std::string DefaultMapName(int32_t id);
std::string DefaultAreaName(int32_t id);
// "Map Properties - ID:%.4d", and the same for "Area Properties".
std::string MapPropertiesTitle(int32_t id);
std::string AreaPropertiesTitle(int32_t id);

// The largest room the generator's "Room Dimensions" allow on a map of that width or height.
constexpr int MaxRoomSize(int mapSize) { return mapSize / 4 < kMinRoomSize ? kMinRoomSize : mapSize / 4; }

// Which controls the values enable.
struct TMapPropertiesEnabled {
  bool sameAsParent = true;  // the first choice of the music, backdrop and permission groups
  bool panorama = false;     // the picture, its "Set" button and the "Scrolling" group
  bool autoScrollH = false, speedH = false;
  bool autoScrollV = false, speedV = false;
  bool musicChoice = false;
  bool backdropChoice = false;
  bool generator = false;  // the whole generator area
  bool granularity = false;
  bool roomSize = false;
  bool tileSlots[9] = {};  // each tile picker
  bool operator==(const TMapPropertiesEnabled&) const = default;
};

class TMapProperties {
 public:
  // The defaults of a new dialog.
  TMapProperties();
  TMapProperties(const TMapProperties&) = delete;
  TMapProperties& operator=(const TMapProperties&) = delete;

  int32_t mapId = 0;
  bool isNew = false;
  bool parentIsRoot = false;

  // Item values.
  std::string name;
  uint8_t musicType = 0;
  TLcfMusic music;
  uint8_t backdropType = 0;
  std::string backdropName;
  uint8_t teleport = 0, escape = 0, save = 0;
  TLcfEncount encounters;
  int32_t encounterSteps = 25;

  // Map values.
  int32_t tilesetId = 1;
  int32_t width = kMapMinWidth, height = kMapMinHeight;
  uint8_t scrollType = 0;
  uint8_t usePanorama = 0;
  std::string panoramaName;
  uint8_t panoramaScrollH = 0, panoramaAutoH = 0;
  int32_t panoramaSpeedH = 0;
  uint8_t panoramaScrollV = 0, panoramaAutoV = 0;
  int32_t panoramaSpeedV = 0;
  uint8_t useGenerator = 0;
  int32_t generatorStyle = 0;
  int32_t passageSize = 0;
  int32_t roomWidth = 4, roomHeight = 2;
  uint8_t surroundWithWalls = 1, useUpperWall = 1, useFloorB = 1, useFloorC = 1, useObstacleB = 1, useObstacleC = 1;
  int32_t generatorChips[9] = {};
  int32_t generatorChipVariants[9] = {};
  // Kept with the map; no control shows them.
  int32_t generatorValueA = 0;
  int32_t generatorChoice1 = 0, generatorChoice2 = 0, generatorChoice3 = 0;

  // A new map: its id, name, where it goes, and the tileset it starts with (the selected map's).
  void SetUpNew(int32_t id, bool parentRoot, int32_t tileset);
  // Takes the item's and the map's values. What lies outside the ranges (a file made elsewhere,
  // or damaged) is brought into them here, so the dialog shows what OK would store.
  void LoadFromItem(const TLcfMapTreeItem& item);
  void LoadFromMap(const TLcfMap& map);
  // For a map whose parent is the root, "same as the parent" means nothing: those choices become
  // the first real one. Called when the dialog opens.
  void ApplyRootParent();

  // After every change: the room size follows the map size, the speeds and the slot cells stay in
  // range.
  void Normalize();
  TMapPropertiesEnabled Enabled() const;
  int MaxRoomWidth() const { return MaxRoomSize(width); }
  int MaxRoomHeight() const { return MaxRoomSize(height); }
  // The slot's cell of the palette.
  TSlotCell SlotCell(int slot) const { return {generatorChips[slot], generatorChipVariants[slot]}; }
  void SetSlotCell(int slot, TSlotCell cell);

  // The item's values: music kept only when it is "Specify", likewise the backdrop.
  void ApplyToItem(TLcfMapTreeItem& item) const;
  // The map's values: the tileset, the size by the resize rule (tiles stay at their cells, new
  // cells blank), the wrapping with the layers' loop flags, the panorama (its name emptied when
  // unused), the generator with the tile ids of its slots, and whether it is a top-level map.
  void ApplyToMap(TLcfMap& map) const;
};

// After a map shrank: deletes its events outside it and unsets the start positions on it that
// lie outside. Returns how many events went.
int DropOutsideMap(TLcfMap& map, TLcfMapStartPosition& starts);

}  // namespace tess
