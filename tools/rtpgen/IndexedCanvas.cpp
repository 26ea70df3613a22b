#include "tools/rtpgen/IndexedCanvas.h"

#include <algorithm>
#include <cmath>

namespace tess::rtp {

TIndexedCanvas::TIndexedCanvas(int width, int height, uint8_t fill)
    : width_(std::max(0, width)), height_(std::max(0, height)), pixels_(size_t(width_) * height_, fill) {}

void TIndexedCanvas::Fill(uint8_t c) { std::fill(pixels_.begin(), pixels_.end(), c); }

void TIndexedCanvas::FillRect(int x, int y, int w, int h, uint8_t c) {
  int x0 = std::max(x, 0), y0 = std::max(y, 0);
  int x1 = std::min(x + w, width_), y1 = std::min(y + h, height_);
  for (int yy = y0; yy < y1; ++yy)
    for (int xx = x0; xx < x1; ++xx) pixels_[size_t(yy) * width_ + xx] = c;
}

void TIndexedCanvas::FrameRect(int x, int y, int w, int h, uint8_t c) {
  if (w <= 0 || h <= 0) return;
  HLine(x, x + w - 1, y, c);
  HLine(x, x + w - 1, y + h - 1, c);
  VLine(x, y, y + h - 1, c);
  VLine(x + w - 1, y, y + h - 1, c);
}

void TIndexedCanvas::HLine(int x0, int x1, int y, uint8_t c) {
  if (x0 > x1) std::swap(x0, x1);
  for (int x = x0; x <= x1; ++x) Set(x, y, c);
}

void TIndexedCanvas::VLine(int x, int y0, int y1, uint8_t c) {
  if (y0 > y1) std::swap(y0, y1);
  for (int y = y0; y <= y1; ++y) Set(x, y, c);
}

void TIndexedCanvas::Line(int x0, int y0, int x1, int y1, uint8_t c) {
  int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    Set(x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

namespace {
bool InEllipse(int px, int py, int x, int y, int w, int h) {
  double rx = w / 2.0, ry = h / 2.0;
  double cx = x + rx, cy = y + ry;
  double nx = (px + 0.5 - cx) / rx, ny = (py + 0.5 - cy) / ry;
  return nx * nx + ny * ny <= 1.0;
}
}  // namespace

void TIndexedCanvas::FillEllipse(int x, int y, int w, int h, uint8_t c) {
  if (w <= 0 || h <= 0) return;
  for (int py = y; py < y + h; ++py)
    for (int px = x; px < x + w; ++px)
      if (InEllipse(px, py, x, y, w, h)) Set(px, py, c);
}

void TIndexedCanvas::FrameEllipse(int x, int y, int w, int h, uint8_t c) {
  if (w <= 0 || h <= 0) return;
  for (int py = y; py < y + h; ++py)
    for (int px = x; px < x + w; ++px) {
      if (!InEllipse(px, py, x, y, w, h)) continue;
      bool edge = !InEllipse(px - 1, py, x, y, w, h) || !InEllipse(px + 1, py, x, y, w, h) ||
                  !InEllipse(px, py - 1, x, y, w, h) || !InEllipse(px, py + 1, x, y, w, h);
      if (edge) Set(px, py, c);
    }
}

void TIndexedCanvas::FillPolygon(const std::vector<std::pair<int, int>>& points, uint8_t c) {
  if (points.size() < 3) return;
  int ymin = points[0].second, ymax = ymin;
  for (auto& p : points) {
    ymin = std::min(ymin, p.second);
    ymax = std::max(ymax, p.second);
  }
  ymin = std::max(ymin, 0);
  ymax = std::min(ymax, height_ - 1);
  std::vector<double> xs;
  for (int y = ymin; y <= ymax; ++y) {
    double sy = y + 0.5;
    xs.clear();
    for (size_t i = 0; i < points.size(); ++i) {
      auto [x0, y0] = points[i];
      auto [x1, y1] = points[(i + 1) % points.size()];
      if ((y0 <= sy) == (y1 <= sy)) continue;
      xs.push_back(x0 + (sy - y0) * double(x1 - x0) / double(y1 - y0));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t i = 0; i + 1 < xs.size(); i += 2) {
      int a = int(std::ceil(xs[i] - 0.5)), b = int(std::floor(xs[i + 1] - 0.5));
      for (int x = a; x <= b; ++x) Set(x, y, c);
    }
  }
}

void TIndexedCanvas::Blit(const TIndexedCanvas& src, TRect from, int dx, int dy, bool skipZero) {
  for (int y = 0; y < from.h; ++y)
    for (int x = 0; x < from.w; ++x) {
      int sx = from.x + x, sy = from.y + y;
      if (!src.Inside(sx, sy)) continue;
      uint8_t c = src.At(sx, sy);
      if (skipZero && c == 0) continue;
      Set(dx + x, dy + y, c);
    }
}

void TIndexedCanvas::MirrorRect(TRect r) {
  for (int y = r.y; y < r.y + r.h; ++y)
    for (int i = 0; i < r.w / 2; ++i) {
      int a = r.x + i, b = r.x + r.w - 1 - i;
      uint8_t ca = At(a, y), cb = At(b, y);
      Set(a, y, cb);
      Set(b, y, ca);
    }
}

void TIndexedCanvas::Replace(TRect r, uint8_t from, uint8_t to) {
  for (int y = r.y; y < r.y + r.h; ++y)
    for (int x = r.x; x < r.x + r.w; ++x)
      if (Inside(x, y) && At(x, y) == from) Set(x, y, to);
}

void TIndexedCanvas::Outline(TRect r, uint8_t c) {
  // Decide first, paint afterwards, so the rim does not grow from itself.
  std::vector<std::pair<int, int>> rim;
  auto solid = [&](int x, int y) { return x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h && At(x, y) != 0; };
  for (int y = r.y; y < r.y + r.h; ++y)
    for (int x = r.x; x < r.x + r.w; ++x)
      if (Inside(x, y) && At(x, y) == 0 && (solid(x - 1, y) || solid(x + 1, y) || solid(x, y - 1) || solid(x, y + 1)))
        rim.push_back({x, y});
  for (auto [x, y] : rim) Set(x, y, c);
}

TIndexedCanvas TIndexedCanvas::Crop(TRect r) const {
  TIndexedCanvas out(r.w, r.h);
  out.palette_ = palette_;
  out.Blit(*this, r, 0, 0);
  return out;
}

bool TIndexedCanvas::SameRect(TRect a, TRect b) const {
  if (a.w != b.w || a.h != b.h) return false;
  for (int y = 0; y < a.h; ++y)
    for (int x = 0; x < a.w; ++x)
      if (At(a.x + x, a.y + y) != At(b.x + x, b.y + y)) return false;
  return true;
}

bool TIndexedCanvas::IsBlank(TRect r) const {
  for (int y = r.y; y < r.y + r.h; ++y)
    for (int x = r.x; x < r.x + r.w; ++x)
      if (At(x, y) != 0) return false;
  return true;
}

bool TIndexedCanvas::IsSolid(TRect r) const {
  for (int y = r.y; y < r.y + r.h; ++y)
    for (int x = r.x; x < r.x + r.w; ++x)
      if (At(x, y) == 0) return false;
  return true;
}

namespace {
// Rows of the 5 x 7 font, five bits each, the leftmost dot in bit 4.
struct TGlyph {
  char ch;
  uint8_t rows[7];
};
constexpr TGlyph kFont[] = {
    {'A', {14, 17, 17, 31, 17, 17, 17}}, {'B', {30, 17, 17, 30, 17, 17, 30}}, {'C', {14, 17, 16, 16, 16, 17, 14}},
    {'D', {30, 17, 17, 17, 17, 17, 30}}, {'E', {31, 16, 16, 30, 16, 16, 31}}, {'F', {31, 16, 16, 30, 16, 16, 16}},
    {'G', {14, 17, 16, 23, 17, 17, 15}}, {'H', {17, 17, 17, 31, 17, 17, 17}}, {'I', {14, 4, 4, 4, 4, 4, 14}},
    {'J', {7, 2, 2, 2, 2, 18, 12}},      {'K', {17, 18, 20, 24, 20, 18, 17}}, {'L', {16, 16, 16, 16, 16, 16, 31}},
    {'M', {17, 27, 21, 21, 17, 17, 17}}, {'N', {17, 17, 25, 21, 19, 17, 17}}, {'O', {14, 17, 17, 17, 17, 17, 14}},
    {'P', {30, 17, 17, 30, 16, 16, 16}}, {'Q', {14, 17, 17, 17, 21, 18, 13}}, {'R', {30, 17, 17, 30, 20, 18, 17}},
    {'S', {15, 16, 16, 14, 1, 1, 30}},   {'T', {31, 4, 4, 4, 4, 4, 4}},       {'U', {17, 17, 17, 17, 17, 17, 14}},
    {'V', {17, 17, 17, 17, 17, 10, 4}},  {'W', {17, 17, 17, 21, 21, 21, 10}}, {'X', {17, 17, 10, 4, 10, 17, 17}},
    {'Y', {17, 17, 10, 4, 4, 4, 4}},     {'Z', {31, 1, 2, 4, 8, 16, 31}},     {'0', {14, 17, 19, 21, 25, 17, 14}},
    {'1', {4, 12, 4, 4, 4, 4, 14}},      {'2', {14, 17, 1, 2, 4, 8, 31}},     {'3', {31, 2, 4, 2, 1, 17, 14}},
    {'4', {2, 6, 10, 18, 31, 2, 2}},     {'5', {31, 16, 30, 1, 1, 17, 14}},   {'6', {6, 8, 16, 30, 17, 17, 14}},
    {'7', {31, 1, 2, 4, 8, 8, 8}},       {'8', {14, 17, 17, 14, 17, 17, 14}}, {'9', {14, 17, 17, 15, 1, 2, 12}},
    {'!', {4, 4, 4, 4, 4, 0, 4}},        {'.', {0, 0, 0, 0, 0, 12, 12}},      {'-', {0, 0, 0, 31, 0, 0, 0}},
    {':', {0, 12, 12, 0, 12, 12, 0}},    {'?', {14, 17, 1, 2, 4, 0, 4}},      {'\'', {4, 4, 8, 0, 0, 0, 0}},
    {'/', {1, 1, 2, 4, 8, 16, 16}},      {'+', {0, 4, 4, 31, 4, 4, 0}},       {'%', {24, 25, 2, 4, 8, 19, 3}},
};

const TGlyph* FindGlyph(char ch) {
  if (ch >= 'a' && ch <= 'z') ch = char(ch - 'a' + 'A');
  for (auto& g : kFont)
    if (g.ch == ch) return &g;
  return nullptr;
}
}  // namespace

void TIndexedCanvas::Text(int x, int y, const std::string& text, uint8_t c, int scale) {
  for (char ch : text) {
    if (const TGlyph* g = FindGlyph(ch))
      for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 5; ++col)
          if (g->rows[row] & (16 >> col)) FillRect(x + col * scale, y + row * scale, scale, scale, c);
    x += 6 * scale;
  }
}

int TIndexedCanvas::TextWidth(const std::string& text, int scale) {
  return text.empty() ? 0 : int(text.size()) * 6 * scale - scale;
}

}  // namespace tess::rtp
