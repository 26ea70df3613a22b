#pragma once
// A project whose tileset is a picture of random colours, so that every tile, water piece and
// autotile shape looks different, and its map 1 filled with them: for tests that compare what a
// map view shows.

#include <string>

namespace tess {
class TLcfMap;
}

namespace tess::test {

// Map of w x h cells: lower chips 5010.. with a band of water and autotiles, upper chips on every
// third cell.
void FillMap(TLcfMap& map, int w, int h);
// The project folder (with a trailing '/') gets the noise tileset as tileset 1 and map 1 filled.
void MakeTiledProject(const std::string& folder, int w, int h);
// Lets the windows handle what is queued (painting, layout).
void Settle();

}  // namespace tess::test
