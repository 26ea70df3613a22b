#pragma once
// The open project: creating, opening, closing and reopening projects, and the project dialogs.
// It knows nothing of a project's contents; the main window gives it three callbacks to create a
// new project's files, load a project and unload it.

#include <functional>
#include <string>

class QWidget;

namespace tess {

class TSettings;

class TProjectManager {
 public:
  struct TCallbacks {
    // Writes a new project's files into ProjectFolder(); false (or an exception) is a failure.
    std::function<bool(const std::string& gameTitle)> create;
    // Loads the project in ProjectFolder(); false when it cannot be opened.
    std::function<bool()> open;
    // Unloads the open project.
    std::function<void()> close;
    // After the new-project dialog made and opened a project: marks the loaded database as being
    // in the current data format. May be empty.
    std::function<void()> markCurrentFormat;
  };

  // settings and applicationFolder (with a trailing '/') are kept for the life of the manager.
  TProjectManager(TSettings& settings, std::string applicationFolder, TCallbacks callbacks);
  ~TProjectManager();

  bool IsOpen() const { return open_; }
  // The open project's folder name, relative to the base folder.
  const std::string& FolderName() const { return folderName_; }
  // The folder that holds the projects, with a trailing '/'.
  std::string BaseFolder() const;
  TSettings& Settings() const { return settings_; }
  const std::string& ApplicationFolder() const { return applicationFolder_; }

  // The folder itself already exists. Raises "Project creation could not be completed." after
  // deleting the folder when the files cannot be made.
  void CreateProject(const std::string& folderName, const std::string& gameTitle);
  // Opens base folder + folderName (found in any case); does nothing when a project is open, the
  // name is empty or names no folder. An exception of the open callback passes on.
  void OpenProject(const std::string& folderName);
  void CloseProject();
  void ReopenLastProject();
  // Opens the project folder at an absolute path as the Open Project dialog would: its parent
  // becomes the base folder. The same rules as OpenProject otherwise.
  void OpenProjectAt(const std::string& folder);

  // The dialogs; owner is the main window.
  void RunNewProjectDialog(QWidget* owner);
  void RunOpenProjectDialog(QWidget* owner);
  void RunGameDiskDialog(QWidget* owner);

 private:
  TSettings& settings_;
  std::string applicationFolder_;
  TCallbacks callbacks_;
  bool open_ = false;
  std::string folderName_;
};

}  // namespace tess
