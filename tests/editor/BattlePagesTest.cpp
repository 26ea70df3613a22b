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
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "DataBaseWindowTest.h"
#include "EditorProject.h"
#include "core/MessagePort.h"
#include "core/ProjectFolder.h"
#include "database/AnimationPageKit.h"
#include "database/DataBaseObj.h"
#include "editor/database/FormDataBase.h"
#include "editor/database/FormEDAnimation.h"
#include "editor/database/FormEDAnimationDialogs.h"
#include "editor/database/FormEDCBA.h"
#include "editor/database/FormEDItem.h"
#include "editor/database/FormSelCBA.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "media/PictureFile.h"
#include "tests/database/BattleSampleDatabase.h"
#include "tools/formcheck/FormCheck.h"
#include "ui/AnimationPreview.h"
#include "ui/ColorBar.h"

using namespace tess;

namespace {

constexpr int kTabItem = 3, kTabAnimations = 8, kTabBattlerAnimations = 9;

struct BattlePages : test::TDataBaseWindowTest {
  void SetUp() override {
    project.Make();
    sample::FillBattleDatabase(database, 40, 30, 60);
    database.LoadFromMemory(database.SaveToMemory(TCatalogVarData::Mode::Copy));
  }
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

// A press on a cel in the cel view selects the topmost cel drawn there, by its magnified size; a
// press on no cel (or on one not in use) keeps the selection.
TEST_F(BattlePages, APressOnACelSelectsIt) {
  database.animations.ItemAt(0)->largeCells = 0;  // cels of 96 pixels at 100%
  TLcfAnimationPatternItem* frame = database.animations.ItemAt(0)->frames.ItemAt(0);
  ASSERT_NE(frame, nullptr);
  frame->cells.Clear();
  const struct { int x, zoom, inUse; } cels[] = {{0, 200, 1}, {40, 100, 1}, {-140, 100, 0}};
  for (const auto& c : cels) {
    TLcfAnimationCellItem* cel = frame->cells.Append();
    cel->x = c.x;
    cel->zoom = c.zoom;
    cel->inUse = static_cast<uint8_t>(c.inUse);
  }
  auto& page = Open<TFormEDAnimation>(kTabAnimations, 0);
  page.SelectFrame(0);
  TAnimationPreview* preview = page.Preview();
  const TPoint origin = AnimationOrigin(*page.Entry(), preview->Graphic().TargetHeight());
  const struct { int x, cel; } presses[] = {{20, 1}, {-90, 0}, {87, 1}, {-140, 1}, {-97, 1}, {95, 0}};
  for (const auto& p : presses) {
    QTest::mousePress(preview, Qt::LeftButton, {}, QPoint(origin.x + p.x, origin.y));
    QTest::mouseRelease(preview, Qt::LeftButton, {}, QPoint(origin.x + p.x, origin.y));
    EXPECT_EQ(page.Cel(), p.cel) << p.x;
  }
  EXPECT_EQ(frame->cells.ItemAt(0)->x, 0);  // a press alone moves nothing
}

// The flash of a timing and the colour cast of a cel are shown on the colour strip as they change.
TEST_F(BattlePages, TheTimingAndCelWindowsShowTheirColours) {
  TLcfAnimationItem& a = *database.animations.ItemAt(0);
  ASSERT_GT(a.FrameCount(), 0);
  a.frames.ItemAt(0)->cells.Clear();
  a.frames.ItemAt(0)->AddCell();
  a.frames.ItemAt(0)->cells.ItemAt(0)->inUse = 1;
  for (const char* window : {"timing", "cel"}) {
    bool changed = false;
    QTimer::singleShot(0, [&changed] {
      QWidget* dialog = QApplication::activeModalWidget();
      ASSERT_NE(dialog, nullptr);
      auto* bar = dialog->findChild<TColorBar*>();
      ASSERT_NE(bar, nullptr);
      if (auto* scope = dialog->findChild<QAbstractButton*>("FlashScope1")) scope->click();
      const QImage before = bar->Image();
      auto* red = dialog->findChild<QSpinBox*>("Red");
      red->setValue(red->value() == 0 ? 31 : 0);
      changed = bar->Image() != before;
      static_cast<QDialog*>(dialog)->reject();
    });
    if (std::string_view(window) == "timing")
      RunTiming(nullptr, a, -1);
    else
      RunCelProperties(nullptr, a, 0, 0);
    EXPECT_TRUE(changed) << window;
  }
}

// The weapon preview draws the weapon held in the hand chosen (the "Right Hand" and "Left Hand"
// poses), in both, or alone; the choice writes nothing.
TEST_F(BattlePages, TheWeaponPreviewFollowsTheHandAndWritesNothing) {
  std::string folder = project.Folder();
  if (folder.back() != '/') folder += '/';
  SetProjectFolder(folder);
  // A weapon drawn on the left half of its frames; a hero sheet whose pose k is index k + 2.
  auto sheet = [](int width, int height, auto index) {
    TBitmap b(width, height, TPixelFormat::Indexed8);
    for (int i = 0; i < 256; ++i) b.Palette().push_back(TRgb{uint8_t(i * 40), uint8_t(255 - i * 30), uint8_t(i)});
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) b.Row(y)[x] = static_cast<uint8_t>(index(x, y));
    return b;
  };
  std::filesystem::create_directories(folder + "BattleWeapon");
  std::filesystem::create_directories(folder + "BattleCharSet");
  SavePictureFile(sheet(192, 512, [](int x, int) { return x % 64 < 32 ? 1 : 0; }), folder + "BattleWeapon/Blade.png");
  SavePictureFile(sheet(144, 384, [](int, int y) { return y / 48 + 2; }), folder + "BattleCharSet/Hero.png");
  TLcfAnimation2Item& set = *database.battlerAnimations.ItemAt(0);
  set.weapons.ItemAt(0)->sheetFile = "Blade";
  for (int pose : {1, 2}) {
    set.poses.ItemAt(pose)->sheetFile = "Hero";
    set.poses.ItemAt(pose)->sheetIndex = pose;
    set.poses.ItemAt(pose)->poseKind = 0;
  }
  database.LoadFromMemory(database.SaveToMemory(TCatalogVarData::Mode::Copy));
  const Bytes untouched = Saved();
  auto& page = Open<TFormEDCBA>(kTabBattlerAnimations, 0);
  page.PreviewWeapon(0);
  std::vector<QImage> shown;
  for (int hand = TFormEDCBA::kRightHand; hand <= TFormEDCBA::kWeaponOnly; ++hand) {
    page.findChild<QAbstractButton*>(QString("Hand%1").arg(hand))->click();
    EXPECT_EQ(page.Hand(), hand);
    shown.push_back(page.WeaponPreview()->Image());
  }
  for (size_t i = 0; i < shown.size(); ++i)
    for (size_t j = i + 1; j < shown.size(); ++j) EXPECT_NE(shown[i], shown[j]) << i << " " << j;
  EXPECT_FALSE(window->ApplyEnabled());
  EXPECT_EQ(Saved(), untouched);
  if (const char* shots = std::getenv("TESS_SHOTS_DIR")) {
    page.findChild<QAbstractButton*>("Hand2")->click();
    page.findChild<QTabWidget*>("BattlerPages")->setCurrentIndex(1);
    page.resize(900, 600);
    page.grab().save(QString(shots) + "/dlg3-battler-weapons.png");
  }
  SetProjectFolder("");
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
