#include <gtest/gtest.h>

#include <filesystem>

#include "TestFolder.h"
#include "core/ProjectFolder.h"
#include "events/LD_Event.h"
#include "maps/GR_CharSet.h"
#include "media/PictureFile.h"

using namespace tess;
using namespace tess::test;

namespace {

// A character sheet whose every pixel tells where it came from: index 1 + (x + 7 y) mod 255.
TBitmap MarkedSheet(int width = kCharSetWidth, int height = kCharSetHeight) {
  TBitmap b(width, height, TPixelFormat::Indexed8);
  for (int i = 0; i < 256; ++i)
    b.Palette().push_back(TRgb{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i / 2)});
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b.Row(y)[x] = static_cast<uint8_t>(1 + (x + 7 * y) % 255);
  return b;
}

// A project with a CharSet folder, set as the process's project for the lookups.
class TCharSetProject {
 public:
  TCharSetProject() {
    folder_.Sub("CharSet");
    SetProjectFolder(folder_.Path());
    SetCurrentRuntimePackageFolder("");
  }
  ~TCharSetProject() { SetProjectFolder(""); }
  void Write(const std::string& name, const TBitmap& picture = MarkedSheet()) {
    SavePictureFile(picture, folder_ / ("CharSet/" + name + ".png"));
  }
  std::string Path() const { return folder_.Path(); }

 private:
  TTestFolder folder_;
};

std::vector<std::string> Names(const TLcfCharSetGraphic& cache) {
  std::vector<std::string> names;
  for (int i = 0; i < cache.Count(); ++i) names.push_back(cache.NameAt(i));
  return names;
}

}  // namespace

TEST(CharSetGraphic, AcquireLoadsEachNameOnceAndKeepsTheSheetsSize) {
  TCharSetProject project;
  project.Write("Hero");
  project.Write("Wide", MarkedSheet(400, 300));
  project.Write("Small", MarkedSheet(100, 50));
  TLcfCharSetGraphic cache;

  EXPECT_EQ(cache.Acquire("Hero"), 0);
  EXPECT_EQ(cache.Acquire("Wide"), 1);
  EXPECT_EQ(cache.Acquire("Small"), 2);
  EXPECT_EQ(cache.loadCount, 3);
  // Acquiring a cached name gives its index and reads nothing.
  EXPECT_EQ(cache.Acquire("Hero"), 0);
  EXPECT_EQ(cache.Acquire("Wide"), 1);
  EXPECT_EQ(cache.loadCount, 3);
  EXPECT_EQ(cache.acquireCount, 5);

  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(cache.NameAt(i));
    const TCorvidSheet& sheet = cache.SheetAt(i);
    EXPECT_TRUE(cache.LoadedAt(i));
    EXPECT_TRUE(sheet.transparent);
    ASSERT_EQ(sheet.Width(), kCharSetWidth);
    ASSERT_EQ(sheet.Height(), kCharSetHeight);
    EXPECT_EQ(sheet.Row(255)[287], i == 2 ? 0 : 1 + (287 + 7 * 255) % 255);  // cut, or blank beyond
    EXPECT_EQ(sheet.Row(49)[99], 1 + (99 + 7 * 49) % 255);
  }
  EXPECT_EQ(cache.IndexOf("Small"), 2);
  EXPECT_EQ(cache.IndexOf("Villain"), -1);
  EXPECT_EQ(cache.Count(), 3);  // IndexOf never loads

  cache.ClearCache();
  EXPECT_EQ(cache.Count(), 0);
  EXPECT_EQ(cache.loadCount, 0);
  EXPECT_EQ(cache.acquireCount, 0);
}

TEST(CharSetGraphic, MissingAndForeignNamesGiveBlankSheetsAndAnImportShowsLater) {
  TCharSetProject project;
  // A picture outside the material folder that a stored name tries to reach.
  SavePictureFile(MarkedSheet(), project.Path() + "Outside.png");
  TLcfCharSetGraphic cache;
  for (const char* name : {"Nobody", "../Outside", "..\\Outside", "/etc/passwd", ".."}) {
    SCOPED_TRACE(name);
    const int i = cache.Acquire(name);
    EXPECT_FALSE(cache.LoadedAt(i));
    EXPECT_NE(cache.ErrorAt(i).find("CharSet/"), std::string::npos) << cache.ErrorAt(i);
    EXPECT_TRUE(cache.SheetAt(i).IsBlank(cache.SheetAt(i).BoundsRect()));
    EXPECT_EQ(cache.SheetAt(i).Width(), kCharSetWidth);
  }
  EXPECT_EQ(cache.loadCount, 0);

  // An unreadable picture is blank too, and says why.
  std::filesystem::path bad = project.Path() + "CharSet/Broken.png";
  {
    std::FILE* f = std::fopen(bad.c_str(), "wb");
    std::fputs("\x89PNG not really", f);
    std::fclose(f);
  }
  const int broken = cache.Acquire("Broken");
  EXPECT_FALSE(cache.LoadedAt(broken));
  EXPECT_NE(cache.ErrorAt(broken).find("Broken"), std::string::npos);

  project.Write("Nobody");
  EXPECT_EQ(cache.Acquire("Nobody"), 0);
  EXPECT_TRUE(cache.LoadedAt(0));
  EXPECT_EQ(cache.SheetAt(0).Row(0)[0], 1);
}

// The sweep drops unused sheets only while more than 20 names are cached, and never the last one.
TEST(CharSetGraphic, SweepKeepsTwentyNamesAndTheLastOne) {
  const struct {
    const char* what;
    int count;
    std::vector<int> used;
    std::vector<int> kept;  // indices into the names before the sweep
  } cases[] = {
      {"25, the first and the last used", 25, {0, 24}, {0,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                                                        15, 16, 17, 18, 19, 20, 21, 22, 23, 24}},
      {"19, none used", 19, {}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}},
      {"20, none used", 20, {}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}},
      {"22, none used", 22, {}, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21}},
      {"30, all but 1..3 used",
       30,
       {0, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29},
       {0, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29}},
      {"3, none used", 3, {}, {0, 1, 2}},
  };
  TCharSetProject project;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TLcfCharSetGraphic cache;
    std::vector<std::string> names;
    for (int i = 0; i < c.count; ++i) {
      names.push_back("Sheet" + std::to_string(i));
      cache.Acquire(names.back());
    }
    cache.ResetUsage();
    for (int i : c.used) cache.Acquire(names[i]);
    cache.Sweep();
    std::vector<std::string> expected;
    for (int i : c.kept) expected.push_back(names[i]);
    EXPECT_EQ(Names(cache), expected);
    EXPECT_EQ(cache.dropCount, c.count - static_cast<int>(c.kept.size()));
  }
}

TEST(CharSetGraphic, RefreshFollowsTheEventsAndStaysBounded) {
  TCharSetProject project;
  for (const char* name : {"Hero", "People", "Chest"}) project.Write(name);
  TLcfEvent events;
  auto page = [&](int eventId, int pageId, const std::string& name) {
    events.Obtain(eventId)->pages.Obtain(pageId)->graphicName = name;
  };
  page(1, 1, "Hero");
  page(1, 2, "");  // a tile graphic names no sheet
  page(2, 1, "People");
  page(3, 1, "Hero");
  TLcfCharSetGraphic cache;
  cache.Refresh(events);
  EXPECT_EQ(Names(cache), (std::vector<std::string>{"Hero", "People"}));
  EXPECT_EQ(cache.loadCount, 2);

  // The author edits the map for a long while, naming ever new sheets (most of them missing):
  // the cache never holds more than 20 names besides those in use, and reads each picture once.
  for (int round = 0; round < 200; ++round) {
    page(4, 1, round % 10 == 0 ? "Chest" : "Extra" + std::to_string(round));
    cache.Refresh(events);
    ASSERT_LE(cache.Count(), kCharSetCacheKeep) << round;
    ASSERT_GE(cache.IndexOf("Hero"), 0);
    ASSERT_GE(cache.IndexOf("People"), 0);
  }
  EXPECT_LE(cache.loadCount, 2 + 20);
  EXPECT_GE(cache.loadCount, 3);
}

TEST(CharSetGraphic, FrameRectangles) {
  const struct {
    int character, facing, pattern;
    TRect rect;
  } cases[] = {
      {0, 0, 0, Bounds(0, 0, 24, 32)},
      {0, kCharFacingDown, kCharPatternMiddle, Bounds(24, 64, 24, 32)},
      {3, 3, 2, Bounds(216 + 48, 96, 24, 32)},
      {4, 0, 0, Bounds(0, 128, 24, 32)},
      {7, 3, 2, Bounds(216 + 48, 128 + 96, 24, 32)},
  };
  for (const auto& c : cases) EXPECT_EQ(CharFrameRect(c.character, c.facing, c.pattern), c.rect) << c.character;
  EXPECT_FALSE(IsCharFrame(8, 0, 0));
  EXPECT_FALSE(IsCharFrame(0, 4, 0));
  EXPECT_FALSE(IsCharFrame(0, 0, 3));
  EXPECT_FALSE(IsCharFrame(-1, 0, 0));
  EXPECT_TRUE(IsCharFrame(7, 3, 2));
}
