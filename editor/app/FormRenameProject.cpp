#include "editor/app/FormRenameProject.h"

#include <QVBoxLayout>

#include "editor/app/ProjectNameFields.h"
#include "project/ProjectNames.h"
#include "ui/DialogButtons.h"
#include "ui/QtMessagePort.h"
#include "ui/WindowPlacement.h"

namespace tess {

TFormRenameProject::TFormRenameProject(const std::string& baseFolder, const std::string& folderName,
                                       const std::string& gameTitle, QWidget* owner)
    : QDialog(owner), base_(baseFolder), oldName_(folderName) {
  setWindowTitle("Rename Project");
  setObjectName("FormRenameProject");
  names_ = std::make_unique<TProjectNameFields>(folderName, gameTitle, this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(names_->layout);
  layout->addWidget(MakeDialogButtons(this));
  setMinimumWidth(360);
  CenterOnOwnerWindow(this);
}

TFormRenameProject::~TFormRenameProject() = default;

std::string TFormRenameProject::NewFolderName() const { return names_->FolderName(); }

std::string TFormRenameProject::GameTitle() const { return names_->GameTitle(); }

QLineEdit* TFormRenameProject::FolderEdit() const { return names_->folder; }

QLineEdit* TFormRenameProject::TitleEdit() const { return names_->title; }

void TFormRenameProject::accept() {
  if (!AcceptRenameProject(base_, oldName_, NewFolderName(), GameTitle(), MessageOwner(this))) return;
  QDialog::accept();
}

}  // namespace tess
