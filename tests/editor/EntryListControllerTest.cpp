#include <gtest/gtest.h>

#include "core/ClipboardPort.h"
#include "editor/database/EntryListController.h"

using namespace tess;

namespace {

class TEntry : public TCatalogItem {
 public:
  int32_t power = 0;
  void DescribeChunks(TCatalogVarData& v) override {
    v.String(1, name);
    v.Integer(2, power, 0);
  }
};

class TEntries : public TCatalogOf<TEntry> {
 public:
  TEntries() : TCatalogOf("Event script referenced an entry that does not exist.") {}
};

constexpr int kFormat = 577;

struct EntryList : ::testing::Test {
  TEntries entries;
  TEntryListController list{entries, kFormat};
  TMemoryClipboard clipboard;
  TClipboardPortScope port{&clipboard};
};

}  // namespace

TEST_F(EntryList, LinesAndTheFirstEntryOfAnEmptyList) {
  list.EnsureEntry();
  EXPECT_EQ(list.Lines(), std::vector<std::string>{"0001:"});
  entries.SetCount(12);
  entries.FindById(12)->name = "Slime";
  EXPECT_EQ(list.Lines()[11], "0012:Slime");
  EXPECT_EQ(list.Lines()[2], "0003:");
}

TEST_F(EntryList, ArraySizeGrowsAndShrinks) {
  entries.SetCount(10);
  EXPECT_TRUE(list.SizeLosesData(8));
  EXPECT_FALSE(list.SizeLosesData(12));
  list.SetArraySize(8);
  EXPECT_EQ(list.Count(), 8);
  EXPECT_EQ(entries.FindById(9), nullptr);
  list.SetArraySize(0);  // never below one entry
  EXPECT_EQ(list.Count(), 1);
  list.SetArraySize(20000);
  EXPECT_EQ(list.Count(), TEntryListController::kMaxArraySize);
}

TEST_F(EntryList, PasteOverwritesAndGrows) {
  entries.SetCount(4);
  for (int i = 0; i < 4; ++i) entries.ItemAt(i)->power = i + 1;
  EXPECT_FALSE(list.CanPaste());
  list.MultipleCopy(0, 3);
  EXPECT_TRUE(list.CanPaste());
  EXPECT_EQ(list.Paste(3), 3);
  EXPECT_EQ(list.Count(), 6);
  EXPECT_EQ(entries.FindById(4)->power, 1);
  EXPECT_EQ(entries.FindById(6)->power, 3);
}

TEST_F(EntryList, MultipleCopyLimitsAndCut) {
  entries.SetCount(10);
  EXPECT_EQ(list.MultipleCopyLimit(6), 4);  // entry 7 of 10
  entries.ItemAt(6)->name = "Potion";
  entries.ItemAt(6)->power = 5;
  list.Cut(6);
  EXPECT_EQ(entries.ItemAt(6)->name, "");
  EXPECT_EQ(entries.ItemAt(6)->power, 0);
  EXPECT_EQ(entries.ItemAt(6)->Id(), 7);
  EXPECT_EQ(list.Paste(0), 1);
  EXPECT_EQ(entries.ItemAt(0)->name, "Potion");
  EXPECT_EQ(entries.ItemAt(0)->Id(), 1);
}
