#include "ui/CommandIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tess {

namespace {

const QColor kInk(40, 48, 64);
const QColor kBlue(66, 120, 200);
const QColor kGreen(70, 160, 90);
const QColor kOrange(230, 140, 50);
const QColor kPaper(250, 248, 240);

void Grid(QPainter& p, const QColor& fill, int top) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(fill);
  p.drawRect(2, top, 19, 19 - top + 2);
  p.drawLine(2, (top + 21) / 2, 21, (top + 21) / 2);
  p.drawLine(11, top, 11, 21);
}

void Draw(QPainter& p, TIconShape shape) {
  p.setRenderHint(QPainter::Antialiasing, true);
  switch (shape) {
    case TIconShape::None:
      break;
    case TIconShape::Save:
      p.setPen(QPen(kInk, 1.2));
      p.setBrush(kBlue);
      p.drawRoundedRect(3, 3, 18, 18, 2, 2);
      p.setBrush(kPaper);
      p.drawRect(7, 3, 10, 7);
      p.drawRect(6, 13, 12, 8);
      break;
    case TIconShape::Redo:
      // The undo arrow, mirrored.
      p.translate(24, 0);
      p.scale(-1, 1);
      [[fallthrough]];
    case TIconShape::Undo: {
      QPainterPath path;
      path.moveTo(8, 7);
      path.cubicTo(20, 6, 22, 18, 12, 19);
      p.setPen(QPen(kBlue, 2.4, Qt::SolidLine, Qt::RoundCap));
      p.drawPath(path);
      p.setBrush(kBlue);
      p.setPen(Qt::NoPen);
      p.drawPolygon(QPolygonF({QPointF(3, 7), QPointF(10, 2), QPointF(10, 12)}));
      break;
    }
    case TIconShape::ShowGrid:
      p.setPen(QPen(kInk, 1));
      p.setBrush(kPaper);
      p.drawRect(3, 3, 18, 18);
      for (int i : {9, 15}) {
        p.drawLine(i, 3, i, 21);
        p.drawLine(3, i, 21, i);
      }
      break;
    case TIconShape::Select:
      p.setPen(QPen(kInk, 1.4, Qt::DashLine));
      p.setBrush(Qt::NoBrush);
      p.drawRect(4, 4, 16, 16);
      break;
    case TIconShape::Zoom:
    case TIconShape::Search:
      p.setPen(QPen(kInk, 2));
      p.setBrush(QColor(200, 225, 250));
      p.drawEllipse(QPointF(10, 10), 6, 6);
      p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(14.5, 14.5), QPointF(20, 20));
      break;
    case TIconShape::Pen:
      p.setPen(QPen(kInk, 1));
      p.setBrush(kOrange);
      p.drawPolygon(QPolygonF({QPointF(17, 3), QPointF(21, 7), QPointF(9, 19), QPointF(5, 15)}));
      p.setBrush(kInk);
      p.drawPolygon(QPolygonF({QPointF(5, 15), QPointF(9, 19), QPointF(3, 21)}));
      break;
    case TIconShape::Rectangle:
      p.setPen(QPen(kInk, 1.4));
      p.setBrush(kGreen);
      p.drawRect(4, 6, 16, 12);
      break;
    case TIconShape::Ellipse:
      p.setPen(QPen(kInk, 1.4));
      p.setBrush(kGreen);
      p.drawEllipse(3, 5, 18, 14);
      break;
    case TIconShape::Fill:
      p.setPen(QPen(kInk, 1.2));
      p.setBrush(kPaper);
      p.drawPolygon(QPolygonF({QPointF(4, 10), QPointF(11, 3), QPointF(18, 10), QPointF(11, 17)}));
      p.setBrush(kBlue);
      p.setPen(Qt::NoPen);
      p.drawEllipse(QPointF(19, 17), 2.5, 3.5);
      break;
    case TIconShape::LowerLayer:
      Grid(p, kGreen, 2);
      break;
    case TIconShape::UpperLayer:
      Grid(p, kOrange, 2);
      break;
    case TIconShape::EventLayer:
      Grid(p, kPaper, 2);
      p.setBrush(kBlue);
      p.drawEllipse(QPointF(16, 16), 4, 4);
      break;
    case TIconShape::Zoom1:
    case TIconShape::Zoom2:
    case TIconShape::Zoom4:
    case TIconShape::Zoom8: {
      int n = shape == TIconShape::Zoom1 ? 1 : shape == TIconShape::Zoom2 ? 2 : shape == TIconShape::Zoom4 ? 4 : 8;
      p.setPen(QPen(kInk, 1));
      p.setBrush(kPaper);
      p.drawRect(2, 2, 19, 19);
      p.setFont(QFont("Sans", n == 1 ? 10 : 8, QFont::Bold));
      p.drawText(QRect(2, 2, 20, 20), Qt::AlignCenter, n == 1 ? "1:1" : QString("1/%1").arg(n));
      break;
    }
    case TIconShape::Database:
      p.setPen(QPen(kInk, 1.2));
      p.setBrush(kBlue);
      p.drawRect(5, 6, 14, 13);
      p.drawEllipse(5, 16, 14, 6);
      p.setBrush(QColor(140, 180, 230));
      p.drawEllipse(5, 3, 14, 6);
      break;
    case TIconShape::Resources:
      p.setPen(QPen(kInk, 1.2));
      p.setBrush(QColor(240, 200, 90));
      p.drawRect(3, 7, 18, 13);
      p.drawRect(3, 4, 8, 3);
      break;
    case TIconShape::Music:
      p.setPen(QPen(kInk, 2));
      p.drawLine(10, 5, 10, 17);
      p.drawLine(10, 5, 18, 3);
      p.drawLine(18, 3, 18, 15);
      p.setBrush(kInk);
      p.drawEllipse(QPointF(7.5, 17.5), 3, 2.5);
      p.drawEllipse(QPointF(15.5, 15.5), 3, 2.5);
      break;
    case TIconShape::Play:
      p.setPen(QPen(kInk, 1));
      p.setBrush(kGreen);
      p.drawPolygon(QPolygonF({QPointF(6, 3), QPointF(20, 12), QPointF(6, 21)}));
      break;
    case TIconShape::NewProject:
      p.setPen(QPen(kInk, 1.2));
      p.setBrush(kPaper);
      p.drawPolygon(QPolygonF({QPointF(5, 2), QPointF(15, 2), QPointF(19, 6), QPointF(19, 22), QPointF(5, 22)}));
      p.setPen(QPen(kGreen, 2.5));
      p.drawLine(12, 10, 12, 18);
      p.drawLine(8, 14, 16, 14);
      break;
    case TIconShape::OpenProject:
      p.setPen(QPen(kInk, 1.2));
      p.setBrush(QColor(240, 200, 90));
      p.drawPolygon(
          QPolygonF({QPointF(2, 6), QPointF(9, 6), QPointF(11, 8), QPointF(20, 8), QPointF(20, 20), QPointF(2, 20)}));
      break;
  }
}

}  // namespace

QPixmap CommandPixmap(TIconShape shape, int size, qreal scale) {
  QPixmap pixmap(QSize(size, size) * scale);
  pixmap.setDevicePixelRatio(scale);
  pixmap.fill(Qt::transparent);
  if (shape == TIconShape::None) return pixmap;
  QPainter p(&pixmap);
  p.scale(size / 24.0, size / 24.0);
  Draw(p, shape);
  p.end();
  return pixmap;
}

QIcon CommandIcon(TIconShape shape) {
  QIcon icon;
  if (shape == TIconShape::None) return icon;
  for (qreal scale : {1.0, 2.0}) icon.addPixmap(CommandPixmap(shape, 24, scale));
  return icon;
}

}  // namespace tess
