// The switch and variable pickers without a window: blocks of 20, moving across them, naming,
// the list size and writing back, and the id remembered between pickers.
#include <gtest/gtest.h>

#include "database/DataBaseObj.h"
#include "database/SwitchPickerModel.h"

using namespace tess;

namespace {

void Fill(TCatalog& catalog, int count) {
  catalog.SetCount(count);
  for (int i = 0; i < count; ++i) catalog.ItemAt(i)->name = "S" + std::to_string(i + 1);
}

class SwitchPicker : public ::testing::Test {
 protected:
  void SetUp() override {
    TSwitchPickerModel::LastId(TPickerList::Switches) = 1;
    TSwitchPickerModel::LastId(TPickerList::Variables) = 1;
  }
  TLcfDataBase database;
};

}  // namespace

TEST_F(SwitchPicker, GroupLinesEndAtTheLastId) {
  using V = std::vector<std::string>;
  const struct {
    int count;
    V groups;
  } cases[] = {
      {1, {"[ 0001 - 0001 ]"}},
      {20, {"[ 0001 - 0020 ]"}},
      {21, {"[ 0001 - 0020 ]", "[ 0021 - 0021 ]"}},
      {45, {"[ 0001 - 0020 ]", "[ 0021 - 0040 ]", "[ 0041 - 0045 ]"}},
      {0, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(TSwitchPickerModel::GroupLines(c.count), c.groups) << c.count;
  EXPECT_EQ(TSwitchPickerModel::GroupLines(9999).back(), "[ 9981 - 9999 ]");
  EXPECT_EQ(TSwitchPickerModel::GroupLines(9999).size(), 500u);
}

TEST_F(SwitchPicker, MovesAcrossBlocksAndKeepsTheRowWhereItCan) {
  Fill(database.switches, 45);
  TSwitchPickerModel m(TPickerList::Switches, database.switches, &database.switches);
  EXPECT_EQ(m.SelectedId(), 1);
  m.Select(20);
  m.Next();  // F5 on a block's last entry: the next block's first
  EXPECT_EQ(std::make_tuple(m.SelectedId(), m.Block(), m.Row()), std::make_tuple(21, 1, 0));
  m.Previous();  // F4 on a block's first entry: the previous block's last
  EXPECT_EQ(std::make_tuple(m.SelectedId(), m.Block(), m.Row()), std::make_tuple(20, 0, 19));
  m.Select(1);
  m.Previous();
  EXPECT_EQ(m.SelectedId(), 1);
  m.Select(45);
  m.Next();
  EXPECT_EQ(m.SelectedId(), 45);
  // A block shorter than the selected row selects its last row.
  m.Select(38);
  m.SelectBlock(2);
  EXPECT_EQ(m.SelectedId(), 45);
  m.SelectBlock(0);
  EXPECT_EQ(m.SelectedId(), 5);
  EXPECT_EQ(m.Entries().front(), "0001:S1");
  EXPECT_EQ(m.Entries().size(), 20u);
}

TEST_F(SwitchPicker, OpensOnTheIdChosenLastInAnyPicker) {
  Fill(database.switches, 30);
  Fill(database.variables, 30);
  {
    TSwitchPickerModel m(TPickerList::Switches, database.switches, &database.switches);
    m.Select(27);
    EXPECT_EQ(m.Accept(), 27);
  }
  // Another command's picker opens on 27, whatever it holds; the variable picker keeps its own.
  EXPECT_EQ(TSwitchPickerModel(TPickerList::Switches, database.switches, nullptr).SelectedId(), 27);
  EXPECT_EQ(TSwitchPickerModel(TPickerList::Variables, database.variables, nullptr).SelectedId(), 1);
  // A remembered id beyond a shorter list leaves the first entry selected.
  Fill(database.switches, 10);
  EXPECT_EQ(TSwitchPickerModel(TPickerList::Switches, database.switches, nullptr).SelectedId(), 1);
}

TEST_F(SwitchPicker, NamesAreWrittenOnlyByApplyOrOk) {
  Fill(database.switches, 5);
  TSwitchPickerModel m(TPickerList::Switches, database.switches, &database.switches);
  m.Select(2);
  const std::string longName = "A name of 25 characters!!";
  ASSERT_EQ(longName.size(), 25u);
  m.Paste(longName);  // stored whole; only typing is held to 20
  EXPECT_TRUE(m.ApplyEnabled());
  EXPECT_EQ(database.switches.ItemAt(1)->name, "S2");
  EXPECT_EQ(m.EntryLine(2), "0002:" + longName);
  m.Apply();
  EXPECT_EQ(database.switches.ItemAt(1)->name, longName);
  EXPECT_TRUE(m.DatabaseChanged());
  EXPECT_FALSE(m.ApplyEnabled());
  m.Select(3);
  m.Clear();
  // Cancel: the cleared name is not written, the applied one stays.
  EXPECT_EQ(database.switches.ItemAt(2)->name, "S3");
  m.Accept();
  EXPECT_EQ(database.switches.ItemAt(2)->name, "");
  // Without a list to write to, nothing is written and nothing reports a change.
  TSwitchPickerModel readOnly(TPickerList::Switches, database.switches, nullptr);
  readOnly.SetName("x");
  readOnly.Accept();
  EXPECT_FALSE(readOnly.DatabaseChanged());
  EXPECT_EQ(database.switches.ItemAt(0)->name, "S1");
}

TEST_F(SwitchPicker, ArraySizeShrinksAndGrowsTheList) {
  Fill(database.variables, 100);
  {
    TSwitchPickerModel m(TPickerList::Variables, database.variables, &database.variables);
    m.Select(80);
    EXPECT_TRUE(m.SizeLosesData(50));
    EXPECT_FALSE(m.SizeLosesData(100));
    m.SetArraySize(50);
    EXPECT_EQ(m.SelectedId(), 50);  // the selection follows into the list
    EXPECT_EQ(m.Groups().size(), 3u);
    EXPECT_EQ(database.variables.Count(), 100);  // nothing written before OK
    m.Accept();
    EXPECT_TRUE(m.DatabaseChanged());
  }
  ASSERT_EQ(database.variables.Count(), 50);
  EXPECT_EQ(database.variables.ItemAt(49)->Id(), 50);
  EXPECT_EQ(database.variables.ItemAt(49)->name, "S50");
  TSwitchPickerModel m(TPickerList::Variables, database.variables, &database.variables);
  m.SetArraySize(52);
  m.Accept();
  ASSERT_EQ(database.variables.Count(), 52);
  EXPECT_EQ(database.variables.ItemAt(51)->Id(), 52);
  EXPECT_EQ(database.variables.ItemAt(51)->name, "");
  // The size stays within 1 to 9999.
  m.SetArraySize(0);
  EXPECT_EQ(m.Count(), 1);
}
