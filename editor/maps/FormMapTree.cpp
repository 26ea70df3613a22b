#include "editor/maps/FormMapTree.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QVBoxLayout>
#include <exception>
#include <random>

#include "core/MessagePort.h"
#include "editor/maps/FormEDArea.h"
#include "editor/maps/FormEDMap.h"
#include "editor/maps/FormMapShift.h"
#include "editor/maps/MapTreeWidget.h"
#include "maps/AreaRect.h"
#include "maps/MapProperties.h"
#include "platform/WaitCursor.h"
#include "project/ProjectDocument.h"

namespace tess {

uint32_t FreshDungeonSeed() {
  static std::random_device device;
  return device();
}

TFormMapTree::TFormMapTree(TProjectDocument& document, QWidget* parent)
    : QWidget(parent), document_(document), commands_(document), tree_(new TMapTreeWidget(this)) {
  setObjectName("FormMapTree");
  tree_->setObjectName("MapTreePane");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(tree_);
  BuildMenus();
  tree_->installEventFilter(this);
  tree_->viewport()->installEventFilter(this);
  connect(tree_, &TMapTreeWidget::NodeSelected, this, &TFormMapTree::NodeSelected);
  // A plain click, also on the node already selected (after opening or closing it), keeps the
  // model's order and expanded states in step with the view.
  connect(tree_, &QTreeWidget::itemClicked, this, [this] {
    if (!locked_ && document_.IsOpen()) document_.MapTree().SyncOrderFromView(*tree_);
  });
  tree_->canDrop = [this](int32_t id, int32_t target) {
    return !locked_ && document_.MapTree().CanDropNode(id, target);
  };
  tree_->onDrop = [this](int32_t id, int32_t target) {
    Guarded([&] {
      if (!locked_) document_.MapTree().SyncOrderFromView(*tree_);
      commands_.DropNode(id, target);
    });
  };
  for (TSignal<>* signal : {&document_.projectOpened, &document_.treeReloaded, &document_.treeChanged})
    connections_.push_back({signal, signal->Connect([this] { RebuildView(); })});
  connections_.push_back({&document_.projectClosed, document_.projectClosed.Connect([this] {
                            tree_->blockSignals(true);
                            tree_->Clear();
                            tree_->blockSignals(false);
                          })});
  connections_.push_back({&document_.mapChanged, document_.mapChanged.Connect([this] { ShowCurrent(); })});
  modifiedConnection_ = document_.modifiedChanged.Connect([this](bool) { ShowCurrent(); });
}

TFormMapTree::~TFormMapTree() {
  for (auto [signal, id] : connections_) signal->Disconnect(id);
  document_.modifiedChanged.Disconnect(modifiedConnection_);
}

void TFormMapTree::BuildMenus() {
  rootMenu_ = new QMenu(this);
  rootMenu_->setObjectName("RootMenu");
  rootMenu_->addAction("New Map", this, &TFormMapTree::RunNewMap);
  pasteAction_ = rootMenu_->addAction("Paste", QKeySequence("Ctrl+V"), this, &TFormMapTree::RunPasteMap);

  mapMenu_ = new QMenu(this);
  mapMenu_->setObjectName("MapMenu");
  mapMenu_->addAction("Map Properties", this, &TFormMapTree::RunMapProperties);
  mapMenu_->addSeparator();
  mapMenu_->addAction("New Map", this, &TFormMapTree::RunNewMap);
  mapMenu_->addAction("Create Area", this, &TFormMapTree::RunCreateArea);
  generateAction_ = mapMenu_->addAction("Generate Dungeon", this, &TFormMapTree::RunGenerateDungeon);
  mapMenu_->addSeparator();
  mapMenu_->addAction("Copy Map", QKeySequence("Ctrl+C"), this, &TFormMapTree::RunCopyMap);
  pasteMapAction_ = mapMenu_->addAction("Paste Map", QKeySequence("Ctrl+V"), this, &TFormMapTree::RunPasteMap);
  mapMenu_->addAction("Delete Map", QKeySequence::Delete, this, &TFormMapTree::RunDeleteNode);
  mapMenu_->addSeparator();
  mapMenu_->addAction("Shift Map", QKeySequence("Ctrl+H"), this, &TFormMapTree::RunShiftMap);

  areaMenu_ = new QMenu(this);
  areaMenu_->setObjectName("AreaMenu");
  areaMenu_->addAction("Area Properties", this, &TFormMapTree::RunAreaProperties);
  areaMenu_->addAction("Delete Area", QKeySequence::Delete, this, &TFormMapTree::RunDeleteNode);
}

// ---------------------------------------------------------------------------------------------
// Following the document

void TFormMapTree::RebuildView() {
  tree_->blockSignals(true);
  tree_->setEnabled(false);
  tree_->Clear();
  if (document_.IsOpen()) document_.MapTree().BuildView(*tree_, true);
  tree_->setEnabled(!locked_);
  tree_->blockSignals(false);
  ShowCurrent();
}

void TFormMapTree::ShowCurrent() {
  if (!document_.IsOpen()) return;
  const TLcfMapTree& tree = document_.MapTree();
  tree_->blockSignals(true);
  if (tree_->SelectedId() != tree.currentId) tree_->SelectId(tree.currentId);
  for (int i = 0; i < tree.Count(); ++i) {
    const TLcfMapTreeItem* node = tree.ItemAt(i);
    if (node->Id() != 0) tree_->SetPendingMark(node->Id(), node->pending && node->IsMap());
  }
  tree_->blockSignals(false);
}

void TFormMapTree::SetLocked(bool locked) {
  locked_ = locked;
  tree_->setEnabled(!locked);
}

void TFormMapTree::NodeSelected(int32_t id) {
  if (locked_ || !tree_->isEnabled()) return;
  Guarded([&] {
    TWaitCursor wait;
    const QSize client = editorClientSize ? editorClientSize() : QSize();
    commands_.SelectNode(id, client.width(), client.height());
    document_.MapTree().SyncOrderFromView(*tree_);
  });
}

void TFormMapTree::Guarded(const std::function<void()>& command, bool propertiesChanged) {
  try {
    command();
  } catch (const std::exception& e) {
    ShowError(e.what(), window());
  }
  // A map that could not be stored stays the selected one; the tree shows it again.
  ShowCurrent();
  emit Notified(propertiesChanged);
}

const TLcfMapTreeItem* TFormMapTree::SelectedNode() const {
  const int32_t id = tree_->SelectedId();
  return id < 0 || !document_.IsOpen() ? nullptr : document_.MapTree().FindById(id);
}

void TFormMapTree::UpdateMenuStates() {
  const bool canPaste = commands_.CanPasteMap();
  pasteAction_->setEnabled(canPaste);
  pasteMapAction_->setEnabled(canPaste);
  generateAction_->setEnabled(document_.Map().useGenerator != 0);
}

QMenu* TFormMapTree::MenuForSelected() {
  const TLcfMapTreeItem* node = SelectedNode();
  if (!node || locked_) return nullptr;
  UpdateMenuStates();
  return node->Id() == 0 ? rootMenu_ : node->IsArea() ? areaMenu_ : mapMenu_;
}

bool TFormMapTree::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ContextMenu) {
    auto* menuEvent = static_cast<QContextMenuEvent*>(event);
    QPoint at = tree_->mapToGlobal(QPoint(0, 0));
    if (menuEvent->reason() == QContextMenuEvent::Mouse) {
      // The right button selects the node under it first.
      QTreeWidgetItem* item = tree_->itemAt(tree_->viewport()->mapFromGlobal(menuEvent->globalPos()));
      if (!item) return true;
      tree_->setCurrentItem(item);
      at = menuEvent->globalPos();
    }
    if (QMenu* menu = MenuForSelected()) menu->exec(at);
    return true;
  }
  if (event->type() == QEvent::KeyPress && watched == tree_ && !locked_) {
    auto* key = static_cast<QKeyEvent*>(event);
    const TLcfMapTreeItem* node = SelectedNode();
    if (!node) return false;
    const bool root = node->Id() == 0, map = node->IsMap();
    if (key->matches(QKeySequence::Copy) && map) {
      RunCopyMap();
    } else if (key->matches(QKeySequence::Paste) && (root || map)) {
      RunPasteMap();
    } else if (key->matches(QKeySequence::Delete) && !root) {
      RunDeleteNode();
    } else if (key->key() == Qt::Key_H && key->modifiers() == Qt::ControlModifier && map) {
      RunShiftMap();
    } else {
      return false;
    }
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Commands

void TFormMapTree::RunNewMap() {
  const TLcfMapTreeItem* parent = SelectedNode();
  if (!parent || parent->IsArea()) return;
  const int32_t parentId = parent->Id();
  TMapProperties properties;
  if (!commands_.PrepareNewMap(parentId, properties)) return;
  TFormEDMap dialog(document_, commands_, properties, window());
  if (dialog.exec() != QDialog::Accepted) return;
  Guarded([&] {
    TWaitCursor wait;
    commands_.NewMap(parentId, properties, dialog.Seed());
  });
}

void TFormMapTree::RunMapProperties() {
  const TLcfMapTreeItem* node = SelectedNode();
  if (!node || !node->IsMap()) return;
  const int32_t id = node->Id();
  TMapProperties properties;
  if (!commands_.PrepareMapProperties(id, properties)) return;
  TFormEDMap dialog(document_, commands_, properties, window());
  if (dialog.exec() != QDialog::Accepted) return;
  Guarded(
      [&] {
        TWaitCursor wait;
        commands_.ApplyMapProperties(id, properties, dialog.Seed());
      },
      true);
}

void TFormMapTree::RunCreateArea() {
  const TLcfMapTreeItem* node = SelectedNode();
  if (!node || !node->IsMap()) return;
  const int32_t mapId = node->Id();
  std::string name;
  TCellRect rect;
  const int32_t id = commands_.PrepareNewArea(mapId, name, rect);
  if (id == 0) return;
  TLcfEncount encounters;
  TFormEDArea dialog(document_, id, name, rect, encounters, window());
  if (dialog.exec() != QDialog::Accepted) return;
  Guarded([&] { commands_.CreateArea(mapId, id, dialog.Name(), dialog.Rect(), encounters); });
}

void TFormMapTree::RunAreaProperties() {
  const TLcfMapTreeItem* node = SelectedNode();
  if (!node || !node->IsArea()) return;
  const int32_t id = node->Id();
  TLcfEncount encounters;
  encounters.Assign(node->encounters);
  TFormEDArea dialog(document_, id, node->name, AreaRectOf(node->areaRect), encounters, window());
  if (dialog.exec() != QDialog::Accepted) return;
  Guarded([&] { commands_.SetAreaProperties(id, dialog.Name(), dialog.Rect(), encounters); });
}

void TFormMapTree::RunCopyMap() {
  const TLcfMapTreeItem* node = SelectedNode();
  if (!node || !node->IsMap()) return;
  const int32_t id = node->Id();
  Guarded([&] { commands_.CopyMap(id); });
}

void TFormMapTree::RunPasteMap() {
  const TLcfMapTreeItem* node = SelectedNode();
  if (!node || node->IsArea() || !commands_.CanPasteMap()) return;
  const int32_t parentId = node->Id();
  Guarded([&] {
    TWaitCursor wait;
    commands_.PasteMap(parentId);
  });
}

void TFormMapTree::RunDeleteNode() {
  const TLcfMapTreeItem* node = SelectedNode();
  if (!node || node->Id() == 0) return;
  const int32_t id = node->Id();
  if (AskYesNo(DeleteNodeQuestion(node->name), window()) != TMessageResult::Yes) return;
  Guarded([&] { commands_.DeleteNode(id); });
}

void TFormMapTree::RunGenerateDungeon() {
  const TLcfMapTreeItem* node = SelectedNode();
  if (!node || !node->IsMap()) return;
  Guarded([&] {
    TWaitCursor wait;
    commands_.GenerateDungeon(FreshDungeonSeed());
  });
}

void TFormMapTree::RunShiftMap() {
  const TLcfMapTreeItem* node = SelectedNode();
  if (!node || !node->IsMap() || !document_.CanEditMap()) return;
  TFormMapShift dialog(document_.Map().width, document_.Map().height, window());
  if (dialog.exec() != QDialog::Accepted) return;
  const TCellPoint offset = dialog.Offset();
  Guarded([&] {
    TWaitCursor wait;
    commands_.ShiftMap(offset.x, offset.y);
  });
}

}  // namespace tess
