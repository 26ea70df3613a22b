#include "editor/maps/MapTreeWidget.h"

#include <QDropEvent>
#include <QPainter>
#include <QTreeWidgetItemIterator>

#include "platform/TextCodec.h"

namespace tess {

namespace {

QTreeWidgetItem* ItemOf(TMapTreeView::Node node) { return static_cast<QTreeWidgetItem*>(node); }
constexpr int kIdRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;

// The three node pictures, drawn here: the project (a globe), a map (a sheet of tiles) and an
// area (a framed part of a sheet).
QIcon NodeIcon(int index) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, index == 0);
  if (index == 0) {
    p.setPen(QColor(20, 60, 130));
    p.setBrush(QColor(90, 150, 230));
    p.drawEllipse(1, 1, 13, 13);
    p.setBrush(QColor(70, 160, 70));
    p.drawEllipse(4, 4, 5, 4);
    p.drawLine(1, 8, 14, 8);
  } else {
    p.setPen(QColor(60, 60, 60));
    p.setBrush(index == 1 ? QColor(120, 190, 110) : QColor(235, 235, 235));
    p.drawRect(1, 2, 13, 11);
    p.setPen(index == 1 ? QColor(70, 130, 60) : QColor(180, 180, 180));
    for (int x = 5; x < 14; x += 4) p.drawLine(x, 3, x, 12);
    for (int y = 6; y < 13; y += 4) p.drawLine(2, y, 13, y);
    if (index == 2) {
      p.setPen(QPen(QColor(200, 30, 30), 1, Qt::DashLine));
      p.setBrush(Qt::NoBrush);
      p.drawRect(4, 5, 7, 5);
    }
  }
  return QIcon(pixmap);
}

}  // namespace

TMapTreeWidget::TMapTreeWidget(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setDragEnabled(true);
  setAcceptDrops(true);
  setDropIndicatorShown(true);
  setDragDropMode(QAbstractItemView::InternalMove);
  connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
    if (current) emit NodeSelected(current->data(0, kIdRole).toInt());
  });
}

void TMapTreeWidget::Clear() { clear(); }

TMapTreeView::Node TMapTreeWidget::Add(Node parent, const std::string& caption, int32_t id) {
  auto* item = parent ? new QTreeWidgetItem(ItemOf(parent)) : new QTreeWidgetItem(this);
  const QString name = TextCodec::Current().ToUnicode(caption);
  item->setText(0, name);
  item->setData(0, kIdRole, id);
  item->setData(0, kNameRole, name);
  return item;
}

void TMapTreeWidget::SetImageIndex(Node node, int index) {
  static const QIcon icons[3] = {NodeIcon(0), NodeIcon(1), NodeIcon(2)};
  ItemOf(node)->setIcon(0, icons[std::clamp(index, 0, 2)]);
}

void TMapTreeWidget::SetExpanded(Node node, bool expanded) { ItemOf(node)->setExpanded(expanded); }
bool TMapTreeWidget::Expanded(Node node) const { return ItemOf(node)->isExpanded(); }
int32_t TMapTreeWidget::IdOf(Node node) const { return ItemOf(node)->data(0, kIdRole).toInt(); }
TMapTreeView::Node TMapTreeWidget::Parent(Node node) const { return ItemOf(node)->parent(); }

int TMapTreeWidget::Level(Node node) const {
  int level = 0;
  for (QTreeWidgetItem* p = ItemOf(node)->parent(); p; p = p->parent()) ++level;
  return level;
}

TMapTreeView::Node TMapTreeWidget::First() const { return topLevelItemCount() ? topLevelItem(0) : nullptr; }

TMapTreeView::Node TMapTreeWidget::Next(Node node) const {
  QTreeWidgetItemIterator it(ItemOf(node));
  ++it;
  return *it;
}

void TMapTreeWidget::Select(Node node) { setCurrentItem(ItemOf(node)); }

int32_t TMapTreeWidget::SelectedId() const {
  QTreeWidgetItem* item = currentItem();
  return item ? item->data(0, kIdRole).toInt() : -1;
}

QTreeWidgetItem* TMapTreeWidget::ItemOfId(int32_t id) const {
  for (QTreeWidgetItemIterator it(const_cast<TMapTreeWidget*>(this)); *it; ++it)
    if ((*it)->data(0, kIdRole).toInt() == id) return *it;
  return nullptr;
}

bool TMapTreeWidget::SelectId(int32_t id) {
  QTreeWidgetItem* item = ItemOfId(id);
  if (!item) return false;
  setCurrentItem(item);
  scrollToItem(item);
  return true;
}

void TMapTreeWidget::SetPendingMark(int32_t id, bool pending) {
  QTreeWidgetItem* item = ItemOfId(id);
  if (!item) return;
  const QString name = item->data(0, kNameRole).toString();
  item->setText(0, pending ? name + " *" : name);
  QFont font = item->font(0);
  font.setItalic(pending);
  item->setFont(0, font);
}

bool TMapTreeWidget::DropAllowed(const QPoint& at, int32_t& id, int32_t& target) const {
  QTreeWidgetItem* dragged = currentItem();
  QTreeWidgetItem* onto = itemAt(at);
  if (!dragged || !onto || !canDrop) return false;
  id = dragged->data(0, kIdRole).toInt();
  target = onto->data(0, kIdRole).toInt();
  return canDrop(id, target);
}

void TMapTreeWidget::dragMoveEvent(QDragMoveEvent* event) {
  int32_t id = 0, target = 0;
  if (event->source() == this && DropAllowed(event->position().toPoint(), id, target))
    event->acceptProposedAction();
  else
    event->ignore();
}

void TMapTreeWidget::dropEvent(QDropEvent* event) {
  int32_t id = 0, target = 0;
  // The model moves the node and the view is built again from it; Qt's own move stays out.
  const bool allowed = event->source() == this && DropAllowed(event->position().toPoint(), id, target);
  event->setDropAction(Qt::IgnoreAction);
  event->accept();
  if (allowed && onDrop) onDrop(id, target);
}

}  // namespace tess
