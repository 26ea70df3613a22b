#include "maps/MapEditUtils.h"

#include <cstdlib>

#include "maps/AutotileFixup.h"
#include "maps/TileId.h"

namespace tess {

int ChipAt(const TMapEditState& state, int x, int y) {
  const TLcfCurrentChip& chip = state.CurrentChip();
  return chip.Cell(WrapCoordinate(x - state.patternOrigin.x, chip.width),
                   WrapCoordinate(y - state.patternOrigin.y, chip.height));
}

void PlotChip(TMapEditState& state, int x, int y) {
  TMapCellWriter& w = state.writer;
  w.PutChipWrapped(state.mode, x, y, true, kAllNeighbours, ChipAt(state, x, y));
  if (state.mode != TEditMode::Lower) return;
  TLcfMapLayer& lower = state.map.lower;
  for (const TNeighbourRefix& n : kNeighbourRefix) {
    int nx = x + n.dx, ny = y + n.dy;
    lower.WrapPoint(nx, ny);
    if (lower.Contains(nx, ny)) w.PutChip(state.mode, nx, ny, true, n.mask, lower.GetCell(nx, ny));
  }
}

void StampBlock(TMapEditState& state, int x, int y) {
  const TLcfCurrentChip& chip = state.CurrentChip();
  const TLcfMapLayer& layer = state.ActiveLayer();
  for (int i = 0; i < chip.width; ++i)
    for (int j = 0; j < chip.height; ++j)
      if (layer.Contains(x + i, y + j)) PlotChip(state, x + i, y + j);
}

void DrawPenLine(TMapEditState& state, TCellPoint from, TCellPoint to) {
  // Bresenham: the longer axis steps every time, the shorter one when the error runs out.
  const int dx = std::abs(to.x - from.x), dy = std::abs(to.y - from.y);
  const int sx = to.x < from.x ? -1 : 1, sy = to.y < from.y ? -1 : 1;
  const bool alongX = dx >= dy;
  const int longer = alongX ? dx : dy, shorter = alongX ? dy : dx;
  int x = from.x, y = from.y, error = longer / 2;
  StampBlock(state, x, y);
  for (int i = 0; i < longer; ++i) {
    (alongX ? x : y) += alongX ? sx : sy;
    error -= shorter;
    if (error < 0) {
      (alongX ? y : x) += alongX ? sy : sx;
      error += longer;
    }
    StampBlock(state, x, y);
  }
}

void MarkShape(TMapEditState& state, TEditTool tool, const TCellRect& rect) {
  state.mask.Clear();
  if (tool == TEditTool::Ellipse && rect.width > 2 && rect.height > 2)
    state.mask.FillEllipse(rect);
  else
    state.mask.FillRect(rect);
}

void ApplyShapeMask(TMapEditState& state, const TCellRect& area, bool restoreOutside) {
  TMaskRaster& mask = state.mask;
  const int w = state.map.lower.width, h = state.map.lower.height;
  const TCellRect a = WrappedArea(area, w, h);
  if (a.Empty()) return;
  mask.Classify(a);
  const bool lower = state.mode == TEditMode::Lower;
  TLcfMapLayer& layer = state.ActiveLayer();
  const TLayerCells& before = state.ActiveBefore();
  // Prepare: a marked cell that changes kind first holds a placeholder of its new kind, so that
  // the shapes placed next see their neighbours' final kinds; unmarked cells get back what lay
  // there before the stroke.
  for (int i = 0; i < a.width; ++i) {
    const int x = (a.x + i) % w;
    for (int j = 0; j < a.height; ++j) {
      const int y = (a.y + j) % h;
      if (mask.At(x, y)) {
        if (!lower) continue;
        const int index = ChipIdToIndex(ChipAt(state, x, y));
        if (ChipIdToIndex(layer.GetCell(x, y)) != index) state.writer.Write(layer, x, y, IndexToChipId(index) + 48);
      } else if (restoreOutside) {
        state.writer.PutChipWrapped(state.mode, x, y, false, kAllNeighbours,
                                    before[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)]);
      }
    }
  }
  // Place: edge cells re-fix their neighbours, interior cells are surrounded by the shape and fix
  // only themselves.
  for (int i = 0; i < a.width; ++i) {
    const int x = (a.x + i) % w;
    for (int j = 0; j < a.height; ++j) {
      const int y = (a.y + j) % h;
      const uint8_t m = mask.At(x, y);
      if (m == TMaskRaster::kEdge)
        PlotChip(state, x, y);
      else if (m == TMaskRaster::kInterior)
        state.writer.PutChip(state.mode, x, y, true, kAllNeighbours, ChipAt(state, x, y));
    }
  }
}

void FloodFillChips(TMapEditState& state, int x, int y) {
  const TLcfMapLayer& layer = state.ActiveLayer();
  if (!layer.Contains(x, y)) return;
  const bool lower = state.mode == TEditMode::Lower;
  auto kind = [&](int id) { return lower ? ChipIdToIndex(id) : id; };
  const int target = kind(layer.GetCell(x, y));
  TMaskRaster& mask = state.mask;
  mask.Clear();
  for (int cy = 0; cy < layer.height; ++cy)
    for (int cx = 0; cx < layer.width; ++cx)
      if (kind(layer.GetCell(cx, cy)) == target) mask.Mark(cx, cy);
  mask.KeepConnected(x, y);
  ApplyShapeMask(state, {0, 0, layer.width, layer.height}, false);
}

}  // namespace tess
