#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>

#include "media/CorvidPng.h"
#include "media/LibpngPeer.h"
#include "media/MediaTestUtil.h"

using namespace tess;
using namespace tess::test;

namespace {

struct TChunk {
  std::string type;
  Bytes data;
};

uint32_t BE(const uint8_t* p) { return (uint32_t{p[0]} << 24) | (p[1] << 16) | (p[2] << 8) | p[3]; }
void PutBE(Bytes& out, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
}

std::vector<TChunk> Chunks(const Bytes& png) {
  std::vector<TChunk> out;
  for (size_t pos = 8; pos + 12 <= png.size();) {
    const uint32_t n = BE(&png[pos]);
    out.push_back({std::string(png.begin() + pos + 4, png.begin() + pos + 8),
                   Bytes(png.begin() + pos + 8, png.begin() + pos + 8 + n)});
    pos += 12 + n;
  }
  return out;
}

Bytes Png(const std::vector<TChunk>& chunks, bool goodCrc = true) {
  Bytes out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  for (const TChunk& c : chunks) {
    PutBE(out, static_cast<uint32_t>(c.data.size()));
    Bytes typed(c.type.begin(), c.type.end());
    typed.insert(typed.end(), c.data.begin(), c.data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    PutBE(out, goodCrc ? static_cast<uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))) : 0xDEADBEEF);
  }
  return out;
}

Bytes Ihdr(uint32_t w, uint32_t h, uint8_t depth = 8, uint8_t type = 3, uint8_t interlace = 0) {
  Bytes d;
  PutBE(d, w);
  PutBE(d, h);
  d.insert(d.end(), {depth, type, 0, 0, interlace});
  return d;
}

// Rows with filter byte 0, compressed as one zlib stream.
Bytes Deflated(const Bytes& raw, int level = Z_DEFAULT_COMPRESSION) {
  Bytes out(compressBound(static_cast<uLong>(raw.size())));
  uLongf n = out.size();
  compress2(out.data(), &n, raw.data(), static_cast<uLong>(raw.size()), level);
  out.resize(n);
  return out;
}
Bytes RawRows(const TBitmap& b, int rows = -1) {
  Bytes raw;
  for (int y = 0; y < (rows < 0 ? b.Height() : rows); ++y) {
    raw.push_back(0);
    raw.insert(raw.end(), b.Row(y), b.Row(y) + b.RowBytes());
  }
  return raw;
}

// The IDAT data split into pieces of the given sizes (the rest in one more piece).
std::vector<TChunk> SplitIdat(const Bytes& z, std::vector<size_t> sizes) {
  std::vector<TChunk> out;
  size_t pos = 0;
  for (size_t s : sizes) {
    out.push_back({"IDAT", Bytes(z.begin() + pos, z.begin() + pos + s)});
    pos += s;
  }
  if (pos < z.size()) out.push_back({"IDAT", Bytes(z.begin() + pos, z.end())});
  return out;
}

// "graphic: <message>" for EInvalidGraphic, "error: <message>" for other errors, "" for success.
std::string Outcome(const std::function<void()>& f) {
  try {
    f();
    return "";
  } catch (const EInvalidGraphic& e) {
    return std::string("graphic: ") + e.what();
  } catch (const std::exception& e) {
    return std::string("error: ") + e.what();
  }
}

std::string Decoded(const Bytes& png, TBitmap* out = nullptr) {
  TBitmap b;
  std::string r = Outcome([&] { DecodePng(b, png.data(), png.size()); });
  if (out) *out = b;
  return r;
}

// What our reader must produce from a picture: palettes always have 256 entries.
TBitmap Expected(const TBitmap& b) {
  TBitmap e = b;
  if (e.Format() == TPixelFormat::Indexed8)
    e.Palette().resize(256);
  else
    e.Palette().clear();
  return e;
}

const int kFilters[] = {PNG_FILTER_NONE, PNG_FILTER_SUB,   PNG_FILTER_UP,
                        PNG_FILTER_AVG,  PNG_FILTER_PAETH, PNG_ALL_FILTERS};

TEST(PngPeer, OurReaderDecodesWhatLibpngWrites) {
  for (int width : {1, 7, 480})
    for (bool indexed : {true, false})
      for (int filter : kFilters) {
        SCOPED_TRACE(testing::Message() << "width " << width << (indexed ? " palette" : " rgb") << " filters "
                                        << filter);
        const int height = width == 480 ? 256 : 13;
        TBitmap src = indexed ? PatternIndexed(width, height, 200) : PatternRgb(width, height);
        peer::TLibpngWrite o;
        o.filters = filter;
        o.paletteEntries = 200;
        const Bytes png = peer::LibpngWrite(src, o);
        TBitmap got;
        ASSERT_EQ(Decoded(png, &got), "");
        EXPECT_EQ(got.BitsPerPixel(), indexed ? 8 : 24);
        EXPECT_TRUE(got == Expected(src));
      }
}

TEST(PngPeer, LibpngAndPngcheckAcceptWhatWeWrite) {
  const bool pngcheck = HaveProgram("pngcheck");
  for (int width : {1, 7, 480})
    for (bool indexed : {true, false}) {
      SCOPED_TRACE(testing::Message() << "width " << width << (indexed ? " palette" : " rgb"));
      const int height = width == 480 ? 256 : 9;
      TBitmap src = indexed ? PatternIndexed(width, height, 256) : PatternRgb(width, height);
      const Bytes png = EncodePng(src);
      TBitmap theirs;
      ASSERT_TRUE(peer::LibpngRead(png, theirs));
      EXPECT_TRUE(theirs == Expected(src));
      TBitmap ours;
      ASSERT_EQ(Decoded(png, &ours), "");
      EXPECT_TRUE(ours == Expected(src));
      if (pngcheck) {
        const std::string path = Scratch("check.png");
        WriteBytes(path, png);
        EXPECT_EQ(Shell("pngcheck -q " + path), 0);
      }
    }
  if (!pngcheck) GTEST_SKIP() << "pngcheck is not installed; libpng checked the files alone";
}

// Our files: IHDR, PLTE of 256 entries for palette pictures, IDAT chunks of exactly 65,536 bytes but
// the last, which is never empty, then IEND.
void ExpectWriterLayout(const Bytes& png, bool indexed) {
  auto chunks = Chunks(png);
  ASSERT_GE(chunks.size(), 3u);
  EXPECT_EQ(chunks.front().type, "IHDR");
  EXPECT_EQ(chunks.front().data[9], indexed ? 3 : 2);
  size_t i = 1;
  if (indexed) {
    EXPECT_EQ(chunks[1].type, "PLTE");
    EXPECT_EQ(chunks[1].data.size(), 768u);
    i = 2;
  }
  EXPECT_EQ(chunks.back().type, "IEND");
  EXPECT_TRUE(chunks.back().data.empty());
  for (; i + 1 < chunks.size(); ++i) {
    EXPECT_EQ(chunks[i].type, "IDAT");
    if (i + 2 < chunks.size())
      EXPECT_EQ(chunks[i].data.size(), 65536u);
    else
      EXPECT_TRUE(!chunks[i].data.empty() && chunks[i].data.size() <= 65536u);
  }
}

TEST(PngWriter, CutsImageDataIntoFullChunks) {
  ExpectWriterLayout(EncodePng(PatternIndexed(480, 256)), true);
  const Bytes big = EncodePng(PatternRgb(640, 480));
  EXPECT_GT(big.size(), 3u * 65536);
  ExpectWriterLayout(big, false);

  // A picture whose compressed data fill exactly one chunk gets that one chunk and no empty one.
  bool found = false;
  for (int width = 65400; width <= 65536 && !found; ++width) {
    TBitmap noise(width, 1, TPixelFormat::Indexed8);
    for (int x = 0; x < width; ++x) noise.Row(0)[x] = static_cast<uint8_t>(Hash(x));
    const Bytes png = EncodePng(noise);
    auto chunks = Chunks(png);
    size_t idat = 0, count = 0;
    for (auto& c : chunks)
      if (c.type == "IDAT") idat += c.data.size(), ++count;
    if (idat != 65536) continue;
    found = true;
    EXPECT_EQ(count, 1u);
    ExpectWriterLayout(png, true);
  }
  EXPECT_TRUE(found);
}

TEST(PngWriter, WritesTheDepthItStoresAndRefusesEmptyPictures) {
  TBitmap four = PatternIndexed(9, 4, 16);
  four.SetBitsPerPixel(4);  // as read from a 4-bit file
  auto chunks = Chunks(EncodePng(four));
  EXPECT_EQ(chunks[0].data[8], 8);
  EXPECT_EQ(chunks[0].data[9], 3);
  EXPECT_EQ(chunks[1].data.size(), 768u);

  TBitmap thirtyTwo = PatternRgb(9, 4);
  thirtyTwo.SetBitsPerPixel(32);
  chunks = Chunks(EncodePng(thirtyTwo));
  EXPECT_EQ(chunks[0].data[9], 2);

  EXPECT_EQ(Outcome([] { EncodePng(TBitmap()); }), "graphic: Invalid PNG Image");
  EXPECT_EQ(Outcome([] { EncodePng(TBitmap(0, 5, TPixelFormat::Rgb24)); }), "graphic: Invalid PNG Image");
}

TEST(PngWriter, RowByRowRefusesWhatCannotBeAPicture) {
  const std::vector<TRgb> palette(4, TRgb{1, 2, 3});
  const uint8_t row[3 * 65536] = {};
  const struct {
    const char* what;
    std::function<void()> run;
  } cases[] = {
      {"no width", [&] { TPngRowEncoder(0, 2, nullptr); }},
      {"a side above 65,536", [&] { TPngRowEncoder(65537, 1, &palette); }},
      {"a row too many",
       [&] {
         TPngRowEncoder e(4, 1, &palette);
         e.AddRow(row);
         e.AddRow(row);
       }},
      {"finished early",
       [&] {
         TPngRowEncoder e(4, 2, nullptr);
         e.AddRow(row);
         e.Finish();
       }},
      {"finished twice",
       [&] {
         TPngRowEncoder e(4, 1, nullptr);
         e.AddRow(row);
         e.Finish();
         e.Finish();
       }},
  };
  for (const auto& c : cases) EXPECT_EQ(Outcome(c.run), "graphic: Invalid PNG Image") << c.what;
  // A picture larger than any reader takes is still written, a row at a time.
  TPngRowEncoder wide(65536, 2, &palette);
  wide.AddRow(row);
  wide.AddRow(row);
  EXPECT_EQ(Chunks(wide.Finish())[0].data[9], 3);
}

TEST(PngReader, ReadsColourAndAlphaWhenAskedTo) {
  const int w = 37, h = 23;
  std::vector<uint8_t> rows(w * h * 4);
  for (size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<uint8_t>((i * 7919) >> 3 ^ (i % 4) * 60);
  for (int filters : {PNG_FILTER_NONE, PNG_FILTER_SUB, PNG_FILTER_UP, PNG_FILTER_AVG, PNG_FILTER_PAETH, -1}) {
    SCOPED_TRACE(filters);
    peer::TLibpngWrite o;
    o.colourType = PNG_COLOR_TYPE_RGBA;
    o.filters = filters;
    Bytes png;
    ASSERT_TRUE(peer::LibpngWriteRaw(png, w, h, rows.data(), w * 4, {}, o));
    TBitmap b;
    Bytes alpha;
    DecodePngWithAlpha(b, alpha, png.data(), png.size());
    ASSERT_EQ(b.Format(), TPixelFormat::Rgb24);
    ASSERT_EQ(alpha.size(), size_t{w} * h);
    for (int i = 0; i < w * h; ++i) {
      const uint8_t* p = rows.data() + 4 * i;
      ASSERT_EQ(b.Pixel(i % w, i / w), (TRgb{p[0], p[1], p[2]})) << i;
      ASSERT_EQ(alpha[i], p[3]) << i;
    }
    // Without asking for alpha such a picture stays unsupported.
    EXPECT_EQ(Outcome([&] { DecodePng(b, png.data(), png.size()); }), "graphic: Unsupported PNG Image");
  }
  // Other pictures leave alpha empty.
  Bytes alpha{1, 2};
  TBitmap b;
  const Bytes indexed = EncodePng(PatternIndexed(5, 5));
  DecodePngWithAlpha(b, alpha, indexed.data(), indexed.size());
  EXPECT_TRUE(alpha.empty());
}

TEST(PngReader, TakesOnlyEightBitPaletteAndTrueColour) {
  struct TCase {
    int type, depth, interlace;
    bool supported;
  } cases[] = {
      {PNG_COLOR_TYPE_PALETTE, 8, PNG_INTERLACE_NONE, true},
      {PNG_COLOR_TYPE_RGB, 8, PNG_INTERLACE_NONE, true},
      {PNG_COLOR_TYPE_GRAY, 8, PNG_INTERLACE_NONE, false},
      {PNG_COLOR_TYPE_GRAY_ALPHA, 8, PNG_INTERLACE_NONE, false},
      {PNG_COLOR_TYPE_RGBA, 8, PNG_INTERLACE_NONE, false},
      {PNG_COLOR_TYPE_RGB, 16, PNG_INTERLACE_NONE, false},
      {PNG_COLOR_TYPE_PALETTE, 4, PNG_INTERLACE_NONE, false},
      {PNG_COLOR_TYPE_PALETTE, 1, PNG_INTERLACE_NONE, false},
      {PNG_COLOR_TYPE_PALETTE, 8, PNG_INTERLACE_ADAM7, false},
      {PNG_COLOR_TYPE_RGB, 8, PNG_INTERLACE_ADAM7, false},
  };
  std::vector<png_color> palette(16, png_color{10, 20, 30});
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << c.type << " depth " << c.depth << " interlace " << c.interlace);
    Bytes rows(16 * 64 * 8, 0);
    peer::TLibpngWrite o;
    o.colourType = c.type, o.bitDepth = c.depth, o.interlace = c.interlace;
    o.paletteEntries = c.depth == 1 ? 2 : 16;
    Bytes png;
    ASSERT_TRUE(peer::LibpngWriteRaw(png, 16, 8, rows.data(), 16 * 8, palette, o));
    EXPECT_EQ(Decoded(png), c.supported ? "" : "graphic: Unsupported PNG Image");
  }
}

TEST(PngReader, ToleratesWhatThePictureDoesNotNeed) {
  // A 16-entry palette: the rest of the 256 entries are black.
  TBitmap small = PatternIndexed(11, 5, 16);
  peer::TLibpngWrite o;
  o.paletteEntries = 16;
  TBitmap got;
  ASSERT_EQ(Decoded(peer::LibpngWrite(small, o), &got), "");
  EXPECT_TRUE(got == Expected(small));
  EXPECT_EQ(got.Palette().size(), 256u);
  EXPECT_EQ(got.Palette()[16], TRgb{});

  // Transparency is ignored.
  o.trns = true;
  ASSERT_EQ(Decoded(peer::LibpngWrite(small, o), &got), "");
  EXPECT_TRUE(got == Expected(small));

  // Image data in pieces of every size, cut inside rows, with the stream's checksum in a chunk of
  // its own; unknown chunks in between, wrong checksums everywhere; data after the last row.
  TBitmap rgb = PatternRgb(13, 7);
  const Bytes z = Deflated(RawRows(rgb));
  std::vector<size_t> pieces = {1, 2, 3, 5, 8, 13};
  size_t used = 1 + 2 + 3 + 5 + 8 + 13;
  while (used + 7 < z.size() - 4) pieces.push_back(7), used += 7;
  pieces.push_back(z.size() - 4 - used);
  std::vector<TChunk> chunks = {{"IHDR", Ihdr(13, 7, 8, 2)}, {"gAMA", {0, 0, 0, 1}}, {"PLTE", Bytes(30, 9)}};
  for (auto& c : SplitIdat(z, pieces)) chunks.push_back(c);
  chunks.push_back({"tEXt", Bytes{'a', 0, 'b'}});
  chunks.push_back({"IDAT", Bytes{1, 2, 3}});
  chunks.push_back({"zzZZ", Bytes(5, 0)});
  chunks.push_back({"IEND", {}});
  EXPECT_EQ(chunks[3 + pieces.size()].data.size(), 4u);
  for (bool crc : {true, false}) {
    ASSERT_EQ(Decoded(Png(chunks, crc), &got), "");
    EXPECT_TRUE(got == Expected(rgb));
  }
}

TEST(PngReader, DamagedFilesRaiseTheirErrors) {
  TBitmap pic = PatternIndexed(5, 4, 8);
  const Bytes raw = RawRows(pic);
  const Bytes z = Deflated(raw);
  const Bytes plte(24, 7);
  auto good = [&](std::vector<TChunk> idat) {
    std::vector<TChunk> c = {{"IHDR", Ihdr(5, 4)}, {"PLTE", plte}};
    c.insert(c.end(), idat.begin(), idat.end());
    c.push_back({"IEND", {}});
    return c;
  };
  ASSERT_EQ(Decoded(Png(good({{"IDAT", z}}))), "");

  Bytes badFilter = raw;
  badFilter[6] = 5;
  Bytes dict = z;
  dict[1] = 0xA0;  // asks for a preset dictionary; the low bits make the header's check come out right
  dict[1] = static_cast<uint8_t>(dict[1] + (31 - (dict[0] * 256 + dict[1]) % 31) % 31);
  Bytes brokenDeflate = z;
  brokenDeflate[2] = 0xFF;  // reserved block type
  // Stored blocks keep the data's bytes where they are: the cut lands inside the second row.
  const Bytes stored = Deflated(raw, 0);
  Bytes sig = Png(good({{"IDAT", z}}));
  sig[1] = 'p';
  Bytes truncated = Png(good({{"IDAT", z}}));
  truncated.resize(truncated.size() - 20);
  Bytes noEnd = Png(good({{"IDAT", z}}));
  noEnd.resize(noEnd.size() - 12);
  Bytes longChunk = Png({{"IHDR", Ihdr(5, 4)}, {"PLTE", plte}});
  longChunk[33] = 0x7F;  // the palette's length claims 2 GB

  struct TCase {
    const char* name;
    Bytes png;
    const char* outcome;
  } cases[] = {
      {"signature", sig, "graphic: Invalid PNG Image"},
      {"header of 14 bytes", Png({{"IHDR", Bytes(14, 0)}, {"IEND", {}}}), "graphic: Invalid PNG Image"},
      {"palette of 257 entries", Png({{"IHDR", Ihdr(5, 4)}, {"PLTE", Bytes(771, 0)}}), "graphic: Invalid PNG Image"},
      {"end with data", Png({{"IHDR", Ihdr(5, 4)}, {"IDAT", z}, {"IEND", {1}}}), "graphic: Invalid PNG Image"},
      {"data before the header", Png({{"IDAT", z}, {"IHDR", Ihdr(5, 4)}, {"IEND", {}}}), "graphic: Invalid PNG Image"},
      {"palette before the header", Png({{"PLTE", plte}, {"IHDR", Ihdr(5, 4)}, {"IDAT", z}, {"IEND", {}}}),
       "graphic: Invalid PNG Image"},
      {"end before the header", Png({{"IEND", {}}}), "graphic: Invalid PNG Image"},
      {"other chunk before the header", Png({{"tEXt", {'a', 0}}, {"IHDR", Ihdr(5, 4)}, {"IDAT", z}, {"IEND", {}}}),
       "graphic: Invalid PNG Image"},
      {"second header", Png({{"IHDR", Ihdr(5, 4)}, {"IHDR", Ihdr(5, 4)}, {"IDAT", z}, {"IEND", {}}}),
       "graphic: Invalid PNG Image"},
      {"second header after the data", Png({{"IHDR", Ihdr(5, 4)}, {"IDAT", z}, {"IHDR", Ihdr(9, 9)}, {"IEND", {}}}),
       "graphic: Invalid PNG Image"},
      {"zero width", Png({{"IHDR", Ihdr(0, 4)}, {"IDAT", z}, {"IEND", {}}}), "graphic: Invalid PNG Image"},
      {"larger than any picture", Png({{"IHDR", Ihdr(70000, 70000)}, {"IDAT", z}, {"IEND", {}}}),
       "graphic: Unsupported PNG Image"},
      {"more rows than data", Png({{"IHDR", Ihdr(8000, 8000)}, {"IDAT", z}, {"IEND", {}}}),
       "graphic: Invalid PNG Image"},
      {"rows run out", Png(good({{"IDAT", Deflated(RawRows(pic, 3))}})), "graphic: Invalid PNG Image"},
      {"end inside the data", Png({{"IHDR", Ihdr(5, 4)}, {"IDAT", Bytes(z.begin(), z.begin() + 6)}, {"IEND", {}}}),
       "graphic: Invalid PNG Image"},
      {"other chunk inside a row",
       Png(good({{"IDAT", Bytes(stored.begin(), stored.begin() + 2 + 5 + 9)},
                 {"tEXt", {'a', 0}},
                 {"IDAT", Bytes(stored.begin() + 16, stored.end())}})),
       "graphic: Invalid PNG Image"},
      {"unknown row filter", Png(good({{"IDAT", Deflated(badFilter)}})), "graphic: Invalid PNG Image"},
      {"broken deflate data", Png(good({{"IDAT", brokenDeflate}})), "error: Zlib Error"},
      {"preset dictionary", Png(good({{"IDAT", dict}})), "error: Zlib Error"},
      {"file cut inside a chunk", truncated, "error: Stream read error."},
      {"no end chunk", noEnd, "error: Stream read error."},
      {"chunk longer than the file", longChunk, "error: Stream read error."},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Decoded(c.png), c.outcome);
  }
}

}  // namespace
