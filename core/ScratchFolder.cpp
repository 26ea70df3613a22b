#include "core/ScratchFolder.h"

#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/AtomicFile.h"
#include "core/Errors.h"
#include "core/PathUtils.h"
#include "core/Stream.h"

namespace tess {

namespace {

// Map id of a work copy name ("Map0001.lmu" in any case), or -1.
int32_t WorkCopyId(const std::string& name) {
  const size_t n = name.size();
  if (n < 3 + 1 + 4 || ::strncasecmp(name.c_str(), "map", 3) != 0 || ::strcasecmp(name.c_str() + n - 4, ".lmu") != 0)
    return -1;
  int64_t id = 0;
  for (size_t i = 3; i < n - 4; ++i) {
    if (name[i] < '0' || name[i] > '9' || id > 100000000) return -1;
    id = id * 10 + (name[i] - '0');
  }
  return static_cast<int32_t>(id);
}

}  // namespace

std::vector<TLeftWorkCopy> FindLeftWorkCopies(const std::string& folder) {
  std::vector<TLeftWorkCopy> found;
  if (folder.empty()) return found;
  const std::string base = WithTrailingBackslash(folder);
  for (const std::string& name : ListFolder(folder)) {
    const int32_t id = WorkCopyId(name);
    if (id < 0) continue;
    struct stat st;
    if (::lstat((base + name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    found.push_back({id, base + name, static_cast<int64_t>(st.st_size), static_cast<int64_t>(st.st_mtime)});
  }
  std::sort(found.begin(), found.end(), [](const TLeftWorkCopy& a, const TLeftWorkCopy& b) {
    return a.mapId != b.mapId ? a.mapId < b.mapId : a.path < b.path;
  });
  return found;
}

void NoteScratchProject(const std::string& projectFolder, const std::string& folder) {
  WriteFileAtomic(WithTrailingBackslash(folder) + kScratchProjectNote, projectFolder);
}

void ForgetScratchProject(const std::string& folder) {
  if (!folder.empty()) std::remove((WithTrailingBackslash(folder) + kScratchProjectNote).c_str());
}

std::string NotedScratchProject(const std::string& folder) {
  if (folder.empty()) return {};
  const std::string path = WithTrailingBackslash(folder) + kScratchProjectNote;
  if (!IsFile(path)) return {};
  try {
    Bytes data = ReadWholeFile(path);
    return std::string(data.begin(), data.end());
  } catch (const EFileError&) {
    return {};
  }
}

}  // namespace tess
