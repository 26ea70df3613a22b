#include <gtest/gtest.h>

#include <random>

#include "maps/MapEditUndo.h"

using namespace tess;

namespace {

// A map with a history sized to it, and strokes that edit it the way the tools do.
struct TUndoFixture {
  TLcfMap map;
  TLcfMapEditUndoManager history;

  explicit TUndoFixture(int w = 20, int h = 15) {
    map.SetWidth(w);
    map.SetHeight(h);
    history.Reset(map);
  }
  // A stroke: before-copies, cell writes, then the push at its end.
  void Stroke(int x, int y, int lowerId, int upperId = -1) {
    TLayerCells lower = map.lower.cells, upper = map.upper.cells;
    map.lower.SetCell(x, y, lowerId);
    if (upperId >= 0) map.upper.SetCell(x, y, upperId);
    history.NoteEdit();
    history.PushLayers(map, lower, upper);
  }
  // An operation that pushes first and edits afterwards (paste, clear, moving a selection).
  void PushedEdit(int x, int y, int lowerId) {
    history.PushMap(map);
    map.lower.SetCell(x, y, lowerId);
    history.NoteEdit();
    history.Sync(map);
  }
  int At(int x, int y) const { return map.lower.GetCell(x, y); }
};

}  // namespace

TEST(MapEditUndo, DefaultDepthKeepsThreeSteps) {
  TUndoFixture f;
  for (int i = 1; i <= 4; ++i) f.Stroke(i, 0, 5000 + i);
  EXPECT_EQ(f.history.Count(), 3);
  EXPECT_TRUE(f.history.Undo(f.map));
  EXPECT_TRUE(f.history.Undo(f.map));
  EXPECT_TRUE(f.history.Undo(f.map));
  EXPECT_FALSE(f.history.Undo(f.map));  // the fourth undo does nothing
  EXPECT_EQ(f.At(1, 0), 5001);          // the first stroke stays
  for (int x = 2; x <= 4; ++x) EXPECT_EQ(f.At(x, 0), 0) << x;
}

TEST(MapEditUndo, RedoRestoresAndAnEditDropsIt) {
  TUndoFixture f;
  f.history.SetDepth(10);
  f.Stroke(0, 0, 5001, 10001);
  f.PushedEdit(1, 1, 4046);
  TLayerCells lowerAfter = f.map.lower.cells, upperAfter = f.map.upper.cells;
  ASSERT_TRUE(f.history.Undo(f.map));
  ASSERT_TRUE(f.history.Undo(f.map));
  EXPECT_EQ(f.At(0, 0), 0);
  EXPECT_EQ(f.map.upper.GetCell(0, 0), 10000);
  EXPECT_EQ(f.history.RedoCount(), 2);
  ASSERT_TRUE(f.history.Redo(f.map));
  ASSERT_TRUE(f.history.Redo(f.map));
  EXPECT_FALSE(f.history.Redo(f.map));
  EXPECT_EQ(f.map.lower.cells, lowerAfter);
  EXPECT_EQ(f.map.upper.cells, upperAfter);

  f.history.Undo(f.map);
  f.Stroke(5, 5, 5010);
  EXPECT_EQ(f.history.RedoCount(), 0);
  EXPECT_FALSE(f.history.Redo(f.map));
  EXPECT_EQ(f.history.Count(), 2);
}

TEST(MapEditUndo, ChangeBehindTheHistoryJoinsTheLastStepAndDropsRedo) {
  TUndoFixture f;
  f.history.SetDepth(10);
  f.Stroke(0, 0, 5001);
  f.Stroke(1, 0, 5002);
  f.history.Undo(f.map);
  // A tool that writes without the history: redo no longer starts from the map's state.
  f.map.lower.SetCell(7, 7, 5099);
  EXPECT_FALSE(f.history.Redo(f.map));
  EXPECT_EQ(f.history.RedoCount(), 0);
  EXPECT_EQ(f.At(1, 0), 0);
  // Undoing the first stroke also takes back what was written behind the history.
  EXPECT_TRUE(f.history.Undo(f.map));
  EXPECT_EQ(f.At(0, 0), 0);
  EXPECT_EQ(f.At(7, 7), 0);
}

TEST(MapEditUndo, DepthIsClampedAndLoweringItDropsOldestSteps) {
  TUndoFixture f;
  f.history.SetDepth(5000);
  EXPECT_EQ(f.history.Depth(), TLcfMapEditUndoManager::kMaxDepth);
  f.history.SetDepth(0);
  EXPECT_EQ(f.history.Depth(), 1);
  f.history.SetDepth(6);
  for (int i = 0; i < 6; ++i) f.Stroke(i, 2, 5000 + i);
  f.history.Undo(f.map);  // one redo step
  f.history.SetDepth(2);
  EXPECT_EQ(f.history.Count(), 2);
  EXPECT_EQ(f.history.RedoCount(), 0);
  EXPECT_TRUE(f.history.Undo(f.map));
  EXPECT_TRUE(f.history.Undo(f.map));
  EXPECT_FALSE(f.history.Undo(f.map));
  EXPECT_EQ(f.At(2, 2), 5002);
  EXPECT_EQ(f.At(3, 2), 0);
}

TEST(MapEditUndo, ThousandStrokesOnALargeMapStayUnder64MB) {
  TUndoFixture f(500, 500);
  f.history.SetDepth(1000);
  std::mt19937 rng(7);
  TLayerCells lower, upper;
  for (int i = 0; i < 1000; ++i) {
    // A stroke of a pen line across 60 cells, each changing its 3 x 3 neighbourhood.
    CopyCells(f.map.lower.cells, lower);
    CopyCells(f.map.upper.cells, upper);
    int x0 = static_cast<int>(rng() % 400), y0 = static_cast<int>(rng() % 490);
    for (int k = 0; k < 60; ++k)
      for (int dy = 0; dy < 3; ++dy)
        for (int dx = 0; dx < 3; ++dx) f.map.lower.SetCell(x0 + k + dx, y0 + dy, 4000 + (i + k + dx + dy) % 600);
    f.history.PushLayers(f.map, lower, upper);
  }
  EXPECT_EQ(f.history.Count(), 1000);
  EXPECT_LT(f.history.MemoryBytes(), size_t{64} << 20);
}

TEST(MapEditUndo, MemoryLimitDropsOldestButKeepsTheNewestStep) {
  TUndoFixture f(100, 100);
  f.history.SetDepth(100);
  f.history.SetMemoryLimit(1);
  for (int i = 0; i < 5; ++i) {
    TLayerCells lower = f.map.lower.cells, upper = f.map.upper.cells;
    for (int x = 0; x < 100; ++x) f.map.lower.SetCell(x, i, 5000 + i);
    f.history.PushLayers(f.map, lower, upper);
  }
  EXPECT_EQ(f.history.Count(), 1);
  EXPECT_TRUE(f.history.Undo(f.map));
  EXPECT_EQ(f.At(0, 4), 0);
  EXPECT_EQ(f.At(0, 3), 5003);
}

TEST(MapEditUndo, CleanMarkFollowsUndoAndRedo) {
  struct TCase {
    const char* name;
    void (*run)(TUndoFixture&);
    bool clean;
  };
  const TCase cases[] = {
      {"fresh map", [](TUndoFixture&) {}, true},
      {"after a stroke", [](TUndoFixture& f) { f.Stroke(0, 0, 5001); }, false},
      {"stroke undone",
       [](TUndoFixture& f) {
         f.Stroke(0, 0, 5001);
         f.history.Undo(f.map);
       },
       true},
      {"saved, undone, redone",
       [](TUndoFixture& f) {
         f.Stroke(0, 0, 5001);
         f.history.MarkClean();
         f.history.Undo(f.map);
         f.history.Redo(f.map);
       },
       true},
      {"saved then undone",
       [](TUndoFixture& f) {
         f.Stroke(0, 0, 5001);
         f.history.MarkClean();
         f.history.Undo(f.map);
       },
       false},
      {"during a stroke (edits noted, no push yet)", [](TUndoFixture& f) { f.history.NoteEdit(); }, false},
      {"stroke cancelled: cells written back, then a sync",
       [](TUndoFixture& f) {
         f.map.lower.SetCell(3, 3, 5005);
         f.history.NoteEdit();
         f.map.lower.SetCell(3, 3, 0);
         f.history.Sync(f.map);
       },
       true},
      {"saved state on a dropped redo branch",
       [](TUndoFixture& f) {
         f.Stroke(0, 0, 5001);
         f.history.MarkClean();
         f.history.Undo(f.map);
         f.Stroke(1, 0, 5002);
         f.history.Undo(f.map);  // back where the branch parted: not the saved state
       },
       false},
      {"saved state trimmed off the history",
       [](TUndoFixture& f) {
         f.history.MarkClean();
         for (int i = 0; i < 4; ++i) f.Stroke(i, 0, 5001 + i);
         while (f.history.Undo(f.map)) {
         }
       },
       false},
      {"edit after the save inside the same step (second drag of a selection)",
       [](TUndoFixture& f) {
         f.PushedEdit(0, 0, 5001);
         f.history.MarkClean();
         f.map.lower.SetCell(1, 0, 5001);  // no push: part of the same step
         f.history.NoteEdit();
         f.history.Sync(f.map);
         f.history.Undo(f.map);
         f.history.Redo(f.map);
       },
       false},
      {"saved in the middle of a stroke, stroke ends",
       [](TUndoFixture& f) {
         TLayerCells lower = f.map.lower.cells, upper = f.map.upper.cells;
         f.map.lower.SetCell(2, 2, 5009);
         f.history.NoteEdit();
         f.history.MarkClean();
         f.history.PushLayers(f.map, lower, upper);
       },
       true},
      {"history cleared while clean (event mode entered)",
       [](TUndoFixture& f) {
         f.Stroke(0, 0, 5001);
         f.history.MarkClean();
         f.history.Clear();
       },
       true},
      {"history cleared while modified",
       [](TUndoFixture& f) {
         f.Stroke(0, 0, 5001);
         f.history.Clear();
         f.Stroke(1, 0, 5002);
         f.history.Undo(f.map);
       },
       false},
  };
  for (const TCase& c : cases) {
    TUndoFixture f;
    c.run(f);
    EXPECT_EQ(f.history.IsClean(), c.clean) << c.name;
  }
}

TEST(MapEditUndo, MapOfAnotherSizeResetsTheHistory) {
  TUndoFixture f;
  f.Stroke(0, 0, 5001);
  f.map.SetWidth(30);  // resized behind the history
  EXPECT_FALSE(f.history.Undo(f.map));
  EXPECT_EQ(f.history.Count(), 0);
  EXPECT_EQ(f.history.Width(), 30);
  EXPECT_FALSE(f.history.IsClean());
  f.Stroke(25, 0, 5003);
  EXPECT_TRUE(f.history.Undo(f.map));
  EXPECT_EQ(f.At(25, 0), 0);
  EXPECT_EQ(f.At(0, 0), 5001);
}

TEST(CellDelta, ComposeCancelsChangesThatReturn) {
  const uint16_t a[] = {1, 2, 3, 4, 5, 6};
  const uint16_t b[] = {1, 9, 9, 4, 5, 7};
  const uint16_t c[] = {1, 2, 9, 8, 5, 7};
  TCellDelta ab = TCellDelta::Between(a, b, 6), bc = TCellDelta::Between(b, c, 6);
  EXPECT_EQ(ab.runs, (std::vector<uint32_t>{1, 2, 5, 1}));
  TCellDelta ac = TCellDelta::Compose(ab, bc);
  EXPECT_EQ(ac.runs, (std::vector<uint32_t>{2, 2, 5, 1}));  // cell 1 went back to 2
  uint16_t cells[6] = {1, 2, 3, 4, 5, 6};
  ac.ApplyTo(cells);
  EXPECT_TRUE(std::equal(cells, cells + 6, c));
  ac.ApplyTo(cells);
  EXPECT_TRUE(std::equal(cells, cells + 6, a));
}
