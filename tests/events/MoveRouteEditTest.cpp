#include <gtest/gtest.h>

#include "core/ClipboardPort.h"
#include "events/MoveRouteEdit.h"

using namespace tess;

namespace {

TEST(MoveRouteEdit, RowsReadAsTheEditorListsThem) {
  struct {
    TLcfMoveRouteItem command;
    const char* text;
  } const cases[] = {
      {{.code = 0}, "<>Move Up"},
      {{.code = 32, .switchId = 7}, "<>Switch [0007] ON"},
      {{.code = 33, .switchId = 12}, "<>Swtich [0012] OFF"},
      {{.code = 34, .graphicName = "Hero", .graphicIndex = 2}, "<>Change Graphic Hero-3"},
      {{.code = 35, .soundName = "Door"}, "<>Sound Effect: Door"},
      {{.code = 16}, "<>Turn 90\xB0 Right"},
  };
  for (const auto& c : cases) EXPECT_EQ(MoveRouteRowText(c.command), c.text);
  // Every code has exactly one button.
  std::vector<int> seen(kMoveCommandCount, 0);
  for (const TMoveButton& b : kMoveButtons) ++seen[static_cast<size_t>(b.code)];
  EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), kMoveCommandCount);
}

TEST(MoveRouteEdit, InsertsBeforeTheSelectedRowAndKeepsTheLimit) {
  TLcfMoveRoute route;
  TMoveRouteEdit edit(route);
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(edit.Insert({.code = 0}));
  edit.Select(1);
  ASSERT_TRUE(edit.Insert({.code = 3}));
  const char* want[] = {"<>Move Up", "<>Move Left", "<>Move Up", "<>Move Up", "<>"};
  ASSERT_EQ(edit.RowCount(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(edit.RowText(i), want[i]) << i;
  // Delete keeps the row position; the last row is no command.
  edit.Select(4);
  EXPECT_FALSE(edit.Delete());
  edit.Select(3);
  ASSERT_TRUE(edit.Delete());
  EXPECT_EQ(edit.Selected(), 3);
  // 200 commands: no more from the buttons, but Paste, Cut and Delete still work.
  TMemoryClipboard clipboard;
  TClipboardPortScope scope(&clipboard);
  edit.Select(0);
  ASSERT_TRUE(edit.Copy());
  while (edit.CanAdd()) edit.Insert({.code = 8});
  EXPECT_EQ(route.CommandCount(), kMaxRouteCommands);
  EXPECT_FALSE(edit.Insert({.code = 8}));
  EXPECT_TRUE(edit.Paste());
  EXPECT_EQ(route.CommandCount(), kMaxRouteCommands + 1);
  EXPECT_TRUE(edit.Cut());
  EXPECT_TRUE(edit.Clear());
  EXPECT_EQ(edit.RowCount(), 1);
}

TEST(MoveRouteEdit, PasteTakesOneCommandAndRefusesDamage) {
  TMemoryClipboard clipboard;
  TClipboardPortScope scope(&clipboard);
  TLcfMoveRoute route;
  TMoveRouteEdit edit(route);
  edit.Insert({.code = 34, .graphicName = "Hero", .graphicIndex = 5});
  edit.Select(0);
  ASSERT_TRUE(edit.Copy());
  const Bytes good = *clipboard.GetBlock(kMoveRouteClipboardFormat);
  for (const Bytes& bad :
       {Bytes{1, 0}, Bytes{9, 0, 0, 0, 34}, Bytes(good.begin(), good.end() - 2), Bytes{0, 0, 0, 0}}) {
    clipboard.SetBlock(kMoveRouteClipboardFormat, bad);
    EXPECT_FALSE(edit.Paste());
  }
  clipboard.SetBlock(kMoveRouteClipboardFormat, good);
  ASSERT_TRUE(edit.Paste());
  EXPECT_EQ(*route.CommandAt(0), *route.CommandAt(1));
}

}  // namespace
