#pragma once
// The palettes from which the random dungeon generator's tile slots are chosen, and the tile ids a
// map stores for its chosen cells.
//
// There are nine slots: ceiling, lower wall, upper wall, floor A, floor B, floor C (cells of the
// lower palette, 6 columns by 27 rows) and obstacles A, B, C (the top-left cell of a 2 x 2 block
// of the upper palette, 6 columns by 24 rows). A map keeps each slot's column and row and the
// tile ids they stand for.

#include <cstdint>

namespace tess {

class TLcfMap;

enum TGeneratorSlot : int {
  kSlotCeiling = 0,
  kSlotLowerWall,
  kSlotUpperWall,
  kSlotFloorA,
  kSlotFloorB,
  kSlotFloorC,
  kSlotObstacleA,
  kSlotObstacleB,
  kSlotObstacleC,
  kGeneratorSlotCount,
};

constexpr int kDungeonPaletteColumns = 6;
constexpr int kDungeonLowerRows = 27;  // 162 entries
constexpr int kDungeonUpperRows = 24;  // 144 chips

constexpr bool IsObstacleSlot(int slot) { return slot >= kSlotObstacleA; }

// The tile id the palette shows in cell a (= column + 6 row) of the lower palette, or of the upper
// one: water and autotiles in their preview shape, the animated tiles, the chips.
int DungeonPaletteId(int a, bool upper);

// The cells a slot may name: an obstacle's 2 x 2 block must lie inside the upper palette, so its
// top-left cell is at most in column 4 and row 22.
constexpr int MaxSlotColumn(int slot) {
  return IsObstacleSlot(slot) ? kDungeonPaletteColumns - 2 : kDungeonPaletteColumns - 1;
}
constexpr int MaxSlotRow(int slot) { return IsObstacleSlot(slot) ? kDungeonUpperRows - 2 : kDungeonLowerRows - 1; }

// A slot's cell brought into the palette.
struct TSlotCell {
  int32_t column = 0, row = 0;
  bool operator==(const TSlotCell&) const = default;
};
TSlotCell ClampSlotCell(int slot, TSlotCell cell);

// Fills tiles (the map's 18 generator tile ids) from the nine slot cells: one lower id for each of
// slots 0..5, then four upper ids for each obstacle in the order (x, y), (x + 1, y), (x, y + 1),
// (x + 1, y + 1). Cells outside the palette are taken as clamped into it.
void GeneratorTilesOf(const int32_t (&columns)[9], const int32_t (&rows)[9], uint16_t (&tiles)[18]);

}  // namespace tess
