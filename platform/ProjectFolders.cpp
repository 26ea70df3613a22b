#include "platform/ProjectFolders.h"

#include <unistd.h>

#include <filesystem>

#include "core/MessagePort.h"
#include "core/PathUtils.h"
#include "platform/Settings.h"
#include "platform/ShellServices.h"
#include "platform/WaitCursor.h"
#include "project/ProjectNames.h"

namespace tess {

std::string ProjectBaseFolder(const TSettings& settings, const std::string& applicationFolder) {
  const std::string base = settings.ProjectBasePath(applicationFolder);
  return WithTrailingBackslash(base.empty() ? applicationFolder : base);
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
