#pragma once
// Boards as pictures: the 8-bit colour of an RGB565 pixel, and a board copied into a 24-bit
// bitmap, as a window shows it (each channel's high bits repeated into its low ones, so white stays
// white and black black).

#include <cstdint>

#include "media/Bitmap.h"
#include "media/CorvidSheet.h"

namespace tess {

constexpr TRgb Rgb565ToRgb(uint16_t p) {
  const int r = p >> 11, g = (p >> 5) & 63, b = p & 31;
  return TRgb{static_cast<uint8_t>((r << 3) | (r >> 2)), static_cast<uint8_t>((g << 2) | (g >> 4)),
              static_cast<uint8_t>((b << 3) | (b >> 2))};
}

// The rows of a board as a 24-bit bitmap of the same size.
TBitmap BoardToBitmap(const TCorvidBoard& board);

}  // namespace tess
