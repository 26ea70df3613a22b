#include "core/FileLookup.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

namespace tess {

std::string WithTrailingSlash(const std::string& folder) {
  if (folder.empty() || folder.back() == '/') return folder;
  return folder + "/";
}

std::string FindFileNoCase(const std::string& folder, const std::string& name) {
  const std::string base = WithTrailingSlash(folder.empty() ? std::string(".") : folder);
  struct stat st;
  if (::lstat((base + name).c_str(), &st) == 0) return base + name;
  DIR* dir = ::opendir(base.c_str());
  if (!dir) return {};
  std::string found;
  while (dirent* entry = ::readdir(dir)) {
    if (::strcasecmp(entry->d_name, name.c_str()) == 0) {
      found = base + entry->d_name;
      break;
    }
  }
  ::closedir(dir);
  return found;
}

std::string PathNoCase(const std::string& folder, const std::string& name) {
  std::string found = FindFileNoCase(folder, name);
  return found.empty() ? WithTrailingSlash(folder) + name : found;
}

}  // namespace tess
