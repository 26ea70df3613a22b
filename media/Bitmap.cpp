#include "media/Bitmap.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>

#include "media/BmpFile.h"

namespace tess {

const char* const kInvalidBitmapImage = "Invalid bitmap image.";

bool PictureSizeAllowed(int64_t width, int64_t height) {
  return width >= 0 && height >= 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

void TBitmap::Reset(int width, int height, TPixelFormat format) { Reset(width, height, format, true); }

void TBitmap::Reset(int width, int height, TPixelFormat format, bool full) {
  if (!PictureSizeAllowed(width, height)) throw EInvalidGraphic(kInvalidBitmapImage);
  const bool same = width == width_ && height == height_ && format == format_;
  width_ = width;
  height_ = height;
  format_ = format;
  depth_ = format == TPixelFormat::Rgb24 ? 24 : 8;
  if (full) palette_.clear();
  if (full || !same) pixels_.assign(static_cast<size_t>(width) * height * BytesPerPixel(), 0);
}

TRgb TBitmap::Pixel(int x, int y) const {
  const uint8_t* p = Row(y) + static_cast<size_t>(x) * BytesPerPixel();
  if (format_ == TPixelFormat::Indexed8) return PaletteEntry(*p);
  return TRgb{p[0], p[1], p[2]};
}

void TBitmap::LoadFromStream(TStream& stream) {
  Bytes data = ReadRestOfStream(stream);
  DecodeBmp(*this, data.data(), data.size());
}

void TBitmap::SaveToStream(TStream& stream) const {
  Bytes data = EncodeBmp(*this);
  stream.WriteBuffer(data.data(), data.size());
}

void PaletteBytes256(const TBitmap& bitmap, uint8_t out[768]) {
  std::memset(out, 0, 768);
  const auto& pal = bitmap.Palette();
  for (size_t i = 0; i < pal.size() && i < 256; ++i) {
    out[3 * i] = pal[i].red;
    out[3 * i + 1] = pal[i].green;
    out[3 * i + 2] = pal[i].blue;
  }
}

namespace {

// Median cut over a histogram of 5-bit channels. Every histogram cell ends in exactly one box; the
// box's colour is the average of the true colours that fell into it.
struct TBox {
  int lo[3], hi[3];  // inclusive cell ranges per channel
  uint64_t count;
};

constexpr int kCell = 32;
inline int CellIndex(int r, int g, int b) { return (r * kCell + g) * kCell + b; }

struct THistogram {
  std::vector<uint32_t> count = std::vector<uint32_t>(kCell * kCell * kCell);
  std::vector<std::array<uint64_t, 3>> sum = std::vector<std::array<uint64_t, 3>>(kCell * kCell * kCell);
};

void Shrink(TBox& box, const THistogram& h) {
  int lo[3] = {kCell, kCell, kCell}, hi[3] = {-1, -1, -1};
  uint64_t total = 0;
  for (int r = box.lo[0]; r <= box.hi[0]; ++r)
    for (int g = box.lo[1]; g <= box.hi[1]; ++g)
      for (int b = box.lo[2]; b <= box.hi[2]; ++b) {
        uint32_t c = h.count[CellIndex(r, g, b)];
        if (!c) continue;
        total += c;
        const int v[3] = {r, g, b};
        for (int k = 0; k < 3; ++k) lo[k] = std::min(lo[k], v[k]), hi[k] = std::max(hi[k], v[k]);
      }
  box.count = total;
  if (total)
    for (int k = 0; k < 3; ++k) box.lo[k] = lo[k], box.hi[k] = hi[k];
}

TBitmap MedianCut(const TBitmap& src) {
  THistogram h;
  for (int y = 0; y < src.Height(); ++y) {
    const uint8_t* p = src.Row(y);
    for (int x = 0; x < src.Width(); ++x, p += 3) {
      int cell = CellIndex(p[0] >> 3, p[1] >> 3, p[2] >> 3);
      ++h.count[cell];
      h.sum[cell][0] += p[0];
      h.sum[cell][1] += p[1];
      h.sum[cell][2] += p[2];
    }
  }
  std::vector<TBox> boxes{TBox{{0, 0, 0}, {kCell - 1, kCell - 1, kCell - 1}, 0}};
  Shrink(boxes[0], h);
  while (boxes.size() < 256) {
    // Split the box with the most pixels among those that still span more than one cell.
    int best = -1;
    for (size_t i = 0; i < boxes.size(); ++i) {
      const TBox& b = boxes[i];
      bool splittable = b.lo[0] < b.hi[0] || b.lo[1] < b.hi[1] || b.lo[2] < b.hi[2];
      if (splittable && (best < 0 || b.count > boxes[best].count)) best = static_cast<int>(i);
    }
    if (best < 0) break;
    TBox box = boxes[best];
    int axis = 0;
    for (int k = 1; k < 3; ++k)
      if (box.hi[k] - box.lo[k] > box.hi[axis] - box.lo[axis]) axis = k;
    // Pixel counts per slice along the axis, then the slice where half the pixels are reached.
    std::vector<uint64_t> slice(kCell, 0);
    for (int r = box.lo[0]; r <= box.hi[0]; ++r)
      for (int g = box.lo[1]; g <= box.hi[1]; ++g)
        for (int b = box.lo[2]; b <= box.hi[2]; ++b) {
          const int v[3] = {r, g, b};
          slice[v[axis]] += h.count[CellIndex(r, g, b)];
        }
    uint64_t acc = 0;
    int cut = box.lo[axis];
    for (int v = box.lo[axis]; v < box.hi[axis]; ++v) {
      acc += slice[v];
      cut = v;
      if (acc * 2 >= box.count) break;
    }
    TBox a = box, b = box;
    a.hi[axis] = cut;
    b.lo[axis] = cut + 1;
    Shrink(a, h);
    Shrink(b, h);
    boxes[best] = a;
    boxes.push_back(b);
  }
  TBitmap out(src.Width(), src.Height(), TPixelFormat::Indexed8);
  out.Palette().assign(256, TRgb{});
  std::vector<uint8_t> map(kCell * kCell * kCell, 0);
  for (size_t i = 0; i < boxes.size(); ++i) {
    const TBox& box = boxes[i];
    uint64_t s[3] = {0, 0, 0};
    for (int r = box.lo[0]; r <= box.hi[0]; ++r)
      for (int g = box.lo[1]; g <= box.hi[1]; ++g)
        for (int b = box.lo[2]; b <= box.hi[2]; ++b) {
          int cell = CellIndex(r, g, b);
          map[cell] = static_cast<uint8_t>(i);
          for (int k = 0; k < 3; ++k) s[k] += h.sum[cell][k];
        }
    if (box.count)
      out.Palette()[i] = TRgb{static_cast<uint8_t>((s[0] + box.count / 2) / box.count),
                              static_cast<uint8_t>((s[1] + box.count / 2) / box.count),
                              static_cast<uint8_t>((s[2] + box.count / 2) / box.count)};
  }
  for (int y = 0; y < src.Height(); ++y) {
    const uint8_t* p = src.Row(y);
    uint8_t* q = out.Row(y);
    for (int x = 0; x < src.Width(); ++x, p += 3) q[x] = map[CellIndex(p[0] >> 3, p[1] >> 3, p[2] >> 3)];
  }
  return out;
}

}  // namespace

int ConvertToExactPalette(const TBitmap& bitmap, const Bytes* alpha, TBitmap& out) {
  if (bitmap.Format() != TPixelFormat::Rgb24) return -1;
  const size_t pixels = static_cast<size_t>(bitmap.Width()) * bitmap.Height();
  const bool withAlpha = alpha && !alpha->empty();
  if (withAlpha && alpha->size() != pixels) return -1;
  TBitmap result(bitmap.Width(), bitmap.Height(), TPixelFormat::Indexed8);
  auto& pal = result.Palette();
  std::unordered_map<uint32_t, uint8_t> index;
  // Transparent pixels share index 0, in the colour the first of them has.
  if (withAlpha) {
    for (size_t i = 0; i < pixels; ++i) {
      if ((*alpha)[i] != 0 && (*alpha)[i] != 255) return -1;
      if ((*alpha)[i] == 0 && pal.empty()) {
        const uint8_t* p = bitmap.Bits() + 3 * i;
        pal.push_back(TRgb{p[0], p[1], p[2]});
      }
    }
  }
  const bool transparentFirst = !pal.empty();
  for (int y = 0; y < bitmap.Height(); ++y) {
    const uint8_t* p = bitmap.Row(y);
    const uint8_t* a = withAlpha ? alpha->data() + static_cast<size_t>(y) * bitmap.Width() : nullptr;
    uint8_t* q = result.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x, p += 3) {
      if (a && a[x] == 0) {
        q[x] = 0;
        continue;
      }
      // Colours in order of first appearance.
      const uint32_t key = (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
      auto it = index.find(key);
      if (it == index.end()) {
        if (pal.size() == 256) return -1;
        it = index.emplace(key, static_cast<uint8_t>(pal.size())).first;
        pal.push_back(TRgb{p[0], p[1], p[2]});
      }
      q[x] = it->second;
    }
  }
  const int used = static_cast<int>(pal.size()) - (transparentFirst ? 1 : 0);
  pal.resize(256);
  out = std::move(result);
  return used;
}

TBitmap ConvertTo8Bit(const TBitmap& bitmap) {
  if (bitmap.Format() == TPixelFormat::Indexed8) {
    TBitmap copy = bitmap;
    copy.SetBitsPerPixel(8);
    return copy;
  }
  TBitmap out;
  if (ConvertToExactPalette(bitmap, nullptr, out) >= 0) return out;
  return MedianCut(bitmap);
}

TBitmap ConvertTo24Bit(const TBitmap& bitmap) {
  if (bitmap.Format() == TPixelFormat::Rgb24) {
    TBitmap copy = bitmap;
    copy.SetBitsPerPixel(24);
    return copy;
  }
  TBitmap out(bitmap.Width(), bitmap.Height(), TPixelFormat::Rgb24);
  for (int y = 0; y < bitmap.Height(); ++y) {
    const uint8_t* p = bitmap.Row(y);
    uint8_t* q = out.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x, q += 3) {
      TRgb c = bitmap.PaletteEntry(p[x]);
      q[0] = c.red, q[1] = c.green, q[2] = c.blue;
    }
  }
  return out;
}

Bytes ReadRestOfStream(TStream& stream) {
  int64_t remaining = stream.Remaining();
  if (remaining < 0) throw EReadError();
  // Pictures larger than this are refused by every reader anyway.
  if (remaining > int64_t{1} << 31) throw EInvalidGraphic(kInvalidBitmapImage);
  Bytes data(static_cast<size_t>(remaining));
  stream.ReadBuffer(data.data(), data.size());
  return data;
}

}  // namespace tess
