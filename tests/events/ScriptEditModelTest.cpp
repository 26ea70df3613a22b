// The script pane's selection, keys and editing operations on the headless model.
#include <gtest/gtest.h>

#include "core/ClipboardPort.h"
#include "database/DataBaseObj.h"
#include "events/TestScripts.h"
#include "script/EventCommandLines.h"
#include "script/ScriptEditModel.h"

using namespace tess;
using tess::test::Script;

namespace {

using L = TLcfEventScriptLine;

// (code, indent) of every line, to compare scripts at a glance.
std::vector<std::pair<int32_t, int32_t>> Shape(const TLcfEventScriptList& s) {
  std::vector<std::pair<int32_t, int32_t>> shape;
  for (int i = 0; i < s.Count(); ++i) shape.emplace_back(s.LineAt(i)->code, s.LineAt(i)->indent);
  return shape;
}

// A branch with an empty true branch, between two commands:
//   0 <>Wait            1 <>Branch if ...     2   <>          3 : End
//   4 <>Game Over       5 <>
TLcfEventScriptList BranchScript() {
  return Script({{11410, 0, "", {10, 0}}, {12010, 0, "", {0, 1, 0, 0, 0, 0}}, {10, 1}, {22011, 0}, {12420, 0}, {0, 0}});
}

struct TPane {
  TLcfDataBase db;
  TEventScriptConverter converter{db};
  TLcfEventScriptList script;
  ScriptEditModel model;
  int changes = 0;

  explicit TPane(TLcfEventScriptList lines, TScriptKind kind = TScriptKind::MapEvent)
      : script(std::move(lines)), model(converter, kind) {
    model.onChanged = [this] { ++changes; };
    model.Attach(&script);
  }
  std::pair<int, int> Selection() const { return {model.SelStart(), model.SelEnd()}; }
};

class ScriptEditModelTest : public ::testing::Test {
 protected:
  void SetUp() override { SetClipboardPort(&clipboard_); }
  void TearDown() override { SetClipboardPort(nullptr); }
  TMemoryClipboard clipboard_;
};

}  // namespace

TEST_F(ScriptEditModelTest, SelectionKeepsBlocksWhole) {
  TPane p(BranchScript());
  struct {
    int anchor, row;
    std::pair<int, int> selection;
  } cases[] = {
      {1, 1, {1, 3}},    // the opening row takes its whole block
      {3, 3, {-1, -1}},  // the end row alone selects nothing
      {1, 3, {1, 3}},    // from the opening row to its end row
      {2, 2, {2, 2}},    // the empty line inside the branch
      {2, 4, {4, 4}},    // from inside the branch out: it starts at a command of the shallower depth
      {0, 5, {0, 4}},    // a drag to the end never takes the end-of-script line
      {5, 5, {5, 5}},    // which is selected only alone
      {4, 0, {0, 4}},
  };
  for (const auto& c : cases) {
    p.model.SetItemIndex(c.anchor);
    p.model.SetItemIndex(c.row, true);
    EXPECT_EQ(p.model.ItemIndex(), c.row);
    EXPECT_EQ(p.Selection(), c.selection) << c.anchor << ".." << c.row;
  }
}

TEST_F(ScriptEditModelTest, MenuFollowsTheSelection) {
  TPane p(BranchScript());
  auto state = [&](int anchor, int row) {
    p.model.SetItemIndex(anchor);
    p.model.SetItemIndex(row, true);
    return p.model.MenuState();
  };
  // insert, edit, cut, copy, paste, remove, selectAll
  EXPECT_EQ(state(3, 3), (TScriptMenuState{false, false, false, false, false, false, true}));
  EXPECT_EQ(state(1, 1), (TScriptMenuState{true, true, true, true, false, true, true}));
  EXPECT_EQ(state(2, 2), (TScriptMenuState{true, false, false, false, false, false, true}));
  EXPECT_EQ(state(5, 5), (TScriptMenuState{true, false, false, false, false, false, true}));
  EXPECT_EQ(state(0, 1), (TScriptMenuState{false, false, true, true, false, true, true}));
  Clipboard().SetBlock(kClipEventCommands, EncodeCommandClip(Script({{12420, 0}})));
  EXPECT_TRUE(state(1, 1).paste);
  TPane single(Script({{0, 0}}));
  EXPECT_FALSE(single.model.MenuState().selectAll);
}

TEST_F(ScriptEditModelTest, OperationsCheckTheirOwnEnablingRule) {
  TPane p(BranchScript());
  Clipboard().SetBlock(kClipEventCommands, EncodeCommandClip(Script({{12420, 0}})));
  const auto before = Shape(p.script);
  p.model.SetItemIndex(3);  // the end row: nothing selected
  EXPECT_FALSE(p.model.Insert(Script({{12420, 0}})));
  EXPECT_FALSE(p.model.Delete());
  EXPECT_FALSE(p.model.Cut());
  EXPECT_FALSE(p.model.Copy());
  EXPECT_EQ(p.model.Paste(), TPasteResult::NotEnabled);
  p.model.SetItemIndex(2);  // the empty line: only Insert and Paste
  EXPECT_FALSE(p.model.Delete());
  EXPECT_FALSE(p.model.Cut());
  EXPECT_FALSE(p.model.ReplaceSelection(Script({{12420, 0}})));
  p.model.SetItemIndex(0);
  p.model.SetItemIndex(1, true);  // two commands: no Insert or Edit
  EXPECT_FALSE(p.model.Insert(Script({{12420, 0}})));
  EXPECT_FALSE(p.model.ReplaceSelection(Script({{12420, 0}})));
  EXPECT_EQ(Shape(p.script), before);
  EXPECT_EQ(p.changes, 0);
}

TEST_F(ScriptEditModelTest, InsertGoesBeforeTheSelectionAtItsDepth) {
  TPane p(BranchScript());
  p.model.SetItemIndex(2);  // the empty line of the branch
  ASSERT_TRUE(p.model.Insert(Script({{12420, 3}})));
  EXPECT_EQ(Shape(p.script), (std::vector<std::pair<int32_t, int32_t>>{
                                 {11410, 0}, {12010, 0}, {12420, 1}, {10, 1}, {22011, 0}, {12420, 0}, {0, 0}}));
  EXPECT_EQ(p.model.RowText(2), "  <>Game Over");
  EXPECT_EQ(p.model.ItemIndex(), 3);  // the line that was selected is current again
  EXPECT_EQ(p.changes, 1);

  // After a block, its first enclosed row is current.
  p.model.SetItemIndex(5);
  ASSERT_TRUE(p.model.Insert(NewCommandLines(12210)));
  EXPECT_EQ(p.script.LineAt(5)->code, 12210);
  EXPECT_EQ(p.script.LineAt(6)->indent, 1);
  EXPECT_EQ(p.model.ItemIndex(), 6);
  EXPECT_EQ(p.Selection(), std::make_pair(6, 6));
}

TEST_F(ScriptEditModelTest, DeleteAndCutTakeWholeBlocks) {
  TPane p(BranchScript());
  p.model.SetItemIndex(1);
  ASSERT_TRUE(p.model.Cut());
  EXPECT_EQ(Shape(p.script), (std::vector<std::pair<int32_t, int32_t>>{{11410, 0}, {12420, 0}, {0, 0}}));
  EXPECT_EQ(p.model.ItemIndex(), 1);
  EXPECT_EQ(p.Selection(), std::make_pair(1, 1));
  // Paste it back before the first line: the block arrives whole and the line stays current.
  p.model.SetItemIndex(0);
  ASSERT_EQ(p.model.Paste(), TPasteResult::Pasted);
  EXPECT_EQ(Shape(p.script), (std::vector<std::pair<int32_t, int32_t>>{
                                 {12010, 0}, {10, 1}, {22011, 0}, {11410, 0}, {12420, 0}, {0, 0}}));
  EXPECT_EQ(p.model.ItemIndex(), 3);
  EXPECT_EQ(p.changes, 2);
}

TEST_F(ScriptEditModelTest, DeletingABranchsLastCommandKeepsTheBranchWellFormed) {
  // A branch whose only line is a command (no empty line after it), as other tools write them.
  TPane p(Script({{12010, 0, "", {0, 1}}, {12420, 1}, {22011, 0}, {0, 0}}));
  p.model.SetItemIndex(1);
  ASSERT_TRUE(p.model.Delete());
  EXPECT_EQ(Shape(p.script), (std::vector<std::pair<int32_t, int32_t>>{{12010, 0}, {10, 1}, {22011, 0}, {0, 0}}));
  // A block that ends its branch is selected with all its lines, never its opening line alone.
  TPane q(Script({{12010, 0, "", {0, 1}}, {12210, 1}, {10, 2}, {22210, 1}, {22011, 0}, {0, 0}}));
  q.model.SetItemIndex(1);
  EXPECT_EQ(q.Selection(), std::make_pair(1, 3));
}

TEST_F(ScriptEditModelTest, PasteFiltersByScriptKind) {
  const TLcfEventScriptList mapBranch = NewCommandLines(12010);
  const TLcfEventScriptList battleBranch = NewCommandLines(13310);
  const TLcfEventScriptList money = NewCommandLines(10310);
  const TLcfEventScriptList loopWithBattleOnly =
      Script({{12210, 0}, {13410, 1}, {10, 1}, {22210, 0}});  // a battle command inside a loop
  const TLcfEventScriptList branchWithBattleOnly = Script({{12010, 0, "", {0, 1}}, {13410, 1}, {22011, 0}});
  struct {
    const TLcfEventScriptList* clip;
    TScriptKind kind;
    TPasteResult result;
    std::vector<std::pair<int32_t, int32_t>> pasted;
  } cases[] = {
      {&mapBranch, TScriptKind::TroopPage, TPasteResult::NoneFits, {}},
      {&battleBranch, TScriptKind::TroopPage, TPasteResult::Pasted, {{13310, 0}, {10, 1}, {23311, 0}}},
      {&battleBranch, TScriptKind::MapEvent, TPasteResult::NoneFits, {}},
      {&mapBranch, TScriptKind::CommonEvent, TPasteResult::Pasted, {{12010, 0}, {10, 1}, {22011, 0}}},
      {&money, TScriptKind::TroopPage, TPasteResult::Pasted, {{10310, 0}}},
      {&loopWithBattleOnly, TScriptKind::MapEvent, TPasteResult::Pasted, {{12210, 0}, {10, 1}, {22210, 0}}},
      // the battle command was the branch's only line: the branch keeps an empty line
      {&branchWithBattleOnly, TScriptKind::CommonEvent, TPasteResult::Pasted, {{12010, 0}, {10, 1}, {22011, 0}}},
  };
  for (const auto& c : cases) {
    Clipboard().SetBlock(kClipEventCommands, EncodeCommandClip(*c.clip));
    TPane p(Script({{0, 0}}), c.kind);
    EXPECT_EQ(p.model.Paste(), c.result);
    auto expected = c.pasted;
    expected.emplace_back(0, 0);
    EXPECT_EQ(Shape(p.script), expected);
    EXPECT_EQ(p.changes, c.result == TPasteResult::Pasted ? 1 : 0);
  }
}

TEST_F(ScriptEditModelTest, DamagedOrForeignBlocksPasteNothing) {
  Bytes whole = EncodeCommandClip(NewCommandLines(12010));
  Bytes cut(whole.begin(), whole.end() - 1);
  Bytes longer = whole;
  longer[0] += 1;  // says one byte more than there is
  Bytes shortHeader = {3, 0};
  const Bytes blocks[] = {
      cut,
      longer,
      shortHeader,
      EncodeCommandClip(Script({{22011, 0}})),                          // an end line alone
      EncodeCommandClip(Script({{12010, 0, "", {0, 1}}, {10, 1}})),     // a block without its end
      EncodeCommandClip(Script({{12010, 0, "", {0, 1}}, {22011, 0}})),  // an empty branch
      EncodeCommandClip(Script({{12420, 1}, {12420, 0}})),              // a line shallower than the first
      EncodeCommandClip(Script({{20110, 0, "orphan"}})),
      EncodeCommandClip(Script({{10140, 0, "A", {0}}, {10, 1}, {20141, 0}})),  // no case line
      EncodeCommandClip(Script({})),
  };
  for (const Bytes& block : blocks) {
    Clipboard().SetBlock(kClipEventCommands, block);
    TPane p(BranchScript());
    p.model.SetItemIndex(0);
    EXPECT_EQ(p.model.Paste(), TPasteResult::Damaged) << ::testing::PrintToString(block);
    EXPECT_EQ(Shape(p.script), Shape(BranchScript()));
    EXPECT_EQ(p.changes, 0);
  }
  // Clipboard memory may be handed out larger than asked: bytes after the lines are not read.
  whole.resize(whole.size() + 16, 0);
  Clipboard().SetBlock(kClipEventCommands, whole);
  TPane p(BranchScript());
  EXPECT_EQ(p.model.Paste(), TPasteResult::Pasted);
}

TEST_F(ScriptEditModelTest, CopyPutsThePackedLinesOnTheClipboard) {
  TPane p(Script({{10110, 2, "Hi", {}}, {20110, 2, "there"}, {0, 0}}));
  p.model.SetItemIndex(0);
  ASSERT_TRUE(p.model.Copy());
  // size 18, then code 10110, depth 2, "Hi", no parameters, code 20110, depth 2, "there", none
  EXPECT_EQ(*Clipboard().GetBlock(kClipEventCommands),
            (Bytes{18, 0, 0, 0, 0xCE, 0x7E, 2, 2, 'H', 'i', 0, 0x81, 0x9D, 0x0E, 2, 5, 't', 'h', 'e', 'r', 'e', 0}));
  EXPECT_EQ(p.changes, 0);
}

TEST_F(ScriptEditModelTest, EditReplacesTheSelectedCommand) {
  TPane p(Script({{12210, 0}, {12420, 1}, {10, 1}, {22210, 0}, {0, 0}}));
  p.model.SetItemIndex(0);
  TLcfEventScriptList rebuilt;
  ASSERT_TRUE(RebuildWithoutDialog(p.model.SelectedLines(), rebuilt));
  ASSERT_TRUE(p.model.ReplaceSelection(rebuilt));
  EXPECT_EQ(Shape(p.script),
            (std::vector<std::pair<int32_t, int32_t>>{{12210, 0}, {12420, 1}, {10, 1}, {22210, 0}, {0, 0}}));
  EXPECT_EQ(p.Selection(), std::make_pair(0, 3));
  EXPECT_EQ(p.changes, 1);
}

TEST_F(ScriptEditModelTest, KeysMoveBetweenCommandRows) {
  TPane p(BranchScript());
  p.model.SetVisibleRows(4);
  p.model.SetItemIndex(1);
  p.model.Move(TScriptKey::Down, false);
  EXPECT_EQ(p.model.ItemIndex(), 2);
  p.model.Move(TScriptKey::Down, false);  // passes over the end row
  EXPECT_EQ(p.model.ItemIndex(), 4);
  p.model.Move(TScriptKey::Up, true);
  EXPECT_EQ(p.model.ItemIndex(), 2);
  EXPECT_EQ(p.Selection(), std::make_pair(4, 4));
  p.model.Move(TScriptKey::Up, true);
  EXPECT_EQ(p.Selection(), std::make_pair(1, 4));
  p.model.Move(TScriptKey::End, false);
  EXPECT_EQ(p.model.ItemIndex(), 5);
  const auto selection = p.Selection();
  p.model.Move(TScriptKey::Down, false);  // on the last row nothing happens
  EXPECT_EQ(p.model.ItemIndex(), 5);
  EXPECT_EQ(p.Selection(), selection);
  p.model.Move(TScriptKey::PageUp, false);  // half a view up, to the command row there
  EXPECT_EQ(p.model.ItemIndex(), 2);
  p.model.Move(TScriptKey::Home, false);
  EXPECT_EQ(p.model.ItemIndex(), 0);
  p.model.Move(TScriptKey::PageDown, false);
  EXPECT_EQ(p.model.ItemIndex(), 2);
}

TEST_F(ScriptEditModelTest, SelectAllTakesEverythingButTheEndLine) {
  TPane p(BranchScript());
  ASSERT_TRUE(p.model.SelectAll());
  EXPECT_EQ(p.Selection(), std::make_pair(0, 4));
  ASSERT_TRUE(p.model.Delete());
  EXPECT_EQ(Shape(p.script), (std::vector<std::pair<int32_t, int32_t>>{{0, 0}}));
}

TEST_F(ScriptEditModelTest, ScriptsAlwaysEndWithTheEndLine) {
  TLcfEventScriptList empty;
  TLcfDataBase db;
  TEventScriptConverter converter(db);
  ScriptEditModel model(converter, TScriptKind::CommonEvent);
  model.Attach(&empty);
  EXPECT_EQ(Shape(empty), (std::vector<std::pair<int32_t, int32_t>>{{0, 0}}));
  EXPECT_EQ(model.RowText(0), "<>");
  EXPECT_EQ(std::make_pair(model.SelStart(), model.SelEnd()), std::make_pair(0, 0));
}

TEST_F(ScriptEditModelTest, ViewScrollsToTheCurrentRow) {
  TLcfEventScriptList lines;
  for (int i = 0; i < 40; ++i) lines.AppendLine(L(12420, 0));
  TPane p(std::move(lines));
  p.model.SetVisibleRows(10);
  p.model.SetItemIndex(25);
  EXPECT_EQ(p.model.TopIndex(), 16);
  p.model.SetItemIndex(3);
  EXPECT_EQ(p.model.TopIndex(), 3);
  p.model.SetTopIndex(1000);
  EXPECT_EQ(p.model.TopIndex(), 31);
}
