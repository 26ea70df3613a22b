#include "editor/app/FormOpenProject.h"

#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "editor/app/FormProjectPath.h"
#include "editor/app/FormRenameProject.h"
#include "ui/QtMessagePort.h"
#include "ui/WindowPlacement.h"
#include "platform/ProjectFolders.h"
#include "platform/Settings.h"
#include "platform/TextCodec.h"
#include "ui/FolderField.h"

namespace tess {

namespace {
QString FromPath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }
}  // namespace

TFormOpenProject::TFormOpenProject(TSettings& settings, QWidget* owner)
    : QDialog(owner), settings_(settings), base_(ProjectBaseFolder(settings)) {
  setWindowTitle("Open Project");
  setObjectName("FormOpenProject");

  list_ = new QTreeWidget(this);
  list_->setObjectName("ProjectList");
  list_->setColumnCount(2);
  list_->setHeaderLabels({"Directory", "Game"});
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setAllColumnsShowFocus(true);
  // The game column takes the rest of the width, less the scroll bar when there is one.
  list_->header()->setStretchLastSection(true);
  list_->header()->setSectionsMovable(false);
  list_->setColumnWidth(0, 160);
  list_->setMinimumSize(420, 240);

  auto* pathBox = new QGroupBox("Project Path", this);
  pathField_ = new TFolderField(pathBox);
  pathField_->setObjectName("ProjectPathField");
  auto* pathLayout = new QVBoxLayout(pathBox);
  pathLayout->addWidget(pathField_);

  openButton_ = new QPushButton("Open", this);
  openButton_->setDefault(true);
  renameButton_ = new QPushButton("Rename", this);
  deleteButton_ = new QPushButton("Delete", this);
  auto* cancel = new QPushButton("Cancel", this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(renameButton_);
  buttons->addWidget(deleteButton_);
  buttons->addStretch(1);
  buttons->addWidget(openButton_);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addWidget(pathBox);
  layout->addLayout(buttons);

  connect(openButton_, &QPushButton::clicked, this, &TFormOpenProject::OpenSelected);
  connect(renameButton_, &QPushButton::clicked, this, &TFormOpenProject::RenameSelected);
  connect(deleteButton_, &QPushButton::clicked, this, &TFormOpenProject::DeleteSelected);
  connect(cancel, &QPushButton::clicked, this, &TFormOpenProject::reject);
  connect(pathField_, &TFolderField::browseRequested, this, &TFormOpenProject::ChooseBaseFolder);
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { OpenSelected(); });
  connect(list_, &QTreeWidget::currentItemChanged, this, [this] { UpdateButtons(); });

  pathField_->SetPath(FromPath(base_));
  Refill();
  CenterOnOwnerWindow(this);
}

const TProjectEntry* TFormOpenProject::Current() const {
  const int row = list_->indexOfTopLevelItem(list_->currentItem());
  return row >= 0 && row < static_cast<int>(projects_.size()) ? &projects_[static_cast<size_t>(row)] : nullptr;
}

void TFormOpenProject::Refill(const std::string& folderName) {
  projects_ = ListProjects(base_);
  list_->clear();
  QTreeWidgetItem* chosen = nullptr;
  for (const TProjectEntry& project : projects_) {
    auto* item =
        new QTreeWidgetItem(list_, {FromPath(project.folderName), TextCodec::Current().ToUnicode(project.gameTitle)});
    if (!chosen && !folderName.empty() && project.folderName == folderName) chosen = item;
  }
  if (!chosen) chosen = list_->topLevelItem(0);
  if (chosen) {
    list_->setCurrentItem(chosen);
    list_->scrollToItem(chosen);
  }
  UpdateButtons();
}

void TFormOpenProject::UpdateButtons() {
  const bool any = Current() != nullptr;
  openButton_->setEnabled(any);
  renameButton_->setEnabled(any);
  deleteButton_->setEnabled(any);
}

void TFormOpenProject::OpenSelected() {
  const TProjectEntry* project = Current();
  if (!project) return;
  settings_.SetProjectBasePath(base_);
  settings_.Sync();
  selected_ = project->folderName;
  accept();
}

void TFormOpenProject::RenameSelected() {
  const TProjectEntry* project = Current();
  if (!project) return;
  TFormRenameProject dialog(base_, project->folderName, project->gameTitle, this);
  if (dialog.exec() != QDialog::Accepted) return;
  Refill(dialog.NewFolderName());
}

void TFormOpenProject::DeleteSelected() {
  const TProjectEntry* project = Current();
  if (!project) return;
  // A deletion that failed part of the way still changed the folder; the list shows what is left.
  const std::string name = project->folderName;
  AskDeleteProject(base_, name, MessageOwner(this));
  Refill(name);
}

void TFormOpenProject::ChooseBaseFolder() {
  TFormProjectPath dialog(base_, this);
  if (dialog.exec() != QDialog::Accepted || dialog.Chosen() == base_) return;
  base_ = dialog.Chosen();
  settings_.SetProjectBasePath(base_);
  settings_.Sync();
  pathField_->SetPath(FromPath(base_));
  Refill();
}

}  // namespace tess
