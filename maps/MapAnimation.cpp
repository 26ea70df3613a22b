#include "maps/MapAnimation.h"

#include "maps/GR_ChipSet.h"
#include "maps/LD_Map.h"
#include "maps/TileId.h"

namespace tess {

std::vector<TCellPoint> AnimatedCellsChanged(const TLcfMap& map, const TLcfChipSetGraphic& graphic,
                                             const TCellRect& cells, int from, int to) {
  std::vector<TCellPoint> changed;
  if (!graphic.HasTileset()) return changed;
  const TLcfMapLayer& lower = map.lower;
  const TCellRect r = cells.Intersected({0, 0, lower.width, lower.height});
  if (r.Empty()) return changed;
  // Only water and the animated tiles (the ids below the autotiles) move.
  for (int y = r.y; y < r.Bottom(); ++y) {
    const uint16_t* row = lower.cells.data() + static_cast<size_t>(y) * static_cast<size_t>(lower.width);
    for (int x = r.x; x < r.Right(); ++x) {
      const int id = row[x];
      if (id >= kAutotileFirst) continue;
      if (graphic.TileKeyOf(id, from) != graphic.TileKeyOf(id, to)) changed.push_back({x, y});
    }
  }
  return changed;
}

}  // namespace tess
