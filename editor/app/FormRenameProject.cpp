#include "editor/app/FormRenameProject.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/QtMessagePort.h"
#include "ui/WindowPlacement.h"
#include "platform/TextCodec.h"
#include "project/ProjectNames.h"
#include "ui/StoredTextField.h"

namespace tess {

TFormRenameProject::TFormRenameProject(const std::string& baseFolder, const std::string& folderName,
                                       const std::string& gameTitle, QWidget* owner)
    : QDialog(owner), base_(baseFolder), oldName_(folderName) {
  setWindowTitle("Rename Project");
  setObjectName("FormRenameProject");
  folderEdit_ = new QLineEdit(QFile::decodeName(QByteArray::fromStdString(folderName)), this);
  folderEdit_->setObjectName("FolderEdit");
  folderEdit_->setMaxLength(kMaxProjectNameLength);
  titleEdit_ = new QLineEdit(TextCodec::Current().ToUnicode(gameTitle), this);
  titleEdit_->setObjectName("TitleEdit");
  titleEdit_->setMaxLength(kMaxProjectNameLength);
  GuardStoredText(titleEdit_);

  auto* names = new QFormLayout;
  names->addRow("Directory Name", folderEdit_);
  names->addRow("Game Name", titleEdit_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &TFormRenameProject::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TFormRenameProject::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(names);
  layout->addWidget(buttons);
  setMinimumWidth(360);
  CenterOnOwnerWindow(this);
}

std::string TFormRenameProject::NewFolderName() const { return QFile::encodeName(folderEdit_->text()).toStdString(); }

std::string TFormRenameProject::GameTitle() const { return TextCodec::Current().FromUnicode(titleEdit_->text()); }

void TFormRenameProject::accept() {
  if (!AcceptRenameProject(base_, oldName_, NewFolderName(), GameTitle(), MessageOwner(this))) return;
  QDialog::accept();
}

}  // namespace tess
