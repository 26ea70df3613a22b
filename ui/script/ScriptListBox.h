#pragma once
// The list that shows a script: one row per line, indented, with the selection drawn in the
// platform's highlight colours while it has the focus. It only paints its model and forwards the
// user's mouse and keys to it; which rows a selection takes, and what the menu does, is the
// model's.

#include <QAbstractScrollArea>
#include <QTimer>

#include "script/ScriptEditModel.h"

class QMenu;

namespace tess {

class TScriptListBox : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit TScriptListBox(ScriptEditModel& model, QWidget* parent = nullptr);

  ScriptEditModel& Model() const { return model_; }
  // The row height is the height of "0" in the list's font.
  int RowHeight() const;
  // The row at a height in the list (outside the rows when below the last).
  int RowAt(int y) const;
  // Shown when the right button is released over the list, and by the context-menu key.
  void SetPopupMenu(QMenu* menu) { menu_ = menu; }

  // Brings the list up to date with its model.
  void SyncWithModel();

 signals:
  // Before the menu opens, so that its owner can update the items.
  void menuAboutToShow();
  void doubleClicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // One row per notch of the wheel (finer wheels add up to whole notches).
  void wheelEvent(QWheelEvent* event) override;
  // The scroll bar's wheel turns the list the same way.
  bool eventFilter(QObject* watched, QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void DragTick();
  void ShowMenu(const QPoint& globalPos);
  void UpdateScrollBar();

  ScriptEditModel& model_;
  QMenu* menu_ = nullptr;
  QTimer dragTimer_;
  bool dragging_ = false;
  bool syncing_ = false;
  int wheelDelta_ = 0;  // the part of a notch turned so far
};

}  // namespace tess
