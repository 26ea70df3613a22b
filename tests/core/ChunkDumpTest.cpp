#include <gtest/gtest.h>

#include "SampleRecords.h"
#include "core/ChunkDump.h"

using namespace tess;
using namespace tess::sample;

namespace {

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

Bytes Magic(const std::string& magic) {
  Bytes out;
  TByteWriter(out).WriteString(magic);
  return out;
}

const TFileLayout kTreeLayout = {{TFilePart::List, "nodes"},
                                 {TFilePart::IntegerList, "order"},
                                 {TFilePart::Integer, "current"},
                                 {TFilePart::Record, "start"}};

}  // namespace

TEST(ChunkDump, ShowsNestingValuesTextAndHex) {
  TWideRecord r;
  r.name = "Hero";
  r.number = 300;
  r.sub.value = 1;
  r.leaves.SetCount(2);
  const TChunkDump dump = DumpChunks(SaveRecordBytes("LcfTest", r));
  EXPECT_EQ(dump.damage, "");
  const std::string& text = dump.text;
  EXPECT_EQ(text.rfind("magic \"LcfTest\"\nchunk 1 size 4: \"Hero\"\n", 0), 0u) << text;
  EXPECT_NE(text.find("chunk 2 size 2 = 300"), std::string::npos);
  EXPECT_NE(text.find("chunk 6 size 36: 00 00"), std::string::npos);
  EXPECT_NE(text.find("chunk 60 size 4: record\n  chunk 1 size 1 = 1"), std::string::npos);
  EXPECT_NE(text.find("chunk 61 size 5: list of 2\n  item 1\n  item 2"), std::string::npos);
}

// The three top levels: a record closed by 0, a run of chunks that ends with the file, and a
// sequence of parts.
TEST(ChunkDump, ShowsEachLayoutWhole) {
  const Bytes run = Concat({Magic("LcfRun"), {11, 3, 1, 1, 0}, {26, 0}, {22, 2, 0x81, 0x00}});
  TChunkDump dump = DumpChunks(run, {{TFilePart::ChunkRun}});
  EXPECT_EQ(dump.damage, "");
  EXPECT_EQ(dump.text,
            "magic \"LcfRun\"\n"
            "chunk 11 size 3: list of 1\n  item 1\n"
            "chunk 26 size 0\n"
            "chunk 22 size 2 = 128\n");
  EXPECT_EQ(DumpChunks(run).text, dump.text);  // found without being told
  EXPECT_EQ(DumpChunks(run, {{TFilePart::Record}}).damage, "the record ends without its closing 0 at byte 18");

  const Bytes tree = Concat({Magic("LcfTree"), {2, 0, 1, 2, 1, 'R', 0, 1, 0}, {2, 0, 1}, {1}, {1, 1, 5, 0}});
  dump = DumpChunks(tree, kTreeLayout);
  EXPECT_EQ(dump.damage, "");
  EXPECT_EQ(dump.text,
            "magic \"LcfTree\"\n"
            "nodes: list of 2\n  item 0\n    chunk 1 size 2: 01 52\n  item 1\n"
            "order: 2 integers: 0 1\n"
            "current = 1\n"
            "start: record\n  chunk 1 size 1 = 5\n");
}

TEST(ChunkDump, NamesWhereAFileDepartsFromItsLayout) {
  const Bytes tree = Concat({Magic("LcfTree"), {2, 0, 1, 2, 1, 'R', 0, 1, 0}, {2, 0, 1}, {1}, {1, 1, 5, 0}});
  const struct {
    const char* name;
    Bytes file;
    TFileLayout layout;
    const char* damage;
  } cases[] = {
      {"no magic", {0x85}, {{TFilePart::Record}}, "the file does not start with a magic string"},
      {"bytes after the record",
       Concat({Magic("M"), {1, 1, 7, 0, 9, 9}}),
       {{TFilePart::Record}},
       "2 bytes after the end of the data at byte 6"},
      {"record without its 0",
       Concat({Magic("M"), {1, 1, 7}}),
       {{TFilePart::Record}},
       "the record ends without its closing 0 at byte 5"},
      {"chunk past the end",
       Concat({Magic("M"), {1, 1, 7, 4, 9, 1, 0}}),
       {{TFilePart::Record}},
       "chunk 4: its size 9 runs past the end of the file, 2 bytes after it at byte 5"},
      {"size cut off",
       Concat({Magic("M"), {1, 0x81}}),
       {{TFilePart::ChunkRun}},
       "chunk 1: the chunk's size is cut off by the end of the file at byte 3"},
      {"negative id",
       Concat({Magic("M"), {0x8F, 0xFF, 0xFF, 0xFF, 0x7F, 0}}),
       {{TFilePart::ChunkRun}},
       "chunk id -1 is negative at byte 2"},
      {"list count too high", Concat({Magic("T"), {40, 0, 0}}), kTreeLayout,
       "nodes: the item count 40 is more than the bytes that follow at byte 2"},
      {"item without its 0", Bytes(tree.begin(), tree.begin() + 14), kTreeLayout,
       "nodes > item 1 (id 0): the record ends without its closing 0 at byte 14"},
      {"order cut off", Bytes(tree.begin(), tree.begin() + 19), kTreeLayout,
       "order: the count 2 is more than the bytes that follow at byte 17"},
      {"tree without its start record", Bytes(tree.begin(), tree.end() - 4), kTreeLayout,
       "start: the record ends without its closing 0 at byte 21"},
      {"tree with a byte more", Concat({tree, {0}}), kTreeLayout, "1 bytes after the end of the data at byte 25"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TChunkDump dump = DumpChunks(c.file, c.layout);
    EXPECT_EQ(dump.damage, c.damage);
  }
  // What came before the damage is shown.
  const TChunkDump cut = DumpChunks(Bytes(tree.begin(), tree.begin() + 19), kTreeLayout);
  EXPECT_EQ(cut.text, "magic \"LcfTree\"\nnodes: list of 2\n  item 0\n    chunk 1 size 2: 01 52\n  item 1\n");
}
