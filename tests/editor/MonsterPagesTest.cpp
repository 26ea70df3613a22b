// The monster and troop pages, their sub-windows and the battle test window: what they write, what
// they refuse and keep, the form check on a large odd database, and a test battle in the recording
// runtime that leaves the database file as it was.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "DataBaseWindowTest.h"
#include "EditorProject.h"
#include "core/ClipboardPort.h"
#include "core/MessagePort.h"
#include "core/ProjectFolder.h"
#include "database/BattlePageKit.h"
#include "database/DataBaseObj.h"
#include "editor/database/CommandSlotBox.h"
#include "editor/database/FormDataBase.h"
#include "editor/database/FormEDBattle.h"
#include "editor/database/FormEDMonGroup.h"
#include "editor/database/FormEDMonGroupBattleEventTrigger.h"
#include "editor/database/FormEDMonGroupBattleTest.h"
#include "editor/database/FormEDMonster.h"
#include "editor/database/FormEDMonsterAct.h"
#include "editor/database/FormSelBattleCMD.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "media/PictureFile.h"
#include "platform/Settings.h"
#include "tests/database/TroopSampleDatabase.h"
#include "tools/formcheck/FormCheck.h"
#include "ui/FieldBinder.h"
#include "ui/script/ScriptEditor.h"

using namespace tess;

namespace {

constexpr int kTabMonster = 4, kTabTroop = 5, kTabBattleLayout = 10;

struct MonsterPages : test::TDataBaseWindowTest {
  TMemoryClipboard clipboard;
  void SetUp() override {
    SetClipboardPort(&clipboard);
    project.Make();
    ASSERT_TRUE(database.LoadDatabase(project.Folder()));
  }
  void TearDown() override { SetClipboardPort(nullptr); }
  // With TESS_SHOTS_DIR set, saves a picture of the widget there.
  static void Shot(QWidget& widget, const char* name) {
    const char* dir = std::getenv("TESS_SHOTS_DIR");
    if (!dir) return;
    widget.resize(widget.sizeHint().expandedTo(QSize(900, 640)));
    widget.grab().save(QString("%1/%2.png").arg(dir, name));
  }
};

}  // namespace

TEST_F(MonsterPages, FormCheckKeepsEveryByteOfALargeOddDatabase) {
  sample::FillTroopDatabase(database, 5000, 1000, 100, 1);
  sample::FillBattleLayoutEdges(database);
  ASSERT_TRUE(database.SaveDatabase(project.Folder(), project.Folder()));
  std::ostringstream out;
  const TFormCheckResult result = CheckDatabase(project.Folder(), out);
  EXPECT_TRUE(result.Passed()) << out.str();
  EXPECT_GE(result.checked, 6000) << out.str();
  const std::string line = out.str().substr(0, out.str().find('\n'));
  RecordProperty("formcheck", line);
  for (const char* tab : {"Monster", "M. Groups", "Battle Layout"})
    EXPECT_EQ(line.find(tab), std::string::npos) << line;
}

TEST_F(MonsterPages, FormCheckOfCommandsCoversTroopScripts) {
  sample::FillTroopDatabase(database, 20, 10, 100, 2);
  ASSERT_TRUE(database.SaveDatabase(project.Folder(), project.Folder()));
  std::ostringstream out;
  const TFormCheckResult result = CheckCommands(project.Folder(), out);
  EXPECT_TRUE(result.Passed()) << out.str();
  EXPECT_GE(result.checked, 10 * 100 * 2) << out.str();
}

TEST_F(MonsterPages, ANewUserBuildsATroopOfThreeSlimesAndABat) {
  database.monsters.SetCount(2);
  database.monsters.ItemAt(0)->name = "Slime";
  database.monsters.ItemAt(1)->name = "Bat";
  database.terrain.SetCount(3);
  auto& page = Open<TFormEDMonGroup>(kTabTroop, 0);
  const Bytes untouched = Saved();
  for (int32_t id : {1, 1, 2, 1}) page.AddMember(id);
  page.AutoAlign();
  page.Autoname();
  TLcfMonGroupItem* troop = page.Entry();
  EXPECT_EQ(troop->name, "Slime x3,Bat");
  EXPECT_EQ(page.List()->item(0)->text(), "0001:Slime x3,Bat");
  // A message at turn 2 on the first page.
  TLcfBattleEventPageItem* first = troop->pages.ItemAt(0);
  first->trigger.flags = kTriggerTurns;
  first->trigger.turnsB = 2;
  first->lines.InsertLine(0, std::make_unique<TLcfEventScriptLine>(10110, 0, "The slimes wobble."));
  page.ShowPage(0);
  EXPECT_TRUE(window->ApplyEnabled());
  EXPECT_NE(Saved(), untouched);
  Shot(*window, "troop-page");
  // The troop is met on every terrain until one is unticked.
  ASSERT_EQ(page.Habitat()->count(), 3);
  troop->habitat.clear();
  troop->terrainCount = 0;
  page.LoadEntry();
  EXPECT_EQ(page.Habitat()->item(1)->checkState(), Qt::Checked);
  page.Habitat()->item(1)->setCheckState(Qt::Unchecked);
  EXPECT_EQ(troop->habitat, (std::vector<uint8_t>{1, 0}));

  // Eight members at most; 100 pages at most.
  for (int i = 0; i < 4; ++i) page.AddMember(2);
  EXPECT_EQ(troop->members.Count(), kMaxTroopMembers);
  EXPECT_FALSE(page.Button("ButtonAdd")->isEnabled());
  page.AddMember(2);
  EXPECT_EQ(troop->members.Count(), kMaxTroopMembers);
  page.CopyPage();
  EXPECT_TRUE(page.Button("ButtonPastePage")->isEnabled());
  page.PastePage();
  EXPECT_EQ(troop->pages.Count(), 2);
  EXPECT_EQ(troop->pages.ItemAt(1)->lines.Count(), 2);
  while (troop->pages.Count() < kMaxBattlePages) page.NewPage();
  EXPECT_EQ(page.PageTabs()->count(), kMaxBattlePages);
  EXPECT_EQ(page.PageTabs()->tabText(99), "100");
  EXPECT_FALSE(page.Button("ButtonNewPage")->isEnabled());
  EXPECT_FALSE(page.Button("ButtonPastePage")->isEnabled());
  page.DeletePage();
  EXPECT_TRUE(page.Button("ButtonNewPage")->isEnabled());
}

TEST_F(MonsterPages, RangeWindowsRefuseAnInvertedRangeAndStayOpen) {
  TLcfBattleEventTrigger trigger;
  trigger.flags = kTriggerMonsterHP;
  trigger.monsterHpLow = 60;
  trigger.monsterHpHigh = 40;
  TFormEDMonGroupBattleEventTrigger triggerWindow(database, trigger);
  triggerWindow.Confirm();
  EXPECT_EQ(triggerWindow.result(), 0);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, kInvalidRangeMessage);
  triggerWindow.Trigger().monsterHpHigh = 60;
  triggerWindow.Confirm();
  EXPECT_EQ(triggerWindow.result(), QDialog::Accepted);

  TLcfMonsterActItem action;
  action.SetPrecondition(kPreconditionMonsterHP);
  action.conditionLow = 70;
  action.conditionHigh = 20;
  TFormEDMonsterAct actWindow(database, action);
  actWindow.Confirm();
  EXPECT_EQ(actWindow.result(), 0);
  EXPECT_EQ(messages.shown.size(), 2u);
  // Turns are A x X + B, not a range: any pair is taken.
  actWindow.Action().SetPrecondition(kPreconditionTurns);
  actWindow.Action().conditionLow = 9;
  actWindow.Confirm();
  EXPECT_EQ(actWindow.result(), QDialog::Accepted);
}

TEST_F(MonsterPages, MonsterPageWritesOnlyWhatTheAuthorChanged) {
  sample::FillTroopDatabase(database, 30, 2, 1, 0);
  database.LoadFromMemory(database.SaveToMemory(TCatalogVarData::Mode::Copy));
  auto& page = Open<TFormEDMonster>(kTabMonster, 4);
  const Bytes untouched = Saved();
  for (int i = 0; i < 30; ++i) page.ShowEntry(i);
  EXPECT_EQ(Saved(), untouched);
  EXPECT_EQ(page.Actions()->count(), 2);  // the default action and the sample's
  page.DeleteAction(1);
  EXPECT_EQ(page.Entry()->actions.Count(), 1);
  EXPECT_TRUE(window->ApplyEnabled());
}

TEST_F(MonsterPages, TestBattleRunsTheRuntimeAndPutsTheDatabaseFileBack) {
  TProcessFoldersScope folders;
  SetProjectFolder(project.Folder());
  SetScratchFolder(project.base.path().toStdString() + "/scratch/");
  database.heroes.SetCount(3);
  database.troops.SetCount(3);
  const std::string file = project.Folder() + kDataBaseFileName;
  std::ifstream in(file, std::ios::binary);
  const std::string before((std::istreambuf_iterator<char>(in)), {});
  database.battle.placement = 1;
  // The test reads the settings it is given (the main window's), not the user's.
  TSettings().SetFullScreenFlag(false);
  const std::string scratch = project.base.path().toStdString();
  TSettings given(scratch + "/values.ini", scratch + "/placement.ini");
  given.SetFullScreenFlag(true);
  TFormEDMonGroupBattleTest test(database, 3, nullptr, &given);
  test.SetCount(2);
  EXPECT_EQ(test.MemberTabs()->count(), 2);
  EXPECT_EQ(test.MemberTabs()->tabText(1), "Character 2");
  test.Formations()->button(1)->click();
  EXPECT_FALSE(test.TerrainList()->isEnabled());
  Shot(test, "test-battle");
  test.StartTest();
  const std::string folder = QDir(QString::fromStdString(project.Folder())).canonicalPath().toStdString();
  EXPECT_EQ(project.RuntimeRecord(), folder + "\nBattleTest HideTitle FullScreen 3 1 0 0\n");
  std::ifstream after(file, std::ios::binary);
  EXPECT_EQ(std::string((std::istreambuf_iterator<char>(after)), {}), before);
  EXPECT_EQ(database.system.testParty.Count(), 2);
}

TEST_F(MonsterPages, BattleLayoutPlacesAndDragsTheHeroAndEditsItsCommands) {
  database.heroes.SetCount(2);
  database.heroes.ItemAt(1)->battlePositionX = 200;
  database.heroes.ItemAt(1)->battlePositionY = 100;
  database.troops.SetCount(1);
  database.battle.commands.SetCount(1);
  database.battle.placement = database.battle.previewRow = 0;
  database.system.troopPreviewTerrain = 0;
  // A green background, a blue monster and a red battler, read from the project's folders.
  TProcessFoldersScope folders;
  SetProjectFolder(project.Folder());
  auto picture = [this](const char* folder, const char* name, int width, int height, TRgb colour) {
    TBitmap b(width, height, TPixelFormat::Indexed8);
    b.Palette().assign(256, colour);  // index 255 keeps the picture at 8 bits
    for (int y = 0; y < height; ++y) std::fill(b.Row(y), b.Row(y) + width, uint8_t{255});
    std::filesystem::create_directories(project.Folder() + folder);
    SavePictureFile(b, project.Folder() + folder + "/" + name + ".png");
  };
  picture("Backdrop", "Plain", 320, 240, {0, 160, 0});
  picture("Monster", "Blob", 32, 32, {0, 0, 255});
  picture("BattleCharSet", "Knight", 48, 48, {255, 0, 0});
  database.system.troopPreviewBackdrop = "Plain";
  database.monsters.SetCount(1);
  database.monsters.ItemAt(0)->monsterFile = "Blob";
  TLcfMonGroupMonsterItem* member = database.troops.ItemAt(0)->members.Append();
  member->monsterId = 1;
  member->x = 80;
  member->y = 120;
  database.troops.ItemAt(0)->alignment = 0;
  database.battlerAnimations.SetCount(1);
  database.battlerAnimations.ItemAt(0)->poses.ItemAt(0)->sheetFile = "Knight";
  database.heroes.ItemAt(1)->battlerAnimation = 1;
  auto& page = Open<TFormEDBattle>(kTabBattleLayout, 1);
  const Bytes untouched = Saved();
  page.ShowEntry(0);
  page.ShowEntry(1);
  EXPECT_EQ(Saved(), untouched);
  EXPECT_FALSE(window->ApplyEnabled());
  TLcfPlayerItem* hero = page.Hero();
  ASSERT_EQ(hero, database.heroes.ItemAt(1));
  window->resize(1100, 700);
  if (const char* dir = std::getenv("TESS_SHOTS_DIR")) window->grab().save(QString("%1/battle-layout.png").arg(dir));

  // Manual placement: dragged by the mouse in steps of 4, by 1 with Shift.
  TBattleLayoutPreview* preview = page.Preview();
  EXPECT_EQ(preview->HeroRect(), QRect(176, 76, 48, 48));
  const QImage shown = preview->grab().toImage();
  EXPECT_EQ(shown.pixelColor(10, 10), QColor(0, 160, 0));
  EXPECT_EQ(shown.pixelColor(80, 120), QColor(0, 0, 255));
  EXPECT_EQ(shown.pixelColor(200, 100), QColor(255, 0, 0));
  QTest::mousePress(preview, Qt::LeftButton, {}, QPoint(200, 100));
  QTest::mouseMove(preview, QPoint(211, 107));
  EXPECT_EQ(std::pair(hero->battlePositionX, hero->battlePositionY), std::pair(208, 104));
  QTest::mouseRelease(preview, Qt::LeftButton, Qt::ShiftModifier, QPoint(211, 107));
  page.DragHero(211, 107, true);
  EXPECT_EQ(std::pair(hero->battlePositionX, hero->battlePositionY), std::pair(211, 107));
  EXPECT_TRUE(window->ApplyEnabled());
  // "Row Shown" moves the hero's own position by a row.
  page.findChild<QRadioButton*>("RowShown1")->click();
  EXPECT_EQ(database.battle.previewRow, 1);
  EXPECT_EQ(hero->battlePositionX, 235);
  // Automatic placement: where the placement functions say, and not dragged.
  page.findChild<QRadioButton*>("Placement1")->click();
  EXPECT_EQ(preview->HeroRect(), QRect(288 - 24, 134 - 48, 48, 48));
  page.DragHero(40, 40, false);
  EXPECT_EQ(hero->battlePositionX, 235);

  // The event and the teleport of the death handler open only when it calls an event.
  const std::pair<int, bool> handlers[] = {{0, false}, {1, true}};
  for (auto [handler, open] : handlers) {
    page.findChild<QRadioButton*>(QString("DeathHandler%1").arg(handler))->click();
    EXPECT_EQ(page.Binder().Control("DeathEvent")->isEnabled(), open);
    EXPECT_EQ(page.Binder().Control("DeathTeleport")->isEnabled(), open);
    EXPECT_FALSE(page.Button("ButtonTeleport")->isEnabled());
  }
  static_cast<QCheckBox*>(page.Binder().Control("DeathTeleport"))->click();
  EXPECT_TRUE(page.Button("ButtonTeleport")->isEnabled());

  // Default commands follow the slot rule; "Battle Commands" edits a copy that OK puts in place.
  TFormSelBattleCMD commands(database.battle, page.Context());
  commands.List()->Controller().SetArraySize(3);
  commands.Commands().ItemAt(2)->name = "Sing";
  commands.List()->Controller().Copy(2);
  EXPECT_EQ(commands.List()->Controller().Paste(0), 1);
  EXPECT_EQ(database.battle.commands.Count(), 1);
  EXPECT_TRUE(commands.Confirm());
  ASSERT_EQ(database.battle.commands.Count(), 3);
  EXPECT_EQ(database.battle.commands.ItemAt(0)->name, "Sing");
  TFormSelBattleCMD untouchedCommands(database.battle, page.Context());
  EXPECT_FALSE(untouchedCommands.Confirm());
  page.UpdateView();
  std::fill(std::begin(hero->battleCommands), std::end(hero->battleCommands) - 1, -1);
  hero->battleCommands[0] = 0;
  page.ChooseCommand(0, 3);
  page.ChooseCommand(1, 1);
  EXPECT_EQ(std::vector<int32_t>(hero->battleCommands, hero->battleCommands + 4), (std::vector<int32_t>{3, 1, 0, -1}));
  EXPECT_EQ(page.CommandSlots()->Slot(2)->count(), 2);  // "(None)" and the unused command 2
  EXPECT_FALSE(page.CommandSlots()->Slot(3)->isEnabled());
}
