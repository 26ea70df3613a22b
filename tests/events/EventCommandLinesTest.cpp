// Whole commands: new lines with their defaults, blocks rebuilt around a new opening line, and
// the check a pasted block must pass.
#include <gtest/gtest.h>

#include <tuple>

#include "events/TestScripts.h"
#include "script/EventCommandLines.h"

using namespace tess;
using tess::test::Script;

namespace {

using L = TLcfEventScriptLine;

std::vector<std::tuple<int32_t, int32_t, std::string>> Shape(const TLcfEventScriptList& s) {
  std::vector<std::tuple<int32_t, int32_t, std::string>> shape;
  for (int i = 0; i < s.Count(); ++i) shape.emplace_back(s.LineAt(i)->code, s.LineAt(i)->indent, s.LineAt(i)->text);
  return shape;
}

}  // namespace

TEST(EventCommandLines, NewCommandsComeWithTheirBlocks) {
  using S = std::vector<std::tuple<int32_t, int32_t, std::string>>;
  EXPECT_EQ(Shape(NewCommandLines(10140)),
            (S{{10140, 0, "Yes/No"}, {20140, 0, "Yes"}, {10, 1, ""}, {20140, 0, "No"}, {10, 1, ""}, {20141, 0, ""}}));
  EXPECT_EQ(NewCommandLines(10140).LineAt(0)->params, (std::vector<int32_t>{2}));
  EXPECT_EQ(NewCommandLines(10140).LineAt(3)->params, (std::vector<int32_t>{1}));
  EXPECT_EQ(Shape(NewCommandLines(12010)), (S{{12010, 0, ""}, {10, 1, ""}, {22011, 0, ""}}));
  EXPECT_EQ(Shape(NewCommandLines(12210)), (S{{12210, 0, ""}, {10, 1, ""}, {22210, 0, ""}}));
  EXPECT_EQ(Shape(NewCommandLines(13310)), (S{{13310, 0, ""}, {10, 1, ""}, {23311, 0, ""}}));
  EXPECT_EQ(Shape(NewCommandLines(10710)), (S{{10710, 0, ""}}));  // no handlers by default
  EXPECT_EQ(NewCommandLines(10710).LineAt(0)->ParamCount(), 9);
  EXPECT_EQ(Shape(NewCommandLines(11510)), (S{{11510, 0, "(OFF)"}}));
  // Structural and unknown codes are not commands of their own.
  for (int32_t code : {0, 10, 20110, 22011, 12345}) EXPECT_EQ(NewCommandLines(code).Count(), 0) << code;
  // Every command's new lines are whole commands.
  for (const TEventCommandInfo& info : EventCommands()) {
    if (info.role != TCommandRole::Command) continue;
    const TLcfEventScriptList lines = NewCommandLines(info.code);
    EXPECT_TRUE(IsWholeCommands(lines)) << info.code;
    EXPECT_EQ(lines.LineAt(0)->ParamCount(), info.paramCount) << info.code;
  }
}

TEST(EventCommandLines, CaseLinesFollowTheOpeningLine) {
  auto codes = [](const L& opener) {
    std::vector<std::pair<int32_t, int32_t>> out;
    for (const L& c : CaseLinesOf(opener)) out.emplace_back(c.code, c.Param(0));
    return out;
  };
  using C = std::vector<std::pair<int32_t, int32_t>>;
  EXPECT_EQ(codes(L(10140, 0, "A/B/C", {5})), (C{{20140, 0}, {20140, 1}, {20140, 2}, {20140, 4}}));
  EXPECT_EQ(codes(L(10140, 0, "", {0})), (C{{20140, 0}}));  // the first choice is always there
  EXPECT_EQ(codes(L(10710, 0, "", {0, 1, 0, 2, 1})), (C{{20710, 0}, {20711, 0}, {20712, 0}}));
  EXPECT_EQ(codes(L(10710, 0, "", {0, 1, 0, 0, 1})), (C{{20710, 0}, {20712, 0}}));
  EXPECT_EQ(codes(L(10710, 0, "", {0, 1, 0, 1, 0})), C{});
  EXPECT_EQ(codes(L(10720, 0, "", {0, 0, 1})), (C{{20720, 0}, {20721, 0}}));
  EXPECT_EQ(codes(L(10730, 0, "", {0, 0, 0})), C{});
  EXPECT_EQ(codes(L(12010, 0, "", {0, 1, 0, 0, 0, 1})), (C{{22010, 0}}));
  EXPECT_EQ(codes(L(13310, 0, "", {0, 1})), C{});
}

TEST(EventCommandLines, RebuildingKeepsTheBranchesThatRemain) {
  // Three choices, each with a command, edited down to two: the third branch goes.
  const TLcfEventScriptList old = Script({{10140, 2, "A/B/C", {0}},
                                          {20140, 2, "A", {0}},
                                          {12420, 3},
                                          {10, 3},
                                          {20140, 2, "B", {1}},
                                          {12310, 3},
                                          {12210, 3},
                                          {10, 4},
                                          {22210, 3},
                                          {10, 3},
                                          {20140, 2, "C", {2}},
                                          {12510, 3},
                                          {10, 3},
                                          {20141, 2}});
  const TLcfEventScriptList rebuilt = BuildCommand(L(10140, 0, "A/B", {0}), &old);
  using S = std::vector<std::tuple<int32_t, int32_t, std::string>>;
  EXPECT_EQ(Shape(rebuilt), (S{{10140, 0, "A/B"},
                               {20140, 0, "A"},
                               {12420, 1, ""},
                               {10, 1, ""},
                               {20140, 0, "B"},
                               {12310, 1, ""},
                               {12210, 1, ""},
                               {10, 2, ""},
                               {22210, 1, ""},
                               {10, 1, ""},
                               {20141, 0, ""}}));
  // Turning the else branch off drops its commands; turning it on gives it an empty line. The
  // battle branch has its own else and end lines.
  for (auto [code, elseCode, endCode] : {std::tuple{12010, 22010, 22011}, std::tuple{13310, 23310, 23311}}) {
    const TLcfEventScriptList branch = Script(
        {{code, 0, "", {0, 1, 0, 0, 0, 1}}, {12420, 1}, {10, 1}, {elseCode, 0}, {12510, 1}, {10, 1}, {endCode, 0}});
    EXPECT_EQ(Shape(BuildCommand(L(code, 0, "", {0, 1, 0, 0, 0, 0}), &branch)),
              (S{{code, 0, ""}, {12420, 1, ""}, {10, 1, ""}, {endCode, 0, ""}}));
    const TLcfEventScriptList noElse = Script({{code, 0, "", {0, 1}}, {12420, 1}, {10, 1}, {endCode, 0}});
    EXPECT_EQ(Shape(BuildCommand(L(code, 0, "", {0, 1, 0, 0, 0, 1}), &noElse)),
              (S{{code, 0, ""}, {12420, 1, ""}, {10, 1, ""}, {elseCode, 0, ""}, {10, 1, ""}, {endCode, 0, ""}}));
  }
  // Commands without a dialog are rebuilt as they are; the others need their dialog.
  TLcfEventScriptList out;
  EXPECT_TRUE(RebuildWithoutDialog(Script({{12310, 4}}), out));
  EXPECT_EQ(Shape(out), (S{{12310, 0, ""}}));
  EXPECT_FALSE(RebuildWithoutDialog(Script({{10310, 0, "", {0, 0, 5}}}), out));
}

TEST(EventCommandLines, WholeCommandsCheck) {
  struct {
    TLcfEventScriptList lines;
    bool whole;
  } cases[] = {
      {Script({{12420, 2}, {12310, 2}}), true},
      {Script({{10110, 1, "a"}, {20110, 1, "b"}, {20110, 1, "c"}}), true},
      {Script({{10110, 1, "a"}, {22410, 1, "b"}}), false},  // a comment line after a message
      {NewCommandLines(10140), true},
      {Script({{10710, 0, "", {0, 1, 0, 2, 0}}, {20710, 0}, {10, 1}, {20711, 0}, {10, 1}, {20713, 0}}), true},
      {Script({{10710, 0, "", {0, 1, 0, 0, 0}}, {20710, 0}, {10, 1}, {20713, 0}}), false},     // no handlers, yet cases
      {Script({{12010, 0, "", {0, 1}}, {12420, 2}, {22011, 0}}), false},                       // a line two levels in
      {Script({{12010, 0, "", {0, 1}}, {10, 1}, {20141, 0}}), false},                          // another block's end
      {Script({{12010, 0, "", {0, 1}}, {12210, 1}, {10, 2}, {22210, 1}, {22011, 0}}), false},  // branch ends in an end
      {Script({{12010, 0, "", {0, 1}}, {10, 1}, {22011, 0}, {12420, 0}}), true},
      {Script({{12420, 0}, {12420, 1}}), false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsWholeCommands(c.lines), c.whole) << ::testing::PrintToString(Shape(c.lines));
}
