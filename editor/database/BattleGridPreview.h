#pragma once
// The terrain page's battle grid preview: the 320 x 240 battle screen with the terrain's grid and
// where four heroes would stand on it. The far and near edges are dragged vertically, the slant
// horizontally inside the grid (the rules are TGridDrag's).

#include <QWidget>
#include <functional>

#include "database/GroundRules.h"

namespace tess {

class TBattleGridPreview : public QWidget {
  Q_OBJECT
 public:
  explicit TBattleGridPreview(std::function<TLcfGroundItem*()> terrain, QWidget* parent = nullptr);

  QSize sizeHint() const override { return {320, 240}; }
  QSize minimumSizeHint() const override { return {320, 240}; }

 signals:
  // After a drag changed the grid.
  void changed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::function<TLcfGroundItem*()> terrain_;
  TGridDrag drag_;
};

}  // namespace tess
