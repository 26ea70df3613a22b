#include <gtest/gtest.h>
#include <zlib.h>

#include "core/AtomicFile.h"
#include "media/BmpFile.h"
#include "media/CorvidPng.h"
#include "media/CorvidXyz.h"
#include "media/MediaTestUtil.h"
#include "media/PictureFile.h"

using namespace tess;
using namespace tess::test;

namespace {

std::string LoadOutcome(const std::string& path, TBitmap* out = nullptr) {
  TBitmap b;
  try {
    LoadPictureFile(b, path);
    if (out) *out = b;
    return "";
  } catch (const std::exception& e) {
    return e.what();
  }
}

TEST(PictureFile, ChoosesTheReaderByContentNotName) {
  const TBitmap indexed = PatternIndexed(12, 7, 256);
  const TBitmap rgb = PatternRgb(5, 9);
  struct TCase {
    const char* name;
    Bytes data;
    TPixelFormat format;
  } cases[] = {
      {"png-named.xyz", EncodePng(indexed), TPixelFormat::Indexed8},
      {"bmp-named.png", EncodeBmp(rgb), TPixelFormat::Rgb24},
      {"xyz-named.bmp", EncodeXyz(indexed), TPixelFormat::Indexed8},
      {"png-without-extension", EncodePng(rgb), TPixelFormat::Rgb24},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(Scratch(c.name), c.data);
    TBitmap got;
    ASSERT_EQ(LoadOutcome(Scratch(c.name), &got), "");
    EXPECT_EQ(got.Format(), c.format);
    const TBitmap& want = c.format == TPixelFormat::Rgb24 ? rgb : indexed;
    for (int y = 0; y < want.Height(); ++y)
      for (int x = 0; x < want.Width(); ++x) ASSERT_EQ(got.Pixel(x, y), want.Pixel(x, y));
  }
}

TEST(PictureFile, ChoosesTheWriterByLowerCasedExtension) {
  const TBitmap pic = PatternIndexed(4, 4, 16);
  struct TCase {
    const char* name;
    const char* leading;
  } cases[] = {
      {"a.png", "\x89PNG"}, {"B.PNG", "\x89PNG"}, {"c.XyZ", "XYZ1"},   {"d.xyz", "XYZ1"}, {"e.bmp", "BM"},
      {"f.gif", "BM"},      {"noext", "BM"},      {"g.png.bak", "BM"}, {"h.", "BM"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    SavePictureFile(pic, Scratch(c.name));
    const Bytes data = ReadWholeFile(Scratch(c.name));
    const std::string leading(c.leading);
    ASSERT_GE(data.size(), leading.size());
    EXPECT_EQ(std::string(data.begin(), data.begin() + leading.size()), leading);
    EXPECT_EQ(LoadOutcome(Scratch(c.name)), "");
  }
  // A dot in a folder name is no extension.
  std::filesystem::create_directories(Scratch("dir.png"));
  EXPECT_EQ(PictureFormatOfName(Scratch("dir.png") + "/picture"), TPictureFormat::Bmp);
}

TEST(PictureFile, ReportsUnreadableFiles) {
  WriteBytes(Scratch("three"), Bytes{'B', 'M', 0});
  // Width 0: a palette and no pixels.
  Bytes noPixels = {'X', 'Y', 'Z', '1', 0, 0, 1, 0};
  Bytes body(compressBound(768));
  uLongf n = body.size();
  const Bytes palette(768, 0);
  compress(body.data(), &n, palette.data(), 768);
  noPixels.insert(noPixels.end(), body.begin(), body.begin() + n);
  WriteBytes(Scratch("empty.xyz"), noPixels);
  WriteBytes(Scratch("junk.png"), Bytes(100, 'j'));
  EXPECT_EQ(LoadOutcome(Scratch("three")), "Stream read error.");
  EXPECT_EQ(LoadOutcome(Scratch("empty.xyz")), "Invalid bitmap image.");
  EXPECT_EQ(LoadOutcome(Scratch("junk.png")), "Invalid bitmap image.");
  EXPECT_NE(LoadOutcome(Scratch("missing.bmp")).find("missing.bmp"), std::string::npos);
}

TEST(PictureFile, FailedSaveKeepsTheOldFile) {
  const std::string path = Scratch("keep.png");
  SavePictureFile(PatternRgb(3, 3), path);
  const Bytes before = ReadWholeFile(path);
  EXPECT_THROW(SavePictureFile(TBitmap(), path), EInvalidGraphic);
  EXPECT_EQ(ReadWholeFile(path), before);
  // A target the file system refuses to replace: the error names it, nothing else changes.
  const std::string folder = Scratch("folder.png");
  std::filesystem::create_directories(folder + "/inside");
  EXPECT_THROW(SavePictureFile(PatternRgb(4, 4), folder), EFileError);
  EXPECT_TRUE(std::filesystem::is_directory(folder + "/inside"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}

TEST(PictureFile, ConvertsBetweenEveryFormat) {
  const TBitmap pic = PatternIndexed(30, 20, 256);
  SavePictureFile(pic, Scratch("conv.bmp"));
  ConvertPictureFile(Scratch("conv.bmp"), Scratch("conv.png"));
  ConvertPictureFile(Scratch("conv.png"), Scratch("conv.xyz"));
  ConvertPictureFile(Scratch("conv.xyz"), Scratch("conv2.bmp"));
  TBitmap back;
  ASSERT_EQ(LoadOutcome(Scratch("conv2.bmp"), &back), "");
  EXPECT_TRUE(back == pic);
  EXPECT_EQ(back.BitsPerPixel(), 8);
}

}  // namespace
