#include <gtest/gtest.h>

#include <functional>

#include "tools/rtpgen/TilesetArt.h"

using namespace tess::rtp;

namespace {

struct TTileset {
  const char* name;
  TTilesetArt art;
  TIndexedCanvas sheet;
};

const std::vector<TTileset>& Tilesets() {
  static const std::vector<TTileset> all = [] {
    std::vector<TTileset> v;
    for (auto [name, draw] : {std::pair{"Field", &DrawFieldTileset}, std::pair{"Dungeon", &DrawDungeonTileset}}) {
      TTilesetArt art = draw();
      TIndexedCanvas sheet = AssembleTileset(art);
      v.push_back({name, std::move(art), std::move(sheet)});
    }
    return v;
  }();
  return all;
}

// The picture positions written out from the layout: lower chips fill the column at x 192 top to
// bottom six a row, then the upper half of the column at x 288; upper chips fill the lower half of
// that column, then the column at x 384.
std::vector<std::pair<int, int>> WalkColumns(std::vector<std::tuple<int, int, int>> columns) {
  std::vector<std::pair<int, int>> cells;
  for (auto [x, y0, rows] : columns)
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < 6; ++c) cells.push_back({x + 16 * c, y0 + 16 * r});
  return cells;
}
const auto kLowerCells = WalkColumns({{192, 0, 16}, {288, 0, 8}});
const auto kUpperCells = WalkColumns({{288, 128, 8}, {384, 0, 16}});
constexpr std::pair<int, int> kBlockOrigins[12] = {{0, 128}, {48, 128}, {0, 192},  {48, 192},  {96, 0},   {144, 0},
                                                   {96, 64}, {144, 64}, {96, 128}, {144, 128}, {96, 192}, {144, 192}};

bool SameAs(const TIndexedCanvas& sheet, int sx, int sy, const TIndexedCanvas& piece, TRect from) {
  for (int y = 0; y < from.h; ++y)
    for (int x = 0; x < from.w; ++x)
      if (sheet.At(sx + x, sy + y) != piece.At(from.x + x, from.y + y)) return false;
  return true;
}

}  // namespace

TEST(Tileset, EveryPieceLandsWhereTheLayoutPutsIt) {
  for (const auto& t : Tilesets()) {
    SCOPED_TRACE(t.name);
    EXPECT_EQ(t.sheet.Width(), 480);
    EXPECT_EQ(t.sheet.Height(), 256);
    ASSERT_EQ(kLowerCells.size(), 144u);
    ASSERT_EQ(kUpperCells.size(), 144u);
    for (int k = 0; k < 144; ++k) {
      TRect cell = {(k % 6) * 16, (k / 6) * 16, 16, 16};
      EXPECT_TRUE(SameAs(t.sheet, kLowerCells[k].first, kLowerCells[k].second, t.art.lowerPalette, cell)) << k;
      EXPECT_TRUE(SameAs(t.sheet, kUpperCells[k].first, kUpperCells[k].second, t.art.upperPalette, cell)) << k;
    }
    for (int b = 0; b < 12; ++b)
      EXPECT_TRUE(SameAs(t.sheet, kBlockOrigins[b].first, kBlockOrigins[b].second, t.art.blocks[b], {0, 0, 48, 64}))
          << "block " << b;
    for (int f = 0; f < 3; ++f) {
      // Water frame f: 16 pixels a frame from x 0 for all rows, and kind 1's edges from x 48.
      EXPECT_TRUE(SameAs(t.sheet, 16 * f, 0, t.art.waterFrames[f], {0, 0, 16, 128})) << "water frame " << f;
      EXPECT_TRUE(SameAs(t.sheet, 48 + 16 * f, 0, t.art.kind1Edges[f], {0, 0, 16, 64})) << "kind 1 frame " << f;
    }
    for (int tile = 0; tile < 3; ++tile)
      for (int f = 0; f < 4; ++f)
        EXPECT_TRUE(SameAs(t.sheet, 48 + 16 * tile, 64 + 16 * f, t.art.animated[tile], {0, 16 * f, 16, 16}))
            << "animated tile " << tile << " frame " << f;
  }
}

TEST(Tileset, AutotileLinksComeOutAsDrawn) {
  // The load-time analysis: block i links to the first block j whose preview cell equals i's link
  // cell (origin + 16, 0).
  const std::vector<int> expected[2] = {{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 10, -1},
                                        {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 8, -1}};
  for (size_t n = 0; n < Tilesets().size(); ++n) {
    const auto& t = Tilesets()[n];
    SCOPED_TRACE(t.name);
    for (int i = 0; i < 12; ++i) {
      int link = -1;
      for (int j = 0; j < 12 && link < 0; ++j)
        if (t.sheet.SameRect({kBlockOrigins[i].first + 16, kBlockOrigins[i].second, 16, 16},
                             {kBlockOrigins[j].first, kBlockOrigins[j].second, 16, 16}))
          link = 6 + j;
      EXPECT_EQ(link, expected[n][i]) << "block " << i;
    }
  }
}

TEST(Tileset, LowerLayerPiecesAreOpaqueAndUpperChipZeroIsTheBlank) {
  for (const auto& t : Tilesets()) {
    SCOPED_TRACE(t.name);
    // Everything left of the chips (water, animated tiles, autotile blocks) and every lower chip
    // covers its cell: a hole would show the background through the lower layer.
    EXPECT_TRUE(t.sheet.IsSolid({0, 0, 192, 256}));
    for (int k = 0; k < 144; ++k)
      EXPECT_TRUE(t.sheet.IsSolid({kLowerCells[k].first, kLowerCells[k].second, 16, 16})) << "lower chip " << k;
    EXPECT_TRUE(t.sheet.IsBlank({kUpperCells[0].first, kUpperCells[0].second, 16, 16}));
    int drawn = 0;
    for (int k = 1; k < 144; ++k) drawn += !t.sheet.IsBlank({kUpperCells[k].first, kUpperCells[k].second, 16, 16});
    EXPECT_GE(drawn, 125);
  }
}

TEST(Tileset, WaterAndAnimatedTilesMoveBetweenFrames) {
  for (const auto& t : Tilesets()) {
    SCOPED_TRACE(t.name);
    // The open-water cell (units 0..1, 8..9) and kind 2's (units 0..1, 14..15).
    for (int y : {64, 112}) {
      EXPECT_FALSE(t.sheet.SameRect({0, y, 16, 16}, {16, y, 16, 16})) << y;
      EXPECT_FALSE(t.sheet.SameRect({16, y, 16, 16}, {32, y, 16, 16})) << y;
    }
    for (int tile = 0; tile < 3; ++tile)
      EXPECT_FALSE(t.sheet.SameRect({48 + 16 * tile, 64, 16, 16}, {48 + 16 * tile, 80, 16, 16})) << tile;
  }
}

TEST(Tileset, DungeonGeneratorTilesAreUsable) {
  for (const auto& t : Tilesets()) {
    SCOPED_TRACE(t.name);
    const TDungeonTiles& d = t.art.dungeon;
    // The ceiling is an autotile block (shape 0) so its rim follows the carved floor.
    EXPECT_GE(d.ceiling, 4000);
    EXPECT_LT(d.ceiling, 4600);
    EXPECT_EQ(d.ceiling % 50, 0);
    std::vector<int> chips = {d.upperWall, d.lowerWall, d.floorA, d.floorB, d.floorC};
    for (size_t i = 0; i < chips.size(); ++i) {
      EXPECT_GE(chips[i], 5000);
      EXPECT_LT(chips[i], 5144);
      for (size_t j = 0; j < i; ++j) EXPECT_NE(chips[i], chips[j]);
    }
    for (int top : d.obstacles) {
      // A 2 x 2 block of the six-wide upper palette: it may not run off the right edge.
      EXPECT_LE(top % 6, 4) << top;
      EXPECT_LE(top + 7, 143) << top;
      for (int k : {top, top + 1, top + 6, top + 7})
        EXPECT_FALSE(t.sheet.IsBlank({kUpperCells[k].first, kUpperCells[k].second, 16, 16})) << top << " " << k;
    }
  }
}
