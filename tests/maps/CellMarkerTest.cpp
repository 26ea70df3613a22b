#include <gtest/gtest.h>

#include <random>

#include "TestFolder.h"
#include "core/ProjectFolder.h"
#include "database/LD_ChipSet.h"
#include "maps/CellMarker.h"
#include "maps/ChipSetPicture.h"
#include "maps/EventMap.h"
#include "maps/GR_CharSet.h"
#include "maps/GR_ChipSet.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "maps/MapDrawing.h"
#include "maps/StartPosMark.h"
#include "media/PictureFile.h"

using namespace tess;
using namespace tess::test;

namespace {

constexpr uint16_t kGround = Rgb565(40, 200, 120);
constexpr uint16_t kWhite = Rgb565(255, 255, 255);

bool SameBoards(const TCorvidBoard& a, const TCorvidBoard& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Row(y)[x] != b.Row(y)[x]) return false;
  return true;
}

TCorvidBoard Board(int size, uint16_t colour = kGround) {
  TCorvidBoard b;
  b.SetSize(size, size);
  b.Fill(colour);
  return b;
}

// The cell as the marks alone draw it.
TCorvidBoard MarkBoard(int size, int mark, bool translucent) {
  TCorvidBoard b = Board(size);
  TStartPosMark::Shared().DrawMark(b, 0, 0, size, mark, translucent);
  return b;
}

// A picture of random indices 1..255 over a palette of random colours.
TBitmap Noise(int width, int height, uint32_t seed) {
  TBitmap b(width, height, TPixelFormat::Indexed8);
  std::mt19937 rng(seed);
  for (int i = 0; i < 256; ++i)
    b.Palette().push_back(TRgb{static_cast<uint8_t>(rng()), static_cast<uint8_t>(rng()), static_cast<uint8_t>(rng())});
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b.Row(y)[x] = static_cast<uint8_t>(1 + rng() % 255);
  return b;
}

// A project holding one character sheet and one tileset picture, with a cache and a tileset
// graphic ready, as a map view has them.
class CellMarker : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.Sub("CharSet");
    folder_.Sub("ChipSet");
    SetProjectFolder(folder_.Path());
    SetCurrentRuntimePackageFolder("");
    SavePictureFile(Noise(kCharSetWidth, kCharSetHeight, 3), folder_ / "CharSet/Hero.png");
    TBitmap tiles = Noise(480, 256, 4);
    tiles.Palette()[0] = TRgb{10, 20, 250};
    SavePictureFile(tiles, folder_ / "ChipSet/Tiles.png");
    tileset_.chipSetFile = "Tiles";
    chipSet_.SetTileset(&tileset_);
    ASSERT_EQ(chipSet_.pictureError, "");
    charSets_.Acquire("Hero");
    charSets_.Acquire("Missing");
  }
  void TearDown() override {
    SetProjectFolder("");
    TChipSetPicture::ClearCache();
  }

  TLcfEventItem& Event(const std::string& sheet, int index, int facing = 2, int pattern = 1) {
    event_.pages.SetCount(1);
    TLcfEventPageItem& page = *event_.pages.ItemAt(0);
    page.graphicName = sheet;
    page.graphicIndex = index;
    page.direction = static_cast<uint8_t>(facing);
    page.pattern = pattern;
    return event_;
  }

  TCorvidBoard Draw(int size, int value, const TLcfEventItem* event, TMarkerStyle style) {
    TCorvidBoard b = Board(size);
    painter_.DrawCellMarker(b, 0, 0, size, value, event, charSets_, chipSet_, style);
    return b;
  }

  TTestFolder folder_;
  TLcfChipSetItem tileset_;
  TLcfChipSetGraphic chipSet_;
  TLcfCharSetGraphic charSets_;
  TCellMarkerPainter painter_;
  TLcfEventItem event_;
};

}  // namespace

TEST(StartPosMark, StripsOfFiveDistinctMarksAndNothingAtOtherSizes) {
  TStartPosMark marks;
  for (int size : {32, 16, 8, 4}) {
    SCOPED_TRACE(size);
    const TCorvidSheet* strip = marks.Strip(size);
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->Width(), 5 * size);
    EXPECT_EQ(strip->Height(), size);
    EXPECT_TRUE(strip->transparent);
    for (int a = 0; a < kMarkCount; ++a) {
      EXPECT_FALSE(strip->IsBlank(Bounds(a * size, 0, size, size)));
      // At 4 pixels the three vehicles differ in colour only; every other pair differs in pixels.
      for (int b = a + 1; b < kMarkCount && size > 4; ++b)
        EXPECT_FALSE(strip->SameBlock(Bounds(a * size, 0, size, size), Bounds(b * size, 0, size, size)));
    }
  }
  // Any other size, and any other mark, draws nothing.
  const TCorvidBoard untouched = Board(40);
  for (int size : {12, 0, -4, 64, 24}) {
    TCorvidBoard b = Board(40);
    marks.DrawMark(b, 2, 2, size, kMarkParty, false);
    EXPECT_TRUE(SameBoards(b, untouched)) << size;
  }
  for (int mark : {-1, 5, 60001}) {
    TCorvidBoard b = Board(40);
    marks.DrawMark(b, 0, 0, 32, mark, false);
    EXPECT_TRUE(SameBoards(b, untouched)) << mark;
  }
}

TEST(StartPosMark, TranslucentMarksBlendWithWhatIsBelow) {
  TStartPosMark marks;
  TCorvidBoard opaque = Board(32), translucent = Board(32), onBlack = Board(32, 0);
  marks.DrawMark(opaque, 0, 0, 32, kMarkShip, false);
  marks.DrawMark(translucent, 0, 0, 32, kMarkShip, true);
  marks.DrawMark(onBlack, 0, 0, 32, kMarkShip, true);
  int differing = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      EXPECT_NE(opaque.Row(y)[x], kGround);  // the mark covers its whole square
      if (translucent.Row(y)[x] != onBlack.Row(y)[x]) ++differing;
    }
  EXPECT_EQ(differing, 32 * 32);  // half of the ground shows through everywhere
  // A later opaque draw is not left translucent by an earlier one.
  TCorvidBoard again = Board(32);
  marks.DrawMark(again, 0, 0, 32, kMarkShip, false);
  EXPECT_TRUE(SameBoards(again, opaque));
}

TEST_F(CellMarker, StartPositionsShowTheirMarksInEveryStyle) {
  for (int size : {32, 16, 8, 4})
    for (int slot = 0; slot < 4; ++slot) {
      SCOPED_TRACE(::testing::Message() << size << " slot " << slot);
      EXPECT_TRUE(
          SameBoards(Draw(size, 60001 + slot, nullptr, TMarkerStyle::Translucent), MarkBoard(size, slot, true)));
      EXPECT_TRUE(SameBoards(Draw(size, 60001 + slot, nullptr, TMarkerStyle::EventMode), MarkBoard(size, slot, false)));
      EXPECT_TRUE(SameBoards(Draw(size, 60001 + slot, nullptr, TMarkerStyle::Picture), MarkBoard(size, slot, false)));
    }
  // Nothing for an empty cell or a value beyond the start positions.
  for (int value : {0, 60005, 65535})
    EXPECT_TRUE(SameBoards(Draw(32, value, nullptr, TMarkerStyle::EventMode), Board(32)));
}

TEST_F(CellMarker, TheSkiffOverAnEventShowsTheSkiff) {
  TLcfMap map;
  map.SetId(1);
  TLcfEventItem* e = map.events.Obtain(1);
  e->x = 4, e->y = 4;
  TLcfMapTree tree;
  tree.startPositions.SetMapId(TLcfMapStartPosition::kSkiff, 1);
  tree.startPositions.SetX(TLcfMapStartPosition::kSkiff, 4);
  tree.startPositions.SetY(TLcfMapStartPosition::kSkiff, 4);
  TLcfEventMap grid;
  grid.Build(&tree, map);
  const int value = grid.GetAt(4, 4);
  EXPECT_EQ(value, 60002);
  EXPECT_TRUE(SameBoards(Draw(32, value, e, TMarkerStyle::EventMode), MarkBoard(32, kMarkSkiff, false)));
}

TEST_F(CellMarker, EventsShowTheGenericMarkOutsideTheEventModeAndBelowSixteen) {
  const TLcfEventItem& hero = Event("Hero", 3);
  for (int size : {32, 16, 8, 4}) {
    SCOPED_TRACE(size);
    EXPECT_TRUE(SameBoards(Draw(size, 7, &hero, TMarkerStyle::Translucent), MarkBoard(size, kMarkEvent, true)));
    if (size < 16) {
      EXPECT_TRUE(SameBoards(Draw(size, 7, &hero, TMarkerStyle::EventMode), MarkBoard(size, kMarkEvent, false)));
      EXPECT_TRUE(SameBoards(Draw(size, 7, &hero, TMarkerStyle::Picture), MarkBoard(size, kMarkEvent, false)));
    }
  }
}

TEST_F(CellMarker, EventModeShowsTheFrameInAWhiteSquare) {
  const struct {
    int size;
    TRect white, inner;
    TPoint offset;
  } cases[] = {{32, Bounds(4, 4, 23, 23), Bounds(5, 5, 21, 21), {1, 6}},
               {16, Bounds(1, 1, 13, 13), Bounds(2, 2, 11, 11), {6, 9}}};
  TCorvidSheet& sheet = charSets_.SheetAt(charSets_.IndexOf("Hero"));
  for (const auto& c : cases) {
    for (TMarkerStyle style : {TMarkerStyle::EventMode, TMarkerStyle::Picture}) {
      SCOPED_TRACE(::testing::Message() << c.size << (style == TMarkerStyle::Picture ? " picture" : " event mode"));
      // Character 6, facing left, right pattern: the frame at (144 + 48, 128 + 96).
      const TCorvidBoard b = Draw(c.size, 7, &Event("Hero", 6, 3, 2), style);
      for (int y = 0; y < c.size; ++y)
        for (int x = 0; x < c.size; ++x) {
          const bool inInner = x >= c.inner.left && x < c.inner.right && y >= c.inner.top && y < c.inner.bottom;
          const bool inWhite = x >= c.white.left && x < c.white.right && y >= c.white.top && y < c.white.bottom;
          uint16_t expected = kGround;
          if (inInner) {
            const int sx = 144 + 48 + c.offset.x + x - c.inner.left, sy = 128 + 96 + c.offset.y + y - c.inner.top;
            expected = sheet.palette16[sheet.Row(sy)[sx]];
          } else if (inWhite && style == TMarkerStyle::EventMode) {
            expected = kWhite;
          }
          ASSERT_EQ(b.Row(y)[x], expected) << x << "," << y;
        }
    }
  }
}

TEST_F(CellMarker, EventsWithoutAPictureShowTheGenericMark) {
  TLcfEventItem noPages;
  noPages.pages.SetCount(0);
  const TCorvidBoard mark = MarkBoard(32, kMarkEvent, false);
  const struct {
    const char* what;
    const TLcfEventItem* event;
  } cases[] = {
      {"no event", nullptr},
      {"no pages", &noPages},
  };
  for (const auto& c : cases) EXPECT_TRUE(SameBoards(Draw(32, 9, c.event, TMarkerStyle::EventMode), mark)) << c.what;
  const struct {
    const char* what;
    std::string sheet;
    int index, facing, pattern;
  } pages[] = {
      {"a sheet that failed to load", "Missing", 0, 2, 1},
      {"character 8", "Hero", 8, 2, 1},
      {"facing 4", "Hero", 0, 4, 1},
      {"pattern 3", "Hero", 0, 2, 3},
      {"tile 144", "", 144, 2, 1},
      {"tile -1", "", -1, 2, 1},
  };
  for (const auto& p : pages) {
    SCOPED_TRACE(p.what);
    const TLcfEventItem& e = Event(p.sheet, p.index, p.facing, p.pattern);
    EXPECT_TRUE(SameBoards(Draw(32, 9, &e, TMarkerStyle::EventMode), mark));
    EXPECT_TRUE(SameBoards(Draw(32, 9, &e, TMarkerStyle::Picture), mark));
  }
}

TEST_F(CellMarker, AnUncachedSheetShowsOnlyTheWhiteSquareAndIsNotLoaded) {
  TCorvidBoard expected = Board(32);
  expected.FillRect(Bounds(4, 4, 23, 23), kWhite);
  const TLcfEventItem& e = Event("Hero2", 0);
  SavePictureFile(Noise(kCharSetWidth, kCharSetHeight, 9), folder_ / "CharSet/Hero2.png");
  EXPECT_TRUE(SameBoards(Draw(32, 1, &e, TMarkerStyle::EventMode), expected));
  EXPECT_EQ(charSets_.IndexOf("Hero2"), -1);
  EXPECT_TRUE(SameBoards(Draw(32, 1, &e, TMarkerStyle::Picture), MarkBoard(32, kMarkEvent, false)));
}

TEST_F(CellMarker, UpperTilesShowOnTheTilesetBackgroundAndLeaveTheGraphicAsItWas) {
  const uint16_t background = Rgb565(10, 20, 250);
  const int tile = 53;
  TCorvidBoard chip = Board(16);
  chipSet_.SetTransparent(true);
  chipSet_.DrawChip(chip, 0, 0, 16, false, 10000 + tile, 0);
  chipSet_.SetTransparent(false);
  chipSet_.SetFade(3);
  const TLcfEventItem& e = Event("", tile);

  TCorvidBoard b = Draw(32, 2, &e, TMarkerStyle::EventMode);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      uint16_t expected = kGround;
      if (x >= 8 && x < 24 && y >= 8 && y < 24)
        expected = chip.Row(y - 8)[x - 8];
      else if (x >= 5 && x < 26 && y >= 5 && y < 26)
        expected = background;
      else if (x >= 4 && x < 27 && y >= 4 && y < 27)
        expected = kWhite;
      ASSERT_EQ(b.Row(y)[x], expected) << x << "," << y;
    }
  b = Draw(16, 2, &e, TMarkerStyle::EventMode);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      uint16_t expected = kGround;
      if (x >= 2 && x < 13 && y >= 2 && y < 13)
        expected = chip.Row(y)[x];
      else if (x >= 1 && x < 14 && y >= 1 && y < 14)
        expected = kWhite;
      ASSERT_EQ(b.Row(y)[x], expected) << x << "," << y;
    }
  // The graphic's drawing state is the caller's.
  EXPECT_FALSE(chipSet_.sheet.transparent);
  EXPECT_FALSE(chipSet_.dimmedSheet.transparent);
  EXPECT_EQ(chipSet_.sheet.opacity, 255 - 90);
  EXPECT_EQ(chipSet_.dimmedSheet.opacity, 255 - 90);

  // Without a tileset there is no tile to show.
  TLcfChipSetGraphic none;
  TCorvidBoard noTileset = Board(32);
  painter_.DrawCellMarker(noTileset, 0, 0, 32, 2, &e, charSets_, none, TMarkerStyle::EventMode);
  EXPECT_TRUE(SameBoards(noTileset, MarkBoard(32, kMarkEvent, false)));
}

TEST_F(CellMarker, MapDrawingPutsTheMarkersOverBothLayersAtTheirCells) {
  TLcfMap map;
  map.SetId(2);
  map.SetWidth(20);
  map.SetHeight(15);
  map.lower.Fill();
  map.upper.Fill();
  TLcfEventItem* e = map.events.Obtain(5);
  e->x = 3, e->y = 1;
  e->pages.ItemAt(0)->graphicName = "Hero";
  TLcfMapTree tree;
  tree.startPositions.SetMapId(TLcfMapStartPosition::kParty, 2);
  tree.startPositions.SetX(TLcfMapStartPosition::kParty, 0);
  tree.startPositions.SetY(TLcfMapStartPosition::kParty, 2);
  TLcfEventMap grid;
  grid.Build(&tree, map);
  TEventLayer layer{&grid, &charSets_, &painter_, TMarkerStyle::EventMode};
  TMapDrawOptions options;
  options.cellSize = 16;
  options.events = &layer;

  // The cells (2..4, 1..2) drawn with the view scrolled so that cell (2, 1) is at (-4, 5).
  TCorvidBoard board;
  board.SetSize(60, 60);
  DrawMapCells(board, {-36, -11}, map, TRect{2, 1, 5, 3}, chipSet_, nullptr, options);
  TMapDrawOptions plain = options;
  plain.events = nullptr;
  TCorvidBoard reference;
  reference.SetSize(60, 60);
  DrawMapCells(reference, {-36, -11}, map, TRect{2, 1, 5, 3}, chipSet_, nullptr, plain);
  painter_.DrawCellMarker(reference, -36 + 3 * 16, -11 + 16, 16, 5, e, charSets_, chipSet_, TMarkerStyle::EventMode);
  EXPECT_TRUE(SameBoards(board, reference));  // the party's cell (0, 2) is outside the cells drawn

  DrawMapCells(board, {0, 0}, map, TRect{0, 0, 20, 15}, chipSet_, nullptr, options);
  DrawMapCells(reference, {0, 0}, map, TRect{0, 0, 20, 15}, chipSet_, nullptr, plain);
  painter_.DrawCellMarker(reference, 48, 16, 16, 5, e, charSets_, chipSet_, TMarkerStyle::EventMode);
  painter_.DrawCellMarker(reference, 0, 32, 16, 60001, nullptr, charSets_, chipSet_, TMarkerStyle::EventMode);
  EXPECT_TRUE(SameBoards(board, reference));
}
