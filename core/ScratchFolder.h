#pragma once
// Recovering the work of an editor that died: the map work copies it left in the scratch folder
// (ScratchFolder(), TESS_TEMP) are found and offered at the next start, not deleted unseen.

#include <cstdint>
#include <string>
#include <vector>

#include "core/ProjectFolder.h"

namespace tess {

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
// died are offered for that project only. Empty when nothing is noted.
inline constexpr const char* kScratchProjectNote = "Project.txt";
void NoteScratchProject(const std::string& projectFolder, const std::string& folder = ScratchFolder());
std::string NotedScratchProject(const std::string& folder = ScratchFolder());
// Removes the note (a missing one is fine).
void ForgetScratchProject(const std::string& folder = ScratchFolder());

}  // namespace tess
