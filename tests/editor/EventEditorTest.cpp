// The event editor, the move route editor and the map editor's event mode, driven by real keys and
// clicks; the form check over a project with the largest events a map holds.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QWheelEvent>
#include <filesystem>
#include <sstream>

#include "MainWindowFixture.h"
#include "TiledProject.h"
#include "core/AtomicFile.h"
#include "database/DataBaseObj.h"
#include "editor/events/FormEDEvent.h"
#include "editor/events/FormEDMoveRoute.h"
#include "editor/maps/FormMapEditor.h"
#include "editor/maps/FormMapEvents.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "tools/formcheck/FormCheck.h"
#include "ui/pickers/FormSelMusic.h"
#include "ui/script/ScriptEditor.h"
#include "ui/script/ScriptListBox.h"

using namespace tess;
using namespace tess::test;

namespace {

void Pages(TLcfEventItem& e, int n) {
  e.Reset();
  e.SetId(7);
  e.name = "Villager";
  for (int i = 1; i <= n; ++i) e.pages.Obtain(i)->trigger = static_cast<uint8_t>(i % 5);
}

Bytes EncodedEvent(TLcfEventItem& event) {
  Bytes out;
  event.SaveTo(out, TCatalogVarData::Mode::Copy);
  return out;
}

struct EventEditor : ::testing::Test {
  TLcfDataBase database;
  TLcfMap map;
  TLcfEventItem event;
  int applied = 0;
  // lines: that many messages on the first page.
  std::unique_ptr<TFormEDEvent> Open(int pages, int lines = 0) {
    Pages(event, pages);
    TLcfEventScriptList& script = event.pages.ItemAt(0)->lines;
    if (lines > 0) script.ClearLines();
    for (int i = 0; i < lines; ++i) script.AppendLine(TLcfEventScriptLine(10110, 0, "Line " + std::to_string(i)));
    if (lines > 0) script.AppendLine(TLcfEventScriptLine(0, 0));
    TEventEditorContext context;
    context.database = &database;
    context.map = &map;
    auto w = std::make_unique<TFormEDEvent>(context, event, false, [this](const TLcfEventItem&) { ++applied; });
    w->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    return w;
  }
};

TEST_F(EventEditor, TabsWrapTimersCombineAndApplyFollowsEdits) {
  auto w = Open(3);
  EXPECT_EQ(w->windowTitle(), "Event Editor - ID:0007");
  EXPECT_FALSE(w->ApplyButton()->isEnabled());
  const struct {
    Qt::KeyboardModifiers mods;
    int key, page;
  } steps[] = {{Qt::ControlModifier, Qt::Key_Tab, 1},
               {Qt::ControlModifier, Qt::Key_Tab, 2},
               {Qt::ControlModifier, Qt::Key_Tab, 0},
               {Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Backtab, 2}};
  for (const auto& s : steps) {
    QTest::keyClick(w.get(), static_cast<Qt::Key>(s.key), s.mods);
    EXPECT_EQ(w->CurrentPage(), s.page);
    EXPECT_EQ(w->Tabs()->currentIndex(), s.page);
  }
  // Timer 1: the box enables the minutes and seconds; 2 minutes, then 5 seconds, store 125.
  auto* use = w->findChild<QCheckBox*>("UseTimer1");
  auto* minutes = w->findChild<QSpinBox*>("Timer1Minutes");
  auto* seconds = w->findChild<QSpinBox*>("Timer1Seconds");
  ASSERT_TRUE(use && minutes && seconds);
  EXPECT_FALSE(minutes->isEnabled());
  QTest::mouseClick(use, Qt::LeftButton, {}, QPoint(5, use->height() / 2));
  EXPECT_TRUE(minutes->isEnabled());
  minutes->setValue(2);
  seconds->setValue(5);
  const TLcfEventPageItem& page = *event.pages.ItemAt(2);
  EXPECT_EQ(page.condition.flags, TLcfEventCondition::kTimer1);
  EXPECT_EQ(page.condition.timer1Seconds, 125);
  EXPECT_TRUE(w->ApplyButton()->isEnabled());
  w->ApplyButton()->click();
  EXPECT_EQ(applied, 1);
  EXPECT_FALSE(w->ApplyButton()->isEnabled());
  // Delete Page on the last page selects the new last page; one page cannot be deleted.
  w->PageButton(3)->click();
  EXPECT_EQ(event.pages.Count(), 2);
  EXPECT_EQ(w->CurrentPage(), 1);
  EXPECT_EQ(w->Tabs()->count(), 2);
  w->PageButton(3)->click();
  EXPECT_FALSE(w->PageButton(3)->isEnabled());
  // Cancel never applies.
  w->reject();
  EXPECT_EQ(applied, 1);
}

TEST_F(EventEditor, AMissingSheetKeepsItsNameAndIsSaidMissing) {
  TLcfEventItem& e = event;
  auto w = Open(1);
  e.pages.ItemAt(0)->graphicName = "NoSuchSheet";
  e.pages.ItemAt(0)->animationType = 5;
  w->ShowPage(0);
  EXPECT_TRUE(w->GraphicNote()->text().contains("NoSuchSheet"));
  EXPECT_EQ(w->PreviewTimer().interval(), 200);  // Spin Around at speed 3
  w->Apply();
  EXPECT_EQ(e.pages.ItemAt(0)->graphicName, "NoSuchSheet");
}

// The wheel turns the script a row per notch, over the script or anywhere in the window while the
// script has the focus; Page Down and Up move by half a view; the music button listens.
TEST_F(EventEditor, WheelAndPageKeysMoveTheScriptAndTheMusicButtonListens) {
  auto w = Open(1, 300);
  QApplication::setActiveWindow(w.get());
  TScriptListBox* list = w->Script()->List();
  ScriptEditModel& model = w->Script()->Model();
  list->setFocus();
  ASSERT_TRUE(list->hasFocus());
  ASSERT_GE(model.VisibleRows(), 4);
  auto* moveType = w->findChild<QComboBox*>("MoveType");
  ASSERT_NE(moveType, nullptr);
  const struct {
    QWidget* target;
    int delta, top;
  } turns[] = {{list->viewport(), -120, 1},          {list->viewport(), -60, 1}, {list->viewport(), -60, 2},
               {list->verticalScrollBar(), -120, 3}, {moveType, -120, 4},        {moveType, -240, 6},
               {list->viewport(), 360, 3},           {list->viewport(), 600, 0}};
  for (const auto& t : turns) {
    const QPointF at = QRectF(t.target->rect()).center();
    QWheelEvent wheel(at, t.target->mapToGlobal(at), QPoint(), QPoint(0, t.delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(t.target, &wheel);
    EXPECT_EQ(model.TopIndex(), t.top) << t.delta;
  }
  EXPECT_EQ(moveType->currentIndex(), 0);
  EXPECT_EQ(event.pages.ItemAt(0)->moveType, 0);
  QTest::keyClick(list, Qt::Key_PageDown);
  EXPECT_EQ(model.ItemIndex(), model.VisibleRows() / 2);
  QTest::keyClick(list, Qt::Key_PageUp);
  EXPECT_EQ(model.ItemIndex(), 0);
  // Without the focus on the script, the wheel over a list stays the list's.
  moveType->setFocus();
  QWheelEvent wheel(QPointF(5, 5), moveType->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(moveType, &wheel);
  EXPECT_EQ(model.TopIndex(), 0);

  bool listening = false;
  QPoint placed;
  QTimer::singleShot(0, [&] {
    auto* picker = qobject_cast<TFormSelMusic*>(QApplication::activeModalWidget());
    if (!picker) return;
    listening = picker->Listening();
    placed = picker->pos();
    picker->reject();
  });
  w->MusicButton()->click();
  EXPECT_TRUE(listening);
  EXPECT_EQ(placed, w->mapToGlobal(QPoint(8, 176)));
}

TEST(MoveRouteWindow, ButtonsInsertBeforeTheSelectionAndAVanishedTargetIsTheHero) {
  TFormEDMoveRoute::ForgetRemembered();
  TLcfMap map;
  map.events.Obtain(3)->name = "Gate";
  TFormEDMoveRoute::TContext context;
  context.map = &map;
  TFormEDMoveRoute editor(false, context);
  editor.target = 9;  // no such event any more
  editor.Prepare();
  EXPECT_EQ(editor.target, kTargetHero);
  EXPECT_EQ(editor.Targets()->currentIndex(), 0);
  EXPECT_EQ(editor.TargetIds().back(), 3);
  for (int i = 0; i < 3; ++i) editor.CommandButton(0)->click();
  editor.List()->setCurrentRow(0);
  editor.CommandButton(3)->click();
  ASSERT_EQ(editor.List()->count(), 5);
  EXPECT_EQ(editor.List()->item(0)->text(), "<>Move Left");
  EXPECT_EQ(editor.List()->item(4)->text(), "<>");
  while (editor.route.CommandCount() < kMaxRouteCommands) editor.CommandButton(8)->click();
  EXPECT_FALSE(editor.CommandButton(8)->isEnabled());
}

// The map editor's event mode as the author uses it: a double click places an event through the
// event editor, Ctrl+C and Ctrl+V copy it, a drag moves it, Del removes it, and undo and redo
// follow every step.
struct EventMode : TMainWindowFixture {
  std::unique_ptr<TFormLcfMain> window;
  TFormMapEditor& Editor() { return window->MapEditor(); }
  TProjectDocument& Doc() { return window->Document(); }
  QPoint At(int x, int y) { return Editor().ClientRectOf({x, y, 1, 1}).center(); }
  void Key(int key, Qt::KeyboardModifiers mods = {}) {
    QTest::keyClick(Editor().viewport(), static_cast<Qt::Key>(key), mods);
  }
  void Click(int x, int y) { QTest::mouseClick(Editor().viewport(), Qt::LeftButton, {}, At(x, y)); }
  int32_t At(int x, int y, bool) { return Doc().Editor().EventMap().GetAt(x, y); }
};

TEST_F(EventMode, PlaceCopyPasteDragDeleteUndoRedo) {
  project.Make();
  MakeTiledProject(project.Folder(), 20, 15);
  window = OpenWindow();
  window->resize(1000, 760);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  Settle();
  window->Execute(TMainCommand::ModeEvent);
  Settle();
  ASSERT_TRUE(Editor().Painted());
  Click(2, 3);
  // The event editor opens on a double click: the name is typed and OK pressed.
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* editor = qobject_cast<TFormEDEvent*>(QApplication::activeModalWidget());
    seen = editor != nullptr;
    if (!editor) return;
    EXPECT_TRUE(editor->windowTitle().endsWith("ID:0001"));
    auto* name = editor->findChild<QLineEdit*>("Name");
    name->selectAll();
    QTest::keyClicks(name, "Mira");
    QTest::keyClick(name, Qt::Key_Tab);
    editor->Apply();
    editor->accept();
  });
  QTest::mouseDClick(Editor().viewport(), Qt::LeftButton, {}, At(2, 3));
  ASSERT_TRUE(seen);
  ASSERT_NE(Doc().Map().events.FindById(1), nullptr);
  EXPECT_EQ(Doc().Map().events.FindById(1)->name, "Mira");
  EXPECT_EQ(At(2, 3, true), 1);
  // Copy, then paste on an empty cell: a second event of the next id keeps the name.
  Key(Qt::Key_C, Qt::ControlModifier);
  Click(6, 6);
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(At(6, 6, true), 2);
  EXPECT_EQ(Doc().Map().events.FindById(2)->name, "Mira");
  // Drag the copy onto an empty cell.
  QTest::mousePress(Editor().viewport(), Qt::LeftButton, {}, At(6, 6));
  QTest::mouseMove(Editor().viewport(), At(9, 4));
  QTest::mouseRelease(Editor().viewport(), Qt::LeftButton, {}, At(9, 4));
  EXPECT_EQ(At(9, 4, true), 2);
  EXPECT_EQ(At(6, 6, true), 0);
  // Del removes it; undo brings back each step in turn, redo does them again.
  Key(Qt::Key_Delete);
  EXPECT_EQ(Doc().Map().events.FindById(2), nullptr);
  ASSERT_TRUE(Doc().Undo());
  EXPECT_EQ(At(9, 4, true), 2);
  ASSERT_TRUE(Doc().Undo());
  EXPECT_EQ(At(6, 6, true), 2);
  ASSERT_TRUE(Doc().Redo());
  ASSERT_TRUE(Doc().Redo());
  EXPECT_EQ(Doc().Map().events.FindById(2), nullptr);
}

// The events pane lists the map's events, narrows them by its filter, leads the map to the chosen
// one and opens it, and follows deletes, undo, pastes, edits, reverts and closing.
TEST_F(EventMode, TheEventsPaneFollowsTheMapAndLeadsToItsEvents) {
  project.Make();
  MakeTiledProject(project.Folder(), 20, 15);
  {
    TLcfMap map;
    map.LoadFromProject(project.Folder(), 1);
    const struct {
      int32_t id;
      int x, y;
      const char* name;
    } saved[] = {{3, 4, 5, "Chest"}, {5, 15, 12, "Guard"}};
    for (const auto& e : saved) {
      TLcfEventItem* event = map.events.Obtain(e.id);
      event->x = e.x;
      event->y = e.y;
      event->name = e.name;
    }
    map.SaveToProject(project.Folder(), 1);
    TLcfMap other;
    other.SetWidth(20);
    other.SetHeight(15);
    other.events.Obtain(9)->name = "Sign";
    other.SaveToProject(project.Folder(), 2);
    TLcfMapTree tree;
    tree.projectFolder = project.Folder();
    tree.LoadTree();
    tree.AddNode(0, 2)->nodeType = TLcfMapTreeItem::kMap;
    WriteFileAtomic(project.Folder() + "TESS_RT.lmt", tree.SaveToBytes());
  }
  window = OpenWindow();
  window->resize(1000, 760);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  Settle();
  TFormMapEvents& pane = window->MapEvents();
  EXPECT_FALSE(pane.isVisible());
  window->findChild<QAction*>("ShowMapEvents")->trigger();
  Settle();
  QTreeWidget* list = pane.List();
  auto ids = [&] {
    std::vector<int> v;
    for (int i = 0; i < list->topLevelItemCount(); ++i) v.push_back(list->topLevelItem(i)->text(0).toInt());
    return v;
  };
  auto row = [&](int id) {
    for (int i = 0; i < list->topLevelItemCount(); ++i)
      if (list->topLevelItem(i)->text(0).toInt() == id) return list->topLevelItem(i);
    return static_cast<QTreeWidgetItem*>(nullptr);
  };
  ASSERT_EQ(ids(), (std::vector<int>{3, 5}));
  EXPECT_EQ(row(5)->text(1), "Guard");
  EXPECT_EQ(row(5)->text(2), "15, 12");
  QTest::keyClicks(pane.Filter(), "gua");
  EXPECT_EQ(ids(), (std::vector<int>{5}));
  pane.Filter()->clear();
  window->Execute(TMainCommand::ModeEvent);
  Settle();
  // Choosing a row puts the event cursor on its event; the map editor's keys then act on it.
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(row(5)).center());
  EXPECT_EQ(Doc().Editor().Cursor().x, 15);
  EXPECT_EQ(Doc().Editor().Cursor().y, 12);
  Key(Qt::Key_Delete);
  EXPECT_EQ(ids(), (std::vector<int>{3}));
  ASSERT_TRUE(Doc().Undo());
  EXPECT_EQ(ids(), (std::vector<int>{3, 5}));
  Key(Qt::Key_C, Qt::ControlModifier);
  Click(8, 8);
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(ids(), (std::vector<int>{1, 3, 5}));
  // The map's cursor on an event chooses its row.
  Click(4, 5);
  EXPECT_EQ(pane.CurrentId(), 3);
  // A double click opens the event editor on the event; its new name shows in the list.
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* editor = qobject_cast<TFormEDEvent*>(QApplication::activeModalWidget());
    seen = editor != nullptr;
    if (!editor) return;
    EXPECT_TRUE(editor->windowTitle().endsWith("ID:0005"));
    auto* name = editor->findChild<QLineEdit*>("Name");
    name->selectAll();
    QTest::keyClicks(name, "Night Guard");
    editor->Apply();
    editor->accept();
  });
  // A double click as the mouse makes it: a click, then the second press.
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(row(5)).center());
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(row(5)).center());
  ASSERT_TRUE(seen);
  EXPECT_EQ(Doc().Map().events.FindById(5)->name, "Night Guard");
  EXPECT_EQ(row(5)->text(1), "Night Guard");
  EXPECT_EQ(pane.CurrentId(), 5);
  // Revert brings the map back as saved; a closed project lists nothing.
  Doc().Revert();
  EXPECT_EQ(ids(), (std::vector<int>{3, 5}));
  EXPECT_EQ(row(5)->text(1), "Guard");
  Doc().SelectNode(2);
  EXPECT_EQ(ids(), (std::vector<int>{9}));
  Doc().Close();
  EXPECT_TRUE(ids().empty());
}

// On a copy of the demo when the build has made it: the pane lists the first map's events, and a
// double click on the event with the most pages opens it; an untouched OK leaves it as it was.
// TESS_SHOTS names a folder for pictures of the pane and the editor.
TEST_F(EventMode, TheEventsPaneOnTheDemo) {
  const std::filesystem::path demo = std::filesystem::path(TESS_BINARY_DIR) / "demo" / "DemoGame";
  if (!std::filesystem::exists(demo / "TESS_RT.ldb")) GTEST_SKIP() << "no demo project in this build";
  std::filesystem::remove_all(project.Folder());
  std::filesystem::copy(demo, project.Folder(), std::filesystem::copy_options::recursive);
  window = OpenWindow();
  window->resize(1200, 760);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  Settle();
  const char* shots = std::getenv("TESS_SHOTS");
  TFormMapEvents& pane = window->MapEvents();
  window->findChild<QAction*>("ShowMapEvents")->trigger();
  Settle();
  QTreeWidget* list = pane.List();
  const TLcfEvent& events = Doc().Map().events;
  ASSERT_EQ(list->topLevelItemCount(), events.Count());
  ASSERT_GT(events.Count(), 0);
  TLcfEventItem* most = events.ItemAt(0);
  for (int i = 0; i < events.Count(); ++i)
    if (events.ItemAt(i)->pages.Count() > most->pages.Count()) most = events.ItemAt(i);
  const Bytes before = EncodedEvent(*most);
  window->Execute(TMainCommand::ModeEvent);
  Settle();
  ASSERT_TRUE(pane.Choose(most->Id()));
  Settle();
  if (shots) window->grab().save(QString(shots) + "/evmap2-events-dock.png");
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* editor = qobject_cast<TFormEDEvent*>(QApplication::activeModalWidget());
    seen = editor != nullptr;
    if (!editor) return;
    editor->resize(900, 620);
    Settle();
    if (shots) editor->grab().save(QString(shots) + "/evmap2-event-editor.png");
    editor->accept();
  });
  const QPoint at = list->visualItemRect(list->currentItem()).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  ASSERT_TRUE(seen);
  EXPECT_EQ(EncodedEvent(*events.FindById(pane.CurrentId())), before);
}

// The form check over a project whose map holds an event of 100 pages with a 10,000-line script,
// every precondition and values other tools store outside the controls' ranges.
TEST(FormCheck, EveryEventOfAProjectComesBackIdentical) {
  TEditorProject project;
  project.Make();
  MakeTiledProject(project.Folder(), 20, 15);
  TLcfMap map;
  map.LoadFromProject(project.Folder(), 1);
  TLcfEventItem* big = map.events.Obtain(1);
  big->name = "Big";
  for (int p = 1; p <= 100; ++p) {
    TLcfEventPageItem* page = big->pages.Obtain(p);
    page->condition.flags = 0x7F;
    page->condition.switchAId = 9999;
    page->condition.variableValue = -2000000;
    page->condition.variableCompare = 9;
    page->condition.itemId = 4321;
    page->condition.timer1Seconds = 7000;
    page->moveSpeed = 8;
    page->animationType = 7;
    page->graphicName = p % 2 ? "Missing" : "";
  }
  TLcfEventScriptList& lines = big->pages.ItemAt(0)->lines;
  lines.ClearLines();
  for (int i = 0; i < 10000; ++i) lines.AppendLine(TLcfEventScriptLine(10110, 0, "Line " + std::to_string(i)));
  lines.AppendLine(TLcfEventScriptLine(0, 0));
  map.events.Obtain(4)->name = "EV0004";
  map.SaveToProject(project.Folder(), 1);
  std::ostringstream out;
  const TFormCheckResult result = CheckEvents(project.Folder(), out);
  EXPECT_TRUE(result.Passed()) << out.str();
  EXPECT_EQ(result.checked, result.identical) << out.str();
  EXPECT_GE(result.checked, 2) << out.str();
}

}  // namespace
