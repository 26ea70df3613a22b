#pragma once
// The fix-up of water and autotile shapes: which of a cell's eight neighbours differ from it, the
// shape that answers that neighbourhood, and the corner pieces where water kinds meet. Everything
// here is a pure function of a constant lower layer and the tileset's autotile links, so the
// editing operations, the dungeon generator, the command-line repair and the tests share one
// definition.

#include <array>
#include <string>

#include "maps/LD_Map.h"
#include "maps/TileId.h"

namespace tess {

class TLcfChipSetGraphic;
class TLcfChipSetItem;

// The link of each autotile block: the chip index of the block whose preview cell its link cell
// repeats (a neighbour of that kind counts as the same as the block), or -1. The tileset graphic
// finds them in the tileset picture.
struct TAutotileLinks {
  std::array<int, 12> links;

  TAutotileLinks() { links.fill(-1); }
  // The link of a chip index; -1 for every index that is not an autotile block.
  int Of(int chipIndex) const {
    if (chipIndex < kAutotileIndexFirst || chipIndex > kAutotileIndexLast) return -1;
    return links[static_cast<size_t>(chipIndex - kAutotileIndexFirst)];
  }
  bool operator==(const TAutotileLinks&) const = default;
};

// The links a tileset graphic found in its picture.
TAutotileLinks AutotileLinksOf(const TLcfChipSetGraphic& graphic);
// The links of a tileset's picture, found as the editor finds it (the ChipSet folder of
// ProjectFolder(), then of the runtime package). False, saying why, when there is no tileset or its
// picture cannot be read: the links are unknown then.
bool LinksOfTileset(const TLcfChipSetItem* tileset, TAutotileLinks& links, std::string* why);

// The bits of a neighbour mask, one per neighbour, set when that neighbour differs.
enum TNeighbourBit : int {
  kNbNW = 1,
  kNbNE = 2,
  kNbSE = 4,
  kNbSW = 8,
  kNbW = 16,
  kNbN = 32,
  kNbE = 64,
  kNbS = 128,
};
constexpr int kAllNeighbours = 255;

// After a cell changes, each neighbour recomputes only the bits that look back at it.
struct TNeighbourRefix {
  int dx, dy, mask;
};
inline constexpr std::array<TNeighbourRefix, 8> kNeighbourRefix{{
    {-1, -1, kNbSE},
    {0, -1, kNbS | kNbSW | kNbSE},
    {1, -1, kNbSW},
    {-1, 0, kNbE | kNbSE | kNbNE},
    {1, 0, kNbW | kNbSW | kNbNW},
    {-1, 1, kNbNE},
    {0, 1, kNbN | kNbNE | kNbNW},
    {1, 1, kNbNW},
}};

// The shape (0..46) that stands for a neighbour mask.
int ShapeFromMask(int mask);
// The mask a shape stands for: its differing sides, the diagonals next to them and its own
// diagonal bits; 0 for shapes 47..49.
int CanonicalMask(int shape);

struct TFixupRules {
  TAutotileLinks links;
  // The map edge counts as a border (Ctrl held while drawing); otherwise outside is the same.
  bool edgeDiffers = false;
};

// Whether a neighbour of chip index h differs from a cell of chip index cur.
bool NeighbourDiffers(int cur, int h, const TFixupRules& rules);
// The eight differ bits of cell (x, y) holding chip index cur; neighbours are read from the lower
// layer, wrapping on looping maps.
int DifferMask(const TLcfMapLayer& lower, int x, int y, int cur, const TFixupRules& rules);
// The corner bits (0..15: top-left 1, top-right 2, bottom-left 4, bottom-right 8) of a water cell of
// kind cur (0..2) whose neighbour mask is mask.
int WaterCorners(const TLcfMapLayer& lower, int x, int y, int cur, int mask);

// What the lower layer stores for a palette id without fix-up: the preview shape becomes shape 0.
constexpr int PlainChipId(int id) {
  return id < kLowerChipFirst && ShapeOf(id) == kPreviewShape ? id - kPreviewShape : id;
}
// Whether a lower id takes a shape from its neighbours when it is placed: water, the animated tiles
// and the autotile blocks.
constexpr bool TakesShape(int id) { return id >= 0 && (id < 3150 || IsAutotileId(id)); }
// The id that placing id at (x, y) of the lower layer stores: the bits of mask are computed from
// the neighbours, the others kept from the shape id already has.
int FixedChipId(const TLcfMapLayer& lower, int x, int y, int id, int mask, const TFixupRules& rules);

// The fix-up on a layer alone, with the map edge counting as the same: the id to store for id at
// (x, y); written into the layer when apply is set.
int LayerFixCell(TLcfMapLayer& layer, int x, int y, int id, int mask, bool apply, const TAutotileLinks& links);
// Places pen at (x, y) (wrapped by the layer's loop flags) with the fix-up, then re-fixes its eight
// neighbours, each with its own id.
void LayerFixAround(TLcfMapLayer& layer, int x, int y, int pen, const TAutotileLinks& links);

// Re-shapes every cell of a lower layer that takes a shape from its neighbours, as placing each one
// would; returns how many cells changed. The result does not depend on the order: a shape depends
// only on the neighbours' kinds, which the fix-up never changes.
int FixUpLayer(TLcfMapLayer& lower, const TFixupRules& rules);

}  // namespace tess
