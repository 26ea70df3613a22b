#include "core/FolderTree.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "core/PathUtils.h"

namespace tess {

namespace {

// Deletes everything inside the open folder dirFd, never following a link.
void ClearFolder(int dirFd) {
  std::vector<std::string> names;
  {
    const int listFd = ::dup(dirFd);
    if (listFd < 0) return;
    DIR* dir = ::fdopendir(listFd);
    if (!dir) {
      ::close(listFd);
      return;
    }
    while (const dirent* e = ::readdir(dir)) {
      const std::string name = e->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
  }
  for (const std::string& name : names) {
    struct stat st;
    if (::fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISDIR(st.st_mode)) {
      // A read-only folder is made writable first, as read-only files are cleared before
      // deletion elsewhere.
      if ((st.st_mode & S_IRWXU) != S_IRWXU) ::fchmodat(dirFd, name.c_str(), st.st_mode | S_IRWXU, 0);
      const int sub = ::openat(dirFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (sub >= 0) {
        ClearFolder(sub);
        ::close(sub);
      }
      ::unlinkat(dirFd, name.c_str(), AT_REMOVEDIR);
    } else {
      ::unlinkat(dirFd, name.c_str(), 0);
    }
  }
}

}  // namespace

std::string TempFolder() {
  const char* tmp = std::getenv("TMPDIR");
  return WithTrailingBackslash(tmp && *tmp ? tmp : "/tmp");
}

bool DeleteFolderTree(const std::string& folder) {
  const std::string path = StripTrailingSlashes(folder);
  if (path.empty()) return false;
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT;
  if (S_ISLNK(st.st_mode)) return ::unlink(path.c_str()) == 0;
  if (!S_ISDIR(st.st_mode)) return false;
  if ((st.st_mode & S_IRWXU) != S_IRWXU) ::chmod(path.c_str(), st.st_mode | S_IRWXU);
  const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd >= 0) {
    ClearFolder(fd);
    ::close(fd);
  }
  return ::rmdir(path.c_str()) == 0;
}

int RemoveOrphanedTempFolders(const std::string& prefix) {
  const std::string temp = TempFolder();
  DIR* dir = ::opendir(temp.c_str());
  if (!dir) return 0;
  std::vector<std::string> orphans;
  const std::string lead = prefix + "-";
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.compare(0, lead.size(), lead) != 0) continue;
    // The process id stands between the prefix and the random part.
    const size_t dash = name.find('-', lead.size());
    if (dash == std::string::npos || dash == lead.size()) continue;
    const std::string digits = name.substr(lead.size(), dash - lead.size());
    if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 9) continue;
    const pid_t pid = static_cast<pid_t>(std::stol(digits));
    if (pid <= 0 || pid == ::getpid()) continue;
    // Alive, or another user's (EPERM): left alone.
    if (::kill(pid, 0) == 0 || errno != ESRCH) continue;
    struct stat st;
    const std::string path = temp + name;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) continue;
    orphans.push_back(path);
  }
  ::closedir(dir);
  int removed = 0;
  for (const std::string& path : orphans) removed += DeleteFolderTree(path) ? 1 : 0;
  return removed;
}

std::string MakeOwnedTempFolder(const std::string& prefix) {
  RemoveOrphanedTempFolders(prefix);
  std::string pattern = TempFolder() + prefix + "-" + std::to_string(::getpid()) + "-XXXXXX";
  if (!::mkdtemp(pattern.data())) return {};
  return WithTrailingBackslash(pattern);
}

}  // namespace tess
