// The parameter schema of every command and the working copy its dialog edits: rows that name real
// parameters, new lines equal to the catalogue's, lines that come back as they went in, one enabled
// row per parameter, and the rules a form applies when the author changes it.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <stdexcept>
#include <string>

#include "script/CommandSchema.h"
#include "script/EventCommands.h"

using namespace tess;

namespace {

using L = TLcfEventScriptLine;
using P = std::vector<int32_t>;

std::vector<int32_t> CommandCodes() {
  std::vector<int32_t> codes;
  for (const TEventCommandInfo& info : EventCommands())
    if (info.role == TCommandRole::Command) codes.push_back(info.code);
  return codes;
}

// Parameters no control edits: they always hold the same value, or are carried over as they are.
const std::map<int32_t, std::set<int>> kFixedParams = {{1008, {0}},   {1009, {0}},     {10720, {3}},
                                                       {11110, {15}}, {11120, {4, 7}}, {11610, {2}}};

bool IsMaterial(TFieldKind kind) {
  return kind == TFieldKind::Music || kind == TFieldKind::Sound || kind == TFieldKind::Picture;
}

// The parameters a row edits (kStringIndex for the line's string): operands and targets keep
// their value further on, music and sound references their levels.
std::vector<int> ParamsOf(const TFieldRow& row) {
  std::vector<int> params{row.index};
  const int fields = row.kind == TFieldKind::Music                                       ? 4
                     : row.kind == TFieldKind::Sound                                     ? 3
                     : row.kind == TFieldKind::Operand || row.kind == TFieldKind::Target ? 1
                                                                                         : 0;
  for (int i = 0; i < fields; ++i) params.push_back(row.valueIndex + i);
  return params;
}

// The values a row that others depend on can take.
std::vector<int32_t> ValuesOf(const TFieldRow& row) {
  if (row.kind == TFieldKind::Flag) return {0, 1};
  std::vector<int32_t> values;
  for (const TFieldChoice& c : row.choices) values.push_back(c.value);
  return values;
}

class CommandSchemaTest : public ::testing::TestWithParam<int32_t> {
 protected:
  void SetUp() override { TCommandForm::ForgetAll(); }
  void TearDown() override { TCommandForm::ForgetAll(); }
  const TEventCommandInfo& Info() const { return *FindEventCommand(GetParam()); }
  const TCommandSchema* Schema() const { return FindCommandSchema(GetParam()); }
  L Defaults() const {
    return L(Info().code, 0, Info().defaultText, P(Info().defaults, Info().defaults + Info().paramCount));
  }
};

TEST_P(CommandSchemaTest, RowsNameRealParameters) {
  const TEventCommandInfo& info = Info();
  // Exactly the commands with a dialog have something to edit.
  ASSERT_EQ(Schema() != nullptr, info.hasDialog);
  if (!Schema()) return;
  EXPECT_EQ(Schema()->code, info.code);
  std::set<std::string> keys;
  std::set<int> covered;
  for (const TFieldRow& row : Schema()->rows) {
    SCOPED_TRACE(row.key);
    EXPECT_TRUE(keys.insert(row.key).second) << "duplicate key";
    EXPECT_FALSE(std::string(row.key).empty());
    EXPECT_LE(row.min, row.max);
    const bool onString = row.kind == TFieldKind::Text || IsMaterial(row.kind);
    if (onString) {
      EXPECT_EQ(row.index, kStringIndex);
    } else {
      EXPECT_GE(row.index, 0);
      EXPECT_LT(row.index, info.paramCount);
    }
    EXPECT_EQ(IsMaterial(row.kind), row.folder != nullptr);
    const std::vector<int> params = ParamsOf(row);
    if (params.size() > 1) {
      EXPECT_GE(row.valueIndex, 0);
      EXPECT_NE(row.valueIndex, row.index);
      EXPECT_LE(params.back(), info.paramCount - 1);
    } else {
      EXPECT_EQ(row.valueIndex, -1);
    }
    covered.insert(params.begin(), params.end());
    if (row.kind == TFieldKind::Choice) {
      ASSERT_FALSE(row.choices.empty());
      std::set<int32_t> values;
      for (const TFieldChoice& c : row.choices) {
        EXPECT_TRUE(values.insert(c.value).second) << c.caption;
        EXPECT_FALSE(std::string(c.caption).empty());
      }
      EXPECT_EQ(*values.begin(), row.min);
      EXPECT_EQ(*values.rbegin(), row.max);
    }
    if (row.whenKey) {
      EXPECT_STRNE(row.whenKey, row.key);
      const TFieldRow* when = nullptr;
      for (const TFieldRow& other : Schema()->rows)
        if (std::string(other.key) == row.whenKey) when = &other;
      ASSERT_NE(when, nullptr) << row.whenKey;
      EXPECT_FALSE(row.whenValues.empty());
      EXPECT_FALSE(ValuesOf(*when).empty()) << "depends on a row without a set of values";
    }
  }
  // Every parameter of the command has a row, except those no control edits.
  const auto fixed = kFixedParams.find(info.code);
  for (int i = 0; i < info.paramCount; ++i) {
    const bool isFixed = fixed != kFixedParams.end() && fixed->second.count(i) > 0;
    EXPECT_NE(covered.count(i) > 0, isFixed) << "p" << i;
  }
}

TEST_P(CommandSchemaTest, NewCommandsOpenOnTheCatalogueDefaults) {
  if (!Schema()) return;
  TCommandForm form(GetParam());
  EXPECT_EQ(form.ToLine(), Defaults());
  // The defaults are values the controls offer; a new command may name no map yet.
  for (const TFieldRow& row : form.Rows()) {
    if (!form.Enabled(row) || row.index == kStringIndex) continue;
    SCOPED_TRACE(row.key);
    const int32_t v = form.Value(row);
    if (row.kind == TFieldKind::Choice || row.kind == TFieldKind::Operand || row.kind == TFieldKind::Target) {
      EXPECT_TRUE(std::any_of(row.choices.begin(), row.choices.end(), [v](const TFieldChoice& c) {
        return c.value == v;
      })) << v;
      if (row.kind == TFieldKind::Operand && v == 0) {
        EXPECT_GE(form.Param(row.valueIndex), row.min);
        EXPECT_LE(form.Param(row.valueIndex), row.max);
      }
    } else if (!(row.kind == TFieldKind::Map && v == 0)) {
      EXPECT_GE(v, row.min);
      EXPECT_LE(v, row.max);
    }
  }
  EXPECT_FALSE(form.Changed());
  EXPECT_EQ(form.Accept(), Defaults());
}

TEST_P(CommandSchemaTest, LinesComeBackAsTheyWentIn) {
  const TEventCommandInfo& info = Info();
  std::mt19937 random(static_cast<uint32_t>(info.code));
  std::uniform_int_distribution<int32_t> anyValue(-20000, 20000);
  for (int round = 0; round < 20; ++round) {
    // Full lines, longer ones (goods, routes, or files written by other tools) and out-of-range
    // values all come back unchanged, also through OK on an untouched form.
    L line(info.code, round % 4, round % 2 ? "Some text" : "", {});
    line.SetParamCount(info.paramCount + round % 3);
    for (int32_t& p : line.params) p = round == 0 ? 123456789 : round == 1 ? -7 : anyValue(random);
    TCommandForm form(line);
    EXPECT_EQ(form.ToLine(), line) << round;
    EXPECT_EQ(form.Accept(), line) << round;
    // An older, shorter line gains its missing parameters as 0 (the older layouts that do not are
    // checked below).
    if (info.code == 11610 || info.code == 13260 || info.paramCount == 0) continue;
    L shorter = line;
    shorter.SetParamCount(static_cast<int>(random() % static_cast<uint32_t>(info.paramCount)));
    L padded = shorter;
    padded.SetParamCount(info.paramCount);
    EXPECT_EQ(TCommandForm(shorter).ToLine(), padded) << shorter.ParamCount();
  }
}

TEST_P(CommandSchemaTest, EachParameterHasOneEnabledRow) {
  if (!Schema()) return;
  // Every combination of the values that rows depend on.
  std::vector<const TFieldRow*> governing;
  for (const TFieldRow& row : Schema()->rows)
    for (const TFieldRow& other : Schema()->rows)
      if (other.whenKey && std::string(other.whenKey) == row.key) {
        governing.push_back(&row);
        break;
      }
  std::set<std::string> everEnabled;
  std::vector<size_t> at(governing.size(), 0);
  for (;;) {
    TCommandForm form(GetParam());
    for (size_t i = 0; i < governing.size(); ++i) form.Set(*governing[i], ValuesOf(*governing[i])[at[i]]);
    std::map<int, std::string> owner;
    for (const TFieldRow& row : form.Rows()) {
      if (!form.Enabled(row)) continue;
      everEnabled.insert(row.key);
      for (int index : ParamsOf(row)) {
        const auto [it, fresh] = owner.emplace(index, row.key);
        EXPECT_TRUE(fresh) << row.key << " and " << it->second << " both edit p" << index;
      }
    }
    size_t i = 0;
    while (i < at.size() && ++at[i] == ValuesOf(*governing[i]).size()) at[i++] = 0;
    if (i == at.size()) break;
  }
  for (const TFieldRow& row : Schema()->rows) EXPECT_TRUE(everEnabled.count(row.key)) << row.key << " is never enabled";
}

INSTANTIATE_TEST_SUITE_P(Catalogue, CommandSchemaTest, ::testing::ValuesIn(CommandCodes()),
                         [](const ::testing::TestParamInfo<int32_t>& info) { return std::to_string(info.param); });

// Older layouts whose missing parameters do not read as 0.
TEST(CommandSchema, OlderLayoutsKeepTheirMeaning) {
  struct Case {
    L line;
    P expected;
  };
  const Case cases[] = {
      // All four direction keys came from one parameter.
      {L(11610, 0, "", {3, 1, 1, 0, 1}), {3, 1, 1, 0, 1, 0, 0, 0, 0, 0, 1, 1, 1, 1}},
      {L(11610, 0, "", {3, 1, 0, 1, 1, 0, 0, 5, 1, 1}), {3, 1, 0, 1, 1, 0, 0, 5, 1, 1, 0, 0, 0, 0}},
      // The target position follows from the monster target: "All Enemies", then the members.
      {L(13260, 0, "", {4, 2, 1}), {4, 2, 1, 0, 3}},
      {L(13260, 0, "", {4, -1, 0}), {4, -1, 0, 0, 0}},
      // A party target's position depends on the troop; the dialog sets it.
      {L(13260, 0, "", {4, 3, 0, 1}), {4, 3, 0, 1, 0}},
  };
  for (const Case& c : cases) {
    TCommandForm form(c.line);
    EXPECT_FALSE(form.Changed());
    // Untouched, an older line goes back as it came (at most with zeros added where a missing
    // parameter does mean 0).
    P untouched = form.ToLine().params;
    P given = c.line.params;
    given.resize(std::max(given.size(), untouched.size()));
    EXPECT_EQ(untouched, given) << c.line.ParamCount();
    // Once changed, it is written in the present layout, with what the window showed.
    form.SetParam(0, form.Param(0));
    EXPECT_EQ(form.ToLine().params, c.expected) << c.line.ParamCount();
  }
  EXPECT_EQ(TCommandForm(L(11610, 0, "", {3, 1, 1, 0, 1})).Value("left"), 1);
}

TEST(CommandSchema, ChangesFollowTheCommandsRules) {
  struct Case {
    L line;
    const char* key;
    int32_t value;
    P whileEditing;  // after the change
    P confirmed;     // after OK
  };
  const Case cases[] = {
      // A single switch keeps its last switch equal to its first; one held in a variable has none.
      {L(10210, 0, "", {0, 5, 9, 0}), "switch", 7, {0, 7, 7, 0}, {0, 7, 7, 0}},
      {L(10210, 0, "", {1, 5, 9, 0}), "target", 2, {2, 5, 9, 0}, {2, 5, 0, 0}},
      {L(10220, 0, "", {0, 3, 3, 0, 3, 1, 10}), "operand", 0, {0, 3, 3, 0, 0, 1, 10}, {0, 3, 3, 0, 0, 1, 0}},
      // The entire party names no hero.
      {L(10410, 0, "", {1, 4, 0, 0, 10, 0}), "target", 0, {0, 4, 0, 0, 10, 0}, {0, 0, 0, 0, 10, 0}},
      // A constant statistic change is capped at 999 at OK, except for Max HP.
      {L(10430, 0, "", {0, 0, 0, 2, 0, 5000}), "operation", 1, {0, 0, 1, 2, 0, 5000}, {0, 0, 1, 2, 0, 999}},
      {L(10430, 0, "", {0, 0, 0, 2, 0, 5000}), "statistic", 0, {0, 0, 0, 0, 0, 5000}, {0, 0, 0, 0, 0, 5000}},
      {L(10430, 0, "", {0, 0, 0, 2, 1, 5000}), "operation", 1, {0, 0, 1, 2, 1, 5000}, {0, 0, 1, 2, 1, 5000}},
      {L(10450, 0, "", {0, 0, 1, 2, 7}), "slot", 3, {0, 0, 1, 3, 7}, {0, 0, 1, 3, 0}},
      {L(10500, 0, "", {0, 0, 10, 100, 100, 0, 0, 12}),
       "attack",
       5,
       {0, 0, 5, 100, 100, 0, 0, 12},
       {0, 0, 5, 100, 100, 0, 0, 0}},
      {L(12330, 0, "", {0, 3, 4}), "commonEvent", 2, {0, 2, 4}, {0, 2, 0}},
      // A branch keeps only its condition's operands and text.
      {L(12010, 0, "Alex", {5, 1, 1, 7, 2, 1}), "kind", 3, {3, 1, 1, 7, 2, 1}, {3, 1, 1, 0, 0, 1}},
      // A picture without an effect has no effect speed.
      {L(11110, 0, "", {1, 0, 0, 0, 0, 100, 0, 0, 100, 100, 100, 100, 1, 5, 0, 0}),
       "effect",
       0,
       {1, 0, 0, 0, 0, 100, 0, 0, 100, 100, 100, 100, 0, 5, 0, 0},
       {1, 0, 0, 0, 0, 100, 0, 0, 100, 100, 100, 100, 0, 0, 0, 0}},
      // Values outside a row's range are the author's to set: the control limits them, not the form.
      {L(11130, 0, "", {1}), "picture", 500, {500}, {500}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.line.code) + " " + c.key);
    TCommandForm form(c.line);
    form.Set(c.key, c.value);
    EXPECT_EQ(form.ToLine().params, c.whileEditing);
    const L confirmed = form.Accept();
    EXPECT_EQ(confirmed.params, c.confirmed);
    EXPECT_EQ(confirmed.text, c.line.code == 12010 ? "" : c.line.text);  // the hero's name test is gone
  }
  // A backdrop file is kept only with a specific background.
  TCommandForm encounter(L(10710, 0, "Castle", {0, 1, 1, 0, 0, 0, 0, 1, 1}));
  encounter.Set("escape", 1);
  EXPECT_EQ(encounter.Accept().text, "Castle");
  encounter.Set("background", 0);
  EXPECT_EQ(encounter.Text(), "Castle");  // kept while the author may switch back
  EXPECT_EQ(encounter.Accept().text, "");
}

TEST(CommandSchema, RowsAreEnabledByTheRowsTheyDependOn) {
  struct Case {
    L line;
    const char* key;
    bool enabled;
  };
  const Case cases[] = {
      {L(10230, 0, "", {0, 0, 60}), "time", true},
      {L(10230, 0, "", {0, 1, 60}), "time", false},
      {L(10230, 0, "", {1, 0, 60}), "time", false},  // the time of a timer being started means nothing
      {L(10450, 0, "", {0, 0, 1, 0, 3}), "item", false},
      {L(11720, 0, "", {0, 0, 1, 4}), "horizontalSpeed", false},
      {L(11720, 0, "", {1, 0, 1, 4}), "horizontalSpeed", true},
      {L(11040, 0, "", {31, 31, 31, 31, 5, 0, 2}), "red", false},
      {L(12010, 0, "", {5, 1, 1}), "heroName", true},
      {L(12010, 0, "", {4, 1, 1}), "heroName", false},
  };
  for (const Case& c : cases) {
    TCommandForm form(c.line);
    EXPECT_EQ(form.Enabled(*form.FindRow(c.key)), c.enabled) << c.line.code << " " << c.key;
  }
  EXPECT_THROW(TCommandForm(10150).Value("nothing"), std::logic_error);
}

TEST(CommandSchema, NewCommandsOpenOnTheLastConfirmedValues) {
  TCommandForm::ForgetAll();
  TCommandForm digits(L(10150, 3, "", {3, 9}));
  digits.Accept();
  EXPECT_EQ(TCommandForm(10150).ToLine(), L(10150, 0, "", {3, 9}));
  // Not the goods of a shop nor the route of a move; a new move keeps target and frequency only.
  TCommandForm(L(10720, 0, "", {1, 2, 0, 0, 5, 6})).Accept();
  EXPECT_EQ(TCommandForm(10720).ToLine().params, (P{1, 2, 0, 0}));
  TCommandForm(L(11330, 0, "", {10001, 5, 1, 1, 0, 1})).Accept();
  EXPECT_EQ(TCommandForm(11330).ToLine().params, (P{10001, 5, 0, 0}));
  TCommandForm::ForgetAll();
  EXPECT_EQ(TCommandForm(10150).ToLine().params, (P{1, 1}));
}

}  // namespace
