#include "ui/EditorCursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTransform>
#include <array>

#include "ui/CommandIcons.h"

namespace tess {

namespace {

constexpr int kSide = 32;

QPixmap Blank() {
  QPixmap pixmap(kSide, kSide);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

// A cross-hair with its centre at (7, 7), white with a black rim so it shows on any tile.
void CrossHair(QPainter& p) {
  for (const auto& [colour, width] : {std::pair{QColor(Qt::black), 3}, std::pair{QColor(Qt::white), 1}}) {
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(7, 0, 7, 5);
    p.drawLine(7, 9, 7, 14);
    p.drawLine(0, 7, 5, 7);
    p.drawLine(9, 7, 14, 7);
  }
}

QCursor CrossWith(TIconShape shape) {
  QPixmap pixmap = Blank();
  QPainter p(&pixmap);
  CrossHair(p);
  p.drawPixmap(12, 12, CommandPixmap(shape, 18));
  p.end();
  return QCursor(pixmap, 7, 7);
}

// An arrow pointing north from the centre, turned by turns of 45 degrees.
void Arrow(QPainter& p, int octant) {
  p.save();
  p.translate(16, 16);
  p.rotate(45.0 * octant);
  QPainterPath arrow;
  arrow.moveTo(0, -14);
  arrow.lineTo(6, -7);
  arrow.lineTo(2, -7);
  arrow.lineTo(2, -3);
  arrow.lineTo(-2, -3);
  arrow.lineTo(-2, -7);
  arrow.lineTo(-6, -7);
  arrow.closeSubpath();
  p.setPen(QPen(Qt::white, 1));
  p.setBrush(Qt::black);
  p.drawPath(arrow);
  p.restore();
}

}  // namespace

QCursor ToolCursor(TEditTool tool) {
  switch (tool) {
    case TEditTool::Selection:
      return CrossWith(TIconShape::Select);
    case TEditTool::Zoom: {
      QPixmap pixmap = Blank();
      QPainter p(&pixmap);
      p.drawPixmap(0, 0, CommandPixmap(TIconShape::Zoom, 28));
      p.end();
      return QCursor(pixmap, 12, 12);
    }
    case TEditTool::Pen: {
      QPixmap pixmap = Blank();
      QPainter p(&pixmap);
      p.drawPixmap(0, 0, CommandPixmap(TIconShape::Pen, 24));
      p.end();
      // The pen's tip.
      return QCursor(pixmap, 3, 21);
    }
    case TEditTool::Rectangle:
      return CrossWith(TIconShape::Rectangle);
    case TEditTool::Ellipse:
      return CrossWith(TIconShape::Ellipse);
    case TEditTool::FloodFill:
      return CrossWith(TIconShape::Fill);
  }
  return QCursor(Qt::ArrowCursor);
}

QCursor PickCursor() {
  QPixmap pixmap = Blank();
  QPainter p(&pixmap);
  CrossHair(p);
  // A dropper lying from the lower right toward the cross-hair.
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(21, 21);
  p.rotate(-45);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(250, 248, 240));
  p.drawRect(QRectF(-2.5, -8, 5, 10));
  p.setBrush(QColor(66, 120, 200));
  p.drawRoundedRect(QRectF(-4, 2, 8, 8), 2, 2);
  p.drawLine(QPointF(0, -8), QPointF(0, -11));
  p.end();
  return QCursor(pixmap, 7, 7);
}

QCursor PanCursor(int octant, bool horizontal, bool vertical) {
  QPixmap pixmap = Blank();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  if (octant >= 0) {
    Arrow(p, octant % 8);
  } else {
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(16, 16), 3, 3);
    if (vertical) {
      Arrow(p, 0);
      Arrow(p, 4);
    }
    if (horizontal) {
      Arrow(p, 2);
      Arrow(p, 6);
    }
  }
  p.end();
  return QCursor(pixmap, 16, 16);
}

}  // namespace tess
