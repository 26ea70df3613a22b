#pragma once
// The text form on the command line: one file's text on standard output (git's textconv driver),
// and a whole project dumped to text and loaded back.

#include <iosfwd>
#include <string>
#include <vector>

namespace tess::cli {

// text FILE
int Text(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// dump PROJECT_DIR OUT_DIR
int Dump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// load TEXT_DIR PROJECT_DIR
int Load(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tess::cli
