// The event search's match rules, one row per code: a line that matches and one that just misses.
#include <gtest/gtest.h>

#include <set>

#include "events/LD_EventScript.h"
#include "script/EventCommands.h"

using namespace tess;

namespace {

enum class TRule { Variable, Switch };

struct TMatchRow {
  TRule rule;
  int32_t code;
  std::vector<int32_t> matches;  // the parameters of a line that uses id 7
  std::vector<int32_t> misses;   // the nearest line that does not
};

bool Finds(TRule rule, int32_t code, const std::vector<int32_t>& params, int32_t id = 7) {
  const TLcfEventScriptLine line(code, 0, "", params);
  return rule == TRule::Variable ? IsFindVariable(line, id) : IsFindSwitch(line, id);
}

using R = TRule;
const std::vector<TMatchRow> kRows = {
    {R::Variable, 10150, {1, 7}, {1, 8}},
    {R::Variable, 10210, {2, 7, 0, 0}, {0, 7, 0, 0}},
    {R::Variable, 10220, {0, 7, 0, 0, 0, 0, 0}, {1, 7, 7, 0, 3, 7, 0}},
    {R::Variable, 10220, {1, 1, 1, 0, 2, 7, 0}, {1, 1, 1, 0, 0, 7, 0}},
    {R::Variable, 10230, {0, 1, 7}, {0, 0, 7}},
    {R::Variable, 10310, {0, 1, 7}, {0, 0, 7}},
    {R::Variable, 10320, {0, 0, 1, 1, 7}, {0, 0, 7, 0, 7}},
    {R::Variable, 10330, {0, 1, 7}, {0, 0, 7}},
    {R::Variable, 10410, {2, 7, 0, 0, 0}, {1, 7, 0, 0, 7}},
    {R::Variable, 10420, {0, 0, 0, 1, 7}, {1, 7, 0, 2, 7}},
    {R::Variable, 10430, {0, 0, 0, 0, 1, 7}, {1, 7, 0, 1, 7, 0}},
    {R::Variable, 10440, {2, 7, 0, 0, 0}, {1, 7, 0, 0, 7}},
    {R::Variable, 10450, {2, 7, 0, 0, 0}, {1, 7, 0, 0, 7}},
    {R::Variable, 10460, {0, 0, 0, 1, 7}, {0, 0, 0, 0, 7}},
    {R::Variable, 10470, {0, 0, 0, 1, 7}, {0, 0, 0, 0, 7}},
    {R::Variable, 10480, {2, 7}, {1, 7}},
    {R::Variable, 10490, {2, 7}, {1, 7}},
    {R::Variable, 10500, {2, 7}, {0, 0, 0, 0, 0, 0, 0, 7}},
    {R::Variable, 10710, {1, 7}, {0, 7}},
    {R::Variable, 10820, {0, 0, 7}, {8, 8, 8}},
    {R::Variable, 10830, {7, 0, 0}, {0, 0, 0, 7}},
    {R::Variable, 10850, {0, 1, 0, 0, 7}, {0, 0, 7, 7, 7}},
    {R::Variable, 10860, {0, 1, 0, 7}, {0, 0, 7, 7}},
    {R::Variable, 10910, {0, 0, 0, 7}, {0, 7, 7, 0}},
    {R::Variable, 10920, {1, 0, 7, 0}, {0, 0, 7, 0}},
    {R::Variable, 11110, {0, 1, 7, 0}, {0, 0, 7, 7}},
    {R::Variable, 11120, {0, 2, 0, 7}, {7, 0, 7, 7}},
    {R::Variable, 11560, {1, 0, 7}, {0, 7, 7}},
    {R::Variable, 11610, {7}, {8, 1, 0, 0, 0, 0, 0, 7, 0}},
    {R::Variable, 11610, {0, 1, 0, 0, 0, 0, 0, 7, 0x101}, {0, 0x100, 0, 0, 0, 0, 0, 7, 1}},
    {R::Variable, 12010, {1, 0, 1, 7}, {1, 0, 0, 7}},
    {R::Variable, 12330, {2, 7, 0}, {1, 7, 7}},
    {R::Switch, 10210, {1, 3, 7, 0}, {1, 6, 8, 0}},
    {R::Switch, 10210, {0, 7, 7, 0}, {2, 7, 7, 0}},
    {R::Switch, 12010, {0, 7}, {1, 7}},
};

}  // namespace

TEST(SearchMatch, EachRuleFindsItsLineAndMissesTheNearestOther) {
  for (const TMatchRow& row : kRows) {
    SCOPED_TRACE(row.code);
    EXPECT_TRUE(Finds(row.rule, row.code, row.matches));
    EXPECT_FALSE(Finds(row.rule, row.code, row.misses));
    // The same line searched for another id.
    EXPECT_FALSE(Finds(row.rule, row.code, row.matches, 9));
  }
}

TEST(SearchMatch, OnlyTheTablesCodesEverMatch) {
  std::set<int32_t> variables, switches;
  for (const TMatchRow& row : kRows) (row.rule == R::Variable ? variables : switches).insert(row.code);
  // A line of any other code with every parameter naming the id, and every mode word at it.
  const std::vector<int32_t> everywhere(20, 7), modes = {2, 1, 1, 1, 1, 1, 1, 7, 1, 7};
  for (const TEventCommandInfo& info : EventCommands()) {
    SCOPED_TRACE(info.code);
    EXPECT_EQ(info.usesVariable != nullptr, variables.count(info.code) == 1);
    EXPECT_EQ(info.usesSwitch != nullptr, switches.count(info.code) == 1);
    if (!variables.count(info.code)) {
      EXPECT_FALSE(Finds(R::Variable, info.code, everywhere));
      EXPECT_FALSE(Finds(R::Variable, info.code, modes));
    }
    if (!switches.count(info.code)) EXPECT_FALSE(Finds(R::Switch, info.code, everywhere));
  }
  EXPECT_FALSE(Finds(R::Variable, 99999, everywhere));
}

TEST(SearchMatch, RangesOfVariablesNeverMatchAndRangesOfSwitchesOnlyAtTheirEnds) {
  // Variables 3 to 5 set to 0; switches 3 to 5 turned on.
  const std::vector<int32_t> variableRange = {1, 3, 5, 0, 0, 0, 0}, switchRange = {1, 3, 5, 0};
  for (int32_t id = 1; id <= 7; ++id) {
    SCOPED_TRACE(id);
    EXPECT_FALSE(Finds(R::Variable, 10220, variableRange, id));
    EXPECT_EQ(Finds(R::Switch, 10210, switchRange, id), id == 3 || id == 5);
  }
}

TEST(SearchMatch, ShortLinesReadMissingParametersAsZero) {
  EXPECT_TRUE(Finds(R::Variable, 10820, {7}));
  EXPECT_FALSE(Finds(R::Variable, 10150, {}));
  EXPECT_TRUE(Finds(R::Variable, 10150, {}, 0));  // p1 reads 0
  EXPECT_TRUE(IsAuthorText(10110) && IsAuthorText(20110) && IsAuthorText(10140) && IsAuthorText(12410) &&
              IsAuthorText(22410) && IsAuthorText(10610));
  EXPECT_FALSE(IsAuthorText(20140) || IsAuthorText(10620) || IsAuthorText(0));
}
