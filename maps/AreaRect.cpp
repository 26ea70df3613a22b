#include "maps/AreaRect.h"

#include <algorithm>
#include <cstdio>

namespace tess {

TCellRect AreaRectOf(const int32_t (&rect)[4]) { return {rect[0], rect[1], rect[2] - rect[0], rect[3] - rect[1]}; }

void SetAreaRect(int32_t (&rect)[4], const TCellRect& cells) {
  rect[0] = cells.x;
  rect[1] = cells.y;
  rect[2] = cells.Right();
  rect[3] = cells.Bottom();
}

std::string AreaRectText(const TCellRect& cells) {
  if (cells.Empty()) return {};
  char text[64];
  std::snprintf(text, sizeof text, "(%.3d,%.3d) - (%.3d,%.3d)", cells.x, cells.y, cells.Right() - 1,
                cells.Bottom() - 1);
  return text;
}

TCellRect RectBetweenCorners(TCellPoint a, TCellPoint b, int width, int height) {
  const int x0 = std::clamp(a.x, 0, width), x1 = std::clamp(b.x, 0, width);
  const int y0 = std::clamp(a.y, 0, height), y1 = std::clamp(b.y, 0, height);
  const TCellRect r{std::min(x0, x1), std::min(y0, y1), std::abs(x1 - x0), std::abs(y1 - y0)};
  return r.Empty() ? TCellRect{} : r;
}

TCellRect ClampAreaRect(const TCellRect& cells, int width, int height) {
  return RectBetweenCorners({cells.x, cells.y}, {cells.Right(), cells.Bottom()}, width, height);
}

TCellPoint AreaCentreScroll(const TCellRect& cells, int clientWidth, int clientHeight) {
  return {(cells.x + cells.Right()) * 16 - clientWidth / 2, (cells.y + cells.Bottom()) * 16 - clientHeight / 2};
}

}  // namespace tess
