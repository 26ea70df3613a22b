#include "maps/MapEditState.h"

namespace tess {

void TSelectionCells::Resize(int w, int h) {
  width = std::max(0, w);
  height = std::max(0, h);
  lower.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  upper.assign(lower.size(), 10000);
}

TMapEditState::TMapEditState(TLcfMap& map, TLcfMapEditUndoManager& history)
    : map(map), history(history), writer(map, history) {
  SetMap();
}

void TMapEditState::SetMap() {
  const int w = map.lower.width, h = map.lower.height;
  TakeBeforeCopies();
  mask.SetSize(w, h);
  mask.Clear();
  writer.Resize();
  history.Reset(map);
  selection = {};
  selected.Resize(0, 0);
  lifted = false;
}

bool TMapEditState::SizesMatch() const {
  const size_t n = static_cast<size_t>(map.lower.width) * static_cast<size_t>(map.lower.height);
  return map.lower.cells.size() == n && map.upper.cells.size() == n && beforeLower.size() == n &&
         beforeUpper.size() == n && mask.Width() == map.lower.width && mask.Height() == map.lower.height &&
         history.Width() == map.lower.width && history.Height() == map.lower.height;
}

void TMapEditState::EnsureSized() {
  if (!SizesMatch()) SetMap();
}

void TMapEditState::SetModifiers(bool shift, bool ctrl) {
  shiftHeld = shift;
  ctrlHeld = ctrl;
  writer.exact = shift;
  writer.rules.edgeDiffers = ctrl;
}

void TMapEditState::TakeBeforeCopies() {
  CopyCells(map.lower.cells, beforeLower);
  CopyCells(map.upper.cells, beforeUpper);
}

void TMapEditState::RestoreBeforeCopies() {
  for (int y = 0; y < map.lower.height; ++y)
    for (int x = 0; x < map.lower.width; ++x) {
      const size_t i = static_cast<size_t>(y) * static_cast<size_t>(map.lower.width) + static_cast<size_t>(x);
      writer.Write(map.lower, x, y, beforeLower[i]);
      writer.Write(map.upper, x, y, beforeUpper[i]);
    }
}

void TMapEditState::MarkModified() {
  if (onMapChanged) onMapChanged();
}

}  // namespace tess
