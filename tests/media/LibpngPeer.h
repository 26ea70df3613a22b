#pragma once
// libpng as the outside peer of our PNG codec: it writes inputs for our reader and reads what our
// writer wrote. Everything stays in memory. Used by the tests and by the picture benchmark.

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "media/Bitmap.h"

namespace tess::peer {

struct TLibpngWrite {
  int colourType = PNG_COLOR_TYPE_PALETTE;
  int bitDepth = 8;
  int interlace = PNG_INTERLACE_NONE;
  int filters = -1;  // PNG_FILTER_* mask, or -1 for libpng's own choice
  int paletteEntries = 256;
  bool trns = false;
  int level = -1;  // zlib level, -1 for libpng's default
};

namespace detail {
inline void Sink(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}
inline void NoFlush(png_structp) {}

struct TSource {
  const uint8_t* data;
  size_t size, pos;
};
inline void Source(png_structp png, png_bytep data, png_size_t length) {
  auto* s = static_cast<TSource*>(png_get_io_ptr(png));
  if (length > s->size - s->pos) png_error(png, "read past end");
  std::memcpy(data, s->data + s->pos, length);
  s->pos += length;
}
inline void Quiet(png_structp, png_const_charp) {}
}  // namespace detail

// Writes rows laid out as libpng takes them for the options (no transformations). Returns false when
// libpng refuses.
inline bool LibpngWriteRaw(Bytes& out, int width, int height, const uint8_t* rows, size_t rowBytes,
                           const std::vector<png_color>& palette, const TLibpngWrite& o) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, detail::Quiet);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  std::vector<png_bytep> pointers(static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) pointers[y] = const_cast<png_bytep>(rows + y * rowBytes);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &out, detail::Sink, detail::NoFlush);
  png_set_IHDR(png, info, width, height, o.bitDepth, o.colourType, o.interlace, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (o.colourType == PNG_COLOR_TYPE_PALETTE)
    png_set_PLTE(png, info, palette.data(), std::min<int>(o.paletteEntries, static_cast<int>(palette.size())));
  png_byte alpha[4] = {0, 128, 255, 7};
  png_color_16 trnsColour{};
  if (o.trns) png_set_tRNS(png, info, alpha, 4, &trnsColour);
  if (o.filters >= 0) png_set_filter(png, PNG_FILTER_TYPE_BASE, o.filters);
  if (o.level >= -1) png_set_compression_level(png, o.level);
  png_write_info(png, info);
  png_write_image(png, pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

// Writes an 8-bit palette or 24-bit picture in its own colour type.
inline Bytes LibpngWrite(const TBitmap& b, TLibpngWrite o = {}) {
  const bool indexed = b.Format() == TPixelFormat::Indexed8;
  o.colourType = indexed ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB;
  std::vector<png_color> palette;
  for (int i = 0; i < o.paletteEntries; ++i) {
    TRgb c = b.PaletteEntry(i);
    palette.push_back(png_color{c.red, c.green, c.blue});
  }
  Bytes out;
  if (!LibpngWriteRaw(out, b.Width(), b.Height(), b.Bits(), b.RowBytes(), palette, o))
    throw std::runtime_error("libpng refused to write");
  return out;
}

// Reads an 8-bit palette or 24-bit PNG into a bitmap (palette as the file has it). False when
// libpng refuses the file or it is of another kind.
inline bool LibpngRead(const uint8_t* data, size_t size, TBitmap& out) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, detail::Quiet);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  detail::TSource src{data, size, 0};
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &src, detail::Source);
  png_read_info(png, info);
  const int type = png_get_color_type(png, info), depth = png_get_bit_depth(png, info);
  if (depth != 8 || (type != PNG_COLOR_TYPE_PALETTE && type != PNG_COLOR_TYPE_RGB) ||
      png_get_interlace_type(png, info) != PNG_INTERLACE_NONE) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  const int w = static_cast<int>(png_get_image_width(png, info)), h = static_cast<int>(png_get_image_height(png, info));
  out.Reset(w, h, type == PNG_COLOR_TYPE_PALETTE ? TPixelFormat::Indexed8 : TPixelFormat::Rgb24);
  if (type == PNG_COLOR_TYPE_PALETTE) {
    png_colorp pal = nullptr;
    int n = 0;
    png_get_PLTE(png, info, &pal, &n);
    for (int i = 0; i < n; ++i) out.Palette().push_back(TRgb{pal[i].red, pal[i].green, pal[i].blue});
  }
  // Row by row, as png_read_image does, so nothing local changes between setjmp and a longjmp.
  for (int y = 0; y < h; ++y) png_read_row(png, out.Row(y), nullptr);
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

inline bool LibpngRead(const Bytes& data, TBitmap& out) { return LibpngRead(data.data(), data.size(), out); }

}  // namespace tess::peer
