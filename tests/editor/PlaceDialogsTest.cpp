// The location picker and the command windows of places, vehicles, shops and map appearance:
// where "Select Location" opens and what it gives back, the tree's remembered view positions kept,
// the shop's goods, the handler branches, and the form check over every one of these commands with
// edge values. With TESS_SHOTS_DIR set, the picker and the shop are saved there as pictures.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <climits>
#include <iostream>
#include <sstream>

#include "EdgeParameters.h"
#include "EditorProject.h"
#include "database/DataBaseObj.h"
#include "editor/events/EventCommandWindows.h"
#include "editor/events/FormEvCmd10720.h"
#include "editor/events/FormEvCmd10810.h"
#include "editor/events/FormEvCmdLocation.h"
#include "editor/events/FormEvCmdMaterial.h"
#include "events/LD_Event.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "script/CommandSchema.h"
#include "script/EventCommandLines.h"
#include "script/EventCommands.h"
#include "tools/formcheck/FormCheck.h"
#include "ui/pickers/FormSelLocation.h"
#include "ui/script/CommandDialogs.h"

using namespace tess;

namespace {

using L = TLcfEventScriptLine;

TLcfEventScriptList Lines(std::initializer_list<L> lines) {
  TLcfEventScriptList out;
  for (const L& l : lines) out.AppendLine(l);
  return out;
}

void SaveShot(QWidget* widget, const char* name) {
  if (const char* dir = std::getenv("TESS_SHOTS_DIR")) widget->grab().save(QString("%1/%2").arg(dir, name));
}

std::vector<std::pair<int32_t, int32_t>> Shape(const TLcfEventScriptList& s) {
  std::vector<std::pair<int32_t, int32_t>> shape;
  for (int i = 0; i < s.Count(); ++i) shape.emplace_back(s.LineAt(i)->code, s.LineAt(i)->indent);
  return shape;
}

// A tree of the root, map 1 (30 x 20, the current map, its view scrolled), map 2 (50 x 40) under
// it and area 3 of map 1; the map files in a folder of their own.
struct Places : ::testing::Test {
  QTemporaryDir folder;
  TLcfDataBase database;
  TLcfMapTree tree;
  TLcfMap current;
  TEventScriptConverter converter{database};
  TCommandDialogContext context{converter, nullptr};

  void SetUp() override {
    database.ResetDatabase();
    TCommandForm::ForgetAll();
    RegisterEventCommandWindows();
    const std::string path = folder.path().toStdString() + "/";
    tree.projectFolder = tree.scratchFolder = path;
    tree.AddNode(0, 0)->name = "Root";
    for (int32_t id : {1, 2, 3}) {
      TLcfMapTreeItem* node = tree.AddNode(id == 1 ? 0 : 1, id);
      node->nodeType = id == 3 ? TLcfMapTreeItem::kArea : TLcfMapTreeItem::kMap;
      node->name = "Place " + std::to_string(id);
    }
    tree.FindById(1)->scrollX = 320;
    tree.FindById(1)->scrollY = 64;
    tree.FindById(2)->scrollX = 96;
    tree.currentId = 1;
    current.SetWidth(30);
    current.SetHeight(20);
    current.SaveToProject(path, 1);
    TLcfMap second;
    second.SetWidth(50);
    second.SetHeight(40);
    second.SaveToProject(path, 2);
    converter.MapTree = &tree;
    converter.Map = &current;
  }
  TLocationSources Sources() const { return {&database, &tree, &current}; }
  std::vector<int32_t> Scrolls() const {
    std::vector<int32_t> s;
    for (int32_t id : {1, 2}) s.insert(s.end(), {tree.FindById(id)->scrollX, tree.FindById(id)->scrollY});
    return s;
  }
};

}  // namespace

// Where a teleport opens: the event's cell, else the middle of the current map's view (scroll / 32
// plus 9 and 7, limited to the map); a line's map, cell and facing override them, the facing only
// when the line has one.
TEST_F(Places, ATeleportOpensWhereTheRulesSay) {
  TLcfEventItem event;
  event.x = 4;
  event.y = 17;
  const L full(10810, 0, "", {2, 40, 30, 3});
  const L older(10810, 0, "", {2, 40, 30});
  const struct {
    const TLcfEventItem* event;
    const L* line;
    int32_t scrollX, scrollY;
    TLocation start;
  } cases[] = {
      {&event, nullptr, 320, 64, {1, 4, 17, 0}},   {nullptr, nullptr, 320, 64, {1, 19, 9, 0}},
      {nullptr, nullptr, 9000, 9000, {1, 29, 19}}, {nullptr, nullptr, 0, 0, {1, 9, 7, 0}},
      {&event, &full, 0, 0, {2, 40, 30, 3}},       {nullptr, &older, 0, 0, {2, 40, 30, 0}},
  };
  for (const auto& c : cases) {
    tree.FindById(1)->scrollX = c.scrollX;
    tree.FindById(1)->scrollY = c.scrollY;
    const TLocation start = TeleportStart(&tree, &current, c.event, c.line);
    EXPECT_EQ(start, c.start) << c.scrollX << " " << (c.line ? c.line->ParamCount() : -1);
  }
}

// The picker lists the maps (no areas), opens on the given cell, and a map the tree does not hold
// (or map 0) opens with no cell and OK waiting for one.
TEST_F(Places, ThePickerOpensOnTheGivenPlaceOrOnNone) {
  const struct {
    TLocation given;
    bool cell;
  } cases[] = {{{1, 5, 6, 2}, true},
               {{2, 49, 39, 4}, true},
               {{7, 5, 6, 0}, false},
               {{0, 0, 0, 0}, false},
               {{3, 1, 1, 0}, false}};
  for (const auto& c : cases) {
    TFormSelLocation picker(nullptr, Sources(), c.given, true);
    int listed = 0;
    for (QTreeWidgetItemIterator it(picker.Tree()); *it; ++it) listed += (*it)->data(0, Qt::UserRole).toInt() != 3;
    EXPECT_EQ(picker.Tree()->topLevelItemCount(), 1);
    EXPECT_EQ(listed, 3);  // the root and the two maps
    EXPECT_EQ(picker.HasCell(), c.cell) << c.given.mapId;
    EXPECT_EQ(picker.OkButton()->isEnabled(), c.cell);
    EXPECT_EQ(picker.View()->HasCell(), c.cell);
    EXPECT_EQ(picker.Location(), c.given);  // untouched, the place is as given
    EXPECT_EQ(picker.Facing()->currentData().toInt(), c.given.facing);
  }
}

// Picking another map and a cell on it gives both; whichever button closes the picker, the maps'
// remembered view positions are as they were.
TEST_F(Places, PickingAnotherMapKeepsTheRememberedViewPositions) {
  const std::vector<int32_t> before = Scrolls();
  for (bool ok : {true, false}) {
    TFormSelLocation picker(nullptr, Sources(), {1, 5, 6, 0}, true);
    ASSERT_TRUE(picker.ShowMap(2));
    EXPECT_FALSE(picker.HasCell());  // a new map's cell is still to be picked
    EXPECT_FALSE(picker.OkButton()->isEnabled());
    picker.PickCell(12, 33);
    picker.Facing()->setCurrentIndex(4);
    emit picker.Facing()->activated(4);
    EXPECT_EQ(picker.Location(), (TLocation{2, 12, 33, 4}));
    EXPECT_TRUE(picker.OkButton()->isEnabled());
    if (ok) SaveShot(&picker, "dlg2a-select-location.png");
    ok ? picker.accept() : picker.reject();
    EXPECT_EQ(Scrolls(), before);
  }
  // An event's place is on the current map only.
  TLocationSources own = Sources();
  own.currentMapOnly = true;
  TFormSelLocation picker(nullptr, own, {1, 0, 0, 0}, false);
  EXPECT_EQ(picker.Tree()->topLevelItemCount(), 1);
  EXPECT_FALSE(picker.ShowMap(2));
  EXPECT_EQ(picker.Facing(), nullptr);
}

// The map shown marks its events and the start positions the tree puts on it; another map shows
// its own (none here).
TEST_F(Places, ThePickerMarksEventsAndStartPositions) {
  TLcfEventItem* event = current.events.Obtain(3);
  event->x = 2;
  event->y = 5;
  tree.startPositions.partyMapId = 1;
  tree.startPositions.partyX = 6;
  tree.startPositions.partyY = 5;
  TFormSelLocation picker(nullptr, Sources(), {1, 0, 0, 0}, false);
  picker.resize(800, 600);
  TLocationMapView* view = picker.View();
  view->ScrollTo(0, 0);
  const QImage image = view->viewport()->grab().toImage();
  const struct { int x, y, value; } cells[] = {{2, 5, 3}, {6, 5, TLcfMapStartPosition::kFirstStartEventId}, {4, 5, 0}};
  const QRgb empty = image.pixel(4 * 32 + 16, 5 * 32 + 16);
  for (const auto& c : cells) {
    EXPECT_EQ(view->Events().GetAt(c.x, c.y), c.value) << c.x;
    bool marked = false;
    for (int dy = 0; dy < 32; ++dy)
      for (int dx = 0; dx < 32; ++dx) marked = marked || image.pixel(c.x * 32 + dx, c.y * 32 + dy) != empty;
    EXPECT_EQ(marked, c.value != 0) << c.x;
  }
  SaveShot(&picker, "dlg3-select-location-events.png");
  ASSERT_TRUE(picker.ShowMap(2));
  EXPECT_EQ(view->Events().GetAt(2, 5), 0);
}

// The teleport writes the place picked; untouched it gives back its line, an older one of three
// parameters included.
TEST_F(Places, TheTeleportWritesThePlacePicked) {
  for (const L& given : {L(10810, 0, "", {1, 5, 6, 2}), L(10810, 0, "", {99, 700, -1})}) {
    auto window = MakeCommandDialog(10810, Lines({given}), context);
    auto* teleport = dynamic_cast<TFormEvCmd10810*>(window.get());
    ASSERT_NE(teleport, nullptr);
    teleport->Take(teleport->Start());
    teleport->Accept();
    std::vector<int32_t> padded = given.params;
    padded.resize(4);  // a missing facing is written as 0, the one change allowed
    EXPECT_EQ(teleport->Lines().LineAt(0)->params, padded);
    teleport->Take({2, 3, 4, 1});
    teleport->Accept();
    EXPECT_EQ(teleport->Lines().LineAt(0)->params, (std::vector<int32_t>{2, 3, 4, 1}));
  }
  // A vehicle's place takes map, cell and facing; an event's the cell and facing on its map.
  const struct {
    int32_t code;
    std::vector<int32_t> given, back;
  } cases[] = {
      {10850, {1, 0, 1, 2, 3, 0}, {1, 0, 2, 3, 4, 1}},
      {10860, {10005, 0, 7, 8, 0}, {10005, 0, 3, 4, 1}},
      {11810, {0, 1, 2, 3, 1, 5}, {0, 2, 3, 4, 1, 5}},
      {11830, {1, 2, 3, 0, 0}, {2, 3, 4, 0, 0}},
  };
  for (const auto& c : cases) {
    auto window = MakeCommandDialog(c.code, Lines({L(c.code, 0, "", c.given)}), context);
    auto* place = dynamic_cast<TFormEvCmdLocation*>(window.get());
    ASSERT_NE(place, nullptr) << c.code;
    EXPECT_TRUE(place->SelectButton()->isEnabled());
    place->Take({2, 3, 4, 1});
    place->Accept();
    EXPECT_EQ(place->Lines().LineAt(0)->params, c.back) << c.code;
  }
}

// A shop selling three items with handlers; the goods go when the shop only buys from the party;
// goods naming no item any more are listed as missing and kept.
TEST_F(Places, TheShopWritesItsGoodsAndItsBranches) {
  database.items.SetCount(3);
  auto window = MakeCommandDialog(10720, {}, context);
  auto* shop = dynamic_cast<TFormEvCmd10720*>(window.get());
  ASSERT_NE(shop, nullptr);
  for (int row = 0; row < 3; ++row) {
    shop->ItemList()->setCurrentRow(row);
    shop->findChild<QPushButton*>("Add")->click();
  }
  shop->findChild<QCheckBox*>("handlers")->click();
  SaveShot(shop, "dlg2a-shop.png");
  shop->Accept();
  EXPECT_EQ(shop->Lines().LineAt(0)->params, (std::vector<int32_t>{0, 0, 1, 0, 1, 2, 3}));
  EXPECT_EQ(Shape(shop->Lines()), (std::vector<std::pair<int32_t, int32_t>>{
                                      {10720, 0}, {20720, 0}, {10, 1}, {20721, 0}, {10, 1}, {20722, 0}}));

  const TLcfEventScriptList stored = BuildCommand(L(10720, 0, "", {1, 2, 0, 0, 2, 77}));
  auto again = MakeCommandDialog(10720, stored, context);
  auto* edited = static_cast<TFormEvCmd10720*>(again.get());
  EXPECT_EQ(edited->GoodsList()->item(1)->text(), "0077:? (missing)");
  edited->Accept();
  EXPECT_EQ(edited->Lines().LineAt(0)->params, stored.LineAt(0)->params);
  edited->RemoveAt(0);
  edited->Accept();
  EXPECT_EQ(edited->Lines().LineAt(0)->params, (std::vector<int32_t>{1, 2, 0, 0, 77}));
  edited->findChild<QRadioButton*>("type2")->click();
  edited->Accept();
  EXPECT_EQ(edited->Lines().LineAt(0)->params, (std::vector<int32_t>{2, 2, 0, 0}));
  EXPECT_FALSE(edited->GoodsList()->isEnabled());
}

// The handler branches of the multi-line commands: one row per command with a branch removed and a
// branch kept (its commands with it).
TEST_F(Places, HandlerBranchesAreKeptOrDropped) {
  const struct {
    TLcfEventScriptList given;
    const char* key;
    int32_t value;
    std::vector<std::pair<int32_t, int32_t>> back;
  } cases[] = {
      // Escape handler off: the escape branch goes, victory and defeat stay with their commands.
      {Lines({L(10710, 0, "", {0, 1, 0, 2, 1, 0, 0, 1, 1}), L(20710, 0), L(12420, 1), L(20711, 0), L(12420, 1),
              L(20712, 0), L(12420, 1), L(20713, 0)}),
       "escape",
       1,
       {{10710, 0}, {20710, 0}, {12420, 1}, {20712, 0}, {12420, 1}, {20713, 0}}},
      // The inn's handlers off: both stay branches go.
      {Lines({L(10730, 0, "", {0, 50, 1}), L(20730, 0), L(12420, 1), L(20731, 0), L(10, 1), L(20732, 0)}),
       "handlers",
       0,
       {{10730, 0}}},
      // The shop's handlers on: the two transaction branches come, each with its empty line.
      {Lines({L(10720, 0, "", {0, 0, 0, 0, 1})}),
       "handlers",
       1,
       {{10720, 0}, {20720, 0}, {10, 1}, {20721, 0}, {10, 1}, {20722, 0}}},
  };
  for (const auto& c : cases) {
    const int32_t code = c.given.LineAt(0)->code;
    auto window = MakeCommandDialog(code, c.given, context);
    ASSERT_NE(window, nullptr) << code;
    window->Form().Set(c.key, c.value);
    window->Accept();
    EXPECT_EQ(Shape(window->Lines()), c.back) << code;
  }
}

namespace {

// Every code of these windows, with and without a window of their own.
constexpr int32_t kCodes[] = {10610, 10620, 10630, 10640, 10650, 10660, 10670, 10680, 10690, 10710, 10720, 10730,
                              10740, 10810, 10820, 10830, 10840, 10850, 10860, 10870, 10910, 10920, 11710, 11720,
                              11740, 11750, 11810, 11820, 11830, 11840, 11910, 11930, 11950, 11960};

// Lines of a code with edge values, each as a whole command with its branches.
std::vector<TLcfEventScriptList> EdgeLines(int32_t code) {
  std::vector<std::vector<int32_t>> sets = test::EdgeParameterSets(code);
  // A shop that only buys, with goods left from before, and one that sells goods of no item.
  if (code == 10720) sets.insert(sets.end(), {{2, 0, 0, 0, 1, 2}, {0, 1, 1, 0, 4000, -3, 1}});
  std::vector<TLcfEventScriptList> out;
  for (const std::vector<int32_t>& params : sets)
    out.push_back(BuildCommand(L(code, 0, code == 10630 ? "Missing Sheet" : "", params)));
  return out;
}

}  // namespace

TEST(FormCheck, EveryLineOfThePlaceAndLookCommandsWithEdgeValuesComesBackIdentical) {
  test::TEditorProject project;
  project.Make();
  TLcfDataBase database;
  ASSERT_TRUE(database.LoadDatabase(project.Folder()));
  RegisterEventCommandWindows();
  TLcfEventScriptList& script = database.commonEvents.ItemAt(0)->lines;
  script.ClearLines();
  int commands = 0;
  for (int32_t code : kCodes)
    for (const TLcfEventScriptList& lines : EdgeLines(code)) {
      script.InsertLinesFrom(script.Count(), lines, 0);
      ++commands;
    }
  script.AppendLine(L(0, 0));
  ASSERT_TRUE(database.SaveDatabase(project.Folder(), project.Folder()));
  std::ostringstream out;
  const TFormCheckResult result = CheckCommands(project.Folder(), out);
  std::cout << "edge project: " << out.str();
  EXPECT_TRUE(result.Passed()) << out.str();
  EXPECT_EQ(result.checked, commands) << out.str();
  EXPECT_EQ(result.notOpened, 0) << out.str();
}
