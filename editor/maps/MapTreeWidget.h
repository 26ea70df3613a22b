#pragma once
// The tree control behind the map tree window: a QTreeWidget that the map tree model fills and
// reads through its view interface. Captions are read-only; a node can be dragged onto another,
// and the window decides whether the drop is allowed and what it does.

#include <QTreeWidget>
#include <functional>

#include "maps/LD_MapTree.h"

namespace tess {

class TMapTreeWidget : public QTreeWidget, public TMapTreeView {
  Q_OBJECT
 public:
  explicit TMapTreeWidget(QWidget* parent = nullptr);

  void Clear() override;
  Node Add(Node parent, const std::string& caption, int32_t id) override;
  void SetImageIndex(Node node, int index) override;
  void SetExpanded(Node node, bool expanded) override;
  bool Expanded(Node node) const override;
  int32_t IdOf(Node node) const override;
  Node Parent(Node node) const override;
  int Level(Node node) const override;
  Node First() const override;
  Node Next(Node node) const override;
  void Select(Node node) override;

  // The id of the selected node, or -1.
  int32_t SelectedId() const;
  // Selects the node with this id; false when there is none.
  bool SelectId(int32_t id);
  QTreeWidgetItem* ItemOfId(int32_t id) const;
  // Marks a node whose map waits in a work copy for the next save.
  void SetPendingMark(int32_t id, bool pending);

  // Whether node id may be dropped onto node target, and the drop itself.
  std::function<bool(int32_t id, int32_t target)> canDrop;
  std::function<void(int32_t id, int32_t target)> onDrop;

 signals:
  // The user or the program selected the node with this id.
  void NodeSelected(int32_t id);

 protected:
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // The dragged node and the node under the mouse, when a drop there is allowed.
  bool DropAllowed(const QPoint& at, int32_t& id, int32_t& target) const;
};

}  // namespace tess
