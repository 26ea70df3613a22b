// The animation page's frame operations, the preview drawing (against stored pictures), the
// battler animation slots, and the skill and item page rules, without widgets.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "TestFolder.h"
#include "core/ProjectFolder.h"
#include "database/AnimationGraphic.h"
#include "database/AnimationPageKit.h"
#include "media/BoardPicture.h"
#include "media/PictureFile.h"

using namespace tess;

namespace {

// An animation whose frame f (from 1) holds one cel at x = f * 100 + marker.
void Mark(TLcfAnimationItem& a, int frames) {
  a.SetFrameCount(frames);
  for (int f = 0; f < frames; ++f) {
    a.frames.ItemAt(f)->cells.Clear();
    a.frames.ItemAt(f)->AddCell();
    a.frames.ItemAt(f)->cells.ItemAt(0)->x = f + 1;
  }
}
std::vector<int> Marks(const TLcfAnimationItem& a) {
  std::vector<int> marks;
  for (int f = 0; f < a.FrameCount(); ++f) {
    const TLcfAnimationCell& cells = a.frames.ItemAt(f)->cells;
    marks.push_back(cells.Count() ? cells.ItemAt(0)->x : 0);
  }
  return marks;
}

}  // namespace

TEST(AnimationPageKit, MassCopyOverOverlappingRangesBothWaysAndClear) {
  struct Case {
    int first, last, destination;
    std::vector<int> expected;
  };
  const Case cases[] = {
      {1, 4, 3, {1, 2, 1, 2, 3, 4, 7, 8}},  // forward over itself: back to front
      {3, 6, 1, {3, 4, 5, 6, 5, 6, 7, 8}},  // backward over itself: front to back
      {6, 3, 1, {3, 4, 5, 6, 5, 6, 7, 8}},  // a reversed range is swapped
      {2, 5, 6, {1, 2, 3, 4, 5, 2, 3, 4}},  // past the last frame nothing is made
  };
  for (const Case& c : cases) {
    TLcfAnimationItem a;
    Mark(a, 8);
    CopyFrames(a, c.first, c.last, c.destination);
    EXPECT_EQ(Marks(a), c.expected) << c.first << ".." << c.last << " to " << c.destination;
    EXPECT_EQ(a.FrameCount(), 8);
  }
  TLcfAnimationItem a;
  Mark(a, 5);
  ClearFrames(a, 4, 2);
  EXPECT_EQ(Marks(a), (std::vector<int>{1, 0, 0, 0, 5}));
}

TEST(AnimationPageKit, AutocompleteInterpolatesWithHalvesToEvenAndLeavesTheLastFrame) {
  TLcfAnimationItem a;
  a.SetFrameCount(6);
  for (int f : {0, 4}) a.frames.ItemAt(f)->AddCell();
  TLcfAnimationCellItem& from = *a.frames.ItemAt(0)->cells.ItemAt(0);
  TLcfAnimationCellItem& to = *a.frames.ItemAt(4)->cells.ItemAt(0);
  to.x = 40;
  to.y = -5;  // -1.25, -2.5, -3.75 -> -1, -2, -4
  to.zoom = 102;
  to.transparency = 50;
  to.section = 3;
  a.MarkDirty();
  Bytes sink;
  a.SaveCached(sink);
  ASSERT_FALSE(a.IsDirty());
  Autocomplete(a, 5, 1, 1, 8, {.section = false, .magnification = true, .transparency = false});
  EXPECT_TRUE(a.IsDirty());
  const int xs[] = {0, 10, 20, 30, 40}, ys[] = {0, -1, -2, -4, -5}, zooms[] = {100, 100, 101, 102, 102};
  for (int f = 0; f < 5; ++f) {
    const TLcfAnimationCellItem& c = *a.frames.ItemAt(f)->cells.ItemAt(0);
    EXPECT_EQ(c.x, xs[f]) << f;
    EXPECT_EQ(c.y, ys[f]) << f;
    EXPECT_EQ(c.zoom, zooms[f]) << f;
    EXPECT_EQ(c.section, f == 4 ? 3 : 0) << "not carried";
    EXPECT_EQ(c.transparency, f == 4 ? 50 : 0) << "not carried";
  }
  EXPECT_EQ(from.x, 0);
  EXPECT_EQ(a.frames.ItemAt(5)->cells.Count(), 0);
  // A cel in use at only one end is left alone.
  a.frames.ItemAt(4)->AddCell();
  Autocomplete(a, 1, 5, 2, 2, {true, true, true});
  EXPECT_EQ(a.frames.ItemAt(2)->cells.Count(), 1);
}

TEST(AnimationPageKit, MassModifyTouchesOnlyChosenCelsInUse) {
  TLcfAnimationItem a;
  a.SetFrameCount(3);
  for (int f = 0; f < 3; ++f)
    for (int c = 0; c < 3; ++c) a.frames.ItemAt(f)->AddCell();
  a.frames.ItemAt(1)->cells.ItemAt(1)->inUse = 0;
  TMassModify s;
  s.frames = {false, true, true};
  s.cels[1] = s.cels[2] = true;
  s.setZoom = true;
  s.zoom = 250;
  EXPECT_TRUE(MassModify(a, s));
  auto zoom = [&](int f, int c) { return a.frames.ItemAt(f)->cells.ItemAt(c)->zoom; };
  EXPECT_EQ(zoom(0, 1), 100);
  EXPECT_EQ(zoom(1, 0), 100);
  EXPECT_EQ(zoom(1, 1), 100);  // not in use
  EXPECT_EQ(zoom(1, 2), 250);
  EXPECT_EQ(zoom(2, 1), 250);
}

TEST(AnimationPageKit, RememberedRangesFollowTheLastFrame) {
  const TFrameRange toEnd = TFrameRange::Confirmed(3, 20, 20);
  EXPECT_EQ(toEnd.For(50).last, 50);
  EXPECT_EQ(toEnd.For(2).first, 2);
  const TFrameRange inside = TFrameRange::Confirmed(3, 10, 20);
  EXPECT_EQ(inside.For(50).last, 10);
  EXPECT_EQ(inside.For(6).last, 6);
}

TEST(AnimationPageKit, ScopeAndYAxisShiftsComeBackWhereTheyStarted) {
  TLcfAnimationItem a;
  a.SetFrameCount(2);
  a.frames.ItemAt(1)->AddCell();
  int32_t& y = a.frames.ItemAt(1)->cells.ItemAt(0)->y;
  y = 7;
  const int h = 64;
  EXPECT_EQ(AnimationOrigin(a, h).y, kPreviewTargetY + h / 2);  // low
  a.SetScope(1, h);                                             // local (low) to global: + (2 - 1) * 32
  EXPECT_EQ(y, 39);
  a.SetYAxisLine(0, h);  // locked while global
  EXPECT_EQ(a.yAxisLine, 2);
  EXPECT_EQ(AnimationOrigin(a, h).y, kGlobalOriginY);
  a.SetScope(0, h);
  EXPECT_EQ(y, 7);
  a.SetYAxisLine(0, h);  // low to high: + (2 - 0) * 32
  EXPECT_EQ(y, 71);
}

TEST(AnimationPageKit, ShortBattlerSetsShowThirtyTwoSlotsAndGrowOnWrite) {
  TLcfAnimation2Item set;
  set.poses.SetCount(10);
  set.weapons.SetCount(3);
  EXPECT_EQ(PoseSlot(set, 9), set.poses.ItemAt(9));
  EXPECT_EQ(PoseSlot(set, 20), nullptr);
  EXPECT_EQ(set.poses.Count(), 10) << "reading grows nothing";
  PoseSlotForWrite(set, 20).name = "Cast";
  EXPECT_EQ(set.poses.Count(), kBattlerPoses);
  EXPECT_EQ(set.poses.ItemAt(20)->name, "Cast");
  EXPECT_EQ(set.poses.ItemAt(31)->Id(), 32);
  WeaponSlotForWrite(set, 0).name = "Sword";
  EXPECT_EQ(set.weapons.Count(), kBattlerWeapons);
}

TEST(AnimationPageKit, SkillCaptionsItemGroupsAndRangedTargeting) {
  for (int target = 0; target <= 5; ++target)
    EXPECT_STREQ(SkillCaptionsFor(target).effect, target >= 2 && target <= 4 ? "Increase" : "Decrease") << target;
  EXPECT_STREQ(SkillCaptionsFor(3).mode0, "Remove");
  struct Case {
    int type;
    TItemGroup group;
    bool shown;
  };
  const Case cases[] = {
      {kItemCommon, TItemGroup::Uses, false},
      {kItemWeapon, TItemGroup::WeaponAnimation, true},
      {kItemShield, TItemGroup::Weapon, false},
      {kItemAccessory, TItemGroup::Armor, true},
      {kItemMedicine, TItemGroup::Conditions, true},
      {kItemMedicine, TItemGroup::Attributes, false},
      {kItemSkillBook, TItemGroup::Usable, true},
      {kItemSwitch, TItemGroup::Usable, false},
      {kItemSwitch, TItemGroup::Uses, true},
      {kItemSeed, TItemGroup::Seed, true},
      {kItemSkillScroll, TItemGroup::SkillScroll, true},
      {12, TItemGroup::Uses, false},
  };
  for (const Case& c : cases) EXPECT_EQ(ItemGroupShown(c.type, c.group), c.shown) << c.type;
  TLcfItemItem weapon;
  const uint8_t all[] = {0, 1, 1, 0};
  for (int t = 3; t >= 0; --t) {
    SetWeaponTargeting(weapon, t);
    EXPECT_EQ(weapon.attackAll, all[t]) << t;
    EXPECT_EQ(weapon.targeting, t);
  }
}

// One frame with a cel of each effect, drawn from a sheet made here: every section a solid block
// with a frame of a second colour, so magnification, transparency and colour cast show.
TEST(AnimationPreviewGolden, OneFrameWithEachCelEffect) {
  test::TTestFolder project;
  TBitmap sheet;
  sheet.Reset(480, 480, TPixelFormat::Indexed8);
  sheet.Palette() = {{0, 0, 0}, {240, 160, 40}, {40, 200, 240}, {250, 250, 250}};
  sheet.Palette().resize(256);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 480; ++x) {
      const int cx = x % 96, cy = y % 96;
      const bool edge = cx < 8 || cy < 8 || cx >= 88 || cy >= 88;
      const bool hole = cx >= 40 && cx < 56 && cy >= 40 && cy < 56;
      sheet.Row(y)[x] = hole ? 0 : edge ? 3 : static_cast<uint8_t>(1 + (x / 96 + y / 96) % 2);
    }
  SavePictureFile(sheet, project.Sub("Battle") + "Cels.png");
  SetProjectFolder(project.Path());

  TLcfAnimationItem a;
  a.animationFile = "Cels";
  a.scope = 1;
  a.SetFrameCount(1);
  TLcfAnimationPatternItem& frame = *a.frames.ItemAt(0);
  for (int c = 0; c < 4; ++c) frame.AddCell();
  auto cel = [&](int c) -> TLcfAnimationCellItem& { return *frame.cells.ItemAt(c); };
  cel(0).x = -100;  // plain
  cel(1).x = -20;   // magnification 50
  cel(1).section = 1;
  cel(1).zoom = 50;
  cel(2).x = 60;  // transparency 50, over the magnified one's corner
  cel(2).transparency = 50;
  cel(3).y = 110;  // colour cast: red 200, blue 0, saturation 50
  cel(3).x = 20;
  cel(3).section = 6;
  cel(3).zoom = 60;
  cel(3).red = 200;
  cel(3).blue = 0;
  cel(3).saturation = 50;
  TLcfAnimationGraphic graphic;
  graphic.SetAnimation(&a);
  ASSERT_EQ(graphic.MissingFile(), "");
  TCorvidBoard board;
  board.SetSize(kPreviewWidth, kPreviewHeight);
  graphic.DrawFrame(board, 0);
  const TBitmap drawn = BoardToBitmap(board);

  const std::string path = std::string(TESS_SOURCE_DIR) + "/tests/database/golden/animation-cels.png";
  if (std::getenv("TESS_UPDATE_GOLDEN")) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    SavePictureFile(drawn, path);
  } else {
    TBitmap expected;
    ASSERT_NO_THROW(LoadPictureFile(expected, path)) << path;
    ASSERT_EQ(expected.Width(), drawn.Width());
    int differing = 0;
    for (int y = 0; y < drawn.Height(); ++y)
      for (int x = 0; x < drawn.Width(); ++x) differing += !(expected.Pixel(x, y) == drawn.Pixel(x, y));
    EXPECT_EQ(differing, 0);
  }

  // A picture that is not there leaves the stage with only the target and names the file.
  a.animationFile = "Gone";
  graphic.SetAnimation(&a);
  EXPECT_EQ(graphic.MissingFile(), "Battle/Gone");
  SetProjectFolder("");
}
