#pragma once
// Where a map lies in the window that shows it, without the window: the visible part at a cell
// size, the centring of a map smaller than the window, the scroll range, the cell and grid corner
// under a point, the scroll restored from the position the map tree keeps (in pixels at 1/1),
// zooming that keeps a point of the map in place, and the auto-scroll near the edges.
//
// Client points are pixels of the window's client area; the map's drawing surface (the visible
// part, as large as the map or the client area, whichever is smaller) lies at Offset() in it.

#include <cstdint>

#include "maps/CellRect.h"
#include "maps/MapEditController.h"
#include "media/Geometry.h"

namespace tess {

struct TMapViewGeometry {
  int mapWidth = 0, mapHeight = 0;  // cells
  int cellSize = 32;
  int clientWidth = 0, clientHeight = 0;

  int64_t MapPixelWidth() const { return int64_t{mapWidth} * cellSize; }
  int64_t MapPixelHeight() const { return int64_t{mapHeight} * cellSize; }
  // The size of the drawing surface: the map's, limited to the client area.
  int VisibleWidth() const;
  int VisibleHeight() const;
  // Where the drawing surface lies: centred when the map is smaller than the client area.
  TPoint Offset() const;
  // The scroll position runs from 0 to these.
  int MaxScrollX() const;
  int MaxScrollY() const;
  TPoint Clamp(TPoint scroll) const;

  // The position on the map (pixels at this cell size) under a client point.
  TMapPointer PointerAt(TPoint client, TPoint scroll) const;
  // The cell under a client point (negative left of and above the map) and the nearest grid corner.
  TCellPoint CellAt(TPoint client, TPoint scroll) const { return PointerAt(client, scroll).Cell(); }
  TCellPoint CornerAt(TPoint client, TPoint scroll) const { return PointerAt(client, scroll).Corner(); }
  // The client rectangle of a rectangle of cells (which may reach beyond the view).
  TCellRect ClientRectOf(const TCellRect& cells, TPoint scroll) const;
  // The cells the drawing surface shows at a scroll position, clipped to the map.
  TCellRect VisibleCells(TPoint scroll) const;

  // The scroll position for the position the map tree stores (pixels at 1/1, measured at the
  // view's centre): the stored point stays in the middle of the view at any cell size. Clamped.
  TPoint ScrollFromStored(TPoint stored) const;
  // What the map tree stores after the view scrolled from one position to another at this cell
  // size: the change in 1/1 pixels is added.
  TPoint StoredAfterScroll(TPoint stored, TPoint from, TPoint to) const;
  // The scroll position at this geometry's cell size that keeps the map point under a client point
  // where it was in the view before (geometry `before` at scroll `scrollBefore`). Clamped.
  TPoint ZoomedAround(const TMapViewGeometry& before, TPoint scrollBefore, TPoint client) const;
};

// How far the view scrolls on one tick of the auto-scroll (every 40 ms) with the mouse at a point of
// the drawing surface of a page of that size: toward an edge when the mouse is within 16 pixels of
// it or beyond, by two pixels for every two pixels closer, at most 40 pixels per axis and edge.
TPoint AutoScrollStep(TPoint mouse, int pageWidth, int pageHeight);

// The next zoom step: in toward 32 pixels per cell, out toward 4; the same size at either end.
int ZoomedIn(int cellSize);
int ZoomedOut(int cellSize);
TZoom ZoomOfCellSize(int cellSize);

}  // namespace tess
