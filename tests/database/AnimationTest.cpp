// Battle animations: the encoded-bytes cache, frame and cell maintenance, timing order and the
// flash timeline.
#include <gtest/gtest.h>

#include "TestChunks.h"
#include "database/LD_Animation.h"

using namespace tess;
using namespace tess::test;

namespace {

Bytes SaveList(TLcfAnimation& list) {
  Bytes out;
  list.SaveCached(out);
  return out;
}

void Reload(TLcfAnimation& list, const Bytes& bytes) {
  TByteReader r(bytes.data(), bytes.size());
  list.LoadReusing(r);
  EXPECT_TRUE(r.AtEnd());
}

}  // namespace

TEST(Animations, CleanItemsAreSavedFromTheirCache) {
  TLcfAnimation list;
  list.SetCount(2);
  list.ItemAt(0)->name = "Slash";
  Bytes first = SaveList(list);
  EXPECT_FALSE(list.ItemAt(0)->IsDirty());
  EXPECT_EQ(SaveList(list), first);
  // A change that is not marked is not seen: the cache is what gets written.
  list.ItemAt(0)->name = "Hidden";
  EXPECT_EQ(SaveList(list), first);
  list.ItemAt(0)->MarkDirty();
  Bytes second = SaveList(list);
  EXPECT_NE(second, first);
  // Only the changed item was encoded again: the other one's bytes are the same.
  EXPECT_EQ(list.ItemAt(1)->CachedBytes(), Encode(*list.ItemAt(1)));
  TLcfAnimation fresh;
  Reload(fresh, second);
  EXPECT_EQ(fresh.ItemAt(0)->name, "Hidden");
  // Normal encoding (copies, clipboard) never uses the cache.
  list.ItemAt(1)->name = "Copied";
  Bytes plain;
  list.SaveTo(plain, TCatalogVarData::Mode::Copy);
  TLcfAnimation copy;
  Decode(copy, plain);
  EXPECT_EQ(copy.ItemAt(1)->name, "Copied");
}

TEST(Animations, ReloadKeepsCleanItemsAndChecksTheirBytes) {
  TLcfAnimation list;
  list.SetCount(3);
  for (int i = 0; i < 3; ++i) list.ItemAt(i)->name = "A" + std::to_string(i);
  Bytes saved = SaveList(list);
  TLcfAnimationItem* kept = list.ItemAt(1);

  // Unchanged bytes: the same objects stay, nothing is parsed.
  kept->name = "unmarked edit";  // proves the item was skipped, not parsed
  Reload(list, saved);
  EXPECT_EQ(list.ItemAt(1), kept);
  EXPECT_EQ(list.ItemAt(1)->name, "unmarked edit");

  // The file changed under a clean item: its bytes differ from the cache, so it is parsed.
  TLcfAnimation other;
  Reload(other, saved);
  other.ItemAt(1)->name = "Changed elsewhere";
  other.ItemAt(1)->MarkDirty();
  Bytes changed = SaveList(other);
  Reload(list, changed);
  EXPECT_EQ(list.ItemAt(1)->name, "Changed elsewhere");
  EXPECT_EQ(list.ItemAt(0)->name, "A0");

  // A file with fewer items deletes the ones it no longer has.
  other.Delete(3);
  Reload(list, SaveList(other));
  EXPECT_EQ(list.Count(), 2);

  // Damage in the middle leaves the list exactly as it was.
  Bytes damaged = SaveList(other);
  damaged.resize(damaged.size() - 3);
  TLcfAnimationItem* first = list.ItemAt(0);
  TByteReader r(damaged.data(), damaged.size());
  EXPECT_THROW(list.LoadReusing(r), EReadError);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.ItemAt(0), first);
  EXPECT_EQ(list.ItemAt(1)->name, "Changed elsewhere");
  EXPECT_FALSE(list.ItemAt(0)->IsDirty());
}

TEST(Animations, FramesAndTimingsMoveTogether) {
  TLcfAnimationItem a;
  EXPECT_EQ(a.FrameCount(), 20);
  a.frames.ItemAt(2)->AddCell();
  a.frames.ItemAt(2)->cells.ItemAt(0)->x = 40;
  for (int frame : {2, 3, 4, 9}) a.timings.Append()->frame = frame;
  a.InsertFrame(2);  // the third frame now stands twice
  EXPECT_EQ(a.FrameCount(), 21);
  EXPECT_EQ(a.frames.ItemAt(3)->cells.ItemAt(0)->x, 40);
  EXPECT_EQ(a.frames.ItemAt(3)->Id(), 4);
  std::vector<int> frames;
  for (int i = 0; i < a.timings.Count(); ++i) frames.push_back(a.timings.ItemAt(i)->frame);
  EXPECT_EQ(frames, (std::vector<int>{2, 4, 5, 10}));

  a.DeleteFrame(20);  // the last frame: timings pointing at it stay
  a.timings.Append()->frame = 21;
  a.DeleteFrame(19);
  EXPECT_EQ(a.FrameCount(), 19);
  EXPECT_EQ(a.timings.ItemAt(4)->frame, 20);
  a.ClonePrevious(4);
  EXPECT_EQ(a.frames.ItemAt(4)->cells.Count(), 1);
  EXPECT_EQ(a.frames.ItemAt(4)->Id(), 5);
  a.SetFrameCount(3);
  EXPECT_EQ(a.FrameCount(), 3);
  EXPECT_TRUE(a.IsDirty());
}

TEST(Animations, CellsKeepTheirSlots) {
  TLcfAnimationPatternItem frame;
  for (int i = 0; i < 8; ++i) EXPECT_EQ(frame.AddCell(), i);
  EXPECT_EQ(frame.AddCell(), -1);
  frame.cells.ItemAt(4)->section = 9;
  frame.DeleteCell(3);
  EXPECT_EQ(frame.cells.Count(), 8);
  EXPECT_EQ(frame.CellsInUse(), 7);
  EXPECT_EQ(frame.AddCell(), 3);
  EXPECT_EQ(frame.cells.ItemAt(3)->inUse, 1);
  // Deleting the last cells drops them from the list.
  frame.DeleteCell(6);
  frame.DeleteCell(7);
  EXPECT_EQ(frame.cells.Count(), 6);
  // Moving the last cell later appends a deleted cell to swap with.
  frame.cells.ItemAt(5)->section = 5;
  EXPECT_TRUE(frame.IncrementCell(5));
  EXPECT_EQ(frame.cells.Count(), 7);
  EXPECT_EQ(frame.cells.ItemAt(6)->section, 5);
  EXPECT_EQ(frame.cells.ItemAt(5)->inUse, 0);
  EXPECT_TRUE(frame.DecrementCell(6));
  EXPECT_EQ(frame.cells.Count(), 6);
  EXPECT_EQ(frame.cells.ItemAt(5)->section, 5);
  EXPECT_FALSE(frame.DecrementCell(0));
  EXPECT_FALSE(frame.IncrementCell(7));
}

TEST(Animations, TimingsSortWithSilenceLast) {
  TLcfAnimationTiming list;
  auto add = [&](int frame, const char* sound, int shake) {
    TLcfAnimationTimingItem* t = list.Append();
    t->frame = frame;
    t->sound.name = sound;
    t->shakeScope = shake;
  };
  add(3, "(OFF)", 0);
  add(3, "Zap", 1);
  add(1, "(OFF)", 2);
  add(3, "Zap", 0);
  add(3, "Bang", 0);
  list.SortTimings();
  std::vector<std::string> order;
  for (int i = 0; i < list.Count(); ++i)
    order.push_back(std::to_string(list.ItemAt(i)->frame) + list.ItemAt(i)->sound.name +
                    std::to_string(list.ItemAt(i)->shakeScope));
  EXPECT_EQ(order, (std::vector<std::string>{"1(OFF)2", "3Bang0", "3Zap0", "3Zap1", "3(OFF)0"}));
  EXPECT_EQ(list.ItemAt(4)->Id(), 5);
}

TEST(Animations, FlashTimeline) {
  TLcfAnimationItem a;
  TLcfAnimationTimingItem* t = a.timings.Append();
  t->frame = 3;
  t->flashScope = 1;
  t->flashRed = 4;
  TFlashTimeline line = BuildFlashTimeline(a);
  ASSERT_EQ(line.target.size(), 30u);
  std::vector<int> strengths;
  for (int j = 0; j < 10; ++j) strengths.push_back(line.target[j].strength);
  EXPECT_EQ(strengths, (std::vector<int>{0, 0, 31, 31, 25, 20, 15, 10, 0, 0}));
  EXPECT_EQ(line.target[2].red, 4);
  EXPECT_EQ(line.screen[2].strength, 0);

  // A timing at frame 0 or far past the end writes only the positions that exist.
  t->frame = 0;
  t->flashScope = 2;
  a.timings.Append()->frame = 2000000000;
  a.timings.ItemAt(1)->flashScope = 2;
  a.timings.Append()->frame = -5;
  a.timings.ItemAt(2)->flashScope = 1;
  line = BuildFlashTimeline(a);
  EXPECT_EQ(line.screen[0].strength, 31);
  EXPECT_EQ(line.screen[4].strength, 10);
  EXPECT_EQ(line.screen[5].strength, 0);
}

TEST(Animations, ScopeChangesShiftCellsAndSnapping) {
  TLcfAnimationItem a;
  a.frames.ItemAt(0)->AddCell();
  a.frames.ItemAt(0)->cells.ItemAt(0)->y = 10;
  a.SetYAxisLine(0, 64);  // low to high: (2 - 0) * 64 / 2
  EXPECT_EQ(a.frames.ItemAt(0)->cells.ItemAt(0)->y, 74);
  a.SetScope(1, 64);  // local to global from high: (0 - 1) * 64 / 2
  EXPECT_EQ(a.frames.ItemAt(0)->cells.ItemAt(0)->y, 42);
  a.SetYAxisLine(2, 64);  // refused in global scope
  EXPECT_EQ(a.yAxisLine, 0);
  a.SetScope(0, 65);  // (1 - 0) * 65 / 2, toward zero
  EXPECT_EQ(a.frames.ItemAt(0)->cells.ItemAt(0)->y, 74);

  const std::pair<int, int> grid[] = {{4, 0}, {5, 8}, {12, 8}, {13, 16}, {-4, -8}, {-3, 0}, {330, 320}, {-999, -320}};
  for (auto [in, out] : grid) EXPECT_EQ(SnapCellCoordinate(in, true), out) << in;
  EXPECT_EQ(SnapCellCoordinate(13, false), 13);
  EXPECT_EQ(SnapCellCoordinate(-321, false), -320);
}
