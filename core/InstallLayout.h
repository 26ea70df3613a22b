#pragma once
// Where the programs find what ships with the editor: the project templates (TESS_RT.exe.dat,
// TESS_RT.ldb.dat), the runtime package (RTP), the game disk's installer files and the manual.
// In the build tree they lie beside the editor (build/app); installed, the programs lie in bin/
// and the rest in share/tessaly/ and share/doc/tessaly/ beside it. Both layouts are found from
// the folder of the running program, so an installed tree can be moved anywhere.

#include <string>

namespace tess {

// The sub-folders of an installation prefix.
inline constexpr const char* kInstalledDataFolder = "share/tessaly/";
inline constexpr const char* kInstalledManualFolder = "share/doc/tessaly/manual/";

// The folder of the templates, the runtime package and the installer files, with a trailing '/',
// for a program in programFolder: programFolder itself when it holds the database template (the
// editor in the build tree, or an unpacked portable folder); the editor's folder app/ of the build
// tree when the program is one of the tools built beside it; share/tessaly/ of the installation
// when the program lies in its bin/. When none holds the template, programFolder.
std::string EditorDataFolder(const std::string& programFolder);

// The folder of the HTML manual (manual/index.html is its first page) with a trailing '/':
// manual/ of the editor's data folder in the build tree, share/doc/tessaly/manual/ installed.
std::string ManualFolder(const std::string& programFolder);

}  // namespace tess
