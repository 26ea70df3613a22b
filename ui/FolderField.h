#pragma once
// A field that shows a folder and lets the user pick another: a read-only box with a "Browse..."
// button beside it. Clicking the box or the button, or pressing Space in the box, asks for the
// picker.

#include <QWidget>

class QLineEdit;
class QPushButton;
class QTreeView;
class QFileSystemModel;

namespace tess {

class TFolderField : public QWidget {
  Q_OBJECT
 public:
  explicit TFolderField(QWidget* parent = nullptr);

  QString Path() const;
  void SetPath(const QString& path);
  QLineEdit* Box() const { return box_; }
  QPushButton* BrowseButton() const { return browse_; }

 signals:
  void browseRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* box_;
  QPushButton* browse_;
};

// Shows folder in a folder picker's tree: its parents expanded, the folder itself selected,
// expanded and scrolled into view. Nothing happens when the model does not know the folder.
void ShowFolderInTree(QTreeView& tree, QFileSystemModel& model, const QString& folder);

}  // namespace tess
