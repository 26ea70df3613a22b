// The terrain, tileset, string, system and system 2 pages of the database window, driven through
// their controls as an author would.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <sstream>

#include "EditorProject.h"
#include "core/MessagePort.h"
#include "database/DataBaseObj.h"
#include "editor/database/ChipSetFlagView.h"
#include "editor/database/FormDataBase.h"
#include "editor/database/FormEDChipSet.h"
#include "editor/database/FormEDGround.h"
#include "editor/database/FormEDSystem.h"
#include "editor/database/FormEDVocabulary.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "platform/TextCodec.h"
#include "tools/formcheck/FormCheck.h"
#include "ui/FieldBinder.h"

using namespace tess;

namespace {

enum { kTerrainTab = 11, kTilesetTab = 12, kStringTab = 13, kSystemTab = 14, kSystem2Tab = 15 };

struct SettingsPages : ::testing::Test {
  test::TEditorProject project;
  TScriptedMessages messages;
  TMessagePortScope port{&messages};
  TLcfDataBase database;
  TLcfMapTree tree;
  TLcfMap map;
  TTextCodecScope codePage{"windows-1252"};
  std::unique_ptr<TFormDataBase> window;
  void SetUp() override {
    project.Make();
    ASSERT_TRUE(database.LoadDatabase(project.Folder()));
  }
  template <class Page>
  Page* Open(int tab) {
    window = std::make_unique<TFormDataBase>(database, tree, map, project.Folder(), project.Folder(), nullptr);
    window->SelectTab(tab);
    return dynamic_cast<Page*>(window->Page());
  }
  template <class Control>
  Control* Find(QWidget* page, const char* name) {
    auto* c = page->findChild<Control*>(name);
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
};

}  // namespace

TEST_F(SettingsPages, TerrainRatesAreLimitedAsTheAuthorClicks) {
  database.battle.placement = 0;
  TLcfGroundItem& t = *database.terrain.ItemAt(0);
  t.specialBattles = kInitiative;
  t.initiativeRate = 30;
  t.backAttackRate = 80;
  auto* page = Open<TFormEDGround>(kTerrainTab);
  ASSERT_NE(page, nullptr);
  Find<QCheckBox>(page, "BackAttack")->click();
  EXPECT_EQ(t.backAttackRate, 70);
  EXPECT_EQ(Find<QSpinBox>(page, "BackAttackRate")->value(), 70);
  EXPECT_TRUE(window->ApplyEnabled());
  // Surround and pincers attacks need the automatic placement.
  EXPECT_FALSE(Find<QCheckBox>(page, "Surround")->isEnabled());
  EXPECT_FALSE(Find<QCheckBox>(page, "Pincers")->isEnabled());
  database.battle.placement = 1;
  page->LoadEntry();
  EXPECT_TRUE(Find<QCheckBox>(page, "Surround")->isEnabled());
  EXPECT_FALSE(Find<QSpinBox>(page, "SurroundRate")->isEnabled());
  // A preset sets the grid; "Custom" keeps it.
  Find<QGroupBox>(page, "GridDepth")->findChildren<QRadioButton*>().at(1)->click();
  EXPECT_EQ(t.gridDepth, 2);
  EXPECT_EQ(t.gridTop, kDeepGrid.top);
}

TEST_F(SettingsPages, TilesetMarksAreEditedWithoutItsPicture) {
  TLcfChipSetItem& t = *database.tilesets.ItemAt(0);
  t.chipSetFile = "NoSuchSheet";
  auto* page = Open<TFormEDChipSet>(kTilesetTab);
  ASSERT_NE(page, nullptr);
  // The missing picture is named and the grid still edits.
  EXPECT_TRUE(page->PictureNote()->text().contains("NoSuchSheet")) << page->PictureNote()->text().toStdString();
  TChipSetFlagView* flags = page->Flags();
  page->SelectTool(TChipSetTool::LowerPassability);
  const QImage before = flags->Image();
  flags->Press({18 % 6 * 32 + 10, 18 / 6 * 32 + 10}, true);  // entry 18, the first plain chip
  flags->MoveTo({19 % 6 * 32 + 10, 19 / 6 * 32 + 10});
  flags->Release();
  EXPECT_EQ(t.GetLowerFlags(18), 0);
  EXPECT_EQ(t.GetLowerFlags(19), 0);
  EXPECT_EQ(t.GetLowerFlags(20), kDefaultChipFlags);
  EXPECT_NE(flags->Image(), before);
  EXPECT_TRUE(window->ApplyEnabled());
  // The bridge: open only to the left and right, with the directional tool's triangles.
  page->SelectTool(TChipSetTool::UpperDirections);
  const QPoint cell(7 % 6 * 32, 7 / 6 * 32);
  flags->Press(cell + QPoint(16, 2), true);
  flags->Release();
  flags->Press(cell + QPoint(16, 30), true);
  flags->Release();
  EXPECT_EQ(t.GetUpperFlags(7), kPassLeft | kPassRight);
  // Upper entry 0 ignores clicks.
  page->SelectTool(TChipSetTool::Counter);
  flags->Press({5, 5}, true);
  EXPECT_EQ(t.GetUpperFlags(0), kEmptyUpperChipFlags);
  page->ApplyUniformTerrain(1);
  page->SelectTool(TChipSetTool::Terrain);
  database.terrain.SetCount(2);
  page->ApplyUniformTerrain(2);
  EXPECT_EQ(t.GetTerrain(0), 2);
  EXPECT_EQ(t.GetTerrain(161), 2);
}

TEST_F(SettingsPages, VocabularyFieldsLimitAndGuardTheirTexts) {
  auto* page = Open<TFormEDVocabulary>(kStringTab);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->SubPages()->count(), 5);
  auto* attack = Find<QLineEdit>(page, "132");
  attack->selectAll();
  QTest::keyClicks(attack, "Strike");
  EXPECT_EQ(database.vocabulary.Text(vtAttack), "Strike");
  // A character the code page cannot hold is refused as it is typed.
  attack->insert(QString::fromUtf8("勇"));
  EXPECT_EQ(database.vocabulary.Text(vtAttack), "Strike");
  EXPECT_GT(attack->maxLength(), 0);
  EXPECT_LT(attack->maxLength(), 100);
}

TEST_F(SettingsPages, StartingPartySlotsOpenOneAfterAnother) {
  database.heroes.SetCount(3);
  database.system.SetPartySize(1);
  database.system.SetPartyMember(0, 1);
  auto* page = Open<TFormEDSystem>(kSystemTab);
  ASSERT_NE(page, nullptr);
  auto* second = Find<QComboBox>(page, "Party2");
  auto* third = Find<QComboBox>(page, "Party3");
  EXPECT_TRUE(second->isEnabled());
  EXPECT_FALSE(third->isEnabled());
  second->setCurrentIndex(second->findData(3));
  emit second->activated(second->currentIndex());
  EXPECT_EQ(database.system.partySize, 2);
  EXPECT_EQ(database.system.PartyMember(1), 3);
  EXPECT_TRUE(third->isEnabled());
  auto* first = Find<QComboBox>(page, "Party1");
  first->setCurrentIndex(first->findData(0));
  emit first->activated(first->currentIndex());
  EXPECT_EQ(database.system.partySize, 0);
  EXPECT_FALSE(second->isEnabled());
}

// Every page shown on every entry and left untouched gives back the database byte for byte, and
// these five pages edit their fields.
TEST_F(SettingsPages, TheFormCheckFindsEveryPageIdentical) {
  // Values outside the controls' ranges, kept as stored.
  TLcfGroundItem& t = *database.terrain.ItemAt(0);
  t.specialBattles = kInitiative | kBackAttack;
  t.initiativeRate = 90;
  t.backAttackRate = 90;
  t.damage = 99;
  t.gridTop = 300;
  t.gridAngle = 5000;
  database.system.messageFont = 7;
  database.system.SetMenuCommandCount(2);
  database.system.SetMenuCommand(0, 42);
  database.vocabulary.SetText(vtAttack, std::string(200, 'x'));
  ASSERT_TRUE(database.SaveDatabase(project.Folder(), project.Folder()));
  std::ostringstream out;
  const TFormCheckResult result = CheckDatabase(project.Folder(), out);
  EXPECT_TRUE(result.Passed()) << out.str();
  const std::string line = out.str().substr(0, out.str().find('\n'));
  for (const char* tab : {"Terrain", "Tileset", "String", "System"})
    EXPECT_EQ(line.find(tab), std::string::npos) << line;
}
