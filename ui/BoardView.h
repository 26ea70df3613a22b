#pragma once
// A widget that shows a board 1:1 and reports presses and double clicks in board pixels: the
// preview of the material pickers. Inside a scroll area, dragging with the right button held pans
// the area.

#include <QWidget>
#include <functional>

#include "media/CorvidSheet.h"

class QScrollArea;

namespace tess {

class TBoardView : public QWidget {
  Q_OBJECT
 public:
  explicit TBoardView(QWidget* parent = nullptr);

  // Resizes the board (and the widget to it); the board is cleared.
  void SetBoardSize(int width, int height);
  TCorvidBoard& Board() { return board_; }
  // The board as the widget shows it.
  QImage Image() const;

  // A left press at a board pixel; a double click of the left button.
  std::function<void(TPoint)> onPress;
  std::function<void()> onDoubleClick;
  // Arrow keys while the view has the focus: the step in columns and rows.
  std::function<void(int, int)> onArrow;

  // The scroll area whose view this is, for panning with the right button; none by default.
  void SetPanArea(QScrollArea* area) { panArea_ = area; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  TCorvidBoard board_;
  QScrollArea* panArea_ = nullptr;
  bool panning_ = false;
  QPoint panFrom_;
};

}  // namespace tess
