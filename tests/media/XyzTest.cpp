#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>

#include "media/CorvidXyz.h"
#include "media/MediaTestUtil.h"

using namespace tess;
using namespace tess::test;

namespace {

Bytes Compressed(const Bytes& raw, int level = Z_DEFAULT_COMPRESSION) {
  Bytes out(compressBound(static_cast<uLong>(raw.size())));
  uLongf n = out.size();
  compress2(out.data(), &n, raw.data(), static_cast<uLong>(raw.size()), level);
  out.resize(n);
  return out;
}

Bytes Xyz(uint16_t w, uint16_t h, const Bytes& body) {
  Bytes out = {'X',
               'Y',
               'Z',
               '1',
               static_cast<uint8_t>(w),
               static_cast<uint8_t>(w >> 8),
               static_cast<uint8_t>(h),
               static_cast<uint8_t>(h >> 8)};
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

std::string Outcome(const Bytes& file, TBitmap* out = nullptr) {
  TBitmap b;
  try {
    DecodeXyz(b, file.data(), file.size());
    if (out) *out = b;
    return "";
  } catch (const EInvalidGraphic& e) {
    return std::string("graphic: ") + e.what();
  } catch (const std::exception& e) {
    return std::string("error: ") + e.what();
  }
}

TEST(Xyz, WritesHeaderThenOneZlibStreamOfPaletteAndRows) {
  TBitmap pic(3, 2, TPixelFormat::Indexed8);
  pic.Palette() = {TRgb{1, 2, 3}, TRgb{4, 5, 6}};
  const uint8_t pixels[] = {0, 1, 1, 1, 0, 0};
  std::copy(pixels, pixels + 6, pic.Bits());
  const Bytes file = EncodeXyz(pic);
  ASSERT_GT(file.size(), 10u);
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 10), (Bytes{'X', 'Y', 'Z', '1', 3, 0, 2, 0, 0x78, 0x9C}));

  Bytes raw(768 + 6, 0);
  uLongf n = raw.size();
  ASSERT_EQ(uncompress(raw.data(), &n, file.data() + 8, static_cast<uLong>(file.size() - 8)), Z_OK);
  ASSERT_EQ(n, raw.size());
  Bytes want(768 + 6, 0);
  want[0] = 1, want[1] = 2, want[2] = 3, want[3] = 4, want[4] = 5, want[5] = 6;  // entries 2..255 black
  std::copy(pixels, pixels + 6, want.begin() + 768);
  EXPECT_EQ(raw, want);
}

TEST(Xyz, ReadsBackWhatItWrote) {
  for (const TBitmap& pic : {PatternIndexed(480, 256), PatternIndexed(1, 1, 1), PatternIndexed(17, 3, 5)}) {
    TBitmap back;
    ASSERT_EQ(Outcome(EncodeXyz(pic), &back), "");
    TBitmap want = pic;
    want.Palette().resize(256);
    EXPECT_TRUE(back == want);
    EXPECT_EQ(back.BitsPerPixel(), 8);
  }
  // A body made by another compressor setting reads the same.
  TBitmap pic = PatternIndexed(40, 30);
  Bytes raw(768, 0);
  for (int i = 0; i < 256; ++i) {
    const TRgb c = pic.PaletteEntry(i);
    raw[3 * i] = c.red, raw[3 * i + 1] = c.green, raw[3 * i + 2] = c.blue;
  }
  raw.insert(raw.end(), pic.Bits(), pic.Bits() + 40 * 30);
  TBitmap back;
  ASSERT_EQ(Outcome(Xyz(40, 30, Compressed(raw, 9)), &back), "");
  EXPECT_TRUE(back == pic);
}

TEST(Xyz, ReducesTrueColourToEightBits) {
  // Few colours keep their exact values.
  TBitmap few = ConvertTo24Bit(PatternIndexed(20, 10, 100));
  TBitmap back;
  ASSERT_EQ(Outcome(EncodeXyz(few), &back), "");
  ASSERT_EQ(back.Width(), 20);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) EXPECT_EQ(back.Pixel(x, y), few.Pixel(x, y));

  // Many colours come out close.
  TBitmap many = PatternRgb(64, 48);
  ASSERT_EQ(Outcome(EncodeXyz(many), &back), "");
  ASSERT_EQ(back.Width(), 64);
  ASSERT_EQ(back.Height(), 48);
  double error = 0;
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) {
      const TRgb a = back.Pixel(x, y), b = many.Pixel(x, y);
      error += std::abs(a.red - b.red) + std::abs(a.green - b.green) + std::abs(a.blue - b.blue);
    }
  EXPECT_LT(error / (64 * 48 * 3), 12.0);
}

TEST(Xyz, DamagedFiles) {
  TBitmap pic = PatternIndexed(4, 3, 8);
  Bytes raw(768, 9);
  raw.insert(raw.end(), pic.Bits(), pic.Bits() + 12);
  Bytes longer = raw;
  longer.push_back(1);
  const Bytes z = Compressed(raw);
  Bytes cut = Compressed(raw);
  cut.resize(cut.size() - 6);
  const Bytes good = Xyz(4, 3, z);

  struct TCase {
    const char* name;
    Bytes file;
    const char* outcome;
  } cases[] = {
      {"magic", Bytes{'X', 'Y', 'Z', '2', 4, 0, 3, 0, 0x78, 0x9C}, "graphic: Invalid XYZ Image"},
      {"body is not zlib", Xyz(4, 3, Bytes(40, 0x55)), "error: Zlib Error"},
      {"body says more than the picture", Xyz(4, 3, Compressed(longer)), "error: Zlib Error"},
      {"body cut short", Xyz(4, 3, cut), "error: Zlib Error"},
      // Whole streams that end before the picture the header promises.
      {"stream ends inside the pixels", Xyz(4, 3, Compressed(Bytes(768 + 5, 4))), "graphic: Invalid XYZ Image"},
      {"stream ends inside the palette", Xyz(4, 3, Compressed(Bytes(300, 7))), "graphic: Invalid XYZ Image"},
      {"header wider than the body", Xyz(400, 3, z), "graphic: Invalid XYZ Image"},
      {"no body", Xyz(4, 3, {}), "error: Zlib Error"},
      {"picture larger than any body could fill", Xyz(65535, 65535, z), "graphic: Invalid XYZ Image"},
      {"header cut short", Bytes(good.begin(), good.begin() + 6), "error: Stream read error."},
      {"magic cut short", Bytes{'X', 'Y'}, "error: Stream read error."},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Outcome(c.file), c.outcome);
  }
}

TEST(Xyz, RefusesPicturesItCannotHold) {
  for (const TBitmap& pic : {TBitmap(), TBitmap(65536, 1, TPixelFormat::Indexed8)}) {
    try {
      EncodeXyz(pic);
      ADD_FAILURE() << "written";
    } catch (const EInvalidGraphic& e) {
      EXPECT_STREQ(e.what(), "Invalid XYZ Image");
    }
  }
}

TEST(Xyz, StreamFormsStartAtTheStreamPosition) {
  TBitmap pic = PatternIndexed(6, 5);
  TMemoryStream s;
  s.WriteBuffer("prefix", 6);
  TCorvidXyz writer;
  static_cast<TBitmap&>(writer) = pic;
  writer.SaveToStream(s);
  s.SetPosition(6);
  TCorvidXyz reader;
  reader.LoadFromStream(s);
  pic.Palette().resize(256);
  EXPECT_TRUE(static_cast<TBitmap&>(reader) == pic);
}

}  // namespace
