#include "editor/maps/MapFrames.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QPixmap>

namespace tess {

QColor ModeColour(TEditMode mode) {
  switch (mode) {
    case TEditMode::Lower:
      return {128, 255, 128};
    case TEditMode::Upper:
      return {128, 192, 255};
    case TEditMode::Event:
      return {255, 255, 128};
    default:
      return Qt::black;
  }
}

void DrawOutline(QPainter& painter, const QRect& rect, const QColor& colour) {
  if (rect.width() <= 0 || rect.height() <= 0) return;
  // Filled 1-pixel bands rather than a pen: whole device pixels at any scale, no antialiasing.
  painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), colour);
  painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), colour);
  painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), colour);
  painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), colour);
}

void DrawCursorFrame(QPainter& painter, const QRect& rect, const QColor& modeColour) {
  DrawOutline(painter, rect, Qt::black);
  DrawOutline(painter, rect.adjusted(1, 1, -1, -1), modeColour);
  DrawOutline(painter, rect.adjusted(2, 2, -2, -2), Qt::white);
  DrawOutline(painter, rect.adjusted(3, 3, -3, -3), Qt::black);
}

void DrawAreaFrame(QPainter& painter, const QRect& rect) {
  const QColor light(255, 255, 128), dark(32, 32, 32);
  DrawOutline(painter, rect, light);
  DrawOutline(painter, rect.adjusted(1, 1, -1, -1), dark);
  DrawOutline(painter, rect.adjusted(4, 4, -4, -4), light);
  DrawOutline(painter, rect.adjusted(5, 5, -5, -5), dark);
}

void DrawChosenCellFrame(QPainter& painter, const QRect& rect) {
  const QColor dark(32, 32, 32);
  DrawOutline(painter, rect, dark);
  DrawOutline(painter, rect.adjusted(1, 1, -1, -1), Qt::white);
  DrawOutline(painter, rect.adjusted(2, 2, -2, -2), Qt::white);
  DrawOutline(painter, rect.adjusted(3, 3, -3, -3), dark);
}

void DrawMarchingAnts(QPainter& painter, const QRect& rect, int phase) {
  if (rect.width() <= 0 || rect.height() <= 0) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setBrush(Qt::NoBrush);
  const QRectF line = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
  painter.setPen(QPen(Qt::black, 1));
  painter.drawRect(line);
  QPen dots(Qt::white, 1, Qt::CustomDashLine);
  dots.setDashPattern({4, 4});
  dots.setDashOffset(96 - phase);
  painter.setPen(dots);
  painter.drawRect(line);
  painter.restore();
}

int AntsPhase(qint64 milliseconds) { return static_cast<int>((milliseconds * 16 / 1024) % 96); }

void DrawGridLines(QPainter& painter, const QRect& area, QPoint origin, int cellSize, const QColor& colour) {
  if (cellSize <= 0 || area.isEmpty()) return;
  // The lines lie at o + cellSize - 1 modulo the cell size; the first one at or after from.
  auto first = [cellSize](int from, int o) {
    const int gap = ((o + cellSize - 1 - from) % cellSize + cellSize) % cellSize;
    return from + gap;
  };
  for (int x = first(area.left(), origin.x()); x <= area.right(); x += cellSize)
    painter.fillRect(QRect(x, area.top(), 1, area.height()), colour);
  for (int y = first(area.top(), origin.y()); y <= area.bottom(); y += cellSize)
    painter.fillRect(QRect(area.left(), y, area.width(), 1), colour);
}

QBrush HatchBrush() {
  const QPalette palette = QApplication::palette();
  QPixmap hatch(8, 8);
  hatch.fill(palette.color(QPalette::Dark));
  QPainter p(&hatch);
  p.setPen(palette.color(QPalette::Button));
  p.drawLine(0, 0, 7, 7);
  p.drawLine(0, 7, 7, 0);
  p.end();
  return QBrush(hatch);
}

}  // namespace tess
