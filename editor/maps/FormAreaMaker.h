#pragma once
// A map view on which the author draws a rectangle of cells with the left button: from the grid
// corner nearest to the press to the grid corner nearest to the mouse, clamped to the map. The
// rectangle is framed as the map editor frames an area. Another button pressed while drawing
// clears it. Near the view's edges a drag scrolls the map, so a rectangle can be larger than the
// view.

#include <QTimer>

#include "editor/maps/FormMapViewer.h"

namespace tess {

class TFormAreaMaker : public TFormMapViewer {
  Q_OBJECT
 public:
  explicit TFormAreaMaker(QWidget* parent = nullptr);

  // The rectangle drawn (empty: none). Setting it clamps it to the map.
  TCellRect Rect() const { return AreaFrame(); }
  void SetRect(const TCellRect& rect);
  bool Drawing() const { return drawing_; }

 signals:
  void RectChanged();

 protected:
  void MapSet() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // The rectangle from the press's corner to the one nearest to the mouse.
  void Follow(QPoint viewportPos);
  void AutoScrollTick();
  void StopDrawing();

  bool drawing_ = false;
  TCellPoint anchor_;
  QPoint mouse_;
  QTimer autoScroll_;  // 40 ms while drawing
};

}  // namespace tess
