#include "core/PathUtils.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

namespace tess {

namespace {
char FoldAscii(char ch) { return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch; }
}  // namespace

std::string WithTrailingBackslash(const std::string& path) {
  if (path.empty() || path.back() == '/') return path;
  return path + '/';
}

std::string StripTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string LowerAscii(std::string text) {
  for (char& ch : text) ch = FoldAscii(ch);
  return text;
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

int CompareNoCase(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(FoldAscii(a[i]));
    const auto y = static_cast<unsigned char>(FoldAscii(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

bool HasWildcard(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

bool WildcardMatchNoCase(const std::string& pattern, const std::string& name) {
  // Iterative matching with one backtrack point for the last '*': linear in practice, never
  // exponential.
  size_t p = 0, n = 0, starP = std::string::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || FoldAscii(pattern[p]) == FoldAscii(name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::string::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::vector<std::string> ListFolder(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return names;
  while (const dirent* e = ::readdir(dir)) {
    const std::string name = e->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

bool IsFolder(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<std::string> FindNameNoCase(const std::string& folder, const std::string& name) {
  if (name.empty() || name == "." || name == "..") return std::nullopt;
  const std::string dir = WithTrailingBackslash(folder);
  struct stat st;
  if (::lstat((dir + name).c_str(), &st) == 0) return dir + name;
  for (const std::string& entry : ListFolder(folder))
    if (EqualsNoCase(entry, name)) return dir + entry;
  return std::nullopt;
}

std::optional<std::string> ResolvePathNoCase(const std::string& base, const std::string& relative) {
  std::string path = !relative.empty() && relative[0] == '/' ? std::string("/") : base;
  size_t start = 0;
  while (start <= relative.size()) {
    size_t slash = relative.find('/', start);
    if (slash == std::string::npos) slash = relative.size();
    const std::string part = relative.substr(start, slash - start);
    start = slash + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      path = WithTrailingBackslash(path) + "..";
      continue;
    }
    auto found = FindNameNoCase(path, part);
    if (!found) return std::nullopt;
    path = *found;
  }
  return path;
}

}  // namespace tess
