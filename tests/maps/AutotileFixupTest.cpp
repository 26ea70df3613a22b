#include <gtest/gtest.h>

#include <random>

#include "MapEditFixture.h"
#include "maps/AutotileFixup.h"
#include "maps/MapEditUtils.h"

using namespace tess;
using namespace tess::test;

TEST(AutotileFixup, ShapesOfTheMaskTable) {
  struct TCase {
    int mask, shape;
  };
  const TCase cases[] = {
      {0, 0},
      {kNbNW | kNbSE, 5},
      {kNbNW | kNbNE | kNbSE | kNbSW, 15},
      {kNbW | kNbNW | kNbSW, 16},  // diagonals next to a differing side do not count
      {kNbW | kNbNE | kNbSE, 19},
      {kNbN | kNbSW, 22},
      {kNbE | kNbNW, 26},
      {kNbS | kNbNE, 30},
      {kNbW | kNbE | 15, 32},
      {kNbN | kNbS, 33},
      {kNbN | kNbW | kNbSE, 35},
      {kNbN | kNbE | kNbSW, 37},
      {kNbE | kNbS | kNbNW, 39},
      {kNbS | kNbW | kNbNE, 41},
      {kNbN | kNbE | kNbW, 42},
      {kNbN | kNbS | kNbW, 43},
      {kNbE | kNbS | kNbW, 44},
      {kNbN | kNbE | kNbS, 45},
      {255, 46},
  };
  for (const TCase& c : cases) EXPECT_EQ(ShapeFromMask(c.mask), c.shape) << c.mask;
}

TEST(AutotileFixup, CanonicalMaskIsTheInverseOfTheShape) {
  EXPECT_EQ(CanonicalMask(16), 25);
  EXPECT_EQ(CanonicalMask(32), 95);
  EXPECT_EQ(CanonicalMask(46), 255);
  for (int shape : {47, 48, 49}) EXPECT_EQ(CanonicalMask(shape), 0) << shape;
  for (int shape = 0; shape <= 46; ++shape) EXPECT_EQ(ShapeFromMask(CanonicalMask(shape)), shape) << shape;
  // Every mask answers the shape whose canonical mask agrees with it on the bits that matter.
  for (int mask = 0; mask < 256; ++mask) {
    int shape = ShapeFromMask(mask);
    EXPECT_EQ(ShapeFromMask(CanonicalMask(shape) | (mask & CanonicalMask(shape))), shape) << mask;
  }
}

TEST(AutotileFixup, PlacingWithThePen) {
  struct TCase {
    const char* name;
    int chip;
    std::vector<TCellPoint> cells;
    TMapModifiers mods;
    TCellPoint probe;
    int id;
  };
  const TCase cases[] = {
      {"autotile 0 alone: all four sides differ", 4049, {{5, 5}}, {}, {5, 5}, 4046},
      {"pair, west cell", 4049, {{5, 5}, {6, 5}}, {}, {5, 5}, 4043},
      {"pair, east cell", 4049, {{5, 5}, {6, 5}}, {}, {6, 5}, 4045},
      {"corner without Ctrl: the outside is the same", 4049, {{0, 0}}, {}, {0, 0}, 4038},
      {"corner with Ctrl: the edge is a border", 4049, {{0, 0}}, {false, true}, {0, 0}, 4046},
      {"Shift stores the exact id", 4023, {{5, 5}}, {true, false}, {5, 5}, 4023},
      {"Shift turns the preview shape into 0", 4049, {{5, 5}}, {true, false}, {5, 5}, 4000},
      {"animated tile 1 carries its shape", 3050, {{5, 5}}, {}, {5, 5}, 3096},
      {"lower chip as chosen", 5007, {{5, 5}}, {}, {5, 5}, 5007},
  };
  for (const TCase& c : cases) {
    TMapEditFixture f;
    f.Use(TEditTool::Pen);
    f.Chip(c.chip);
    f.Drag(c.cells, c.mods);
    EXPECT_EQ(f.Lower(c.probe.x, c.probe.y), c.id) << c.name;
  }
}

TEST(AutotileFixup, ShiftLeavesNeighboursAlone) {
  TMapEditFixture f;
  f.Use(TEditTool::Pen);
  f.Chip(4049);
  f.Click(5, 5);
  f.Chip(4099);
  f.Click(6, 5, {true, false});
  EXPECT_EQ(f.Lower(5, 5), 4046);
  EXPECT_EQ(f.Lower(6, 5), 4050);
}

TEST(AutotileFixup, RectangleOfOneAutotile) {
  TMapEditFixture f;
  f.Use(TEditTool::Rectangle);
  f.Chip(4049);
  f.Drag({{5, 5}, {6, 6}, {7, 7}});
  EXPECT_EQ(f.Shapes(5, 5, 3, 3), "34 20 36 / 16 0 24 / 40 28 38");
  EXPECT_EQ(f.Lower(4, 4), 5000);
  // Shrinking the shape again restores what lay outside it.
  f.Drag({{5, 5}, {7, 7}, {5, 5}});
  EXPECT_EQ(f.Lower(6, 6), 4000);  // the first rectangle stays, with its centre
  EXPECT_EQ(f.Lower(5, 5), 4034);
}

TEST(AutotileFixup, WaterCornersWhereKindsMeet) {
  struct TCase {
    const char* name;
    int ground, corner, chip, id;
  };
  // North, west and north-west of (2, 2) hold the other kind.
  const TCase cases[] = {
      {"shallow water beside deep water", 0, 2000, 49, 50},
      {"deep water beside shallow water", 2000, 1000, 2049, 2050},
      {"shallow water beside shallow water of the other kind", 0, 1000, 49, 0},
  };
  for (const TCase& c : cases) {
    TMapEditFixture f(6, 6, c.ground);
    for (TCellPoint p : {TCellPoint{1, 1}, {2, 1}, {1, 2}}) f.map.lower.SetCell(p.x, p.y, c.corner);
    f.Use(TEditTool::Pen);
    f.Chip(c.chip);
    f.Click(2, 2);
    EXPECT_EQ(f.Lower(2, 2), c.id) << c.name;
  }
}

TEST(AutotileFixup, LinkedBlocksCountAsTheSame) {
  TMapEditFixture f;
  TAutotileLinks links;
  links.links[1] = 6;  // block 1 repeats block 0's preview cell in its link cell
  f.State().SetLinks(links);
  f.map.lower.SetCell(6, 5, 4050);
  f.Use(TEditTool::Pen);
  f.Chip(4049);
  f.Click(5, 5);
  EXPECT_EQ(f.Lower(5, 5), 4043);                           // the block-1 neighbour in the east is the same
  EXPECT_EQ(NeighbourDiffers(7, 6, {links, false}), true);  // the link is one-sided
}

TEST(AutotileFixup, LayerFixAroundPlacesThePenAndRefixesNeighbours) {
  TLcfMap map;
  map.SetWidth(8);
  map.SetHeight(8);
  std::fill(map.lower.cells.begin(), map.lower.cells.end(), 5000);
  // The map edge always counts as the same on a layer alone.
  LayerFixAround(map.lower, 0, 0, 4049, {});
  EXPECT_EQ(map.lower.GetCell(0, 0), 4038);
  LayerFixAround(map.lower, 1, 0, 4049, {});
  EXPECT_EQ(map.lower.GetCell(0, 0), 4028);  // now only the south differs
  EXPECT_EQ(map.lower.GetCell(1, 0), 4038);
  // A looping layer wraps the position.
  map.SetScrollType(3);
  LayerFixAround(map.lower, -1, 9, 4049, {});
  EXPECT_EQ(map.lower.GetCell(7, 1), 4046);
  EXPECT_EQ(LayerFixCell(map.lower, 3, 3, 2049, kAllNeighbours, false, {}), 2046);
  EXPECT_EQ(map.lower.GetCell(3, 3), 5000);
}

namespace {

// A random lower layer: patches of a few kinds (water, deep water, two autotiles, plain chips),
// with random shapes, so nothing is fixed up to begin with.
void RandomLayer(TLcfMap& map, std::mt19937& rng, int w, int h) {
  map.SetWidth(w);
  map.SetHeight(h);
  map.SetScrollType(static_cast<int>(rng() % 4));
  const int kinds[] = {0, 1000, 2000, 3000, 4000, 4150, 5000, 5001};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int id = kinds[(x / 3 + y / 2 + static_cast<int>(rng() % 3)) % 8];
      if (id < 5000 && id != 3000) id += static_cast<int>(rng() % 50);
      map.lower.SetCell(x, y, id);
    }
}

// Fixing up a copy changes nothing: every cell of the layer has the shape its neighbours give it.
bool FullyFixed(const TLcfMapLayer& layer, const TFixupRules& rules) {
  TLcfMap copy;
  copy.lower.Assign(layer);
  return FixUpLayer(copy.lower, rules) == 0;
}

}  // namespace

TEST(AutotileFixup, FixingAFixedMapChangesNothing) {
  std::mt19937 rng(11);
  for (int round = 0; round < 40; ++round) {
    TLcfMap map;
    RandomLayer(map, rng, 5 + static_cast<int>(rng() % 20), 5 + static_cast<int>(rng() % 20));
    TFixupRules rules;
    rules.edgeDiffers = rng() % 2;
    if (rng() % 2) rules.links.links[rng() % 12] = 6 + static_cast<int>(rng() % 12);
    FixUpLayer(map.lower, rules);
    EXPECT_TRUE(FullyFixed(map.lower, rules)) << round;
  }
}

TEST(AutotileFixup, ToolResultsEqualAFullRefix) {
  std::mt19937 rng(5);
  const TEditTool tools[] = {TEditTool::Pen, TEditTool::Rectangle, TEditTool::Ellipse, TEditTool::FloodFill};
  const int chips[] = {49, 1049, 2049, 3000, 4049, 4199, 5003};
  for (int round = 0; round < 120; ++round) {
    TMapEditFixture f(16, 14);
    RandomLayer(f.map, rng, 16, 14);
    f.edit.SetMap();
    const TFixupRules rules;
    FixUpLayer(f.map.lower, rules);
    const TEditTool tool = tools[round % 4];
    f.Use(tool);
    f.Chip(chips[rng() % 7]);
    std::vector<TCellPoint> path;
    for (int i = 0; i < 4; ++i) path.push_back({static_cast<int>(rng() % 18) - 1, static_cast<int>(rng() % 16) - 1});
    f.Drag(path);
    EXPECT_TRUE(FullyFixed(f.map.lower, rules)) << "round " << round << " tool " << static_cast<int>(tool);
  }
}
