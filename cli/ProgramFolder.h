#pragma once
// Where this program lies, and folders named on the command line.

#include <string>

namespace tess::cli {

// The folder of this program, with a trailing '/'; empty when it cannot be found.
std::string ProgramFolder();
// path made absolute and normal, with a trailing '/'.
std::string AbsoluteFolder(const std::string& path);
// The editor's folder of templates, runtime package and installer files: app/ of the build tree,
// or share/tessaly/ of the installation this program belongs to.
std::string EditorFolder();

}  // namespace tess::cli
