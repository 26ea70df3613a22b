#pragma once
// The scratch folder TESS_TEMP: map work copies, the game disk and battle test work folders.
//
// It belongs to one user: under $XDG_RUNTIME_DIR when that is set, else in the temporary folder
// with the user id in its name, and always mode 0700. Work copies an editor left there when it
// died are offered for recovery at the next start instead of being deleted unseen.

#include <cstdint>
#include <string>
#include <vector>

namespace tess {

// The scratch folder's path, with a trailing '/'. Nothing is created.
std::string ScratchFolder();

// Creates the scratch folder when it is missing and checks that it is safe to use: a real folder
// (not a link), owned by this user, and not open to others (its mode is set to 0700). Returns its
// path with a trailing '/'; raises EFileError naming the folder and the reason otherwise.
std::string PrepareScratchFolder(const std::string& folder = ScratchFolder());

// A map work copy found in the scratch folder.
struct TLeftWorkCopy {
  int32_t mapId;
  std::string path;
  int64_t size;
  int64_t modifiedTime;  // seconds since 1970
};

// The map work copies ("Map%.4d.lmu", any case) in folder, by ascending map id. A missing folder
// has none.
std::vector<TLeftWorkCopy> FindLeftWorkCopies(const std::string& folder = ScratchFolder());

// The editor notes which project its work copies belong to, so that copies left by an editor that
// died can be offered for that project. Empty when nothing is noted.
void NoteScratchProject(const std::string& projectFolder, const std::string& folder = ScratchFolder());
std::string NotedScratchProject(const std::string& folder = ScratchFolder());

// Removes everything inside the folder (links are removed, never followed); the folder stays.
void ClearScratchFolder(const std::string& folder = ScratchFolder());

}  // namespace tess
