#include <gtest/gtest.h>

#include <functional>

#include "media/CorvidSheet.h"
#include "media/MediaTestUtil.h"
#include "media/PictureFile.h"

using namespace tess;
using namespace tess::test;

namespace {

// One palette entry through the colour pipeline of a sheet set up by the given function.
uint16_t Pipeline(TPaletteEntry entry, const std::function<void(TCorvidSheet&)>& setup) {
  TCorvidSheet s;
  s.palette[7] = entry;
  setup(s);
  s.UpdatePalette16();
  return s.palette16[7];
}

TEST(CorvidSheet, ColourPipelineGoldens) {
  // Expected values worked out by hand from the rules; r, g, b are 5, 6 and 5 bits.
  const TPaletteEntry orange{255, 128, 64, 0};  // r 31, g 32, b 8, grey 19
  struct TCase {
    const char* name;
    TPaletteEntry entry;
    std::function<void(TCorvidSheet&)> setup;
    uint16_t want;
  } cases[] = {
      {"unchanged", orange, [](TCorvidSheet&) {}, 31 * 2048 + 32 * 32 + 8},
      {"red 150 + 150 is clamped to 200", TPaletteEntry{8, 128, 64, 0},
       [](TCorvidSheet& s) {
         s.adjust1.redPercent = 150;
         s.adjust2.redPercent = 150;
       },
       31 * 2048 + 32 * 32 + 8},
      {"saturation 0 is grey", orange, [](TCorvidSheet& s) { s.adjust1.saturationPercent = 0; },
       19 * 2048 + 38 * 32 + 19},
      {"saturation 200 pushes away from grey and clamps", orange,
       [](TCorvidSheet& s) { s.adjust2.saturationPercent = 200; }, 31 * 2048 + 20 * 32 + 0},
      {"saturation 150", orange, [](TCorvidSheet& s) { s.adjust1.saturationPercent = 150; }, 31 * 2048 + 26 * 32 + 0},
      {"green 50, blue 150", orange,
       [](TCorvidSheet& s) {
         s.adjust1.greenPercent = 50;
         s.adjust1.bluePercent = 150;
       },
       31 * 2048 + 16 * 32 + 19},
      {"blend of adjust1 then adjust2", orange,
       [](TCorvidSheet& s) {
         s.adjust1.SetBlend(31, 0, 0, 16, false);
         s.adjust2.SetBlend(0, 31, 0, 8, false);
       },
       23 * 2048 + 27 * 32 + 3},
      {"brightness 50", orange, [](TCorvidSheet& s) { s.brightness = 50; }, 15 * 2048 + 16 * 32 + 4},
      {"brightness 150", orange, [](TCorvidSheet& s) { s.brightness = 150; }, 31 * 2048 + 47 * 32 + 19},
      {"every step", TPaletteEntry{200, 100, 50, 0},
       [](TCorvidSheet& s) {
         s.adjust1.SetColor(80, 100, 100, 50, false);
         s.adjust2.SetBlend(0, 0, 31, 4, false);
         s.brightness = 120;
       },
       17 * 2048 + 31 * 32 + 15},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Pipeline(c.entry, c.setup), c.want);
  }
}

TEST(CorvidSheet, SettersRecomputeOnlyOnChange) {
  TCorvidSheet s;
  s.palette[1] = TPaletteEntry{255, 255, 255, 0};
  s.adjust1.SetColor(100, 100, 100, 100, true);  // values it already holds
  s.adjust1.ResetColor(true);
  s.adjust2.SetBlend(0, 0, 0, 0, true);
  EXPECT_EQ(s.palette16[1], 0);
  s.adjust1.SetColor(90, 100, 100, 100, false);  // stored without recomputing
  EXPECT_EQ(s.adjust1.redPercent, 90);
  EXPECT_EQ(s.palette16[1], 0);
  s.adjust1.SetColorAndBlend(100, 100, 100, 100, 0, 0, 0, 0, true);
  EXPECT_EQ(s.palette16[1], 0xFFFF);
}

TEST(CorvidSheet, RotateHue) {
  TCorvidSheet s;
  s.palette[0] = TPaletteEntry{10, 20, 30, 5};
  s.palette[1] = TPaletteEntry{255, 0, 0, 9};
  s.palette[2] = TPaletteEntry{200, 100, 50, 0};
  s.palette[3] = TPaletteEntry{201, 99, 50, 0};  // changes on a trip through the hue model
  s.palette[4] = TPaletteEntry{90, 90, 90, 0};
  s.RotateHue(0);
  EXPECT_EQ(s.palette[3], (TPaletteEntry{201, 99, 50, 0}));
  EXPECT_EQ(s.palette16[1], 0xF800);  // palette16 was recomputed
  s.RotateHue(120);
  EXPECT_EQ(s.palette[0], (TPaletteEntry{10, 20, 30, 5}));
  EXPECT_EQ(s.palette[1], (TPaletteEntry{0, 255, 0, 0}));
  EXPECT_EQ(s.palette[4], (TPaletteEntry{90, 90, 90, 0}));
  EXPECT_EQ(s.palette16[1], 0x07E0);
  TCorvidSheet t;
  t.palette[2] = TPaletteEntry{200, 100, 50, 0};  // hue 20, saturation 191
  t.RotateHue(90);
  EXPECT_EQ(t.palette[2], (TPaletteEntry{75, 200, 50, 0}));
  TCorvidSheet u;
  u.palette[3] = TPaletteEntry{201, 99, 50, 0};
  u.RotateHue(360);  // a full turn goes through the hue model, unlike 0
  EXPECT_EQ(u.palette[3], (TPaletteEntry{201, 98, 50, 0}));
}

// A sheet whose index i shows as RGB565 value i, with pixel (x, y) = first + y * width + x.
void Numbered(TCorvidSheet& s, int w, int h, int first = 1) {
  s.SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.Row(y)[x] = static_cast<uint8_t>(first + y * w + x);
  for (int i = 0; i < 256; ++i) s.palette16[i] = static_cast<uint16_t>(i);
}

std::vector<std::vector<int>> Pixels(const TCorvidBoard& b) {
  std::vector<std::vector<int>> out;
  for (int y = 0; y < b.Height(); ++y) out.emplace_back(b.Row(y), b.Row(y) + b.Width());
  return out;
}

TEST(CorvidBoard, SizeStrideAndClearing) {
  TCorvidBoard b;
  b.SetSize(3, 2);
  EXPECT_EQ(b.Stride(), 8);  // rows start on 4-byte boundaries
  EXPECT_EQ(reinterpret_cast<uint8_t*>(b.Row(1)) - reinterpret_cast<uint8_t*>(b.Row(0)), 8);
  b.Fill(0x1234);
  b.SetSize(3, 2);
  EXPECT_EQ(Pixels(b), (std::vector<std::vector<int>>{{0, 0, 0}, {0, 0, 0}}));
  b.FillRect({-5, 1, 2, 9}, 7);
  EXPECT_EQ(Pixels(b), (std::vector<std::vector<int>>{{0, 0, 0}, {7, 7, 0}}));
}

TEST(CorvidBoard, DrawSheetTransparencyAndOpacity) {
  TCorvidSheet s;
  s.SetSize(2, 1);
  s.Row(0)[1] = 1;
  s.palette[0] = TPaletteEntry{255, 0, 0, 0};
  s.palette[1] = TPaletteEntry{0, 255, 0, 0};
  s.UpdatePalette16();
  TCorvidBoard b;
  b.SetSize(2, 1);
  struct TCase {
    bool transparent;
    int opacity;
    uint16_t background;
    std::vector<int> want;
  } cases[] = {
      {true, 255, 0x1234, {0x1234, 0x07E0}},
      {false, 255, 0x1234, {0xF800, 0x07E0}},
      // Opacity 0 still mixes 1/256 of the source in, which rounds away in 5 and 6 bits.
      {false, 0, 0x001F, {0x001F, 0x001F}},
      // Red over blue at opacity 64: red (31 * 65) >> 8 = 7, blue (31 * 192) >> 8 = 23.
      {false, 64, 0x001F, {7 << 11 | 23, 15 << 5 | 23}},
      {true, 128, 0xFFFF, {0xFFFF, 15 << 11 | 63 << 5 | 15}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.transparent << " " << c.opacity);
    s.transparent = c.transparent;
    s.opacity = c.opacity;
    b.Fill(c.background);
    b.DrawSheet(0, 0, s.BoundsRect(), s);
    EXPECT_EQ(Pixels(b)[0], c.want);
  }
}

TEST(CorvidBoard, DrawSheetClipsOnBothSides) {
  TCorvidSheet s;
  Numbered(s, 4, 4);
  TCorvidBoard b;
  b.SetSize(5, 4);
  // A source rectangle starting left of and above the sheet draws only the sheet's part, shifted.
  b.DrawSheet(1, 0, {-1, -2, 3, 4}, s);
  EXPECT_EQ(Pixels(b),
            (std::vector<std::vector<int>>{{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 0, 1, 2, 3}, {0, 0, 5, 6, 7}}));
  b.Clear();
  b.DrawSheet(-2, 3, s.BoundsRect(), s);  // off the left and bottom edges
  EXPECT_EQ(Pixels(b)[3], (std::vector<int>{3, 4, 0, 0, 0}));
  b.Clear();
  b.DrawSheet(0, 0, {2, 2, 1, 4}, s);  // inverted rectangle draws nothing
  b.DrawSheet(5, 0, s.BoundsRect(), s);
  b.DrawSheet(0, 0, {4, 0, 8, 4}, s);
  EXPECT_EQ(Pixels(b), (std::vector<std::vector<int>>(4, std::vector<int>(5, 0))));
}

TEST(CorvidBoard, DrawSheetTakesTheBoardsBrightness) {
  TCorvidSheet s;
  s.SetSize(1, 1);
  s.palette[0] = TPaletteEntry{255, 255, 255, 0};
  s.UpdatePalette16();
  TCorvidBoard b;
  b.SetSize(1, 1);
  b.brightness = 50;
  b.DrawSheet(0, 0, s.BoundsRect(), s);
  EXPECT_EQ(s.brightness, 50);
  EXPECT_EQ(b.Row(0)[0], 15 << 11 | 31 << 5 | 15);
}

TEST(CorvidBoard, StretchSheetMapsEveryBoardPixel) {
  TCorvidSheet s;
  Numbered(s, 2, 2);
  TCorvidBoard b;
  b.SetSize(4, 4);
  b.StretchSheet({0, 0, 4, 4}, s, s.BoundsRect());
  EXPECT_EQ(Pixels(b), (std::vector<std::vector<int>>{{1, 1, 2, 2}, {1, 1, 2, 2}, {3, 3, 4, 4}, {3, 3, 4, 4}}));

  // Shrinking 6 columns to 4 takes columns 0, 1, 3, 4.
  TCorvidSheet wide;
  Numbered(wide, 6, 1);
  b.Clear();
  b.StretchSheet({0, 0, 4, 1}, wide, wide.BoundsRect());
  EXPECT_EQ(Pixels(b)[0], (std::vector<int>{1, 2, 4, 5}));

  // Partly off the board, or with a source partly outside the sheet, the visible pixels are those
  // of the whole drawing.
  TCorvidSheet big;
  Numbered(big, 5, 3);
  TCorvidBoard whole, part;
  whole.SetSize(15, 9);
  whole.StretchSheet({0, 0, 15, 9}, big, big.BoundsRect());
  part.SetSize(15, 9);
  part.StretchSheet({-4, -2, 11, 7}, big, big.BoundsRect());
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 11; ++x) ASSERT_EQ(part.Row(y)[x], whole.Row(y + 2)[x + 4]) << x << "," << y;
  part.Clear();
  part.StretchSheet({0, 0, 21, 9}, big, {-2, 0, 5, 3});  // two columns left of the sheet
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 6; ++x) ASSERT_EQ(part.Row(y)[x], 0);
    for (int x = 6; x < 15; ++x) ASSERT_EQ(part.Row(y)[x], whole.Row(y)[x - 6]) << x << "," << y;
  }

  // The same size is a plain draw, with its transparency.
  big.transparent = true;
  big.Row(0)[0] = 0;
  whole.Fill(9);
  whole.StretchSheet({1, 1, 6, 4}, big, big.BoundsRect());
  EXPECT_EQ(whole.Row(1)[1], 9);
  EXPECT_EQ(whole.Row(1)[2], 2);
}

TEST(CorvidBoard, DrawSheetZoomedRoundsHalvesToEven) {
  TCorvidSheet s;
  Numbered(s, 2, 2);
  TCorvidBoard b;
  b.SetSize(10, 3);
  b.DrawSheetZoomed(2.5, 1, s.BoundsRect(), s, 1, 1, 1);  // left 1.5 -> 2
  b.DrawSheetZoomed(6.5, 1, s.BoundsRect(), s, 1, 1, 1);  // left 5.5 -> 6
  EXPECT_EQ(Pixels(b)[0], (std::vector<int>{0, 0, 1, 2, 0, 0, 1, 2, 0, 0}));
  b.Clear();
  // Zoom 2 with half width 1.25: from round(2.5) = 2 to round(7.5) = 8, six columns.
  b.DrawSheetZoomed(5, 1, s.BoundsRect(), s, 1.25, 0.5, 2);
  EXPECT_EQ(Pixels(b)[0], (std::vector<int>{0, 0, 1, 1, 1, 2, 2, 2, 0, 0}));
}

TEST(CorvidBoard, CopyBoardWithinOneBoard) {
  TCorvidBoard b;
  b.SetSize(3, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) b.Row(y)[x] = static_cast<uint16_t>(y * 3 + x + 1);
  b.CopyBoard(1, 1, {0, 0, 3, 3}, b);
  EXPECT_EQ(Pixels(b), (std::vector<std::vector<int>>{{1, 2, 3}, {4, 1, 2}, {7, 4, 5}}));
}

TEST(CorvidSheet, CopyAndCompareBlocks) {
  TCorvidSheet src;
  Numbered(src, 3, 2, 0);  // 0 1 2 / 3 4 5
  TCorvidSheet dst;
  dst.SetSize(4, 3);
  std::fill(dst.Pixels(), dst.Pixels() + 12, 9);
  src.transparent = true;
  dst.CopySheet(2, -1, src.BoundsRect(), src);  // clipped right and top; index 0 skipped
  EXPECT_EQ(std::vector<int>(dst.Pixels(), dst.Pixels() + 12), (std::vector<int>{9, 9, 3, 4, 9, 9, 9, 9, 9, 9, 9, 9}));
  src.transparent = false;
  dst.CopySheet(0, 1, src.BoundsRect(), src);
  EXPECT_EQ(std::vector<int>(dst.Pixels(), dst.Pixels() + 12), (std::vector<int>{9, 9, 3, 4, 0, 1, 2, 9, 3, 4, 5, 9}));

  EXPECT_TRUE(dst.SameBlock({0, 2, 2, 3}, {2, 0, 4, 1}));  // 3 4 and 3 4
  EXPECT_FALSE(dst.SameBlock({0, 2, 2, 3}, {1, 1, 3, 2}));
  EXPECT_FALSE(dst.SameBlock({0, 0, 2, 1}, {0, 0, 3, 1}));
  EXPECT_TRUE(dst.SameBlock({0, 0, 2, 0}, {1, 1, 3, 1}));
  EXPECT_FALSE(dst.SameBlock({3, 0, 5, 1}, {0, 0, 2, 1}));  // reaches past the sheet
  EXPECT_TRUE(dst.IsBlank({0, 1, 1, 2}));
  EXPECT_FALSE(dst.IsBlank({0, 1, 2, 2}));
  EXPECT_TRUE(dst.IsSolid({1, 0, 4, 1}));
  EXPECT_FALSE(dst.IsSolid(dst.BoundsRect()));
  EXPECT_TRUE(dst.IsBlank({2, 2, 2, 5}));
  EXPECT_TRUE(dst.IsSolid({}));

  dst.MirrorRows();
  EXPECT_EQ(std::vector<int>(dst.Pixels(), dst.Pixels() + 12), (std::vector<int>{4, 3, 9, 9, 9, 2, 1, 0, 9, 5, 4, 3}));
}

TEST(CorvidSheet, LoadsEightBitPictures) {
  TBitmap pic = PatternIndexed(32, 32, 200);
  TCorvidSheet s;
  s.SetSize(16, 16);
  s.LoadFromBitmap(pic, {4, 20});  // only 12 rows remain below the origin
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(s.Row(y)[x], y < 12 ? pic.Row(20 + y)[4 + x] : 0) << x << "," << y;
  EXPECT_EQ(s.palette[199], (TPaletteEntry{199, 56, static_cast<uint8_t>(199 * 37), 0}));
  EXPECT_EQ(s.palette[200], TPaletteEntry{});
  EXPECT_EQ(s.palette16[199], Rgb565(199, 56, 199 * 37 & 255));

  s.autoSize = true;
  s.LoadFromBitmap(pic);
  EXPECT_EQ(s.Width(), 32);
  EXPECT_TRUE(std::equal(s.Pixels(), s.Pixels() + 32 * 32, pic.Bits()));

  TBitmap four = pic;
  four.SetBitsPerPixel(4);
  try {
    s.LoadFromBitmap(four);
    ADD_FAILURE() << "loaded";
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "Invalid image format.");
  }
  EXPECT_THROW(s.LoadFromBitmap(PatternRgb(2, 2)), EInvalidGraphic);
}

TEST(CorvidSheet, LoadFromFilePassesOrSwallowsErrors) {
  TCorvidSheet s;
  s.autoSize = true;
  SavePictureFile(PatternIndexed(8, 4), Scratch("sheet.png"));
  s.LoadFromFile(Scratch("sheet.png"), true);
  EXPECT_EQ(s.Width(), 8);
  EXPECT_NE(s.palette[3], TPaletteEntry{});

  s.LoadFromFile("", true);  // clears and raises nothing
  EXPECT_EQ(s.Width(), 8);
  EXPECT_TRUE(s.IsBlank(s.BoundsRect()));
  EXPECT_EQ(s.palette[3], TPaletteEntry{});

  SavePictureFile(PatternRgb(8, 4), Scratch("deep.png"));
  s.LoadFromFile(Scratch("sheet.png"), true);
  EXPECT_NO_THROW(s.LoadFromFile(Scratch("deep.png"), false));
  EXPECT_TRUE(s.IsBlank(s.BoundsRect()));
  EXPECT_NO_THROW(s.LoadFromFile(Scratch("nothing-here.png"), false));
  EXPECT_THROW(s.LoadFromFile(Scratch("deep.png"), true), EInvalidGraphic);
  EXPECT_THROW(s.LoadFromFile(Scratch("nothing-here.png"), true), EFileError);
}

}  // namespace
