#include "editor/maps/FormChipSelector.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "editor/maps/MapFrames.h"
#include "maps/GR_ChipSet.h"
#include "ui/EditorCursors.h"
#include "ui/WheelPanner.h"
#include "ui/pickers/PickerDrawing.h"

namespace tess {

namespace {

constexpr int kTriggerMs = 150;
constexpr int kAutoScrollMs = 40;
constexpr int kWheelNotch = 120;
constexpr int kWheelStep = 16;

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// How far the palette scrolls toward an edge with the mouse at that distance from it (negative
// beyond it).
int EdgeStep(int distance) { return std::min(std::max((16 - distance) / 2, 0), 20); }

}  // namespace

TFormChipSelector::TFormChipSelector(QWidget* parent) : QAbstractScrollArea(parent), panner_(new TWheelPanner(this)) {
  setObjectName("ChipSelector");
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setCursor(PickCursor());
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  verticalScrollBar()->setSingleStep(kWheelStep);
  horizontalScrollBar()->setSingleStep(kWheelStep);
  trigger_.setSingleShot(true);
  trigger_.setInterval(kTriggerMs);
  connect(&trigger_, &QTimer::timeout, this, [this] {
    palette_.TriggerFired();
    if (palette_.Move(CellAt(mouse_))) viewport()->update();
  });
  autoScroll_.setInterval(kAutoScrollMs);
  connect(&autoScroll_, &QTimer::timeout, this, &TFormChipSelector::AutoScrollTick);
  hatch_ = HatchBrush();
  Layout();
}

TFormChipSelector::~TFormChipSelector() = default;

QSize TFormChipSelector::sizeHint() const {
  const int frame = 2 * frameWidth();
  return {kPaletteWidth + frame + verticalScrollBar()->sizeHint().width(), 12 * kPaletteCellPixels + frame};
}

QSize TFormChipSelector::minimumSizeHint() const { return {64, 64}; }

void TFormChipSelector::SetTileset(TLcfChipSetGraphic* graphic, bool shown) {
  graphic_ = graphic;
  shown_ = shown && graphic;
  Layout();
}

void TFormChipSelector::SetMode(TEditMode mode) {
  if (!palette_.SetMode(mode)) return;
  StopSelecting();
  Layout();
  emit selectionChanged();
}

void TFormChipSelector::SetSelection(const TCellRect& rect) {
  palette_.SetSelection(rect);
  viewport()->update();
}

void TFormChipSelector::CancelDrag() {
  if (!palette_.Selecting()) return;
  palette_.Cancel();
  StopSelecting();
  viewport()->update();
}

int TFormChipSelector::ScrollY() const { return verticalScrollBar()->value(); }

// ---------------------------------------------------------------------------------------------
// Layout and drawing

void TFormChipSelector::Layout() {
  layingOut_ = true;
  const int rows = shown_ ? PaletteRows(palette_.Mode()) : 0;
  const int height = rows * kPaletteCellPixels;
  verticalScrollBar()->setRange(0, std::max(0, height - viewport()->height()));
  verticalScrollBar()->setPageStep(std::max(kPaletteCellPixels, viewport()->height()));
  // Narrower than the palette: a horizontal scroll bar; otherwise the palette fills the width.
  horizontalScrollBar()->setRange(0, rows > 0 ? std::max(0, kPaletteWidth - viewport()->width()) : 0);
  horizontalScrollBar()->setPageStep(std::max(kPaletteCellPixels, viewport()->width()));
  verticalScrollBar()->setValue(palette_.ScrollY());
  layingOut_ = false;
  DrawPalette();
}

void TFormChipSelector::DrawPalette() {
  const TEditMode mode = palette_.Mode();
  const int rows = shown_ ? PaletteRows(mode) : 0;
  board_.SetSize(kPaletteWidth, rows * kPaletteCellPixels);
  if (rows > 0 && graphic_ && graphic_->HasTileset())
    // Upper tiles show their transparent colour as transparent, as they lie over the ground.
    DrawTileGrid(
        board_, *graphic_, rows * kPaletteColumns,
        [mode](int a) { return PaletteId(mode, a % kPaletteColumns, a / kPaletteColumns); },
        mode == TEditMode::Upper ? TTileGridBack::Checker : TTileGridBack::Opaque);
  viewport()->update();
}

QRect TFormChipSelector::ClientRectOf(const TCellRect& cells) const {
  return {cells.x * kPaletteCellPixels - horizontalScrollBar()->value(),
          cells.y * kPaletteCellPixels - verticalScrollBar()->value(), cells.width * kPaletteCellPixels,
          cells.height * kPaletteCellPixels};
}

TCellPoint TFormChipSelector::CellAt(QPoint viewportPos) const {
  return {FloorDiv(viewportPos.x() + horizontalScrollBar()->value(), kPaletteCellPixels),
          FloorDiv(viewportPos.y() + verticalScrollBar()->value(), kPaletteCellPixels)};
}

void TFormChipSelector::paintEvent(QPaintEvent* event) {
  QPainter p(viewport());
  const QRect palette(-horizontalScrollBar()->value(), -verticalScrollBar()->value(), board_.Width(), board_.Height());
  const QRegion outside = event->region().subtracted(QRegion(palette));
  p.setBrushOrigin(palette.topLeft());
  for (const QRect& r : outside) p.fillRect(r, hatch_);
  if (!palette.isEmpty()) {
    const QImage image(reinterpret_cast<const uchar*>(board_.Bits()), board_.Width(), board_.Height(), board_.Stride(),
                       QImage::Format_RGB16);
    for (const QRect& r : event->region()) {
      const QRect target = r.intersected(palette);
      if (!target.isEmpty()) p.drawImage(target, image, target.translated(-palette.topLeft()));
    }
    const TCellRect selection = palette_.Selection();
    if (!selection.Empty()) DrawCursorFrame(p, ClientRectOf(selection), ModeColour(palette_.Mode()));
  }
}

void TFormChipSelector::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  if (!layingOut_) Layout();
}

void TFormChipSelector::scrollContentsBy(int dx, int dy) {
  if (layingOut_) return;
  // Each mode keeps its own scroll position.
  palette_.SetScrollY(verticalScrollBar()->value());
  viewport()->scroll(dx, dy, viewport()->rect());
}

// ---------------------------------------------------------------------------------------------
// Mouse

void TFormChipSelector::mousePressEvent(QMouseEvent* event) {
  mouse_ = event->position().toPoint();
  if (palette_.Selecting()) {
    // Another button while selecting: the block from before the press comes back.
    if (event->button() != selectButton_) CancelDrag();
    return;
  }
  if (event->button() == Qt::MiddleButton) {
    panner_->Start(mouse_);
    return;
  }
  if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
  if (!shown_ || !palette_.Press(CellAt(mouse_))) return;
  selectButton_ = event->button();
  trigger_.start();
  autoScroll_.start();
  viewport()->update();
}

void TFormChipSelector::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void TFormChipSelector::mouseMoveEvent(QMouseEvent* event) {
  mouse_ = event->position().toPoint();
  if (palette_.Selecting() && palette_.Move(CellAt(mouse_))) viewport()->update();
}

void TFormChipSelector::mouseReleaseEvent(QMouseEvent* event) {
  mouse_ = event->position().toPoint();
  if (!palette_.Selecting() || event->button() != selectButton_) return;
  palette_.Release();
  StopSelecting();
  viewport()->update();
  emit selectionChanged();
}

void TFormChipSelector::StopSelecting() {
  trigger_.stop();
  autoScroll_.stop();
  selectButton_ = Qt::NoButton;
}

void TFormChipSelector::AutoScrollTick() {
  if (!palette_.Selecting()) return autoScroll_.stop();
  const int up = EdgeStep(mouse_.y()), down = EdgeStep(viewport()->height() - mouse_.y());
  if (up || down) {
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() + down - up);
    if (palette_.Move(CellAt(mouse_))) viewport()->update();
  }
}

void TFormChipSelector::wheelEvent(QWheelEvent* event) {
  // 16 pixels per notch of 120, however finely the wheel reports its turns.
  wheel_ += event->angleDelta().y();
  QScrollBar* bar = verticalScrollBar();
  for (; wheel_ >= kWheelNotch; wheel_ -= kWheelNotch) bar->setValue(bar->value() - kWheelStep);
  for (; wheel_ <= -kWheelNotch; wheel_ += kWheelNotch) bar->setValue(bar->value() + kWheelStep);
  event->accept();
}

}  // namespace tess
