#pragma once
// tessaly-cli search: the event search of the editor's "Event Search" window over a project's
// files, printing the window's result lines.

#include <iosfwd>
#include <string>
#include <vector>

namespace tess::cli {

// search PROJECT_DIR (--switch N | --variable N | --event-name NAME | --text TEXT)
//        [--scope map:N|common|all] [--where]
int Search(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tess::cli
