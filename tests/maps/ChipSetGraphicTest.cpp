#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <tuple>

#include "TestFolder.h"
#include "core/ProjectFolder.h"
#include "database/LD_ChipSet.h"
#include "maps/ChipComposition.h"
#include "maps/GR_ChipSet.h"
#include "maps/LD_Map.h"
#include "maps/MapDrawing.h"
#include "media/PictureFile.h"

using namespace tess;
using namespace tess::test;

namespace {

// A palette whose 256 entries all give different RGB565 colours, so every board pixel tells which
// palette index was drawn there.
TRgb ProbeColour(int i) {
  return TRgb{static_cast<uint8_t>((i & 31) << 3), static_cast<uint8_t>((i >> 5) << 2), static_cast<uint8_t>(i << 3)};
}

// A tileset picture of random indices 1..255 (index 0 where asked).
TBitmap NoisePicture(uint32_t seed = 7) {
  TBitmap b(480, 256, TPixelFormat::Indexed8);
  for (int i = 0; i < 256; ++i) b.Palette().push_back(ProbeColour(i));
  std::mt19937 rng(seed);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 480; ++x) b.Row(y)[x] = static_cast<uint8_t>(1 + rng() % 255);
  return b;
}

void Fill(TBitmap& b, const TRect& r, uint8_t index) {
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) b.Row(y)[x] = index;
}
void CopyCell(TBitmap& b, int fromX, int fromY, int toX, int toY) {
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) b.Row(toY + y)[toX + x] = b.Row(fromY + y)[fromX + x];
}

// A project folder holding ChipSet pictures, set as the process's project for the lookups.
class TChipSetProject {
 public:
  TChipSetProject() {
    folder_.Sub("ChipSet");
    SetProjectFolder(folder_.Path());
    SetCurrentRuntimePackageFolder("");
  }
  ~TChipSetProject() {
    SetProjectFolder("");
    TChipSetPicture::ClearCache();
  }
  // A graphic of a tileset on the picture of that name.
  void Show(TLcfChipSetGraphic& graphic, const std::string& name) {
    TLcfChipSetItem tileset;
    tileset.chipSetFile = name;
    graphic.SetTileset(&tileset);
  }
  std::string Write(const std::string& name, const TBitmap& picture) {
    const std::string path = folder_ / ("ChipSet/" + name + ".png");
    SavePictureFile(picture, path);
    return path;
  }

 private:
  TTestFolder folder_;
};

// The reference drawing of a tile from the rules alone: a whole 16 x 16 cell stretched to the
// size, or four 8 x 8 quarters (in pixels of the picture) stretched to half of it.
void DrawReference(TCorvidBoard& board, TCorvidSheet& sheet, int size, const std::vector<TPoint>& quarters) {
  if (quarters.size() == 1) {
    board.StretchSheet(Bounds(0, 0, size, size), sheet, Bounds(quarters[0].x, quarters[0].y, 16, 16));
    return;
  }
  const int h = size / 2;
  for (int i = 0; i < 4; ++i)
    board.StretchSheet(Bounds((i & 1) * h, (i >> 1) * h, h, h), sheet, Bounds(quarters[i].x, quarters[i].y, 8, 8));
}

bool SameBoards(const TCorvidBoard& a, const TCorvidBoard& b) {
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Row(y)[x] != b.Row(y)[x]) return false;
  return true;
}

}  // namespace

TEST(ChipComposition, TablesFollowTheirStructure) {
  for (int shape = 0; shape < 50; ++shape) {
    SCOPED_TRACE(shape);
    const TShapeRow& row = kShapeTable[shape];
    for (int i = 0; i < 4; ++i) {
      const TQuarter k0 = row.water[0][i], k1 = row.water[1][i], k2 = row.water[2][i];
      // Kind 1 has its own pieces six units to the right for the edge rows; kind 2 its own
      // centre rows lower down (its preview cell lies apart from the others).
      EXPECT_EQ(k1, (TQuarter{static_cast<int8_t>(k0.x + (k0.y < 8 ? 6 : 0)), k0.y}));
      if (shape != kPreviewShape) {
        const int8_t y2 = k0.y == 8 ? 14 : k0.y == 9 ? 15 : k0.y;
        EXPECT_EQ(k2, (TQuarter{k0.x, y2}));
      }
    }
    if (shape == 47 || shape == 48) {
      for (int kind = 0; kind < 3; ++kind) EXPECT_EQ(row.water[kind], kShapeTable[0].water[kind]);
      EXPECT_EQ(row.autotile, kShapeTable[0].autotile);
    }
  }
  EXPECT_EQ(kShapeTable[kPreviewShape].water[2], (TShapeQuarters{{{0, 12}, {1, 12}, {0, 13}, {1, 13}}}));
  // Every quarter stays inside its kind's or block's region of the picture.
  for (const TShapeRow& row : kShapeTable) {
    for (const TQuarter& q : row.autotile) EXPECT_TRUE(q.x >= 0 && q.x < 6 && q.y >= 0 && q.y < 8);
    for (int kind = 0; kind < 3; ++kind)
      for (const TQuarter& q : row.water[kind]) EXPECT_TRUE(q.x >= 0 && q.x < 8 && q.y >= 0 && q.y < 16);
  }
}

TEST(ChipComposition, AnimationFrames) {
  const struct {
    int sequence, speed;
    std::vector<int> counters, frames;
  } cases[] = {
      {0, 0, {0, 23, 24, 48, 72, 96}, {0, 0, 1, 2, 1, 0}},
      {0, 1, {0, 12, 24, 36, 48}, {0, 1, 2, 1, 0}},
      {1, 0, {0, 24, 48, 72}, {0, 1, 2, 0}},
      {1, 1, {11, 12, 24, 36}, {0, 1, 2, 0}},
  };
  for (const auto& c : cases)
    for (size_t i = 0; i < c.counters.size(); ++i)
      EXPECT_EQ(WaterFrame(c.counters[i], c.sequence, c.speed), c.frames[i])
          << "sequence " << c.sequence << " speed " << c.speed << " counter " << c.counters[i];
  EXPECT_EQ(AnimatedFrame(0), 0);
  EXPECT_EQ(AnimatedFrame(6), 1);
  EXPECT_EQ(AnimatedFrame(23), 3);
  EXPECT_EQ(AnimatedFrame(24), 0);
}

TEST(ChipSetGraphic, DrawsEachKindOfTileFromItsPlace) {
  TChipSetProject project;
  project.Write("Noise", NoisePicture());
  TLcfChipSetGraphic graphic;
  project.Show(graphic, "Noise");
  ASSERT_EQ(graphic.pictureError, "");

  const struct {
    const char* what;
    int id, counter, sequence, speed;
    std::vector<TPoint> quarters;  // one whole cell, or four quarters, in pixels of the picture
  } cases[] = {
      {"water, still", 0, 0, 0, 0, {{0, 64}}},
      {"water, second frame", 0, 24, 0, 0, {{16, 64}}},
      {"water, frame 1-2-3-2 back at 2", 0, 72, 0, 0, {{16, 64}}},
      {"water, fast, third frame", 0, 24, 0, 1, {{32, 64}}},
      {"deep water with a top-left corner piece", 2050, 0, 0, 0, {{0, 96}, {8, 112}, {0, 120}, {8, 120}}},
      {"water kind 1 shape 1, third frame", 1001, 48, 0, 0, {{80, 48}, {40, 64}, {32, 72}, {40, 72}}},
      {"every corner piece of kind 0", 15 * 50 + 46, 0, 0, 0, {{0, 80}, {8, 80}, {0, 88}, {8, 88}}},
      {"corner bits above 15 name no corner", 16 * 50, 0, 0, 0, {{0, 64}}},
      {"water preview", 49, 0, 0, 0, {{0, 0}}},
      {"animated tile 1, frame 1", 3050, 6, 0, 0, {{64, 80}}},
      {"animated tile 2, frame 3", 3149, 23, 0, 0, {{80, 112}}},
      {"autotile preview cell", 4049, 0, 0, 0, {{0, 128}}},
      {"autotile closed on all four sides", 4046, 0, 0, 0, {{0, 144}, {40, 144}, {0, 184}, {40, 184}}},
      {"autotile block 11, shape 1", 4551, 0, 0, 0, {{176, 192}, {168, 224}, {160, 232}, {168, 232}}},
      {"autotile shape 47 draws as 0", 4047, 0, 0, 0, {{16, 160}}},
      {"lower chip 0", 5000, 0, 0, 0, {{192, 0}}},
      {"lower chip 96", 5096, 0, 0, 0, {{288, 0}}},
      {"lower chip 143", 5143, 0, 0, 0, {{368, 112}}},
      {"upper chip 0", 10000, 0, 0, 0, {{288, 128}}},
      {"upper chip 48", 10048, 0, 0, 0, {{384, 0}}},
      {"upper chip 143", 10143, 0, 0, 0, {{464, 240}}},
  };
  for (const auto& c : cases) {
    graphic.waterSequence = c.sequence;
    graphic.waterSpeed = c.speed;
    for (int size : {32, 16, 8, 4}) {
      SCOPED_TRACE(std::string(c.what) + " at " + std::to_string(size));
      TCorvidBoard drawn, want;
      drawn.SetSize(size, size);
      want.SetSize(size, size);
      graphic.DrawChip(drawn, 0, 0, size, false, c.id, c.counter);
      DrawReference(want, graphic.sheet, size, c.quarters);
      EXPECT_TRUE(SameBoards(drawn, want));
    }
  }
}

TEST(ChipSetGraphic, AutotileLinksFollowTheLinkCells) {
  TBitmap picture = NoisePicture(3);
  // Origins of blocks 0..11 in pixels; the link cell lies 16 pixels right of the origin.
  const TPoint origins[12] = {{0, 128}, {48, 128}, {0, 192},  {48, 192},  {96, 0},   {144, 0},
                              {96, 64}, {144, 64}, {96, 128}, {144, 128}, {96, 192}, {144, 192}};
  CopyCell(picture, origins[3].x, origins[3].y, origins[0].x + 16, origins[0].y);  // 0 repeats 3
  CopyCell(picture, origins[5].x, origins[5].y, origins[5].x + 16, origins[5].y);  // 5 repeats itself
  // Block 7 repeats both 1 and 2: the first in order wins.
  CopyCell(picture, origins[1].x, origins[1].y, origins[2].x, origins[2].y);
  CopyCell(picture, origins[1].x, origins[1].y, origins[7].x + 16, origins[7].y);
  TChipSetProject project;
  project.Write("Links", picture);
  TLcfChipSetGraphic graphic;
  graphic.LoadPicture("Links");
  EXPECT_EQ(graphic.GetLink(6), 9);
  EXPECT_EQ(graphic.GetLink(11), 11);
  EXPECT_EQ(graphic.GetLink(13), 7);
  EXPECT_EQ(graphic.GetLink(7), -1);
  for (int notABlock : {-1, 0, 5, 18, 161, 1000}) EXPECT_EQ(graphic.GetLink(notABlock), -1) << notABlock;
}

TEST(ChipSetGraphic, BlankChipsAndTransparency) {
  TBitmap picture = NoisePicture();
  Fill(picture, Bounds(192 + 16, 0, 16, 16), 0);  // lower chip 1
  Fill(picture, Bounds(288, 128, 16, 16), 0);     // upper chip 0
  Fill(picture, Bounds(192 + 32, 0, 16, 16), 0);  // lower chip 2, blank but for one pixel
  picture.Row(5)[192 + 32 + 5] = 9;
  TChipSetProject project;
  project.Write("Blank", picture);
  TLcfChipSetGraphic graphic;
  project.Show(graphic, "Blank");
  EXPECT_TRUE(graphic.chips[19].blank);
  EXPECT_FALSE(graphic.chips[20].blank);
  EXPECT_FALSE(graphic.chips[18].blank);
  EXPECT_TRUE(graphic.upperChips[0].blank);

  const uint16_t background = Rgb565(10, 200, 30);
  const struct {
    int id;
    bool transparent;
    bool unchanged;
  } cases[] = {
      {5001, true, true}, {10000, true, true}, {5001, false, false}, {10000, false, false}, {5002, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    TCorvidBoard board;
    board.SetSize(16, 16);
    board.Fill(background);
    graphic.SetTransparent(c.transparent);
    graphic.DrawChip(board, 0, 0, 16, false, c.id, 0);
    EXPECT_EQ(board.Row(0)[0] == background, c.unchanged || c.transparent);
    if (!c.transparent) EXPECT_EQ(board.Row(0)[0], graphic.sheet.palette16[0]);
    if (!c.unchanged) EXPECT_NE(board.Row(5)[5], background);
  }
}

TEST(ChipSetGraphic, IdsOutsideEveryRangeDrawAnErrorCellAndNeverThrow) {
  TChipSetProject project;
  project.Write("Noise", NoisePicture());
  TLcfChipSetGraphic graphic;
  project.Show(graphic, "Noise");
  for (int id : {-1, -50000, 3150, 3999, 4600, 4999, 5144, 9999, 10144, 19999, 20000, 65535}) {
    SCOPED_TRACE(id);
    TCorvidBoard board;
    board.SetSize(40, 40);
    EXPECT_NO_THROW(graphic.DrawChip(board, 4, 4, 32, false, id, 0));
    EXPECT_EQ(board.Row(4)[4], kErrorCellColour);
    EXPECT_EQ(board.Row(35)[35], kErrorCellColour);
    EXPECT_EQ(board.Row(3)[3], 0);
    EXPECT_EQ(board.Row(36)[36], 0);
  }
  // Without a tileset nothing is drawn, whatever the id.
  TLcfChipSetGraphic none;
  TCorvidBoard board;
  board.SetSize(8, 8);
  board.Fill(7);
  for (int id : {0, 5000, -1, 20000}) none.DrawChip(board, 0, 0, 8, false, id, 0);
  EXPECT_EQ(board.Row(3)[3], 7);
  // Odd sizes, sizes of nothing and positions off the board are drawn clipped or not at all.
  for (int size : {-3, 0, 1, 3, 33})
    for (int id : {0, 4046, 5000, 10001}) {
      EXPECT_NO_THROW(graphic.DrawChip(board, -size / 2, 5, size, false, id, 77));
      EXPECT_NO_THROW(graphic.DrawChip(board, 1 << 30, -(1 << 30), size, true, id, -5));
    }
}

TEST(ChipSetGraphic, PicturesAreLoadedAndAnalysedOncePerFile) {
  TChipSetProject project;
  const std::string path = project.Write("Field", NoisePicture());
  const int before = TChipSetPicture::LoadCount();
  TLcfChipSetGraphic a, b;
  a.LoadPicture("Field");
  a.LoadPicture("Field");
  b.LoadPicture("Field");
  EXPECT_EQ(TChipSetPicture::LoadCount(), before + 1);
  EXPECT_EQ(a.sheet.Row(10)[10], b.sheet.Row(10)[10]);

  // A graphic's drawing state is its own even though the picture is shared.
  a.SetFade(3);
  EXPECT_EQ(a.sheet.opacity, 165);
  EXPECT_EQ(b.sheet.opacity, 255);

  // A replaced file is read again when asked for; the name alone does not reload.
  TBitmap other = NoisePicture(99);
  std::filesystem::remove(path);
  SavePictureFile(other, path);
  std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(2));
  b.LoadPicture("Field");
  EXPECT_EQ(TChipSetPicture::LoadCount(), before + 1);
  b.ReloadPicture();
  EXPECT_EQ(TChipSetPicture::LoadCount(), before + 2);
  EXPECT_EQ(b.sheet.Row(10)[10], other.Row(10)[10]);
}

TEST(ChipSetGraphic, MissingDamagedOrMisfitPicturesDrawAPlaceholderAndSaySo) {
  TChipSetProject project;
  TBitmap trueColour(480, 256, TPixelFormat::Rgb24);
  project.Write("Deep", trueColour);
  for (const auto& [name, w, h] : {std::tuple{"Small", 240, 128}, {"Large", 960, 512}, {"Dot", 1, 1}}) {
    TBitmap misfit(w, h, TPixelFormat::Indexed8);
    misfit.Palette().assign(2, TRgb{0, 0, 0});
    project.Write(name, misfit);
  }
  const struct {
    const char* name;
    const char* errorHas;
  } cases[] = {{"Nowhere", "no such picture"},
               {"Deep", "the picture has 24 bits per pixel; ChipSet takes 8-bit palette pictures"},
               {"../ChipSet/Deep", "no such"},
               {"Small", "the picture is 240 x 128 pixels; ChipSet takes 480 x 256"},
               {"Large", "the picture is 960 x 512 pixels; ChipSet takes 480 x 256"},
               {"Dot", "the picture is 1 x 1 pixels; ChipSet takes 480 x 256"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TLcfChipSetItem tileset;
    tileset.chipSetFile = c.name;
    TLcfChipSetGraphic graphic;
    graphic.SetTileset(&tileset);
    EXPECT_NE(graphic.pictureError.find(c.errorHas), std::string::npos) << graphic.pictureError;
    TCorvidBoard board;
    board.SetSize(16, 16);
    board.Fill(1234);
    graphic.DrawChip(board, 0, 0, 16, false, 5000, 0);
    // Stripes in two colours, never black.
    EXPECT_NE(board.Row(8)[8], 0);
    EXPECT_NE(board.Row(8)[8], board.Row(8)[12]);
    // The empty upper cell stays empty.
    board.Fill(1234);
    graphic.SetTransparent(true);
    graphic.DrawChip(board, 0, 0, 16, false, 10000, 0);
    EXPECT_EQ(board.Row(8)[8], 1234);
  }
}

TEST(ChipSetGraphic, KeepsTheTilesetsValuesNotTheRecord) {
  TChipSetProject project;
  project.Write("Noise", NoisePicture());
  TLcfChipSetGraphic graphic;
  {
    auto tileset = std::make_unique<TLcfChipSetItem>();
    tileset->SetId(4);
    tileset->chipSetFile = "Noise";
    tileset->waterSpeed = 1;
    graphic.SetTileset(tileset.get());
  }  // the database replaced its records
  EXPECT_EQ(graphic.tilesetId, 4);
  TCorvidBoard drawn, want;
  drawn.SetSize(16, 16);
  want.SetSize(16, 16);
  graphic.DrawChip(drawn, 0, 0, 16, false, 0, 12);
  want.DrawSheet(0, 0, Bounds(16, 64, 16, 16), graphic.sheet);
  EXPECT_TRUE(SameBoards(drawn, want));
}

TEST(MapDrawing, DrawsOnlyTheCellsAskedForWithBackgroundAndDimming) {
  TBitmap picture = NoisePicture();
  Fill(picture, Bounds(192, 0, 16, 8), 0);     // lower chip 0: transparent top half
  Fill(picture, Bounds(288, 128, 16, 16), 0);  // upper chip 0: the empty tile
  TChipSetProject project;
  project.Write("Noise", picture);
  TLcfChipSetGraphic graphic;
  project.Show(graphic, "Noise");

  TLcfMap map;
  map.SetWidth(3);
  map.SetHeight(2);
  for (int i = 0; i < 6; ++i) map.lower.cells[i] = 5000;
  map.upper.cells[4] = 10001;

  TCorvidSheet panorama;
  panorama.SetSize(48, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 48; ++x) panorama.Row(y)[x] = 200;
  panorama.palette[200] = {0, 0, 255, 0};
  panorama.UpdatePalette16();

  const uint16_t sentinel = Rgb565(1, 2, 3);
  auto render = [&](const TRect& cells, const TMapDrawOptions& options, bool usePanorama) {
    map.usePanorama = usePanorama;
    TCorvidBoard board;
    board.SetSize(3 * options.cellSize, 2 * options.cellSize);
    board.Fill(sentinel);
    DrawMapCells(board, {0, 0}, map, cells, graphic, &panorama, options);
    return board;
  };
  TMapDrawOptions at8;
  at8.cellSize = 8;

  // One cell: nothing else changes.
  TCorvidBoard one = render({1, 1, 2, 2}, at8, false);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 24; ++x) EXPECT_EQ(one.Row(y)[x] == sentinel, !(x >= 8 && x < 16 && y >= 8)) << x << "," << y;

  // The lower layer is opaque without a panorama (index 0 in its colour) and shows the panorama
  // through index 0 with one; a panorama that scrolls or has the wrong size is not shown.
  const uint16_t blue = panorama.palette16[200];
  EXPECT_EQ(render({0, 0, 3, 2}, at8, false).Row(0)[0], graphic.sheet.palette16[0]);
  EXPECT_EQ(render({0, 0, 3, 2}, at8, true).Row(0)[0], blue);
  map.panoramaScrollV = 1;
  EXPECT_EQ(render({0, 0, 3, 2}, at8, true).Row(0)[0], graphic.sheet.palette16[0]);
  map.panoramaScrollV = 0;
  panorama.SetSize(48, 48);
  EXPECT_FALSE(PanoramaShown(map, &panorama));
  panorama.SetSize(48, 32);

  // Dimming: the lower layer from the dimmed sheet, opaque; the upper one blended at 160. The
  // references are drawn cell by cell from the sheets.
  TMapDrawOptions dimLower = at8, dimUpper = at8, upperOnly = at8, lowerOnly = at8;
  dimLower.dimming = TLayerDimming::Lower;
  dimUpper.dimming = TLayerDimming::Upper;
  upperOnly.lower = false;
  lowerOnly.upper = false;
  const TRect all{0, 0, 3, 2};
  auto reference = [&](TCorvidSheet& lowerSheet, int upperOpacity) {
    TCorvidBoard board;
    board.SetSize(24, 16);
    const int32_t opacity = graphic.dimmedSheet.opacity;
    lowerSheet.transparent = false;
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) board.StretchSheet(Bounds(8 * x, 8 * y, 8, 8), lowerSheet, Bounds(192, 0, 16, 16));
    TCorvidSheet& upperSheet = upperOpacity < 255 ? graphic.dimmedSheet : graphic.sheet;
    upperSheet.transparent = true;
    upperSheet.opacity = upperOpacity;
    board.StretchSheet(Bounds(8, 8, 8, 8), upperSheet, Bounds(304, 128, 16, 16));
    upperSheet.opacity = opacity;
    return board;
  };
  EXPECT_TRUE(SameBoards(render(all, at8, false), reference(graphic.sheet, 255)));
  EXPECT_TRUE(SameBoards(render(all, dimLower, false), reference(graphic.dimmedSheet, 255)));
  EXPECT_TRUE(SameBoards(render(all, dimUpper, false), reference(graphic.sheet, kDimmedUpperOpacity)));
  EXPECT_EQ(graphic.dimmedSheet.opacity, 255);  // left as it was

  // One layer alone: the other stays as the board had it.
  TCorvidBoard up = render(all, upperOnly, false), low = render(all, lowerOnly, false);
  EXPECT_EQ(up.Row(0)[0], sentinel);
  EXPECT_EQ(up.Row(12)[12], render(all, at8, false).Row(12)[12]);
  EXPECT_EQ(low.Row(12)[12], render(all, at8, false).Row(4)[4]);
}
