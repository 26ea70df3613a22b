#pragma once
// The tile-id space of the two map layers and the chip index of the lower palette.
//
// A cell holds one 16-bit tile id per layer:
//   0..2999       water, three kinds (kind = id / 1000, corner bits = id % 1000 / 50, shape = id % 50)
//   3000, 3050, 3100  the three animated tiles
//   4000..4599    autotile blocks 0..11 (block = (id - 4000) / 50, shape = id % 50)
//   5000..5143    lower chips 0..143
//   10000..10143  upper chips 0..143
// The chip index (0..161) names the entries of the lower palette: 0..2 water kinds, 3..5 animated
// tiles, 6..17 autotile blocks, 18..161 lower chips.

#include <cstdint>

namespace tess {

constexpr int kWaterEnd = 3000;
constexpr int kAnimatedFirst = 3000;
constexpr int kAutotileFirst = 4000;
constexpr int kAutotileEnd = 4600;
constexpr int kLowerChipFirst = 5000;
constexpr int kLowerChipEnd = 5144;
constexpr int kUpperChipFirst = 10000;
constexpr int kUpperChipEnd = 10144;

constexpr int kLowerChipCount = 162;  // entries of the lower palette
constexpr int kUpperChipCount = 144;  // entries of the upper palette
constexpr int kAutotileIndexFirst = 6;
constexpr int kAutotileIndexLast = 17;
constexpr int kLowerChipIndexFirst = 18;

// Shapes 0..46 follow the neighbours; 47 and 48 draw as 0; 49 is the palette's preview cell.
constexpr int kShapeCount = 50;
constexpr int kPreviewShape = 49;

// -1 for a negative id; otherwise the palette entry the id belongs to. Ids of the upper layer give
// values above 161, which callers treat as "not a lower-palette entry".
constexpr int ChipIdToIndex(int id) {
  if (id < 0) return -1;
  if (id < kWaterEnd) return id / 1000;
  if (id < kAutotileFirst) return (id - kAnimatedFirst) / 50 + 3;
  if (id < kLowerChipFirst) return (id - kAutotileFirst) / 50 + kAutotileIndexFirst;
  return id - (kLowerChipFirst - kLowerChipIndexFirst);
}

// The shape-0 id of a palette entry (18 gives 5000).
constexpr int IndexToChipId(int index) {
  if (index < 3) return index * 1000;
  if (index < 6) return index * 50 + 2850;
  if (index <= kAutotileIndexLast) return index * 50 + 3700;
  return index + (kLowerChipFirst - kLowerChipIndexFirst);
}

constexpr bool IsWaterId(int id) { return id >= 0 && id < kWaterEnd; }
constexpr bool IsAnimatedId(int id) { return id >= kAnimatedFirst && id < kAutotileFirst; }
constexpr bool IsAutotileId(int id) { return id >= kAutotileFirst && id < kAutotileEnd; }
// Water and autotiles take their shape from their neighbours.
constexpr bool IsShapedId(int id) { return IsWaterId(id) || IsAutotileId(id); }
constexpr bool IsLowerChipId(int id) { return id >= kLowerChipFirst && id < kLowerChipEnd; }
constexpr bool IsUpperChipId(int id) { return id >= kUpperChipFirst && id < kUpperChipEnd; }
// Every id a lower-layer cell may hold: water, animated tiles, autotiles and lower chips.
constexpr bool IsValidLowerId(int id) {
  return IsWaterId(id) || id == 3000 || id == 3050 || id == 3100 || IsAutotileId(id) || IsLowerChipId(id);
}

constexpr int ShapeOf(int id) { return id % kShapeCount; }
// The same kind of tile with another shape (water keeps its corner bits).
constexpr int WithShape(int id, int shape) { return id - id % kShapeCount + shape; }

}  // namespace tess
