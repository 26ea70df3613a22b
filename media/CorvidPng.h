#pragma once
// Reading and writing the two kinds of PNG picture the system works with: 8-bit palette and 24-bit
// true colour, 8 bits per sample, not interlaced. Transparency and every chunk besides IHDR, PLTE,
// IDAT and IEND are ignored on reading; chunk checksums are not verified.

#include <memory>
#include <string>
#include <vector>

#include "core/Stream.h"
#include "media/Bitmap.h"

namespace tess {

// Reads a PNG picture from data that start with the signature into an 8-bit bitmap with a 256-entry
// palette (entries the file does not give are black) or a 24-bit bitmap. Damage raises
// EInvalidGraphic "Invalid PNG Image", pictures outside the subset "Unsupported PNG Image",
// damaged compressed data "Zlib Error", and data ending inside a chunk the stream read error.
void DecodePng(TBitmap& bitmap, const uint8_t* data, size_t size);
// The same, also reading true colour with an alpha channel (colour type 6, 8 bits per sample), as
// authors' art tools save it: its colours go into a 24-bit bitmap and its alpha samples into
// alpha, one byte per pixel, rows from the top. For the other kinds alpha is left empty.
void DecodePngWithAlpha(TBitmap& bitmap, Bytes& alpha, const uint8_t* data, size_t size);
// Writes colour type 3 with a 256-entry palette for indexed bitmaps, colour type 2 otherwise; rows
// unfiltered, compressed data in IDAT chunks of 65,536 bytes (the last one shorter). A picture of
// no pixels raises "Invalid PNG Image".
Bytes EncodePng(const TBitmap& bitmap);

// The same writer fed one row at a time, for pictures made a band at a time that never exist
// whole in memory: rows of width palette indices when a palette is given (written as 256 entries,
// missing ones black), else of width red, green, blue triples. A size of no pixels or of a side
// above 65,536, a row too many and finishing before the last row raise "Invalid PNG Image".
class TPngRowEncoder {
 public:
  TPngRowEncoder(int width, int height, const std::vector<TRgb>* palette);
  ~TPngRowEncoder();
  TPngRowEncoder(const TPngRowEncoder&) = delete;
  TPngRowEncoder& operator=(const TPngRowEncoder&) = delete;

  void AddRow(const uint8_t* row);
  // The whole file; the encoder is done afterwards.
  Bytes Finish();

 private:
  struct TState;
  void OpenChunk();
  void CloseChunk();
  bool Compress(int flush);
  void FeedStaged(int flush);

  size_t rowBytes_;
  int rowsLeft_;
  std::unique_ptr<TState> s_;
};

void ReadPng(TBitmap& bitmap, TStream& stream);
void WritePng(const TBitmap& bitmap, TStream& stream);

// A bitmap whose own stream format is PNG.
class TCorvidPng : public TBitmap {
 public:
  void LoadFromStream(TStream& stream) override { ReadPng(*this, stream); }
  void SaveToStream(TStream& stream) const override { WritePng(*this, stream); }
};

}  // namespace tess
