#include "maps/EventMap.h"

namespace tess {

void TLcfEventMap::Build(const TLcfMapTree* tree, const TLcfMap& map) {
  width_ = map.lower.width;
  height_ = map.lower.height;
  values_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);
  skipped_.clear();
  auto set = [this](int x, int y, int value) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_)
      values_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] =
          static_cast<uint16_t>(value);
  };
  for (int i = 0; i < map.events.Count(); ++i) {
    const TLcfEventItem* e = map.events.ItemAt(i);
    if (e->Id() < 1 || e->Id() > kMaxEventId) {
      skipped_.push_back(e->Id());
      continue;
    }
    set(e->x, e->y, e->Id());
  }
  if (!tree || map.Id() <= 0) return;
  const TLcfMapStartPosition& starts = tree->startPositions;
  for (int slot = 0; slot < TLcfMapStartPosition::kSlotCount; ++slot)
    if (starts.MapId(slot) == map.Id() && starts.X(slot) >= 0) set(starts.X(slot), starts.Y(slot), kPartyStart + slot);
}

int TLcfEventMap::GetAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return -1;
  return values_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

}  // namespace tess
