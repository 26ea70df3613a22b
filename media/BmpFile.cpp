#include "media/BmpFile.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "core/StreamUtils.h"

namespace tess {

namespace {

[[noreturn]] void Invalid() { throw EInvalidGraphic(kInvalidBitmapImage); }

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) {
  return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

enum : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

// A colour channel given by a bit mask, scaled to 8 bits.
struct TChannel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;
  explicit TChannel(uint32_t m) : mask(m) {
    if (!m) return;
    shift = std::countr_zero(m);
    max = m >> shift;
  }
  uint8_t operator()(uint32_t pixel) const {
    if (!max) return 0;
    uint32_t v = (pixel & mask) >> shift;
    return static_cast<uint8_t>((uint64_t{v} * 255 + max / 2) / max);
  }
};

// Run-length decoding of RLE8 and RLE4. Pixels the data skip (with a jump or an early end of line
// or picture) stay index 0; runs past the right edge are cut off. Data that end before the last
// row is complete are damage.
void DecodeRle(TBitmap& bitmap, const uint8_t* data, size_t size, bool four, bool bottomUp) {
  const int w = bitmap.Width(), h = bitmap.Height();
  int64_t x = 0, y = 0;
  size_t pos = 0;
  auto put = [&](uint8_t index) {
    if (x < w) bitmap.Row(static_cast<int>(bottomUp ? h - 1 - y : y))[x] = index;
    ++x;
  };
  while (y < h) {
    if (size - pos < 2) {
      if (y == h - 1 && x >= w) return;
      Invalid();
    }
    const uint8_t n = data[pos], c = data[pos + 1];
    pos += 2;
    if (n > 0) {
      for (int k = 0; k < n; ++k) put(four ? static_cast<uint8_t>(k & 1 ? c & 15 : c >> 4) : c);
    } else if (c == 0) {
      x = 0;
      ++y;
    } else if (c == 1) {
      return;
    } else if (c == 2) {
      if (size - pos < 2) Invalid();
      x += data[pos];
      y += data[pos + 1];
      pos += 2;
    } else {
      const size_t bytes = four ? (c + 1u) / 2 : c;
      if (size - pos < bytes) Invalid();
      for (int k = 0; k < c; ++k) {
        const uint8_t b = data[pos + (four ? k / 2 : k)];
        put(four ? static_cast<uint8_t>(k & 1 ? b & 15 : b >> 4) : b);
      }
      pos += std::min(size - pos, (bytes + 1) & ~size_t{1});
    }
    x = std::min<int64_t>(x, w);
  }
}

}  // namespace

void DecodeBmp(TBitmap& bitmap, const uint8_t* data, size_t size) {
  if (size < 18 || data[0] != 'B' || data[1] != 'M') Invalid();
  const uint32_t offBits = U32(data + 10);
  const uint32_t hs = U32(data + 14);
  if ((hs != 12 && hs < 16) || hs > size - 14) Invalid();
  const uint8_t* h = data + 14;
  const bool core = hs == 12;
  // Fields past the end of a shortened header read as 0.
  auto field32 = [&](uint32_t at) { return at + 4 <= hs ? U32(h + at) : 0u; };
  int64_t width, height;
  int bpp;
  uint32_t compression = kRgb, clrUsed = 0;
  if (core) {
    width = U16(h + 4);
    height = U16(h + 6);
    bpp = U16(h + 10);
  } else {
    width = static_cast<int32_t>(U32(h + 4));
    height = static_cast<int32_t>(U32(h + 8));
    bpp = U16(h + 14);
    compression = field32(16);
    clrUsed = field32(32);
  }
  const bool bottomUp = height > 0;
  height = height < 0 ? -height : height;
  if (width <= 0 || height <= 0 || !PictureSizeAllowed(width, height)) Invalid();
  switch (bpp) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      Invalid();
  }
  const bool bitFields = compression == kBitFields || compression == kAlphaBitFields;
  if (!(compression == kRgb || (compression == kRle8 && bpp == 8) || (compression == kRle4 && bpp == 4) ||
        (bitFields && (bpp == 16 || bpp == 32))))
    Invalid();

  // Colour masks live in the longer headers, or follow the 40-byte one.
  size_t tableAt = 14 + hs;
  uint32_t masks[3] = {0, 0, 0};
  if (bitFields) {
    if (hs >= 52) {
      for (int k = 0; k < 3; ++k) masks[k] = U32(h + 40 + 4 * k);
    } else {
      const size_t n = compression == kAlphaBitFields ? 16 : 12;
      if (size - tableAt < n) Invalid();
      for (int k = 0; k < 3; ++k) masks[k] = U32(data + tableAt + 4 * k);
      tableAt += n;
    }
  } else if (bpp == 16) {
    masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
  } else if (bpp == 32) {
    masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
  }
  if (offBits < tableAt || offBits > size) Invalid();

  const int w = static_cast<int>(width), ht = static_cast<int>(height);
  const bool rle = compression == kRle8 || compression == kRle4;
  const uint64_t stride = (static_cast<uint64_t>(width) * bpp + 31) / 32 * 4;
  if (rle) {
    // Runs and jumps make RLE compact, but not beyond this: a tiny file cannot claim a huge picture.
    if (static_cast<uint64_t>(width) * height > uint64_t{size - offBits} * 4096 + 65536) Invalid();
  } else if (offBits + stride * (height - 1) + (static_cast<uint64_t>(width) * bpp + 7) / 8 > size) {
    Invalid();  // the last row may lack its padding, nothing more
  }

  const size_t entry = core ? 3 : 4;
  size_t count = 0;
  if (bpp <= 8) {
    count = size_t{1} << bpp;
    if (clrUsed != 0 && clrUsed < count) count = clrUsed;
    // Some writers claim more entries than they leave room for before the pixels.
    count = std::min(count, (offBits - tableAt) / entry);
  }
  bitmap.Reset(w, ht, bpp <= 8 ? TPixelFormat::Indexed8 : TPixelFormat::Rgb24);
  bitmap.SetBitsPerPixel(bpp);
  auto& pal = bitmap.Palette();
  pal.resize(count);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* e = data + tableAt + i * entry;
    pal[i] = TRgb{e[2], e[1], e[0]};
  }

  if (rle) {
    DecodeRle(bitmap, data + offBits, size - offBits, compression == kRle4, bottomUp);
    return;
  }
  const TChannel red(masks[0]), green(masks[1]), blue(masks[2]);
  for (int y = 0; y < ht; ++y) {
    const uint8_t* src = data + offBits + stride * static_cast<uint64_t>(bottomUp ? ht - 1 - y : y);
    uint8_t* dst = bitmap.Row(y);
    switch (bpp) {
      case 1:
        for (int x = 0; x < w; ++x) dst[x] = (src[x >> 3] >> (7 - (x & 7))) & 1;
        break;
      case 4:
        for (int x = 0; x < w; ++x) dst[x] = x & 1 ? src[x >> 1] & 15 : src[x >> 1] >> 4;
        break;
      case 8:
        std::memcpy(dst, src, static_cast<size_t>(w));
        break;
      case 16:
        for (int x = 0; x < w; ++x, dst += 3) {
          const uint32_t p = U16(src + 2 * x);
          dst[0] = red(p), dst[1] = green(p), dst[2] = blue(p);
        }
        break;
      case 24:
        for (int x = 0; x < w; ++x, src += 3, dst += 3) dst[0] = src[2], dst[1] = src[1], dst[2] = src[0];
        break;
      case 32:
        for (int x = 0; x < w; ++x, dst += 3) {
          const uint32_t p = U32(src + 4 * x);
          dst[0] = red(p), dst[1] = green(p), dst[2] = blue(p);
        }
        break;
    }
  }
}

Bytes EncodeBmp(const TBitmap& bitmap) {
  if (bitmap.Empty()) Invalid();
  const bool indexed = bitmap.Format() == TPixelFormat::Indexed8;
  const size_t w = static_cast<size_t>(bitmap.Width()), h = static_cast<size_t>(bitmap.Height());
  const size_t entries =
      indexed ? (bitmap.Palette().empty() ? 256 : std::min<size_t>(bitmap.Palette().size(), 256)) : 0;
  const size_t rowBytes = indexed ? w : 3 * w;
  const size_t stride = (rowBytes + 3) & ~size_t{3};
  const size_t offBits = 14 + 40 + 4 * entries;
  const size_t fileSize = offBits + stride * h;
  Bytes out;
  out.reserve(fileSize);
  TByteWriter wr(out);
  wr.WriteByte('B');
  wr.WriteByte('M');
  wr.WriteU32(static_cast<uint32_t>(fileSize));
  wr.WriteU32(0);
  wr.WriteU32(static_cast<uint32_t>(offBits));
  wr.WriteU32(40);
  wr.WriteU32(static_cast<uint32_t>(w));
  wr.WriteU32(static_cast<uint32_t>(h));
  wr.WriteU16(1);
  wr.WriteU16(indexed ? 8 : 24);
  wr.WriteU32(kRgb);
  wr.WriteU32(static_cast<uint32_t>(stride * h));
  wr.WriteU32(0);
  wr.WriteU32(0);
  wr.WriteU32(static_cast<uint32_t>(entries));
  wr.WriteU32(0);
  for (size_t i = 0; i < entries; ++i) {
    const TRgb c = bitmap.PaletteEntry(static_cast<int>(i));
    const uint8_t e[4] = {c.blue, c.green, c.red, 0};
    wr.WriteBytes(e, 4);
  }
  out.resize(fileSize, 0);
  for (size_t y = 0; y < h; ++y) {
    const uint8_t* src = bitmap.Row(static_cast<int>(h - 1 - y));
    uint8_t* dst = out.data() + offBits + y * stride;
    if (indexed) {
      std::memcpy(dst, src, w);
    } else {
      for (size_t x = 0; x < w; ++x, src += 3, dst += 3) dst[0] = src[2], dst[1] = src[1], dst[2] = src[0];
    }
  }
  return out;
}

}  // namespace tess
