#include "core/ScratchFolder.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "core/AtomicFile.h"
#include "core/Errors.h"
#include "core/FileLookup.h"
#include "core/Stream.h"

namespace tess {

namespace {

constexpr const char* kProjectNote = "Project.txt";

bool IsUsableDir(const char* path) {
  struct stat st;
  return path && path[0] == '/' && ::stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

// Map id of a work copy name ("Map0001.lmu" in any case), or -1.
int32_t WorkCopyId(const char* name) {
  size_t n = std::strlen(name);
  if (n < 3 + 1 + 4 || ::strncasecmp(name, "map", 3) != 0 || ::strcasecmp(name + n - 4, ".lmu") != 0) return -1;
  int64_t id = 0;
  for (size_t i = 3; i < n - 4; ++i) {
    if (name[i] < '0' || name[i] > '9' || id > 100000000) return -1;
    id = id * 10 + (name[i] - '0');
  }
  return static_cast<int32_t>(id);
}

}  // namespace

std::string ScratchFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (IsUsableDir(runtime)) return WithTrailingSlash(runtime) + "TESS_TEMP/";
  const char* temp = std::getenv("TMPDIR");
  std::string base = IsUsableDir(temp) ? WithTrailingSlash(temp) : std::string("/tmp/");
  return base + "TESS_TEMP-" + std::to_string(static_cast<unsigned long>(::geteuid())) + "/";
}

std::string PrepareScratchFolder(const std::string& folder) {
  std::string path = WithTrailingSlash(folder);
  std::string bare = path.substr(0, path.size() - 1);
  auto fail = [&](const std::string& reason) -> void {
    throw EFileError("Cannot use the scratch folder \"" + bare + "\". " + reason);
  };
  if (::mkdir(bare.c_str(), 0700) != 0 && errno != EEXIST) fail(std::strerror(errno));
  struct stat st;
  if (::lstat(bare.c_str(), &st) != 0) fail(std::strerror(errno));
  if (!S_ISDIR(st.st_mode)) fail("It is not a folder.");
  if (st.st_uid != ::geteuid()) fail("It belongs to another user.");
  if ((st.st_mode & 07777) != 0700 && ::chmod(bare.c_str(), 0700) != 0) fail(std::strerror(errno));
  return path;
}

std::vector<TLeftWorkCopy> FindLeftWorkCopies(const std::string& folder) {
  std::vector<TLeftWorkCopy> found;
  std::string base = WithTrailingSlash(folder);
  DIR* dir = ::opendir(base.c_str());
  if (!dir) return found;
  while (dirent* entry = ::readdir(dir)) {
    int32_t id = WorkCopyId(entry->d_name);
    if (id < 0) continue;
    std::string path = base + entry->d_name;
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    found.push_back({id, path, static_cast<int64_t>(st.st_size), static_cast<int64_t>(st.st_mtime)});
  }
  ::closedir(dir);
  std::sort(found.begin(), found.end(), [](const TLeftWorkCopy& a, const TLeftWorkCopy& b) {
    return a.mapId != b.mapId ? a.mapId < b.mapId : a.path < b.path;
  });
  return found;
}

void NoteScratchProject(const std::string& projectFolder, const std::string& folder) {
  WriteFileAtomic(WithTrailingSlash(folder) + kProjectNote, projectFolder);
}

std::string NotedScratchProject(const std::string& folder) {
  std::string path = WithTrailingSlash(folder) + kProjectNote;
  if (!FileExists(path)) return {};
  try {
    Bytes data = ReadWholeFile(path);
    return std::string(data.begin(), data.end());
  } catch (const EFileError&) {
    return {};
  }
}

void ClearScratchFolder(const std::string& folder) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
    std::filesystem::remove_all(entry.path(), ec);
}

}  // namespace tess
