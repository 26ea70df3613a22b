#pragma once
// Water and the animated tiles move in the map view: a counter of sixtieths of a second advances
// on a timer, and only the cells whose picture differs between the old and the new counter are
// drawn again. The tileset's water sequence and speed decide when water changes its frame; the
// animated tiles change every tenth of a second.

#include <vector>

#include "maps/CellRect.h"

namespace tess {

class TLcfMap;
class TLcfChipSetGraphic;

// The view's timer period and how far the counter advances on each tick (the counter counts
// sixtieths of a second, as the tileset's speeds are given).
constexpr int kAnimationTickMs = 100;
constexpr int kAnimationCounterStep = 6;

// The cells of `cells` (clipped to the map) whose lower tile is drawn differently at counter `to`
// than at counter `from`, row by row.
std::vector<TCellPoint> AnimatedCellsChanged(const TLcfMap& map, const TLcfChipSetGraphic& graphic,
                                             const TCellRect& cells, int from, int to);

}  // namespace tess
