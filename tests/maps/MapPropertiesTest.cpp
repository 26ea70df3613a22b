#include <gtest/gtest.h>

#include "core/ClipboardPort.h"
#include "core/Stream.h"
#include "maps/AreaRect.h"
#include "maps/EncounterList.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "maps/MapClipboard.h"
#include "maps/MapProperties.h"

using namespace tess;

namespace {

void Size(TLcfMap& map, int w, int h) {
  map.SetWidth(w);
  map.SetHeight(h);
}

}  // namespace

TEST(MapProperties, GrowingKeepsTilesAndFillsTheNewColumns) {
  TLcfMap map;
  Size(map, 20, 15);
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 20; ++x) {
      map.lower.SetCell(x, y, 5000 + x);
      map.upper.SetCell(x, y, 10001 + y);
    }
  TMapProperties p;
  p.LoadFromMap(map);
  p.width = 25;
  p.ApplyToMap(map);
  ASSERT_EQ(map.width, 25);
  ASSERT_EQ(map.height, 15);
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 25; ++x) {
      EXPECT_EQ(map.lower.GetCell(x, y), x < 20 ? 5000 + x : map.lower.fillValue) << x << "," << y;
      EXPECT_EQ(map.upper.GetCell(x, y), x < 20 ? 10001 + y : map.upper.fillValue) << x << "," << y;
    }
  // Shrinking drops the columns and rows at the right and the bottom.
  p.width = 21;
  p.height = 15;
  p.ApplyToMap(map);
  EXPECT_EQ(map.lower.cells.size(), 21u * 15u);
  EXPECT_EQ(map.lower.GetCell(20, 14), 0);
  EXPECT_EQ(map.lower.GetCell(19, 14), 5019);
}

TEST(MapProperties, ShrinkingDropsWhatLiesOutside) {
  TLcfMap map;
  map.SetId(2);
  Size(map, 40, 30);
  const int cells[][2] = {{5, 5}, {25, 5}, {5, 20}, {24, 19}};
  for (const auto& c : cells) {
    TLcfEventItem* e = map.events.Append();
    e->x = c[0];
    e->y = c[1];
  }
  TLcfMapStartPosition starts;
  starts.partyMapId = 2;
  starts.partyX = 30;
  starts.partyY = 3;
  starts.skiffMapId = 2;  // inside: stays
  starts.skiffX = 10;
  starts.skiffY = 10;
  starts.shipMapId = 7;  // another map: stays
  starts.shipX = 35;
  TMapProperties p;
  p.LoadFromMap(map);
  p.width = 25;
  p.height = 20;
  p.ApplyToMap(map);
  EXPECT_EQ(DropOutsideMap(map, starts), 2);
  ASSERT_EQ(map.events.Count(), 2);
  EXPECT_EQ(map.events.ItemAt(0)->x, 5);
  EXPECT_EQ(map.events.ItemAt(1)->x, 24);
  EXPECT_EQ((std::vector<int>{starts.partyMapId, starts.partyX, starts.partyY}), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(starts.skiffMapId, 2);
  EXPECT_EQ(starts.shipMapId, 7);
}

TEST(MapProperties, RoomSizeFollowsTheMapSize) {
  TMapProperties p;
  const struct {
    int width, height, roomW, roomH, wantW, wantH;
  } cases[] = {{20, 15, 9, 9, 5, 3}, {20, 15, 1, 0, 2, 2}, {500, 500, 125, 200, 125, 125}, {43, 17, 10, 4, 10, 4}};
  for (const auto& c : cases) {
    p.width = c.width;
    p.height = c.height;
    p.roomWidth = c.roomW;
    p.roomHeight = c.roomH;
    p.Normalize();
    EXPECT_EQ(p.roomWidth, c.wantW) << c.width;
    EXPECT_EQ(p.roomHeight, c.wantH) << c.height;
  }
}

TEST(MapProperties, ValuesFromAFileAreClampedWhenShown) {
  TLcfMap map;
  Size(map, 600, 3);  // a file made elsewhere
  map.scrollType = 7;
  map.panoramaSpeedH = -20;
  map.panoramaSpeedV = 9;
  map.generatorStyle = 12;
  map.passageSize = 5;
  map.roomWidth = 300;
  map.roomHeight = -1;
  map.generatorChips[6] = 5;
  map.generatorChipVariants[6] = 23;
  map.generatorChips[0] = -4;
  map.generatorChipVariants[0] = 99;
  TLcfMapTreeItem item;
  item.encounterSteps = 4000;
  item.musicType = 9;
  item.teleport = 3;
  TMapProperties p;
  p.LoadFromItem(item);
  p.LoadFromMap(map);
  EXPECT_EQ(p.width, 500);
  EXPECT_EQ(p.height, 15);
  EXPECT_EQ(p.scrollType, 0);
  EXPECT_EQ(p.panoramaSpeedH, -8);
  EXPECT_EQ(p.panoramaSpeedV, 8);
  EXPECT_EQ(p.generatorStyle, 3);
  EXPECT_EQ(p.passageSize, 1);
  EXPECT_EQ(p.roomWidth, 125);
  EXPECT_EQ(p.roomHeight, 2);
  EXPECT_EQ(p.SlotCell(6), (TSlotCell{4, 22}));
  EXPECT_EQ(p.SlotCell(0), (TSlotCell{0, 26}));
  EXPECT_EQ(p.encounterSteps, 999);
  EXPECT_EQ(p.musicType, 0);
  EXPECT_EQ(p.teleport, 0);
  // Showing changed nothing: the map keeps its values until OK applies them.
  EXPECT_EQ(map.width, 600);
  EXPECT_EQ(map.roomWidth, 300);
  EXPECT_EQ(item.encounterSteps, 4000);
}

TEST(MapProperties, ANewTopLevelMapAllowsEverythingAndEntrustsItsMusic) {
  TMapProperties p;
  p.SetUpNew(3, true, 0);
  p.ApplyRootParent();
  EXPECT_EQ(p.name, "MAP0003");
  EXPECT_EQ(p.tilesetId, 1);
  EXPECT_EQ(p.musicType, 1);
  EXPECT_EQ(p.backdropType, 1);
  EXPECT_EQ((std::vector<int>{p.teleport, p.escape, p.save}), (std::vector<int>{1, 1, 1}));
  EXPECT_FALSE(p.Enabled().sameAsParent);
  // Below another map the first choices stay.
  TMapProperties child;
  child.SetUpNew(4, false, 2);
  child.ApplyRootParent();
  EXPECT_EQ(child.tilesetId, 2);
  EXPECT_EQ(child.musicType, 0);
  EXPECT_TRUE(child.Enabled().sameAsParent);
  EXPECT_EQ(MapPropertiesTitle(3), "Map Properties - ID:0003");
  EXPECT_EQ(AreaPropertiesTitle(12), "Area Properties - ID:0012");
}

TEST(MapProperties, ControlsEnabledByTheValues) {
  TMapProperties p;
  EXPECT_FALSE(p.Enabled().panorama);
  EXPECT_FALSE(p.Enabled().generator);
  EXPECT_FALSE(p.Enabled().tileSlots[0]);
  p.usePanorama = 1;
  p.panoramaScrollH = 1;
  TMapPropertiesEnabled e = p.Enabled();
  EXPECT_TRUE(e.panorama && e.autoScrollH);
  EXPECT_FALSE(e.speedH || e.autoScrollV);
  p.panoramaAutoH = 1;
  EXPECT_TRUE(p.Enabled().speedH);
  p.usePanorama = 0;
  EXPECT_FALSE(p.Enabled().speedH);

  p.useGenerator = 1;
  const struct {
    int guideline;
    bool granularity, roomSize;
  } cases[] = {{0, true, false}, {1, true, true}, {2, true, false}, {3, false, false}};
  for (const auto& c : cases) {
    p.generatorStyle = c.guideline;
    EXPECT_EQ(p.Enabled().granularity, c.granularity) << c.guideline;
    EXPECT_EQ(p.Enabled().roomSize, c.roomSize) << c.guideline;
  }
  p.useFloorB = 0;
  p.useObstacleC = 0;
  e = p.Enabled();
  EXPECT_EQ((std::vector<bool>(std::begin(e.tileSlots), std::end(e.tileSlots))),
            (std::vector<bool>{true, true, true, true, false, true, true, true, false}));
}

TEST(MapProperties, ItemAndMapTakeTheValues) {
  TMapProperties p;
  p.name = "Cave";
  p.musicType = 1;
  p.music.name = "Theme";
  p.backdropType = 2;
  p.backdropName = "Rocks";
  p.usePanorama = 0;
  p.panoramaName = "Sky";
  p.scrollType = 3;
  p.parentIsRoot = true;
  p.useGenerator = 1;
  p.generatorValueA = 77;
  p.SetSlotCell(kSlotObstacleA, {1, 0});
  TLcfMapTreeItem item;
  item.music.name = "Old";
  p.ApplyToItem(item);
  EXPECT_EQ(item.name, "Cave");
  EXPECT_EQ(item.music.name, "(OFF)");  // only "Specify" keeps a song
  EXPECT_EQ(item.backdropName, "Rocks");
  TLcfMap map;
  Size(map, 20, 15);
  map.panoramaName = "Sky";
  p.ApplyToMap(map);
  EXPECT_EQ(map.panoramaName, "");
  EXPECT_TRUE(map.lower.loopH && map.lower.loopV && map.upper.loopH);
  EXPECT_EQ(map.topLevel, 1);
  EXPECT_EQ(map.generatorValueA, 77);
  EXPECT_EQ(map.generatorTiles[6], 10001);
  EXPECT_EQ(map.generatorTiles[9], 10008);
}

TEST(AreaRect, TextAndCorners) {
  int32_t stored[4] = {3, 2, 10, 6};
  const TCellRect cells = AreaRectOf(stored);
  EXPECT_EQ(cells, (TCellRect{3, 2, 7, 4}));
  EXPECT_EQ(AreaRectText(cells), "(003,002) - (009,005)");
  EXPECT_EQ(AreaRectText(TCellRect{}), "");
  int32_t back[4] = {};
  SetAreaRect(back, cells);
  EXPECT_EQ((std::vector<int>(back, back + 4)), (std::vector<int>{3, 2, 10, 6}));

  const struct {
    TCellPoint a, b;
    TCellRect rect;
  } cases[] = {
      {{3, 2}, {10, 6}, {3, 2, 7, 4}},
      {{10, 6}, {3, 2}, {3, 2, 7, 4}},
      {{-5, 4}, {30, 9}, {0, 4, 20, 5}},
      {{4, 4}, {4, 9}, {}},
      {{2, 3}, {8, 3}, {}},
      {{19, 14}, {25, 40}, {19, 14, 1, 1}},
  };
  for (const auto& c : cases) EXPECT_EQ(RectBetweenCorners(c.a, c.b, 20, 15), c.rect) << c.a.x << "," << c.a.y;
}

TEST(AreaRect, AStoredRectangleIsShownAsFarAsItLiesOnTheMap) {
  const struct {
    int32_t stored[4];
    TCellRect shown;
  } cases[] = {
      {{3, 2, 10, 6}, {3, 2, 7, 4}},
      {{15, 10, 40, 30}, {15, 10, 5, 5}},
      {{-4, -2, 3, 1}, {0, 0, 3, 1}},
      {{10, 6, 3, 2}, {3, 2, 7, 4}},
      {{25, 1, 30, 5}, {}},
      {{4, 4, 4, 9}, {}},
      {{0, 0, 20, 15}, {0, 0, 20, 15}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ClampAreaRect(AreaRectOf(c.stored), 20, 15), c.shown) << c.stored[0] << "," << c.stored[1];
}

TEST(AreaRect, TheCentreOfTheAreaIsTheCentreOfTheView) {
  // Cells 10..19 by 4..7 at 32 pixels: the centre is at (480, 192).
  const TCellPoint scroll = AreaCentreScroll({10, 4, 10, 4}, 400, 300);
  EXPECT_EQ(scroll, (TCellPoint{480 - 200, 192 - 150}));
}

TEST(EncounterList, AtMostFiveHundredEncounters) {
  TMemoryClipboard clipboard;
  TClipboardPortScope scope(&clipboard);
  TLcfEncount list;
  TEncounterList encounters(list);
  EXPECT_EQ(encounters.Rows(), 1);
  for (int i = 0; i < 499; ++i) ASSERT_EQ(encounters.SetTroop(i, i + 1), i);
  EXPECT_TRUE(encounters.Copy(5));
  EXPECT_TRUE(encounters.CanPaste());
  EXPECT_EQ(encounters.Paste(2), 2);  // the 500th, before row 2
  EXPECT_EQ(list.Count(), 500);
  EXPECT_EQ(encounters.TroopAt(2), 6);
  EXPECT_EQ(encounters.TroopAt(3), 3);
  // The 500th can be edited; a 501st can be neither added nor pasted.
  EXPECT_EQ(encounters.SetTroop(499, 42), 499);
  EXPECT_EQ(encounters.TroopAt(499), 42);
  EXPECT_EQ(encounters.SetTroop(500, 7), -1);
  EXPECT_FALSE(encounters.CanPaste());
  EXPECT_EQ(encounters.Paste(0), -1);
  EXPECT_EQ(list.Count(), 500);
  // Cut makes room again.
  EXPECT_TRUE(encounters.Cut(0));
  EXPECT_EQ(list.Count(), 499);
  EXPECT_EQ(encounters.Paste(499), 499);
  EXPECT_EQ(encounters.TroopAt(499), 1);
  EXPECT_FALSE(encounters.Delete(500));  // the empty row
}

TEST(MapClipboard, BlockRoundTripAndDamage) {
  TLcfMap map;
  Size(map, 20, 15);
  map.lower.SetCell(4, 5, 5011);
  map.tilesetId = 3;
  TLcfMapTreeItem item;
  item.encounterSteps = 40;
  item.encounters.Append()->troopId = 9;
  const Bytes block = EncodeMapBlock("Town", map, item);
  ASSERT_GE(block.size(), 4u);
  EXPECT_EQ(block[0] | block[1] << 8 | block[2] << 16 | block[3] << 24, static_cast<int>(block.size() - 4));
  std::string name;
  TLcfMap back;
  TLcfMapTreeItem backItem;
  DecodeMapBlock(block, name, back, backItem);
  EXPECT_EQ(name, "Town");
  EXPECT_EQ(back.lower.GetCell(4, 5), 5011);
  EXPECT_EQ(back.tilesetId, 3);
  EXPECT_EQ(backItem.encounterSteps, 40);
  EXPECT_EQ(backItem.encounters.ItemAt(0)->troopId, 9);
  // Cut short anywhere, or with a count beyond the bytes: a read error.
  for (size_t cut : {size_t{2}, size_t{6}, block.size() / 2, block.size() - 1}) {
    Bytes damaged(block.begin(), block.begin() + static_cast<ptrdiff_t>(cut));
    EXPECT_THROW(DecodeMapBlock(damaged, name, back, backItem), std::exception) << cut;
  }
  Bytes counted = block;
  counted[0] = static_cast<uint8_t>(counted[0] + 1);
  counted.push_back(0);
  EXPECT_THROW(DecodeMapBlock(counted, name, back, backItem), std::exception);
}

TEST(MapClipboard, PastedNames) {
  const struct {
    const char* name;
    int32_t id;
    const char* pasted;
  } cases[] = {{"MAP0007", 12, "MAP0012"}, {"Town", 12, "Town"},         {"MAP00x7", 12, "MAP00x7"},
               {"MAP0000", 12, "MAP0000"}, {"MAP00007", 12, "MAP00007"}, {"MAP-001", 5, "MAP-001"},
               {"map0007", 5, "map0007"},  {"MAP9999", 3, "MAP0003"}};
  for (const auto& c : cases) EXPECT_EQ(PastedMapName(c.name, c.id), c.pasted) << c.name;
}
