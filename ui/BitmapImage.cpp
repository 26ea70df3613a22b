#include "ui/BitmapImage.h"

#include <cstring>

namespace tess {

QImage BitmapToImage(const TBitmap& bitmap, const Bytes* alpha) {
  const int w = bitmap.Width(), h = bitmap.Height();
  if (bitmap.Empty()) return {};
  if (bitmap.Format() == TPixelFormat::Indexed8) {
    QImage image(w, h, QImage::Format_Indexed8);
    QList<QRgb> colours(256);
    for (int i = 0; i < 256; ++i) {
      const TRgb c = bitmap.PaletteEntry(i);
      colours[i] = qRgb(c.red, c.green, c.blue);
    }
    image.setColorTable(colours);
    for (int y = 0; y < h; ++y) std::memcpy(image.scanLine(y), bitmap.Row(y), static_cast<size_t>(w));
    return image;
  }
  const bool withAlpha = alpha && alpha->size() == static_cast<size_t>(w) * h;
  QImage image(w, h, withAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB888);
  for (int y = 0; y < h; ++y) {
    const uint8_t* from = bitmap.Row(y);
    if (!withAlpha) {
      std::memcpy(image.scanLine(y), from, static_cast<size_t>(w) * 3);
      continue;
    }
    QRgb* to = reinterpret_cast<QRgb*>(image.scanLine(y));
    const uint8_t* a = alpha->data() + static_cast<size_t>(y) * w;
    for (int x = 0; x < w; ++x) to[x] = qRgba(from[3 * x], from[3 * x + 1], from[3 * x + 2], a[x]);
  }
  return image;
}

}  // namespace tess
