#include "editor/app/FormNewProject.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "editor/app/FormProjectPath.h"
#include "ui/QtMessagePort.h"
#include "ui/WindowPlacement.h"
#include "platform/ProjectFolders.h"
#include "platform/Settings.h"
#include "platform/TextCodec.h"
#include "project/ProjectNames.h"
#include "ui/FolderField.h"
#include "ui/StoredTextField.h"

namespace tess {

TFormNewProject::TFormNewProject(TSettings& settings, QWidget* owner)
    : QDialog(owner), settings_(settings), base_(ProjectBaseFolder(settings)) {
  setWindowTitle("New Project");
  setObjectName("FormNewProject");

  folderEdit_ = new QLineEdit(QFile::decodeName(QByteArray::fromStdString(ProposeNewProjectName(base_))), this);
  folderEdit_->setObjectName("FolderEdit");
  folderEdit_->setMaxLength(kMaxProjectNameLength);
  titleEdit_ = new QLineEdit(QString::fromLatin1(kDefaultGameTitle), this);
  titleEdit_->setObjectName("TitleEdit");
  titleEdit_->setMaxLength(kMaxProjectNameLength);
  GuardStoredText(titleEdit_);

  auto* names = new QFormLayout;
  names->addRow("Directory Name", folderEdit_);
  names->addRow("Game Name", titleEdit_);

  auto* pathBox = new QGroupBox("Project Path", this);
  pathField_ = new TFolderField(pathBox);
  pathField_->setObjectName("ProjectPathField");
  auto* pathLayout = new QVBoxLayout(pathBox);
  pathLayout->addWidget(pathField_);
  connect(pathField_, &TFolderField::browseRequested, this, &TFormNewProject::ChooseBaseFolder);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &TFormNewProject::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TFormNewProject::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(names);
  layout->addWidget(pathBox);
  layout->addWidget(buttons);
  setMinimumWidth(400);
  ShowBaseFolder();
  CenterOnOwnerWindow(this);
}

std::string TFormNewProject::FolderName() const { return QFile::encodeName(folderEdit_->text()).toStdString(); }

std::string TFormNewProject::GameTitle() const { return TextCodec::Current().FromUnicode(titleEdit_->text()); }

void TFormNewProject::ShowBaseFolder() { pathField_->SetPath(QFile::decodeName(QByteArray::fromStdString(base_))); }

void TFormNewProject::ChooseBaseFolder() {
  TFormProjectPath dialog(base_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  base_ = dialog.Chosen();
  settings_.SetProjectBasePath(base_);
  settings_.Sync();
  ShowBaseFolder();
}

void TFormNewProject::accept() {
  if (!AcceptNewProjectFolder(base_, FolderName(), MessageOwner(this))) return;
  settings_.SetProjectBasePath(base_);
  settings_.Sync();
  QDialog::accept();
}

}  // namespace tess
