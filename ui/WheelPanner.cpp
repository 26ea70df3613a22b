#include "ui/WheelPanner.h"

#include <QAbstractScrollArea>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "ui/EditorCursors.h"

namespace tess {

namespace {

constexpr double kMaxSpeed = 1e5;

bool CanMove(const QScrollBar* bar) { return bar && bar->isVisible() && bar->maximum() > bar->minimum(); }

}  // namespace

TWheelPanner::TWheelPanner(QAbstractScrollArea* area) : QObject(area), area_(area) {
  timer_.setInterval(kTickMs);
  connect(&timer_, &QTimer::timeout, this, &TWheelPanner::Tick);
}

TWheelPanner::~TWheelPanner() = default;

QPoint TWheelPanner::Step(QPoint offset, bool horizontal, bool vertical) {
  const double d = std::hypot(offset.x(), offset.y());
  if (d <= kDeadZone) return {};
  const double speed = std::min(std::round(std::pow(1.2, d - kDeadZone)), kMaxSpeed);
  const int dx = horizontal ? static_cast<int>(std::lround(speed * offset.x() / d)) : 0;
  const int dy = vertical ? static_cast<int>(std::lround(speed * offset.y() / d)) : 0;
  return {dx, dy};
}

int TWheelPanner::Octant(QPoint offset) {
  if (std::hypot(offset.x(), offset.y()) <= kDeadZone) return -1;
  // Clockwise from north, with y growing downward.
  const double angle = std::atan2(offset.x(), -offset.y());
  const int octant = static_cast<int>(std::lround(angle / (M_PI / 4)));
  return (octant + 8) % 8;
}

bool TWheelPanner::CanMoveHorizontally() const { return CanMove(area_->horizontalScrollBar()); }

bool TWheelPanner::CanMoveVertically() const { return CanMove(area_->verticalScrollBar()); }

bool TWheelPanner::Start(QPoint viewportPos) {
  if (active_) Stop();
  if (!CanMoveHorizontally() && !CanMoveVertically()) return false;
  active_ = true;
  origin_ = mouse_ = viewportPos;
  QWidget* viewport = area_->viewport();
  if (!mark_) {
    mark_ = new QWidget(viewport);
    mark_->setObjectName("PanMark");
    mark_->setAttribute(Qt::WA_TransparentForMouseEvents);
    mark_->setStyleSheet("background: white; border: 1px solid black;");
    mark_->resize(7, 7);
  }
  mark_->move(origin_ - QPoint(3, 3));
  mark_->show();
  mark_->raise();
  viewport->installEventFilter(this);
  viewport->grabMouse();
  ShowCursor();
  timer_.start();
  return true;
}

void TWheelPanner::Stop() {
  if (!active_) return;
  active_ = false;
  timer_.stop();
  QWidget* viewport = area_->viewport();
  viewport->removeEventFilter(this);
  viewport->releaseMouse();
  viewport->unsetCursor();
  if (mark_) mark_->hide();
  area_->setFocus(Qt::OtherFocusReason);
}

void TWheelPanner::ShowCursor() {
  area_->viewport()->setCursor(PanCursor(Octant(mouse_ - origin_), CanMoveHorizontally(), CanMoveVertically()));
}

void TWheelPanner::Tick() {
  if (QGuiApplication::queryKeyboardModifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) {
    Stop();
    return;
  }
  const QPoint step = Step(mouse_ - origin_, CanMoveHorizontally(), CanMoveVertically());
  if (step.x()) area_->horizontalScrollBar()->setValue(area_->horizontalScrollBar()->value() + step.x());
  if (step.y()) area_->verticalScrollBar()->setValue(area_->verticalScrollBar()->value() + step.y());
}

bool TWheelPanner::eventFilter(QObject* watched, QEvent* event) {
  if (!active_ || watched != area_->viewport()) return QObject::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseMove:
      mouse_ = static_cast<QMouseEvent*>(event)->position().toPoint();
      ShowCursor();
      return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
      Stop();
      return true;
    case QEvent::MouseButtonRelease: {
      const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
      if (std::hypot((at - origin_).x(), (at - origin_).y()) > kReleaseDistance) Stop();
      return true;
    }
    default:
      return QObject::eventFilter(watched, event);
  }
}

}  // namespace tess
