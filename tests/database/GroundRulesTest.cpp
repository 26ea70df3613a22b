#include <gtest/gtest.h>

#include <cmath>

#include "database/GroundRules.h"

using namespace tess;

namespace {

void SetRates(TLcfGroundItem& t, int32_t enabled, int32_t initiative, int32_t back, int32_t surround, int32_t pincers) {
  t.specialBattles = enabled;
  t.initiativeRate = initiative;
  t.backAttackRate = back;
  t.surroundRate = surround;
  t.pincersRate = pincers;
}

}  // namespace

TEST(GroundRules, SpecialRatesStayWithinAHundred) {
  struct Case {
    int32_t enabled, changed;
    int32_t rates[4];
    int32_t expected[4];
  } cases[] = {
      // Initiative 30 and back attack 80: the back attack just enabled is limited to 70.
      {kInitiative | kBackAttack, kBackAttack, {30, 80, 10, 5}, {30, 70, 10, 5}},
      // The rate just typed wins: initiative raised to 50 beside back attack 80 gets 20.
      {kInitiative | kBackAttack, kInitiative, {50, 80, 10, 5}, {20, 80, 10, 5}},
      // Disabled openings count for nothing and keep their rates.
      {kInitiative, kInitiative, {90, 80, 70, 60}, {90, 80, 70, 60}},
      // Others already above 100 (stored so) leave 0 for the changed one, then are limited in turn.
      {kInitiative | kBackAttack | kSurroundAttack, kSurroundAttack, {80, 80, 10, 5}, {20, 80, 0, 5}},
      {kInitiative | kBackAttack | kSurroundAttack | kPincersAttack,
       kPincersAttack,
       {25, 25, 25, 40},
       {25, 25, 25, 25}},
      // Within the limit nothing changes.
      {kInitiative | kBackAttack | kSurroundAttack | kPincersAttack, kBackAttack, {15, 10, 10, 5}, {15, 10, 10, 5}},
  };
  for (const Case& c : cases) {
    TLcfGroundItem t;
    SetRates(t, c.enabled, c.rates[0], c.rates[1], c.rates[2], c.rates[3]);
    const bool changed = LimitSpecialRates(t, c.changed);
    const int32_t got[4] = {t.initiativeRate, t.backAttackRate, t.surroundRate, t.pincersRate};
    int64_t sum = 0;
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(got[i], c.expected[i]) << "opening " << i << " of case with enabled " << c.enabled;
      if (c.enabled & kSpecialBattleBits[i]) sum += got[i];
      if (!changed) EXPECT_EQ(got[i], c.rates[i]);
    }
    EXPECT_LE(sum, 100);
  }
}

TEST(GroundRules, GridAngleNeverNaN) {
  // distance, angle
  const int cases[][2] = {{0, 0}, {46, 393}, {60, 523}, {120, 1570}, {121, 1570}, {500, 1570}, {-500, -1570}};
  for (const auto& c : cases) EXPECT_EQ(GridAngleFor(c[0]), c[1]) << c[0];
}

TEST(GroundRules, EdgeDragsStayInTheirBands) {
  // A grid with its far edge at 100 and near edge at 100 + offset(400) = 146.
  struct Case {
    TGridPart part;
    int fromY, toY;
    bool fine;
    int top, nearY;  // after the move
  } cases[] = {
      {TGridPart::FarEdge, 100, 107, false, 104, 146},   // steps of 4
      {TGridPart::FarEdge, 100, 107, true, 107, 146},    // steps of 1 with Shift
      {TGridPart::FarEdge, 100, 300, false, 214, 218},   // far edge at most 214, near edge 4 below
      {TGridPart::FarEdge, 100, 0, false, 0, 120},       // near edge at most 120 below
      {TGridPart::NearEdge, 146, 40, true, 100, 104},    // at least 4 below the far edge
      {TGridPart::NearEdge, 146, 400, true, 100, 219},   // at most y 219
      {TGridPart::NearEdge, 146, 163, false, 100, 162},  // 16 down, shown where the angle puts it
  };
  for (const Case& c : cases) {
    TLcfGroundItem t;
    t.gridDepth = 1;
    t.gridTop = 100;
    t.gridAngle = 400;
    ASSERT_EQ(GridNearEdge(t), 146);
    TGridDrag drag;
    ASSERT_EQ(drag.Press(t, 160, c.fromY), c.part);
    EXPECT_TRUE(drag.Move(t, 160, c.toY, c.fine));
    EXPECT_EQ(t.gridTop, c.top) << c.toY;
    EXPECT_NEAR(GridNearEdge(t), c.nearY, 1) << c.toY;
    EXPECT_FALSE(std::isnan(static_cast<double>(t.gridAngle)));
    EXPECT_EQ(t.gridDepth, 0);
  }
}

TEST(GroundRules, SlantDragIsClampedAndAClickWritesNothing) {
  TLcfGroundItem t;
  t.gridDepth = 2;
  t.gridTop = 100;
  t.gridAngle = 400;
  t.gridSlant = 16000;
  TGridDrag drag;
  ASSERT_EQ(drag.Press(t, 100, 120), TGridPart::Slant);
  EXPECT_FALSE(drag.Move(t, 100, 130, false));  // no horizontal move: nothing written
  EXPECT_EQ(t.gridDepth, 2);
  const int moves[][2] = {{110, 18000}, {90, 14000}, {500, 64000}, {0, 0}, {100, 16000}};
  for (const auto& m : moves) {
    drag.Move(t, m[0], 120, false);
    EXPECT_EQ(t.gridSlant, m[1]) << m[0];
  }
  EXPECT_EQ(t.gridDepth, 0);
  // Outside the grid and away from its edges a press grabs nothing.
  EXPECT_EQ(drag.Press(t, 100, 20), TGridPart::None);
  EXPECT_FALSE(drag.Move(t, 200, 60, false));
}
