#pragma once
// "New Project": the folder name (a free "Project<n>" proposed), the game title and the folder
// that holds the projects. OK makes the project folder; the project manager then fills it.

#include <QDialog>
#include <string>

class QLineEdit;

namespace tess {

class TSettings;
class TFolderField;

class TFormNewProject : public QDialog {
  Q_OBJECT
 public:
  TFormNewProject(TSettings& settings, QWidget* owner);

  std::string FolderName() const;
  // The title in the game's code page.
  std::string GameTitle() const;
  const std::string& BaseFolder() const { return base_; }

  QLineEdit* FolderEdit() const { return folderEdit_; }
  QLineEdit* TitleEdit() const { return titleEdit_; }
  TFolderField* PathField() const { return pathField_; }

  void accept() override;

 private:
  void ChooseBaseFolder();
  void ShowBaseFolder();

  TSettings& settings_;
  std::string base_;
  QLineEdit* folderEdit_;
  QLineEdit* titleEdit_;
  TFolderField* pathField_;
};

}  // namespace tess
