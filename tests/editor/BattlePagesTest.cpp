// The animation, battler animation, skill and item pages: the form check on a large database with
// odd values, the dirty rule of animations, the player's life on the page, and the weapon window's
// targeting rule.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <iostream>
#include <sstream>

#include "EditorProject.h"
#include "core/MessagePort.h"
#include "database/DataBaseObj.h"
#include "editor/database/FormDataBase.h"
#include "editor/database/FormEDAnimation.h"
#include "editor/database/FormEDItem.h"
#include "editor/database/FormSelCBA.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "tests/database/BattleSampleDatabase.h"
#include "tools/formcheck/FormCheck.h"
#include "ui/AnimationPreview.h"

using namespace tess;

namespace {

constexpr int kTabItem = 3, kTabAnimations = 8;

struct BattlePages : ::testing::Test {
  test::TEditorProject project;
  TScriptedMessages messages;
  TMessagePortScope port{&messages};
  TLcfDataBase database;
  TLcfMapTree tree;
  TLcfMap map;
  std::unique_ptr<TFormDataBase> window;
  void SetUp() override {
    project.Make();
    sample::FillBattleDatabase(database, 40, 30, 60);
    database.LoadFromMemory(database.SaveToMemory(TCatalogVarData::Mode::Copy));
  }
  template <class TPage>
  TPage& Open(int tab, int entry) {
    window = std::make_unique<TFormDataBase>(database, tree, map, project.Folder(), project.Folder(), nullptr);
    window->SelectTab(tab);
    auto* page = dynamic_cast<TPage*>(window->Page());
    EXPECT_NE(page, nullptr);
    page->ShowEntry(entry);
    return *page;
  }
  Bytes Saved() { return database.SaveToMemory(TCatalogVarData::Mode::Copy); }
};

}  // namespace

TEST_F(BattlePages, FormCheckKeepsEveryByteOfALargeOddDatabase) {
  sample::FillBattleDatabase(database, 2000, 100, 5000);
  ASSERT_TRUE(database.SaveDatabase(project.Folder(), project.Folder()));
  std::ostringstream out;
  const TFormCheckResult result = CheckDatabase(project.Folder(), out);
  EXPECT_TRUE(result.Passed()) << out.str();
  EXPECT_GE(result.checked, 2000 + 6 + 5000 + 5000) << out.str();
  std::cout << out.str();
  for (const char* tab : {"Skill", "Item", "Animations", "Animations 2"})
    EXPECT_EQ(out.str().find(std::string(tab) + ","), std::string::npos) << tab << ": " << out.str();
}

TEST_F(BattlePages, AnimationEditsMarkTheAnimationSoItsBytesAreEncodedAgain) {
  const Bytes untouched = Saved();  // every animation is clean after this save
  auto& page = Open<TFormEDAnimation>(kTabAnimations, 2);
  TLcfAnimationItem* a = page.Entry();
  ASSERT_FALSE(a->IsDirty());
  EXPECT_EQ(Saved(), untouched);
  page.SelectFrame(0);
  page.AddCel();
  page.DragCelTo(13, -21);
  const TLcfAnimationPatternItem* frame = a->frames.ItemAt(0);
  const TLcfAnimationCellItem* cel = frame->cells.ItemAt(page.Cel());
  ASSERT_NE(cel, nullptr);
  const bool grid = database.system.animationGrid != 0;
  EXPECT_EQ(cel->x, grid ? 16 : 13);
  EXPECT_EQ(cel->y, grid ? -24 : -21);
  EXPECT_TRUE(window->ApplyEnabled());
  EXPECT_NE(Saved(), untouched);
  // The missing picture is named under the stage and blocks nothing.
  ASSERT_EQ(a->animationFile, "Missing2");
  if (const char* shots = std::getenv("TESS_SHOT_DIR")) {
    window->resize(1000, 700);
    window->show();
    QApplication::processEvents();
    window->grab().save(QString(shots) + "/db2-animation-page.png");
    window->SelectTab(2);
    window->Page()->ShowEntry(3);
    QApplication::processEvents();
    window->grab().save(QString(shots) + "/db2-skill-page.png");
    return;
  }
  EXPECT_TRUE(page.Preview()->MissingLine()->text().contains("Battle/Missing2"));
}

TEST_F(BattlePages, PlayRunsOnATimerAndClosingThePageStopsIt) {
  auto& page = Open<TFormEDAnimation>(kTabAnimations, 1);
  TAnimationPreview* preview = page.Preview();
  preview->Play();
  EXPECT_TRUE(preview->Playing());
  QTest::qWait(120);  // the window handles events meanwhile
  EXPECT_TRUE(preview->Playing());
  window->SelectTab(0);  // the page goes while it plays
  QTest::qWait(60);
  SUCCEED();
}

TEST_F(BattlePages, RangedWeaponWindowKeepsAttackAllInStepWithTargeting) {
  int at = 0;
  while (!database.items.ItemAt(at)->IsWeapon()) ++at;
  TLcfItemItem* weapon = database.items.ItemAt(at);
  weapon->targeting = 0;
  weapon->attackAll = 0;
  const int before = weapon->battlerAnimations.Count();
  auto& page = Open<TFormEDItem>(kTabItem, at);
  EXPECT_EQ(weapon->battlerAnimations.Count(), before) << "showing extends nothing";
  for (int targeting : {2, 3, 1}) {
    TFormSelCBA form(database, *weapon, &page);
    auto* ranged = form.findChild<QCheckBox*>("Ranged");
    ASSERT_NE(ranged, nullptr);
    if (!ranged->isChecked()) ranged->click();
    auto* button = form.findChild<QRadioButton*>(QString("Targeting%1").arg(targeting));
    ASSERT_NE(button, nullptr);
    button->click();
    form.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(weapon->targeting, targeting);
    EXPECT_EQ(weapon->attackAll, targeting == 1 || targeting == 2) << targeting;
    EXPECT_EQ(weapon->battlerAnimations.Count(), database.heroes.Count());
  }
}
