#include "editor/database/BattleGridPreview.h"

#include <QMouseEvent>
#include <QPainter>

#include "database/LD_Battle.h"

namespace tess {

TBattleGridPreview::TBattleGridPreview(std::function<TLcfGroundItem*()> terrain, QWidget* parent)
    : QWidget(parent), terrain_(std::move(terrain)) {
  setObjectName("BattleGridPreview");
  setFixedSize(320, 240);
  setMouseTracking(true);
}

void TBattleGridPreview::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), QColor(24, 32, 48));
  const TLcfGroundItem* t = terrain_();
  if (!t) return;
  const TBattleGrid grid = t->Grid();
  const int farY = grid.top, nearY = GridNearEdge(*t);
  // The outer lines start slant / 1000 pixels in at the far edge and reach the screen's sides at
  // the near edge.
  const double inset = grid.slant / 1000.0;
  auto at = [&](double f, double side) {
    const double y = farY + (nearY - farY) * f;
    const double left = inset * (1 - f), right = 320 - inset * (1 - f);
    return QPointF(left + (right - left) * side, y);
  };
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(90, 110, 140), 1));
  for (int i = 1; i < 4; ++i) p.drawLine(at(i / 4.0, 0), at(i / 4.0, 1));
  for (int i = 1; i < 8; ++i) p.drawLine(at(0, i / 8.0), at(1, i / 8.0));
  p.setPen(QPen(QColor(200, 220, 255), 1));
  p.drawLine(at(0, 0), at(1, 0));
  p.drawLine(at(0, 1), at(1, 1));
  // The two edges that can be dragged, with their bands.
  for (int y : {farY, nearY}) {
    p.fillRect(QRect(0, y - kGridEdgeBand, 320, 2 * kGridEdgeBand + 1), QColor(255, 255, 255, 28));
    p.setPen(QPen(QColor(255, 220, 120), 2));
    p.drawLine(QPointF(at(y == farY ? 0 : 1, 0).x(), y), QPointF(at(y == farY ? 0 : 1, 1).x(), y));
  }
  // Four heroes in the front row, as the automatic placement puts them.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(120, 220, 140));
  for (int i = 0; i < 4; ++i) p.drawEllipse(QPoint(PlaceHeroX(grid, 4, i, 0), PlaceHeroY(grid, 4, i)), 5, 5);
  p.setPen(QColor(230, 230, 230));
  p.drawText(QRect(4, 220, 312, 18), Qt::AlignLeft | Qt::AlignVCenter,
             QString("Top %1  Angle %2  Slant %3").arg(grid.top).arg(grid.angle).arg(grid.slant));
}

void TBattleGridPreview::mousePressEvent(QMouseEvent* event) {
  TLcfGroundItem* t = terrain_();
  if (!t || event->button() != Qt::LeftButton) return;
  drag_.Press(*t, event->position().toPoint().x(), event->position().toPoint().y());
}

void TBattleGridPreview::mouseMoveEvent(QMouseEvent* event) {
  TLcfGroundItem* t = terrain_();
  const QPoint pos = event->position().toPoint();
  if (!t) return;
  if (drag_.Part() == TGridPart::None) {
    TGridDrag probe;
    const TGridPart part = probe.Press(*t, pos.x(), pos.y());
    setCursor(part == TGridPart::Slant                                    ? Qt::SizeHorCursor
              : part == TGridPart::FarEdge || part == TGridPart::NearEdge ? Qt::SizeVerCursor
                                                                          : Qt::ArrowCursor);
    return;
  }
  if (drag_.Move(*t, pos.x(), pos.y(), event->modifiers() & Qt::ShiftModifier)) {
    update();
    emit changed();
  }
}

void TBattleGridPreview::mouseReleaseEvent(QMouseEvent*) { drag_.Release(); }

}  // namespace tess
