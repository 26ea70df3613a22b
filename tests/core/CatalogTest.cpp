#include <gtest/gtest.h>

#include "SampleRecords.h"
#include "core/ClipboardPort.h"
#include "core/QuietMode.h"

using namespace tess;
using namespace tess::sample;

namespace {

template <class T>
Bytes Save(T& record) {
  Bytes out;
  record.SaveTo(out, TCatalogVarData::Mode::Copy);
  return out;
}

template <class T>
void Load(T& record, const Bytes& data) {
  TByteReader r(data.data(), data.size());
  record.LoadFrom(r);
}

std::vector<int32_t> Ids(const TCatalog& c) {
  std::vector<int32_t> ids;
  for (int i = 0; i < c.Count(); ++i) ids.push_back(c.ItemAt(i)->Id());
  return ids;
}

void Fill(TWideRecord& r) {
  r.name = "Slime";
  r.number = 2000;
  r.negative = -1;
  r.enabled = 0;
  r.raw = 0xAB;
  for (int i = 0; i < 36; ++i) r.fixed[i] = static_cast<uint8_t>(i);
  r.fixed16[3] = -2;
  r.values = {1, -1, 300};
  r.blob = {9, 8, 7};
  r.words = {100000, -5};
  r.legacy = 4;
  r.packedLow = 3;
  r.packedHigh = 7;
  r.sub.value = 12;
  r.sub.text = "inner";
  r.leaves.Obtain(2)->power = 99;
}

}  // namespace

TEST(Catalog, EmptyRecordAndCatalogEncodings) {
  TPlainRecord plain;
  EXPECT_EQ(Save(plain), Bytes{0x00});
  TLeafList empty;
  Bytes out;
  empty.SaveTo(out);
  EXPECT_EQ(out, Bytes{0x00});

  // An empty list written as a chunk has size 1; a nested record of defaults has size 1 too.
  TWideRecord wide;
  Bytes w = Save(wide);
  const Bytes tail = {60, 0x01, 0x00, 61, 0x01, 0x00, 0x00};
  ASSERT_GE(w.size(), tail.size());
  EXPECT_TRUE(std::equal(tail.begin(), tail.end(), w.end() - static_cast<ptrdiff_t>(tail.size())));
}

TEST(Catalog, WriteRulesOfEachKind) {
  TWideRecord r;
  r.negative = -1;
  Bytes w = Save(r);
  // integer -1 against default 0: id, count 5, the five bytes.
  const Bytes negative = {3, 0x05, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F};
  EXPECT_NE(std::search(w.begin(), w.end(), negative.begin(), negative.end()), w.end());
  // The defaults (integer 5, flag 1, empty string) are not written; byte, fixed blocks and the
  // always-string are.
  TByteReader rd(w.data(), w.size());
  std::vector<int> ids;
  for (;;) {
    int id = rd.ReadInt();
    if (!id) break;
    ids.push_back(id);
    rd.Skip(rd.ReadLength());
  }
  EXPECT_EQ(ids, (std::vector<int>{3, 5, 6, 7, 8, 11, 12, 13, 60, 61}));
}

TEST(Catalog, EveryFieldRoundTripsByteForByte) {
  TWideRecord a;
  Fill(a);
  Bytes first = Save(a);
  TWideRecord b;
  Load(b, first);
  EXPECT_EQ(Save(b), first);
  EXPECT_EQ(b.name, "Slime");
  EXPECT_EQ(b.negative, -1);
  EXPECT_EQ(b.enabled, 0);
  EXPECT_EQ(b.fixed[35], 35);
  EXPECT_EQ(b.fixed16[3], -2);
  EXPECT_EQ(b.values, (std::vector<int16_t>{1, -1, 300}));
  EXPECT_EQ(b.words, (std::vector<int32_t>{100000, -5}));
  EXPECT_EQ(b.packedLow, 3);
  EXPECT_EQ(b.packedHigh, 7);
  EXPECT_EQ(b.sub.text, "inner");
  ASSERT_NE(b.leaves.FindById(2), nullptr);
  EXPECT_EQ(b.leaves.FindById(2)->power, 99);
  EXPECT_TRUE(a.SameAs(b));
}

TEST(Catalog, LoadingResetsFirstAndKeepsUnknownChunksInOrder) {
  TWideRecord r;
  Fill(r);
  // A file from a newer tool: ids 9 and 45 are not described, 1000 is past any described id.
  Bytes in = {1, 2, 'o', 'k', 9, 2, 0xAA, 0xBB, 45, 1, 0x07, 0x87, 0x68, 1, 0x55, 0};
  Load(r, in);
  EXPECT_EQ(r.name, "ok");
  EXPECT_EQ(r.number, 5);  // back to its default: the load started from a reset
  EXPECT_TRUE(r.values.empty());
  ASSERT_EQ(r.UnknownChunks().size(), 3u);
  Bytes out = Save(r);
  // Kept chunks come back in their place among the described ones.
  const Bytes nine = {8, 0, 9, 2, 0xAA, 0xBB, 11};
  EXPECT_NE(std::search(out.begin(), out.end(), nine.begin(), nine.end()), out.end());
  const Bytes fortyFive = {13, 0, 45, 1, 0x07, 60};
  EXPECT_NE(std::search(out.begin(), out.end(), fortyFive.begin(), fortyFive.end()), out.end());
  const Bytes last = {0x87, 0x68, 1, 0x55, 0};
  EXPECT_TRUE(std::equal(last.begin(), last.end(), out.end() - 5));
  // A reload from the saved bytes gives the same bytes again.
  TWideRecord again;
  Load(again, out);
  EXPECT_EQ(Save(again), out);
}

TEST(Catalog, ChunksOutOfOrderAndRepeatedIds) {
  TWideRecord r;
  // 2 then 1 then 2 again: the later chunk with the same id wins.
  Bytes in = {2, 1, 3, 1, 1, 'x', 2, 1, 9, 0};
  Load(r, in);
  EXPECT_EQ(r.number, 9);
  EXPECT_EQ(r.name, "x");
  // A field also readable under a second id.
  TWideRecord legacy;
  Load(legacy, Bytes{31, 1, 6, 0});
  EXPECT_EQ(legacy.legacy, 6);
  Bytes out = Save(legacy);
  const Bytes under30 = {30, 1, 6};
  EXPECT_NE(std::search(out.begin(), out.end(), under30.begin(), under30.end()), out.end());
}

TEST(Catalog, RejectedSizesKeepTheResetValue) {
  TWideRecord r;
  Bytes in = {6, 35};
  in.insert(in.end(), 35, 0x11);
  in.insert(in.end(), {4, 2, 0, 0, 5, 2, 1, 1, 0});
  Load(r, in);
  EXPECT_EQ(r.fixed[0], 0);
  EXPECT_EQ(r.enabled, 1);
  EXPECT_EQ(r.raw, 0);
  // The rejected chunks are not kept either: saving writes the fields once.
  EXPECT_TRUE(r.UnknownChunks().empty());
  // A flag longer than any integer swallowed the chunks after it when its size changed.
  EXPECT_THROW(Load(r, Bytes{4, 6, 1, 2, 3, 4, 5, 6, 0}), EDamagedData);
}

TEST(Catalog, DamagedSizesRaiseBeforeAllocating) {
  const Bytes cases[] = {
      {2, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F, 0},  // negative size
      {1, 0x84, 0x00, 'a', 0},               // size past the end
      {1, 2, 'a', 'b'},                      // no closing 0
      {61, 3, 0x87, 0xFF, 0x7F},             // list count far past the bytes present
      {60, 2, 1, 5},                         // nested record cut inside its chunk
  };
  for (const Bytes& in : cases) {
    TWideRecord r;
    EXPECT_THROW(Load(r, in), EReadError);
  }
}

TEST(Catalog, ConditionalAndSaveOnlyFields) {
  TWideRecord r;
  r.onlyWhenEnabled = 3;
  r.enabled = 0;
  TWideRecord loaded;
  Load(loaded, Save(r));
  EXPECT_EQ(loaded.onlyWhenEnabled, 0);
  r.enabled = 1;
  Load(loaded, Save(r));
  EXPECT_EQ(loaded.onlyWhenEnabled, 3);

  // Only a save to a file moves the counter; copies and comparisons do not.
  TWideRecord counted;
  Bytes file;
  counted.SaveTo(file);
  counted.SaveTo(file);
  EXPECT_EQ(counted.saves, 2);
  TWideRecord copy;
  copy.Assign(counted);
  EXPECT_EQ(copy.saves, 2);
  EXPECT_EQ(counted.saves, 2);
  EXPECT_TRUE(copy.SameAs(counted));
}

TEST(Catalog, ItemsInAnyOrderAndRepeatedIds) {
  TLeafList list;
  // ids 3, 1, 2
  Bytes in = {3, 3, 2, 1, 3, 0, 1, 2, 1, 1, 0, 2, 2, 1, 2, 0};
  TByteReader r(in.data(), in.size());
  list.LoadFrom(r);
  EXPECT_EQ(Ids(list), (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(list.FindById(1)->power, 1);
  EXPECT_EQ(list.FindById(3)->power, 3);

  Bytes twice = {2, 4, 2, 1, 5, 0, 4, 2, 1, 6, 0};
  TByteReader r2(twice.data(), twice.size());
  list.LoadFrom(r2);
  EXPECT_EQ(Ids(list), (std::vector<int32_t>{4}));
  EXPECT_EQ(list.FindById(4)->power, 6);
}

TEST(Catalog, FailedLoadKeepsOnlyTheItemsReadBeforeTheDamage) {
  const struct {
    Bytes in;
    std::vector<int32_t> kept;
    const char* salvaged;
  } cases[] = {
      {{2, 1, 0, 2, 5}, {1}, "1 of the 2 items was read before the damage"},            // item 2 is cut short
      {{3, 4, 0, 1, 0, 9, 3}, {1, 4}, "2 of the 3 items were read before the damage"},  // kept in id order
      {{1, 5, 3}, {}, "0 of the 1 item were read before the damage"},
      {{0x87, 0xFF, 0x7F}, {}, ""},  // a count that cannot be true keeps nothing
  };
  for (const auto& c : cases) {
    TLeafList list;
    list.SetCount(3);
    TByteReader r(c.in.data(), c.in.size());
    try {
      list.LoadFrom(r);
      ADD_FAILURE() << "loaded";
    } catch (const EDamagedData& e) {
      EXPECT_EQ(e.Salvaged(), c.salvaged) << e.what();
    }
    EXPECT_EQ(Ids(list), c.kept);
  }
}

TEST(Catalog, ListOperations) {
  TLeafList list;
  list.SetCount(3);
  list.InsertAt(2)->name = "new";
  EXPECT_EQ(Ids(list), (std::vector<int32_t>{1, 2, 3, 4}));
  EXPECT_EQ(list.ItemAt(1)->name, "new");

  list.SetCount(3);
  list.ItemAt(2)->name = "third";
  list.Remove(2);
  EXPECT_EQ(Ids(list), (std::vector<int32_t>{1, 2}));
  EXPECT_EQ(list.ItemAt(1)->name, "third");

  list.SetCount(3);
  list.Delete(2);
  EXPECT_EQ(Ids(list), (std::vector<int32_t>{1, 3}));
  EXPECT_EQ(list.FindById(2), nullptr);
  list.Obtain(2);
  EXPECT_EQ(Ids(list), (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(list.Append()->Id(), 4);
  EXPECT_EQ(list.InsertAt(9)->Id(), 9);  // nothing at or past 9: appended

  list.SetCount(5);
  EXPECT_EQ(list.FindById(7), nullptr);
  EXPECT_EQ(list.ItemAt(5), nullptr);
  EXPECT_EQ(list.ItemAt(-1), nullptr);
  list.Resize(7);
  EXPECT_EQ(list.Count(), 7);
  list.ItemAt(6)->power = 1;
  list.Resize(2);
  EXPECT_EQ(Ids(list), (std::vector<int32_t>{1, 2}));

  list.SetCount(3);
  list.ItemAt(0)->name = "c";
  list.ItemAt(1)->name = "a";
  list.ItemAt(2)->name = "b";
  list.Sort([](const TLeafItem& x, const TLeafItem& y) { return x.name < y.name; });
  EXPECT_EQ(list.ItemAt(0)->name, "a");
  EXPECT_EQ(Ids(list), (std::vector<int32_t>{1, 2, 3}));
}

TEST(Catalog, AssignCopiesItemsWithTheirIds) {
  TLeafList a, b;
  a.Obtain(2)->power = 4;
  a.Obtain(5)->name = "five";
  b.SetCount(9);
  b.Assign(a);
  EXPECT_EQ(Ids(b), (std::vector<int32_t>{2, 5}));
  EXPECT_EQ(b.FindById(2)->power, 4);
  EXPECT_EQ(b.FindById(5)->name, "five");
}

TEST(Catalog, TypedLookupsRaiseUnlessQuiet) {
  TLeafList list;
  list.SetCount(2);
  EXPECT_EQ(list.ItemById(2), list.FindById(2));
  try {
    list.ItemById(3);
    FAIL();
  } catch (const ELookupError& e) {
    EXPECT_STREQ(e.what(), kLeafMissing);
  }
  EXPECT_THROW(list.ItemByIndex(2), ELookupError);
  TQuietModeScope quiet(true);
  EXPECT_EQ(list.ItemById(3), nullptr);
  EXPECT_EQ(list.ItemByIndex(9), nullptr);
}

TEST(Catalog, StreamFormsLeaveThePositionAfterTheRecord) {
  TWideRecord r;
  Fill(r);
  TMemoryStream s;
  WriteInt(s, 77);
  r.SaveToStream(s);
  WriteInt(s, 88);
  s.SetPosition(1);
  TWideRecord back;
  back.LoadFromStream(s);
  EXPECT_EQ(ReadInt(s), 88);
  EXPECT_TRUE(back.SameAs(r));
}
