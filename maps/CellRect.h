#pragma once
// Cells and rectangles of cells on a map: column x and row y from 0 at the top-left.

#include <algorithm>
#include <cstdlib>

namespace tess {

struct TCellPoint {
  int x = 0;
  int y = 0;
  bool operator==(const TCellPoint&) const = default;
  TCellPoint operator-(const TCellPoint& o) const { return {x - o.x, y - o.y}; }
  TCellPoint operator+(const TCellPoint& o) const { return {x + o.x, y + o.y}; }
};

// A rectangle of width x height cells with its top-left cell at (x, y); empty when either side
// has no length.
struct TCellRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  bool operator==(const TCellRect&) const = default;
  bool Empty() const { return width <= 0 || height <= 0; }
  int Right() const { return x + width; }  // one past the last column
  int Bottom() const { return y + height; }
  bool Contains(int cx, int cy) const { return !Empty() && cx >= x && cy >= y && cx < Right() && cy < Bottom(); }
  TCellPoint TopLeft() const { return {x, y}; }

  // The rectangle that spans two cells, both included, in any order.
  static TCellRect Spanning(TCellPoint a, TCellPoint b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::abs(a.x - b.x) + 1, std::abs(a.y - b.y) + 1};
  }
  TCellRect Grown(int n) const { return {x - n, y - n, width + 2 * n, height + 2 * n}; }
  TCellRect Moved(int dx, int dy) const { return {x + dx, y + dy, width, height}; }
  TCellRect United(const TCellRect& o) const {
    if (Empty()) return o;
    if (o.Empty()) return *this;
    int l = std::min(x, o.x), t = std::min(y, o.y);
    return {l, t, std::max(Right(), o.Right()) - l, std::max(Bottom(), o.Bottom()) - t};
  }
  TCellRect Intersected(const TCellRect& o) const {
    int l = std::max(x, o.x), t = std::max(y, o.y);
    int r = std::min(Right(), o.Right()), b = std::min(Bottom(), o.Bottom());
    if (r <= l || b <= t) return {};
    return {l, t, r - l, b - t};
  }
};

}  // namespace tess
