#include <gtest/gtest.h>

#include <string>

#include "maps/MaskRaster.h"

using namespace tess;

namespace {

std::string Rows(const TMaskRaster& m) {
  std::string s;
  for (int y = 0; y < m.Height(); ++y) {
    if (y) s += '/';
    for (int x = 0; x < m.Width(); ++x) s += static_cast<char>('0' + m.At(x, y));
  }
  return s;
}

}  // namespace

TEST(MaskRaster, EllipseIsInscribedAndSymmetric) {
  TMaskRaster m;
  m.SetSize(7, 7);
  m.FillEllipse({1, 1, 5, 5});
  EXPECT_EQ(Rows(m), "0000000/0011100/0111110/0111110/0111110/0011100/0000000");
  for (int w = 3; w <= 40; w += 3)
    for (int h = 3; h <= 31; h += 4) {
      TMaskRaster e;
      e.SetSize(w, h);
      e.FillEllipse({0, 0, w, h});
      bool touchesLeft = false, touchesTop = false;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          ASSERT_EQ(e.At(x, y), e.At(w - 1 - x, y)) << w << "x" << h;
          ASSERT_EQ(e.At(x, y), e.At(x, h - 1 - y)) << w << "x" << h;
          touchesLeft |= e.At(0, y) != 0;
          touchesTop |= e.At(x, 0) != 0;
        }
      EXPECT_TRUE(touchesLeft && touchesTop) << w << "x" << h;
      EXPECT_EQ(e.At(0, 0), 0) << w << "x" << h;
    }
  // Partly outside the raster: the marks inside stay, the rest are dropped.
  m.Clear();
  m.FillEllipse({-3, -3, 7, 7});
  EXPECT_EQ(m.At(0, 0), 1);
  EXPECT_EQ(m.At(4, 0), 0);
}

TEST(MaskRaster, ClassifyWrapsRoundTheEdges) {
  TMaskRaster m;
  m.SetSize(5, 4);
  m.FillRect({0, 0, 5, 3});
  m.Classify({0, 0, 5, 4});
  // Row 0 sees the unmarked last row above it, wrapping; row 1 is inside; row 2 sees row 3 below.
  EXPECT_EQ(Rows(m), "11111/22222/11111/00000");
}

TEST(MaskRaster, KeepConnectedFollowsFourNeighboursOnly) {
  TMaskRaster m;
  m.SetSize(6, 4);
  for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {1, 1}, {1, 2}, {2, 2}, {3, 3}, {5, 0}, {0, 3}}) m.Mark(x, y);
  m.KeepConnected(1, 1);
  EXPECT_EQ(Rows(m), "110000/010000/011000/000000");
  m.KeepConnected(5, 3);  // an unmarked start keeps nothing
  EXPECT_EQ(m.CountMarked(), 0);
}

TEST(MaskRaster, KeepConnectedOnASerpentine) {
  // A winding one-cell path over a large raster: the fill needs no recursion.
  TMaskRaster m;
  m.SetSize(400, 400);
  for (int y = 0; y < 400; y += 2) {
    m.FillRect({0, y, 400, 1});
    m.Mark((y / 2) % 2 ? 0 : 399, y + 1);
  }
  m.KeepConnected(0, 0);
  EXPECT_EQ(m.CountMarked(), 200 * 400 + 200);
}
