#include "ui/FolderField.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeView>

namespace tess {

TFolderField::TFolderField(QWidget* parent) : QWidget(parent) {
  box_ = new QLineEdit(this);
  box_->setObjectName("FolderBox");
  box_->setReadOnly(true);
  box_->setCursor(Qt::PointingHandCursor);
  box_->setMinimumWidth(260);
  box_->installEventFilter(this);
  browse_ = new QPushButton("Browse...", this);
  browse_->setObjectName("BrowseButton");
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(box_, 1);
  layout->addWidget(browse_);
  setFocusProxy(box_);
  connect(browse_, &QPushButton::clicked, this, &TFolderField::browseRequested);
}

QString TFolderField::Path() const { return box_->text(); }

void TFolderField::SetPath(const QString& path) {
  box_->setText(path);
  box_->setToolTip(path);
  // A long path shows its end, where the folder's own name is.
  box_->setCursorPosition(0);
  box_->end(false);
}

bool TFolderField::eventFilter(QObject* watched, QEvent* event) {
  if (watched == box_) {
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        box_->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
      emit browseRequested();
      return true;
    }
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Space) {
        emit browseRequested();
        return true;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

void ShowFolderInTree(QTreeView& tree, QFileSystemModel& model, const QString& folder) {
  const QString path = QDir::cleanPath(folder);
  const QModelIndex index = model.index(path);
  if (!index.isValid()) return;
  for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent()) tree.expand(parent);
  tree.setCurrentIndex(index);
  tree.expand(index);
  tree.scrollTo(index, QAbstractItemView::PositionAtCenter);
}

}  // namespace tess
