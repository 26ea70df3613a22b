// The hand-written command windows and the switch and variable pickers, driven as an author drives
// them: typed and pasted messages, choices edited down, the branch's else turned off, the hero
// options, names changed in a picker opened from a command, and the list size.

#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <climits>
#include <iostream>
#include <sstream>

#include "EdgeParameters.h"
#include "EditorProject.h"
#include "core/MessagePort.h"
#include "database/DataBaseObj.h"
#include "editor/events/EventCommandWindows.h"
#include "editor/events/FormEvCmd10110.h"
#include "editor/events/FormEvCmd10140.h"
#include "editor/events/FormEvCmd11030.h"
#include "editor/events/FormEvCmd11050.h"
#include "editor/events/FormEvCmd11110.h"
#include "editor/events/FormEvCmd11520.h"
#include "editor/events/FormEvCmd11550.h"
#include "editor/events/FormEvCmd12010.h"
#include "editor/events/FormEvCmd13260.h"
#include "editor/events/FormEvCmdMaterial.h"
#include "script/CommandSchema.h"
#include "script/EventCommandLines.h"
#include "script/EventCommands.h"
#include "tools/formcheck/FormCheck.h"
#include "ui/ColorBar.h"
#include "ui/pickers/FormSelMaterial.h"
#include "ui/pickers/FormSelSound.h"
#include "ui/pickers/FormSelSwitch.h"
#include "ui/script/CommandDialogs.h"
#include "ui/script/FormEvCmdBase.h"

using namespace tess;

namespace {

using L = TLcfEventScriptLine;
using S = std::vector<std::tuple<int32_t, int32_t, std::string>>;

S Shape(const TLcfEventScriptList& s) {
  S shape;
  for (int i = 0; i < s.Count(); ++i) shape.emplace_back(s.LineAt(i)->code, s.LineAt(i)->indent, s.LineAt(i)->text);
  return shape;
}

void SaveShot(QWidget* widget, const char* name) {
  if (const char* dir = std::getenv("TESS_SHOTS_DIR")) widget->grab().save(QString("%1/%2").arg(dir, name));
}

TLcfEventScriptList Lines(std::initializer_list<L> lines) {
  TLcfEventScriptList out;
  for (const L& l : lines) out.AppendLine(l);
  return out;
}

struct CommandDialogs : ::testing::Test {
  TScriptedMessages messages;
  TMessagePortScope port{&messages};
  TLcfDataBase database;
  TEventScriptConverter converter{database};
  TCommandDialogContext context{converter, nullptr};

  void SetUp() override {
    database.ResetDatabase();
    database.switches.SetCount(30);
    database.variables.SetCount(100);
    for (int i = 0; i < 100; ++i) database.variables.ItemAt(i)->name = "V" + std::to_string(i + 1);
    converter.EditableDatabase = &database;
    TCommandForm::ForgetAll();
    TSwitchPickerModel::LastId(TPickerList::Switches) = 1;
    TSwitchPickerModel::LastId(TPickerList::Variables) = 1;
    RegisterEventCommandWindows();
  }
  template <class Window = TFormEvCmdBase>
  std::unique_ptr<Window> Open(int32_t code, const TLcfEventScriptList& lines = {}) {
    std::unique_ptr<TFormEvCmdBase> window = MakeCommandDialog(code, lines, context);
    auto* typed = dynamic_cast<Window*>(window.get());
    EXPECT_NE(typed, nullptr) << code;
    window.release();
    return std::unique_ptr<Window>(typed);
  }
  // Runs what a modal window opened from within will do once it is up.
  static void WhenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] { act(QApplication::activeModalWidget()); });
  }
};

TEST_F(CommandDialogs, AMessageOfTwoTypedLinesWritesAMessageAndAContinuationLine) {
  auto window = Open<TFormEvCmd10110>(10110);
  TMessageTextBox* box = window->Box();
  QTest::keyClicks(box, "Hello");
  QTest::keyClick(box, Qt::Key_Return);
  QTest::keyClicks(box, "there");
  window->Accept();
  EXPECT_EQ(Shape(window->Lines()), (S{{10110, 0, "Hello"}, {20110, 0, "there"}}));
  // The box holds four lines: a fifth Enter does nothing.
  for (int i = 0; i < 5; ++i) QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(box->document()->blockCount(), 4);
  // Ctrl+Enter is OK.
  QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(window->result(), QDialog::Accepted);
  EXPECT_EQ(window->Lines().Count(), 4);
}

TEST_F(CommandDialogs, APasteThatDoesNotFitIsRefusedAndSaysHowManyLines) {
  auto window = Open<TFormEvCmd10110>(12410, Lines({{12410, 3, "one"}, {22410, 3, "two"}}));
  TMessageTextBox* box = window->Box();
  box->moveCursor(QTextCursor::End);
  EXPECT_FALSE(box->PasteText("\n3\n4\n5"));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find("5 lines"), std::string::npos) << messages.shown[0].text;
  EXPECT_EQ(box->toPlainText(), "one\ntwo");
  EXPECT_TRUE(box->PasteText("\n3\n4\n"));
  EXPECT_EQ(box->toPlainText(), "one\ntwo\n3\n4");
  window->Accept();
  EXPECT_EQ(Shape(window->Lines()), (S{{12410, 0, "one"}, {22410, 0, "two"}, {22410, 0, "3"}, {22410, 0, "4"}}));
}

TEST_F(CommandDialogs, AStoredMessageLongerThanTheBoxIsShownAndKept) {
  const TLcfEventScriptList given = Lines(
      {{10110, 1, "1"}, {20110, 1, "2"}, {20110, 1, ""}, {20110, 1, "4"}, {20110, 1, "5"}, {20110, 1, "\x82\xa0"}});
  auto window = Open<TFormEvCmd10110>(10110, given);
  EXPECT_EQ(window->Box()->MaxLines(), 6);
  window->Accept();
  EXPECT_EQ(
      Shape(window->Lines()),
      (S{{10110, 0, "1"}, {20110, 0, "2"}, {20110, 0, ""}, {20110, 0, "4"}, {20110, 0, "5"}, {20110, 0, "\x82\xa0"}}));
}

TEST_F(CommandDialogs, ThreeChoicesEditedDownToTwoKeepTheirFirstTwoBranches) {
  const TLcfEventScriptList given = Lines({{10140, 0, "A/B/C", {3}},
                                           {20140, 0, "A", {0}},
                                           {12420, 1, "in A"},
                                           {10, 1},
                                           {20140, 0, "B", {1}},
                                           {12420, 1, "in B"},
                                           {10, 1},
                                           {20140, 0, "C", {2}},
                                           {12420, 1, "in C"},
                                           {10, 1},
                                           {20141, 0}});
  auto window = Open<TFormEvCmd10140>(10140, given);
  EXPECT_EQ(window->Choice(2)->text(), "C");
  EXPECT_TRUE(window->Cancellation()->button(3)->isChecked());
  window->Choice(2)->selectAll();
  QTest::keyClick(window->Choice(2), Qt::Key_Delete);
  window->Cancellation()->button(2)->click();
  window->Accept();
  EXPECT_EQ(Shape(window->Lines()), (S{{10140, 0, "A/B"},
                                       {20140, 0, "A"},
                                       {12420, 1, "in A"},
                                       {10, 1, ""},
                                       {20140, 0, "B"},
                                       {12420, 1, "in B"},
                                       {10, 1, ""},
                                       {20141, 0, ""}}));
  EXPECT_EQ(window->Lines().LineAt(0)->Param(0), 2);
  // A new Show Choices opens with "Yes" and "No", cancelled by choice 2 (the last confirmed now).
  TCommandForm::ForgetAll();
  auto fresh = Open<TFormEvCmd10140>(10140);
  EXPECT_EQ(fresh->Choice(0)->text(), "Yes");
  EXPECT_EQ(fresh->Choice(1)->text(), "No");
  EXPECT_TRUE(fresh->Cancellation()->button(2)->isChecked());
}

TEST_F(CommandDialogs, TurningTheElseOffDropsItsCommands) {
  const TLcfEventScriptList given = Lines({{12010, 0, "", {0, 3, 0, 0, 0, 1}},
                                           {12420, 1, "then"},
                                           {10, 1},
                                           {22010, 0},
                                           {12420, 1, "else"},
                                           {10, 1},
                                           {22011, 0}});
  auto window = Open<TFormEvCmd12010>(12010, given);
  auto* elseBox = qobject_cast<QCheckBox*>(window->Binder().Control("else"));
  ASSERT_NE(elseBox, nullptr);
  EXPECT_TRUE(elseBox->isChecked());
  QTest::mouseClick(elseBox, Qt::LeftButton, {}, QPoint(4, elseBox->height() / 2));
  window->Accept();
  EXPECT_EQ(Shape(window->Lines()), (S{{12010, 0, ""}, {12420, 1, "then"}, {10, 1, ""}, {22011, 0, ""}}));
}

TEST_F(CommandDialogs, ConditionKindsAndTheHeroOptions) {
  auto window = Open<TFormEvCmd12010>(12010);
  // Timer 2 is on the second page; its time is entered as minutes and seconds.
  window->Pages()->setCurrentIndex(1);
  QAbstractButton* timer2 = window->Kinds()->button(10);
  QTest::mouseClick(timer2, Qt::LeftButton, {}, QPoint(4, 4));
  auto* minutes = window->findChildren<QSpinBox*>("timerMinutes").at(1);
  ASSERT_TRUE(minutes->isEnabled());
  minutes->setValue(2);
  EXPECT_EQ(window->Form().Param(0), 10);
  EXPECT_EQ(window->Form().Param(1), 120);
  // The hero: "Level is at least" 50, in the sub-dialog.
  QTest::mouseClick(window->Kinds()->button(5), Qt::LeftButton, {}, QPoint(4, 4));
  TFormEvCmd12010::heroOptionsHook = [](QDialog& options) {
    auto* test = options.findChild<QComboBox*>("heroTest");
    ASSERT_NE(test, nullptr);
    test->setCurrentIndex(2);
    emit test->activated(2);
    auto* level = options.findChild<QSpinBox*>("level");
    ASSERT_TRUE(level && level->isEnabled());
    level->setValue(50);
    options.accept();
  };
  EXPECT_TRUE(window->RunHeroOptions());
  TFormEvCmd12010::heroOptionsHook = nullptr;
  window->Accept();
  const L& line = *window->Lines().LineAt(0);
  EXPECT_EQ(std::vector<int32_t>(line.params.begin(), line.params.begin() + 6),
            (std::vector<int32_t>{5, 1, 2, 50, 0, 0}));
  EXPECT_NE(window->HeroSummary().indexOf("50"), -1) << window->HeroSummary().toStdString();
}

TEST_F(CommandDialogs, AStatisticAmountIsCappedAt999ButMaxHp) {
  for (auto [statistic, kept] : {std::pair{0, 5000}, std::pair{2, 999}}) {
    auto window = Open(10430);
    window->Form().Set("statistic", statistic);
    window->Form().SetParam(5, 5000);
    window->Accept();
    EXPECT_EQ(window->Lines().LineAt(0)->Param(5), kept) << statistic;
  }
  // An untouched stored 5000 stays.
  auto window = Open(10430, Lines({{10430, 0, "", {0, 0, 0, 2, 0, 5000}}}));
  window->Accept();
  EXPECT_EQ(window->Lines().LineAt(0)->Param(5), 5000);
}

TEST_F(CommandDialogs, AnOlderKeyInputLineShowsItsDirectionKeysFromTheOldKey) {
  auto window = Open(11610, Lines({{11610, 0, "", {5, 1, 1, 0, 1}}}));
  for (const char* key : {"down", "left", "right", "up", "cancel"})
    EXPECT_TRUE(qobject_cast<QCheckBox*>(window->Binder().Control(key))->isChecked()) << key;
  EXPECT_FALSE(qobject_cast<QCheckBox*>(window->Binder().Control("decision"))->isChecked());
}

TEST_F(CommandDialogs, ANameChangedInAPickerReachesTheDatabaseEvenWhenTheCommandIsCancelled) {
  auto window = Open(10210);
  auto* pick = window->findChild<QPushButton*>("switchPick");
  ASSERT_NE(pick, nullptr);
  WhenModal([](QWidget* modal) {
    auto* picker = qobject_cast<TFormSelSwitch*>(modal);
    ASSERT_NE(picker, nullptr);
    picker->Model().Select(7);
    picker->findChild<QLineEdit*>("Name")->setText("");
    QTest::keyClicks(picker->findChild<QLineEdit*>("Name"), "Door open");
    picker->Accept();
  });
  QTest::mouseClick(pick, Qt::LeftButton);
  EXPECT_EQ(database.switches.ItemAt(6)->name, "Door open");
  EXPECT_TRUE(window->ChangedElsewhere());
  EXPECT_EQ(window->Form().Value("switch"), 7);
  EXPECT_EQ(qobject_cast<QComboBox*>(window->Binder().Control("switch"))->currentText(), "0007:Door open");
  window->reject();
  EXPECT_TRUE(context.changedElsewhere);
  // The next picker opens on switch 7, whatever its command holds.
  TFormSelSwitch next(TPickerList::Switches, database, &database);
  EXPECT_EQ(next.SelectedId(), 7);
  EXPECT_EQ(next.findChild<QLabel*>("IdLabel")->text(), "0007:");
}

TEST_F(CommandDialogs, ShrinkingTheVariablesAsksFirst) {
  TFormSelSwitch picker(TPickerList::Variables, database, &database);
  messages.answers = {TMessageResult::No};
  EXPECT_FALSE(picker.ResizeTo(50));
  EXPECT_EQ(picker.Model().Count(), 100);
  picker.Accept();
  EXPECT_EQ(database.variables.Count(), 100);
  EXPECT_FALSE(picker.DatabaseChanged());
  TFormSelSwitch again(TPickerList::Variables, database, &database);
  messages.answers = {TMessageResult::Yes};
  EXPECT_TRUE(again.ResizeTo(50));
  EXPECT_EQ(again.findChild<QListWidget*>("GroupList")->count(), 3);
  // F5 from the last entry of the first block moves to the next block, F4 back.
  again.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&again));
  again.Model().Select(19);
  QTest::keyClick(&again, Qt::Key_F5);
  QTest::keyClick(&again, Qt::Key_F5, Qt::ControlModifier);
  EXPECT_EQ(again.SelectedId(), 21);
  EXPECT_EQ(again.findChild<QListWidget*>("GroupList")->currentRow(), 1);
  QTest::keyClick(&again, Qt::Key_F4);
  EXPECT_EQ(again.findChild<QLabel*>("IdLabel")->text(), "0020:");
  again.Accept();
  EXPECT_EQ(database.variables.Count(), 50);
  EXPECT_TRUE(again.DatabaseChanged());
  EXPECT_EQ(TSwitchPickerModel::LastId(TPickerList::Variables), 20);
}

TEST_F(CommandDialogs, EachConditionKindShowsItsOwnOperands) {
  auto window = Open<TFormEvCmd12010>(12010, Lines({{12010, 0, "", {0, 5, 1, 0, 0, 0}}, {10, 1}, {22011, 0}}));
  auto shown = [&window](const char* key) {
    auto* combo = window->findChild<QComboBox*>(key);
    return combo->currentData().toInt();
  };
  // The switch is the branch's; the variable kind, never chosen, shows what it would start with.
  EXPECT_EQ(shown("switch"), 5);
  EXPECT_EQ(shown("variable"), 1);
  QTest::mouseClick(window->Kinds()->button(1), Qt::LeftButton, {}, QPoint(4, 4));
  auto* variable = window->findChild<QComboBox*>("variable");
  variable->setCurrentIndex(6);
  emit variable->activated(6);
  EXPECT_EQ(shown("switch"), 5);
  EXPECT_EQ(shown("variable"), 7);
  QTest::mouseClick(window->Kinds()->button(0), Qt::LeftButton, {}, QPoint(4, 4));
  EXPECT_EQ(shown("switch"), 5);
  EXPECT_EQ(shown("variable"), 7);
  window->Accept();
  EXPECT_EQ(window->Lines().LineAt(0)->params, (std::vector<int32_t>{0, 5, 1, 0, 0, 0}));
  // The two timers share their rows: setting Timer 2's time while Timer 1 is chosen chooses Timer 2
  // and leaves Timer 1's time as it was.
  auto timers = Open<TFormEvCmd12010>(12010);
  QTest::mouseClick(timers->Kinds()->button(2), Qt::LeftButton, {}, QPoint(4, 4));
  auto* timer1 = timers->Pages()->widget(0)->findChild<QSpinBox*>("timerMinutes");
  auto* timer2 = timers->Pages()->widget(1)->findChild<QSpinBox*>("timerMinutes");
  timer1->setValue(3);
  timer2->setValue(1);
  EXPECT_EQ(timers->Form().Param(0), 10);
  EXPECT_EQ(timers->Form().Param(1), 60);
  EXPECT_EQ(timer1->value(), 3);
}

// The battle branch: one page of its own kinds, each showing its own operands, the else branch kept
// with its commands.
TEST_F(CommandDialogs, TheBattleBranchShowsEachKindsOwnOperands) {
  database.heroes.SetCount(3);
  const TLcfEventScriptList given =
      Lines({{13310, 0, "", {3, 5, 0, 0, 0, 1}}, {12420, 1}, {23310, 0}, {12420, 1}, {23311, 0}});
  auto window = Open<TFormEvCmd12010>(13310, given);
  EXPECT_EQ(window->Pages()->count(), 1);
  auto enemy = [&window](int kind) {
    return window->Kinds()->button(kind)->parentWidget()->findChildren<QSpinBox*>("enemy").at(kind - 3)->value();
  };
  EXPECT_EQ((std::pair{enemy(3), enemy(4)}), (std::pair{5, 0}));  // kind 4, never chosen, starts at 0
  SaveShot(window.get(), "dlg3-battle-branch.png");
  QTest::mouseClick(window->Kinds()->button(5), Qt::LeftButton, {}, QPoint(4, 4));
  EXPECT_EQ(window->Form().Param(1), 1);  // the first hero
  QTest::mouseClick(window->Kinds()->button(3), Qt::LeftButton, {}, QPoint(4, 4));
  EXPECT_EQ(enemy(3), 5);
  window->Accept();
  EXPECT_EQ(Shape(window->Lines()), Shape(given));
  window->Form().Set("else", 0);
  window->Accept();
  EXPECT_EQ(Shape(window->Lines()), (S{{13310, 0, ""}, {12420, 1, ""}, {23311, 0, ""}}));
}

// On a troop's page the member is chosen from the troop's members; one the troop does not have is
// listed by its number and kept until another is chosen.
TEST_F(CommandDialogs, TheBattleBranchListsTheTroopsMembersAndKeepsOneBeyondThem) {
  database.monsters.SetCount(1);
  database.monsters.ItemAt(0)->name = "Slime";
  TLcfMonGroupItem troop;
  troop.members.SetCount(2);
  static_cast<TLcfMonGroupMonsterItem*>(troop.members.ItemAt(0))->monsterId = 1;
  static_cast<TLcfMonGroupMonsterItem*>(troop.members.ItemAt(1))->monsterId = 9;  // missing
  converter.Troop = &troop;
  struct Row {
    int32_t kind, member;
    QStringList listed;
    int choose;  // the list position chosen, or -1 for none
    int32_t written;
  } rows[] = {
      {3, 1, {"1:Slime", "2:"}, -1, 1},        {4, 0, {"1:Slime", "2:"}, 1, 1},
      {3, 7, {"1:Slime", "2:", "8:?"}, -1, 7}, {4, -1, {"1:Slime", "2:", "0:?"}, -1, -1},
      {4, 5, {"1:Slime", "2:", "6:?"}, 0, 0},
  };
  for (const Row& r : rows) {
    const TLcfEventScriptList given = Lines({{13310, 0, "", {r.kind, r.member, 0, 0, 0, 0}}, {10, 1}, {23311, 0}});
    auto window = Open<TFormEvCmd12010>(13310, given);
    auto* list = window->Kinds()->button(r.kind)->parentWidget()->findChildren<QComboBox*>("enemy").at(r.kind - 3);
    QStringList listed;
    for (int i = 0; i < list->count(); ++i) listed << list->itemText(i);
    EXPECT_EQ(listed, r.listed) << r.member;
    EXPECT_EQ(list->currentText(), r.listed.value(r.member >= 0 && r.member < 2 ? r.member : 2)) << r.member;
    if (r.choose >= 0) {
      list->setCurrentIndex(r.choose);
      emit list->activated(r.choose);
    }
    window->Accept();
    std::vector<int32_t> written = given.LineAt(0)->params;
    written[1] = r.written;
    EXPECT_EQ(window->Lines().LineAt(0)->params, written) << r.member;
  }
  converter.Troop = nullptr;
}

// The colour windows: the strip follows the colour, a tint on the samples or a flash laid over them.
TEST_F(CommandDialogs, TheColourStripFollowsTintAndFlash) {
  for (int32_t code : {11030, 11040, 11320}) {
    auto window = Open<TFormEvCmd11030>(code);
    if (auto* strength = window->findChild<QSpinBox*>("strength")) strength->setValue(31);
    const QImage strong = window->Bar()->Image();
    auto* red = window->findChild<QSpinBox*>("red");
    red->setValue(red->value() == 0 ? 31 : 0);
    EXPECT_NE(window->Bar()->Image(), strong) << code;
    if (code == 11040) SaveShot(window.get(), "dlg3-flash-screen.png");
  }
}

// Shake strength and speed are named scales; a stored value off the scale is shown by its number
// and kept; "Cease Shaking" turns the scales off.
TEST_F(CommandDialogs, ShakeScalesKeepAValueOffTheScale) {
  const std::vector<int32_t> stored{12, 5, 10, 0, 0};
  auto window = Open<TFormEvCmd11050>(11050, Lines({{11050, 0, "", stored}}));
  EXPECT_EQ(window->Slider("strength")->value(), 9);
  EXPECT_EQ(window->findChild<QSpinBox*>("strength")->value(), 12);
  window->Accept();
  EXPECT_EQ(window->Lines().LineAt(0)->params, stored);
  window->Slider("speed")->setValue(9);
  window->findChild<QAbstractButton*>("mode2")->click();
  EXPECT_FALSE(window->Slider("strength")->isEnabled());
  SaveShot(window.get(), "dlg3-shake-screen.png");
  window->Accept();
  EXPECT_EQ(window->Lines().LineAt(0)->params, (std::vector<int32_t>{12, 9, 10, 0, 2}));
}

// Change Battle Background runs "Select Battle Background" as its window: OK builds the line from
// it, Cancel keeps the script.
TEST_F(CommandDialogs, ChangeBattleBackgroundRunsTheBackdropPicker) {
  QString title;
  for (bool ok : {true, false}) {
    TFormEvCmdMaterial::pickerHook = [&](QDialog& picker) {
      title = picker.windowTitle();
      static_cast<TFormSelMaterial&>(picker).materialName = "Night Sky";
      ok ? picker.accept() : picker.reject();
    };
    auto window = Open<TFormEvCmdMaterial>(13210, Lines({{13210, 0, "Gone Backdrop", {}}}));
    EXPECT_EQ(window->Execute(), ok);
    EXPECT_EQ(title, "Select Battle Background");
    if (ok) {
      EXPECT_EQ(Shape(window->Lines()), (S{{13210, 0, "Night Sky"}}));
    }
  }
  TFormEvCmdMaterial::pickerHook = nullptr;
}

TEST_F(CommandDialogs, FadeOutBgmIsEnteredInSecondsAndStoredInMilliseconds) {
  // A stored time of no whole second shows its seconds and is kept untouched.
  auto kept = Open<TFormEvCmd11520>(11520, Lines({{11520, 0, "", {1500}}}));
  EXPECT_EQ(kept->Seconds()->value(), 1);
  kept->Accept();
  EXPECT_EQ(kept->Lines().LineAt(0)->Param(0), 1500);
  auto window = Open<TFormEvCmd11520>(11520, Lines({{11520, 0, "", {1500}}}));
  window->Seconds()->setValue(20);
  window->Accept();
  EXPECT_EQ(window->Lines().LineAt(0)->Param(0), 20000);
  EXPECT_EQ(window->Seconds()->maximum(), 20);
}

TEST_F(CommandDialogs, PlaySoundEffectRunsThePickerAndRemembersTheLastSound) {
  std::vector<std::string> offered;
  TFormEvCmd11550::pickerHook = [&offered](TFormSelSound& picker) {
    offered.push_back(picker.Sound().name);
    picker.Sound().name = "bell";
    picker.Sound().volume = 80;
    picker.accept();
  };
  auto window = Open<TFormEvCmd11550>(11550);
  ASSERT_TRUE(window->Execute());
  EXPECT_EQ(window->Lines().LineAt(0)->text, "bell");
  EXPECT_EQ(window->Lines().LineAt(0)->params, (std::vector<int32_t>{80, 100, 50}));
  // The next new one opens on it; cancelled, it makes no line.
  TFormEvCmd11550::pickerHook = [&offered](TFormSelSound& picker) {
    offered.push_back(picker.Sound().name);
    picker.reject();
  };
  EXPECT_FALSE(Open<TFormEvCmd11550>(11550)->Execute());
  TFormEvCmd11550::pickerHook = nullptr;
  EXPECT_EQ(offered, (std::vector<std::string>{"(OFF)", "bell"}));
}

TEST_F(CommandDialogs, BattleAnimationTargetsDeriveTheTargetAndKeepAStaleOne) {
  database.monsters.SetCount(2);
  database.monsters.ItemAt(0)->name = "Slime";
  database.heroes.SetCount(2);
  TLcfMonGroupItem troop;
  troop.members.SetCount(3);
  static_cast<TLcfMonGroupMonsterItem*>(troop.members.ItemAt(0))->monsterId = 1;
  static_cast<TLcfMonGroupMonsterItem*>(troop.members.ItemAt(1))->monsterId = 9;  // missing
  static_cast<TLcfMonGroupMonsterItem*>(troop.members.ItemAt(2))->monsterId = 2;
  converter.Troop = &troop;
  const TBattleAnimationTargets list = BattleAnimationTargets(converter);
  EXPECT_EQ(list.texts.mid(0, 5), (QStringList{"All Enemies", "1:Slime", "2:", "3:", "Entire Party"}));
  // Each position: p1 and p3 after choosing it.
  struct Row {
    int position;
    int32_t target, side;
  } rows[] = {{0, -1, 0}, {2, 1, 0}, {4, -1, 1}, {6, 2, 1}};
  for (const Row& r : rows) {
    auto window = Open<TFormEvCmd13260>(13260);
    window->Targets()->setCurrentIndex(r.position);
    emit window->Targets()->activated(r.position);
    window->Accept();
    const TLcfEventScriptLine& line = *window->Lines().LineAt(0);
    EXPECT_EQ((std::tuple{line.Param(1), line.Param(3), line.Param(4)}), (std::tuple{r.target, r.side, r.position}))
        << r.position;
  }
  // The third member was stored at position 3; the troop lost it, so position 3 now names another
  // target: the line is kept and the list says so.
  troop.members.SetCount(2);
  const TLcfEventScriptList stale = Lines({{13260, 0, "", {4, 2, 1, 0, 3}}});
  auto window = Open<TFormEvCmd13260>(13260, stale);
  EXPECT_TRUE(window->StaleTarget());
  EXPECT_TRUE(window->Targets()->currentText().contains("no longer")) << window->Targets()->currentText().toStdString();
  window->Accept();
  EXPECT_EQ(window->Lines().LineAt(0)->params, (std::vector<int32_t>{4, 2, 1, 0, 3}));
  converter.Troop = nullptr;
}

TEST_F(CommandDialogs, PictureTransformationsOneEffectAtATimeAndTheStripFollows) {
  const TLcfEventScriptList given =
      Lines({{11110, 0, "pic", {1, 0, 0, 0, 0, 100, 0, 1, 100, 100, 100, 100, 0, 0, 0, 0}}});
  auto window = Open<TFormEvCmd11110>(11110, given);
  QImage before, after;
  TFormEvCmd11110::transformationsHook = [&](QDialog& sub) {
    auto* bar = sub.findChild<TColorBar*>();
    before = bar->Image();
    sub.findChild<QSlider*>("redSlider")->setValue(0);
    after = bar->Image();
    sub.findChild<QAbstractButton*>("effect1")->click();  // Rotation
    EXPECT_TRUE(sub.findChild<QSpinBox*>("rotation")->isEnabled());
    EXPECT_FALSE(sub.findChild<QSpinBox*>("waver")->isEnabled());
    sub.findChild<QAbstractButton*>("effect2")->click();  // Waver: rotation is off
    EXPECT_FALSE(sub.findChild<QSpinBox*>("rotation")->isEnabled());
    sub.accept();
  };
  EXPECT_TRUE(window->RunTransformations());
  // Cancelled, the window changes nothing.
  TFormEvCmd11110::transformationsHook = [](QDialog& sub) {
    sub.findChild<QSlider*>("greenSlider")->setValue(0);
    sub.reject();
  };
  EXPECT_FALSE(window->RunTransformations());
  TFormEvCmd11110::transformationsHook = nullptr;
  EXPECT_NE(before, after);
  EXPECT_EQ(window->Summary(), "R0 G100 B100 S100, Waver 1");
  window->Accept();
  const TLcfEventScriptLine& line = *window->Lines().LineAt(0);
  EXPECT_EQ((std::vector<int32_t>(line.params.begin() + 8, line.params.begin() + 14)),
            (std::vector<int32_t>{0, 100, 100, 100, 2, 1}));
  EXPECT_EQ(line.text, "pic");
}

// The codes of messages, flow control, the party and hero statistics, the battle group, the screen,
// pictures, sound and movies, and the battle-only commands.
constexpr int32_t kCodes[] = {1005,  1006,  1007,  1008,  1009,  10110, 10120, 10130, 10140, 10150, 10210, 10220,
                              10230, 10310, 10320, 10330, 10410, 10420, 10430, 10440, 10450, 10460, 10470, 10480,
                              10490, 10500, 11410, 11610, 12010, 12110, 12120, 12210, 12220, 12310, 12320, 12330,
                              12410, 12420, 12510, 11010, 11020, 11030, 11040, 11050, 11060, 11070, 11110, 11120,
                              11130, 11210, 11310, 11320, 11340, 11350, 11510, 11520, 11530, 11540, 11550, 11560,
                              13110, 13120, 13130, 13150, 13210, 13260, 13310, 13410};

// Lines of a code with edge values, each as a whole command.
std::vector<TLcfEventScriptList> EdgeLines(int32_t code) {
  const TEventCommandInfo* info = FindEventCommand(code);
  std::vector<TLcfEventScriptList> out;
  for (const std::vector<int32_t>& params : test::EdgeParameterSets(code)) {
    const L opener(code, 0, info->continuation ? "A line of text" : "", params);
    if (info->continuation) {
      TLcfEventScriptList lines;
      lines.AppendLine(opener);
      for (const char* more : {"2", "", "4", "5", "six"}) lines.AppendLine(L(info->continuation, 0, more));
      out.push_back(lines);
    } else {
      out.push_back(BuildCommand(opener));
    }
  }
  return out;
}

TEST(FormCheck, EveryLineOfTheseCommandsWithEdgeValuesComesBackIdentical) {
  test::TEditorProject project;
  project.Make();
  TLcfDataBase database;
  ASSERT_TRUE(database.LoadDatabase(project.Folder()));
  RegisterEventCommandWindows();
  TLcfEventScriptList& script = database.commonEvents.ItemAt(0)->lines;
  script.ClearLines();
  if (database.troops.Count() == 0) database.troops.Obtain(1);
  auto* troop = database.troops.ItemAt(0);
  if (troop->pages.Count() == 0) troop->pages.Obtain(1);
  TLcfEventScriptList& battle = troop->pages.ItemAt(0)->lines;
  battle.ClearLines();
  int commands = 0;
  for (int32_t code : kCodes)
    for (const TLcfEventScriptList& lines : EdgeLines(code)) {
      TLcfEventScriptList& into = code < 10000 || code >= 13000 ? battle : script;
      into.InsertLinesFrom(into.Count(), lines, 0);
      ++commands;
    }
  // Inside a branch, two levels deep.
  for (const L& line : {L(12210, 0), L(12010, 1, "", {0, 1, 0, 0, 0, 1}), L(12420, 2, "x"), L(10, 2), L(22010, 1),
                        L(10, 2), L(22011, 1), L(10, 1), L(22210, 0)})
    script.AppendLine(line);
  commands += 3;  // the loop, the branch and the comment
  script.AppendLine(L(0, 0));
  battle.AppendLine(L(0, 0));
  ASSERT_TRUE(database.SaveDatabase(project.Folder(), project.Folder()));
  std::ostringstream out;
  const TFormCheckResult result = CheckCommands(project.Folder(), out);
  std::cout << "edge project: " << out.str();
  EXPECT_TRUE(result.Passed()) << out.str();
  EXPECT_EQ(result.checked, commands) << out.str();
  EXPECT_EQ(result.notOpened, 0) << out.str();
}

}  // namespace
