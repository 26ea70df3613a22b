#include "ui/pickers/FormSelLocation.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/EntryCaption.h"
#include "database/DataBaseObj.h"
#include "events/LD_Event.h"
#include "events/LD_EventScript.h"
#include "maps/LD_MapTree.h"
#include "maps/MapDrawing.h"
#include "platform/TextCodec.h"
#include "ui/DialogButtons.h"

namespace tess {

namespace {

constexpr int kCell = 32;
// The cells between the map view's top-left and its centre, as the editor's view shows them.
constexpr int kCentreColumns = 9;
constexpr int kCentreRows = 7;

constexpr const char* kFacings[] = {"Retain Facing", "Up", "Right", "Down", "Left"};

const TLcfMapTreeItem* MapNode(const TLcfMapTree* tree, int32_t id) {
  if (!tree || id <= 0) return nullptr;
  const TLcfMapTreeItem* node = tree->FindById(id);
  return node && node->IsMap() ? node : nullptr;
}

// The tree control the map tree fills through its view interface; items carry their node ids.
class TLocationTree final : public QTreeWidget, public TMapTreeView {
 public:
  explicit TLocationTree(QWidget* parent) : QTreeWidget(parent) { setHeaderHidden(true); }
  void Clear() override { clear(); }
  Node Add(Node parent, const std::string& caption, int32_t id) override {
    auto* item = parent ? new QTreeWidgetItem(static_cast<QTreeWidgetItem*>(parent)) : new QTreeWidgetItem(this);
    item->setText(0, TextCodec::Current().ToUnicode(caption));
    item->setData(0, Qt::UserRole, id);
    return item;
  }
  void SetImageIndex(Node, int) override {}
  void SetExpanded(Node node, bool expanded) override { Item(node)->setExpanded(expanded); }
  bool Expanded(Node node) const override { return Item(node)->isExpanded(); }
  int32_t IdOf(Node node) const override { return Item(node)->data(0, Qt::UserRole).toInt(); }
  Node Parent(Node node) const override { return Item(node)->parent(); }
  int Level(Node node) const override {
    int level = 0;
    for (QTreeWidgetItem* p = Item(node)->parent(); p; p = p->parent()) ++level;
    return level;
  }
  Node First() const override { return topLevelItemCount() > 0 ? topLevelItem(0) : nullptr; }
  Node Next(Node node) const override {
    QTreeWidgetItem* item = Item(node);
    if (item->childCount() > 0) return item->child(0);
    for (; item; item = item->parent()) {
      QTreeWidgetItem* parent = item->parent();
      const int index = parent ? parent->indexOfChild(item) : indexOfTopLevelItem(item);
      const int count = parent ? parent->childCount() : topLevelItemCount();
      if (index + 1 < count) return parent ? parent->child(index + 1) : topLevelItem(index + 1);
    }
    return nullptr;
  }
  void Select(Node node) override { setCurrentItem(Item(node)); }
  QTreeWidgetItem* ItemOfId(int32_t id) const {
    for (Node n = First(); n; n = Next(n))
      if (IdOf(n) == id) return Item(n);
    return nullptr;
  }

 private:
  static QTreeWidgetItem* Item(Node node) { return static_cast<QTreeWidgetItem*>(node); }
};

}  // namespace

TLocation TeleportStart(const TLcfMapTree* tree, const TLcfMap* map, const TLcfEventItem* event,
                        const TLcfEventScriptLine* line) {
  TLocation start;
  if (tree) start.mapId = tree->currentId;
  if (event) {
    start.x = event->x;
    start.y = event->y;
  } else if (map && map->width > 0 && map->height > 0) {
    const TLcfMapTreeItem* node = tree ? tree->FindById(tree->currentId) : nullptr;
    const int32_t scrollX = node ? node->scrollX : 0;
    const int32_t scrollY = node ? node->scrollY : 0;
    start.x = std::clamp(scrollX / kCell + kCentreColumns, 0, map->width - 1);
    start.y = std::clamp(scrollY / kCell + kCentreRows, 0, map->height - 1);
  }
  if (line) {
    start.mapId = line->Param(0);
    start.x = line->Param(1);
    start.y = line->Param(2);
    if (line->ParamCount() >= 4) start.facing = line->Param(3);
  }
  return start;
}

// ---- the map view

TLocationMapView::TLocationMapView(QWidget* parent) : QAbstractScrollArea(parent) {
  setObjectName("MapView");
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(20 * kCell / 2 + 40, 15 * kCell / 2 + 40);
  graphic_.SetTransparent(true);
}

void TLocationMapView::SetMap(const TLcfMap* map, const TLcfChipSetItem* tileset, const TLcfMapTree* tree) {
  map_ = map && map->width > 0 && map->height > 0 ? map : nullptr;
  graphic_.SetTileset(map_ ? tileset : nullptr);
  if (map_)
    events_.Build(tree, *map_);
  else
    events_.Build(nullptr, TLcfMap());
  cellX_ = cellY_ = -1;
  UpdateScrollBars();
  viewport()->update();
}

void TLocationMapView::SetCell(int x, int y) {
  cellX_ = x;
  cellY_ = y;
  if (HasCell()) {
    horizontalScrollBar()->setValue(x * kCell + kCell / 2 - viewport()->width() / 2);
    verticalScrollBar()->setValue(y * kCell + kCell / 2 - viewport()->height() / 2);
  }
  viewport()->update();
}

void TLocationMapView::ScrollTo(int pixelX, int pixelY) {
  horizontalScrollBar()->setValue(pixelX);
  verticalScrollBar()->setValue(pixelY);
}

void TLocationMapView::UpdateScrollBars() {
  const int width = map_ ? map_->width * kCell : 0;
  const int height = map_ ? map_->height * kCell : 0;
  const QSize view = viewport()->size();
  horizontalScrollBar()->setRange(0, std::max(0, width - view.width()));
  verticalScrollBar()->setRange(0, std::max(0, height - view.height()));
  horizontalScrollBar()->setPageStep(view.width());
  verticalScrollBar()->setPageStep(view.height());
  horizontalScrollBar()->setSingleStep(kCell);
  verticalScrollBar()->setSingleStep(kCell);
}

void TLocationMapView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

bool TLocationMapView::CellAt(QPoint p, int& x, int& y) const {
  if (!map_) return false;
  const int px = p.x() + horizontalScrollBar()->value();
  const int py = p.y() + verticalScrollBar()->value();
  if (px < 0 || py < 0) return false;
  x = px / kCell;
  y = py / kCell;
  return x < map_->width && y < map_->height;
}

void TLocationMapView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  const QSize view = viewport()->size();
  if (!map_) {
    painter.fillRect(rect(), palette().window());
    return;
  }
  // Only the visible cells are drawn, whatever the map's size.
  const int sx = horizontalScrollBar()->value();
  const int sy = verticalScrollBar()->value();
  if (board_.Width() != view.width() || board_.Height() != view.height()) board_.SetSize(view.width(), view.height());
  board_.Clear();
  const TRect cells{sx / kCell, sy / kCell, std::min(map_->width, (sx + view.width()) / kCell + 1),
                    std::min(map_->height, (sy + view.height()) / kCell + 1)};
  TMapDrawOptions options;
  options.cellSize = kCell;
  const TEventLayer layer{&events_, &charSets_, &markers_, TMarkerStyle::Translucent};
  options.events = &layer;
  DrawMapCells(board_, {-sx, -sy}, *map_, cells, graphic_, nullptr, options);
  const QImage image(reinterpret_cast<const uchar*>(board_.Bits()), board_.Width(), board_.Height(), board_.Stride(),
                     QImage::Format_RGB16);
  painter.drawImage(0, 0, image);
  const int right = map_->width * kCell - sx, bottom = map_->height * kCell - sy;
  if (right < view.width()) painter.fillRect(right, 0, view.width() - right, view.height(), palette().dark());
  if (bottom < view.height()) painter.fillRect(0, bottom, view.width(), view.height() - bottom, palette().dark());
  if (HasCell()) {
    const QRect frame(cellX_ * kCell - sx, cellY_ * kCell - sy, kCell - 1, kCell - 1);
    painter.setPen(QPen(Qt::black, 3));
    painter.drawRect(frame);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(frame);
  }
}

void TLocationMapView::mousePressEvent(QMouseEvent* event) {
  int x = 0, y = 0;
  if (event->button() != Qt::LeftButton || !CellAt(event->position().toPoint(), x, y)) return;
  cellX_ = x;
  cellY_ = y;
  viewport()->update();
  if (onPicked) onPicked();
}

void TLocationMapView::mouseDoubleClickEvent(QMouseEvent* event) {
  int x = 0, y = 0;
  if (event->button() != Qt::LeftButton || !CellAt(event->position().toPoint(), x, y)) return;
  if (onConfirmed) onConfirmed();
}

// ---- the picker

TFormSelLocation::TFormSelLocation(QWidget* owner, const TLocationSources& sources, const TLocation& location,
                                   bool withFacing)
    : QDialog(owner), sources_(sources), location_(location) {
  setObjectName("FormSelLocation");
  setWindowTitle("Select Location");
  auto* layout = new QVBoxLayout(this);
  auto* columns = new QHBoxLayout;
  auto* tree = new TLocationTree(this);
  tree->setObjectName("MapTree");
  tree_ = tree;
  if (sources_.mapTree && sources_.currentMapOnly) {
    if (const TLcfMapTreeItem* current = MapNode(sources_.mapTree, sources_.mapTree->currentId))
      tree->Add(nullptr, EntryCaption(current->Id(), current->name), current->Id());
  } else if (sources_.mapTree) {
    sources_.mapTree->BuildView(*tree, false);
  }
  columns->addWidget(tree_, 1);
  view_ = new TLocationMapView(this);
  columns->addWidget(view_, 3);
  layout->addLayout(columns, 1);

  auto* bottom = new QFormLayout;
  place_ = new QLabel(this);
  place_->setObjectName("Place");
  bottom->addRow("Location", place_);
  if (withFacing) {
    facing_ = new QComboBox(this);
    facing_->setObjectName("Facing");
    for (int i = 0; i < 5; ++i) facing_->addItem(kFacings[i], i);
    // A stored facing outside the list is shown as it is and kept until another is chosen.
    if (location_.facing < 0 || location_.facing > 4)
      facing_->addItem(QString::number(location_.facing), location_.facing);
    facing_->setCurrentIndex(facing_->findData(location_.facing));
    connect(facing_, &QComboBox::activated, this,
            [this](int index) { location_.facing = facing_->itemData(index).toInt(); });
    bottom->addRow("Facing", facing_);
  }
  layout->addLayout(bottom);
  QDialogButtonBox* buttons = MakeDialogButtons(this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  layout->addWidget(buttons);
  resize(760, 520);

  view_->onPicked = [this] {
    location_.x = view_->CellX();
    location_.y = view_->CellY();
    cellChosen_ = true;
    UpdateState();
  };
  view_->onConfirmed = [this] {
    if (HasCell()) accept();
  };

  // The given map opens at the given cell; a map the tree does not hold opens nothing.
  const TLcfMapTreeItem* node = MapNode(sources_.mapTree, location_.mapId);
  if (node) {
    if (QTreeWidgetItem* item = tree->ItemOfId(location_.mapId)) {
      const QSignalBlocker blocker(tree_);
      for (QTreeWidgetItem* p = item->parent(); p; p = p->parent()) p->setExpanded(true);
      tree_->setCurrentItem(item);
      tree_->scrollToItem(item);
    }
    MapSelected(location_.mapId, true);
  } else {
    tree_->setCurrentItem(nullptr);
    view_->SetMap(nullptr, nullptr);
  }
  connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (item) MapSelected(item->data(0, Qt::UserRole).toInt(), false);
  });
  UpdateState();
}

TFormSelLocation::~TFormSelLocation() = default;

bool TFormSelLocation::HasCell() const { return cellChosen_ && MapNode(sources_.mapTree, location_.mapId); }

bool TFormSelLocation::ShowMap(int32_t mapId) {
  QTreeWidgetItem* item = static_cast<TLocationTree*>(tree_)->ItemOfId(mapId);
  if (!item) return false;
  for (QTreeWidgetItem* p = item->parent(); p; p = p->parent()) p->setExpanded(true);
  tree_->setCurrentItem(item);
  return true;
}

void TFormSelLocation::PickCell(int x, int y) {
  view_->SetCell(x, y);
  view_->onPicked();
}

void TFormSelLocation::MapSelected(int32_t mapId, bool opening) {
  const TLcfMapTreeItem* node = MapNode(sources_.mapTree, mapId);
  const TLcfMap* map = nullptr;
  loaded_.reset();
  if (node) {
    if (sources_.currentMap && mapId == sources_.mapTree->currentId && sources_.currentMap->width > 0) {
      map = sources_.currentMap;
    } else {
      // The map as the editor would open it: its work copy while it waits for a save.
      loaded_ = std::make_unique<TLcfMap>();
      if (const TLcfMapTreeItem* owner = sources_.mapTree->OwningMap(mapId); owner && owner->pending)
        loaded_->LoadWorkCopy(sources_.mapTree->ScratchPath(), mapId);
      else
        loaded_->LoadFromProject(sources_.mapTree->ProjectPath(), mapId);
      map = loaded_.get();
    }
  }
  const TLcfChipSetItem* tileset =
      map && sources_.database ? sources_.database->tilesets.FindById(map->tilesetId) : nullptr;
  view_->SetMap(map, tileset, sources_.mapTree);
  if (opening) {
    // The given cell, when the map holds it; else the map's remembered view position.
    const bool inside =
        map && location_.x >= 0 && location_.y >= 0 && location_.x < map->width && location_.y < map->height;
    if (inside) {
      view_->SetCell(location_.x, location_.y);
      cellChosen_ = true;
    } else if (node) {
      view_->ScrollTo(node->scrollX, node->scrollY);
      cellChosen_ = map && location_.x >= 0 && location_.y >= 0;  // kept as stored, framed nowhere
    }
  } else {
    // Another map: its cell is still to be picked.
    location_.mapId = node ? mapId : 0;
    cellChosen_ = false;
    if (node) view_->ScrollTo(node->scrollX, node->scrollY);
  }
  UpdateState();
}

void TFormSelLocation::UpdateState() {
  const TLcfMapTreeItem* node = MapNode(sources_.mapTree, location_.mapId);
  QString text;
  if (node) {
    text = TextCodec::Current().ToUnicode(EntryCaption(node->Id(), node->name));
    if (cellChosen_) text += QString::asprintf(" (%.3d,%.3d)", location_.x, location_.y);
  } else {
    text = "(none)";
  }
  place_->setText(text);
  ok_->setEnabled(HasCell());
}

bool SelectLocation(QWidget* owner, const TLocationSources& sources, TLocation& location, bool withFacing) {
  TFormSelLocation picker(owner, sources, location, withFacing);
  if (picker.exec() != QDialog::Accepted || !picker.HasCell()) return false;
  location = picker.Location();
  return true;
}

}  // namespace tess
