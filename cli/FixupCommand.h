#pragma once
// tessaly-cli fixup: re-shapes the water and autotiles of a map's lower layer from their
// neighbours, as placing each cell with the pen would.

#include <iosfwd>
#include <string>
#include <vector>

namespace tess::cli {

// fixup PROJECT_DIR MAP_ID [--out OUT.lmu] [--ctrl] [--rtp-folder PATH]
int Fixup(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tess::cli
