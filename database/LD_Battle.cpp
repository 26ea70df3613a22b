#include "database/LD_Battle.h"

#include <algorithm>
#include <cmath>

namespace tess {

void TLcfBattleCMDItem::DescribeChunks(TCatalogVarData& v) {
  v.StringAlways(1, name);
  v.Integer(2, archetype, 0);
}

void TLcfBattle::DescribeChunks(TCatalogVarData& v) {
  v.Integer(2, placement, 0);
  v.Integer(4, deathHandler, 0);
  v.Integer(6, previewRow, 0);
  v.Integer(7, battleType, 0);
  v.Flag(9, hiddenOption, 1);
  v.List(10, commands, 1);              // one unnamed "Attack" command
  v.IntegerAlias(15, deathHandler, 0);  // the same field again; on loading, this later chunk wins
  v.Integer(16, deathEventId, 1);
  v.Integer(20, windowSize, 0);
  v.Flag(24, windowTransparent, 0);
  v.Flag(25, deathTeleport, 0);
  v.Integer(26, deathMapId, 1);
  v.Integer(27, deathX, 0);
  v.Integer(28, deathY, 0);
  v.Integer(29, deathFacing, 0);
}

TBattleGrid TLcfBattle::GridOf(int terrainId) const {
  if (terrainId != 0 && terrain_)
    if (const TLcfGroundItem* ground = terrain_->FindById(terrainId)) return ground->Grid();
  return kShallowGrid;
}

int TLcfBattle::PlaceHeroX(int count, int index, int rowOffset, int terrainId) const {
  return tess::PlaceHeroX(GridOf(terrainId), count, index, rowOffset);
}
int TLcfBattle::PlaceHeroY(int count, int index, int terrainId) const {
  return tess::PlaceHeroY(GridOf(terrainId), count, index);
}
int TLcfBattle::PlaceMonsterX(int count, int index, int halfWidth, int terrainId) const {
  return tess::PlaceMonsterX(GridOf(terrainId), count, index, halfWidth);
}
int TLcfBattle::PlaceMonsterY(int count, int index, int terrainId) const {
  return tess::PlaceMonsterY(GridOf(terrainId), count, index);
}

namespace {

// Depth fractions of heroes (and of the horizontal slant of monsters), by count and index. The
// values are the decimals shown, not thirds.
constexpr double kDepth[8][8] = {
    {0.5},
    {0, 1},
    {0, 0.5, 1},
    {0, 0.33, 0.66, 1},
    {0, 0.25, 0.5, 0.75, 1},
    {0, 0, 0.5, 0.5, 1, 1},
    {0, 0.25, 0.33, 0.5, 0.66, 0.75, 1},
    {0, 0, 0.33, 0.33, 0.66, 0.66, 1, 1},
};
// Depth fractions of the vertical position of monsters.
constexpr double kMonsterDepth[8][8] = {
    {0.5},
    {0, 1},
    {0, 1, 0.5},
    {0, 0.75, 0.25, 1},
    {0, 0.5, 1, 0.25, 0.75},
    {0, 0.4, 0.8, 0.2, 0.6, 1},
    {0, 0.33, 0.66, 1, 0.25, 0.5, 1},
    {0, 0.28, 0.56, 0.84, 0.14, 0.42, 0.7, 0.98},
};
// Column offsets of monsters, in pixels.
constexpr int kMonsterColumn[8][8] = {
    {0},
    {24, 0},
    {48, 48, 0},
    {48, 48, 0, 0},
    {56, 56, 56, 8, 8},
    {56, 56, 56, 8, 8, 0},
    {64, 64, 64, 64, 16, 16, 16},
    {64, 64, 64, 64, 16, 16, 16, 16},
};

struct TSlot {
  int row, column;
};
TSlot Slot(int count, int index) {
  const int c = std::clamp(count, 1, kMaxPlacedCharacters);
  return {c - 1, std::clamp(index, 0, c - 1)};
}

// Computed wide: grids come from files and may hold any value.
int64_t Slant(const TBattleGrid& grid, double f) {
  return static_cast<int64_t>(std::trunc((1 - f) * grid.slant / 1000.0));
}
int Depth(const TBattleGrid& grid, double f) {
  return static_cast<int>(grid.top + static_cast<int64_t>(std::trunc(std::sin(grid.angle / 1000.0) * 120 * f)));
}

}  // namespace

int PlaceHeroX(const TBattleGrid& grid, int count, int index, int rowOffset) {
  TSlot s = Slot(count, index);
  return static_cast<int>(296 - int64_t{rowOffset} - Slant(grid, kDepth[s.row][s.column]));
}

int PlaceHeroY(const TBattleGrid& grid, int count, int index) {
  TSlot s = Slot(count, index);
  return Depth(grid, kDepth[s.row][s.column]);
}

int PlaceMonsterX(const TBattleGrid& grid, int count, int index, int halfWidth) {
  TSlot s = Slot(count, index);
  return static_cast<int>(Slant(grid, kDepth[s.row][s.column]) + kMonsterColumn[s.row][s.column] + int64_t{halfWidth});
}

int PlaceMonsterY(const TBattleGrid& grid, int count, int index) {
  TSlot s = Slot(count, index);
  return Depth(grid, kMonsterDepth[s.row][s.column]);
}

}  // namespace tess
