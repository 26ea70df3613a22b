#include <gtest/gtest.h>

#include "SampleRecords.h"
#include "core/ChunkDump.h"

using namespace tess;
using namespace tess::sample;

TEST(ChunkDump, ShowsNestingValuesAndHex) {
  TWideRecord r;
  r.number = 300;
  r.sub.value = 1;
  r.leaves.SetCount(2);
  Bytes file = SaveRecordBytes("LcfTest", r);
  std::string dump = DumpChunks(file);
  EXPECT_NE(dump.find("magic \"LcfTest\""), std::string::npos);
  EXPECT_NE(dump.find("chunk 2 size 2 = 300"), std::string::npos);
  EXPECT_NE(dump.find("chunk 6 size 36: 00 00"), std::string::npos);
  EXPECT_NE(dump.find("chunk 60 size 4: record\n  chunk 1 size 1 = 1"), std::string::npos);
  EXPECT_NE(dump.find("chunk 61 size 5: list of 2\n  item 1\n  item 2"), std::string::npos);
  Bytes cut(file.begin(), file.end() - 3);
  EXPECT_THROW(DumpChunks(cut), EReadError);
}
