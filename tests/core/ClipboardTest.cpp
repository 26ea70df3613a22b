#include <gtest/gtest.h>

#include "SampleRecords.h"
#include "core/ClipboardPort.h"

using namespace tess;
using namespace tess::sample;

namespace {
constexpr int kFormat = 575;
}

TEST(Clipboard, RecordBlockLayout) {
  TPlainRecord r;
  r.a = 3;
  r.CopyToClipboard(kFormat);
  auto block = Clipboard().GetBlock(kFormat);
  ASSERT_TRUE(block);
  EXPECT_EQ(*block, (Bytes{4, 0, 0, 0, 1, 0, 0, 0, 1, 1, 3, 0}));
  TPlainRecord pasted;
  EXPECT_TRUE(pasted.PasteFromClipboard(kFormat));
  EXPECT_EQ(pasted.a, 3);
  EXPECT_FALSE(pasted.PasteFromClipboard(kFormat + 1));
}

TEST(Clipboard, DamagedBlocksChangeNothing) {
  TWideRecord r;
  r.name = "kept";
  const Bytes damaged[] = {
      {9, 0, 0, 0, 1, 0, 0, 0, 1, 1},        // size past the data
      {3, 0, 0, 0, 1, 0, 0, 0, 1, 0x85, 0},  // chunk size past the data
      {2, 0, 0},                             // header cut short
  };
  for (const Bytes& block : damaged) {
    Clipboard().SetBlock(kFormat, block);
    EXPECT_THROW(r.PasteFromClipboard(kFormat), EReadError);
    EXPECT_EQ(r.name, "kept");
  }
  TLeafList list;
  list.SetCount(2);
  list.ItemAt(0)->name = "first";
  Clipboard().SetBlock(kFormat, {6, 0, 0, 0, 2, 0, 0, 0, 1, 1, 'z', 0, 1, 9});
  EXPECT_THROW(list.PasteFromClipboard(kFormat, 0), EReadError);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.ItemAt(0)->name, "first");
  // An item count larger than the data could hold is refused at once.
  Clipboard().SetBlock(kFormat, {1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0});
  EXPECT_THROW(list.PasteFromClipboard(kFormat, 0), EReadError);
}

TEST(Clipboard, CatalogCopyAndPasteWithTheCap) {
  TLeafList list;
  list.SetCount(4);
  for (int i = 0; i < 4; ++i) list.ItemAt(i)->power = 100 + i;
  list.CopyToClipboard(kFormat, 1, 3);
  auto block = Clipboard().GetBlock(kFormat);
  ASSERT_TRUE(block);
  EXPECT_EQ((*block)[4], 3);

  TLeafList target;
  target.SetCount(1);
  EXPECT_EQ(target.PasteFromClipboard(kFormat, 1), 3);
  EXPECT_EQ(target.Count(), 4);
  EXPECT_EQ(target.ItemAt(1)->power, 101);
  EXPECT_EQ(target.ItemAt(3)->power, 103);
  EXPECT_EQ(target.ItemAt(3)->Id(), 4);

  TLeafList big;
  big.SetCount(kMaxCatalogItems);
  EXPECT_EQ(big.PasteFromClipboard(kFormat, 4998), 2);
  EXPECT_EQ(big.Count(), kMaxCatalogItems);
  EXPECT_EQ(big.ItemAt(4998)->power, 101);
  EXPECT_EQ(big.ItemAt(4999)->power, 102);
}

TEST(Clipboard, TextAndBlocksReplaceEachOther) {
  TMemoryClipboard clip;
  clip.SetText("Switch names");
  EXPECT_EQ(clip.GetText(), "Switch names");
  clip.SetBlock(566, {1});
  EXPECT_TRUE(clip.HasBlock(566));
  EXPECT_EQ(clip.GetText(), "");
  clip.SetText("x");
  EXPECT_FALSE(clip.HasBlock(566));
}
