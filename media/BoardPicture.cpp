#include "media/BoardPicture.h"

namespace tess {

TBitmap BoardToBitmap(const TCorvidBoard& board) {
  TBitmap bitmap(board.Width(), board.Height(), TPixelFormat::Rgb24);
  for (int y = 0; y < board.Height(); ++y) {
    const uint16_t* from = board.Row(y);
    uint8_t* to = bitmap.Row(y);
    for (int x = 0; x < board.Width(); ++x, to += 3) {
      const TRgb c = Rgb565ToRgb(from[x]);
      to[0] = c.red, to[1] = c.green, to[2] = c.blue;
    }
  }
  return bitmap;
}

}  // namespace tess
