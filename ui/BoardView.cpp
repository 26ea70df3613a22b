#include "ui/BoardView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>

namespace tess {

TBoardView::TBoardView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
}

void TBoardView::SetBoardSize(int width, int height) {
  board_.SetSize(std::max(width, 0), std::max(height, 0));
  setFixedSize(board_.Width(), board_.Height());
  updateGeometry();
  update();
}

QImage TBoardView::Image() const {
  // The board's rows are 4-byte aligned, as a 16-bit image wants them; the copy detaches the image
  // from the board's memory.
  return QImage(reinterpret_cast<const uchar*>(board_.Bits()), board_.Width(), board_.Height(), board_.Stride(),
                QImage::Format_RGB16)
      .copy();
}

QSize TBoardView::sizeHint() const { return QSize(board_.Width(), board_.Height()); }

void TBoardView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QImage image(reinterpret_cast<const uchar*>(board_.Bits()), board_.Width(), board_.Height(), board_.Stride(),
                     QImage::Format_RGB16);
  painter.drawImage(0, 0, image);
}

void TBoardView::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  if (event->button() == Qt::RightButton && panArea_) {
    panning_ = true;
    panFrom_ = event->globalPosition().toPoint();
    setCursor(Qt::ClosedHandCursor);
    return;
  }
  if (event->button() == Qt::LeftButton && onPress) {
    const QPoint p = event->position().toPoint();
    if (p.x() >= 0 && p.y() >= 0 && p.x() < board_.Width() && p.y() < board_.Height()) onPress({p.x(), p.y()});
  }
}

void TBoardView::mouseMoveEvent(QMouseEvent* event) {
  if (!panning_ || !panArea_) return;
  const QPoint now = event->globalPosition().toPoint();
  const QPoint d = now - panFrom_;
  panFrom_ = now;
  panArea_->horizontalScrollBar()->setValue(panArea_->horizontalScrollBar()->value() - d.x());
  panArea_->verticalScrollBar()->setValue(panArea_->verticalScrollBar()->value() - d.y());
}

void TBoardView::mouseReleaseEvent(QMouseEvent* event) {
  if (panning_ && event->button() == Qt::RightButton) {
    panning_ = false;
    unsetCursor();
  }
}

void TBoardView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && onDoubleClick) onDoubleClick();
}

void TBoardView::keyPressEvent(QKeyEvent* event) {
  if (onArrow) {
    switch (event->key()) {
      case Qt::Key_Left:
        onArrow(-1, 0);
        return;
      case Qt::Key_Right:
        onArrow(1, 0);
        return;
      case Qt::Key_Up:
        onArrow(0, -1);
        return;
      case Qt::Key_Down:
        onArrow(0, 1);
        return;
      default:
        break;
    }
  }
  QWidget::keyPressEvent(event);
}

}  // namespace tess
