#include "editor/app/FormNewProject.h"

#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "editor/app/FormProjectPath.h"
#include "editor/app/ProjectNameFields.h"
#include "platform/ProjectFolders.h"
#include "platform/Settings.h"
#include "platform/TextCodec.h"
#include "project/ProjectNames.h"
#include "ui/DialogButtons.h"
#include "ui/FolderField.h"
#include "ui/QtMessagePort.h"
#include "ui/StoredTextField.h"
#include "ui/WindowPlacement.h"

namespace tess {

TFormNewProject::TFormNewProject(TSettings& settings, QWidget* owner)
    : QDialog(owner), settings_(settings), base_(ProjectBaseFolder(settings)) {
  setWindowTitle("New Project");
  setObjectName("FormNewProject");

  names_ = std::make_unique<TProjectNameFields>(ProposeNewProjectName(base_), kDefaultGameTitle, this);

  auto* pathBox = new QGroupBox("Project Path", this);
  pathField_ = new TFolderField(pathBox);
  pathField_->setObjectName("ProjectPathField");
  auto* pathLayout = new QVBoxLayout(pathBox);
  pathLayout->addWidget(pathField_);
  connect(pathField_, &TFolderField::browseRequested, this, &TFormNewProject::ChooseBaseFolder);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(names_->layout);
  layout->addWidget(pathBox);
  layout->addWidget(MakeDialogButtons(this));
  setMinimumWidth(400);
  ShowBaseFolder();
  CenterOnOwnerWindow(this);
}

TFormNewProject::~TFormNewProject() = default;

std::string TFormNewProject::FolderName() const { return names_->FolderName(); }

std::string TFormNewProject::GameTitle() const { return names_->GameTitle(); }

QLineEdit* TFormNewProject::FolderEdit() const { return names_->folder; }

QLineEdit* TFormNewProject::TitleEdit() const { return names_->title; }

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
