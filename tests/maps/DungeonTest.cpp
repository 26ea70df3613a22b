#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <vector>

#include "maps/AutotileFixup.h"
#include "maps/DungeonGenerator.h"
#include "maps/DungeonPalette.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "maps/TileId.h"

using namespace tess;

namespace {

// Slot tiles that tell the kinds apart and take shapes: the ceiling and floor B are autotiles,
// floor C is water, the rest plain chips; each obstacle is four distinct upper chips.
constexpr uint16_t kCeilingTile = 4049, kLowerWallTile = 5010, kUpperWallTile = 5011;
constexpr uint16_t kFloorATile = 5020, kFloorBTile = 4149, kFloorCTile = 1049;

TDungeonSettings Settings(int guideline) {
  TDungeonSettings s;
  s.guideline = guideline;
  const uint16_t lower[6] = {kCeilingTile, kLowerWallTile, kUpperWallTile, kFloorATile, kFloorBTile, kFloorCTile};
  std::copy(std::begin(lower), std::end(lower), s.tiles);
  for (int i = 0; i < 12; ++i) s.tiles[6 + i] = static_cast<uint16_t>(10001 + i);
  // Block 0 counts block 1 as its own kind.
  s.links.links[0] = 7;
  return s;
}

void Size(TLcfMap& map, int w, int h) {
  map.SetWidth(w);
  map.SetHeight(h);
}

void AddEvent(TLcfMap& map, int x, int y) {
  TLcfEventItem* e = map.events.Append();
  e->x = x;
  e->y = y;
}

int IndexAt(const TLcfMap& map, int x, int y) { return ChipIdToIndex(map.lower.GetCell(x, y)); }

bool IsFloor(const TLcfMap& map, int x, int y) {
  const int index = IndexAt(map, x, y);
  return index == ChipIdToIndex(kFloorATile) || index == ChipIdToIndex(kFloorBTile) ||
         index == ChipIdToIndex(kFloorCTile);
}

// How many 4-connected regions the floor cells form.
int FloorRegions(const TLcfMap& map) {
  const int w = map.width, h = map.height;
  std::vector<char> seen(static_cast<size_t>(w * h), 0);
  int regions = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (seen[static_cast<size_t>(y * w + x)] || !IsFloor(map, x, y)) continue;
      ++regions;
      std::deque<std::pair<int, int>> todo{{x, y}};
      seen[static_cast<size_t>(y * w + x)] = 1;
      while (!todo.empty()) {
        auto [cx, cy] = todo.front();
        todo.pop_front();
        const int next[4][2] = {{cx - 1, cy}, {cx + 1, cy}, {cx, cy - 1}, {cx, cy + 1}};
        for (const auto& n : next) {
          if (n[0] < 0 || n[1] < 0 || n[0] >= w || n[1] >= h) continue;
          char& s = seen[static_cast<size_t>(n[1] * w + n[0])];
          if (s || !IsFloor(map, n[0], n[1])) continue;
          s = 1;
          todo.push_back({n[0], n[1]});
        }
      }
    }
  return regions;
}

// A small generator of test values, apart from the one under test.
struct TPick {
  uint32_t state;
  int Below(int n) {
    state = state * 1103515245u + 12345u;
    return static_cast<int>((state >> 8) % static_cast<uint32_t>(n));
  }
};

}  // namespace

TEST(DungeonPalette, IdsOfTheCells) {
  const struct {
    int a;
    bool upper;
    int id;
  } cases[] = {{0, false, 49},     {1, false, 1049}, {2, false, 2049},  {3, false, 3000},
               {5, false, 3100},   {6, false, 4049}, {17, false, 4599}, {18, false, 5000},
               {161, false, 5143}, {0, true, 10000}, {143, true, 10143}};
  for (const auto& c : cases) EXPECT_EQ(DungeonPaletteId(c.a, c.upper), c.id) << c.a;
}

TEST(DungeonPalette, SlotTilesStayInsideThePalettes) {
  int32_t columns[9] = {1, 0, 0, 5, 9, -3, 2, 5, 4};
  int32_t rows[9] = {0, 3, 26, 40, 0, 0, 1, 0, 23};
  uint16_t tiles[18] = {};
  GeneratorTilesOf(columns, rows, tiles);
  EXPECT_EQ(tiles[0], 1049);  // water 1 in its preview shape
  EXPECT_EQ(tiles[1], 5000);  // (0, 3): the first lower chip
  EXPECT_EQ(tiles[2], 5138);  // (0, 26)
  EXPECT_EQ(tiles[3], 5143);  // (5, 40) clamped to the last cell
  EXPECT_EQ(tiles[4], 3100);  // (9, 0) clamped to column 5: the third animated tile
  EXPECT_EQ(tiles[5], 49);    // (-3, 0) clamped to column 0
  // Obstacle A at (2, 1): its 2 x 2 block in the order (x, y), (x+1, y), (x, y+1), (x+1, y+1).
  EXPECT_EQ((std::vector<int>{tiles[6], tiles[7], tiles[8], tiles[9]}), (std::vector<int>{10008, 10009, 10014, 10015}));
  // Column 5 and row 23 would reach past the upper palette: the block starts at column 4, row 22.
  EXPECT_EQ(tiles[10], 10004);
  EXPECT_EQ((std::vector<int>{tiles[14], tiles[15], tiles[16], tiles[17]}),
            (std::vector<int>{10136, 10137, 10142, 10143}));
}

TEST(Dungeon, PointCounts) {
  const struct {
    int w, h, events, points;
  } cases[] = {{20, 15, 0, 5}, {20, 15, 3, 8}, {300, 200, 0, 10}, {99, 0, 0, 5}, {500, 500, 2, 17}};
  for (const auto& c : cases) EXPECT_EQ(DungeonPointCount(c.w, c.h, c.events), c.points) << c.w << " x " << c.h;
}

TEST(Dungeon, TooSmallMapsStayAsTheyWere) {
  for (auto [w, h] : {std::pair{3, 10}, {10, 3}, {0, 0}}) {
    TLcfMap map;
    Size(map, w, h);
    const Bytes before = map.Encoded();
    EXPECT_FALSE(GenerateDungeon(map, Settings(0), 1));
    EXPECT_EQ(map.Encoded(), before);
  }
  for (int guideline = 0; guideline < 4; ++guideline) {
    TLcfMap map;
    Size(map, 4, 4);
    AddEvent(map, 0, 0);
    AddEvent(map, 3, 3);
    EXPECT_TRUE(GenerateDungeon(map, Settings(guideline), 7));
    EXPECT_EQ(map.lower.cells.size(), 16u);
  }
}

TEST(Dungeon, TheSameSeedMakesTheSameDungeon) {
  for (int guideline = 0; guideline < 4; ++guideline) {
    TLcfMap a, b, c;
    for (TLcfMap* m : {&a, &b, &c}) Size(*m, 40, 30);
    GenerateDungeon(a, Settings(guideline), 42);
    GenerateDungeon(b, Settings(guideline), 42);
    GenerateDungeon(c, Settings(guideline), 43);
    EXPECT_EQ(a.lower.cells, b.lower.cells) << guideline;
    EXPECT_EQ(a.upper.cells, b.upper.cells) << guideline;
    EXPECT_NE(a.lower.cells, c.lower.cells) << guideline;
  }
}

TEST(Dungeon, OpenRoomWithSurroundingWalls) {
  const struct {
    bool upperWall;
    int firstFloorRow;
  } cases[] = {{true, 2}, {false, 1}};
  for (const auto& c : cases) {
    TLcfMap map;
    Size(map, 20, 15);
    TDungeonSettings s = Settings(kOpenRoomWithObstacles);
    s.upperWall = c.upperWall;
    ASSERT_TRUE(GenerateDungeon(map, s, 5));
    for (int y = 0; y < 15; ++y)
      for (int x = 0; x < 20; ++x) {
        SCOPED_TRACE(testing::Message() << "upper wall " << c.upperWall << " at " << x << "," << y);
        const bool inner = x > 0 && x < 19 && y < 14;
        if (inner && y >= c.firstFloorRow)
          EXPECT_TRUE(IsFloor(map, x, y));
        else if (inner && y == c.firstFloorRow - 1)
          EXPECT_EQ(map.lower.GetCell(x, y), kLowerWallTile);
        else if (inner && y == c.firstFloorRow - 2)
          EXPECT_EQ(map.lower.GetCell(x, y), kUpperWallTile);
        else
          EXPECT_EQ(IndexAt(map, x, y), ChipIdToIndex(kCeilingTile));
      }
  }
}

TEST(Dungeon, WithoutFloorsBAndCEveryFloorIsFloorA) {
  for (int guideline = 0; guideline < 4; ++guideline) {
    TLcfMap map;
    Size(map, 30, 20);
    TDungeonSettings s = Settings(guideline);
    s.floorB = s.floorC = false;
    GenerateDungeon(map, s, 11);
    int floors = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 30; ++x) {
        if (!IsFloor(map, x, y)) continue;
        ++floors;
        EXPECT_EQ(map.lower.GetCell(x, y), kFloorATile) << x << "," << y;
      }
    EXPECT_GT(floors, 0);
  }
}

TEST(Dungeon, AnEventInTheCornerGetsFloorAroundItsPoint) {
  for (int guideline = 0; guideline < 4; ++guideline) {
    TLcfMap map;
    Size(map, 20, 15);
    AddEvent(map, 0, 0);
    TDungeonSettings s = Settings(guideline);
    s.surround = false;
    GenerateDungeon(map, s, 3);
    for (int y = 0; y <= 2; ++y)
      for (int x = 0; x <= 2; ++x) EXPECT_TRUE(IsFloor(map, x, y)) << guideline << ": " << x << "," << y;
    // With the surrounding wall the event's cell and the one joining it to its point stay floor.
    TLcfMap walled;
    Size(walled, 20, 15);
    AddEvent(walled, 0, 0);
    GenerateDungeon(walled, Settings(guideline), 3);
    EXPECT_TRUE(IsFloor(walled, 0, 0));
    EXPECT_TRUE(IsFloor(walled, 1, 0));
    EXPECT_FALSE(IsFloor(walled, 0, 1));
    EXPECT_EQ(FloorRegions(walled), 1);
  }
}

TEST(Dungeon, ObstaclesKeepOffTheEdgesAndThePoints) {
  for (uint32_t seed = 0; seed < 40; ++seed) {
    TLcfMap map;
    Size(map, 24, 18);
    AddEvent(map, 5, 5);
    AddEvent(map, 10, 8);
    TDungeonSettings s = Settings(kOpenRoomWithObstacles);
    s.upperWall = seed % 2 == 0;
    // Obstacle B has blank tiles: the rest of its block still keeps off the points.
    s.tiles[10] = s.tiles[13] = 10000;
    GenerateDungeon(map, s, seed);
    int placed = 0;
    for (int y = 0; y < 18; ++y)
      for (int x = 0; x < 24; ++x) {
        if (map.upper.GetCell(x, y) == 10000) continue;
        ++placed;
        EXPECT_TRUE(x > 0 && x < 23 && y < 17 && y >= (s.upperWall ? 2 : 1)) << seed << ": " << x << "," << y;
      }
    EXPECT_EQ(map.upper.GetCell(5, 5), 10000);
    EXPECT_EQ(map.upper.GetCell(10, 8), 10000);
    EXPECT_GT(placed, 0) << seed;
  }
  // Other guidelines leave the upper layer blank.
  TLcfMap map;
  Size(map, 24, 18);
  map.upper.SetCell(3, 3, 10020);
  GenerateDungeon(map, Settings(kRoomsLinkedWithPassages), 1);
  EXPECT_EQ(std::count(map.upper.cells.begin(), map.upper.cells.end(), 10000), 24 * 18);
}

TEST(Dungeon, RoomsForThousandsOfPoints) {
  // More points than 16-bit room ids starting at 30000 could number.
  TLcfMap map;
  Size(map, 200, 120);
  TPick pick{9};
  for (int i = 0; i < 3000; ++i) AddEvent(map, pick.Below(200), pick.Below(120));
  ASSERT_TRUE(GenerateDungeon(map, Settings(kRoomsLinkedWithPassages), 2));
  for (int i = 0; i < map.events.Count(); ++i) {
    const TLcfEventItem* e = map.events.ItemAt(i);
    EXPECT_TRUE(IsFloor(map, e->x, e->y)) << e->x << "," << e->y;
  }
  EXPECT_EQ(FloorRegions(map), 1);
}

TEST(Dungeon, EventsOutsideTheMapArePulledIn) {
  TLcfMap map;
  Size(map, 20, 15);
  AddEvent(map, 400, -7);
  ASSERT_TRUE(GenerateDungeon(map, Settings(kSingleWindingPassage), 1));
  EXPECT_TRUE(IsFloor(map, 18, 1));
  EXPECT_EQ(map.events.ItemAt(0)->x, 400);  // events are not moved
  EXPECT_EQ(map.lower.cells.size(), 300u);
}

// Over many seeds, every guideline, with and without events and start positions: everything that
// stands on the map stands on floor, the floor is one region, nothing reaches outside the map, and
// fixing the layer up again changes nothing.
TEST(Dungeon, PropertiesOverAThousandSeeds) {
  for (uint32_t seed = 0; seed < 1000; ++seed) {
    TPick pick{seed * 7919u + 1};
    const int w = 20 + pick.Below(25), h = 15 + pick.Below(20);
    for (int guideline = 0; guideline < 4; ++guideline)
      for (bool withEvents : {false, true}) {
        SCOPED_TRACE(testing::Message() << "seed " << seed << ", guideline " << guideline << ", " << w << " x " << h
                                        << (withEvents ? ", events" : ""));
        TLcfMap map;
        map.SetId(3);
        Size(map, w, h);
        map.SetScrollType(seed % 5 == 0 ? 3 : 0);
        TDungeonSettings s = Settings(guideline);
        s.granularity = pick.Below(2);
        s.surround = pick.Below(4) != 0;
        s.upperWall = pick.Below(2) != 0;
        s.floorB = pick.Below(3) != 0;
        s.floorC = pick.Below(3) != 0;
        s.roomWidth = 2 + pick.Below(w / 4 - 1);
        s.roomHeight = 2 + pick.Below(h / 4 - 1);
        std::vector<TCellPoint> standing;
        if (withEvents) {
          const int events = 1 + pick.Below(6);
          for (int i = 0; i < events; ++i) {
            AddEvent(map, pick.Below(w), pick.Below(h));
            standing.push_back({map.events.ItemAt(i)->x, map.events.ItemAt(i)->y});
          }
          for (size_t slot = 0; slot < 4; ++slot)
            if (pick.Below(2)) {
              s.starts[slot] = TCellPoint{pick.Below(w), pick.Below(h)};
              standing.push_back(*s.starts[slot]);
            }
        }
        ASSERT_TRUE(GenerateDungeon(map, s, seed));

        ASSERT_EQ(map.lower.width, w);
        ASSERT_EQ(map.lower.height, h);
        ASSERT_EQ(map.lower.cells.size(), static_cast<size_t>(w * h));
        ASSERT_EQ(map.upper.cells.size(), static_cast<size_t>(w * h));
        for (uint16_t id : map.lower.cells) ASSERT_TRUE(IsValidLowerId(id)) << id;
        for (uint16_t id : map.upper.cells) ASSERT_TRUE(IsUpperChipId(id)) << id;
        for (const TCellPoint& p : standing) EXPECT_TRUE(IsFloor(map, p.x, p.y)) << p.x << "," << p.y;
        EXPECT_EQ(FloorRegions(map), 1);
        TLcfMapLayer again(&map, 0);
        again.Assign(map.lower);
        EXPECT_EQ(FixUpLayer(again, TFixupRules{s.links, false}), 0);
        if (withEvents) {
          // The generator reads the events and leaves them as they were.
          for (int i = 0; i < map.events.Count(); ++i) {
            EXPECT_EQ(map.events.ItemAt(i)->x, standing[static_cast<size_t>(i)].x);
            EXPECT_EQ(map.events.ItemAt(i)->y, standing[static_cast<size_t>(i)].y);
          }
        }
        if (HasFailure()) return;
      }
  }
}

TEST(Dungeon, SettingsOfAMap) {
  TLcfMap map;
  map.SetId(4);
  map.generatorStyle = 9;
  map.passageSize = 1;
  map.roomWidth = 0;
  map.useFloorB = 0;
  map.generatorTiles[3] = 5030;
  TLcfMapStartPosition starts;
  starts.skiffMapId = 4;
  starts.skiffX = 6;
  starts.skiffY = 7;
  starts.shipMapId = 5;
  const TDungeonSettings s = DungeonSettingsOf(map, starts, TAutotileLinks{});
  EXPECT_EQ(s.guideline, kOpenRoomWithObstacles);
  EXPECT_EQ(s.granularity, 1);
  EXPECT_EQ(s.roomWidth, 1);
  EXPECT_EQ(s.roomHeight, 2);
  EXPECT_FALSE(s.floorB);
  EXPECT_TRUE(s.floorC);
  EXPECT_EQ(s.tiles[3], 5030);
  EXPECT_EQ(s.starts[TLcfMapStartPosition::kSkiff], (TCellPoint{6, 7}));
  EXPECT_FALSE(s.starts[TLcfMapStartPosition::kShip]);
  EXPECT_FALSE(s.starts[TLcfMapStartPosition::kParty]);
}
