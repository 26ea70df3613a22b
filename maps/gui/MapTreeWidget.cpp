#include "maps/gui/MapTreeWidget.h"

#include <QHeaderView>
#include <QStyle>
#include <QTreeWidgetItemIterator>

#include "platform/TextCodec.h"

namespace tess {

namespace {
QTreeWidgetItem* ItemOf(TMapTreeView::Node node) { return static_cast<QTreeWidgetItem*>(node); }
constexpr int kIdRole = Qt::UserRole;
}  // namespace

TMapTreeWidget::TMapTreeWidget(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
    if (current) emit NodeSelected(current->data(0, kIdRole).toInt());
  });
}

void TMapTreeWidget::Clear() { clear(); }

TMapTreeView::Node TMapTreeWidget::Add(Node parent, const std::string& caption, int32_t id) {
  auto* item = parent ? new QTreeWidgetItem(ItemOf(parent)) : new QTreeWidgetItem(this);
  item->setText(0, TextCodec::Current().ToUnicode(caption));
  item->setData(0, kIdRole, id);
  return item;
}

void TMapTreeWidget::SetImageIndex(Node node, int index) {
  // 0 the project, 1 a map, 2 an area.
  QStyle::StandardPixmap icon = index == 0   ? QStyle::SP_DriveHDIcon
                                : index == 2 ? QStyle::SP_FileDialogDetailedView
                                             : QStyle::SP_FileIcon;
  ItemOf(node)->setIcon(0, style()->standardIcon(icon));
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

bool TMapTreeWidget::SelectId(int32_t id) {
  for (QTreeWidgetItemIterator it(this); *it; ++it) {
    if ((*it)->data(0, kIdRole).toInt() == id) {
      setCurrentItem(*it);
      return true;
    }
  }
  return false;
}

}  // namespace tess
