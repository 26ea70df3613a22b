#include "maps/MapViewGeometry.h"

#include <algorithm>
#include <limits>

namespace tess {

namespace {

int ClampToInt(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, 0, std::numeric_limits<int>::max() / 2)); }

int Edge(int distance) { return std::min(std::max((16 - distance) / 2, 0), 20); }

}  // namespace

int TMapViewGeometry::VisibleWidth() const { return std::min(ClampToInt(MapPixelWidth()), std::max(clientWidth, 0)); }

int TMapViewGeometry::VisibleHeight() const {
  return std::min(ClampToInt(MapPixelHeight()), std::max(clientHeight, 0));
}

TPoint TMapViewGeometry::Offset() const {
  return {std::max(0, (clientWidth - VisibleWidth()) / 2), std::max(0, (clientHeight - VisibleHeight()) / 2)};
}

int TMapViewGeometry::MaxScrollX() const { return std::max(0, ClampToInt(MapPixelWidth()) - VisibleWidth()); }

int TMapViewGeometry::MaxScrollY() const { return std::max(0, ClampToInt(MapPixelHeight()) - VisibleHeight()); }

TPoint TMapViewGeometry::Clamp(TPoint scroll) const {
  return {std::clamp(scroll.x, 0, MaxScrollX()), std::clamp(scroll.y, 0, MaxScrollY())};
}

TMapPointer TMapViewGeometry::PointerAt(TPoint client, TPoint scroll) const {
  const TPoint o = Offset();
  return {client.x - o.x + scroll.x, client.y - o.y + scroll.y, cellSize};
}

TCellRect TMapViewGeometry::ClientRectOf(const TCellRect& cells, TPoint scroll) const {
  const TPoint o = Offset();
  return {cells.x * cellSize - scroll.x + o.x, cells.y * cellSize - scroll.y + o.y, cells.width * cellSize,
          cells.height * cellSize};
}

TCellRect TMapViewGeometry::VisibleCells(TPoint scroll) const {
  if (cellSize <= 0 || VisibleWidth() <= 0 || VisibleHeight() <= 0) return {};
  const int left = scroll.x / cellSize, top = scroll.y / cellSize;
  const int right = (scroll.x + VisibleWidth() + cellSize - 1) / cellSize;
  const int bottom = (scroll.y + VisibleHeight() + cellSize - 1) / cellSize;
  return TCellRect{left, top, right - left, bottom - top}.Intersected({0, 0, mapWidth, mapHeight});
}

TPoint TMapViewGeometry::ScrollFromStored(TPoint stored) const {
  const int hw = clientWidth / 2, hh = clientHeight / 2;
  return Clamp({static_cast<int>((int64_t{hw} + stored.x) * cellSize / 32 - hw),
                static_cast<int>((int64_t{hh} + stored.y) * cellSize / 32 - hh)});
}

TPoint TMapViewGeometry::StoredAfterScroll(TPoint stored, TPoint from, TPoint to) const {
  if (cellSize == 32) return {stored.x + to.x - from.x, stored.y + to.y - from.y};
  const int size = std::max(cellSize, 1);
  return {stored.x + (to.x - from.x) * 32 / size, stored.y + (to.y - from.y) * 32 / size};
}

TPoint TMapViewGeometry::ZoomedAround(const TMapViewGeometry& before, TPoint scrollBefore, TPoint client) const {
  const TPoint oldOffset = before.Offset(), newOffset = Offset();
  const int oldSize = std::max(before.cellSize, 1);
  // The map point under the mouse in 1/1 pixels.
  const int64_t px = (int64_t{client.x} - oldOffset.x + scrollBefore.x) * 32 / oldSize;
  const int64_t py = (int64_t{client.y} - oldOffset.y + scrollBefore.y) * 32 / oldSize;
  return Clamp({static_cast<int>(px * cellSize / 32 + newOffset.x - client.x),
                static_cast<int>(py * cellSize / 32 + newOffset.y - client.y)});
}

TPoint AutoScrollStep(TPoint mouse, int pageWidth, int pageHeight) {
  const int left = Edge(mouse.x), top = Edge(mouse.y);
  const int right = Edge(pageWidth - mouse.x), bottom = Edge(pageHeight - mouse.y);
  return {2 * (right - left), 2 * (bottom - top)};
}

int ZoomedIn(int cellSize) { return std::min(32, std::max(4, cellSize * 2)); }

int ZoomedOut(int cellSize) { return std::max(4, std::min(32, cellSize / 2)); }

TZoom ZoomOfCellSize(int cellSize) {
  switch (cellSize) {
    case 16:
      return TZoom::Half;
    case 8:
      return TZoom::Quarter;
    case 4:
      return TZoom::Eighth;
    default:
      return TZoom::Full;
  }
}

}  // namespace tess
