#include "project/ProjectNames.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <set>

#include "core/Errors.h"
#include "core/MessagePort.h"
#include "core/PathUtils.h"
#include "project/ProfileFile.h"

namespace tess {

namespace {

bool EntryExists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

// rename(2) silently replaces an empty folder of the new name; the kernel's no-replace rename
// refuses instead. File systems without it get a check just before the plain rename.
bool RenameNoReplace(const std::string& from, const std::string& to) {
#ifdef RENAME_NOREPLACE
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
#endif
  if (EntryExists(to)) return false;
  return ::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace

bool HasForbiddenCharacters(const std::string& name) { return name.find_first_of("\\/:?*<>|\"") != std::string::npos; }

bool IsAllowedFolderName(const std::string& name) {
  return !HasForbiddenCharacters(name) && (name.empty() || name[0] != '.');
}

std::string ProposeNewProjectName(const std::string& baseFolder) {
  std::set<std::string> taken;
  for (const std::string& entry : ListFolder(baseFolder)) taken.insert(LowerAscii(entry));
  // At most one number per entry is taken, so the search ends within entries + 1 tries.
  for (size_t n = 1;; ++n) {
    const std::string name = kNewProjectPrefix + std::to_string(n);
    if (!taken.count(LowerAscii(name))) return name;
  }
}

bool IsProjectFolder(const std::string& folder) {
  const auto runtime = FindNameNoCase(folder, kRuntimeFileName);
  return runtime && IsFile(*runtime);
}

std::vector<TProjectEntry> ListProjects(const std::string& baseFolder) {
  const std::string base = WithTrailingBackslash(baseFolder);
  std::vector<std::string> names = ListFolder(base);
  std::stable_sort(names.begin(), names.end(),
                   [](const std::string& a, const std::string& b) { return CompareNoCase(a, b) < 0; });
  std::vector<TProjectEntry> projects;
  for (const std::string& name : names) {
    if (name[0] == '.' || !IsFolder(base + name) || !IsProjectFolder(base + name)) continue;
    std::string title;
    try {
      title = ReadGameTitle(base + name);
    } catch (const ETessError&) {
      // Settings that cannot be read name no title.
      title = kDefaultGameTitle;
    }
    projects.push_back({name, title});
  }
  return projects;
}

bool CreateProjectFolder(const std::string& baseFolder, const std::string& name) {
  if (name.empty() || HasForbiddenCharacters(name) || name == "." || name == "..") return false;
  if (FindNameNoCase(baseFolder, name)) return false;
  return ::mkdir((WithTrailingBackslash(baseFolder) + name).c_str(), 0777) == 0;
}

bool RenameProjectFolder(const std::string& baseFolder, const std::string& oldName, const std::string& newName) {
  if (oldName.empty() || newName.empty() || HasForbiddenCharacters(oldName) || HasForbiddenCharacters(newName) ||
      newName == "." || newName == ".." || oldName == "." || oldName == "..")
    return false;
  const std::string base = WithTrailingBackslash(baseFolder);
  if (!IsFolder(base + oldName)) return false;
  if (oldName == newName) return true;
  // Another entry of the same name in another case would make two projects that a case-blind
  // system cannot tell apart; only the folder itself may differ from the new name in case.
  for (const std::string& entry : ListFolder(base))
    if (entry != oldName && EqualsNoCase(entry, newName)) return false;
  return RenameNoReplace(base + oldName, base + newName);
}

bool AcceptNewProjectFolder(const std::string& baseFolder, const std::string& folderName, void* owner) {
  if (!IsAllowedFolderName(folderName)) {
    ShowError(kIllegalNewNameMessage, owner);
    return false;
  }
  if (!CreateProjectFolder(baseFolder, folderName)) {
    ShowError(kCannotCreateProjectFolderMessage, owner);
    return false;
  }
  return true;
}

bool AcceptRenameProject(const std::string& baseFolder, const std::string& oldName, const std::string& newName,
                         const std::string& gameTitle, void* owner) {
  if (!IsAllowedFolderName(newName)) {
    ShowError(kIllegalRenameMessage, owner);
    return false;
  }
  if (newName != oldName && !RenameProjectFolder(baseFolder, oldName, newName)) {
    ShowError(kCannotRenameMessage, owner);
    return false;
  }
  try {
    WriteGameTitle(WithTrailingBackslash(baseFolder) + newName, gameTitle);
  } catch (const ETessError& e) {
    // The folder already has its new name, so the dialog closes and the list shows it; the user
    // learns that the title stayed as it was.
    ShowError(e.what(), owner);
  }
  return true;
}

namespace {
constexpr const char* kGameTitle = "GameTitle";
}  // namespace

std::string ReadGameTitle(const std::string& projectFolder) {
  return TProfileFile(WithTrailingBackslash(projectFolder) + kProjectIniName)
      .ReadString(kProjectIniSection, kGameTitle, kDefaultGameTitle);
}

void WriteGameTitle(const std::string& projectFolder, const std::string& title) {
  TProfileFile ini(WithTrailingBackslash(projectFolder) + kProjectIniName);
  ini.WriteString(kProjectIniSection, kGameTitle, title);
  ini.Save();
}

}  // namespace tess
