#include "editor/database/RankList.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "database/ActorPageKit.h"
#include "platform/TextCodec.h"

namespace tess {

TRankList::TRankList(std::function<int(int)> rank, std::function<void(int, int)> setRank, QWidget* parent)
    : QListWidget(parent), rank_(std::move(rank)), setRank_(std::move(setRank)) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setContextMenuPolicy(Qt::PreventContextMenu);
}

QString TRankList::LineOf(int id) const {
  return QString("%1\t%2").arg(names_[static_cast<size_t>(id - 1)], QString::fromLatin1(RankLetter(rank_(id))));
}

void TRankList::SetNames(const std::vector<std::string>& names) {
  names_.clear();
  for (const std::string& name : names) names_.push_back(TextCodec::Current().ToUnicode(name));
  clear();
  for (int id = 1; id <= static_cast<int>(names_.size()); ++id) addItem(LineOf(id));
}

void TRankList::Reload() {
  for (int id = 1; id <= count(); ++id) item(id - 1)->setText(LineOf(id));
}

void TRankList::Step(int id, bool towardA) {
  if (id < 1 || id > count()) return;
  setRank_(id, StepRank(rank_(id), towardA));
  item(id - 1)->setText(LineOf(id));
  emit changed();
}

void TRankList::mousePressEvent(QMouseEvent* event) {
  QListWidget::mousePressEvent(event);
  QListWidgetItem* line = itemAt(event->position().toPoint());
  if (!line || !isEnabled()) return;
  if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
    Step(row(line) + 1, event->button() == Qt::LeftButton);
}

void TRankList::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && currentRow() >= 0) {
    Step(currentRow() + 1, true);
    return;
  }
  QListWidget::keyPressEvent(event);
}

}  // namespace tess
