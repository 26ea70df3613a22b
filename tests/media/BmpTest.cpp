#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/StreamUtils.h"
#include "media/BmpFile.h"
#include "media/MediaTestUtil.h"

using namespace tess;
using namespace tess::test;

namespace {

void WritePpm(const TBitmap& rgb, const std::string& path) {
  std::ofstream f(path, std::ios::binary);
  f << "P6\n" << rgb.Width() << " " << rgb.Height() << "\n255\n";
  for (int y = 0; y < rgb.Height(); ++y)
    for (int x = 0; x < rgb.Width(); ++x) {
      const TRgb c = rgb.Pixel(x, y);
      f.put(static_cast<char>(c.red)).put(static_cast<char>(c.green)).put(static_cast<char>(c.blue));
    }
}

// Reads the P6 picture a peer wrote.
TBitmap ReadPpm(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::string magic;
  int w = 0, h = 0, max = 0;
  f >> magic >> w >> h >> max;
  f.get();
  TBitmap b(w, h, TPixelFormat::Rgb24);
  f.read(reinterpret_cast<char*>(b.Bits()), static_cast<std::streamsize>(b.RowBytes() * h));
  return b;
}

// Compares colours pixel by pixel, within a tolerance per channel.
::testing::AssertionResult SameColours(const TBitmap& got, const TBitmap& want, int tolerance = 0) {
  if (got.Width() != want.Width() || got.Height() != want.Height())
    return ::testing::AssertionFailure() << "size " << got.Width() << "x" << got.Height();
  for (int y = 0; y < want.Height(); ++y)
    for (int x = 0; x < want.Width(); ++x) {
      const TRgb a = got.Pixel(x, y), b = want.Pixel(x, y);
      if (std::abs(a.red - b.red) > tolerance || std::abs(a.green - b.green) > tolerance ||
          std::abs(a.blue - b.blue) > tolerance)
        return ::testing::AssertionFailure()
               << "pixel (" << x << ", " << y << ") is " << int(a.red) << "," << int(a.green) << "," << int(a.blue)
               << ", want " << int(b.red) << "," << int(b.green) << "," << int(b.blue);
    }
  return ::testing::AssertionSuccess();
}

TBitmap ReadBmpFile(const std::string& path) {
  const Bytes data = ReadWholeFile(path);
  TBitmap b;
  DecodeBmp(b, data.data(), data.size());
  return b;
}

// The colours of a picture with few colours, as a 24-bit picture.
TBitmap Colours(const TBitmap& indexed) { return ConvertTo24Bit(indexed); }

TEST(BmpPeer, ReadsWhatImageMagickWrites) {
  if (!HaveProgram("convert")) GTEST_SKIP() << "ImageMagick's convert is not installed";
  const TBitmap sixteen = Colours(PatternIndexed(23, 11, 16));
  const TBitmap many = Colours(PatternIndexed(37, 19, 200));
  const TBitmap rgb = PatternRgb(29, 17);
  TBitmap mono(21, 9, TPixelFormat::Indexed8);
  mono.Palette() = {TRgb{0, 0, 0}, TRgb{255, 255, 255}};
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 21; ++x) mono.Row(y)[x] = (x * y + x / 3) & 1;
  struct TCase {
    const char* name;
    TBitmap source;
    const char* options;
    int depth, tolerance;
  } cases[] = {
      {"1-bit", Colours(mono), "-type bilevel BMP3:", 1, 0},
      {"4-bit", sixteen, "-type palette BMP3:", 4, 0},
      {"4-bit, long header", sixteen, "-type palette BMP:", 4, 0},
      {"8-bit", many, "-type palette BMP3:", 8, 0},
      {"8-bit RLE", many, "-type palette -compress RLE BMP3:", 8, 0},
      {"8-bit RLE of few colours", sixteen, "-colors 16 -type palette -compress RLE BMP3:", 8, 0},
      {"24-bit", rgb, "-type truecolor BMP3:", 24, 0},
      {"24-bit, long header", rgb, "-type truecolor BMP:", 24, 0},
      {"32-bit with masks", rgb, "-alpha set -type truecoloralpha BMP:", 32, 0},
      {"16-bit with masks", rgb, "-define bmp:subtype=RGB565 BMP:", 16, 8},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string src = Scratch("im-src.ppm"), out = Scratch("im.bmp");
    WritePpm(c.source, src);
    ASSERT_EQ(Shell("convert " + src + " " + c.options + out), 0);
    const TBitmap got = ReadBmpFile(out);
    EXPECT_EQ(got.BitsPerPixel(), c.depth);
    EXPECT_EQ(got.Format(), c.depth <= 8 ? TPixelFormat::Indexed8 : TPixelFormat::Rgb24);
    EXPECT_TRUE(SameColours(got, c.source, c.tolerance));
  }
}

TEST(BmpPeer, ReadsWhatPilWrites) {
  const std::string python = PythonWithPil();
  if (python.empty()) GTEST_SKIP() << "no python with PIL";
  const TBitmap indexed = PatternIndexed(31, 13, 256);
  const TBitmap rgb = PatternRgb(30, 14);
  const std::string idx = Scratch("pil.idx"), pal = Scratch("pil.pal"), ppm = Scratch("pil.ppm");
  WriteBytes(idx, Bytes(indexed.Bits(), indexed.Bits() + indexed.RowBytes() * indexed.Height()));
  Bytes palette;
  for (const TRgb& c : indexed.Palette()) palette.insert(palette.end(), {c.red, c.green, c.blue});
  WriteBytes(pal, palette);
  WritePpm(rgb, ppm);
  const std::string script =
      "from PIL import Image\n"
      "p = Image.frombytes('P', (31, 13), open('" +
      idx +
      "', 'rb').read())\n"
      "p.putpalette(open('" +
      pal +
      "', 'rb').read())\n"
      "p.save('" +
      Scratch("pil8.bmp") +
      "')\n"
      "m = Image.frombytes('L', (31, 13), open('" +
      idx +
      "', 'rb').read())\n"
      "m.point(lambda v: 255 if v & 1 else 0).convert('1', dither=Image.NONE).save('" +
      Scratch("pil1.bmp") +
      "')\n"
      "Image.open('" +
      ppm + "').save('" + Scratch("pil24.bmp") + "')\n";
  WriteBytes(Scratch("pil.py"), Bytes(script.begin(), script.end()));
  ASSERT_EQ(Shell(python + " " + Scratch("pil.py")), 0);

  TBitmap got = ReadBmpFile(Scratch("pil8.bmp"));
  EXPECT_EQ(got.BitsPerPixel(), 8);
  EXPECT_TRUE(SameColours(got, indexed));
  got = ReadBmpFile(Scratch("pil24.bmp"));
  EXPECT_EQ(got.BitsPerPixel(), 24);
  EXPECT_TRUE(SameColours(got, rgb));
  got = ReadBmpFile(Scratch("pil1.bmp"));
  EXPECT_EQ(got.BitsPerPixel(), 1);
  for (int y = 0; y < 13; ++y)
    for (int x = 0; x < 31; ++x) EXPECT_EQ(got.Pixel(x, y).red, indexed.Row(y)[x] & 1 ? 255 : 0);
}

TEST(BmpPeer, ImageMagickReadsWhatWeWrite) {
  if (!HaveProgram("convert")) GTEST_SKIP() << "ImageMagick's convert is not installed";
  for (const TBitmap& pic :
       {PatternIndexed(33, 7, 256), PatternIndexed(1, 3, 2), PatternRgb(35, 9), PatternRgb(2, 1)}) {
    SCOPED_TRACE(testing::Message() << pic.Width() << "x" << pic.Height());
    const Bytes bmp = EncodeBmp(pic);
    WriteBytes(Scratch("ours.bmp"), bmp);
    ASSERT_EQ(Shell("convert " + Scratch("ours.bmp") + " " + Scratch("ours.ppm")), 0);
    EXPECT_TRUE(SameColours(ReadPpm(Scratch("ours.ppm")), pic));
    TBitmap back;
    DecodeBmp(back, bmp.data(), bmp.size());
    EXPECT_TRUE(back == pic);
  }
}

// A BMP file around the given header fields, palette and pixel bytes.
Bytes Bmp(int32_t width, int32_t height, uint16_t bpp, uint32_t compression, const Bytes& palette, const Bytes& pixels,
          uint32_t clrUsed = 0) {
  Bytes out;
  TByteWriter w(out);
  w.WriteBytes("BM", 2);
  w.WriteU32(static_cast<uint32_t>(54 + palette.size() + pixels.size()));
  w.WriteU32(0);
  w.WriteU32(static_cast<uint32_t>(54 + palette.size()));
  w.WriteU32(40);
  w.WriteU32(static_cast<uint32_t>(width));
  w.WriteU32(static_cast<uint32_t>(height));
  w.WriteU16(1);
  w.WriteU16(bpp);
  w.WriteU32(compression);
  w.WriteU32(static_cast<uint32_t>(pixels.size()));
  w.WriteU32(0);
  w.WriteU32(0);
  w.WriteU32(clrUsed);
  w.WriteU32(0);
  w.WriteBytes(palette.data(), palette.size());
  w.WriteBytes(pixels.data(), pixels.size());
  return out;
}

// Rows of indices from the top, as text: one character per pixel, '0'..'9' and 'a'..'f'.
std::vector<std::string> Indices(const TBitmap& b) {
  std::vector<std::string> rows;
  for (int y = 0; y < b.Height(); ++y) {
    std::string r;
    for (int x = 0; x < b.Width(); ++x) r += "0123456789abcdef"[b.Row(y)[x] & 15];
    rows.push_back(r);
  }
  return rows;
}

TEST(BmpReader, DecodesRunLengthEscapes) {
  const Bytes palette(16 * 4, 0);
  // Rows bottom-up: a run, an odd absolute block (padded), end of line; a jump two right and one
  // up; a run past the right edge; end of line; one pixel and the end of the picture.
  const Bytes rle8 = {3, 1, 0, 3, 2, 3, 4, 0, 0, 0,  // bottom row: 1 1 1 2 3 4
                      0, 2, 2, 1,                    // skips the second row from the bottom
                      9, 5,                          // cut at the right edge
                      0, 0, 1, 6, 0, 1};             // top row: one pixel
  const Bytes file8 = Bmp(7, 4, 8, 1, palette, rle8, 16);
  TBitmap b;
  DecodeBmp(b, file8.data(), file8.size());
  EXPECT_EQ(Indices(b), (std::vector<std::string>{"6000000", "0055555", "0000000", "1112340"}));
  EXPECT_EQ(b.BitsPerPixel(), 8);

  // The same in four bits: runs alternate two indices, absolute blocks pack two per byte.
  const Bytes rle4 = {5, 0x12, 0, 3, 0x34, 0x50, 0, 0,  // row 2 (bottom): 1 2 1 2 1 3 4 5
                      0, 2,    1, 0,                    // jump right by one
                      4, 0xAB, 0, 0,                    // row 2 . a b a b
                      0, 1};
  const Bytes file = Bmp(8, 3, 4, 2, palette, rle4);
  DecodeBmp(b, file.data(), file.size());
  EXPECT_EQ(Indices(b), (std::vector<std::string>{"00000000", "0abab000", "12121345"}));
  EXPECT_EQ(b.BitsPerPixel(), 4);
  EXPECT_EQ(b.Palette().size(), 16u);
}

TEST(BmpReader, ReadsTopDownRowsAndTheShortHeader) {
  // 24-bit, negative height: the first row in the file is the top one.
  const Bytes pixels = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
  const Bytes top = Bmp(2, -2, 24, 0, {}, pixels);
  TBitmap b;
  DecodeBmp(b, top.data(), top.size());
  EXPECT_EQ(b.Pixel(0, 0), (TRgb{3, 2, 1}));
  EXPECT_EQ(b.Pixel(1, 1), (TRgb{12, 11, 10}));

  // The 12-byte header with three-byte palette entries.
  Bytes core;
  TByteWriter w(core);
  w.WriteBytes("BM", 2);
  w.WriteU32(0);
  w.WriteU32(0);
  w.WriteU32(14 + 12 + 6);
  w.WriteU32(12);
  w.WriteU16(3);
  w.WriteU16(2);
  w.WriteU16(1);
  w.WriteU16(1);
  w.WriteBytes("\x10\x20\x30\x40\x50\x60", 6);
  w.WriteBytes("\x40\0\0\0\xA0\0\0\0", 8);  // bottom row 010, top row 101
  DecodeBmp(b, core.data(), core.size());
  EXPECT_EQ(Indices(b), (std::vector<std::string>{"101", "010"}));
  EXPECT_EQ(b.Palette(), (std::vector<TRgb>{{0x30, 0x20, 0x10}, {0x60, 0x50, 0x40}}));
  EXPECT_EQ(b.BitsPerPixel(), 1);
}

TEST(BmpReader, DamagedFilesAreInvalidBitmaps) {
  const Bytes palette(8, 0);
  const Bytes good = Bmp(3, 2, 8, 0, palette, Bytes(8, 1), 2);
  TBitmap b;
  ASSERT_NO_THROW(DecodeBmp(b, good.data(), good.size()));
  Bytes badMagic = good;
  badMagic[0] = 'X';
  Bytes shortHeader = good;
  shortHeader[14] = 8;
  Bytes offBitsPastEnd = good;
  offBitsPastEnd[10] = 0xF0;
  Bytes cut = good;
  cut.resize(cut.size() - 5);
  const Bytes cases[] = {
      badMagic,
      shortHeader,
      offBitsPastEnd,
      cut,
      Bmp(0, 2, 8, 0, palette, Bytes(8, 1)),
      Bmp(3, 0, 8, 0, palette, Bytes(8, 1)),
      Bmp(3, 2, 3, 0, palette, Bytes(8, 1)),
      Bmp(3, 2, 8, 4, palette, Bytes(8, 1)),          // JPEG inside
      Bmp(3, 2, 24, 1, {}, Bytes(16, 1)),             // RLE8 needs 8 bits
      Bmp(3, 2, 16, 3, {}, Bytes(4, 0)),              // colour masks cut off
      Bmp(60000, 60000, 8, 0, palette, Bytes(8, 1)),  // more pixels than any picture
      Bmp(8000, 8000, 8, 1, palette, Bytes{0, 1}),    // RLE that cannot fill the picture
      Bmp(4, 2, 8, 1, palette, Bytes{2, 1, 0, 0}),    // RLE data end before the last row
      Bmp(4, 2, 8, 1, palette, Bytes{0, 5, 1, 2}),    // absolute block past the data
      Bmp(4, 2, 8, 1, palette, Bytes{0, 2, 1}),       // jump without its offsets
  };
  int i = 0;
  for (const Bytes& c : cases) {
    SCOPED_TRACE(i++);
    try {
      DecodeBmp(b, c.data(), c.size());
      ADD_FAILURE() << "read without complaint";
    } catch (const EInvalidGraphic& e) {
      EXPECT_STREQ(e.what(), "Invalid bitmap image.");
    }
  }
}

TEST(BmpWriter, WritesEightAndTwentyFourBitsBottomUp) {
  TBitmap pic(3, 2, TPixelFormat::Indexed8);
  pic.Palette() = {TRgb{1, 2, 3}, TRgb{4, 5, 6}};
  pic.Row(0)[0] = 1;  // top left
  const Bytes bmp = EncodeBmp(pic);
  ASSERT_EQ(bmp.size(), 14u + 40 + 8 + 8);
  EXPECT_EQ(bmp[28], 8);  // bits per pixel
  EXPECT_EQ(bmp[46], 2);  // palette entries
  EXPECT_EQ(Bytes(bmp.begin() + 54, bmp.begin() + 62), (Bytes{3, 2, 1, 0, 6, 5, 4, 0}));
  EXPECT_EQ(bmp[62 + 4], 1);  // the top row comes last
  EXPECT_EQ(bmp[62], 0);

  TBitmap rgb(1, 1, TPixelFormat::Rgb24);
  rgb.Row(0)[0] = 10, rgb.Row(0)[1] = 20, rgb.Row(0)[2] = 30;
  const Bytes bmp24 = EncodeBmp(rgb);
  EXPECT_EQ(bmp24[28], 24);
  EXPECT_EQ(Bytes(bmp24.begin() + 54, bmp24.end()), (Bytes{30, 20, 10, 0}));

  EXPECT_THROW(EncodeBmp(TBitmap()), EInvalidGraphic);
}

}  // namespace
