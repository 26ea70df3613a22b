#pragma once
// What several commands of tessaly-cli need: where the program lies and absolute folder names.

#include <string>

namespace tess::cli {

// The folder of this program, with a trailing '/'; empty when it cannot be found.
std::string ProgramFolder();
// The path made absolute (against the current directory) and normalised, with a trailing '/'.
std::string AbsoluteFolder(const std::string& path);

}  // namespace tess::cli
