// The map view, the map editor and the tile palette driven by real mouse events, as the author
// uses them: what the view shows is compared with the shared drawing routine, and what the mouse
// does with the map model.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <random>
#include <set>

#include "MainWindowFixture.h"
#include "TiledProject.h"
#include "database/DataBaseObj.h"
#include "database/LD_ChipSet.h"
#include "editor/maps/FormAreaMaker.h"
#include "editor/maps/FormChipSelector.h"
#include "editor/maps/FormEDArea.h"
#include "editor/maps/FormMapEditor.h"
#include "editor/maps/FormMapSetArea.h"
#include "maps/ChipPalette.h"
#include "maps/GR_ChipSet.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "maps/MapDrawing.h"
#include "media/Bitmap.h"
#include "media/PictureFile.h"
#include "project/MapTreeCommands.h"

using namespace tess;
using namespace tess::test;

namespace {

// Lower chips the tests paint with; the map is filled with others, so a fill stops where they end.
constexpr int kChipA = 5000;  // lower palette cell (0, 3)
constexpr int kChipB = 5001;  // (1, 3)

// What the shared drawing routine draws for the view's scroll position and options.
QImage Expected(const TFormMapViewer& view, const TLcfMap& map, TLcfChipSetGraphic& graphic, TMapDrawOptions options) {
  const TMapViewGeometry g = view.Geometry();
  const TPoint s = view.Scroll();
  TCorvidBoard board;
  board.SetSize(g.VisibleWidth(), g.VisibleHeight());
  const TCellRect c = g.VisibleCells(s);
  options.cellSize = view.CellSize();
  options.counter = view.AnimationCounter();
  DrawMapCells(board, {-s.x, -s.y}, map, Bounds(c.x, c.y, c.width, c.height), graphic, nullptr, options);
  return QImage(reinterpret_cast<const uchar*>(board.Bits()), board.Width(), board.Height(), board.Stride(),
                QImage::Format_RGB16)
      .copy();
}

// A standalone view of its own map and graphic.
struct MapView : ::testing::Test, TTiledMap {
  TFormMapViewer view;

  void Show(int w, int h, QSize size = {800, 600}) {
    Make(w, h);
    view.resize(size);
    view.SetMap(&map, &graphic);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    Settle();
  }
  QImage Shown() { return view.MapImage(); }
};

TEST_F(MapView, ASmallMapIsCentredOnTheHatchedBackground) {
  Show(20, 15);
  const QSize client = view.viewport()->size();
  EXPECT_EQ(view.MapClientRect(), QRect((client.width() - 640) / 2, (client.height() - 480) / 2, 640, 480));
  EXPECT_EQ(Shown(), Expected(view, map, graphic, {}));
  // Around the map lies the hatch in the button colours, not black and not the map.
  const QImage grabbed = view.viewport()->grab().toImage();
  const QPalette pal = QApplication::palette();
  std::set<QRgb> colours;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) colours.insert(grabbed.pixel(x, y));
  EXPECT_EQ(colours, (std::set<QRgb>{pal.color(QPalette::Button).rgb(), pal.color(QPalette::Dark).rgb()}));
  // Cells left of and above the map are negative; the map's first cell starts at its corner.
  const QRect r = view.MapClientRect();
  EXPECT_EQ(view.CellAt(r.topLeft()), (TCellPoint{0, 0}));
  EXPECT_EQ(view.CellAt(r.topLeft() - QPoint(1, 1)), (TCellPoint{-1, -1}));
}

TEST_F(MapView, ScrollingMovesWhatIsDrawnAndDrawsOnlyTheStripsItUncovers) {
  Show(120, 90);
  ASSERT_EQ(Shown(), Expected(view, map, graphic, {}));
  // Steps of every kind: a notch, a bit of a cell, both axes, back, and a jump past a page.
  const TPoint steps[] = {{16, 0}, {37, 5}, {0, -3}, {-50, 70}, {2000, 900}, {-1, -1}};
  for (const TPoint& d : steps) {
    view.horizontalScrollBar()->setValue(view.Scroll().x + d.x);
    view.verticalScrollBar()->setValue(view.Scroll().y + d.y);
    view.viewport()->repaint();
    SCOPED_TRACE(testing::Message() << "scrolled to " << view.Scroll().x << "," << view.Scroll().y);
    EXPECT_EQ(Shown(), Expected(view, map, graphic, {}));
  }
}

TEST_F(MapView, ZoomKeepsTheCentreOrThePointUnderTheMouse) {
  Show(200, 200);
  view.SetScroll({1200, 900});
  Settle();
  const QPoint centre(view.viewport()->width() / 2, view.viewport()->height() / 2);
  const TCellPoint before = view.CellAt(centre);
  view.SetCellSize(16);
  EXPECT_EQ(view.CellSize(), 16);
  const TCellPoint after = view.CellAt(centre);
  EXPECT_LE(std::abs(after.x - before.x), 1);
  EXPECT_LE(std::abs(after.y - before.y), 1);
  view.viewport()->repaint();
  EXPECT_EQ(Shown(), Expected(view, map, graphic, {}));
  // Ctrl + wheel: one notch in, around the mouse; a half notch does nothing yet.
  const QPoint mouse(100, 80);
  const TMapPointer under = view.Geometry().PointerAt({mouse.x(), mouse.y()}, view.Scroll());
  auto wheel = [&](int delta) {
    QWheelEvent e(mouse, view.viewport()->mapToGlobal(mouse), {}, {0, delta}, Qt::NoButton, Qt::ControlModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &e);
  };
  wheel(60);
  EXPECT_EQ(view.CellSize(), 16);
  wheel(60);
  EXPECT_EQ(view.CellSize(), 32);
  const TMapPointer now = view.Geometry().PointerAt({mouse.x(), mouse.y()}, view.Scroll());
  EXPECT_EQ(now.x / 2, under.x);
  EXPECT_EQ(now.y / 2, under.y);
}

// The main window with the map editor over the tiled project.
struct MapEditor : test::TMainWindowFixture {
  std::unique_ptr<TFormLcfMain> window;

  void Open(int w = 40, int h = 30) {
    project.Make();
    MakeTiledProject(project.Folder(), w, h);
    window = OpenWindow();
    ASSERT_TRUE(window->Projects().IsOpen());
    window->resize(1000, 760);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    Settle();
    ASSERT_TRUE(Editor().Painted());
  }
  TFormMapEditor& Editor() { return window->MapEditor(); }
  TFormChipSelector& Palette() { return window->ChipSelector(); }
  TProjectDocument& Doc() { return window->Document(); }
  QWidget* View() { return Editor().viewport(); }
  int Lower(int x, int y) { return Doc().Map().lower.GetCell(x, y); }
  QPoint At(int x, int y) { return Editor().ClientRectOf({x, y, 1, 1}).center(); }
  QPoint PaletteAt(int col, int row) { return {col * 32 + 16, row * 32 + 16 - Palette().ScrollY()}; }
  void Use(TMainCommand command) { window->Execute(command); }
  void PickPaletteCell(int col, int row) {
    Palette().verticalScrollBar()->setValue(std::max(0, row * 32 - 64));
    QTest::mouseClick(Palette().viewport(), Qt::LeftButton, {}, PaletteAt(col, row));
  }
  void Stroke(TCellPoint from, TCellPoint to, Qt::KeyboardModifiers mods = {}) {
    QTest::mousePress(View(), Qt::LeftButton, mods, At(from.x, from.y));
    QTest::mouseMove(View(), At(to.x, to.y));
    QTest::mouseRelease(View(), Qt::LeftButton, mods, At(to.x, to.y));
  }
};

// A map opened with the project, before the window is shown, shows its cells at the position its
// tree entry stores (clamped to the map) as soon as the window appears, without a scroll first.
TEST_F(MapEditor, ALargeMapShowsAtItsStoredPositionAtOnce) {
  const struct {
    int w, h;
    TPoint stored, scroll;
  } cases[] = {{40, 30, {0, 0}, {0, 0}},
               {148, 134, {0, 0}, {0, 0}},
               {148, 134, {2000, 1500}, {2000, 1500}},
               {148, 134, {90000, -70}, {-1, 0}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " at " << c.stored.x << "," << c.stored.y);
    window.reset();
    project.Make();
    MakeTiledProject(project.Folder(), c.w, c.h);
    TLcfMapTree tree;
    tree.LoadFromBytes(ReadWholeFile(project.Folder() + "TESS_RT.lmt"));
    tree.FindById(1)->scrollX = c.stored.x;
    tree.FindById(1)->scrollY = c.stored.y;
    WriteFileAtomic(project.Folder() + "TESS_RT.lmt", tree.SaveToBytes());
    window = OpenWindow();
    window->resize(1000, 760);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    Settle();
    const TMapViewGeometry g = Editor().Geometry();
    const TPoint expected = c.scroll.x < 0 ? TPoint{g.MaxScrollX(), 0} : g.Clamp(c.scroll);
    EXPECT_EQ(Editor().Scroll(), expected);
    // What the window shows is the map, drawn for that position.
    TMapDrawOptions faded;
    faded.dimming = TLayerDimming::Upper;
    const QImage expectedImage = Expected(Editor(), Doc().Map(), Doc().ChipSet(), faded);
    EXPECT_EQ(Editor().MapImage(), expectedImage);
    const QImage shown = View()->grab().toImage().convertToFormat(QImage::Format_RGB16);
    EXPECT_EQ(shown.copy(Editor().MapClientRect()), expectedImage);
  }
}

TEST_F(MapEditor, PenRectangleFillCancelUndoAndRedoChangeTheMap) {
  Open();
  PickPaletteCell(0, 3);
  ASSERT_EQ(Doc().Editor().State().CurrentChip().Cell(0, 0), kChipA);

  // Pen: a stroke along a row paints every cell it crosses, and is one step of the history.
  const int before = Lower(2, 2), before6 = Lower(6, 2);
  Stroke({2, 2}, {6, 2});
  for (int x = 2; x <= 6; ++x) EXPECT_EQ(Lower(x, 2), kChipA) << x;
  EXPECT_TRUE(window->Action(TMainCommand::SaveMap)->isEnabled());
  Use(TMainCommand::Undo);
  EXPECT_EQ(Lower(2, 2), before);
  EXPECT_EQ(Lower(6, 2), before6);
  EXPECT_TRUE(window->Action(TMainCommand::Redo)->isEnabled());
  Use(TMainCommand::Redo);
  EXPECT_EQ(Lower(2, 2), kChipA);
  EXPECT_EQ(Lower(6, 2), kChipA);

  // Rectangle from corner to corner.
  Use(TMainCommand::ToolRectangle);
  Stroke({10, 5}, {13, 8});
  for (int y = 5; y <= 8; ++y)
    for (int x = 10; x <= 13; ++x) EXPECT_EQ(Lower(x, y), kChipA) << x << "," << y;
  EXPECT_NE(Lower(14, 8), kChipA);

  // Flood fill inside that rectangle changes exactly it.
  PickPaletteCell(1, 3);
  Use(TMainCommand::ToolFill);
  const int outside = Lower(9, 6);
  Stroke({11, 6}, {11, 6});
  for (int y = 5; y <= 8; ++y)
    for (int x = 10; x <= 13; ++x) EXPECT_EQ(Lower(x, y), kChipB) << x << "," << y;
  EXPECT_EQ(Lower(9, 6), outside);

  // The right button during a pen stroke puts the map back as it was before the stroke.
  Use(TMainCommand::ToolPen);
  const int a = Lower(20, 12), b = Lower(23, 12);
  QTest::mousePress(View(), Qt::LeftButton, {}, At(20, 12));
  QTest::mouseMove(View(), At(23, 12));
  EXPECT_EQ(Lower(23, 12), kChipB);
  QTest::mousePress(View(), Qt::RightButton, {}, At(23, 12));
  QTest::mouseRelease(View(), Qt::RightButton, {}, At(23, 12));
  QTest::mouseRelease(View(), Qt::LeftButton, {}, At(23, 12));
  EXPECT_EQ(Lower(20, 12), a);
  EXPECT_EQ(Lower(23, 12), b);

  // What the view shows is what the map now holds.
  View()->repaint();
  TMapDrawOptions options;
  options.dimming = TLayerDimming::Upper;
  EXPECT_EQ(Editor().MapImage(), Expected(Editor(), Doc().Map(), Doc().ChipSet(), options));
}

TEST_F(MapEditor, TheLayerNotEditedIsFadedOnlyWithADrawingTool) {
  Open();
  View()->repaint();
  TMapDrawOptions faded;
  faded.dimming = TLayerDimming::Upper;
  const QImage withPen = Editor().MapImage();
  EXPECT_EQ(withPen, Expected(Editor(), Doc().Map(), Doc().ChipSet(), faded));
  Use(TMainCommand::ToolSelect);
  View()->repaint();
  const QImage withSelection = Editor().MapImage();
  EXPECT_EQ(withSelection, Expected(Editor(), Doc().Map(), Doc().ChipSet(), {}));
  EXPECT_NE(withPen, withSelection);
  // In the upper layer mode the lower layer stands back instead.
  Use(TMainCommand::ModeUpper);
  Use(TMainCommand::ToolPen);
  View()->repaint();
  faded.dimming = TLayerDimming::Lower;
  EXPECT_EQ(Editor().MapImage(), Expected(Editor(), Doc().Map(), Doc().ChipSet(), faded));
}

TEST_F(MapEditor, TheZoomToolKeepsTheCellUnderTheMouse) {
  Open(200, 200);
  Use(TMainCommand::Zoom8);
  Use(TMainCommand::ToolZoom);
  Editor().SetScroll({200, 150});
  Settle();
  const QPoint mouse(230, 170);
  const TCellPoint cell = Editor().CellAt(mouse);
  // Right at 1/8 changes nothing.
  QTest::mouseClick(View(), Qt::RightButton, {}, mouse);
  EXPECT_EQ(Editor().CellSize(), 4);
  QTest::mouseClick(View(), Qt::LeftButton, {}, mouse);
  EXPECT_EQ(Editor().CellSize(), 8);
  EXPECT_EQ(Doc().Zoom(), TZoom::Quarter);
  EXPECT_TRUE(window->Action(TMainCommand::Zoom4)->isChecked());
  EXPECT_EQ(Editor().CellAt(mouse), cell);
  QTest::mouseClick(View(), Qt::RightButton, {}, mouse);
  EXPECT_EQ(Editor().CellSize(), 4);
}

TEST_F(MapEditor, TheStatusBarNamesTheCellAndItsTile) {
  Open();
  QTest::mouseMove(View(), At(5, 7));
  const QString text = window->StatusPanel(2)->text();
  EXPECT_TRUE(text.endsWith(QString(" (005,007) %1").arg(Lower(5, 7)))) << text.toStdString();
  EXPECT_TRUE(text.startsWith("MAP0001")) << text.toStdString();
}

TEST_F(MapEditor, TheArrowKeysDoNothingOutsideTheEventMode) {
  Open(120, 90);
  const TPoint scroll = Editor().Scroll();
  QTest::mouseMove(View(), At(3, 3));
  for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left}) QTest::keyClick(&Editor(), key);
  EXPECT_EQ(Editor().Scroll(), scroll);
  EXPECT_EQ(Doc().Editor().Cursor(), (TCellPoint{-1, -1}));
}

TEST_F(MapEditor, PressesBeforeTheFirstPaintAreIgnored) {
  project.Make();
  MakeTiledProject(project.Folder(), 40, 30);
  window = OpenWindow();
  ASSERT_FALSE(Editor().Painted());
  const int before = Lower(1, 1);
  QTest::mousePress(View(), Qt::LeftButton, {}, QPoint(48, 48));
  QTest::mouseRelease(View(), Qt::LeftButton, {}, QPoint(48, 48));
  EXPECT_EQ(Lower(1, 1), before);
  EXPECT_FALSE(Doc().MapsModified());
}

TEST_F(MapEditor, ThePaletteGivesTheCurrentChip) {
  Open();
  struct {
    int col, row, id;
  } cells[] = {{0, 0, 49}, {2, 0, 2049}, {3, 0, 3000}, {0, 1, 4049}, {0, 3, 5000}, {5, 26, 5143}};
  for (const auto& c : cells) {
    PickPaletteCell(c.col, c.row);
    EXPECT_EQ(Doc().Editor().State().CurrentChip().Cell(0, 0), c.id) << c.col << "," << c.row;
    EXPECT_EQ(Palette().Selection(), (TCellRect{c.col, c.row, 1, 1}));
  }
}

TEST_F(MapEditor, APaletteDragGrowsAfterTheTriggerToSixRowsAtMost) {
  Open();
  QWidget* pv = Palette().viewport();
  Palette().verticalScrollBar()->setValue(64);
  Settle();
  // A quick click selects one cell, even when the mouse moved before the release.
  QTest::mousePress(pv, Qt::LeftButton, {}, PaletteAt(1, 3));
  QTest::mouseMove(pv, PaletteAt(3, 5));
  QTest::mouseRelease(pv, Qt::LeftButton, {}, PaletteAt(3, 5));
  EXPECT_EQ(Palette().Selection(), (TCellRect{1, 3, 1, 1}));
  // Held past the trigger, the block spans the drag: from row 3 to row 12 only rows 3..8.
  QTest::mousePress(pv, Qt::LeftButton, {}, PaletteAt(0, 3));
  QTest::qWait(220);
  QTest::mouseMove(pv, PaletteAt(2, 12));
  QTest::mouseRelease(pv, Qt::LeftButton, {}, PaletteAt(2, 12));
  EXPECT_EQ(Palette().Selection(), (TCellRect{0, 3, 3, 6}));
  const TLcfCurrentChip& chip = Doc().Editor().State().CurrentChip();
  EXPECT_EQ(chip.width, 3);
  EXPECT_EQ(chip.height, 6);
  EXPECT_EQ(chip.Cell(2, 5), PaletteId(TEditMode::Lower, 2, 8));
  // Another button during a drag puts the block back as it was and tells no one.
  QTest::mousePress(pv, Qt::LeftButton, {}, PaletteAt(4, 4));
  QTest::mousePress(pv, Qt::RightButton, {}, PaletteAt(4, 4));
  QTest::mouseRelease(pv, Qt::RightButton, {}, PaletteAt(4, 4));
  QTest::mouseRelease(pv, Qt::LeftButton, {}, PaletteAt(4, 4));
  EXPECT_EQ(Palette().Selection(), (TCellRect{0, 3, 3, 6}));
  EXPECT_EQ(Doc().Editor().State().CurrentChip().width, 3);
  // The event palette selects one cell however long the drag.
  Use(TMainCommand::ModeEvent);
  QTest::mousePress(pv, Qt::LeftButton, {}, PaletteAt(1, 1));
  QTest::qWait(220);
  QTest::mouseMove(pv, PaletteAt(4, 4));
  QTest::mouseRelease(pv, Qt::LeftButton, {}, PaletteAt(4, 4));
  EXPECT_EQ(Palette().Selection(), (TCellRect{1, 1, 1, 1}));
}

TEST_F(MapEditor, APickFromTheMapSelectsItsPaletteCell) {
  Open();
  ASSERT_TRUE(Doc().EditLayers([](TLcfMap& map) {
    map.lower.SetCell(4, 4, 4023);
    map.lower.SetCell(5, 4, 5007);
    return TCellRect{4, 4, 2, 1};
  }));
  // With Shift the autotile keeps its shape, which no palette cell shows.
  QTest::mouseClick(View(), Qt::RightButton, Qt::ShiftModifier, At(4, 4));
  EXPECT_EQ(Doc().Editor().State().CurrentChip().Cell(0, 0), 4023);
  EXPECT_TRUE(Palette().Selection().Empty());
  // Without, it is the block's preview form: lower cell 6.
  QTest::mouseClick(View(), Qt::RightButton, {}, At(4, 4));
  EXPECT_EQ(Doc().Editor().State().CurrentChip().Cell(0, 0), 4049);
  EXPECT_EQ(Palette().Selection(), (TCellRect{0, 1, 1, 1}));
  QTest::mouseClick(View(), Qt::RightButton, {}, At(5, 4));
  EXPECT_EQ(Palette().Selection(), (TCellRect{1, 4, 1, 1}));
}

}  // namespace

TEST_F(MapEditor, TheSelectedAreaOfTheMapIsFramed) {
  Open(20, 15);
  TMapTreeCommands commands(Doc());
  const int32_t id = Doc().MapTree().FirstFreeId();
  ASSERT_TRUE(commands.CreateArea(1, id, "Woods", {3, 2, 7, 4}, {}));
  Settle();
  EXPECT_EQ(Editor().AreaFrame(), (TCellRect{3, 2, 7, 4}));
  ExpectAreaFrame(Editor(), Editor().ClientRectOf({3, 2, 7, 4}));

  // Changed in its properties, the frame moves; a rectangle reaching past the map is framed as far
  // as it lies on it.
  const struct {
    TCellRect stored, framed;
  } cases[] = {{{5, 5, 4, 3}, {5, 5, 4, 3}}, {{15, 10, 15, 20}, {15, 10, 5, 5}}, {{25, 1, 3, 3}, {}}};
  for (const auto& c : cases) {
    ASSERT_TRUE(commands.SetAreaProperties(id, "Woods", c.stored, {}));
    Settle();
    EXPECT_EQ(Editor().AreaFrame(), c.framed);
    if (!c.framed.Empty()) ExpectAreaFrame(Editor(), Editor().ClientRectOf(c.framed));
  }

  // The map itself selected: no frame, and none drawn.
  commands.SetAreaProperties(id, "Woods", {3, 2, 7, 4}, {});
  commands.SelectNode(1, 0, 0);
  Settle();
  EXPECT_TRUE(Editor().AreaFrame().Empty());
  EXPECT_TRUE(NoFrameAround(Editor(), Editor().ClientRectOf({3, 2, 7, 4})));
}

TEST_F(MapEditor, AreaPropertiesDrawsTheRectangleOnTheMap) {
  Open(20, 15);
  TLcfEncount encounters;
  for (bool ok : {false, true}) {
    SCOPED_TRACE(ok);
    TFormEDArea dialog(Doc(), 2, "Woods", {0, 0, 20, 15}, encounters);
    dialog.show();
    ASSERT_TRUE(dialog.RectButton()->isEnabled());
    EXPECT_EQ(dialog.RectButton()->text(), "(000,000) - (019,014)");
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* boundaries = qobject_cast<TFormMapSetArea*>(QApplication::activeModalWidget());
      seen = boundaries != nullptr;
      if (!boundaries) return;
      EXPECT_TRUE(QTest::qWaitForWindowExposed(boundaries));
      Settle();
      TFormAreaMaker& view = *boundaries->Viewer();
      EXPECT_EQ(view.Map(), &Doc().Map());
      EXPECT_EQ(boundaries->Rect(), (TCellRect{0, 0, 20, 15}));
      const QPoint from = view.ClientRectOf({4, 3, 1, 1}).topLeft(), to = view.ClientRectOf({9, 7, 1, 1}).topLeft();
      SendMouse(view.viewport(), QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, from);
      SendMouse(view.viewport(), QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, to);
      SendMouse(view.viewport(), QEvent::MouseButtonRelease, Qt::LeftButton, {}, to);
      ok ? boundaries->accept() : boundaries->reject();
    });
    dialog.RectButton()->click();
    EXPECT_TRUE(seen);
    EXPECT_EQ(dialog.Rect(), (ok ? TCellRect{4, 3, 5, 4} : TCellRect{0, 0, 20, 15}));
    EXPECT_EQ(dialog.RectButton()->text(), ok ? "(004,003) - (008,006)" : "(000,000) - (019,014)");
  }
}
