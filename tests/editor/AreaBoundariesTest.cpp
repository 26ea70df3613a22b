// Drawing an area's rectangle on its map, and the area's frame in the map editor, driven by real
// mouse events and checked on the pixels the views show.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "MainWindowFixture.h"
#include "TiledProject.h"
#include "database/LD_ChipSet.h"
#include "maps/GR_ChipSet.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "maps/gui/FormAreaMaker.h"
#include "maps/gui/FormEDArea.h"
#include "maps/gui/FormMapEditor.h"
#include "maps/gui/FormMapSetArea.h"
#include "project/MapTreeCommands.h"
#include "project/ProjectDocument.h"

using namespace tess;
using namespace tess::test;

namespace {

const QRgb kLight = qRgb(255, 255, 128), kDark = qRgb(32, 32, 32);

void SendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint at) {
  QMouseEvent e(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(target, &e);
}

// The colours seen going into a framed rectangle from the middle of each edge, depth 0..5, with
// what the map itself shows at those pixels where the frame leaves it uncovered.
struct TFrameSample {
  std::vector<QRgb> seen, map;
};
TFrameSample SampleFrame(const TFormMapViewer& view, const QRect& r) {
  const QImage shown = view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage board = view.MapImage().convertToFormat(QImage::Format_RGB32);
  const QPoint origin = view.MapClientRect().topLeft();
  TFrameSample s;
  const QPoint mid = r.center();
  for (int d = 0; d < 6; ++d)
    for (QPoint p : {QPoint(mid.x(), r.top() + d), QPoint(mid.x(), r.bottom() - d), QPoint(r.left() + d, mid.y()),
                     QPoint(r.right() - d, mid.y())}) {
      s.seen.push_back(shown.pixel(p));
      s.map.push_back(board.pixel(p - origin));
    }
  return s;
}

// Light yellow on the edge, dark grey one in, the map at two and three in, light yellow four in,
// dark grey five in, on all four edges.
void ExpectAreaFrame(const TFormMapViewer& view, const QRect& r) {
  const TFrameSample s = SampleFrame(view, r);
  for (size_t i = 0; i < s.seen.size(); ++i) {
    const size_t depth = i / 4;
    SCOPED_TRACE(testing::Message() << "depth " << depth << " edge " << i % 4);
    if (depth == 0 || depth == 4) EXPECT_EQ(s.seen[i], kLight);
    if (depth == 1 || depth == 5) EXPECT_EQ(s.seen[i], kDark);
    if (depth == 2 || depth == 3) EXPECT_EQ(s.seen[i], s.map[i]);
  }
}

// "Define Area Boundaries" over map 1 of a tiled project, with a tree that keeps its position.
struct AreaWindow : ::testing::Test {
  TProcessFoldersScope folders;
  QTemporaryDir dir;
  std::string folder = dir.path().toStdString() + "/";
  TLcfMap map;
  TLcfChipSetItem tileset;
  TLcfChipSetGraphic graphic;
  TLcfMapTree tree;
  std::unique_ptr<TFormMapSetArea> window;

  void Open(int w, int h, TCellRect rect = {}, TPoint stored = {320, 240}) {
    MakeTiledProject(folder, w, h);
    SetProjectFolder(folder);
    SetCurrentRuntimePackageFolder("");
    map.LoadFromProject(folder, 1);
    tileset.chipSetFile = "Noise";
    graphic.SetTileset(&tileset);
    tree.AddNode(0, 0)->nodeType = TLcfMapTreeItem::kRoot;
    TLcfMapTreeItem* entry = tree.AddNode(0, 1);
    entry->nodeType = TLcfMapTreeItem::kMap;
    entry->scrollX = stored.x;
    entry->scrollY = stored.y;
    window = std::make_unique<TFormMapSetArea>(tree, map, graphic, rect);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    Settle();
  }
  TFormAreaMaker& View() { return *window->Viewer(); }
  // The client point of a grid corner, moved by d pixels.
  QPoint Corner(int x, int y, QPoint d = {}) { return View().ClientRectOf({x, y, 1, 1}).topLeft() + d; }
  void Press(QPoint at, Qt::MouseButton button = Qt::LeftButton, Qt::MouseButtons held = Qt::LeftButton) {
    SendMouse(View().viewport(), QEvent::MouseButtonPress, button, held, at);
  }
  void Move(QPoint at) { SendMouse(View().viewport(), QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, at); }
  void Release(QPoint at) { SendMouse(View().viewport(), QEvent::MouseButtonRelease, Qt::LeftButton, {}, at); }
  void Drag(QPoint from, QPoint to) {
    Press(from);
    Move(to);
    Release(to);
  }
};

}  // namespace

TEST_F(AreaWindow, OpensAtHalfSizeWithTheGivenRectangle) {
  Open(20, 15, {3, 2, 7, 4});
  EXPECT_EQ(window->windowTitle(), "Define Area Boundaries");
  EXPECT_EQ(window->size(), QSize(660, 541));
  EXPECT_EQ(View().CellSize(), 16);
  EXPECT_TRUE(window->ZoomButton(16)->isChecked());
  EXPECT_EQ(window->Rect(), (TCellRect{3, 2, 7, 4}));
  EXPECT_EQ(window->RectText()->text(), "(003,002) - (009,005)");
  EXPECT_TRUE(window->OkButton()->isEnabled());
}

TEST_F(AreaWindow, ADragRunsFromCornerToCornerClampedToTheMap) {
  // 20 x 15 at 16 pixels lies whole in the window, with the hatch around it.
  Open(20, 15);
  EXPECT_FALSE(window->OkButton()->isEnabled());
  const QRect mapRect = View().MapClientRect();
  const struct {
    QPoint press, release;
    TCellRect rect;
    const char* text;
  } cases[] = {
      // Under half a cell from a corner snaps to it, half a cell or more to the next one.
      {Corner(3, 2, {7, 7}), Corner(10, 6, {-8, -8}), {3, 2, 7, 4}, "(003,002) - (009,005)"},
      {Corner(3, 2, {8, 8}), Corner(10, 6, {-9, -9}), {4, 3, 5, 2}, "(004,003) - (008,004)"},
      // Backwards draws the same rectangle.
      {Corner(10, 6), Corner(3, 2), {3, 2, 7, 4}, "(003,002) - (009,005)"},
      // Beyond the map the corners are its own.
      {Corner(17, 12), mapRect.bottomRight() + QPoint(40, 30), {17, 12, 3, 3}, "(017,012) - (019,014)"},
      {mapRect.topLeft() - QPoint(30, 20), Corner(2, 2), {0, 0, 2, 2}, "(000,000) - (001,001)"},
      {mapRect.topLeft() - QPoint(5, 5), mapRect.bottomRight() + QPoint(5, 5), {0, 0, 20, 15}, "(000,000) - (019,014)"},
      // No width, no height or neither: nothing.
      {Corner(5, 5), Corner(5, 9), {}, ""},
      {Corner(5, 5), Corner(9, 5, {3, 7}), {}, ""},
      {Corner(5, 5), Corner(5, 5), {}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Drag(c.press, c.release);
    EXPECT_EQ(window->Rect(), c.rect);
    EXPECT_EQ(window->RectText()->text(), c.text);
    EXPECT_EQ(window->OkButton()->isEnabled(), !c.rect.Empty());
    EXPECT_FALSE(View().Drawing());
  }
}

TEST_F(AreaWindow, TheRectangleFollowsTheMouseAndAnotherButtonClearsIt) {
  Open(20, 15, {1, 1, 2, 2});
  for (Qt::MouseButton other : {Qt::RightButton, Qt::MiddleButton}) {
    SCOPED_TRACE(other);
    Press(Corner(2, 3));
    EXPECT_TRUE(View().Drawing());
    Move(Corner(6, 8));
    EXPECT_EQ(window->Rect(), (TCellRect{2, 3, 4, 5}));
    EXPECT_EQ(window->RectText()->text(), "(002,003) - (005,007)");
    Press(Corner(6, 8), other, Qt::LeftButton | other);
    EXPECT_FALSE(View().Drawing());
    EXPECT_TRUE(window->Rect().Empty());
    EXPECT_EQ(window->RectText()->text(), "");
    EXPECT_FALSE(window->OkButton()->isEnabled());
    // What the mouse does until the left button is let go draws nothing.
    Move(Corner(9, 9));
    Release(Corner(9, 9));
    EXPECT_TRUE(window->Rect().Empty());
    Drag(Corner(0, 0), Corner(1, 1));
  }
  // The right button alone leaves the rectangle as it is.
  Press(Corner(7, 7), Qt::RightButton, Qt::RightButton);
  EXPECT_EQ(window->Rect(), (TCellRect{0, 0, 1, 1}));
  EXPECT_FALSE(View().Drawing());
}

TEST_F(AreaWindow, TheRectangleIsFramedAtEveryZoom) {
  Open(20, 15);
  Drag(Corner(3, 2), Corner(10, 6));
  for (int size : {16, 32, 8, 16}) {
    SCOPED_TRACE(size);
    QTest::mouseClick(window->ZoomButton(size), Qt::LeftButton);
    Settle();
    EXPECT_EQ(View().CellSize(), size);
    EXPECT_TRUE(window->ZoomButton(size)->isChecked());
    EXPECT_EQ(window->Rect(), (TCellRect{3, 2, 7, 4}));
    const QRect r = View().ClientRectOf({3, 2, 7, 4});
    EXPECT_EQ(r.size(), QSize(7 * size, 4 * size));
    if (size < 32) ExpectAreaFrame(View(), r);
  }
  // The rectangle's old frame is gone once another is drawn.
  const QRect old = View().ClientRectOf({3, 2, 7, 4});
  Drag(Corner(12, 8), Corner(15, 12));
  Settle();
  ExpectAreaFrame(View(), View().ClientRectOf({12, 8, 3, 4}));
  const TFrameSample s = SampleFrame(View(), old);
  EXPECT_EQ(s.seen, s.map);
}

TEST_F(AreaWindow, TheMapsPositionInTheTreeIsPutBackWhenItCloses) {
  Open(80, 60, {}, {900, 700});
  for (bool accept : {false, true}) {
    SCOPED_TRACE(accept);
    if (!window) {
      window = std::make_unique<TFormMapSetArea>(tree, map, graphic, TCellRect{});
      window->show();
      Settle();
    }
    View().SetScroll({View().Scroll().x + 200, View().Scroll().y + 96});
    // While the window is open the tree follows its view, in 1/1 pixels.
    EXPECT_EQ(tree.FindById(1)->scrollX, 900 + 400);
    EXPECT_EQ(tree.FindById(1)->scrollY, 700 + 192);
    accept ? window->accept() : window->reject();
    EXPECT_EQ(tree.FindById(1)->scrollX, 900);
    EXPECT_EQ(tree.FindById(1)->scrollY, 700);
    window.reset();
    EXPECT_EQ(tree.FindById(1)->scrollX, 900);
  }
}

namespace {

// The main window over a tiled project of 20 x 15 cells.
struct AreaInEditor : TMainWindowFixture {
  std::unique_ptr<TFormLcfMain> window;

  void SetUp() override {
    TMainWindowFixture::SetUp();
    project.Make();
    MakeTiledProject(project.Folder(), 20, 15);
    window = OpenWindow();
    ASSERT_TRUE(window->Projects().IsOpen());
    window->resize(1000, 760);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    Settle();
  }
  TProjectDocument& Doc() { return window->Document(); }
  TFormMapEditor& Editor() { return window->MapEditor(); }
};

}  // namespace

TEST_F(AreaInEditor, TheSelectedAreaOfTheMapIsFramed) {
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
  const TFrameSample s = SampleFrame(Editor(), Editor().ClientRectOf({3, 2, 7, 4}));
  EXPECT_EQ(s.seen, s.map);
}

TEST_F(AreaInEditor, AreaPropertiesDrawsTheRectangleOnTheMap) {
  TLcfEncount encounters;
  for (bool ok : {false, true}) {
    SCOPED_TRACE(ok);
    TFormEDArea dialog(Doc(), 2, "Woods", {0, 0, 20, 15}, encounters);
    ASSERT_TRUE(dialog.RectButton()->isEnabled());
    EXPECT_EQ(dialog.RectButton()->text(), "(000,000) - (019,014)");
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* boundaries = qobject_cast<TFormMapSetArea*>(QApplication::activeModalWidget());
      seen = boundaries != nullptr;
      if (!boundaries) return;
      TFormAreaMaker& view = *boundaries->Viewer();
      EXPECT_EQ(view.Map(), &Doc().Map());
      EXPECT_EQ(boundaries->Rect(), (TCellRect{0, 0, 20, 15}));
      const QPoint from = view.ClientRectOf({4, 3, 1, 1}).topLeft(), to = view.ClientRectOf({9, 7, 1, 1}).topLeft();
      SendMouse(view.viewport(), QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, from);
      SendMouse(view.viewport(), QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, to);
      SendMouse(view.viewport(), QEvent::MouseButtonRelease, Qt::LeftButton, {}, to);
      ok ? boundaries->accept() : boundaries->reject();
    });
    QTest::mouseClick(dialog.RectButton(), Qt::LeftButton);
    EXPECT_TRUE(seen);
    EXPECT_EQ(dialog.Rect(), ok ? TCellRect{4, 3, 5, 4} : TCellRect{0, 0, 20, 15});
    EXPECT_EQ(dialog.RectButton()->text(), ok ? "(004,003) - (008,006)" : "(000,000) - (019,014)");
  }
}
