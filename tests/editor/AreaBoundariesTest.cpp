// "Define Area Boundaries": drawing an area's rectangle on its map with real mouse events, checked
// on the rectangle, its text, the OK button and the pixels of its frame.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "TiledProject.h"
#include "database/LD_ChipSet.h"
#include "editor/maps/FormAreaMaker.h"
#include "editor/maps/FormMapSetArea.h"
#include "maps/GR_ChipSet.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"

using namespace tess;
using namespace tess::test;

namespace {

// "Define Area Boundaries" over map 1 of a tiled project, with a tree that keeps its position.
struct AreaWindow : ::testing::Test, TTiledMap {
  TLcfMapTree tree;
  std::unique_ptr<TFormMapSetArea> window;

  void Open(int w, int h, TCellRect rect = {}, TPoint stored = {320, 240}) {
    Make(w, h);
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
  EXPECT_TRUE(NoFrameAround(View(), old));
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
