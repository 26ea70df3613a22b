#include "editor/app/ProjectManager.h"

#include <unistd.h>

#include <QDialog>

#include "editor/app/FormGameDisk.h"
#include "editor/app/FormNewProject.h"
#include "editor/app/FormOpenProject.h"
#include "core/Errors.h"
#include "core/PathUtils.h"
#include "core/ProjectFolder.h"
#include "platform/ProjectFolders.h"
#include "platform/Settings.h"
#include "platform/ShellServices.h"
#include "project/ProjectCreation.h"
#include "project/ProjectNames.h"

namespace tess {

namespace {

// The current directory is where a started runtime looks for its game; failing to enter a folder
// leaves it where it was.
bool EnterFolder(const std::string& folder) { return !folder.empty() && ::chdir(folder.c_str()) == 0; }

}  // namespace

TProjectManager::TProjectManager(TSettings& settings, std::string applicationFolder, TCallbacks callbacks)
    : settings_(settings),
      applicationFolder_(WithTrailingBackslash(std::move(applicationFolder))),
      callbacks_(std::move(callbacks)) {
  settings_.SetApplicationPath(applicationFolder_);
  settings_.Sync();
  // With no project open, the base folder is the current directory.
  EnterFolder(BaseFolder());
}

TProjectManager::~TProjectManager() = default;

std::string TProjectManager::BaseFolder() const { return ProjectBaseFolder(settings_); }

void TProjectManager::CreateProject(const std::string& folderName, const std::string& gameTitle) {
  if (open_) return;
  const std::string base = BaseFolder();
  // On failure the folder is deleted, so it must be one project folder inside the base folder and
  // never the base folder itself or a folder elsewhere.
  if (!IsAllowedFolderName(folderName) || folderName.empty() || !IsFolder(base + folderName))
    throw ETessError(kCreationFailedMessage);

  folderName_ = folderName;
  SetProjectFolder(base + folderName + "/");
  bool created = false;
  try {
    if (callbacks_.create && callbacks_.create(gameTitle)) {
      OpenProject(folderName);
      // A project that was made but cannot be opened is of no use to anyone: it counts as a
      // failure, so the user learns of it and no broken folder stays behind.
      created = open_;
    }
  } catch (...) {
    created = false;
  }
  if (created) return;
  EnterFolder(base);
  DeleteFolderTree(base + folderName);
  folderName_.clear();
  SetProjectFolder("");
  throw ETessError(kCreationFailedMessage);
}

void TProjectManager::OpenProject(const std::string& folderName) {
  if (open_ || folderName.empty()) return;
  // A folder name, not a path: a stored full path (the setting's default) opens nothing.
  if (folderName.find('/') != std::string::npos || folderName == "." || folderName == "..") return;
  const std::string base = BaseFolder();
  const auto found = FindNameNoCase(base, folderName);
  if (!found || !IsFolder(*found) || !EnterFolder(*found)) return;
  const std::string name = found->substr(base.size());

  folderName_ = name;
  SetProjectFolder(*found + "/");
  auto forget = [&] {
    EnterFolder(base);
    folderName_.clear();
    SetProjectFolder("");
  };
  bool opened = false;
  try {
    opened = !callbacks_.open || callbacks_.open();
  } catch (...) {
    forget();
    throw;
  }
  if (!opened) {
    forget();
    return;
  }
  open_ = true;
  settings_.SetOpenedProjectFolder(name);
  settings_.Sync();
}

void TProjectManager::CloseProject() {
  if (!open_) return;
  // The project counts as closed even when unloading fails; the failure is still reported.
  struct TFinish {
    TProjectManager& m;
    ~TFinish() {
      EnterFolder(m.BaseFolder());
      SetProjectFolder("");
      m.settings_.SetOpenedProjectFolder("");
      m.settings_.Sync();
      m.open_ = false;
      m.folderName_.clear();
    }
  } finish{*this};
  if (callbacks_.close) callbacks_.close();
}

void TProjectManager::OpenProjectAt(const std::string& folder) {
  if (open_) return;
  const std::string path = StripTrailingSlashes(folder);
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos || slash + 1 >= path.size()) return;
  settings_.SetProjectBasePath(path.substr(0, slash + 1));
  settings_.Sync();
  OpenProject(path.substr(slash + 1));
}

void TProjectManager::ReopenLastProject() {
  try {
    OpenProject(settings_.OpenedProjectFolder(applicationFolder_));
  } catch (...) {
    // The last project may be gone or damaged; the editor starts without one.
  }
}

void TProjectManager::RunNewProjectDialog(QWidget* owner) {
  if (open_) return;
  TFormNewProject dialog(settings_, owner);
  if (dialog.exec() != QDialog::Accepted) return;
  CreateProject(dialog.FolderName(), dialog.GameTitle());
  if (callbacks_.markCurrentFormat) callbacks_.markCurrentFormat();
}

void TProjectManager::RunOpenProjectDialog(QWidget* owner) {
  if (open_) return;
  TFormOpenProject dialog(settings_, owner);
  if (dialog.exec() != QDialog::Accepted) return;
  OpenProject(dialog.SelectedFolder());
}

void TProjectManager::RunGameDiskDialog(QWidget* owner) {
  if (open_) RunGameDisk(owner, settings_);
}

}  // namespace tess
