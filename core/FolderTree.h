#pragma once
// Whole folders: the system's temporary folder, and deleting a folder with everything in it.

#include <string>

namespace tess {

// The system's temporary folder ($TMPDIR, else /tmp), with a trailing '/'.
std::string TempFolder();

// Deletes the folder and everything in it, read-only entries included. A symbolic link is removed
// as a link and never followed, so deleting a linked project removes only the link. Failures are
// ignored (a locked entry simply stays); returns whether the folder is gone.
bool DeleteFolderTree(const std::string& folder);

}  // namespace tess
