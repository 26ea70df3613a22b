#pragma once
// What the map view and the palette draw over the tiles: the cursor frame in the colour of the edit
// mode, the frame of an area, the marching ants of a selection, grid lines, and the hatched
// background around a map or palette smaller than its window. All in client pixels, with 1-pixel
// lines that stay whole pixels on high-density screens.

#include <QBrush>
#include <QColor>
#include <QRect>

#include "maps/EditModes.h"

class QPainter;

namespace tess {

// Lower layer light green, upper layer light blue, event layer light yellow, none black.
QColor ModeColour(TEditMode mode);

// The 1-pixel outline just inside a rectangle.
void DrawOutline(QPainter& painter, const QRect& rect, const QColor& colour);
// Four outlines: black on the edge, the mode colour one pixel inside, white two pixels inside,
// black three pixels inside.
void DrawCursorFrame(QPainter& painter, const QRect& rect, const QColor& modeColour);
// Light yellow on the edge, dark grey one pixel inside, light yellow four pixels inside, dark grey
// five pixels inside.
void DrawAreaFrame(QPainter& painter, const QRect& rect);
// A dark grey edge, two white lines inside and a dark grey line three pixels in: a chosen cell.
void DrawChosenCellFrame(QPainter& painter, const QRect& rect);
// The outline of a selection as a dotted white-on-black line whose dots move with the phase.
void DrawMarchingAnts(QPainter& painter, const QRect& rect, int phase);
// The phase of the marching ants at a time in milliseconds: 0..95, one step every 64 ms.
int AntsPhase(qint64 milliseconds);
// Lines along the right and bottom edge of every cell of a grid whose cell (0, 0) has its top-left
// at origin, inside area.
void DrawGridLines(QPainter& painter, const QRect& area, QPoint origin, int cellSize, const QColor& colour);

// The 8 x 8 hatch of the background: the button-shadow colour with a diagonal cross in the
// button-face colour. Its origin is the caller's (it moves with what scrolls).
QBrush HatchBrush();

}  // namespace tess
