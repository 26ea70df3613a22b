#pragma once
// The battle layout: battle type, window style, how characters are placed, what happens when the
// party is defeated in a random encounter, the battle commands, and the placement functions that
// compute where heroes and monsters stand on the 320 x 240 battle screen.

#include "core/Catalog.h"
#include "database/LD_Ground.h"

namespace tess {

inline constexpr int kMaxPlacedCharacters = 8;

class TLcfBattleCMDItem : public TCatalogItem {
 public:
  int32_t archetype = 0;  // 0 attack, 1 skill, 2 skill subset, 3 defend, 4 item, 5 escape, 6 event
  void DescribeChunks(TCatalogVarData& v) override;
};

class TLcfBattleCMD : public TCatalogOf<TLcfBattleCMDItem> {
 public:
  TLcfBattleCMD() : TCatalogOf("Event script referenced a battle command that does not exist.", "battle command") {}
};

class TLcfBattle : public TCatalogBaseItem {
 public:
  TLcfBattle() { Reset(); }

  int32_t placement{};     // 0 manual, 1 automatic
  int32_t deathHandler{};  // 0 game over, 1 call a common event; stored under two ids
  int32_t previewRow{};    // 0 front, 1 back
  int32_t battleType{};    // 0 traditional, 1 alternative, 2 gauge
  uint8_t hiddenOption{};  // stored and copied; no control changes it
  TLcfBattleCMD commands;
  int32_t deathEventId{};
  int32_t windowSize{};
  uint8_t windowTransparent{};
  uint8_t deathTeleport{};
  int32_t deathMapId{};
  int32_t deathX{};
  int32_t deathY{};
  int32_t deathFacing{};

  void DescribeChunks(TCatalogVarData& v) override;

  // The terrain list whose battle grids the placement functions use; none means the default grid
  // for every terrain.
  void SetTerrainList(const TLcfGround* terrain) { terrain_ = terrain; }
  // The grid of a terrain; terrain 0, or one that does not exist, has the shallow grid.
  TBattleGrid GridOf(int terrainId) const;

  // Where the index-th of count characters stands. count is clamped to 1..8 and index to the
  // count's slots, so more than eight characters share the last slot.
  int PlaceHeroX(int count, int index, int rowOffset, int terrainId) const;
  int PlaceHeroY(int count, int index, int terrainId) const;
  int PlaceMonsterX(int count, int index, int halfWidth, int terrainId) const;
  int PlaceMonsterY(int count, int index, int terrainId) const;

 private:
  const TLcfGround* terrain_ = nullptr;
};

// The placement functions on a given grid.
int PlaceHeroX(const TBattleGrid& grid, int count, int index, int rowOffset);
int PlaceHeroY(const TBattleGrid& grid, int count, int index);
int PlaceMonsterX(const TBattleGrid& grid, int count, int index, int halfWidth);
int PlaceMonsterY(const TBattleGrid& grid, int count, int index);

}  // namespace tess
