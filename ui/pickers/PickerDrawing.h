#pragma once
// What the material pickers draw on their preview boards, without the widgets: the selection
// frame of a chosen cell, pictures fitted into an area, and the sheets shown as a grid of their
// characters, faces, poses or weapons.

#include <functional>

#include "media/CorvidSheet.h"

namespace tess {

class TLcfChipSetGraphic;

// A grid of equal cells counted row by row from 0.
struct TCellGrid {
  int cellWidth = 0, cellHeight = 0;
  int columns = 0;
  int count = 0;

  // The cell under a point, or -1 outside the grid.
  int CellAt(TPoint p) const;
  TRect CellRect(int cell) const;
  // The neighbour of a cell by a step in columns and rows, or -1 when the step leaves the grid;
  // from a cell outside the grid, cell 0.
  int Step(int cell, int columns, int rows) const;
};

// Four outlines: black on the rectangle's edge, white one and two pixels inside, black three
// pixels inside.
void DrawSelectionFrame(TCorvidBoard& board, const TRect& rect);

// Where a picture of width x height goes in an area: scaled down with its proportions kept when it
// is larger in either direction (by the direction that limits it), never scaled up, and centred
// (offsets halved, truncated toward zero).
TRect FitRect(int width, int height, int areaWidth, int areaHeight);

// The colour the sheet's index 0 shows in, the background of sprites drawn on their own.
uint16_t SheetBackground(const TCorvidSheet& sheet);

// One picture of each of the count pieces of a sheet: piece k's source rectangle is drawn
// stretched into cell k of the grid (after the board was filled with the sheet's background
// when background is set). sourceOf gives piece k's rectangle in the sheet.
template <class SourceOf>
void DrawSheetPieces(TCorvidBoard& board, TCorvidSheet& sheet, const TCellGrid& grid, bool background,
                     SourceOf sourceOf) {
  if (background) board.Fill(SheetBackground(sheet));
  for (int k = 0; k < grid.count; ++k) board.StretchSheet(grid.CellRect(k), sheet, sourceOf(k));
}

// How a tile grid shows the tileset's transparent colour (index 0): in its palette colour, or as
// transparent over a grey checker, as upper tiles lie over the ground.
enum class TTileGridBack { Opaque, Checker };

// count tiles of a tileset graphic at 32 pixels, six across: tile i is the id idOf(i). The
// graphic's drawing state is left as it was.
void DrawTileGrid(TCorvidBoard& board, TLcfChipSetGraphic& graphic, int count, const std::function<int(int)>& idOf,
                  TTileGridBack back = TTileGridBack::Opaque);

}  // namespace tess
