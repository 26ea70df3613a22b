#pragma once
// Reading and writing the two kinds of PNG picture the system works with: 8-bit palette and 24-bit
// true colour, 8 bits per sample, not interlaced. Transparency and every chunk besides IHDR, PLTE,
// IDAT and IEND are ignored on reading; chunk checksums are not verified.

#include <string>

#include "core/Stream.h"
#include "media/Bitmap.h"

namespace tess {

// Reads a PNG picture from data that start with the signature into an 8-bit bitmap with a 256-entry
// palette (entries the file does not give are black) or a 24-bit bitmap. Damage raises
// EInvalidGraphic "Invalid PNG Image", pictures outside the subset "Unsupported PNG Image",
// damaged compressed data "Zlib Error", and data ending inside a chunk the stream read error.
void DecodePng(TBitmap& bitmap, const uint8_t* data, size_t size);
// Writes colour type 3 with a 256-entry palette for indexed bitmaps, colour type 2 otherwise; rows
// unfiltered, compressed data in IDAT chunks of 65,536 bytes (the last one shorter). A picture of
// no pixels raises "Invalid PNG Image".
Bytes EncodePng(const TBitmap& bitmap);

void ReadPng(TBitmap& bitmap, TStream& stream);
void WritePng(const TBitmap& bitmap, TStream& stream);

// A bitmap whose own stream format is PNG.
class TCorvidPng : public TBitmap {
 public:
  void LoadFromStream(TStream& stream) override { ReadPng(*this, stream); }
  void SaveToStream(TStream& stream) const override { WritePng(*this, stream); }
};

}  // namespace tess
