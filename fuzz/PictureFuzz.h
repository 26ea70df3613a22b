#pragma once
// Shared checks of the picture fuzz targets: a picture that decodes must encode and decode again to
// the same picture, and must draw onto a board at any position without touching memory it does not
// own.

#include <cstdlib>

#include "media/Bitmap.h"
#include "media/CorvidSheet.h"

namespace tess::fuzz {

inline bool SamePicture(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height() || a.Format() != b.Format()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (!(a.Pixel(x, y) == b.Pixel(x, y))) return false;
  if (a.Format() == TPixelFormat::Indexed8)
    for (int i = 0; i < 256; ++i)
      if (!(a.PaletteEntry(i) == b.PaletteEntry(i))) return false;
  return true;
}

// Draws an 8-bit picture with rectangles taken from the input bytes.
inline void DrawAround(const TBitmap& picture, const uint8_t* data, size_t size) {
  if (picture.BitsPerPixel() != 8 || picture.Width() > 512 || picture.Height() > 512) return;
  auto at = [&](size_t i) { return size ? static_cast<int>(static_cast<int8_t>(data[i % size])) : 0; };
  TCorvidSheet sheet;
  sheet.autoSize = true;
  sheet.LoadFromBitmap(picture, {at(0) & 7, at(1) & 7});
  sheet.transparent = at(2) & 1;
  sheet.opacity = at(3) & 2 ? 255 : static_cast<uint8_t>(at(3));
  sheet.RotateHue(at(4) * 3);
  sheet.adjust1.SetColorAndBlend(at(5) + 100, at(6) + 100, 100, at(7) + 100, at(8) & 31, 3, 7, at(9) & 31, true);
  TCorvidBoard board;
  board.SetSize(37, 23);
  board.brightness = 100 + at(10) / 2;
  const TRect source{at(11), at(12), at(13) + 40, at(14) + 30};
  board.DrawSheet(at(15), at(16), source, sheet);
  board.StretchSheet({at(17), at(18), at(19) * 2, at(20)}, sheet, source);
  board.DrawSheetZoomed(at(21), at(22), source, sheet, at(23) / 4.0, at(24) / 4.0, 1 + (at(25) & 3) / 2.0);
  board.CopyBoard(at(26), at(27), {at(28), at(29), at(30), at(31)}, board);
  TCorvidSheet other;
  other.SetSize(20, 9);
  other.CopySheet(at(32), at(33), source, sheet);
  sheet.CopySheet(at(34), at(35), source, sheet);
  sheet.MirrorRows();
  (void)sheet.SameBlock(source, {at(36), at(37), at(36) + source.Width(), at(37) + source.Height()});
  (void)sheet.IsBlank(source);
  (void)sheet.IsSolid(source);
}

}  // namespace tess::fuzz
