#pragma once
// The map tree window: the project's root, its maps nested under each other and each map's areas,
// as a view of the open document. Selecting a node opens its map (an area opens its map centred on
// the area); the context menus and keys create, edit, copy, paste, delete, generate and shift maps
// and areas, and nodes are moved by dragging them onto another. The work is done by the tree
// commands; this window asks the author first and shows the result.

#include <QSize>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

#include "project/MapTreeCommands.h"

class QMenu;
class QAction;

namespace tess {

class TMapTreeWidget;
class TProjectDocument;

class TFormMapTree : public QWidget {
  Q_OBJECT
 public:
  explicit TFormMapTree(TProjectDocument& document, QWidget* parent = nullptr);
  ~TFormMapTree() override;

  TMapTreeWidget* Tree() const { return tree_; }
  TMapTreeCommands& Commands() { return commands_; }

  // Builds the view from the document's tree and selects its current node.
  void RebuildView();
  // While locked the tree cannot be used, offers no menu and keeps its order to itself.
  void SetLocked(bool locked);
  bool Locked() const { return locked_; }
  // The map editor's visible size in pixels, to centre areas in it (the main window tells).
  std::function<QSize()> editorClientSize;

  // The commands of the menus, on the selected node.
  void RunNewMap();
  void RunMapProperties();
  void RunCreateArea();
  void RunAreaProperties();
  void RunCopyMap();
  void RunPasteMap();
  void RunDeleteNode();
  void RunGenerateDungeon();
  void RunShiftMap();

  // The menu the selected node offers, its items enabled as they would be when it opens.
  QMenu* MenuForSelected();
  QMenu* RootMenu() const { return rootMenu_; }
  QMenu* MapMenu() const { return mapMenu_; }
  QMenu* AreaMenu() const { return areaMenu_; }

 signals:
  // The selected node or what it shows changed; propertiesChanged after "Map Properties".
  void Notified(bool propertiesChanged);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void NodeSelected(int32_t id);
  // The view follows the document's current node and pending marks.
  void ShowCurrent();
  void UpdateMenuStates();
  const TLcfMapTreeItem* SelectedNode() const;
  // Runs one command: a failure is shown, and the view follows the document either way.
  void Guarded(const std::function<void()>& command, bool propertiesChanged = false);

  TProjectDocument& document_;
  TMapTreeCommands commands_;
  TMapTreeWidget* tree_;
  QMenu* rootMenu_ = nullptr;
  QMenu* mapMenu_ = nullptr;
  QMenu* areaMenu_ = nullptr;
  QAction* pasteAction_ = nullptr;
  QAction* pasteMapAction_ = nullptr;
  QAction* generateAction_ = nullptr;
  bool locked_ = false;
  std::vector<std::pair<TSignal<>*, int>> connections_;
  int modifiedConnection_ = 0;
};

// A seed for the dungeon generator that no earlier run is likely to have used.
uint32_t FreshDungeonSeed();

}  // namespace tess
