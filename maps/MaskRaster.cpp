#include "maps/MaskRaster.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "core/Errors.h"
#include "maps/LD_Map.h"

namespace tess {

void TMaskRaster::SetSize(int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (width == width_ && height == height_) return;
  try {
    cells_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  } catch (const std::bad_alloc&) {
    width_ = height_ = 0;
    cells_.clear();
    throw ETessError("Operation could not be completed due to low system resources.");
  }
  width_ = width;
  height_ = height;
}

void TMaskRaster::Clear() { std::fill(cells_.begin(), cells_.end(), uint8_t{0}); }

void TMaskRaster::FillRowSpan(int y, int x0, int x1) {
  if (y < 0 || y >= height_) return;
  x0 = std::max(x0, 0);
  x1 = std::min(x1, width_ - 1);
  if (x0 > x1) return;
  std::memset(&cells_[Index(x0, y)], kEdge, static_cast<size_t>(x1 - x0 + 1));
}

void TMaskRaster::FillRect(const TCellRect& rect) {
  if (rect.Empty()) return;
  for (int y = std::max(rect.y, 0); y < std::min(rect.Bottom(), height_); ++y) FillRowSpan(y, rect.x, rect.Right() - 1);
}

void TMaskRaster::FillEllipse(const TCellRect& rect) {
  if (rect.Empty()) return;
  // In quarter cells from the centre, cell i of a row lies at u = 2 (2i + 1 - W) and row j at
  // v = 2 (2j + 1 - H); the ellipse's half axes are a quarter cell short of the rectangle's, so a
  // cell is inside when u^2 B^2 + v^2 A^2 <= A^2 B^2 with A = 2W - 1 and B = 2H - 1. The middle
  // row(s) always span the whole width and every row holds at least its middle cell(s), so the
  // ellipse touches all four sides of its rectangle.
  const int64_t w = rect.width, h = rect.height, a = 2 * w - 1, b = 2 * h - 1;
  auto inside = [&](int64_t i, int64_t v) {
    const int64_t u = 2 * (2 * i + 1 - w);
    return u * u * b * b + v * v * a * a <= a * a * b * b;
  };
  const int64_t middle = (w - 1) / 2;
  for (int y = std::max(rect.y, 0); y < std::min(rect.Bottom(), height_); ++y) {
    const int64_t j = y - rect.y;
    const int64_t v = 2 * (2 * j + 1 - h);
    int64_t i = 0;
    if (j != (h - 1) / 2 && j != h / 2) {
      // The first cell of the row that is inside: an estimate, then settled exactly.
      const double reach = double(a) * std::sqrt(std::max(0.0, 1.0 - double(v * v) / double(b * b)));
      i = std::clamp<int64_t>(static_cast<int64_t>(std::ceil((2.0 * double(w) - 2.0 - reach) / 4.0)), 0, middle);
      while (i > 0 && inside(i - 1, v)) --i;
      while (i < middle && !inside(i, v)) ++i;
    }
    FillRowSpan(y, rect.x + static_cast<int>(i), rect.x + static_cast<int>(w - 1 - i));
  }
}

TCellRect WrappedArea(const TCellRect& area, int width, int height) {
  if (area.Empty() || width <= 0 || height <= 0) return {};
  TCellRect r = area;
  if (r.width >= width) {
    r.x = 0;
    r.width = width;
  } else {
    r.x = WrapCoordinate(r.x, width);
  }
  if (r.height >= height) {
    r.y = 0;
    r.height = height;
  } else {
    r.y = WrapCoordinate(r.y, height);
  }
  return r;
}

void TMaskRaster::Classify(const TCellRect& area) {
  const TCellRect a = WrappedArea(area, width_, height_);
  for (int j = 0; j < a.height; ++j) {
    const int y = (a.y + j) % height_;
    const int up = (y + height_ - 1) % height_, down = (y + 1) % height_;
    for (int i = 0; i < a.width; ++i) {
      const int x = (a.x + i) % width_;
      uint8_t& cell = cells_[Index(x, y)];
      if (!cell) continue;
      const int left = (x + width_ - 1) % width_, right = (x + 1) % width_;
      const bool interior = cells_[Index(left, up)] && cells_[Index(x, up)] && cells_[Index(right, up)] &&
                            cells_[Index(left, y)] && cells_[Index(right, y)] && cells_[Index(left, down)] &&
                            cells_[Index(x, down)] && cells_[Index(right, down)];
      cell = interior ? kInterior : kEdge;
    }
  }
}

void TMaskRaster::KeepConnected(int x, int y) {
  constexpr uint8_t kReached = 3;
  if (!At(x, y)) {
    Clear();
    return;
  }
  // An explicit stack of row spans: no recursion, so no depth limit on large maps.
  std::vector<std::pair<int, int>> pending{{x, y}};
  while (!pending.empty()) {
    auto [px, py] = pending.back();
    pending.pop_back();
    uint8_t* row = &cells_[Index(0, py)];
    if (row[px] == 0 || row[px] == kReached) continue;
    int l = px, r = px;
    while (l > 0 && row[l - 1] != 0 && row[l - 1] != kReached) --l;
    while (r + 1 < width_ && row[r + 1] != 0 && row[r + 1] != kReached) ++r;
    std::memset(row + l, kReached, static_cast<size_t>(r - l + 1));
    for (int ny : {py - 1, py + 1}) {
      if (ny < 0 || ny >= height_) continue;
      const uint8_t* next = &cells_[Index(0, ny)];
      for (int i = l; i <= r; ++i)
        if (next[i] != 0 && next[i] != kReached && (i == l || next[i - 1] == 0 || next[i - 1] == kReached))
          pending.emplace_back(i, ny);
    }
  }
  for (uint8_t& c : cells_) c = c == kReached ? kEdge : 0;
}

int TMaskRaster::CountMarked() const {
  return static_cast<int>(std::count_if(cells_.begin(), cells_.end(), [](uint8_t c) { return c != 0; }));
}

}  // namespace tess
