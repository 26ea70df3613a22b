#include "maps/MapProperties.h"

#include <algorithm>
#include <cstdio>

#include "maps/DungeonPalette.h"

namespace tess {

namespace {

std::string Formatted(const char* format, int32_t id) {
  char text[64];
  std::snprintf(text, sizeof text, format, static_cast<int>(id));
  return text;
}

uint8_t Choice(uint8_t value, uint8_t last) { return value > last ? 0 : value; }
uint8_t Switch(uint8_t value) { return value ? 1 : 0; }

}  // namespace

std::string DefaultMapName(int32_t id) { return Formatted("MAP%.4d", id); }
std::string DefaultAreaName(int32_t id) { return Formatted("AREA%.4d", id); }
std::string MapPropertiesTitle(int32_t id) { return Formatted("Map Properties - ID:%.4d", id); }
std::string AreaPropertiesTitle(int32_t id) { return Formatted("Area Properties - ID:%.4d", id); }

TMapProperties::TMapProperties() { music.Reset(); }

void TMapProperties::SetUpNew(int32_t id, bool parentRoot, int32_t tileset) {
  mapId = id;
  isNew = true;
  parentIsRoot = parentRoot;
  name = DefaultMapName(id);
  tilesetId = tileset > 0 ? tileset : 1;
}

void TMapProperties::LoadFromItem(const TLcfMapTreeItem& item) {
  mapId = item.Id();
  name = item.name;
  musicType = Choice(item.musicType, 2);
  music.Assign(item.music);
  backdropType = Choice(item.backdropType, 2);
  backdropName = item.backdropName;
  teleport = Choice(item.teleport, 2);
  escape = Choice(item.escape, 2);
  save = Choice(item.save, 2);
  encounters.Assign(item.encounters);
  encounterSteps = std::clamp<int32_t>(item.encounterSteps, 0, kMaxEncounterSteps);
}

void TMapProperties::LoadFromMap(const TLcfMap& map) {
  tilesetId = map.tilesetId;
  width = std::clamp<int32_t>(map.width, kMapMinWidth, kMapMaxSize);
  height = std::clamp<int32_t>(map.height, kMapMinHeight, kMapMaxSize);
  scrollType = Choice(map.scrollType, 3);
  usePanorama = Switch(map.usePanorama);
  panoramaName = map.panoramaName;
  panoramaScrollH = Switch(map.panoramaScrollH);
  panoramaAutoH = Switch(map.panoramaAutoH);
  panoramaSpeedH = map.panoramaSpeedH;
  panoramaScrollV = Switch(map.panoramaScrollV);
  panoramaAutoV = Switch(map.panoramaAutoV);
  panoramaSpeedV = map.panoramaSpeedV;
  useGenerator = Switch(map.useGenerator);
  generatorStyle = std::clamp<int32_t>(map.generatorStyle, 0, 3);
  passageSize = std::clamp<int32_t>(map.passageSize, 0, 1);
  roomWidth = map.roomWidth;
  roomHeight = map.roomHeight;
  surroundWithWalls = Switch(map.surroundWithWalls);
  useUpperWall = Switch(map.useUpperWall);
  useFloorB = Switch(map.useFloorB);
  useFloorC = Switch(map.useFloorC);
  useObstacleB = Switch(map.useObstacleB);
  useObstacleC = Switch(map.useObstacleC);
  std::copy(std::begin(map.generatorChips), std::end(map.generatorChips), generatorChips);
  std::copy(std::begin(map.generatorChipVariants), std::end(map.generatorChipVariants), generatorChipVariants);
  generatorValueA = map.generatorValueA;
  generatorChoice1 = map.generatorChoice1;
  generatorChoice2 = map.generatorChoice2;
  generatorChoice3 = map.generatorChoice3;
  Normalize();
}

void TMapProperties::ApplyRootParent() {
  if (!parentIsRoot) return;
  for (uint8_t* choice : {&musicType, &backdropType, &teleport, &escape, &save})
    if (*choice == 0) *choice = 1;
}

void TMapProperties::Normalize() {
  width = std::clamp<int32_t>(width, kMapMinWidth, kMapMaxSize);
  height = std::clamp<int32_t>(height, kMapMinHeight, kMapMaxSize);
  roomWidth = std::clamp<int32_t>(roomWidth, kMinRoomSize, MaxRoomWidth());
  roomHeight = std::clamp<int32_t>(roomHeight, kMinRoomSize, MaxRoomHeight());
  panoramaSpeedH = std::clamp<int32_t>(panoramaSpeedH, -kMaxPanoramaSpeed, kMaxPanoramaSpeed);
  panoramaSpeedV = std::clamp<int32_t>(panoramaSpeedV, -kMaxPanoramaSpeed, kMaxPanoramaSpeed);
  encounterSteps = std::clamp<int32_t>(encounterSteps, 0, kMaxEncounterSteps);
  for (int slot = 0; slot < kGeneratorSlotCount; ++slot) SetSlotCell(slot, SlotCell(slot));
}

void TMapProperties::SetSlotCell(int slot, TSlotCell cell) {
  if (slot < 0 || slot >= kGeneratorSlotCount) return;
  const TSlotCell c = ClampSlotCell(slot, cell);
  generatorChips[slot] = c.column;
  generatorChipVariants[slot] = c.row;
}

TMapPropertiesEnabled TMapProperties::Enabled() const {
  TMapPropertiesEnabled e;
  e.sameAsParent = !parentIsRoot;
  e.panorama = usePanorama != 0;
  e.autoScrollH = e.panorama && panoramaScrollH;
  e.speedH = e.autoScrollH && panoramaAutoH;
  e.autoScrollV = e.panorama && panoramaScrollV;
  e.speedV = e.autoScrollV && panoramaAutoV;
  e.musicChoice = musicType == 2;
  e.backdropChoice = backdropType == 2;
  e.generator = useGenerator != 0;
  e.granularity = e.generator && generatorStyle <= 2;
  e.roomSize = e.generator && generatorStyle == 1;
  // The slots with a "Use" switch are enabled by it.
  const bool used[kGeneratorSlotCount] = {
      true, true, useUpperWall != 0, true, useFloorB != 0, useFloorC != 0, true, useObstacleB != 0, useObstacleC != 0};
  for (int slot = 0; slot < kGeneratorSlotCount; ++slot) e.tileSlots[slot] = e.generator && used[slot];
  return e;
}

void TMapProperties::ApplyToItem(TLcfMapTreeItem& item) const {
  item.name = name;
  item.musicType = musicType;
  if (musicType == 2)
    item.music.Assign(music);
  else
    item.music.Reset();
  item.backdropType = backdropType;
  item.backdropName = backdropType == 2 ? backdropName : std::string();
  item.teleport = teleport;
  item.escape = escape;
  item.save = save;
  item.encounters.Assign(encounters);
  item.encounterSteps = encounterSteps;
}

void TMapProperties::ApplyToMap(TLcfMap& map) const {
  map.tilesetId = tilesetId;
  map.SetWidth(width);
  map.SetHeight(height);
  map.SetScrollType(scrollType);
  map.usePanorama = usePanorama;
  map.panoramaName = usePanorama ? panoramaName : std::string();
  map.panoramaScrollH = panoramaScrollH;
  map.panoramaAutoH = panoramaAutoH;
  map.panoramaSpeedH = panoramaSpeedH;
  map.panoramaScrollV = panoramaScrollV;
  map.panoramaAutoV = panoramaAutoV;
  map.panoramaSpeedV = panoramaSpeedV;
  map.useGenerator = useGenerator;
  map.generatorStyle = generatorStyle;
  map.topLevel = parentIsRoot ? 1 : 0;
  map.generatorValueA = generatorValueA;
  map.generatorChoice1 = generatorChoice1;
  map.generatorChoice2 = generatorChoice2;
  map.generatorChoice3 = generatorChoice3;
  map.passageSize = passageSize;
  map.roomWidth = roomWidth;
  map.roomHeight = roomHeight;
  map.surroundWithWalls = surroundWithWalls;
  map.useUpperWall = useUpperWall;
  map.useFloorB = useFloorB;
  map.useFloorC = useFloorC;
  map.useObstacleB = useObstacleB;
  map.useObstacleC = useObstacleC;
  std::copy(std::begin(generatorChips), std::end(generatorChips), map.generatorChips);
  std::copy(std::begin(generatorChipVariants), std::end(generatorChipVariants), map.generatorChipVariants);
  GeneratorTilesOf(map.generatorChips, map.generatorChipVariants, map.generatorTiles);
}

int DropOutsideMap(TLcfMap& map, TLcfMapStartPosition& starts) {
  std::vector<int32_t> outside;
  for (int i = 0; i < map.events.Count(); ++i) {
    const TLcfEventItem* e = map.events.ItemAt(i);
    if (!map.lower.Contains(e->x, e->y)) outside.push_back(e->Id());
  }
  for (int32_t id : outside) map.events.Delete(id);
  if (map.Id() > 0)
    for (int slot = 0; slot < TLcfMapStartPosition::kSlotCount; ++slot)
      if (starts.MapId(slot) == map.Id() && !map.lower.Contains(starts.X(slot), starts.Y(slot))) starts.Clear(slot);
  return static_cast<int>(outside.size());
}

}  // namespace tess
