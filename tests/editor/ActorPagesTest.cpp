// The hero, class, attribute and condition pages of the database window and their sub-windows:
// what they write, what they keep, and the form check on a large database with odd values.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <sstream>

#include "DataBaseWindowTest.h"
#include "EditorProject.h"
#include "core/MessagePort.h"
#include "database/ActorPageKit.h"
#include "database/DataBaseObj.h"
#include "editor/database/FormDataBase.h"
#include "editor/database/FormEDAttrib.h"
#include "editor/database/FormEDJob.h"
#include "editor/database/FormEDPlayer.h"
#include "editor/database/FormEDPlayerExp.h"
#include "editor/database/FormEDPlayerParameter.h"
#include "editor/database/FormEDStatus.h"
#include "editor/database/ParameterThumbnail.h"
#include "editor/database/RankList.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "tests/database/HeroSampleDatabase.h"
#include "tools/formcheck/FormCheck.h"
#include "ui/FieldBinder.h"

using namespace tess;

namespace {

constexpr int kTabHero = 0, kTabClass = 1, kTabAttribute = 6, kTabCondition = 7;

struct ActorPages : test::TDataBaseWindowTest {
  void SetUp() override {
    project.Make();
    ASSERT_TRUE(database.LoadDatabase(project.Folder()));
    sample::FillHeroDatabase(database, 60);
    // As a file holds it: saving trims rank arrays to the database's conditions and attributes.
    database.LoadFromMemory(database.SaveToMemory(TCatalogVarData::Mode::Copy));
  }
};

}  // namespace

TEST_F(ActorPages, FormCheckKeepsEveryByteOfALargeOddDatabase) {
  sample::FillHeroDatabase(database, 5000);
  ASSERT_TRUE(database.SaveDatabase(project.Folder(), project.Folder()));
  std::ostringstream out;
  const TFormCheckResult result = CheckDatabase(project.Folder(), out);
  EXPECT_TRUE(result.Passed()) << out.str();
  EXPECT_GE(result.checked, 10000 + 22) << out.str();
  for (const char* tab : {"Hero", "Class", "Attribute", "Condition"})
    EXPECT_EQ(out.str().find(std::string(tab) + ","), std::string::npos) << tab << ": " << out.str();
}

TEST_F(ActorPages, RanksCycleAndGrowTheArrayOnlyWhenClicked) {
  TLcfPlayerItem* hero = database.heroes.ItemAt(2);  // two condition ranks stored
  ASSERT_EQ(hero->conditionRankCount, 2);
  auto& page = Open<TFormEDPlayer>(kTabHero, 2);
  TRankList* ranks = page.ConditionRanks();
  ASSERT_EQ(ranks->count(), database.conditions.Count());
  EXPECT_TRUE(ranks->item(5)->text().endsWith("C"));
  const Bytes untouched = Saved();
  // Left click toward A from C, right click toward E; A wraps to E.
  const QRect line = ranks->visualItemRect(ranks->item(5));
  QTest::mouseClick(ranks->viewport(), Qt::LeftButton, {}, line.center());
  EXPECT_EQ(hero->GetConditionRank(6), 1);
  EXPECT_EQ(hero->conditionRankCount, 6);
  QTest::mouseClick(ranks->viewport(), Qt::RightButton, {}, line.center());
  QTest::mouseClick(ranks->viewport(), Qt::RightButton, {}, line.center());
  QTest::mouseClick(ranks->viewport(), Qt::RightButton, {}, line.center());
  EXPECT_TRUE(ranks->item(5)->text().endsWith("E"));
  ranks->setCurrentRow(5);
  for (int i = 0; i < 4; ++i) QTest::keyClick(ranks, Qt::Key_Space);
  EXPECT_EQ(hero->GetConditionRank(6), 0);
  QTest::keyClick(ranks, Qt::Key_Space);
  EXPECT_EQ(hero->GetConditionRank(6), 4);
  EXPECT_TRUE(window->ApplyEnabled());
  EXPECT_NE(Saved(), untouched);
}

TEST_F(ActorPages, BattleCommandSlotsFollowTheSlotRule) {
  TLcfJobItem* job = database.classes.ItemAt(0);
  for (int s = 0; s < kBattleCommandSlots; ++s) job->SetBattleCommand(s, s < 2 ? s + 1 : s == 2 ? 0 : -1);
  auto& page = Open<TFormEDJob>(kTabClass, 0);
  EXPECT_TRUE(page.CommandSlot(2)->isEnabled());
  EXPECT_FALSE(page.CommandSlot(3)->isEnabled());
  EXPECT_EQ(page.CommandSlot(2)->itemText(0), "(None)");
  EXPECT_EQ(page.CommandSlot(2)->findData(1), -1);  // used by slot 1
  page.ChooseCommand(2, 5);
  EXPECT_EQ(job->GetBattleCommand(3), 0);
  EXPECT_TRUE(page.CommandSlot(3)->isEnabled());
  page.ChooseCommand(0, 0);
  for (int s = 0; s < kBattleCommandSlots; ++s) EXPECT_EQ(job->GetBattleCommand(s), s == 0 ? 0 : -1);
  EXPECT_EQ(job->battleCommands[kBattleCommandSlots], 0);  // the seventh element is never touched
}

TEST_F(ActorPages, MissingAndOutOfRangeValuesAreShownAndKept) {
  // Hero 1: class 67 does not exist, levels 1 to 99, critical chance 500, equipment 9999.
  auto& page = Open<TFormEDPlayer>(kTabHero, 0);
  TLcfPlayerItem* hero = database.heroes.ItemAt(0);
  auto* classes = qobject_cast<QComboBox*>(page.Binder().Control("Class"));
  EXPECT_EQ(classes->currentText(), QString::asprintf("%.4d:? (missing)", hero->classId));
  EXPECT_FALSE(page.ApplyButton()->isEnabled());
  EXPECT_EQ(qobject_cast<QSpinBox*>(page.Binder().Control("CriticalChance"))->value(), 500);
  EXPECT_EQ(page.EquipmentList(0)->currentText(), "9999:? (missing)");
  EXPECT_EQ(page.Thumbnail(kMaxHP)->NowText(), "Now: 65535");
  const Bytes untouched = Saved();
  for (int i = 0; i < 12; ++i) page.ShowEntry(i);
  page.ShowEntry(0);
  EXPECT_EQ(Saved(), untouched);
  EXPECT_FALSE(window->ApplyEnabled());
  // The skill that no longer exists shows as "?".
  page.ShowEntry(4);
  ASSERT_EQ(page.Skills()->rowCount(), 4);
  EXPECT_EQ(page.Skills()->item(2, 1)->text(), "?");
}

TEST_F(ActorPages, TwoWeaponsTurnsTheShieldListIntoWeaponsAndNowCountsThem) {
  TLcfPlayerItem* hero = database.heroes.ItemAt(3);
  hero->twoWeapons = 0;
  hero->initialLevel = 1;
  auto& page = Open<TFormEDPlayer>(kTabHero, 3);
  auto* twoWeapons = qobject_cast<QCheckBox*>(page.Binder().Control("TwoWeapons"));
  const int shields = page.EquipmentList(1)->count();
  twoWeapons->click();
  EXPECT_EQ(hero->twoWeapons, 1);
  EXPECT_NE(page.EquipmentList(1)->count(), shields);
  const std::vector<int32_t> weapons = EquipmentChoices(database, *hero, 0);
  ASSERT_GE(weapons.size(), 2u);
  page.ChooseEquipment(0, weapons[0]);
  page.ChooseEquipment(1, weapons[1]);
  for (int slot = 2; slot < kEquipmentSlots; ++slot) page.ChooseEquipment(slot, 0);
  const int expected = hero->GetParameter(kAttack, 1) + database.items.FindById(weapons[0])->attackBonus +
                       database.items.FindById(weapons[1])->attackBonus;
  EXPECT_EQ(page.Thumbnail(kAttack)->Now(), expected);
  EXPECT_EQ(ThumbnailNow(database, *hero, kAttack), expected);
}

TEST_F(ActorPages, ApplyingTheClassCopiesItOntoTheHero) {
  TLcfPlayerItem* hero = database.heroes.ItemAt(1);
  const TLcfJobItem* job = database.classes.FindById(hero->classId);
  ASSERT_NE(job, nullptr);
  auto& page = Open<TFormEDPlayer>(kTabHero, 1);
  ASSERT_TRUE(page.ApplyButton()->isEnabled());
  page.ApplyButton()->click();
  EXPECT_TRUE(std::equal(job->parameters, job->parameters + kCurveElements, hero->parameters));
  EXPECT_EQ(hero->expPrimary, job->expPrimary);
  EXPECT_EQ(hero->skills.Count(), job->skills.Count());
  EXPECT_EQ(page.ExperienceLine()->text(), QString::asprintf("Primary = %d ; Secondary = %d ; Tertiary = %d",
                                                             job->expPrimary, job->expSecondary, job->expTertiary));
  EXPECT_TRUE(window->ApplyEnabled());
}

TEST_F(ActorPages, ParameterWindowDrawsOnACopyAndKeepsUntouchedLevels) {
  uint16_t curves[kCurveElements];
  std::fill_n(curves, kCurveElements, uint16_t{1500});  // attack past its range
  TFormEDPlayerParameter window(curves, kAttack);
  // A drag from level 3 to level 7 on the graph; levels outside it keep 1500.
  QTest::mousePress(window.Graph(), Qt::LeftButton, {}, QPoint(12, 200));
  QMouseEvent move(QEvent::MouseMove, QPointF(32, 150), QPointF(32, 150), Qt::NoButton, Qt::LeftButton, {});
  QApplication::sendEvent(window.Graph(), &move);
  const uint16_t* attack = window.Curves() + kAttack * kMaxHeroLevel;
  EXPECT_EQ(std::vector<int>(attack + 1, attack + 8), (std::vector<int>{1500, 200, 250, 300, 350, 400, 1500}));
  EXPECT_EQ(window.PointerText(), "Attack  Level 7 : 400");
  EXPECT_EQ(curves[kAttack * kMaxHeroLevel + 3], 1500);  // the caller's curves wait for OK
  TFormEDPlayerParameter::SetRandom(SeededRandom(5));
  window.SelectParameter(kDefense);
  window.Quick(TQuickCurve::Outstanding);
  TRandom replay = SeededRandom(5);
  const int extra = replay(2);
  EXPECT_EQ(window.Curves()[kDefense * kMaxHeroLevel], 55 + replay(10 + extra));
  window.SpecifyEndpoints(1, 100, 0);
  EXPECT_EQ(window.Curves()[kDefense * kMaxHeroLevel + 98], 100);
}

TEST_F(ActorPages, ExperienceWindowListsEveryLevel) {
  TFormEDPlayerExp window({2000, 2000, 5000});  // tertiary stored past the sliders' range
  EXPECT_EQ(window.Slider(2)->value(), 5000);
  EXPECT_EQ(window.TotalList()->count(), 99);
  EXPECT_EQ(window.TotalList()->item(0)->text(), "L  1 :       0");
  EXPECT_EQ(window.TotalList()->item(98)->text(), "L 99 : -------");
  window.SetValue(2, 1040);
  EXPECT_EQ(window.TotalList()->item(98)->text(), "L 99 : 9999920");
  EXPECT_EQ(window.PerLevelList()->item(98)->text(), "L 99 : -------");
  EXPECT_EQ(window.Values(), (TFormEDPlayerExp::TValues{2000, 2000, 1040}));
}

TEST_F(ActorPages, ConditionOneEditsOnlyItsNameExtentColourAndSusceptibility) {
  auto& page = Open<TFormEDStatus>(kTabCondition, 0);
  TFieldBinder& b = page.Binder();
  for (const char* key : {"Name", "Persistence", "Color", "ChanceA", "ChanceE"})
    EXPECT_TRUE(b.Control(key)->isEnabled()) << key;
  for (const char* key : {"Priority", "Restriction", "HitRate", "BattlerPose", "HpEffect", "AlterAttack", "HpAmount"})
    EXPECT_FALSE(b.Control(key)->isEnabled()) << key;
  EXPECT_EQ(qobject_cast<QSpinBox*>(b.Control("BattlerPose"))->value(), 5);
  EXPECT_EQ(database.conditions.ItemAt(0)->battlerPose, 7);
  // Typing the name keeps the others disabled.
  auto* name = qobject_cast<QLineEdit*>(b.Control("Name"));
  QTest::keyClicks(name, "x");
  EXPECT_FALSE(b.Control("Priority")->isEnabled());
  EXPECT_EQ(page.Colours().size(), 20u);
  EXPECT_EQ(page.PosePreview()->model()->rowCount(), database.battlerAnimations.Count());
  // Condition 2 edits everything; its stored pose 40 (beyond the range) shows as 41 and stays.
  page.ShowEntry(1);
  EXPECT_TRUE(b.Control("Priority")->isEnabled());
  EXPECT_EQ(qobject_cast<QSpinBox*>(b.Control("BattlerPose"))->value(), 41);
  EXPECT_EQ(qobject_cast<QComboBox*>(b.Control("Color"))->currentText(), "0025:? (missing)");
}

TEST_F(ActorPages, AttributeRatesWriteOnEveryChange) {
  auto& page = Open<TFormEDAttrib>(kTabAttribute, 1);
  auto* rate = qobject_cast<QSpinBox*>(page.Binder().Control("RateA"));
  EXPECT_EQ(rate->value(), -5000);
  rate->setValue(150);
  EXPECT_EQ(database.attributes.ItemAt(1)->rateA, 150);
  EXPECT_TRUE(window->ApplyEnabled());
}
