#pragma once
// The drawing operations of the map editor over its editing state: placing the current chip block
// with the fix-up of its neighbours, pen lines, rectangles and ellipses through the mask raster,
// and flood fill. Every cell goes through the state's cell writer.

#include "maps/CellRect.h"
#include "maps/EditModes.h"
#include "maps/MapEditState.h"

namespace tess {

// The pattern tile for (x, y): the current chip cell at (x, y) minus the pattern origin, taken
// modulo the block's size, so a multi-cell block tiles the map aligned to where the stroke started.
int ChipAt(const TMapEditState& state, int x, int y);
// Places the pattern tile at (x, y) with the full fix-up; in the lower-layer mode its eight
// neighbours are then re-fixed, each recomputing only the bits that look back at it.
void PlotChip(TMapEditState& state, int x, int y);
// Plots every cell of the current chip block that lies inside the map, its top-left at (x, y).
void StampBlock(TMapEditState& state, int x, int y);
// Stamps along a line from one block position to another, both ends included.
void DrawPenLine(TMapEditState& state, TCellPoint from, TCellPoint to);
// Marks the shape of a rectangle or ellipse stroke on the cleared mask raster: a single cell for
// a 1 x 1 rect, the inscribed ellipse when the ellipse tool's rect is wider and taller than 2, the
// filled rect otherwise.
void MarkShape(TMapEditState& state, TEditTool tool, const TCellRect& rect);
// Turns the marked cells of the mask raster inside area (taken modulo the map's size) into tiles.
// With restoreOutside the unmarked cells of the area get back their values from before the stroke.
void ApplyShapeMask(TMapEditState& state, const TCellRect& area, bool restoreOutside);
// Fills the 4-connected region of the cell's kind (the exact upper id in the upper-layer mode, the
// chip index in the lower-layer mode) with the current chip; it never crosses the map's edge.
void FloodFillChips(TMapEditState& state, int x, int y);

}  // namespace tess
