#pragma once
// How water and autotile shapes are put together from 8 x 8 quarters of a tileset picture, and
// which animation frame a tick count shows.
//
// Each of the 50 shapes of a water kind or an autotile block lists four quarters, top-left,
// top-right, bottom-left, bottom-right, as offsets in 8-pixel units from the kind's or block's
// origin. One table holds all four columns (water kinds 0, 1, 2 and the autotile blocks), one row
// per shape; every caller reads it.

#include <array>
#include <cstdint>

namespace tess {

struct TQuarter {
  int8_t x = 0, y = 0;
  friend bool operator==(const TQuarter&, const TQuarter&) = default;
};

// Top-left, top-right, bottom-left, bottom-right.
using TShapeQuarters = std::array<TQuarter, 4>;

struct TShapeRow {
  std::array<TShapeQuarters, 3> water;  // water kinds 0, 1, 2
  TShapeQuarters autotile;
};

// Rows 0..49: shapes 0..46 follow the neighbours, 47 and 48 repeat 0, 49 is the preview cell.
extern const std::array<TShapeRow, 50> kShapeTable;

// The four pieces that replace quarters where two water kinds meet (top-left, top-right,
// bottom-left, bottom-right), per water kind.
extern const std::array<TShapeQuarters, 3> kWaterCornerPieces;

// The quarters of water of a kind (0..2) and shape (0..49) with the corner pieces its corner bits
// ask for (bit 1 top-left, 2 top-right, 4 bottom-left, 8 bottom-right) and moved to an animation
// frame (0..2, 16 pixels a frame).
TShapeQuarters WaterQuarters(int kind, int shape, int cornerBits, int frame);

// True when the quarters are the four of one 16 x 16 cell in their natural order, so the shape can
// be drawn as one block.
bool FormsOneCell(const TShapeQuarters& q);

// The water frame (0..2) of an animation counter: a frame lasts 24 ticks, 12 when fast; sequence 0
// runs 1-2-3-2, sequence 1 runs 1-2-3.
int WaterFrame(int counter, int sequence, int speed);
// The frame (0..3) of the animated tiles: 6 ticks a frame.
int AnimatedFrame(int counter);

}  // namespace tess
