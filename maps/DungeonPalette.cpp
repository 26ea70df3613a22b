#include "maps/DungeonPalette.h"

#include <algorithm>

#include "maps/TileId.h"

namespace tess {

int DungeonPaletteId(int a, bool upper) {
  if (upper) return kUpperChipFirst + a;
  if (a < 3) return 1000 * a + kPreviewShape;
  if (a < kAutotileIndexFirst) return (a - 3) * 50 + kAnimatedFirst;
  if (a <= kAutotileIndexLast) return (a - kAutotileIndexFirst) * 50 + kAutotileFirst + kPreviewShape;
  return a + (kLowerChipFirst - kLowerChipIndexFirst);
}

TSlotCell ClampSlotCell(int slot, TSlotCell cell) {
  return {std::clamp<int32_t>(cell.column, 0, MaxSlotColumn(slot)), std::clamp<int32_t>(cell.row, 0, MaxSlotRow(slot))};
}

void GeneratorTilesOf(const int32_t (&columns)[9], const int32_t (&rows)[9], uint16_t (&tiles)[18]) {
  for (int slot = 0; slot < kGeneratorSlotCount; ++slot) {
    const TSlotCell c = ClampSlotCell(slot, {columns[slot], rows[slot]});
    const int a = c.column + kDungeonPaletteColumns * c.row;
    if (!IsObstacleSlot(slot)) {
      tiles[slot] = static_cast<uint16_t>(DungeonPaletteId(a, false));
      continue;
    }
    const int first = 6 + 4 * (slot - kSlotObstacleA);
    tiles[first] = static_cast<uint16_t>(DungeonPaletteId(a, true));
    tiles[first + 1] = static_cast<uint16_t>(DungeonPaletteId(a + 1, true));
    tiles[first + 2] = static_cast<uint16_t>(DungeonPaletteId(a + kDungeonPaletteColumns, true));
    tiles[first + 3] = static_cast<uint16_t>(DungeonPaletteId(a + kDungeonPaletteColumns + 1, true));
  }
}

}  // namespace tess
