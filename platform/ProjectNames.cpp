#include "platform/ProjectNames.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <set>

#include "core/Errors.h"
#include "core/MessagePort.h"
#include "core/PathUtils.h"
#include "platform/RuntimePackage.h"
#include "platform/Settings.h"
#include "platform/ShellServices.h"
#include "platform/WaitCursor.h"

namespace tess {

namespace {

std::string StripTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

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

std::string ProjectBaseFolder(const TSettings& settings, const std::string& applicationFolder) {
  const std::string base = settings.ProjectBasePath(applicationFolder);
  return WithTrailingBackslash(base.empty() ? applicationFolder : base);
}

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

bool AskDeleteProject(const std::string& baseFolder, const std::string& folderName, void* owner) {
  if (folderName.empty() || HasForbiddenCharacters(folderName) || folderName == "." || folderName == "..") return false;
  std::string question = kDeleteProjectQuestion;
  question.replace(question.find("%s"), 2, folderName);
  if (ShowMessageBox(question, {TMessageIcon::Warning, TMessageButtons::YesNo}, owner) != TMessageResult::Yes)
    return false;
  const std::string base = WithTrailingBackslash(baseFolder);
  // The folder being deleted must not stay the current directory; when the base folder cannot be
  // entered the current directory is elsewhere anyway.
  [[maybe_unused]] const int entered = ::chdir(base.c_str());
  TWaitCursor wait;
  return DeleteFolderTree(base + folderName);
}

bool ProjectPathAcceptable(const std::string& text) { return text.size() >= 3 && text[0] == '/' && IsFolder(text); }

std::optional<std::string> AcceptProjectPath(const std::string& text, void* owner) {
  if (text.empty()) return std::nullopt;
  std::error_code ec;
  std::string full = std::filesystem::absolute(std::filesystem::path(text), ec).lexically_normal().string();
  if (ec) full = text;
  full = WithTrailingBackslash(StripTrailingSlashes(full));
  if (IsFloppyDrive(full) || IsCdRomDrive(full)) {
    ShowError(kNoDataOnDriveMessage, owner);
    return std::nullopt;
  }
  if (!DriveExists(full)) {
    ShowError(kMissingDriveMessage, owner);
    return std::nullopt;
  }
  if (IsFolder(full)) return full;
  if (AskYesNo(kCreatePathQuestion, owner) == TMessageResult::No) return std::nullopt;
  {
    TWaitCursor wait;
    std::filesystem::create_directories(full, ec);
  }
  if (IsFolder(full)) return full;
  ShowError(kCannotCreatePathMessage, owner);
  return std::nullopt;
}

}  // namespace tess
