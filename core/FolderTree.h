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

// A temporary folder of this process, TempFolder() + prefix + "-PID-XXXXXX", with a trailing '/';
// empty when it cannot be made. A run that is killed cannot remove its folder, so before making
// one this removes the folders of the same prefix that belong to this user and to a process that
// is gone.
std::string MakeOwnedTempFolder(const std::string& prefix);
// The removal alone; returns how many folders it removed.
int RemoveOrphanedTempFolders(const std::string& prefix);

}  // namespace tess
