#include <gtest/gtest.h>

#include "tools/rtpgen/IndexedCanvas.h"

using namespace tess::rtp;

namespace {
int Count(const TIndexedCanvas& c, uint8_t index) {
  int n = 0;
  for (uint8_t p : c.Pixels()) n += p == index;
  return n;
}
}  // namespace

TEST(Canvas, PrimitivesPaintExactlyTheirPixelsAndClipAtTheEdges) {
  struct TCase {
    const char* what;
    void (*draw)(TIndexedCanvas&);
    int painted;
  };
  const TCase cases[] = {
      {"rect inside", [](TIndexedCanvas& c) { c.FillRect(2, 3, 4, 5, 7); }, 20},
      {"rect clipped on all sides", [](TIndexedCanvas& c) { c.FillRect(-3, -3, 100, 100, 7); }, 16 * 12},
      {"rect of no width", [](TIndexedCanvas& c) { c.FillRect(2, 2, 0, 5, 7); }, 0},
      {"frame", [](TIndexedCanvas& c) { c.FrameRect(1, 1, 4, 3, 7); }, 10},
      {"shallow line", [](TIndexedCanvas& c) { c.Line(0, 0, 5, 2, 7); }, 6},
      {"line leaving the canvas", [](TIndexedCanvas& c) { c.Line(10, 5, 30, 5, 7); }, 6},
      {"single-pixel line", [](TIndexedCanvas& c) { c.Line(3, 3, 3, 3, 7); }, 1},
      {"circle of radius 2", [](TIndexedCanvas& c) { c.FillCircle(5, 5, 2, 7); }, 21},
      {"triangle",
       [](TIndexedCanvas& c) {
         c.FillPolygon({{0, 0}, {4, 0}, {0, 4}}, 7);
       },
       10},
      {"letter I", [](TIndexedCanvas& c) { c.Text(0, 0, "I", 7); }, 11},
      {"unknown letters draw nothing", [](TIndexedCanvas& c) { c.Text(0, 0, "~~", 7); }, 0},
  };
  for (const auto& tc : cases) {
    TIndexedCanvas c(16, 12);
    tc.draw(c);
    EXPECT_EQ(Count(c, 7), tc.painted) << tc.what;
  }
}

TEST(Canvas, EllipseIsSymmetricAndOutlineTouchesOnlyEmptyNeighbours) {
  TIndexedCanvas c(20, 20);
  c.FillEllipse(3, 4, 13, 9, 5);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      EXPECT_EQ(c.At(x, y), c.At(3 + 15 - x, y)) << x << "," << y;  // left-right
      EXPECT_EQ(c.At(x, y), c.At(x, 4 + 12 - y)) << x << "," << y;  // top-bottom
    }
  int filled = Count(c, 5);
  c.Outline({0, 0, 20, 20}, 9);
  EXPECT_EQ(Count(c, 5), filled);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x)
      if (c.At(x, y) == 9) {
        bool touches = c.At(x - 1, y) == 5 || c.At(x + 1, y) == 5 || c.At(x, y - 1) == 5 || c.At(x, y + 1) == 5;
        EXPECT_TRUE(touches) << x << "," << y;
      }
}

TEST(Canvas, BlitMirrorAndComparisons) {
  TIndexedCanvas src(4, 2);
  src.Set(0, 0, 1);
  src.Set(3, 1, 2);
  TIndexedCanvas dst(6, 4, 9);
  dst.Blit(src, 1, 1, true);
  EXPECT_EQ(dst.At(1, 1), 1);
  EXPECT_EQ(dst.At(2, 1), 9);  // a 0 of the source leaves the destination
  EXPECT_EQ(dst.At(4, 2), 2);
  dst.Blit(src, 1, 1, false);
  EXPECT_EQ(dst.At(2, 1), 0);
  dst.MirrorRect({1, 1, 4, 2});
  EXPECT_EQ(dst.At(4, 1), 1);
  EXPECT_EQ(dst.At(1, 2), 2);
  EXPECT_TRUE(dst.IsBlank({2, 1, 2, 1}));
  EXPECT_FALSE(dst.IsSolid({0, 0, 6, 4}));
  EXPECT_TRUE(dst.IsSolid({0, 0, 6, 1}));
  EXPECT_TRUE(dst.SameRect({0, 0, 2, 1}, {4, 0, 2, 1}));
  EXPECT_FALSE(dst.SameRect({0, 0, 2, 1}, {0, 0, 1, 1}));
  EXPECT_EQ(dst.At(-1, 0), 0);
  EXPECT_EQ(TIndexedCanvas::TextWidth("AB", 2), 22);
}
