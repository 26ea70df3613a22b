#include "maps/CurrentChip.h"

#include <algorithm>
#include <stdexcept>

namespace tess {

TLcfCurrentChip::TLcfCurrentChip(int id) { ids_.fill(static_cast<uint16_t>(id)); }

size_t TLcfCurrentChip::Slot(int x, int y) {
  if (x < 0 || y < 0 || x >= kMaxSide || y >= kMaxSide) throw std::out_of_range("current chip cell out of range");
  return static_cast<size_t>(kMaxSide * x + y);
}

int TLcfCurrentChip::Cell(int x, int y) const { return ids_[Slot(x, y)]; }

void TLcfCurrentChip::SetCell(int x, int y, int id) { ids_[Slot(x, y)] = static_cast<uint16_t>(id); }

void TLcfCurrentChip::SetSize(int w, int h) {
  width = std::clamp(w, 1, kMaxSide);
  height = std::clamp(h, 1, kMaxSide);
}

}  // namespace tess
