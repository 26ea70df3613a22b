#pragma once
// The tree control behind the map tree pane: a QTreeWidget that the map tree model fills and reads
// through its view interface.

#include <QTreeWidget>

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

 signals:
  // The user or the program selected the node with this id.
  void NodeSelected(int32_t id);
};

}  // namespace tess
