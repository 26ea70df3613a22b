#pragma once
// The system's own 256-colour picture format: "XYZ1", width and height (16-bit little-endian), then
// one zlib stream holding the 256-entry palette (red, green, blue) and the pixel indices, top row
// first, each row exactly width bytes.

#include <string>

#include "core/Stream.h"
#include "media/Bitmap.h"

namespace tess {

// Reads an XYZ picture from data that start with the magic. A wrong magic raises EInvalidGraphic
// "Invalid XYZ Image"; damaged compressed data raise "Zlib Error"; a header cut short raises the
// stream read error. The result is an 8-bit bitmap with a 256-entry palette.
void DecodeXyz(TBitmap& bitmap, const uint8_t* data, size_t size);
// Writes the picture, first reduced to 8 bits if it has more. Pictures of no pixels or with a side
// above 65,535 raise EInvalidGraphic "Invalid XYZ Image".
Bytes EncodeXyz(const TBitmap& bitmap);

void ReadXyz(TBitmap& bitmap, TStream& stream);
void WriteXyz(const TBitmap& bitmap, TStream& stream);

// A bitmap whose own stream format is XYZ.
class TCorvidXyz : public TBitmap {
 public:
  void LoadFromStream(TStream& stream) override { ReadXyz(*this, stream); }
  void SaveToStream(TStream& stream) const override { WriteXyz(*this, stream); }
};

}  // namespace tess
