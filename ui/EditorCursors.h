#pragma once
// The mouse cursors of the map editor and the palette, drawn in code: one per tool (a cross-hair
// with the tool's icon beside it, the pen by its tip), the block pick, and the cursors of
// middle-button panning (an arrow for each of the eight directions, or the axes that can move
// while the mouse is still near the press point).

#include <QCursor>

#include "maps/EditModes.h"

namespace tess {

QCursor ToolCursor(TEditTool tool);
// Picking a block of tiles from the map or the palette.
QCursor PickCursor();

// octant: 0 north, 1 north-east, ... 7 north-west; -1 within the dead zone, where the cursor shows
// which axes can move.
QCursor PanCursor(int octant, bool horizontal, bool vertical);

}  // namespace tess
