// The field binder and the command windows built from the parameter schema: a window accepted
// untouched gives back the line it was given, out-of-range values included; the author's changes
// reach the line; rows follow their enabling rules; and the form check finds every line of a
// project identical.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QSpinBox>
#include <QTest>
#include <sstream>

#include "EditorProject.h"
#include "database/DataBaseObj.h"
#include "script/CommandSchema.h"
#include "script/EventCommandLines.h"
#include "script/EventCommands.h"
#include "tools/formcheck/FormCheck.h"
#include "ui/script/CommandDialogs.h"
#include "ui/script/FormEvCmdBase.h"

using namespace tess;

namespace {

constexpr int32_t kTimer = 10230;

struct CommandWindow : ::testing::Test {
  TLcfDataBase database;
  TEventScriptConverter converter{database};
  TCommandDialogContext context{converter, nullptr};

  void SetUp() override {
    database.ResetDatabase();
    TCommandForm::ForgetAll();
  }
  std::unique_ptr<TFormEvCmdBase> Open(const TLcfEventScriptList& lines, int32_t code) {
    auto window = MakeCommandDialog(code, lines, context);
    EXPECT_NE(window, nullptr) << code;
    return window;
  }
  static const TFieldRow* RowOfKind(TCommandForm& form, TFieldKind kind) {
    for (const TFieldRow& row : form.Rows())
      if (row.kind == kind) return &row;
    return nullptr;
  }
};

TLcfEventScriptList OneLine(int32_t code, std::vector<int32_t> params, int depth = 0, std::string text = {}) {
  TLcfEventScriptList lines;
  lines.AppendLine(TLcfEventScriptLine(code, depth, std::move(text), std::move(params)));
  return lines;
}

}  // namespace

// Accepted untouched, a timer line comes back as it was: stored values beyond the controls' ranges,
// the extremes of the stored integers, and an older line that lacked parameters (they come back as
// 0, the one change allowed).
TEST_F(CommandWindow, UntouchedTimerLinesComeBack) {
  const int32_t lo = INT32_MIN, hi = INT32_MAX;
  const struct {
    std::vector<int32_t> given, back;
  } cases[] = {
      {{0, 0, 125, 1, 0, 0}, {0, 0, 125, 1, 0, 0}},         {{0, 1, 7, 0, 1, 1}, {0, 1, 7, 0, 1, 1}},
      {{0, 0, 99999, 0, 0, 0}, {0, 0, 99999, 0, 0, 0}},     {{9, 7, -5, 3, 2, 9}, {9, 7, -5, 3, 2, 9}},
      {{lo, hi, lo, hi, lo, hi}, {lo, hi, lo, hi, lo, hi}}, {{1}, {1, 0, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.given));
    auto window = Open(OneLine(kTimer, c.given, 3), kTimer);
    ASSERT_NE(window, nullptr);
    window->Accept();
    ASSERT_EQ(window->Lines().Count(), 1);
    EXPECT_EQ(*window->Lines().LineAt(0), TLcfEventScriptLine(kTimer, 0, "", c.back));
  }
}

// Minutes and seconds typed into the timer's controls store minutes * 60 + seconds; the variable
// that may stand in their place is offered only when the value comes from a variable.
TEST_F(CommandWindow, TimerSecondsAreTypedAsMinutesAndSeconds) {
  auto window = Open({}, kTimer);
  ASSERT_NE(window, nullptr);
  window->show();
  const TFieldRow* seconds = RowOfKind(window->Form(), TFieldKind::Seconds);
  const TFieldRow* variable = RowOfKind(window->Form(), TFieldKind::Variable);
  ASSERT_TRUE(seconds && variable);
  QWidget* control = window->Binder().Control(seconds->key);
  auto* minutesBox = control->findChild<QSpinBox*>(QString("%1Minutes").arg(seconds->key));
  auto* secondsBox = control->findChild<QSpinBox*>(QString("%1Seconds").arg(seconds->key));
  ASSERT_TRUE(minutesBox && secondsBox);
  for (auto [box, text] : {std::pair{minutesBox, "2"}, std::pair{secondsBox, "5"}}) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
  }
  EXPECT_EQ(window->Form().Value(*seconds), 125);
  EXPECT_TRUE(control->isEnabled());
  QWidget* variableBox = window->Binder().Control(variable->key);
  EXPECT_FALSE(variableBox->isEnabled());
  // The row that chooses between them is a radio group whose buttons are named after its key.
  ASSERT_NE(variable->whenKey, nullptr);
  auto click = [&](int choice) {
    auto* button = window->findChild<QAbstractButton*>(QString("%1%2").arg(variable->whenKey).arg(choice));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
  };
  click(1);
  EXPECT_TRUE(variableBox->isEnabled());
  EXPECT_FALSE(control->isEnabled());
  click(0);
  EXPECT_TRUE(control->isEnabled());
  window->Accept();
  EXPECT_EQ(window->Lines().LineAt(0)->Param(2), 125);
  // What OK confirmed is what the next new timer command opens on.
  auto next = Open({}, kTimer);
  EXPECT_EQ(next->Form().Param(2), 125);
}

// An id that names nothing is listed as missing and kept, never replaced by the first entry.
TEST_F(CommandWindow, MissingEntriesAreShownAndKept) {
  for (const TCommandSchema& schema : CommandSchemas()) {
    const TEventCommandInfo* info = FindEventCommand(schema.code);
    if (!info || info->continuation != 0) continue;
    for (const TFieldRow& row : schema.rows) {
      if (!IsEntryKind(row.kind) && row.kind != TFieldKind::Switch && row.kind != TFieldKind::Variable) continue;
      if (row.index < 0 || row.whenKey) continue;
      SCOPED_TRACE(std::to_string(schema.code) + " " + row.key);
      TLcfEventScriptList lines = NewCommandLines(schema.code);
      lines.LineAt(0)->SetParamCount(std::max(lines.LineAt(0)->ParamCount(), row.index + 1));
      lines.LineAt(0)->params[static_cast<size_t>(row.index)] = 9876;
      auto window = Open(lines, schema.code);
      if (!window) continue;
      if (auto* combo = qobject_cast<QComboBox*>(window->Binder().Control(row.key))) {
        EXPECT_EQ(combo->currentText().toStdString(), "9876:? (missing)");
      }
      window->Accept();
      EXPECT_EQ(window->Lines().LineAt(0)->Param(row.index), 9876);
      return;  // one command is enough: every list is built by the same binder
    }
  }
  FAIL() << "no command has an entry id row";
}

// The form check over a project whose common event holds a new line of every command with a window
// and timer lines with edge values: every line comes back identical.
TEST(FormCheck, EveryCommandLineOfAProjectComesBackIdentical) {
  test::TEditorProject project;
  project.Make();
  TLcfDataBase database;
  ASSERT_TRUE(database.LoadDatabase(project.Folder()));
  TLcfEventScriptList& script = database.commonEvents.ItemAt(0)->lines;
  script.ClearLines();
  int commands = 0;
  for (const TEventCommandInfo& info : EventCommands()) {
    if (info.role != TCommandRole::Command) continue;
    TLcfEventScriptList lines = NewCommandLines(info.code);
    if (lines.Count() == 0) continue;
    script.InsertLinesFrom(script.Count(), lines, 0);
    ++commands;
  }
  for (std::vector<int32_t> params : {std::vector<int32_t>{0, 0, 5999, 1, 1, 1}, {2, 1, -1}, {1}}) {
    script.AppendLine(TLcfEventScriptLine(kTimer, 0, "", params));
    ++commands;
  }
  script.AppendLine(TLcfEventScriptLine(0, 0));
  ASSERT_TRUE(database.SaveDatabase(project.Folder(), project.Folder()));
  std::ostringstream out;
  const TFormCheckResult result = CheckCommands(project.Folder(), out);
  EXPECT_TRUE(result.Passed()) << out.str();
  EXPECT_EQ(result.checked, commands) << out.str();
  EXPECT_EQ(result.identical + result.notOpened, result.checked) << out.str();
  EXPECT_GE(result.identical, 4) << out.str();
  EXPECT_EQ(out.str().substr(0, out.str().find(' ')), std::to_string(commands));
}
