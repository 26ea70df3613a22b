#include "media/CorvidSheet.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "media/PictureFile.h"

namespace tess {

namespace {

std::array<double, 256> MakeTable(double (*f)(double)) {
  std::array<double, 256> t{};
  for (int i = 0; i < 256; ++i) t[i] = f(i * std::numbers::pi / 128);
  return t;
}

int Clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

// Nearest integer, halves to even (the floating-point default rounding mode), kept inside int.
int RoundEven(double v) {
  const double r = std::nearbyint(v);
  if (!(r > -2147483648.0)) return INT32_MIN;
  if (!(r < 2147483647.0)) return INT32_MAX;
  return static_cast<int>(r);
}

// A copy of w x h pixels from (sx, sy) of a source to (dx, dy) of a destination, clipped on each
// axis first against the source, then against the destination. False when nothing is left.
struct TCopyClip {
  int64_t sx, sy, dx, dy, w, h;

  static void One(int64_t& p, int64_t& q, int64_t& n, int64_t limit) {
    if (p < 0) {
      n += p;
      q -= p;
      p = 0;
    }
    if (p + n > limit) n = limit - p;
  }
  bool Run(int64_t srcW, int64_t srcH, int64_t dstW, int64_t dstH) {
    One(sx, dx, w, srcW);
    One(sy, dy, h, srcH);
    One(dx, sx, w, dstW);
    One(dy, sy, h, dstH);
    return w > 0 && h > 0;
  }
};

TCopyClip MakeClip(int dx, int dy, const TRect& source) {
  return {source.left, source.top, dx, dy, int64_t{source.right} - source.left, int64_t{source.bottom} - source.top};
}

// Mixing a source and a destination RGB565 pixel: each channel source * w + destination * (257 - w),
// divided by 256. The three channels sit in 16-bit lanes of one 64-bit word, where the products
// cannot overflow into each other (63 * 257 < 65536), so one multiplication per pixel does the
// work of three (the source's share is computed once per palette entry).
inline uint64_t Spread(uint16_t p) {
  const uint64_t v = p;
  return (v & 31) | (((v >> 5) & 63) << 16) | ((v >> 11) << 32);
}
inline uint16_t Gather(uint64_t sum) {
  const uint64_t c = (sum >> 8) & 0x0000003F003F003FULL;
  return static_cast<uint16_t>((c & 31) | ((c >> 16) << 5) | ((c >> 32) << 11));
}

// How a sheet's pixels reach the board: palette16 alone when opaque; for partial opacity also each
// palette colour already weighted by the source share, computed once per drawing call.
struct TInk {
  const uint16_t* pal;
  bool transparent;
  bool opaque;
  uint64_t destShare = 0;
  // Filled only for partial opacity: an opaque ink is made for every tile drawn and must cost
  // nothing.
  std::array<uint64_t, 256> weighted;

  explicit TInk(const TCorvidSheet& sheet)
      : pal(sheet.palette16.data()), transparent(sheet.transparent), opaque(sheet.opacity >= 255) {
    if (opaque) return;
    const unsigned w = static_cast<unsigned>(std::max(sheet.opacity, 0)) + 1;
    destShare = 257 - w;
    for (int i = 0; i < 256; ++i) weighted[i] = Spread(pal[i]) * w;
  }
  uint16_t Blend(uint8_t c, uint16_t d) const { return Gather(weighted[c] + Spread(d) * destShare); }

  // Draws one row of sheet indices: index 0 of a transparent sheet is skipped.
  void Row(uint16_t* dst, const uint8_t* src, size_t n) const {
    if (opaque) {
      if (transparent) {
        for (size_t x = 0; x < n; ++x)
          if (src[x]) dst[x] = pal[src[x]];
      } else {
        for (size_t x = 0; x < n; ++x) dst[x] = pal[src[x]];
      }
      return;
    }
    for (size_t x = 0; x < n; ++x)
      if (!transparent || src[x]) dst[x] = Blend(src[x], dst[x]);
  }
};

}  // namespace

const std::array<double, 256> SinTable = MakeTable([](double a) { return std::sin(a); });
const std::array<double, 256> CosTable = MakeTable([](double a) { return std::cos(a); });

// ---- TCorvidColorControl

void TCorvidColorControl::ResetColor(bool update) { SetColorAndBlend(100, 100, 100, 100, 0, 0, 0, 0, update); }

void TCorvidColorControl::SetColor(int red, int green, int blue, int saturation, bool update) {
  SetColorAndBlend(red, green, blue, saturation, blendRed, blendGreen, blendBlue, blendStrength, update);
}

void TCorvidColorControl::SetBlend(int red, int green, int blue, int strength, bool update) {
  SetColorAndBlend(redPercent, greenPercent, bluePercent, saturationPercent, red, green, blue, strength, update);
}

void TCorvidColorControl::SetColorAndBlend(int red, int green, int blue, int saturation, int blendR, int blendG,
                                           int blendB, int strength, bool update) {
  if (red == redPercent && green == greenPercent && blue == bluePercent && saturation == saturationPercent &&
      blendR == blendRed && blendG == blendGreen && blendB == blendBlue && strength == blendStrength)
    return;
  redPercent = red, greenPercent = green, bluePercent = blue, saturationPercent = saturation;
  blendRed = blendR, blendGreen = blendG, blendBlue = blendB, blendStrength = strength;
  if (update) sheet_.UpdatePalette16();
}

// ---- TCorvidSheet

void TCorvidSheet::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  width = std::max(width, 0), height = std::max(height, 0);
  if (!PictureSizeAllowed(width, height)) throw EInvalidGraphic(kInvalidBitmapImage);
  pixels_.assign(static_cast<size_t>(width) * height, 0);
  width_ = width;
  height_ = height;
}

void TCorvidSheet::ClearAll() {
  std::fill(pixels_.begin(), pixels_.end(), 0);
  palette.fill(TPaletteEntry{});
  palette16.fill(0);
}

void TCorvidSheet::FreePixels() {
  Bytes().swap(pixels_);
  width_ = height_ = 0;
}

void TCorvidSheet::LoadFromBitmap(const TBitmap& bitmap, TPoint origin) {
  if (bitmap.BitsPerPixel() != 8 || bitmap.Format() != TPixelFormat::Indexed8)
    throw EInvalidGraphic("Invalid image format.");
  if (autoSize) SetSize(bitmap.Width(), bitmap.Height());
  const int columns = std::min(bitmap.Width() - origin.x, width_);
  const int rows = std::min(bitmap.Height() - origin.y, height_);
  // Parts of the origin's rectangle outside the bitmap are left as they are.
  const int firstColumn = std::max(0, -origin.x);
  for (int i = std::max(0, -origin.y); i < rows; ++i)
    if (columns > firstColumn)
      std::memcpy(Row(i) + firstColumn, bitmap.Row(origin.y + i) + origin.x + firstColumn,
                  static_cast<size_t>(columns - firstColumn));
  for (int i = 0; i < 256; ++i) {
    const TRgb c = bitmap.PaletteEntry(i);
    palette[i] = TPaletteEntry{c.red, c.green, c.blue, 0};
  }
  UpdatePalette16();
}

void TCorvidSheet::LoadFromFile(const std::string& fileName, TPoint origin, bool raiseErrors) {
  try {
    ClearAll();
    if (fileName.empty()) return;
    TBitmap bitmap;
    LoadPictureFile(bitmap, fileName);
    LoadFromBitmap(bitmap, origin);
  } catch (...) {
    if (raiseErrors) throw;
  }
}

void TCorvidSheet::UpdatePalette16() {
  const int R = Clamp(adjust1.redPercent + adjust2.redPercent - 100, 0, 200);
  const int G = Clamp(adjust1.greenPercent + adjust2.greenPercent - 100, 0, 200);
  const int B = Clamp(adjust1.bluePercent + adjust2.bluePercent - 100, 0, 200);
  const int S = Clamp(adjust1.saturationPercent + adjust2.saturationPercent - 100, 0, 200);
  const int K = brightness;
  auto percent = [](int v, int max, int p) {
    if (p > 100) return v + (max - v) * (p - 100) / 100;
    if (p < 100) return v * p / 100;
    return v;
  };
  auto blend = [](int& r, int& g, int& b, const TCorvidColorControl& c) {
    const int a = c.blendStrength;
    if (a <= 0) return;
    r = (a * c.blendRed + (32 - a) * r) / 32;
    g = (a * 2 * c.blendGreen + (32 - a) * g) / 32;
    b = (a * c.blendBlue + (32 - a) * b) / 32;
  };
  auto bright = [K](int v, int max) {
    if (K < 100) return K * v / 100;
    if (K > 100) return v + (K - 100) * (max - v) / 100;
    return v;
  };
  for (int i = 0; i < 256; ++i) {
    int r = palette[i].red >> 3, g = palette[i].green >> 2, b = palette[i].blue >> 3;
    // Grey in 5 bits; green counts double because it has 6.
    const int gray = (3 * r + 3 * g + b) / 10;
    if (S < 100) {
      r = (gray * (100 - S) + r * S) / 100;
      g = (2 * gray * (100 - S) + g * S) / 100;
      b = (gray * (100 - S) + b * S) / 100;
    } else if (S > 100) {
      r = Clamp((r * (200 - S) + (S - 100) * (3 * r - 2 * gray)) / 100, 0, 31);
      g = Clamp((g * (200 - S) + (S - 100) * (3 * g - 4 * gray)) / 100, 0, 63);
      b = Clamp((b * (200 - S) + (S - 100) * (3 * b - 2 * gray)) / 100, 0, 31);
    }
    r = percent(r, 31, R), g = percent(g, 63, G), b = percent(b, 31, B);
    blend(r, g, b, adjust1);
    blend(r, g, b, adjust2);
    r = bright(r, 31), g = bright(g, 63), b = bright(b, 31);
    // In-range settings never leave the channel ranges; the clamp keeps odd ones from bleeding into
    // a neighbouring channel.
    palette16[i] = static_cast<uint16_t>(Clamp(r, 0, 31) * 2048 + Clamp(g, 0, 63) * 32 + Clamp(b, 0, 31));
  }
}

void TCorvidSheet::RotateHue(int degrees) {
  if (degrees != 0) {
    for (int i = 1; i < 256; ++i) {
      TPaletteEntry& e = palette[i];
      const int red = e.red, green = e.green, blue = e.blue;
      const int max = std::max({red, green, blue}), min = std::min({red, green, blue});
      const int delta = max - min;
      const int V = max;
      const int S = max == 0 ? 0 : delta * 255 / max;
      double H = 0;
      if (S != 0) {
        if (red == max)
          H = 60.0 * (green - blue) / delta;
        else if (green == max)
          H = 60.0 * (static_cast<double>(blue - red) / delta + 2);
        else
          H = 60.0 * (static_cast<double>(red - green) / delta + 4);
        if (H < 0) H += 360;
      }
      const int64_t hue = static_cast<int64_t>(std::nearbyint(H + degrees)) % 360;
      double c[3] = {static_cast<double>(V), static_cast<double>(V), static_cast<double>(V)};
      if (S > 0) {
        const double h = hue / 60.0;
        const int k = static_cast<int>(h);
        const double f = h - k;
        const double l = S * V / 255.0;
        const double m = std::nearbyint(f * l);
        const double lo = V - l;
        switch (k) {
          case 0:
            c[0] = V, c[1] = m + lo, c[2] = lo;
            break;
          case 1:
            c[0] = V - m, c[1] = V, c[2] = lo;
            break;
          case 2:
            c[0] = lo, c[1] = V, c[2] = m + lo;
            break;
          case 3:
            c[0] = lo, c[1] = V - m, c[2] = V;
            break;
          case 4:
            c[0] = m + lo, c[1] = lo, c[2] = V;
            break;
          case 5:
            c[0] = V, c[1] = lo, c[2] = V - m;
            break;
          default:
            break;
        }
      }
      e.red = static_cast<uint8_t>(Clamp(RoundEven(c[0]), 0, 255));
      e.green = static_cast<uint8_t>(Clamp(RoundEven(c[1]), 0, 255));
      e.blue = static_cast<uint8_t>(Clamp(RoundEven(c[2]), 0, 255));
      e.flags = 0;
    }
  }
  UpdatePalette16();
}

void TCorvidSheet::MirrorRows() {
  for (int y = 0; y < height_; ++y) std::reverse(Row(y), Row(y) + width_);
}

bool TCorvidSheet::SameBlock(const TRect& a, const TRect& b) const {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  if (a.Height() <= 0 || a.Width() <= 0) return true;
  auto inside = [this](const TRect& r) {
    return r.left >= 0 && r.top >= 0 && r.right <= width_ && r.bottom <= height_;
  };
  if (!inside(a) || !inside(b)) return false;
  for (int y = 0; y < a.Height(); ++y)
    if (std::memcmp(Row(a.top + y) + a.left, Row(b.top + y) + b.left, static_cast<size_t>(a.Width())) != 0)
      return false;
  return true;
}

bool TCorvidSheet::IsBlank(const TRect& rect) const {
  const TRect r = Intersect(rect, BoundsRect());
  if (r.IsEmpty()) return true;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (Row(y)[x] != 0) return false;
  return true;
}

bool TCorvidSheet::IsSolid(const TRect& rect) const {
  const TRect r = Intersect(rect, BoundsRect());
  if (r.IsEmpty()) return true;
  for (int y = r.top; y < r.bottom; ++y)
    if (std::memchr(Row(y) + r.left, 0, static_cast<size_t>(r.Width()))) return false;
  return true;
}

void TCorvidSheet::CopySheet(int dx, int dy, const TRect& source, const TCorvidSheet& sheet) {
  TCopyClip c = MakeClip(dx, dy, source);
  if (!c.Run(sheet.width_, sheet.height_, width_, height_)) return;
  const size_t w = static_cast<size_t>(c.w);
  // Copying within one sheet goes through a copy of the source block, so overlap does no harm.
  Bytes block(w * static_cast<size_t>(c.h));
  for (int64_t y = 0; y < c.h; ++y) std::memcpy(block.data() + y * w, sheet.Row(static_cast<int>(c.sy + y)) + c.sx, w);
  for (int64_t y = 0; y < c.h; ++y) {
    const uint8_t* src = block.data() + y * w;
    uint8_t* dst = Row(static_cast<int>(c.dy + y)) + c.dx;
    if (sheet.transparent) {
      for (size_t x = 0; x < w; ++x)
        if (src[x]) dst[x] = src[x];
    } else {
      std::memcpy(dst, src, w);
    }
  }
}

// ---- TCorvidBoard

void TCorvidBoard::SetSize(int width, int height) {
  width = std::max(width, 0), height = std::max(height, 0);
  if (width != width_ || height != height_) {
    if (!PictureSizeAllowed(width, height)) throw EInvalidGraphic(kInvalidBitmapImage);
    bits_.clear();
    width_ = width;
    height_ = height;
    stride_ = (width + 1) & ~1;  // rows start on 4-byte boundaries
    bits_.assign(static_cast<size_t>(stride_) * height, 0);
  }
  Clear();
}

void TCorvidBoard::Fill(uint16_t colour) { std::fill(bits_.begin(), bits_.end(), colour); }

void TCorvidBoard::FillRect(const TRect& rect, uint16_t colour) {
  const TRect r = Intersect(rect, TRect{0, 0, width_, height_});
  if (r.IsEmpty()) return;
  for (int y = r.top; y < r.bottom; ++y) std::fill(Row(y) + r.left, Row(y) + r.right, colour);
}

void TCorvidBoard::CopyBoard(int dx, int dy, const TRect& source, const TCorvidBoard& board) {
  TCopyClip c = MakeClip(dx, dy, source);
  if (!c.Run(board.width_, board.height_, width_, height_)) return;
  const size_t bytes = static_cast<size_t>(c.w) * 2;
  // Rows go bottom-up when the block moves down within one board.
  const bool up = &board == this && c.dy > c.sy;
  for (int64_t k = 0; k < c.h; ++k) {
    const int64_t y = up ? c.h - 1 - k : k;
    std::memmove(Row(static_cast<int>(c.dy + y)) + c.dx, board.Row(static_cast<int>(c.sy + y)) + c.sx, bytes);
  }
}

void TCorvidBoard::SyncBrightness(TCorvidSheet& sheet) {
  if (sheet.brightness != brightness) {
    sheet.brightness = brightness;
    sheet.UpdatePalette16();
  }
}

void TCorvidBoard::DrawSheet(int dx, int dy, const TRect& source, TCorvidSheet& sheet) {
  DrawBlock(dx, dy, source, sheet.Pixels(), sheet.Width(), sheet.Height(), sheet);
}

void TCorvidBoard::DrawIndices(int dx, int dy, const uint8_t* indices, int width, int height, TCorvidSheet& colours) {
  DrawBlock(dx, dy, {0, 0, width, height}, indices, width, height, colours);
}

void TCorvidBoard::DrawBlock(int dx, int dy, const TRect& source, const uint8_t* pixels, int width, int height,
                             TCorvidSheet& colours) {
  TCopyClip c = MakeClip(dx, dy, source);
  if (!c.Run(width, height, width_, height_)) return;
  SyncBrightness(colours);
  const TInk ink(colours);
  const uint8_t* src = pixels + static_cast<size_t>(c.sy) * width + c.sx;
  for (int64_t y = 0; y < c.h; ++y, src += width)
    ink.Row(Row(static_cast<int>(c.dy + y)) + c.dx, src, static_cast<size_t>(c.w));
}

void TCorvidBoard::StretchSheet(const TRect& dest, TCorvidSheet& sheet, const TRect& source) {
  if (dest.Width() == source.Width() && dest.Height() == source.Height()) {
    DrawSheet(dest.left, dest.top, source, sheet);
    return;
  }
  const int64_t dw = int64_t{dest.right} - dest.left, dh = int64_t{dest.bottom} - dest.top;
  const int64_t sw = int64_t{source.right} - source.left, sh = int64_t{source.bottom} - source.top;
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  // Every visible board pixel takes the source pixel the whole rectangles map it to; pixels whose
  // source lies outside the sheet are not drawn. A partly visible picture thus shows exactly the
  // pixels it shows when wholly visible.
  struct TMap {
    int to, from;
  };
  auto build = [](int64_t d0, int64_t dl, int64_t limit, int64_t s0, int64_t sl, int64_t sheetLimit) {
    std::vector<TMap> map;
    const int64_t first = std::max<int64_t>(d0, 0), last = std::min<int64_t>(d0 + dl, limit);
    for (int64_t X = first; X < last; ++X) {
      const int64_t s = s0 + (X - d0) * sl / dl;
      if (s >= 0 && s < sheetLimit) map.push_back({static_cast<int>(X), static_cast<int>(s)});
    }
    return map;
  };
  const std::vector<TMap> columns = build(dest.left, dw, width_, source.left, sw, sheet.Width());
  const std::vector<TMap> rows = build(dest.top, dh, height_, source.top, sh, sheet.Height());
  if (columns.empty() || rows.empty()) return;
  SyncBrightness(sheet);
  const TInk ink(sheet);
  for (const TMap& row : rows) {
    uint16_t* dst = Row(row.to);
    const uint8_t* src = sheet.Row(row.from);
    for (const TMap& col : columns) {
      const uint8_t c = src[col.from];
      if (ink.transparent && c == 0) continue;
      dst[col.to] = ink.opaque ? ink.pal[c] : ink.Blend(c, dst[col.to]);
    }
  }
}

void TCorvidBoard::DrawSheetZoomed(double cx, double cy, const TRect& source, TCorvidSheet& sheet, double halfWidth,
                                   double halfHeight, double zoom) {
  if (zoom != 1) {
    StretchSheet({RoundEven(cx - zoom * halfWidth), RoundEven(cy - zoom * halfHeight), RoundEven(cx + zoom * halfWidth),
                  RoundEven(cy + zoom * halfHeight)},
                 sheet, source);
  } else {
    DrawSheet(RoundEven(cx - halfWidth), RoundEven(cy - halfHeight), source, sheet);
  }
}

}  // namespace tess
