#pragma once
// Tile textures and shaped cells: the building blocks of the tileset pictures.
//
// A texture is a 16 x 16 tile that joins itself seamlessly on every side, so any two cells of
// the same ground can stand next to each other. A shaped cell mixes an inner and an outer
// texture along a border (sides and inner corners), the way water and autotile pieces are drawn;
// the border is a continuous function of the position, so the quarters of different pieces meet
// without seams when the editor composes them.

#include <cstdint>

#include "tools/rtpgen/Art.h"
#include "tools/rtpgen/IndexedCanvas.h"

namespace tess::rtp {

enum class TTex {
  Grass,
  Meadow,
  Flowers,
  Dirt,
  Path,
  Sand,
  Snow,
  Rock,
  Canopy,
  PineCanopy,
  Cobble,
  Farmland,
  Swamp,
  Water,
  DeepWater,
  CaveFloor,
  CaveTop,
  Bricks,
  BrickTop,
  StoneTiles,
  Planks,
  Carpet,
  Lava,
  Ice,
  Pit,
  Moss,
  Rubble,
  Ledge,
  Poison,
  Shallows,
};

// A seamless 16 x 16 tile of the texture; frame selects the animation step of water-like ones.
TIndexedCanvas MakeTexture(TTex tex, uint32_t seed, int frame = 0);

// Moves an index up or down its ramp; indices outside the ramps stay.
uint8_t Shade(uint8_t index, int delta);

// Which sides of a cell border on other ground, and which corners carry an inner-corner notch.
struct TCellShape {
  bool n = false, e = false, s = false, w = false;
  bool nw = false, ne = false, sw = false, se = false;
  int margin = 3;     // how far the border reaches into the cell
  int radius = 4;     // rounding of convex and concave corners
  double wobble = 0;  // amplitude of the border's waviness in pixels
  uint32_t seed = 0;  // phase of the waviness
};
// Whether the point (cell coordinates, may lie outside 0..16) belongs to the inner ground.
bool InsideCell(const TCellShape& shape, double x, double y);

enum class TEdge {
  Flat,    // a ground lying on another: soft dark rim
  Raised,  // a mass standing up (forest, rock): lit top rim, dark outline, shadow below
  Sunken,  // a hollow (water, pit, lava): dark inner wall at the top, light lip at the bottom
  Water,   // water in a bank: foam along the shore
  Ledge,   // a ceiling top whose border is a light stone ledge
};

// Paints one 16 x 16 cell at (dx, dy): inner where InsideCell holds, outer elsewhere, shaded
// along the border by the edge style. frame varies the foam of water edges.
void PaintShapedCell(TIndexedCanvas& canvas, int dx, int dy, const TCellShape& shape, const TIndexedCanvas& inner,
                     const TIndexedCanvas& outer, TEdge edge, int frame = 0);

// An autotile block (48 x 64): preview cell, link cell, inner corners and the 3 x 3 arrangement.
struct TAutotileStyle {
  TTex inner = TTex::Grass, outer = TTex::Grass;
  TEdge edge = TEdge::Flat;
  int margin = 3, radius = 4;
  double wobble = 0.7;
  uint32_t innerSeed = 1, outerSeed = 2;  // texture seeds; the outer one matches the ground chip
};
// linkTo: when given, the link cell repeats that 16 x 16 picture (another block's preview cell);
// otherwise the link cell holds the plain inner ground, which no preview cell equals.
TIndexedCanvas DrawAutotileBlock(const TAutotileStyle& style, const TIndexedCanvas* linkTo = nullptr);

}  // namespace tess::rtp
