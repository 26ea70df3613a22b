#include "ui/script/ScriptListBox.h"

#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>
#include <QWheelEvent>

#include "platform/TextCodec.h"

namespace tess {

TScriptListBox::TScriptListBox(ScriptEditModel& model, QWidget* parent) : QAbstractScrollArea(parent), model_(model) {
  setObjectName("ScriptList");
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setFocusPolicy(Qt::StrongFocus);
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  dragTimer_.setInterval(50);
  connect(&dragTimer_, &QTimer::timeout, this, &TScriptListBox::DragTick);
  verticalScrollBar()->installEventFilter(this);
  connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this](int) {
    // Line and page steps and the thumb scroll by whole rows.
    model_.SetTopIndex(verticalScrollBar()->sliderPosition());
  });
}

int TScriptListBox::RowHeight() const { return std::max(1, fontMetrics().height()); }

int TScriptListBox::RowAt(int y) const {
  const int h = RowHeight();
  return model_.TopIndex() + (y >= 0 ? y / h : -1 - (-y - 1) / h);
}

void TScriptListBox::SyncWithModel() {
  syncing_ = true;
  UpdateScrollBar();
  syncing_ = false;
  viewport()->update();
}

void TScriptListBox::UpdateScrollBar() {
  QScrollBar* bar = verticalScrollBar();
  const int visible = model_.VisibleRows();
  const bool fits = model_.RowCount() <= visible;
  bar->setEnabled(!fits);
  bar->setRange(0, fits ? 0 : model_.RowCount() - visible);
  bar->setPageStep(visible);
  bar->setSingleStep(1);
  bar->setValue(model_.TopIndex());
}

void TScriptListBox::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  model_.SetVisibleRows(viewport()->height() / RowHeight());
  SyncWithModel();
}

void TScriptListBox::scrollContentsBy(int, int) {
  if (!syncing_) model_.SetTopIndex(verticalScrollBar()->value());
  viewport()->update();
}

void TScriptListBox::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  const int h = RowHeight();
  const int width = viewport()->width();
  const bool focused = hasFocus();
  const QPalette& pal = palette();
  const TextCodec& codec = TextCodec::Current();
  const int ascent = fontMetrics().ascent();
  // The rows from the top one, and one more than fits whole.
  for (int i = 0; i <= model_.VisibleRows(); ++i) {
    const int row = model_.TopIndex() + i;
    if (row >= model_.RowCount()) break;
    const QRect rect(0, i * h, width, h);
    const bool highlighted = focused && model_.IsSelected(row);
    painter.fillRect(rect, highlighted ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base));
    QColor text = Qt::black;
    if (highlighted)
      text = pal.color(QPalette::HighlightedText);
    else if (model_.IsCommentRow(row))
      text = QColor(0, 128, 0);
    painter.setPen(text);
    painter.drawText(2, i * h + ascent, codec.ToUnicode(model_.RowText(row)));
    if (focused && row == model_.ItemIndex()) {
      QStyleOptionFocusRect option;
      option.initFrom(this);
      option.rect = rect;
      option.backgroundColor = highlighted ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base);
      style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
  }
}

void TScriptListBox::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
  const int row = RowAt(event->position().toPoint().y());
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  if (row >= 0 && row < model_.RowCount()) {
    // A right press on the selection keeps it, so that the menu acts on it.
    if (!(event->button() == Qt::RightButton && model_.IsSelected(row))) model_.SetItemIndex(row, shift);
  }
  if (event->button() == Qt::LeftButton) {
    dragging_ = true;
    dragTimer_.start();
  }
}

void TScriptListBox::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  const int first = model_.TopIndex();
  const int last = std::min(model_.RowCount(), first + model_.VisibleRows()) - 1;
  const int row = std::clamp(RowAt(event->position().toPoint().y()), first, std::max(first, last));
  if (row < model_.RowCount()) model_.SetItemIndex(row, true);
}

void TScriptListBox::DragTick() {
  const int y = viewport()->mapFromGlobal(QCursor::pos()).y();
  const int h = RowHeight();
  const int bottom = model_.VisibleRows() * h;  // below the last whole visible row
  if (y < 0) {
    model_.SetTopIndex(model_.TopIndex() - (y < -h ? 2 : 1));
    model_.SetItemIndex(model_.TopIndex(), true);
  } else if (y >= bottom) {
    model_.SetTopIndex(model_.TopIndex() + (y >= bottom + h ? 2 : 1));
    model_.SetItemIndex(std::min(model_.RowCount(), model_.TopIndex() + model_.VisibleRows()) - 1, true);
  }
}

void TScriptListBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    dragging_ = false;
    dragTimer_.stop();
  }
  if (event->button() == Qt::RightButton && viewport()->rect().contains(event->position().toPoint()))
    ShowMenu(event->globalPosition().toPoint());
}

void TScriptListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit doubleClicked();
}

void TScriptListBox::keyPressEvent(QKeyEvent* event) {
  if (dragging_) return;
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
      model_.Move(TScriptKey::Up, shift);
      break;
    case Qt::Key_Down:
    case Qt::Key_Right:
      model_.Move(TScriptKey::Down, shift);
      break;
    case Qt::Key_Home:
      model_.Move(TScriptKey::Home, shift);
      break;
    case Qt::Key_End:
      model_.Move(TScriptKey::End, shift);
      break;
    case Qt::Key_PageUp:
      model_.Move(TScriptKey::PageUp, shift);
      break;
    case Qt::Key_PageDown:
      model_.Move(TScriptKey::PageDown, shift);
      break;
    case Qt::Key_Menu:
      ShowMenu(viewport()->mapToGlobal(QPoint(0, 0)));
      break;
    default:
      QAbstractScrollArea::keyPressEvent(event);
      return;
  }
  event->accept();
}

void TScriptListBox::wheelEvent(QWheelEvent* event) {
  // A notch is 120; a row per notch whatever the desktop's lines-per-notch setting says.
  wheelDelta_ += event->angleDelta().y();
  const int rows = wheelDelta_ / 120;
  wheelDelta_ -= rows * 120;
  if (rows != 0) {
    model_.SetTopIndex(model_.TopIndex() - rows);
    SyncWithModel();
  }
  event->accept();
}

bool TScriptListBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == verticalScrollBar() && event->type() == QEvent::Wheel) {
    wheelEvent(static_cast<QWheelEvent*>(event));
    return true;
  }
  return QAbstractScrollArea::eventFilter(watched, event);
}

void TScriptListBox::contextMenuEvent(QContextMenuEvent* event) {
  // The mouse opens the menu on the release of the right button (see mouseReleaseEvent).
  if (event->reason() == QContextMenuEvent::Keyboard) ShowMenu(viewport()->mapToGlobal(QPoint(0, 0)));
  event->accept();
}

void TScriptListBox::ShowMenu(const QPoint& globalPos) {
  if (!menu_) return;
  dragging_ = false;
  dragTimer_.stop();
  emit menuAboutToShow();
  menu_->exec(globalPos);
}

void TScriptListBox::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
}

void TScriptListBox::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  dragging_ = false;
  dragTimer_.stop();
  viewport()->update();
}

}  // namespace tess
