#pragma once
// Where this program lies, and folders named on the command line.

#include <string>

namespace tess::cli {

// The folder of this program, with a trailing '/'; empty when it cannot be found.
std::string ProgramFolder();
// path made absolute and normal, with a trailing '/'.
std::string AbsoluteFolder(const std::string& path);
// The editor's folder in the build tree: app beside this program's folder.
std::string EditorFolder();

}  // namespace tess::cli
