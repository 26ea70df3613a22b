#include "ui/AppIcon.h"

#include <QPainter>
#include <QPainterPath>

namespace tess {

namespace {

// The drawing is laid out on a 48-unit square and scaled to the size asked for.
constexpr qreal kUnits = 48;

// The board's tiles, row by row: 0 grass, 1 light grass, 2 water, 3 path.
constexpr int kBoard[3][3] = {{0, 1, 2}, {3, 3, 2}, {1, 3, 0}};
const QColor kTileColours[] = {QColor(76, 150, 64), QColor(112, 176, 80), QColor(58, 120, 200), QColor(206, 170, 110)};

}  // namespace

const std::vector<int>& AppIconSizes() {
  static const std::vector<int> sizes = {16, 24, 32, 48, 64, 128, 256};
  return sizes;
}

QImage DrawAppIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / kUnits, size / kUnits);

  // The frame: a dark rounded square with a light rim.
  const QRectF body(2, 2, 44, 44);
  p.setPen(QPen(QColor(200, 210, 230), 2));
  p.setBrush(QColor(40, 52, 80));
  p.drawRoundedRect(body, 7, 7);

  // The board of tiles with thin seams between them.
  constexpr qreal origin = 7, tile = 11.33, seam = 0.8;
  p.setPen(Qt::NoPen);
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column) {
      const QRectF cell(origin + column * tile, origin + row * tile, tile - seam, tile - seam);
      p.setBrush(kTileColours[kBoard[row][column]]);
      p.drawRect(cell);
    }
  // Ripples on the water and a tuft on the grass keep the tiles readable at large sizes.
  p.setPen(QPen(QColor(170, 210, 250), 1.2, Qt::SolidLine, Qt::RoundCap));
  for (int row = 0; row < 2; ++row) {
    const qreal y = origin + row * tile + 4.5;
    p.drawLine(QPointF(origin + 2 * tile + 2.5, y), QPointF(origin + 2 * tile + 7.5, y));
    p.drawLine(QPointF(origin + 2 * tile + 4, y + 3), QPointF(origin + 2 * tile + 8.5, y + 3));
  }
  // The editing frame around the middle tile.
  p.setPen(QPen(QColor(255, 255, 255), 2.2));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(origin + tile - 1, origin + tile - 1, tile + 1.2, tile + 1.2));
  p.end();
  return image;
}

QIcon AppIcon() {
  QIcon icon;
  for (int size : AppIconSizes()) icon.addPixmap(QPixmap::fromImage(DrawAppIcon(size)));
  return icon;
}

}  // namespace tess
