#pragma once
// "Resource Manager": brings material files into the project's material folders and out again, and
// deletes project materials. The folder list on the left, the folder's materials (the project's,
// then the runtime package's marked " <RTP>") beside it, and the commands Import, Export and Delete
// with the "Import as" choice of PNG or XYZ for pictures.

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "media/MaterialManager.h"

class QButtonGroup;
class QGroupBox;
class QListWidget;
class QPushButton;

namespace tess {

class TSettings;

// Where the window asks the author for files and colours; tests put their own answers here.
class TMaterialDialogPort {
 public:
  virtual ~TMaterialDialogPort() = default;
  // The file to import (empty: cancelled), starting in folder.
  virtual QString ChooseImportFile(QWidget* owner, const TMaterialFolder& kind, const QString& folder) = 0;
  // The file to export to (empty: cancelled), proposing a name and its extension.
  virtual QString ChooseExportFile(QWidget* owner, const TMaterialFolder& kind, const QString& folder,
                                   const QString& proposedName, const QString& extension) = 0;
  // The transparent palette index of a picture, or nothing to cancel.
  virtual std::optional<int> ChooseTransparent(QWidget* owner, const TBitmap& picture) = 0;
};

// The real dialogs: the centred open and save dialogs with the resource manager's filters, the
// picture-preview open dialog for pictures, and the transparent-colour chooser.
class TMaterialDialogs final : public TMaterialDialogPort {
 public:
  QString ChooseImportFile(QWidget* owner, const TMaterialFolder& kind, const QString& folder) override;
  QString ChooseExportFile(QWidget* owner, const TMaterialFolder& kind, const QString& folder,
                           const QString& proposedName, const QString& extension) override;
  std::optional<int> ChooseTransparent(QWidget* owner, const TBitmap& picture) override;
};

// The filter list and default extension of the import dialog of a folder, and of the export
// dialog for a file of that extension (lower case, without the dot).
QString ImportFilter(const TMaterialFolder& kind, QString* defaultExtension);
QString ExportFilter(const TMaterialFolder& kind, const QString& extension, QString* defaultExtension);

class TFormMaterialBase : public QDialog {
  Q_OBJECT
 public:
  // Both folders absolute; the runtime package's may be empty. Without a port the real dialogs
  // are used.
  TFormMaterialBase(TSettings& settings, const std::string& projectFolder, const std::string& runtimePackageFolder,
                    QWidget* owner, TMaterialDialogPort* dialogs = nullptr);
  ~TFormMaterialBase() override;

  int FolderIndex() const;
  void SelectFolder(int index);
  // The listed materials as shown.
  QStringList Entries() const;
  QString SelectedEntry() const;
  void SelectEntry(const QString& entry);
  TImportFormat ImportAs() const;
  void SetImportAs(TImportFormat format);

  // The commands of the buttons. Errors are shown in a message box and change nothing.
  void Import();
  void Export();
  void Delete();

  // The folder the file dialogs start in, kept in the settings when the window closes.
  const QString& MaterialFolder() const { return materialFolder_; }

 private:
  void RefreshEntries(const QString& select = QString());
  // Runs a command; what it raises is shown in a message box.
  void Guarded(const std::function<void()>& command);
  void UpdateButtons();
  std::string Entry() const;

  TSettings& settings_;
  TMaterialManager manager_;
  TMaterialDialogs ownDialogs_;
  TMaterialDialogPort* dialogs_;
  QString materialFolder_;
  QListWidget* folders_;
  QListWidget* entries_;
  QPushButton* import_;
  QPushButton* export_;
  QPushButton* delete_;
  QGroupBox* importAs_;
  QButtonGroup* importAsChoice_;
};

}  // namespace tess
