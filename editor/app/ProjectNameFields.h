#pragma once
// The "Directory Name" and "Game Name" fields that New Project and Rename Project share: the
// project's folder name (a file name) and the game's title (stored in the project's code page,
// checked as it is typed).

#include <string>

class QFormLayout;
class QLineEdit;
class QWidget;

namespace tess {

struct TProjectNameFields {
  TProjectNameFields(const std::string& folderName, const std::string& gameTitle, QWidget* owner);

  std::string FolderName() const;
  std::string GameTitle() const;

  QLineEdit* folder;
  QLineEdit* title;
  QFormLayout* layout;
};

}  // namespace tess
