#include "editor/app/FormGameDisk.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "core/InstallLayout.h"
#include "core/MessagePort.h"
#include "core/PathUtils.h"
#include "core/ProjectFolder.h"
#include "core/Version.h"
#include "platform/GameDisk.h"
#include "platform/RuntimePackage.h"
#include "platform/Settings.h"
#include "platform/ShellServices.h"
#include "ui/FolderField.h"

namespace tess {

namespace {

constexpr const char* kCaption = "Create Gamedisk";

void ShowErrorBox(QWidget* owner, const std::string& text) {
  Messages().ShowMessageBox(text, {TMessageIcon::Error, TMessageButtons::Ok}, owner);
}

std::string Local(const QString& text) { return text.toLocal8Bit().toStdString(); }
QString FromLocal(const std::string& text) { return QString::fromLocal8Bit(text.c_str()); }

}  // namespace

// ---- Create Gamedisk ------------------------------------------------------------------------------

TFormGameDisk::TFormGameDisk(TSettings& settings, QWidget* owner) : QDialog(owner), settings_(settings) {
  setWindowTitle(kCaption);
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel("Pack Project into Gamedisk Format", this);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  layout->addWidget(heading);

  auto* pathBox = new QGroupBox("Disk Path", this);
  auto* pathLayout = new QHBoxLayout(pathBox);
  diskPath_ = new TFolderField(pathBox);
  diskPath_->setObjectName("DiskPathField");
  diskPath_->setMinimumWidth(360);
  pathLayout->addWidget(diskPath_);
  layout->addWidget(pathBox);
  connect(diskPath_, &TFolderField::browseRequested, this, &TFormGameDisk::ChoosePath);

  auto* optionBox = new QGroupBox("Option", this);
  auto* optionLayout = new QVBoxLayout(optionBox);
  includeRtp_ = new QCheckBox("Include Runtime Package in Gamedisk", optionBox);
  includeRtp_->setChecked(settings_.IncludeRtpOption());
  optionLayout->addWidget(includeRtp_);
  layout->addWidget(optionBox);

  auto* buttons = new QDialogButtonBox(this);
  begin_ = buttons->addButton("Begin", QDialogButtonBox::AcceptRole);
  buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
  layout->addWidget(buttons);
  connect(begin_, &QPushButton::clicked, this, &TFormGameDisk::Begin);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  // A floppy drive when there is one; otherwise the author picks a folder first.
  const std::string floppy = FindFloppyDrive();
  SetDiskPath(floppy.empty() ? QString() : FromLocal(WithTrailingBackslash(floppy)));
}

QString TFormGameDisk::DiskPath() const { return diskPath_->Path(); }

void TFormGameDisk::SetDiskPath(const QString& path) {
  diskPath_->SetPath(path);
  begin_->setEnabled(!path.isEmpty());
}

bool TFormGameDisk::IncludeRuntimePackage() const { return includeRtp_->isChecked(); }

void TFormGameDisk::ChoosePath() {
  TFormSelectPath dialog(DiskPath().isEmpty() ? QDir::homePath() : DiskPath(), this);
  if (dialog.exec() == QDialog::Accepted) SetDiskPath(dialog.Path());
}

void TFormGameDisk::Begin() {
  if (DiskPath().isEmpty()) return;
  settings_.SetIncludeRtpOption(includeRtp_->isChecked());
  settings_.Sync();

  TGameDiskJob job;
  job.projectFolder = ProjectFolder();
  job.destination = Local(DiskPath());
  job.includeRuntimePackage = includeRtp_->isChecked();
  job.applicationFolder = EditorDataFolder(ApplicationFolder());
  if (job.includeRuntimePackage) job.runtimePackageFolder = RuntimePackageFolder(settings_, job.applicationFolder);
  job.workFolder = DefaultGameDiskWorkFolder();

  QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
  hide();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  TGameDiskResult result;
  {
    // Application-modal, so nothing else of the editor takes input while the disk is made.
    QProgressDialog progress(kCaption, "Cancel", 0, 1, owner);
    progress.setWindowTitle(kCaption);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumWidth(360);
    progress.show();
    TGameDiskServices services;
    services.messages = &Messages();
    services.owner = &progress;
    services.progress = [&progress](int done, int total, const std::string& text) {
      progress.setMaximum(total);
      progress.setValue(done);
      progress.setLabelText(FromLocal(text));
      QApplication::processEvents();
      return !progress.wasCanceled();
    };
    result = CreateGameDisk(job, services);
  }
  QApplication::restoreOverrideCursor();

  const bool created = result.outcome == TGameDiskOutcome::Created;
  if (created) {
    std::string text = kGameDiskCreatedText;
    if (!result.notes.empty()) text += "\n";
    for (const std::string& note : result.notes) text += "\n" + note;
    Messages().ShowMessageBox(text, {TMessageIcon::Information, TMessageButtons::Ok}, owner);
  }
  show();
  if (!created) {
    std::string text = kGameDiskCancelledText;
    if (!result.detail.empty()) text += "\n\n" + result.detail;
    ShowErrorBox(this, text);
  }
  done(created ? QDialog::Accepted : QDialog::Rejected);
}

// ---- Select Path ----------------------------------------------------------------------------------

TFormSelectPath::TFormSelectPath(const QString& path, QWidget* owner) : QDialog(owner) {
  setWindowTitle("Select Path");
  auto* layout = new QVBoxLayout(this);
  model_ = new QFileSystemModel(this);
  model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  model_->setRootPath(QDir::rootPath());
  tree_ = new QTreeView(this);
  tree_->setModel(model_);
  for (int column = 1; column < model_->columnCount(); ++column) tree_->hideColumn(column);
  tree_->header()->hide();
  tree_->setMinimumSize(320, 280);
  layout->addWidget(tree_);
  edit_ = new QLineEdit(this);
  edit_->setMaxLength(250);
  layout->addWidget(edit_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &TFormSelectPath::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(edit_, &QLineEdit::textEdited, this, &TFormSelectPath::TextEdited);
  connect(edit_, &QLineEdit::textChanged, this, [this] { ok_->setEnabled(CanAccept()); });
  connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this, &TFormSelectPath::TreeMoved);
  SetText(path);
  ok_->setEnabled(CanAccept());
}

QString TFormSelectPath::Text() const { return edit_->text(); }

void TFormSelectPath::SetText(const QString& text) {
  edit_->setText(text);
  TextEdited(text);
}

bool TFormSelectPath::CanAccept() const { return DiskPathLooksValid(Local(edit_->text())); }

void TFormSelectPath::TextEdited(const QString& text) {
  // The tree follows the text while it names an existing folder.
  if (!QFileInfo(text).isDir()) return;
  const QSignalBlocker block(tree_->selectionModel());
  ShowFolderInTree(*tree_, *model_, text);
}

void TFormSelectPath::TreeMoved() {
  const QModelIndex index = tree_->currentIndex();
  if (index.isValid()) edit_->setText(model_->filePath(index));
}

void TFormSelectPath::accept() {
  if (!CanAccept()) return;
  const std::string full = WithTrailingBackslash(Local(QDir::cleanPath(QFileInfo(edit_->text()).absoluteFilePath())));
  switch (CheckDiskPath(full)) {
    case TDiskPathCheck::Accept:
      break;
    case TDiskPathCheck::NotSettable:
      return ShowErrorBox(this, kValueNotSetText);
    case TDiskPathCheck::NoDevice:
      return ShowErrorBox(this, kNoDeviceText);
    case TDiskPathCheck::AskCreate: {
      const TMessageResult answer =
          Messages().ShowMessageBox(kAskCreateFolderText, {TMessageIcon::Question, TMessageButtons::YesNo}, this);
      if (answer == TMessageResult::No) return;
      QApplication::setOverrideCursor(Qt::WaitCursor);
      QDir().mkpath(FromLocal(full));
      QApplication::restoreOverrideCursor();
      if (!IsFolder(full)) return ShowErrorBox(this, kFolderNotCreatedText);
      break;
    }
  }
  chosen_ = FromLocal(full);
  QDialog::accept();
}

// ---- Entry ----------------------------------------------------------------------------------------

void RunGameDisk(QWidget* owner, TSettings& settings) {
  if (ProjectFolder().empty()) return;
  TFormGameDisk dialog(settings, owner);
  if (owner) {
    dialog.adjustSize();
    dialog.move(owner->window()->frameGeometry().center() - dialog.rect().center());
  }
  dialog.exec();
}

}  // namespace tess
