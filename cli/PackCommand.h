#pragma once
// tessaly-cli pack: a game disk made into a folder.

#include <iosfwd>
#include <string>
#include <vector>

namespace tess::cli {

// pack PROJECT_DIR DEST_DIR [--with-rtp] [--rtp-folder PATH]
int Pack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tess::cli
