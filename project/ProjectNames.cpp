#include "project/ProjectNames.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
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

namespace {

bool Fail(std::string* why, const std::string& reason) {
  if (why) *why = reason;
  return false;
}

// The system's reason, as a sentence.
std::string SystemReason(int error) {
  std::string text = std::strerror(error);
  return text + ".";
}

// Why a name cannot name a project folder, or empty when it can.
std::string NameProblem(const std::string& name) {
  if (name.empty()) return "The name is empty.";
  if (HasForbiddenCharacters(name)) return "The name \"" + name + "\" contains a character folder names cannot hold.";
  if (name == "." || name == "..") return "\"" + name + "\" is not a folder name.";
  return {};
}

// An entry of the base folder with the name in any case, other than except.
std::optional<std::string> TakenName(const std::string& base, const std::string& name, const std::string& except) {
  for (const std::string& entry : ListFolder(base))
    if (entry != except && EqualsNoCase(entry, name)) return entry;
  return std::nullopt;
}

std::string Taken(const std::string& base, const std::string& entry) {
  return std::string(IsFolder(base + entry) ? "The folder" : "An entry") + " \"" + entry + "\" exists already.";
}

}  // namespace

bool CreateProjectFolder(const std::string& baseFolder, const std::string& name, std::string* why) {
  const std::string base = WithTrailingBackslash(baseFolder);
  if (const std::string problem = NameProblem(name); !problem.empty()) return Fail(why, problem);
  if (!IsFolder(base)) return Fail(why, "The folder of the projects, " + base + ", does not exist.");
  if (const auto taken = TakenName(base, name, {})) return Fail(why, Taken(base, *taken));
  if (::mkdir((base + name).c_str(), 0777) != 0) return Fail(why, SystemReason(errno));
  return true;
}

bool RenameProjectFolder(const std::string& baseFolder, const std::string& oldName, const std::string& newName,
                         std::string* why) {
  if (const std::string problem = NameProblem(newName); !problem.empty()) return Fail(why, problem);
  if (!NameProblem(oldName).empty()) return Fail(why, "\"" + oldName + "\" is not a project folder.");
  const std::string base = WithTrailingBackslash(baseFolder);
  if (!IsFolder(base + oldName)) return Fail(why, "The folder \"" + oldName + "\" does not exist any more.");
  if (oldName == newName) return true;
  // Another entry of the same name in another case would make two projects that a case-blind
  // system cannot tell apart; only the folder itself may differ from the new name in case.
  if (const auto taken = TakenName(base, newName, oldName)) return Fail(why, Taken(base, *taken));
  if (!RenameNoReplace(base + oldName, base + newName))
    return Fail(why, errno == EEXIST || errno == ENOTEMPTY ? Taken(base, newName) : SystemReason(errno));
  return true;
}

bool AcceptNewProjectFolder(const std::string& baseFolder, const std::string& folderName, void* owner) {
  if (!IsAllowedFolderName(folderName)) {
    ShowError(kIllegalNewNameMessage, owner);
    return false;
  }
  std::string why;
  if (!CreateProjectFolder(baseFolder, folderName, &why)) {
    ShowError(std::string(kCannotCreateProjectFolderMessage) + "\n" + why, owner);
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
  std::string why;
  if (newName != oldName && !RenameProjectFolder(baseFolder, oldName, newName, &why)) {
    ShowError(std::string(kCannotRenameMessage) + "\n" + why, owner);
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
