#include "editor/database/MarkList.h"

namespace tess {

TMarkList::TMarkList(QWidget* parent) : QListWidget(parent) {
  connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    if (loading_ || !set) return;
    set(row(item), item->checkState() == Qt::Checked);
    emit changed();
  });
}

void TMarkList::SetLines(const QStringList& lines) {
  loading_ = true;
  clear();
  for (const QString& line : lines) {
    auto* item = new QListWidgetItem(line, this);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    item->setCheckState(Qt::Unchecked);
  }
  loading_ = false;
}

void TMarkList::Load() {
  loading_ = true;
  for (int i = 0; i < count(); ++i) item(i)->setCheckState(get && get(i) ? Qt::Checked : Qt::Unchecked);
  loading_ = false;
}

}  // namespace tess
