#include "maps/MapCellWriter.h"

namespace tess {

void TMapRegion::SetSize(int width, int height) {
  width_ = width;
  height_ = height;
  seen_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  cells_.clear();
  bounds_ = {};
  all_ = false;
}

void TMapRegion::Add(int x, int y) {
  if (all_ || x < 0 || y < 0 || x >= width_ || y >= height_) return;
  // A change of a large part of the map is repainted whole, without listing its cells.
  if (cells_.size() >= seen_.size() / 8 + 64) {
    all_ = true;
    return;
  }
  uint8_t& seen = seen_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
  if (seen) return;
  seen = 1;
  cells_.push_back({x, y});
  bounds_ = bounds_.United({x, y, 1, 1});
}

TChangedCells TMapRegion::Take() {
  TChangedCells taken;
  taken.all = all_;
  taken.bounds = all_ ? TCellRect{0, 0, width_, height_} : bounds_;
  for (const TCellPoint& p : cells_)
    seen_[static_cast<size_t>(p.y) * static_cast<size_t>(width_) + static_cast<size_t>(p.x)] = 0;
  if (!all_) taken.cells = std::move(cells_);
  cells_.clear();
  bounds_ = {};
  all_ = false;
  return taken;
}

void TMapCellWriter::Resize() { region_.SetSize(map_.lower.width, map_.lower.height); }

bool TMapCellWriter::Write(TLcfMapLayer& layer, int x, int y, int id) {
  if (!layer.Contains(x, y) || layer.GetCell(x, y) == id) return false;
  layer.SetCell(x, y, id);
  history_.NoteEdit();
  region_.Add(x, y);
  return true;
}

void TMapCellWriter::PutChip(TEditMode mode, int x, int y, bool fixUp, int mask, int id) {
  TLcfMapLayer& layer = LayerOf(mode);
  if (!layer.Contains(x, y)) return;
  if (mode == TEditMode::Lower) id = fixUp && !exact ? FixedChipId(layer, x, y, id, mask, rules) : PlainChipId(id);
  Write(layer, x, y, id);
}

void TMapCellWriter::PutChipWrapped(TEditMode mode, int x, int y, bool fixUp, int mask, int id) {
  LayerOf(mode).WrapPoint(x, y);
  PutChip(mode, x, y, fixUp, mask, id);
}

}  // namespace tess
