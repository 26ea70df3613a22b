#include "editor/maps/FormAreaMaker.h"

#include <QMouseEvent>

#include "maps/AreaRect.h"
#include "maps/LD_Map.h"

namespace tess {

namespace {

constexpr int kAutoScrollMs = 40;

}  // namespace

TFormAreaMaker::TFormAreaMaker(QWidget* parent) : TFormMapViewer(parent) {
  setObjectName("AreaMaker");
  autoScroll_.setInterval(kAutoScrollMs);
  connect(&autoScroll_, &QTimer::timeout, this, &TFormAreaMaker::AutoScrollTick);
}

void TFormAreaMaker::SetRect(const TCellRect& rect) {
  const int w = map_ ? map_->width : 0, h = map_ ? map_->height : 0;
  const TCellRect clamped = ClampAreaRect(rect, w, h);
  if (clamped == AreaFrame()) return;
  SetAreaFrame(clamped);
  emit RectChanged();
}

void TFormAreaMaker::MapSet() {
  // Another map: what was drawn may not fit it.
  StopDrawing();
  SetRect(AreaFrame());
}

void TFormAreaMaker::mousePressEvent(QMouseEvent* event) {
  if (drawing_) {
    if (event->button() != Qt::LeftButton) {
      StopDrawing();
      SetRect({});
    }
    return;
  }
  if (event->button() != Qt::LeftButton || !map_ || !painted_) {
    TFormMapViewer::mousePressEvent(event);
    return;
  }
  setFocus(Qt::MouseFocusReason);
  drawing_ = true;
  anchor_ = CornerAt(event->position().toPoint());
  Follow(event->position().toPoint());
  autoScroll_.start();
}

void TFormAreaMaker::mouseMoveEvent(QMouseEvent* event) {
  TFormMapViewer::mouseMoveEvent(event);
  if (drawing_) Follow(event->position().toPoint());
}

void TFormAreaMaker::mouseReleaseEvent(QMouseEvent* event) {
  if (drawing_ && event->button() == Qt::LeftButton) {
    Follow(event->position().toPoint());
    StopDrawing();
  }
}

void TFormAreaMaker::Follow(QPoint viewportPos) {
  mouse_ = viewportPos;
  const TCellPoint corner = CornerAt(viewportPos);
  SetRect(RectBetweenCorners(anchor_, corner, map_->width, map_->height));
}

void TFormAreaMaker::AutoScrollTick() {
  if (!drawing_ || !map_) return StopDrawing();
  const TMapViewGeometry g = Geometry();
  const TPoint o = g.Offset();
  const TPoint step = AutoScrollStep({mouse_.x() - o.x, mouse_.y() - o.y}, g.VisibleWidth(), g.VisibleHeight());
  if (!step.x && !step.y) return;
  SetScroll({Scroll().x + step.x, Scroll().y + step.y});
  // The rectangle follows the mouse over what scrolled in.
  Follow(mouse_);
}

void TFormAreaMaker::StopDrawing() {
  drawing_ = false;
  autoScroll_.stop();
}

}  // namespace tess
