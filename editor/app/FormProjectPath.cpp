#include "editor/app/FormProjectPath.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "ui/QtMessagePort.h"
#include "ui/WindowPlacement.h"
#include "core/PathUtils.h"
#include "platform/ProjectFolders.h"
#include "project/ProjectNames.h"
#include "ui/FolderField.h"

namespace tess {

namespace {
std::string ToPath(const QString& text) { return QFile::encodeName(text).toStdString(); }
QString FromPath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }
}  // namespace

TFormProjectPath::TFormProjectPath(const std::string& folder, QWidget* owner) : QDialog(owner) {
  setWindowTitle("Project Path");
  setObjectName("FormProjectPath");

  model_ = new QFileSystemModel(this);
  model_->setFilter(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Drives);
  model_->setRootPath("/");

  tree_ = new QTreeView(this);
  tree_->setObjectName("FolderTree");
  tree_->setModel(model_);
  for (int column = 1; column < model_->columnCount(); ++column) tree_->hideColumn(column);
  tree_->setHeaderHidden(true);
  tree_->setMinimumSize(320, 300);

  edit_ = new QLineEdit(this);
  edit_->setObjectName("PathEdit");
  edit_->setMaxLength(kMaxProjectPathLength);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &TFormProjectPath::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TFormProjectPath::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tree_, 1);
  layout->addWidget(edit_);
  layout->addWidget(buttons);

  connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this, &TFormProjectPath::OnTreeChanged);
  connect(edit_, &QLineEdit::textChanged, this, &TFormProjectPath::OnTextChanged);

  QString start = FromPath(folder);
  if (start.size() > 1 && start.endsWith('/')) start.chop(1);
  edit_->setText(start);
  OnTextChanged();
  CenterOnOwnerWindow(this);
}

void TFormProjectPath::OnTreeChanged() {
  if (syncing_) return;
  const QModelIndex index = tree_->currentIndex();
  if (!index.isValid()) return;
  syncing_ = true;
  edit_->setText(model_->filePath(index));
  syncing_ = false;
  ok_->setEnabled(ProjectPathAcceptable(ToPath(edit_->text())));
}

void TFormProjectPath::OnTextChanged() {
  const std::string text = ToPath(edit_->text());
  ok_->setEnabled(ProjectPathAcceptable(text));
  if (syncing_ || !IsFolder(text)) return;
  syncing_ = true;
  ShowFolderInTree(*tree_, *model_, edit_->text());
  syncing_ = false;
}

void TFormProjectPath::accept() {
  if (!ok_->isEnabled()) return;
  const auto chosen = AcceptProjectPath(ToPath(edit_->text()), MessageOwner(this));
  if (!chosen) return;
  chosen_ = *chosen;
  QDialog::accept();
}

}  // namespace tess
