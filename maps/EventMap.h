#pragma once
// The event grid of the open map: which event or start position stands on each cell. Cell values:
// 0 empty, 1..60000 an event id, 60001..60004 the party, skiff, ship and airship start positions.

#include <cstdint>
#include <vector>

#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"

namespace tess {

class TLcfEventMap {
 public:
  static constexpr int kMaxEventId = 60000;
  static constexpr int kPartyStart = TLcfMapStartPosition::kFirstStartEventId;

  // Sizes the grid to the map and places its events in list order (a later one in the same cell
  // wins), then the start positions on this map (over any event). Events whose id would read as a
  // start position are not placed; SkippedEventIds lists them. tree may be null (no start
  // positions).
  void Build(const TLcfMapTree* tree, const TLcfMap& map);
  // The cell's value, -1 outside the map.
  int GetAt(int x, int y) const;
  int Width() const { return width_; }
  int Height() const { return height_; }
  const std::vector<int32_t>& SkippedEventIds() const { return skipped_; }

  static bool IsStartPosition(int value) { return value > kMaxEventId && value < kPartyStart + 4; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint16_t> values_;
  std::vector<int32_t> skipped_;
};

}  // namespace tess
