#pragma once
// A tileset picture for checking how shapes are composed. It is drawn like a real tileset, so that
// composed shapes read at a glance: water kinds and autotile blocks have their edges, inner corners
// and centres in the places the composition expects, each region in a colour of its own. On top,
// every 8 x 8 quarter carries two small dots, one in a colour of its column and one of its row, so
// that no two quarters are alike and a quarter drawn from the wrong place shows.

#include "tools/rtpgen/IndexedCanvas.h"

namespace tess::rtp {

TIndexedCanvas DrawMarkedTileset();

}  // namespace tess::rtp
