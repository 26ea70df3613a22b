#pragma once
// "Create Gamedisk": packs the open project, and on request the runtime package, into a game disk
// in a destination folder or on floppy disks; and "Select Path", which picks the destination.

#include <QDialog>

class QCheckBox;
class QFileSystemModel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace tess {

class TSettings;
class TFolderField;

class TFormGameDisk : public QDialog {
  Q_OBJECT
 public:
  TFormGameDisk(TSettings& settings, QWidget* owner);

  // The destination, with a trailing '/'; empty until one is chosen when there is no floppy drive.
  QString DiskPath() const;
  void SetDiskPath(const QString& path);
  bool IncludeRuntimePackage() const;

 private:
  void ChoosePath();
  // Makes the game disk; the dialog then closes with Accepted on success, else Rejected.
  void Begin();

  TSettings& settings_;
  TFolderField* diskPath_;
  QCheckBox* includeRtp_;
  QPushButton* begin_;
};

class TFormSelectPath : public QDialog {
  Q_OBJECT
 public:
  TFormSelectPath(const QString& path, QWidget* owner);

  // The chosen folder, absolute with a trailing '/'.
  QString Path() const { return chosen_; }
  // The text of the edit field, as the folder tree keeps it.
  QString Text() const;
  void SetText(const QString& text);
  bool CanAccept() const;

 public slots:
  void accept() override;

 private:
  void TextEdited(const QString& text);
  void TreeMoved();

  QFileSystemModel* model_;
  QTreeView* tree_;
  QLineEdit* edit_;
  QPushButton* ok_;
  QString chosen_;
};

// Shows "Create Gamedisk" for the open project (ProjectFolder()); owner is the main window.
void RunGameDisk(QWidget* owner, TSettings& settings);

}  // namespace tess
