#pragma once
// "Rename Project": a project's folder name and game title. OK renames the folder when its name
// changed and writes the title into the project's settings.

#include <QDialog>
#include <string>

class QLineEdit;

namespace tess {

class TFormRenameProject : public QDialog {
  Q_OBJECT
 public:
  // gameTitle in the game's code page.
  TFormRenameProject(const std::string& baseFolder, const std::string& folderName, const std::string& gameTitle,
                     QWidget* owner);

  std::string NewFolderName() const;
  std::string GameTitle() const;
  QLineEdit* FolderEdit() const { return folderEdit_; }
  QLineEdit* TitleEdit() const { return titleEdit_; }

  void accept() override;

 private:
  std::string base_;
  std::string oldName_;
  QLineEdit* folderEdit_;
  QLineEdit* titleEdit_;
};

}  // namespace tess
