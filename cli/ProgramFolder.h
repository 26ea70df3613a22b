#pragma once
// Where tessaly-cli itself lies: the templates and installer files are looked up from there.

#include <string>

namespace tess::cli {

// The folder of this program, with a trailing '/'; empty when it cannot be found.
std::string ProgramFolder();

}  // namespace tess::cli
