#pragma once
// Where this program lies, and folders named on the command line.

#include <iosfwd>
#include <string>

namespace tess::cli {

// The folder of this program, with a trailing '/'; empty when it cannot be found.
std::string ProgramFolder();
// path made absolute and normal, with a trailing '/'.
std::string AbsoluteFolder(const std::string& path);
// The editor's folder of templates, runtime package and installer files: app/ of the build tree,
// or share/tessaly/ of the installation this program belongs to.
std::string EditorFolder();

// The project folder named on a command line, made absolute and made the process's project
// folder, with the runtime package that tilesets and pictures are looked up in: runtimePackage
// when given, else the registered one (or the editor's own). An argument that is no folder is
// told to err and gives an empty string.
std::string UseProjectFolder(const std::string& argument, const std::string* runtimePackage, std::ostream& err);
// Whether a runtime package folder named with --rtp-folder is there; one that is not is told to
// err, as the pictures looked up in it would all be reported missing for no clear reason. An
// empty name asks for no package and passes.
bool NamedRuntimePackageExists(const std::string& folder, std::ostream& err);

}  // namespace tess::cli
