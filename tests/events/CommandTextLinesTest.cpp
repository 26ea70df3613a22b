// The text of messages, comments and choices: lines in and out, the paste rule of the message box
// and the choice texts kept.
#include <gtest/gtest.h>

#include "events/TestScripts.h"
#include "script/ChoiceLines.h"
#include "script/EventCommandLines.h"
#include "script/MessageLines.h"

using namespace tess;
using tess::test::Script;

namespace {

using L = TLcfEventScriptLine;

std::vector<std::tuple<int32_t, int32_t, std::string>> Shape(const TLcfEventScriptList& s) {
  std::vector<std::tuple<int32_t, int32_t, std::string>> shape;
  for (int i = 0; i < s.Count(); ++i) shape.emplace_back(s.LineAt(i)->code, s.LineAt(i)->indent, s.LineAt(i)->text);
  return shape;
}
using S = std::vector<std::tuple<int32_t, int32_t, std::string>>;

}  // namespace

TEST(MessageLines, TextLinesBecomeAnOpeningAndContinuationLines) {
  EXPECT_EQ(Shape(MessageCommandLines(10110, {"Hello", "there"})), (S{{10110, 0, "Hello"}, {20110, 0, "there"}}));
  EXPECT_EQ(Shape(MessageCommandLines(12410, {"a", "", ""})), (S{{12410, 0, "a"}, {22410, 0, ""}, {22410, 0, ""}}));
  EXPECT_EQ(Shape(MessageCommandLines(10110, {})), (S{{10110, 0, ""}}));
  // Reading stops at the first line that is not this command's continuation at its depth.
  const TLcfEventScriptList given =
      Script({{10110, 2, "a"}, {20110, 2, "b"}, {20110, 2, ""}, {20110, 3, "x"}, {10110, 2, "next"}});
  EXPECT_EQ(MessageTextLines(given), (std::vector<std::string>{"a", "b", ""}));
  EXPECT_EQ(MessageTextLines(Script({{12410, 0, "c"}, {20110, 0, "not mine"}})), (std::vector<std::string>{"c"}));
  EXPECT_EQ(SplitTextLines("a\r\nb\rc\n"), (std::vector<std::string>{"a", "b", "c", ""}));
}

TEST(MessageLines, PastesThatDoNotFitAreRefusedWithTheirLineCount) {
  const struct {
    std::string text;
    size_t from, to;
    std::string pasted;
    bool accepted;
    std::string after;
    int lines;
  } cases[] = {
      {"", 0, 0, "one\r\ntwo", true, "one\ntwo", 2},
      {"", 0, 0, "1\n2\n3\n4", true, "1\n2\n3\n4", 4},
      {"", 0, 0, "1\n2\n3\n4\n", true, "1\n2\n3\n4", 4},  // the break after a full box goes
      {"", 0, 0, "1\n2\n3\n4\n5", false, "", 5},
      {"a\nb\nc", 5, 5, "\nd", true, "a\nb\nc\nd", 4},
      {"a\nb\nc", 5, 5, "\nd\ne", false, "", 5},
      {"a\nb\nc\nd", 0, 7, "x", true, "x", 1},  // a selection is replaced
      {"a\nb", 1, 1, "x\ny\n", true, "ax\ny\n\nb", 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text + " + " + c.pasted);
    const TPasteResult r = PasteIntoBox(c.text, c.from, c.to, c.pasted, kMessageBoxLines);
    EXPECT_EQ(r.accepted, c.accepted);
    EXPECT_EQ(r.lines, c.lines);
    if (c.accepted) {
      EXPECT_EQ(r.text, c.after);
    }
  }
  EXPECT_NE(PasteRefusedText(5, 4).find('5'), std::string::npos);
}

TEST(ChoiceLines, TrailingEmptyChoicesGoButTheFirstStays) {
  const struct {
    TChoiceTexts boxes;
    std::string joined;
  } cases[] = {
      {{"Yes", "No", "", ""}, "Yes/No"},
      {{"", "", "", ""}, ""},
      {{"", "", "C", ""}, "//C"},
      {{"A", "", "C", "D"}, "A//C/D"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(JoinChoices(c.boxes), c.joined);
    EXPECT_EQ(ChoiceTexts(c.joined), c.boxes);
  }
  // Four empty boxes still make one choice with its branch.
  const TLcfEventScriptList built = BuildCommand(L(10140, 0, JoinChoices({}), {0}));
  EXPECT_EQ(Shape(built), (S{{10140, 0, ""}, {20140, 0, ""}, {10, 1, ""}, {20141, 0, ""}}));
  EXPECT_EQ(KeptChoiceCount("a/b/c/d"), 4);
  // A string with more slashes than boxes keeps its rest in the last box.
  EXPECT_EQ(ChoiceTexts("a/b/c/d/e")[3], "d/e");
}

TEST(ChoiceLines, TheCancellationHandlerBranchComesAndGoesWithItsChoice) {
  const TLcfEventScriptList old = Script({{10140, 0, "A/B", {5}},
                                          {20140, 0, "A", {0}},
                                          {12420, 1, "in A"},
                                          {10, 1},
                                          {20140, 0, "B", {1}},
                                          {10, 1},
                                          {20140, 0, "", {4}},
                                          {12420, 1, "cancelled"},
                                          {10, 1},
                                          {20141, 0}});
  EXPECT_EQ(Shape(BuildCommand(L(10140, 0, "A/B/C", {5}), &old)), (S{{10140, 0, "A/B/C"},
                                                                     {20140, 0, "A"},
                                                                     {12420, 1, "in A"},
                                                                     {10, 1, ""},
                                                                     {20140, 0, "B"},
                                                                     {10, 1, ""},
                                                                     {20140, 0, "C"},
                                                                     {10, 1, ""},
                                                                     {20140, 0, ""},
                                                                     {12420, 1, "cancelled"},
                                                                     {10, 1, ""},
                                                                     {20141, 0, ""}}));
  EXPECT_EQ(Shape(BuildCommand(L(10140, 0, "A/B", {2}), &old)), (S{{10140, 0, "A/B"},
                                                                   {20140, 0, "A"},
                                                                   {12420, 1, "in A"},
                                                                   {10, 1, ""},
                                                                   {20140, 0, "B"},
                                                                   {10, 1, ""},
                                                                   {20141, 0, ""}}));
  // A loop keeps its body, rebased, when rebuilt without a dialog.
  TLcfEventScriptList out;
  ASSERT_TRUE(RebuildWithoutDialog(Script({{12210, 3}, {12220, 4}, {12420, 5, "deep"}, {10, 4}, {22210, 3}}), out));
  EXPECT_EQ(Shape(out), (S{{12210, 0, ""}, {12220, 1, ""}, {12420, 2, "deep"}, {10, 1, ""}, {22210, 0, ""}}));
}
