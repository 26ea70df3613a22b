#pragma once
// "Project Path": a folder tree and an edit field kept in step, for choosing the folder that holds
// the projects.

#include <QDialog>
#include <string>

class QFileSystemModel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace tess {

class TFormProjectPath : public QDialog {
  Q_OBJECT
 public:
  TFormProjectPath(const std::string& folder, QWidget* owner);

  // The folder chosen with OK, with a trailing '/'.
  const std::string& Chosen() const { return chosen_; }
  QLineEdit* PathEdit() const { return edit_; }
  QPushButton* OkButton() const { return ok_; }

  void accept() override;

 private:
  void OnTreeChanged();
  void OnTextChanged();

  QFileSystemModel* model_;
  QTreeView* tree_;
  QLineEdit* edit_;
  QPushButton* ok_;
  std::string chosen_;
  bool syncing_ = false;
};

}  // namespace tess
