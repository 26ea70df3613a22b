#pragma once
// Points and rectangles in pixels. A rectangle includes its left and top edges and excludes its
// right and bottom ones, so its width is right - left.

#include <algorithm>

namespace tess {

struct TPoint {
  int x = 0, y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Bounds(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

// The part of a that lies inside b (empty, possibly with right < left, when they do not meet).
inline TRect Intersect(const TRect& a, const TRect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

}  // namespace tess
