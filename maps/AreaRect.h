#pragma once
// An area's rectangle as the area dialogs show and draw it, and the scroll position that centres
// it in the map view.

#include <cstdint>
#include <string>

#include "maps/CellRect.h"

namespace tess {

// The stored rectangle (left, top, right, bottom; right and bottom one past the last cell) and
// back.
TCellRect AreaRectOf(const int32_t (&rect)[4]);
void SetAreaRect(int32_t (&rect)[4], const TCellRect& cells);

// "(%.3d,%.3d) - (%.3d,%.3d)" with the first and the last column and row; empty for an empty
// rectangle.
std::string AreaRectText(const TCellRect& cells);

// The rectangle between two grid corners (corner (x, y) is the top-left corner of cell (x, y)),
// each clamped to a map of width x height; empty when either side has no length.
TCellRect RectBetweenCorners(TCellPoint a, TCellPoint b, int width, int height);

// A rectangle as far as it lies on a map of width x height (a stored one may reach beyond it, or
// run backwards); empty when nothing is left.
TCellRect ClampAreaRect(const TCellRect& cells, int width, int height);

// The map view's scroll position, in pixels at 32 per cell, that puts the rectangle's centre at
// the centre of a view of clientWidth x clientHeight pixels.
TCellPoint AreaCentreScroll(const TCellRect& cells, int clientWidth, int clientHeight);

}  // namespace tess
