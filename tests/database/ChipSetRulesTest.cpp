#include <gtest/gtest.h>

#include "database/ChipSetRules.h"

using namespace tess;

namespace {

constexpr uint8_t kCircle = 15, kCross = 0, kStar = 31, kSquare = 48;

}  // namespace

TEST(ChipSetRules, PassabilityCyclesBothWays) {
  // entry 6 is an autotile block (square allowed), 18 a plain chip; upper entry 5 never has it.
  struct Case {
    TChipSetTool tool;
    int index;
    bool left;
    uint8_t sequence[5];
  } cases[] = {
      {TChipSetTool::LowerPassability, 6, true, {kCircle, kCross, kStar, kSquare, kCircle}},
      {TChipSetTool::LowerPassability, 6, false, {kCircle, kSquare, kStar, kCross, kCircle}},
      {TChipSetTool::LowerPassability, 18, true, {kCircle, kCross, kStar, kCircle, kCross}},
      {TChipSetTool::LowerPassability, 18, false, {kCircle, kStar, kCross, kCircle, kStar}},
      {TChipSetTool::UpperPassability, 5, true, {kCircle, kCross, kStar, kCircle, kCross}},
      {TChipSetTool::UpperPassability, 5, false, {kCircle, kStar, kCross, kCircle, kStar}},
  };
  for (const Case& c : cases) {
    TLcfChipSetItem t;
    TChipSetToolEdit edit;
    edit.tool = c.tool;
    for (int step = 1; step < 5; ++step) {
      EXPECT_TRUE(edit.Press(t, c.index, c.left, 0, 0, 32));
      const int flags = IsUpperTool(c.tool) ? t.GetUpperFlags(c.index) : t.GetLowerFlags(c.index);
      EXPECT_EQ(flags, c.sequence[step]) << "entry " << c.index << " step " << step << " left " << c.left;
    }
  }
}

TEST(ChipSetRules, DirectionTrianglesAndCounterFlag) {
  struct Case {
    TChipSetTool tool;
    int x, y;
    uint8_t bit;
  } cases[] = {
      {TChipSetTool::LowerDirections, 16, 2, kPassUp},   {TChipSetTool::LowerDirections, 29, 16, kPassRight},
      {TChipSetTool::LowerDirections, 2, 15, kPassLeft}, {TChipSetTool::LowerDirections, 15, 30, kPassDown},
      {TChipSetTool::UpperDirections, 16, 2, kPassUp},   {TChipSetTool::UpperDirections, 30, 30, kPassDown},
      {TChipSetTool::Counter, 16, 16, kChipCounter},     {TChipSetTool::Counter, 0, 0, kChipCounter},
  };
  for (const Case& c : cases) {
    TLcfChipSetItem t;
    TChipSetToolEdit edit;
    edit.tool = c.tool;
    auto flags = [&] { return IsUpperTool(c.tool) ? t.GetUpperFlags(7) : t.GetLowerFlags(7); };
    const int before = flags();
    EXPECT_TRUE(edit.Press(t, 7, true, c.x, c.y, 32));
    EXPECT_EQ(flags(), before ^ c.bit) << c.x << "," << c.y;
    EXPECT_TRUE(edit.Press(t, 7, false, c.x, c.y, 32));
    EXPECT_EQ(flags(), before);
  }
}

TEST(ChipSetRules, UpperEntryZeroIgnoresEveryTool) {
  for (TChipSetTool tool : {TChipSetTool::UpperPassability, TChipSetTool::UpperDirections, TChipSetTool::Counter}) {
    TLcfChipSetItem t;
    TChipSetToolEdit edit;
    edit.tool = tool;
    EXPECT_FALSE(edit.Press(t, 0, true, 16, 2, 32));
    EXPECT_FALSE(edit.Press(t, 1, true, 16, 2, 32) && edit.Drag(t, 0));
    EXPECT_EQ(t.GetUpperFlags(0), kEmptyUpperChipFlags);
  }
}

TEST(ChipSetRules, DraggingPaintsWhatThePressDid) {
  TLcfChipSetItem t;
  t.SetLowerFlags(20, kStar);
  TChipSetToolEdit edit;
  edit.tool = TChipSetTool::LowerPassability;
  ASSERT_TRUE(edit.Press(t, 18, true, 0, 0, 32));  // circle -> cross
  EXPECT_TRUE(edit.Drag(t, 19));
  EXPECT_FALSE(edit.Drag(t, 19));  // the same entry again paints nothing
  EXPECT_TRUE(edit.Drag(t, 20));   // a star becomes a cross too
  for (int i : {18, 19, 20}) EXPECT_EQ(t.GetLowerFlags(i), kCross);
  edit.Release();
  EXPECT_FALSE(edit.Drag(t, 21));
  // A square dragged beyond the autotile rows leaves the plain chips alone.
  edit.Press(t, 7, false, 0, 0, 32);  // circle -> square
  edit.Drag(t, 8);
  edit.Drag(t, 18);
  EXPECT_EQ(t.GetLowerFlags(7), kSquare);
  EXPECT_EQ(t.GetLowerFlags(8), kSquare);
  EXPECT_EQ(t.GetLowerFlags(18), kCross);
  // The terrain tool: a right click picks, a left drag paints.
  edit.tool = TChipSetTool::Terrain;
  t.SetTerrain(30, 4);
  EXPECT_FALSE(edit.Press(t, 30, false, 0, 0, 32));
  EXPECT_EQ(edit.terrain, 4);
  edit.Press(t, 31, true, 0, 0, 32);
  edit.Drag(t, 32);
  EXPECT_EQ(t.GetTerrain(31), 4);
  EXPECT_EQ(t.GetTerrain(32), 4);
  EXPECT_EQ(t.GetTerrain(33), 1);
}

TEST(ChipSetRules, UniformTerrainSetsEveryLowerEntry) {
  TLcfChipSetItem t;
  EXPECT_TRUE(SetUniformTerrain(t, 3));
  for (int i = 0; i < kLowerChipKinds; ++i) ASSERT_EQ(t.GetTerrain(i), 3);
  EXPECT_FALSE(SetUniformTerrain(t, 3));
  // The counter flag and the bits above the states stay through every passability step.
  const uint8_t counterStar = kStar | kChipCounter;
  EXPECT_EQ(CyclePassability(counterStar, true, false), kCircle | kChipCounter);
  EXPECT_EQ(PassStateOf(kChipSquare), TPassState::Cross);
}
