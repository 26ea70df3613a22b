#include "editor/maps/FormMapViewer.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <exception>

#include "core/MessagePort.h"
#include "editor/maps/MapFrames.h"
#include "maps/GR_ChipSet.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "maps/MapAnimation.h"
#include "ui/WheelPanner.h"

namespace tess {

namespace {

constexpr int kScrollStep = 16;
constexpr int kWheelNotch = 120;
// Changes of more cells than this are drawn as their bounding rectangle.
constexpr size_t kCellByCellLimit = 512;
const QColor kUserGridColour(0, 0, 0, 90);

TRect ToRect(const TCellRect& r) { return Bounds(r.x, r.y, r.width, r.height); }

// Runs of horizontally adjacent cells of one row, from cells listed row by row.
std::vector<TCellRect> RowRuns(const std::vector<TCellPoint>& cells) {
  std::vector<TCellRect> runs;
  for (const TCellPoint& c : cells) {
    if (!runs.empty() && runs.back().y == c.y && runs.back().Right() == c.x)
      ++runs.back().width;
    else
      runs.push_back({c.x, c.y, 1, 1});
  }
  return runs;
}

}  // namespace

TFormMapViewer::TFormMapViewer(QWidget* parent) : QAbstractScrollArea(parent), panner_(new TWheelPanner(this)) {
  setObjectName("MapViewer");
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAttribute(Qt::WA_NoSystemBackground);
  viewport()->setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  horizontalScrollBar()->setSingleStep(kScrollStep);
  verticalScrollBar()->setSingleStep(kScrollStep);
  animation_.setInterval(kAnimationTickMs);
  connect(&animation_, &QTimer::timeout, this, &TFormMapViewer::AnimationTick);
  clock_.start();
  hatch_ = HatchBrush();
}

TFormMapViewer::~TFormMapViewer() = default;

// ---------------------------------------------------------------------------------------------
// What is shown

void TFormMapViewer::SetMap(const TLcfMap* map, TLcfChipSetGraphic* graphic, TLcfMapTree* tree, bool storeScroll) {
  const bool sameMap = map && map == map_ && map->Id() == shownMapId_ && map->width > 0;
  map_ = map && map->width > 0 && map->height > 0 ? map : nullptr;
  graphic_ = graphic;
  tree_ = tree;
  storeScroll_ = storeScroll;
  shownMapId_ = map_ ? map_->Id() : -1;
  if (!sameMap) {
    painted_ = false;
    stored_ = {};
    hover_ = {-1, -1};
  }
  if (map_) {
    events_.Build(tree_, *map_);
    charSets_.Refresh(map_->events);
  } else {
    events_.Build(nullptr, TLcfMap());
  }
  const std::string panorama = map_ && map_->usePanorama ? map_->panoramaName : std::string();
  if (panorama != panoramaName_ || !sameMap) {
    // A missing panorama is no error here: its cells show the tiles' own colour instead.
    LoadMapPanorama(panorama_, panorama);
    panoramaName_ = panorama;
  }
  const TPoint keep = Scroll();
  Layout(keep);
  SetScrollQuiet(sameMap ? keep : Geometry().ScrollFromStored(StoredScroll()));
  RedrawAll();
  MapSet();
  UpdateAnimation();
}

void TFormMapViewer::SetCellSize(int cellSize) {
  if (cellSize == cellSize_ || cellSize <= 0) return;
  cellSize_ = cellSize;
  Layout(Scroll());
  // The point stored for the view's centre stays at the centre.
  SetScrollQuiet(Geometry().ScrollFromStored(StoredScroll()));
  RedrawAll();
  emit ZoomChanged(cellSize_);
}

void TFormMapViewer::SetCellSizeAround(int cellSize, QPoint viewportPos) {
  if (cellSize == cellSize_ || cellSize <= 0) return;
  const TMapViewGeometry before = Geometry();
  const TPoint scrollBefore = Scroll();
  SetCellSize(cellSize);
  // Then the view scrolls so that the point under the mouse is where it was; the stored position
  // follows that scroll.
  SetScroll(Geometry().ZoomedAround(before, scrollBefore, {viewportPos.x(), viewportPos.y()}));
}

TMapViewGeometry TFormMapViewer::Geometry() const {
  TMapViewGeometry g;
  g.mapWidth = map_ ? map_->width : 0;
  g.mapHeight = map_ ? map_->height : 0;
  g.cellSize = cellSize_;
  g.clientWidth = viewport()->width();
  g.clientHeight = viewport()->height();
  return g;
}

TPoint TFormMapViewer::Scroll() const { return {horizontalScrollBar()->value(), verticalScrollBar()->value()}; }

void TFormMapViewer::SetScroll(TPoint scroll) {
  horizontalScrollBar()->setValue(scroll.x);
  verticalScrollBar()->setValue(scroll.y);
}

void TFormMapViewer::SetScrollQuiet(TPoint scroll) {
  layingOut_ = true;
  SetScroll(scroll);
  layingOut_ = false;
  boardValid_ = false;
}

TCellPoint TFormMapViewer::CellAt(QPoint viewportPos) const {
  return Geometry().CellAt({viewportPos.x(), viewportPos.y()}, Scroll());
}

TCellPoint TFormMapViewer::CornerAt(QPoint viewportPos) const {
  return Geometry().CornerAt({viewportPos.x(), viewportPos.y()}, Scroll());
}

QRect TFormMapViewer::ClientRectOf(const TCellRect& cells) const {
  const TCellRect r = Geometry().ClientRectOf(cells, Scroll());
  return {r.x, r.y, r.width, r.height};
}

QRect TFormMapViewer::MapClientRect() const {
  const TMapViewGeometry g = Geometry();
  const TPoint o = g.Offset();
  return {o.x, o.y, g.VisibleWidth(), g.VisibleHeight()};
}

bool TFormMapViewer::InsideMap(TCellPoint cell) const {
  return map_ && cell.x >= 0 && cell.y >= 0 && cell.x < map_->width && cell.y < map_->height;
}

void TFormMapViewer::SetAreaFrame(const TCellRect& area) {
  if (area == area_) return;
  viewport()->update(ClientRectOf(area_));
  area_ = area;
  viewport()->update(ClientRectOf(area_));
}

void TFormMapViewer::SetGridVisible(bool visible) {
  if (visible == gridVisible_) return;
  gridVisible_ = visible;
  viewport()->update();
}

TPoint TFormMapViewer::StoredScroll() const {
  if (storeScroll_ && tree_ && map_)
    if (const TLcfMapTreeItem* entry = tree_->FindById(map_->Id())) return {entry->scrollX, entry->scrollY};
  return stored_;
}

void TFormMapViewer::StoreScroll(TPoint from, TPoint to) {
  const TPoint stored = Geometry().StoredAfterScroll(StoredScroll(), from, to);
  if (storeScroll_ && tree_ && map_)
    if (TLcfMapTreeItem* entry = tree_->FindById(map_->Id())) {
      entry->scrollX = stored.x;
      entry->scrollY = stored.y;
      return;
    }
  stored_ = stored;
}

// ---------------------------------------------------------------------------------------------
// The board

void TFormMapViewer::Layout(TPoint scroll) {
  layingOut_ = true;
  // A scroll bar that appears or goes away changes the client area: lay out again then.
  for (int pass = 0; pass < 3; ++pass) {
    const QSize before = viewport()->size();
    const TMapViewGeometry g = Geometry();
    horizontalScrollBar()->setRange(0, g.MaxScrollX());
    verticalScrollBar()->setRange(0, g.MaxScrollY());
    horizontalScrollBar()->setPageStep(std::max(kScrollStep, g.VisibleWidth()));
    verticalScrollBar()->setPageStep(std::max(kScrollStep, g.VisibleHeight()));
    if (viewport()->size() == before) break;
  }
  const TMapViewGeometry g = Geometry();
  SetScroll(g.Clamp(scroll));
  // The board follows the visible area; it never shrinks, so resizing back and forth allocates
  // nothing.
  if (board_.Width() < g.VisibleWidth() || board_.Height() < g.VisibleHeight())
    board_.SetSize(std::max(board_.Width(), g.VisibleWidth()), std::max(board_.Height(), g.VisibleHeight()));
  boardValid_ = false;
  layingOut_ = false;
}

TMapDrawOptions TFormMapViewer::DrawOptions() const {
  TMapDrawOptions options;
  options.cellSize = cellSize_;
  options.counter = counter_;
  return options;
}

void TFormMapViewer::DrawCells(const TCellRect& cells) {
  if (!map_ || !graphic_ || !boardValid_) return;
  const TCellRect r = cells.Intersected(Geometry().VisibleCells(drawnScroll_));
  if (r.Empty()) return;
  const int size = cellSize_;
  // Cells without a tileset (or blank on a transparent layer) show black, never what lay there.
  board_.FillRect(Bounds(r.x * size - drawnScroll_.x, r.y * size - drawnScroll_.y, r.width * size, r.height * size), 0);
  TMapDrawOptions options = DrawOptions();
  const TEventLayer events{EventGrid(), &charSets_, &markers_, MarkerStyle()};
  options.events = &events;
  DrawMapCells(board_, {-drawnScroll_.x, -drawnScroll_.y}, *map_, ToRect(r), *graphic_, &panorama_, options);
}

void TFormMapViewer::DrawWholeBoard() {
  const TMapViewGeometry g = Geometry();
  drawnScroll_ = Scroll();
  boardValid_ = map_ && graphic_;
  board_.FillRect(Bounds(0, 0, g.VisibleWidth(), g.VisibleHeight()), 0);
  try {
    DrawCells(g.VisibleCells(drawnScroll_));
  } catch (const std::exception& e) {
    ShowFailureOnce(e.what());
  }
}

void TFormMapViewer::ScrollBoardTo(TPoint scroll) {
  const TMapViewGeometry g = Geometry();
  const int w = g.VisibleWidth(), h = g.VisibleHeight();
  const int dx = drawnScroll_.x - scroll.x, dy = drawnScroll_.y - scroll.y;
  if (!boardValid_ || std::abs(dx) >= w || std::abs(dy) >= h) {
    DrawWholeBoard();
    viewport()->update();
    return;
  }
  if (dx == 0 && dy == 0) return;
  // What is drawn moves with the map; only the strips it uncovers are drawn.
  board_.CopyBoard(dx, dy, Bounds(0, 0, w, h), board_);
  drawnScroll_ = scroll;
  const int size = cellSize_;
  auto cellsOf = [&](int left, int top, int width, int height) {
    const int x0 = (scroll.x + left) / size, y0 = (scroll.y + top) / size;
    const int x1 = (scroll.x + left + width + size - 1) / size, y1 = (scroll.y + top + height + size - 1) / size;
    return TCellRect{x0, y0, x1 - x0, y1 - y0};
  };
  try {
    if (dx > 0) DrawCells(cellsOf(0, 0, dx, h));
    if (dx < 0) DrawCells(cellsOf(w + dx, 0, -dx, h));
    if (dy > 0) DrawCells(cellsOf(0, 0, w, dy));
    if (dy < 0) DrawCells(cellsOf(0, h + dy, w, -dy));
  } catch (const std::exception& e) {
    ShowFailureOnce(e.what());
  }
}

void TFormMapViewer::RedrawCells(const TCellRect& cells) {
  if (!boardValid_) return RedrawAll();
  try {
    DrawCells(cells);
  } catch (const std::exception& e) {
    ShowFailureOnce(e.what());
  }
  viewport()->update(ClientRectOf(cells).intersected(MapClientRect()));
}

void TFormMapViewer::RedrawChanged(const TChangedCells& changed) {
  if (changed.all || !boardValid_) return RedrawAll();
  if (changed.cells.empty() || changed.cells.size() > kCellByCellLimit) return RedrawCells(changed.bounds);
  try {
    for (const TCellPoint& c : changed.cells) DrawCells({c.x, c.y, 1, 1});
  } catch (const std::exception& e) {
    ShowFailureOnce(e.what());
  }
  viewport()->update(ClientRectOf(changed.bounds).intersected(MapClientRect()));
}

void TFormMapViewer::RedrawAll() {
  DrawWholeBoard();
  viewport()->update();
}

void TFormMapViewer::ReloadCharSets() {
  charSets_.ClearCache();
  if (map_) charSets_.Refresh(map_->events);
  RedrawAll();
}

QImage TFormMapViewer::MapImage() const {
  const TMapViewGeometry g = Geometry();
  const QImage image(reinterpret_cast<const uchar*>(board_.Bits()), board_.Width(), board_.Height(), board_.Stride(),
                     QImage::Format_RGB16);
  return image.copy(0, 0, g.VisibleWidth(), g.VisibleHeight());
}

void TFormMapViewer::ShowFailureOnce(const std::string& what) {
  if (what == failureShown_) return;
  failureShown_ = what;
  ShowError(what, this);
}

// ---------------------------------------------------------------------------------------------
// Animation

void TFormMapViewer::UpdateAnimation() {
  const bool run = map_ && graphic_ && graphic_->HasTileset() && isVisible() && !window()->isMinimized();
  if (run && !animation_.isActive()) animation_.start();
  if (!run) animation_.stop();
}

void TFormMapViewer::AnimationTick() {
  UpdateAnimation();
  if (!animation_.isActive() || !boardValid_) return;
  const int from = counter_;
  counter_ += kAnimationCounterStep;
  const TCellRect visible = Geometry().VisibleCells(drawnScroll_);
  const std::vector<TCellPoint> cells = AnimatedCellsChanged(*map_, *graphic_, visible, from, counter_);
  if (cells.empty()) return;
  TCellRect bounds;
  try {
    for (const TCellRect& run : RowRuns(cells)) {
      DrawCells(run);
      bounds = bounds.United(run);
    }
  } catch (const std::exception& e) {
    ShowFailureOnce(e.what());
  }
  viewport()->update(ClientRectOf(bounds).intersected(MapClientRect()));
}

void TFormMapViewer::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
  UpdateAnimation();
}

void TFormMapViewer::hideEvent(QHideEvent* event) {
  QAbstractScrollArea::hideEvent(event);
  UpdateAnimation();
}

// ---------------------------------------------------------------------------------------------
// Qt

void TFormMapViewer::paintEvent(QPaintEvent* event) {
  QPainter p(viewport());
  try {
    if (boardValid_ && drawnScroll_ != Scroll()) ScrollBoardTo(Scroll());
    const TMapViewGeometry g = Geometry();
    const TPoint scroll = Scroll();
    const QRect mapRect = MapClientRect();
    // The hatch moves with the map, so what scrolling moves stays right.
    const QRegion outside = event->region().subtracted(QRegion(mapRect));
    if (!outside.isEmpty()) {
      p.setBrushOrigin(mapRect.left() - scroll.x, mapRect.top() - scroll.y);
      for (const QRect& r : outside) p.fillRect(r, hatch_);
    }
    if (boardValid_) {
      const QImage image(reinterpret_cast<const uchar*>(board_.Bits()), board_.Width(), board_.Height(),
                         board_.Stride(), QImage::Format_RGB16);
      for (const QRect& r : event->region()) {
        const QRect target = r.intersected(mapRect);
        if (!target.isEmpty()) p.drawImage(target, image, target.translated(-mapRect.topLeft()));
      }
    } else if (!mapRect.isEmpty()) {
      p.fillRect(mapRect.intersected(event->rect()), Qt::black);
    }
    if (boardValid_ && (CellGrid() || gridVisible_)) {
      const QRect area = mapRect.intersected(event->rect());
      const QPoint origin(mapRect.left() - scroll.x, mapRect.top() - scroll.y);
      DrawGridLines(p, area, origin, g.cellSize, CellGrid() ? QColor(Qt::black) : kUserGridColour);
    }
    if (!area_.Empty()) DrawAreaFrame(p, ClientRectOf(area_));
    PaintOverlays(p);
  } catch (const std::exception& e) {
    ShowFailureOnce(e.what());
  }
  painted_ = true;
}

void TFormMapViewer::PaintOverlays(QPainter&) {}

void TFormMapViewer::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  if (layingOut_) return;
  Layout(Scroll());
  RedrawAll();
}

void TFormMapViewer::scrollContentsBy(int dx, int dy) {
  // Scroll positions set while laying out are drawn by whoever lays out.
  if (layingOut_) return;
  const TPoint now = Scroll();
  StoreScroll({now.x + dx, now.y + dy}, now);
  ScrollBoardTo(now);
  viewport()->scroll(dx, dy, viewport()->rect());
  Scrolled();
}

void TFormMapViewer::RequestZoom(int cellSize, QPoint viewportPos) { SetCellSizeAround(cellSize, viewportPos); }

void TFormMapViewer::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) {
    wheelZoom_ = 0;
    QAbstractScrollArea::wheelEvent(event);
    return;
  }
  // Ctrl + wheel zooms, a step per notch of 120, around the mouse.
  const QPoint at = event->position().toPoint();
  wheelZoom_ += event->angleDelta().y();
  for (; wheelZoom_ >= kWheelNotch; wheelZoom_ -= kWheelNotch) RequestZoom(ZoomedIn(cellSize_), at);
  for (; wheelZoom_ <= -kWheelNotch; wheelZoom_ += kWheelNotch) RequestZoom(ZoomedOut(cellSize_), at);
  event->accept();
}

void TFormMapViewer::mousePressEvent(QMouseEvent* event) {
  if (!painted_) return;
  setFocus(Qt::MouseFocusReason);
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::MiddleButton) {
    panner_->Start(at);
    return;
  }
  const TCellPoint cell = CellAt(at);
  if (InsideMap(cell) && (event->button() == Qt::LeftButton || event->button() == Qt::RightButton))
    emit CellPressed(cell.x, cell.y, event->button());
}

void TFormMapViewer::mouseMoveEvent(QMouseEvent* event) {
  if (!painted_) return;
  const TCellPoint cell = CellAt(event->position().toPoint());
  SetHover(InsideMap(cell) ? cell : TCellPoint{-1, -1});
}

void TFormMapViewer::SetHover(TCellPoint cell) {
  if (cell == hover_) return;
  hover_ = cell;
  emit CursorMoved(cell.x, cell.y);
}

void TFormMapViewer::ViewportLeft() { SetHover({-1, -1}); }

bool TFormMapViewer::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::Leave) ViewportLeft();
  return QAbstractScrollArea::viewportEvent(event);
}

}  // namespace tess
