#pragma once
// The in-memory raster picture every codec reads into and writes from: 8-bit indexed with a palette
// of up to 256 colours, or 24-bit true colour. Row 0 is the top row; rows follow one another without
// padding. True-colour pixels are kept as red, green, blue bytes.

#include <cstdint>
#include <string>
#include <vector>

#include "core/Errors.h"
#include "core/Stream.h"

namespace tess {

// A picture that cannot be read or written: the message names the format ("Invalid PNG Image").
class EInvalidGraphic : public ETessError {
 public:
  using ETessError::ETessError;
};

// The compression library refused to start, or failed on the data it was given.
class EZlibError : public ETessError {
 public:
  EZlibError() : ETessError("Zlib Error") {}
};

extern const char* const kInvalidBitmapImage;  // "Invalid bitmap image."

// Largest picture any reader accepts: a side of 65,536 pixels and 64 Mi pixels in all. Readers also
// check that the bytes present can really describe a picture of the size a header claims.
constexpr int kMaxPictureSide = 65536;
constexpr int64_t kMaxPicturePixels = int64_t{1} << 26;
bool PictureSizeAllowed(int64_t width, int64_t height);

// One deflate byte expands to at most 1,032 bytes; a compressed body of n bytes therefore cannot
// hold more than this many bytes of picture data.
inline uint64_t MostInflatedBytes(size_t compressed) { return uint64_t{compressed} * 1032 + 1032; }

enum class TPixelFormat : uint8_t { Indexed8, Rgb24 };

struct TRgb {
  uint8_t red = 0, green = 0, blue = 0;
  friend bool operator==(const TRgb&, const TRgb&) = default;
};

class TBitmap {
 public:
  TBitmap() = default;
  TBitmap(int width, int height, TPixelFormat format) { Reset(width, height, format); }
  virtual ~TBitmap() = default;
  TBitmap(const TBitmap&) = default;
  TBitmap& operator=(const TBitmap&) = default;
  TBitmap(TBitmap&&) = default;
  TBitmap& operator=(TBitmap&&) = default;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  TPixelFormat Format() const { return format_; }
  int BytesPerPixel() const { return format_ == TPixelFormat::Rgb24 ? 3 : 1; }
  size_t RowBytes() const { return static_cast<size_t>(width_) * BytesPerPixel(); }

  // Colour depth of the picture as its file had it (1, 4, 8, 16, 24 or 32); 8 or 24 for a picture
  // made in memory. Callers that take only 8-bit pictures look at this, not at the storage format.
  int BitsPerPixel() const { return depth_; }
  void SetBitsPerPixel(int bits) { depth_ = bits; }

  // Sets format and size at once: zero-filled pixels, an empty palette, the format's own depth.
  // Raises EInvalidGraphic "Invalid bitmap image." for a negative or oversized picture.
  void Reset(int width, int height, TPixelFormat format);
  // Keeps the format; pixels are zero-filled again when the size changes.
  void SetSize(int width, int height) { Reset(width, height, format_, false); }
  void SetFormat(TPixelFormat format) { Reset(width_, height_, format, false); }
  void Clear() { Reset(0, 0, TPixelFormat::Indexed8); }

  uint8_t* Bits() { return pixels_.data(); }
  const uint8_t* Bits() const { return pixels_.data(); }
  uint8_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * RowBytes(); }
  const uint8_t* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * RowBytes(); }

  std::vector<TRgb>& Palette() { return palette_; }
  const std::vector<TRgb>& Palette() const { return palette_; }
  // Entries the palette does not define read as black.
  TRgb PaletteEntry(int index) const {
    return index >= 0 && static_cast<size_t>(index) < palette_.size() ? palette_[index] : TRgb{};
  }
  // The colour of a pixel, looked up in the palette for indexed pictures.
  TRgb Pixel(int x, int y) const;

  // Reading and writing in the bitmap's own file format (BMP); the format classes override both.
  virtual void LoadFromStream(TStream& stream);
  virtual void SaveToStream(TStream& stream) const;

  friend bool operator==(const TBitmap& a, const TBitmap& b) {
    return a.width_ == b.width_ && a.height_ == b.height_ && a.format_ == b.format_ && a.pixels_ == b.pixels_ &&
           a.palette_ == b.palette_;
  }

 private:
  void Reset(int width, int height, TPixelFormat format, bool full);

  int width_ = 0, height_ = 0;
  TPixelFormat format_ = TPixelFormat::Indexed8;
  int depth_ = 8;
  Bytes pixels_;
  std::vector<TRgb> palette_;
};

// The palette padded or cut to exactly 256 entries as red, green, blue triples (768 bytes).
void PaletteBytes256(const TBitmap& bitmap, uint8_t out[768]);

// An 8-bit copy: indexed pictures keep palette and indices; true-colour pictures keep their colours
// exactly when there are at most 256 of them, and are otherwise reduced to 256 by median cut.
TBitmap ConvertTo8Bit(const TBitmap& bitmap);
// The 8-bit picture of a true-colour one with every colour kept exactly, in order of first
// appearance, padded to 256 entries. With alpha samples (one per pixel), whose values must all be
// 0 or 255, the transparent pixels take index 0 together (in the colour of the first of them) and
// the colours start at 1. Returns the number of colours of opaque pixels, or -1 (out unchanged)
// when the picture is not true colour, the alpha holds other values, or the colours do not fit.
int ConvertToExactPalette(const TBitmap& bitmap, const Bytes* alpha, TBitmap& out);
// A 24-bit copy with every pixel's colour.
TBitmap ConvertTo24Bit(const TBitmap& bitmap);

// The bytes from the stream's position to its end, for the codecs that decode from memory. The size
// is checked against the stream before anything is allocated.
Bytes ReadRestOfStream(TStream& stream);

}  // namespace tess
