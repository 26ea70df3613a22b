#pragma once
// tessaly-cli dungeon: regenerates a random dungeon map in place, as the map tree's "Generate
// Dungeon" does, through a work copy and the save of the map tree.

#include <iosfwd>
#include <string>
#include <vector>

namespace tess::cli {

// dungeon PROJECT_DIR MAP_ID [--seed N] [--rtp-folder PATH]
int Dungeon(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tess::cli
