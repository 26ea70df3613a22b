#include <gtest/gtest.h>

#include <random>

#include "MapEditFixture.h"
#include "maps/LD_MapTree.h"
#include "maps/MapEditUtils.h"
#include "maps/MapSelection.h"

using namespace tess;
using namespace tess::test;

namespace {

// Selects the cells x0..x1-1, y0..y1-1 with the selection tool (corner to corner).
void SelectCells(TMapEditFixture& f, int x0, int y0, int x1, int y1) {
  f.edit.Press(TMouseButton::Left, {x0 * 32, y0 * 32, 32}, {});
  f.edit.Move({x1 * 32, y1 * 32, 32}, {});
  f.edit.Release(TMouseButton::Left, {x1 * 32, y1 * 32, 32}, {});
}

}  // namespace

TEST(MapEdit, FloodFillTakesTheFourConnectedLakeOnly) {
  TMapEditFixture f;
  const int lake[][2] = {{2, 2}, {3, 2}, {4, 2}, {2, 3}, {3, 3}, {4, 3}, {3, 4}};
  int shape = 0;
  for (auto& c : lake) f.map.lower.SetCell(c[0], c[1], 1000 + (shape++ * 7) % 47);
  f.map.lower.SetCell(5, 5, 1016);  // touches (4, 4)? no: only (4, 4) is ground; (5, 5) is diagonal to nothing
  f.map.lower.SetCell(5, 4, 1033);  // diagonal to (4, 3) only... and 4-connected to nothing of the lake
  f.map.lower.SetCell(4, 4, 5000);
  f.Use(TEditTool::FloodFill);
  f.Chip(4049);
  f.Click(3, 3);
  for (auto& c : lake) EXPECT_EQ(ChipIdToIndex(f.Lower(c[0], c[1])), 6) << c[0] << "," << c[1];
  EXPECT_EQ(f.Lower(5, 4), 1033);
  EXPECT_EQ(ChipIdToIndex(f.Lower(5, 5)), 1);
  EXPECT_EQ(f.Shapes(2, 2, 3, 1), "34 20 36");
  EXPECT_EQ(f.history.Count(), 1);
}

TEST(MapEdit, FloodFillOnTheUpperLayerMatchesExactIds) {
  TMapEditFixture f(6, 1);
  for (int x = 0; x < 6; ++x) f.map.upper.SetCell(x, 0, x == 3 ? 10005 : 10000);
  f.Use(TEditTool::FloodFill, TEditMode::Upper);
  f.Chip(10002, TEditMode::Upper);
  f.Click(0, 0);
  EXPECT_EQ(f.Upper(2, 0), 10002);
  EXPECT_EQ(f.Upper(3, 0), 10005);
  EXPECT_EQ(f.Upper(4, 0), 10000);
}

TEST(MapEdit, WholeMapFloodFillNeedsNoRecursion) {
  TMapEditFixture f(500, 500);
  f.Use(TEditTool::FloodFill);
  f.Chip(4049);
  f.Click(250, 250);
  EXPECT_EQ(f.Lower(250, 250), 4000);
  EXPECT_EQ(f.Lower(0, 0), 4000);  // the edge counts as the same
}

TEST(MapEdit, UndoAfterFourStrokesRevertsTheLastThree) {
  TMapEditFixture f;
  f.Use(TEditTool::Pen);
  f.Chip(5010);
  for (int x = 0; x < 4; ++x) f.Click(x * 2, 1);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(f.edit.Undo());
  EXPECT_FALSE(f.edit.Undo());
  EXPECT_EQ(f.Lower(0, 1), 5010);
  for (int x = 2; x <= 6; x += 2) EXPECT_EQ(f.Lower(x, 1), 5000);
  EXPECT_TRUE(f.edit.Redo());
  EXPECT_EQ(f.Lower(2, 1), 5010);
}

TEST(MapEdit, AnotherButtonCancelsAStroke) {
  for (TEditTool tool : {TEditTool::Pen, TEditTool::Rectangle, TEditTool::Ellipse, TEditTool::FloodFill}) {
    TMapEditFixture f;
    const TLayerCells before = f.map.lower.cells;
    f.Use(tool);
    f.Chip(4049);
    f.edit.Press(TMouseButton::Left, TMapPointer::AtCell(2, 2), {});
    f.edit.Move(TMapPointer::AtCell(7, 6), {});
    EXPECT_NE(f.map.lower.cells, before);
    EXPECT_FALSE(f.history.IsClean());
    f.edit.Press(TMouseButton::Right, TMapPointer::AtCell(7, 6), {});
    f.edit.Release(TMouseButton::Left, TMapPointer::AtCell(7, 6), {});
    EXPECT_EQ(f.map.lower.cells, before) << static_cast<int>(tool);
    EXPECT_EQ(f.history.Count(), 0);
    EXPECT_TRUE(f.history.IsClean());
  }
}

TEST(MapEdit, ArrowKeysDoNothingOutsideTheEventMode) {
  TMapEditFixture f;
  f.edit.SetCursor({3, 3});
  EXPECT_FALSE(f.edit.MoveCursor(1, 0));
  EXPECT_EQ(f.edit.Cursor(), (TCellPoint{3, 3}));
}

TEST(MapEdit, AStrokeThatChangesNothingLeavesNoUndoStep) {
  TMapEditFixture f;
  f.Use(TEditTool::Pen);
  f.Chip(5000);
  f.Drag({{1, 1}, {3, 1}});
  f.Use(TEditTool::FloodFill);
  f.Click(-5, 2);
  EXPECT_EQ(f.history.Count(), 0);
  EXPECT_TRUE(f.history.IsClean());
  EXPECT_EQ(f.changes, 0);
}

TEST(MapEdit, DoubleClickStartsNothing) {
  TMapEditFixture f;
  f.Use(TEditTool::Pen);
  f.Chip(5010);
  f.edit.Press(TMouseButton::Left, TMapPointer::AtCell(1, 1), {}, true);
  f.edit.Release(TMouseButton::Left, TMapPointer::AtCell(1, 1), {});
  EXPECT_EQ(f.Lower(1, 1), 5000);
  EXPECT_EQ(f.edit.Press(TMouseButton::Right, TMapPointer::AtCell(1, 1), {}, true), TPressOutcome::LayerToggled);
  EXPECT_EQ(f.State().mode, TEditMode::Upper);
}

TEST(MapEdit, CopyPutsTheCellsColumnByColumn) {
  TMapEditFixture f;
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 2; ++x) {
      f.map.lower.SetCell(4 + x, 2 + y, 5000 + 10 * x + y);
      f.map.upper.SetCell(4 + x, 2 + y, 10000 + 10 * x + y);
    }
  f.Use(TEditTool::Selection);
  SelectCells(f, 4, 2, 6, 5);
  ASSERT_TRUE(f.edit.HasSelection());
  f.edit.Copy();
  std::optional<Bytes> block = f.clipboard.GetBlock(kMapCellsClipboardFormat);
  ASSERT_TRUE(block);
  const Bytes expected = {2,    0,    3,    0,  //
                          0x88, 0x13, 0x10, 0x27, 0x89, 0x13, 0x11, 0x27, 0x8A, 0x13, 0x12, 0x27,
                          0x92, 0x13, 0x1A, 0x27, 0x93, 0x13, 0x1B, 0x27, 0x94, 0x13, 0x1C, 0x27};
  EXPECT_EQ(*block, expected);
  EXPECT_EQ(block->size(), 28u);
}

TEST(MapEdit, PasteTakesOnlySoundBlocks) {
  auto block = [](int w, int h, int lower, int upper, int extra = 0) {
    Bytes b = {static_cast<uint8_t>(w), static_cast<uint8_t>(w >> 8), static_cast<uint8_t>(h),
               static_cast<uint8_t>(h >> 8)};
    for (int i = 0; i < w * h; ++i)
      for (int v : {lower, upper}) b.push_back(static_cast<uint8_t>(v)), b.push_back(static_cast<uint8_t>(v >> 8));
    b.resize(b.size() + static_cast<size_t>(extra), 0);
    if (extra < 0) b.resize(b.size() + static_cast<size_t>(extra));
    return b;
  };
  struct TCase {
    const char* name;
    Bytes data;
    bool pasted;
  };
  const TCase cases[] = {
      {"2 x 2", block(2, 2, 4046, 10003), true},
      {"one byte too many", block(2, 2, 4046, 10003, 1), false},
      {"one cell short", block(2, 2, 4046, 10003, -4), false},
      {"zero width", block(0, 2, 4046, 10003), false},
      {"header only", Bytes{1, 0, 1, 0}, false},
      {"shorter than the header", Bytes{1, 0}, false},
      {"huge size, no cells", Bytes{0xFF, 0xFF, 0xFF, 0xFF}, false},
      {"upper id on the lower layer", block(1, 1, 10003, 10003), false},
      {"lower id on the upper layer", block(1, 1, 5000, 5000), false},
      {"no tile at all", block(1, 1, 5200, 10000), false},
  };
  for (const TCase& c : cases) {
    TMapEditFixture f;
    f.Use(TEditTool::Selection);
    f.clipboard.SetBlock(kMapCellsClipboardFormat, c.data);
    const TLayerCells before = f.map.lower.cells;
    EXPECT_EQ(f.edit.Paste({5, 5}), c.pasted) << c.name;
    EXPECT_EQ(f.history.Count(), c.pasted ? 1 : 0) << c.name;
    if (!c.pasted) {
      EXPECT_EQ(f.map.lower.cells, before) << c.name;
      continue;
    }
    // Centred on the view's centre cell, without any fix-up.
    EXPECT_EQ(f.State().selection, (TCellRect{4, 4, 2, 2}));
    EXPECT_EQ(f.Lower(4, 4), 4046);
    EXPECT_EQ(f.Upper(5, 5), 10003);
    EXPECT_EQ(f.Lower(6, 6), 5000);
    // Dragging the pasted block belongs to the paste's undo step and uncovers what lay below.
    f.edit.Press(TMouseButton::Left, TMapPointer::AtCell(4, 4), {});
    f.edit.Release(TMouseButton::Left, {4 * 32 + 16 + 64, 4 * 32 + 16, 32}, {});
    EXPECT_EQ(f.Lower(4, 4), 5000);
    EXPECT_EQ(f.Lower(7, 4), 4046);
    EXPECT_TRUE(f.edit.Undo());
    EXPECT_EQ(f.map.lower.cells, before);
  }
}

TEST(MapEdit, MovingASelectionVacatesItAndUndoBringsItBack) {
  TMapEditFixture f;
  f.map.lower.SetCell(2, 2, 5020);
  f.map.upper.SetCell(2, 2, 10007);
  f.Chip(4049);  // the lower chip's shape-0 form is what a lift leaves behind
  f.Use(TEditTool::Selection);
  SelectCells(f, 2, 2, 3, 3);
  EXPECT_TRUE(f.State().lifted);
  EXPECT_EQ(f.Lower(2, 2), 5020);  // lifting changes nothing yet
  const TLayerCells lower = f.map.lower.cells, upper = f.map.upper.cells;

  // Steps are taken each time the mouse passes half a cell: 40 pixels right is one cell.
  f.edit.Press(TMouseButton::Left, TMapPointer::AtCell(2, 2), {});
  f.edit.Move({2 * 32 + 16 + 40, 2 * 32 + 16 + 70, 32}, {});
  f.edit.Release(TMouseButton::Left, {2 * 32 + 16 + 40, 2 * 32 + 16 + 70, 32}, {});
  EXPECT_EQ(f.State().selection, (TCellRect{3, 4, 1, 1}));
  EXPECT_EQ(f.Lower(2, 2), 4000);
  EXPECT_EQ(f.Upper(2, 2), 10000);
  EXPECT_EQ(f.Lower(3, 4), 5020);
  EXPECT_EQ(f.Upper(3, 4), 10007);
  EXPECT_EQ(f.history.Count(), 1);

  // A second drag joins the first one's step; Escape puts the cells back where the drag started.
  f.edit.Press(TMouseButton::Left, TMapPointer::AtCell(3, 4), {});
  f.edit.Move(TMapPointer::AtCell(6, 4), {});
  EXPECT_EQ(f.Lower(6, 4), 5020);
  EXPECT_TRUE(f.edit.CancelAction());
  EXPECT_EQ(f.Lower(6, 4), 5000);
  EXPECT_EQ(f.Lower(3, 4), 5020);
  EXPECT_EQ(f.State().selection, (TCellRect{3, 4, 1, 1}));
  EXPECT_EQ(f.history.Count(), 1);

  EXPECT_TRUE(f.edit.Undo());
  EXPECT_FALSE(f.edit.HasSelection());
  EXPECT_EQ(f.map.lower.cells, lower);
  EXPECT_EQ(f.map.upper.cells, upper);
}

TEST(MapEdit, ClearAndCutLeaveTheVacatedValue) {
  for (bool cut : {false, true}) {
    TMapEditFixture f;
    f.map.lower.SetCell(1, 1, 5020);
    f.Chip(1049);
    f.Use(TEditTool::Selection);
    SelectCells(f, 1, 1, 3, 2);
    EXPECT_TRUE(cut ? f.edit.Cut() : f.edit.Clear());
    EXPECT_EQ(f.Lower(1, 1), 1000);
    EXPECT_EQ(f.Lower(2, 1), 1000);
    EXPECT_FALSE(f.edit.HasSelection());
    EXPECT_EQ(f.clipboard.HasBlock(kMapCellsClipboardFormat), cut);
    EXPECT_TRUE(f.edit.Undo());
    EXPECT_EQ(f.Lower(1, 1), 5020);
  }
}

TEST(MapEdit, SelectAllLiftsTheWholeMap) {
  TMapEditFixture f(5, 4);
  f.Use(TEditTool::Selection);
  f.edit.SelectAll();
  EXPECT_EQ(f.State().selection, (TCellRect{0, 0, 5, 4}));
  EXPECT_TRUE(f.State().lifted);
  f.edit.SetTool(TEditTool::Pen);  // dropping the selection changes nothing
  EXPECT_FALSE(f.edit.HasSelection());
  EXPECT_EQ(f.Lower(0, 0), 5000);
}

TEST(MapEdit, PickingABlockFromTheMap) {
  struct TCase {
    const char* name;
    bool timerFired;
    TMapModifiers release;
    TCellRect rect;
    TCellPoint hotspot;
    int first;
  };
  const TCase cases[] = {
      {"drag after the trigger", true, {}, {2, 2, 3, 2}, {2, 1}, 49},
      {"Shift keeps exact ids", true, {true, false}, {2, 2, 3, 2}, {2, 1}, 20},
      {"quick click: one cell", false, {}, {2, 2, 1, 1}, {0, 0}, 49},
  };
  for (const TCase& c : cases) {
    TMapEditFixture f;
    f.map.lower.SetCell(2, 2, 20);    // water 0, shape 20
    f.map.lower.SetCell(3, 2, 4123);  // autotile 2, shape 23
    f.Use(TEditTool::Pen);
    TEditMode picked = TEditMode::None;
    f.edit.onChipPicked = [&](TEditMode m) { picked = m; };
    EXPECT_EQ(f.edit.Press(TMouseButton::Right, TMapPointer::AtCell(2, 2), {}), TPressOutcome::StartPickTimer);
    f.edit.Move(TMapPointer::AtCell(3, 3), {});
    if (c.timerFired) f.edit.PickTimerFired();
    f.edit.Move(TMapPointer::AtCell(4, 3), {});
    f.edit.Release(TMouseButton::Right, TMapPointer::AtCell(4, 3), c.release);
    const TLcfCurrentChip& chip = f.State().chips[0];
    EXPECT_EQ((TCellRect{2, 2, chip.width, chip.height}), c.rect) << c.name;
    EXPECT_EQ(f.State().hotspot, c.hotspot) << c.name;
    EXPECT_EQ(chip.Cell(0, 0), c.first) << c.name;
    if (chip.width > 1) {
      EXPECT_EQ(chip.Cell(1, 0), c.release.shift ? 4123 : 4149) << c.name;
    }
    EXPECT_EQ(picked, TEditMode::Lower) << c.name;
  }
}

TEST(MapEdit, PickIsClampedToSixCellsAndCancelledByAnotherButton) {
  TMapEditFixture f(20, 20);
  f.Use(TEditTool::Pen);
  f.edit.Press(TMouseButton::Right, TMapPointer::AtCell(10, 10), {});
  f.edit.PickTimerFired();
  f.edit.Move(TMapPointer::AtCell(30, -4), {});
  EXPECT_EQ(f.edit.PickRect(), (TCellRect{10, 5, 6, 6}));
  EXPECT_EQ(f.State().hotspot, (TCellPoint{5, 0}));
  f.edit.Press(TMouseButton::Left, TMapPointer::AtCell(10, 10), {});
  EXPECT_FALSE(f.edit.Busy());
  EXPECT_EQ(f.State().hotspot, (TCellPoint{0, 0}));
  EXPECT_EQ(f.State().chips[0].width, 1);
}

TEST(MapEdit, CurrentChipBlockTilesFromTheStrokeStart) {
  TMapEditFixture f;
  TLcfCurrentChip chip;
  chip.SetSize(2, 1);
  chip.SetCell(0, 0, 5001);
  chip.SetCell(1, 0, 5002);
  f.edit.SetCurrentChip(TEditMode::Lower, chip);
  f.Use(TEditTool::Rectangle);
  f.Drag({{3, 0}, {7, 0}});
  EXPECT_EQ(f.Lower(3, 0), 5001);
  EXPECT_EQ(f.Lower(4, 0), 5002);
  EXPECT_EQ(f.Lower(6, 0), 5002);
  EXPECT_EQ(f.Lower(7, 0), 5001);
  EXPECT_EQ(f.Lower(8, 0), 5000);
}

TEST(MapEdit, DraggingEventsAndStartPositions) {
  TMapEditFixture f;
  TLcfMapTree tree;
  f.map.SetId(3);
  f.map.events.Obtain(1)->x = 1, f.map.events.Obtain(1)->y = 1;
  f.map.events.Obtain(2)->x = 3, f.map.events.Obtain(2)->y = 3;
  TLcfEventItem* high = f.map.events.Obtain(60002);
  high->x = 8, high->y = 8;
  tree.startPositions.SetMapId(TLcfMapStartPosition::kParty, 3);
  tree.startPositions.SetX(TLcfMapStartPosition::kParty, 5);
  tree.startPositions.SetY(TLcfMapStartPosition::kParty, 5);
  tree.startPositions.SetMapId(TLcfMapStartPosition::kShip, 4);  // another map
  f.edit.SetMapTree(&tree);
  f.edit.SetMap();
  f.edit.SetMode(TEditMode::Event);
  const TLcfEventMap& grid = f.edit.EventMap();
  EXPECT_EQ(grid.GetAt(1, 1), 1);
  EXPECT_EQ(grid.GetAt(5, 5), 60001);
  EXPECT_EQ(grid.GetAt(8, 8), 0);  // would read as the skiff's start
  EXPECT_EQ(grid.SkippedEventIds(), std::vector<int32_t>{60002});
  EXPECT_EQ(grid.GetAt(-1, 0), -1);

  f.Drag({{1, 1}, {3, 3}});  // onto another event: nothing moves
  EXPECT_EQ(f.map.events.FindById(1)->x, 1);
  f.Drag({{1, 1}, {20, 3}});  // outside the map: nothing moves
  EXPECT_EQ(f.map.events.FindById(1)->x, 1);
  f.changes = 0;
  f.Drag({{1, 1}, {2, 1}, {2, 2}});
  EXPECT_EQ(f.map.events.FindById(1)->x, 2);
  EXPECT_EQ(f.map.events.FindById(1)->y, 2);
  EXPECT_EQ(grid.GetAt(2, 2), 1);
  EXPECT_EQ(grid.GetAt(1, 1), 0);
  EXPECT_EQ(f.edit.Cursor(), (TCellPoint{2, 2}));
  EXPECT_GT(f.changes, 0);
  // The arrow keys move the cursor within the map.
  EXPECT_TRUE(f.edit.MoveCursor(-1, 0));
  EXPECT_EQ(f.edit.Cursor(), (TCellPoint{1, 2}));
  f.edit.SetCursor({0, 0});
  EXPECT_FALSE(f.edit.MoveCursor(0, -1));
  EXPECT_EQ(f.edit.Cursor(), (TCellPoint{0, 0}));
  f.Drag({{5, 5}, {6, 7}});
  EXPECT_EQ(tree.startPositions.X(TLcfMapStartPosition::kParty), 6);
  EXPECT_EQ(tree.startPositions.Y(TLcfMapStartPosition::kParty), 7);
  EXPECT_EQ(grid.GetAt(6, 7), 60001);
}

TEST(MapEdit, ShiftMapWrapsCellsEventsAndStartPositions) {
  struct TCase {
    int dx, dy, eventX, eventY;
  };
  const TCase cases[] = {{3, 0, 1, 4}, {-3, 0, 15, 4}, {0, -6, 18, 13}, {43, 17, 1, 6}, {-41, -34, 17, 0}};
  for (const TCase& c : cases) {
    TLcfMap map;
    map.SetId(2);
    map.SetWidth(20);
    map.SetHeight(15);
    map.lower.SetCell(18, 4, 5077);
    map.upper.SetCell(18, 4, 10077);
    TLcfEventItem* e = map.events.Obtain(1);
    e->x = 18;
    e->y = 4;
    map.ShiftMap(c.dx, c.dy);
    EXPECT_EQ(e->x, c.eventX) << c.dx << "," << c.dy;
    EXPECT_EQ(e->y, c.eventY) << c.dx << "," << c.dy;
    EXPECT_EQ(map.lower.GetCell(c.eventX, c.eventY), 5077);
    EXPECT_EQ(map.upper.GetCell(c.eventX, c.eventY), 10077);
    EXPECT_EQ(map.lower.GetCell(18, 4), c.eventX == 18 && c.eventY == 4 ? 5077 : 0);

    TLcfMapStartPosition starts;
    starts.SetMapId(TLcfMapStartPosition::kSkiff, 2);
    starts.SetX(TLcfMapStartPosition::kSkiff, 18);
    starts.SetY(TLcfMapStartPosition::kSkiff, 4);
    starts.SetMapId(TLcfMapStartPosition::kParty, 9);
    starts.SetX(TLcfMapStartPosition::kParty, 18);
    starts.ShiftOnMap(2, c.dx, c.dy, 20, 15);
    EXPECT_EQ(starts.X(TLcfMapStartPosition::kSkiff), c.eventX);
    EXPECT_EQ(starts.Y(TLcfMapStartPosition::kSkiff), c.eventY);
    EXPECT_EQ(starts.X(TLcfMapStartPosition::kParty), 18);
  }
}

TEST(MapEdit, GetCellOfAnEmptyLoopingLayerIsOutside) {
  TLcfMap map;
  map.SetWidth(0);
  map.SetScrollType(3);
  EXPECT_EQ(map.lower.GetCell(-1, 3), -1);
  EXPECT_EQ(map.lower.GetCell(0, 0), -1);
}

TEST(MapEdit, BuffersFollowAMapResizedBehindTheEditor) {
  TMapEditFixture f;
  f.Use(TEditTool::Pen);
  f.Chip(5010);
  f.Click(1, 1);
  f.map.SetWidth(40);
  f.map.SetHeight(3);
  f.Click(35, 2);
  EXPECT_EQ(f.Lower(35, 2), 5010);
  EXPECT_TRUE(f.State().SizesMatch());
  EXPECT_EQ(f.history.Count(), 1);
  EXPECT_TRUE(f.edit.Undo());
  EXPECT_EQ(f.Lower(35, 2), 0);
  EXPECT_EQ(f.Lower(1, 1), 5010);
}

TEST(MapEdit, ChangedCellsAreReportedOnce) {
  TMapEditFixture f;
  f.edit.TakeChanged();
  f.Use(TEditTool::Pen);
  f.Chip(4049);
  f.edit.TakeChanged();
  f.Drag({{4, 4}, {5, 4}, {4, 4}});
  TChangedCells changed = f.edit.TakeChanged();
  EXPECT_FALSE(changed.all);
  EXPECT_EQ(changed.cells.size(), 2u);  // ground around it does not change
  EXPECT_EQ(changed.bounds, (TCellRect{4, 4, 2, 1}));
  EXPECT_TRUE(f.edit.TakeChanged().Empty());
  f.edit.Undo();
  EXPECT_TRUE(f.edit.TakeChanged().all);
}

TEST(MapEdit, RedoReturnsTheStateBeforeTheUndoForEveryTool) {
  std::mt19937 rng(3);
  TMapEditFixture f(24, 18);
  f.map.SetScrollType(2);
  f.edit.SetMap();
  f.history.SetDepth(TLcfMapEditUndoManager::kMaxDepth);
  const int lowerChips[] = {49, 1049, 2049, 3000, 4049, 4349, 5001, 5020};
  const int upperChips[] = {10000, 10001, 10050};
  std::vector<std::pair<TLayerCells, TLayerCells>> states{{f.map.lower.cells, f.map.upper.cells}};
  auto cell = [&] { return TCellPoint{static_cast<int>(rng() % 26) - 1, static_cast<int>(rng() % 20) - 1}; };
  for (int step = 0; step < 300; ++step) {
    const int before = f.history.Count();
    const TEditMode mode = rng() % 4 == 0 ? TEditMode::Upper : TEditMode::Lower;
    const int kind = static_cast<int>(rng() % 8);
    if (kind < 5) {
      const TEditTool tools[] = {TEditTool::Pen, TEditTool::Rectangle, TEditTool::Ellipse, TEditTool::FloodFill,
                                 TEditTool::Pen};
      f.Use(tools[kind], mode);
      f.Chip(mode == TEditMode::Lower ? lowerChips[rng() % 8] : upperChips[rng() % 3], mode);
      std::vector<TCellPoint> path;
      for (int i = 0; i < 1 + static_cast<int>(rng() % 4); ++i) path.push_back(cell());
      f.Drag(path, {rng() % 5 == 0, rng() % 5 == 0});
    } else {
      f.Use(TEditTool::Selection, mode);
      const TCellPoint a = cell(), b = cell();
      SelectCells(f, std::max(a.x, 0), std::max(a.y, 0), std::max(b.x, 0), std::max(b.y, 0));
      if (kind == 5 && f.edit.HasSelection()) {
        f.edit.Copy();
        f.edit.Clear();
      } else if (kind == 6 && f.edit.CanPaste()) {
        f.edit.Paste(cell());
      } else if (f.edit.HasSelection()) {
        const TCellRect s = f.State().selection;
        f.edit.Press(TMouseButton::Left, TMapPointer::AtCell(s.x, s.y), {});
        const TCellPoint to = cell();
        f.edit.Release(TMouseButton::Left, TMapPointer::AtCell(to.x, to.y), {});
      }
    }
    if (f.history.Count() == before) continue;  // no undo point (an empty selection)
    ASSERT_EQ(f.history.Count(), before + 1);
    states.emplace_back(f.map.lower.cells, f.map.upper.cells);
    ASSERT_TRUE(f.edit.Undo());
    ASSERT_EQ(f.map.lower.cells, states[states.size() - 2].first) << "undo of step " << step;
    ASSERT_EQ(f.map.upper.cells, states[states.size() - 2].second) << "undo of step " << step;
    ASSERT_TRUE(f.edit.Redo());
    ASSERT_EQ(f.map.lower.cells, states.back().first) << "redo of step " << step;
    ASSERT_EQ(f.map.upper.cells, states.back().second) << "redo of step " << step;
  }
  // The whole history back and forth.
  for (size_t i = states.size() - 1; i-- > 0;) {
    ASSERT_TRUE(f.edit.Undo());
    ASSERT_EQ(f.map.lower.cells, states[i].first) << i;
    ASSERT_EQ(f.map.upper.cells, states[i].second) << i;
  }
  EXPECT_FALSE(f.edit.Undo());
  for (size_t i = 1; i < states.size(); ++i) {
    ASSERT_TRUE(f.edit.Redo());
    ASSERT_EQ(f.map.lower.cells, states[i].first) << i;
  }
  EXPECT_FALSE(f.edit.Redo());
}
