#include <gtest/gtest.h>

#include "core/ClipboardPort.h"
#include "events/EventPages.h"

using namespace tess;

namespace {

// An event of n pages; page i has trigger i % 5, graphic "Sheet<i>", a switch precondition and
// one script line carrying i.
void Fill(TLcfEventItem& e, int n) {
  e.Reset();
  for (int i = 1; i <= n; ++i) {
    TLcfEventPageItem* p = e.pages.Obtain(i);
    p->trigger = static_cast<uint8_t>(i % 5);
    p->graphicName = "Sheet" + std::to_string(i);
    p->moveType = 6;
    p->moveRoute.AppendCommand({.code = 3});
    p->condition.flags = TLcfEventCondition::kSwitchA;
    p->lines.InsertLine(0, std::make_unique<TLcfEventScriptLine>(10110, 0, "Page " + std::to_string(i)));
  }
}

std::string Text(const TLcfEventItem& e, int index) {
  const TLcfEventScriptLine* line = e.pages.ItemAt(index)->lines.LineAt(0);
  return line->code == 10110 ? line->text : "";
}

TEST(EventPages, NewPageTakesLookAndMovementButNoConditionsOrScript) {
  TLcfEventItem e;
  Fill(e, 5);
  ASSERT_EQ(InsertNewPage(e, 2), 3);
  ASSERT_EQ(e.pages.Count(), 6);
  const TLcfEventPageItem& added = *e.pages.ItemAt(3);
  EXPECT_EQ(added.Id(), 4);
  EXPECT_EQ(added.graphicName, "Sheet3");
  EXPECT_EQ(added.trigger, 3);
  EXPECT_EQ(added.moveType, 6);
  EXPECT_EQ(added.moveRoute.CommandCount(), 1);
  EXPECT_EQ(added.condition.flags, 0);
  EXPECT_EQ(added.lines.Count(), 1);  // the end line alone
  // The old pages 4 and 5 are now 5 and 6.
  EXPECT_EQ(e.pages.ItemAt(4)->Id(), 5);
  EXPECT_EQ(Text(e, 4), "Page 4");
  EXPECT_EQ(e.pages.ItemAt(5)->Id(), 6);
  EXPECT_EQ(Text(e, 5), "Page 5");
}

TEST(EventPages, DeleteKeepsOnePageAndSelectsTheNewLast) {
  struct {
    int pages, index, current, count;
  } const cases[] = {{1, 0, -1, 1}, {3, 2, 1, 2}, {3, 0, 0, 2}, {3, 1, 1, 2}};
  for (const auto& c : cases) {
    TLcfEventItem e;
    Fill(e, c.pages);
    EXPECT_EQ(DeletePage(e, c.index), c.current);
    EXPECT_EQ(e.pages.Count(), c.count);
    for (int i = 0; i < e.pages.Count(); ++i) EXPECT_EQ(e.pages.ItemAt(i)->Id(), i + 1);
  }
}

TEST(EventPages, PasteInsertsAfterAndRefusesDamageAndTheHundredth) {
  TMemoryClipboard clipboard;
  TClipboardPortScope scope(&clipboard);
  TLcfEventItem e;
  Fill(e, 2);
  CopyPage(e, 0);
  ASSERT_EQ(PastePage(e, 1), 2);
  EXPECT_EQ(Text(e, 2), "Page 1");
  EXPECT_EQ(e.pages.ItemAt(2)->Id(), 3);
  // A block cut short, a foreign one: nothing added.
  const Bytes good = *clipboard.GetBlock(kEventPageClipboardFormat);
  for (const Bytes& bad : {Bytes(good.begin(), good.end() - 4), Bytes{9, 0, 0, 0, 1, 0, 0, 0, 0xFF}}) {
    clipboard.SetBlock(kEventPageClipboardFormat, bad);
    EXPECT_EQ(PastePage(e, 0), -1);
    EXPECT_EQ(e.pages.Count(), 3);
  }
  clipboard.SetBlock(kEventPageClipboardFormat, good);
  Fill(e, kMaxEventPages);
  EXPECT_FALSE(CanPastePage(e));
  EXPECT_EQ(PastePage(e, 0), -1);
  EXPECT_EQ(InsertNewPage(e, 0), -1);
}

}  // namespace
