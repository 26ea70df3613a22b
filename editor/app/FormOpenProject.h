#pragma once
// "Open Project": every project under the base folder with its game title, and the commands to
// open, rename and delete one or to choose another base folder.

#include <QDialog>
#include <string>
#include <vector>

#include "project/ProjectNames.h"

class QPushButton;
class QTreeWidget;

namespace tess {

class TSettings;
class TFolderField;

class TFormOpenProject : public QDialog {
  Q_OBJECT
 public:
  TFormOpenProject(TSettings& settings, QWidget* owner);

  // The folder name chosen with "Open".
  const std::string& SelectedFolder() const { return selected_; }
  const std::string& BaseFolder() const { return base_; }
  // The projects shown, in list order.
  const std::vector<TProjectEntry>& Projects() const { return projects_; }
  QTreeWidget* List() const { return list_; }
  TFolderField* PathField() const { return pathField_; }
  // The entry selected in the list, or none.
  const TProjectEntry* Current() const;

  // The buttons' commands.
  void OpenSelected();
  void RenameSelected();
  void DeleteSelected();
  void ChooseBaseFolder();
  // Lists the projects again, selecting folderName (or the first entry).
  void Refill(const std::string& folderName = {});

 private:
  void UpdateButtons();

  TSettings& settings_;
  std::string base_;
  std::string selected_;
  std::vector<TProjectEntry> projects_;
  QTreeWidget* list_;
  TFolderField* pathField_;
  QPushButton* openButton_;
  QPushButton* renameButton_;
  QPushButton* deleteButton_;
};

}  // namespace tess
