// The "Event Search" window, its finders, and leading the author to a result.
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "MainWindowFixture.h"
#include "editor/events/FormFindResult.h"
#include "editor/events/FormSelFind.h"
#include "editor/maps/FormMapEditor.h"
#include "platform/TextCodec.h"
#include "tests/cli/CliRun.h"

using namespace tess;
using namespace tess::test;

namespace {

using K = TSearchKind;
using S = TSearchScope;

void Script(TLcfEventScriptList& script, const std::vector<TLcfEventScriptLine>& lines) {
  script.ClearLines();
  for (const TLcfEventScriptLine& line : lines) script.AppendLine(line);
  script.AppendLine(TLcfEventScriptLine());
}

// The sample project with 45 named switches (switch 3 unnamed), a common event and a second map:
// map 1 turns switch 5 on at its event "Lever" (8, 6), map 2 asks about it in a branch.
struct EventSearch : TMainWindowFixture {
  void SetUp() override {
    TMainWindowFixture::SetUp();
    project.Make();
    const std::string folder = project.Folder();
    TLcfDataBase db;
    db.LoadDatabase(folder);
    db.switches.Resize(45);
    for (int i = 0; i < 45; ++i) db.switches.ItemAt(i)->name = i == 2 ? "" : "Flag " + std::to_string(i + 1);
    db.commonEvents.Resize(1);
    db.commonEvents.ItemAt(0)->name = "Morning";
    Script(db.commonEvents.ItemAt(0)->lines, {{10110, 0, "Good morning!"}, {10210, 0, "", {0, 5, 5, 1}}});
    db.SaveToFile(folder + "TESS_RT.ldb");
    TLcfMapTree tree;
    tree.projectFolder = folder;
    tree.LoadTree();
    TLcfMapTreeItem* second = tree.AddNode(0, 2);
    second->nodeType = TLcfMapTreeItem::kMap;
    second->name = "Caf\xe9";  // windows-1252
    WriteFileAtomic(folder + "TESS_RT.lmt", tree.SaveToBytes());
    TLcfMap map;
    map.LoadFromProject(folder, 1);
    TLcfEventItem* lever = map.events.Obtain(1);
    lever->name = "Lever";
    lever->x = 8;
    lever->y = 6;
    Script(lever->pages.ItemAt(0)->lines, {{10110, 0, "A rusty lever."}, {10210, 0, "", {0, 5, 5, 0}}});
    map.SaveToProject(folder, 1);
    TLcfMap other;
    other.SetWidth(20);
    TLcfEventItem* door = other.events.Obtain(3);
    door->name = "Door";
    door->x = 2;
    door->y = 9;
    Script(door->pages.ItemAt(0)->lines, {{12010, 0, "", {0, 5, 0, 0, 0, 0}}, {10, 1}, {22011, 0}});
    other.SaveToProject(folder, 2);
  }

  std::unique_ptr<TFormLcfMain> Open() {
    auto window = OpenWindow();
    window->FindResult().showProgress = false;
    return window;
  }
  static QStringList ListTexts(TFormFindResult& find, K kind) {
    QStringList texts;
    for (int i = 0; i < find.ResultList(kind)->count(); ++i) texts << find.ResultList(kind)->item(i)->text();
    return texts;
  }
};

}  // namespace

TEST_F(EventSearch, MadeHiddenShownByItsCommandAndOnlyHiddenByClose) {
  auto window = Open();
  TFormFindResult& find = window->FindResult();
  EXPECT_FALSE(find.isVisible());
  EXPECT_EQ(find.windowTitle(), "Event Search");
  ASSERT_TRUE(window->Action(TMainCommand::EventSearch)->isEnabled());
  window->Execute(TMainCommand::EventSearch);
  EXPECT_TRUE(find.isVisible());
  find.SetSwitchId(5);
  find.SetKind(K::Switch);
  find.findChild<QPushButton*>("Close")->click();
  EXPECT_FALSE(find.isVisible());
  window->Execute(TMainCommand::EventSearch);
  EXPECT_EQ(find.findChild<QPushButton*>("SwitchButton")->text(), "0005:Flag 5");  // kept
  window->Projects().CloseProject();
  EXPECT_FALSE(window->Action(TMainCommand::EventSearch)->isEnabled());
}

TEST_F(EventSearch, ControlsFollowTheKind) {
  auto window = Open();
  TFormFindResult& find = window->FindResult();
  auto* common = find.findChild<QRadioButton*>("Scope1");
  auto* search = find.findChild<QPushButton*>("Search");
  auto* variable = find.findChild<QPushButton*>("VariableButton");
  auto* switchButton = find.findChild<QPushButton*>("SwitchButton");
  EXPECT_TRUE(variable->isEnabled() && !switchButton->isEnabled() && search->isEnabled());
  EXPECT_EQ(variable->text(), "0001");  // unnamed
  find.SetScope(S::CommonEvents);
  find.findChild<QRadioButton*>("Kind2")->click();
  EXPECT_EQ(find.Kind(), K::EventName);
  EXPECT_FALSE(common->isEnabled());
  EXPECT_TRUE(common->isChecked());
  EXPECT_FALSE(search->isEnabled());  // no name yet
  find.SetEventName("lever");
  EXPECT_TRUE(search->isEnabled());
  find.Search();
  EXPECT_EQ(ListTexts(find, K::EventName), QStringList{"No Matches Found."});
  EXPECT_EQ(find.ResultsPage(), 2);
  find.findChild<QRadioButton*>("Kind1")->click();
  EXPECT_TRUE(common->isEnabled() && switchButton->isEnabled() && !variable->isEnabled());
  find.SetSwitchId(3);
  EXPECT_EQ(switchButton->text(), "0003");
  // A search of another kind leaves the other lists as they were.
  find.Search();
  EXPECT_EQ(ListTexts(find, K::EventName), QStringList{"No Matches Found."});
}

TEST_F(EventSearch, TheFinderWalksGroupsOfTwentyAndRemembersOnOk) {
  auto window = Open();
  TLcfDataBase& db = window->Document().DataBase();
  TFormSelFindSwitch::Remembered() = 21;
  TFormSelFindSwitch finder(db.switches);
  EXPECT_EQ(finder.windowTitle(), "Search for Switch");
  ASSERT_EQ(finder.Groups()->count(), 3);
  EXPECT_EQ(finder.Groups()->item(2)->text(), "[ 0041 - 0045 ]");
  finder.show();
  EXPECT_EQ(finder.Choice(), 21);
  EXPECT_EQ(finder.Entries()->currentItem()->text(), "0021:Flag 21");
  QTest::keyClick(&finder, Qt::Key_F4);
  EXPECT_EQ(finder.Choice(), 20);
  EXPECT_EQ(finder.Groups()->currentRow(), 0);
  QTest::keyClick(&finder, Qt::Key_F5, Qt::ControlModifier);
  EXPECT_EQ(finder.Choice(), 21);
  finder.SelectId(45);
  QTest::keyClick(&finder, Qt::Key_F5);
  EXPECT_EQ(finder.Choice(), 45);  // the end of the list
  // Paste and Clear change only the finder's own names.
  QApplication::clipboard()->setText("Door open");
  finder.PasteName();
  EXPECT_EQ(finder.NameOf(45), "Door open");
  finder.SelectId(44);
  finder.ClearName();
  EXPECT_EQ(finder.NameOf(44), "");
  EXPECT_EQ(db.switches.ItemAt(43)->name, "Flag 44");
  EXPECT_EQ(db.switches.ItemAt(44)->name, "Flag 45");
  finder.reject();
  EXPECT_EQ(TFormSelFindSwitch::Remembered(), 21);
  finder.SelectId(7);
  finder.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  EXPECT_EQ(TFormSelFindSwitch::Remembered(), 7);
}

TEST_F(EventSearch, TheCommandLineGivesTheWindowsLines) {
  auto window = Open();
  TFormFindResult& find = window->FindResult();
  find.SetScope(S::AllMaps);
  const std::vector<std::pair<K, std::vector<std::string>>> searches = {
      {K::Switch, {"--switch", "5"}}, {K::Text, {"--text", "LEVER"}}, {K::EventName, {"--event-name", "door"}}};
  for (const auto& [kind, words] : searches) {
    find.SetKind(kind);
    find.SetSwitchId(5);
    find.SetSearchText("LEVER");
    find.SetEventName("door");
    find.Search();
    std::vector<std::string> args = {"search", project.Folder()};
    args.insert(args.end(), words.begin(), words.end());
    const TCliRun run = RunCliWords(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(QString::fromStdString(run.out), ListTexts(find, kind).join("\n") + "\n");
  }
  EXPECT_EQ(ListTexts(find, K::Switch),
            (QStringList{"Common Event Name:0001:Morning", "Map Name: MAP0001 Event Name: 0001:Lever Page:   1",
                         QString::fromUtf8("Map Name: Café Event Name: 0003:Door Page:   1")}));
}

// As a new user would: find where switch 5 is turned on, go there, change it, search again.
TEST_F(EventSearch, FindGoChangeAndFindAgain) {
  auto window = Open();
  window->show();
  TFormFindResult& find = window->FindResult();
  window->Execute(TMainCommand::EventSearch);
  find.findChild<QRadioButton*>("Kind1")->click();
  find.SetSwitchId(5);
  find.findChild<QRadioButton*>("Scope2")->click();
  find.findChild<QPushButton*>("Search")->click();
  QListWidget* list = find.ResultList(K::Switch);
  ASSERT_EQ(list->count(), 3);
  QApplication::processEvents();
  // The door on the other map: the map opens in the event mode with the cursor on the door.
  const QPoint door = list->visualItemRect(list->item(2)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, door);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, door);
  TProjectDocument& document = window->Document();
  EXPECT_EQ(document.Map().Id(), 2);
  EXPECT_EQ(document.EditMode(), TEditMode::Event);
  EXPECT_EQ(document.Editor().Cursor(), (TCellPoint{2, 9}));
  // Back to the lever, moved meanwhile; the author changes its switch without saving.
  find.OpenResult(K::Switch, 1);
  EXPECT_EQ(document.Map().Id(), 1);
  ASSERT_TRUE(document.EditMap([](TLcfMap& map) {
    map.events.ItemById(1)->x = 4;
    map.events.ItemById(1)->pages.ItemAt(0)->lines.LineAt(1)->params[1] = 6;
  }));
  find.OpenResult(K::Switch, 1);
  EXPECT_EQ(document.Editor().Cursor(), (TCellPoint{4, 6}));
  find.Search();
  EXPECT_EQ(ListTexts(find, K::Switch),
            (QStringList{"Common Event Name:0001:Morning",
                         QString::fromUtf8("Map Name: Café Event Name: 0003:Door Page:   1")}));
  find.SetSwitchId(6);
  find.Search();
  EXPECT_EQ(ListTexts(find, K::Switch), QStringList{"Map Name: MAP0001 Event Name: 0001:Lever Page:   1"});
  if (const char* shots = std::getenv("TESS_SHOTS_DIR")) {
    find.SetKind(K::Text);
    find.SetSearchText("o");
    find.Search();
    find.grab().save(QString(shots) + "/event-search.png");
  }
}

// The same on a copy of the demo project when the build has made it: the first place a switch is
// turned on, changed there to another switch, is found no more.
TEST_F(EventSearch, OnTheDemo) {
  const std::filesystem::path demo = std::filesystem::path(TESS_BINARY_DIR) / "demo" / "DemoGame";
  if (!std::filesystem::exists(demo / "TESS_RT.ldb")) GTEST_SKIP() << "no demo project in this build";
  std::filesystem::remove_all(project.Folder());
  std::filesystem::copy(demo, project.Folder(), std::filesystem::copy_options::recursive);
  auto window = Open();
  window->show();
  TFormFindResult& find = window->FindResult();
  window->Execute(TMainCommand::EventSearch);
  find.SetKind(K::Switch);
  find.SetScope(S::AllMaps);
  TProjectDocument& document = window->Document();
  // The first switch the demo turns on somewhere on a map.
  const TSearchHit* hit = nullptr;
  for (int32_t id = 1; id <= document.DataBase().switches.Count() && !hit; ++id) {
    find.SetSwitchId(id);
    find.Search();
    for (const TSearchHit& h : find.Results(K::Switch))
      if (h.place.kind == TSearchPlace::TKind::MapEvent && !hit) hit = &h;
  }
  ASSERT_NE(hit, nullptr);
  const TSearchPlace place = hit->place;
  const int found = static_cast<int>(find.Results(K::Switch).size());
  if (const char* shots = std::getenv("TESS_SHOTS_DIR")) find.grab().save(QString(shots) + "/event-search-demo.png");
  find.OpenResult(K::Switch, static_cast<int>(hit - find.Results(K::Switch).data()));
  ASSERT_EQ(document.Map().Id(), place.mapId);
  EXPECT_EQ(document.EditMode(), TEditMode::Event);
  const TLcfEventItem* event = document.Map().events.ItemById(place.eventId);
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(document.Editor().Cursor(), (TCellPoint{event->x, event->y}));
  // Changed where it was found, to a switch of its own, not saved yet.
  const int32_t other = document.DataBase().switches.Count() + 1;
  ASSERT_TRUE(document.EditMap([&](TLcfMap& map) {
    TLcfEventScriptLine* line =
        map.events.ItemById(place.eventId)->pages.ItemAt(place.page - 1)->lines.LineAt(place.line);
    line->params[1] = other;
    if (line->params[0] == 1) line->params[2] = other;
  }));
  find.Search();
  EXPECT_EQ(static_cast<int>(find.Results(K::Switch).size()), found == 1 ? 1 : found - 1);
  find.SetSwitchId(other);
  find.Search();
  ASSERT_EQ(find.Results(K::Switch).size(), 1u);
  EXPECT_EQ(find.Results(K::Switch)[0].place, place);
}
