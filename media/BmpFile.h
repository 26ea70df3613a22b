#pragma once
// Windows device-independent bitmap files (BMP). Reading takes 1, 4, 8, 16, 24 and 32 bits per
// pixel, rows stored bottom-up or top-down, RLE4 and RLE8 compression and the usual header
// variants; writing produces 8-bit (palette) or 24-bit files with the plain 40-byte header.

#include <cstddef>
#include <cstdint>

#include "core/Stream.h"
#include "media/Bitmap.h"

namespace tess {

// Pictures of 1, 4 and 8 bits become 8-bit indexed bitmaps with the file's palette, the others
// 24-bit bitmaps; BitsPerPixel() reports the file's own depth. Damage raises EInvalidGraphic
// "Invalid bitmap image.".
void DecodeBmp(TBitmap& bitmap, const uint8_t* data, size_t size);
Bytes EncodeBmp(const TBitmap& bitmap);

}  // namespace tess
