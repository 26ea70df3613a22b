#pragma once
// tessaly-cli events: every event script of a project as the editor shows it, for reviews, diffs
// and translation work.

#include <iosfwd>
#include <string>
#include <vector>

namespace tess::cli {

// events PROJECT_DIR [--map N] [--common] [--troops]
int Events(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tess::cli
