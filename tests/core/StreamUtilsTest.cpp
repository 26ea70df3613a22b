#include <gtest/gtest.h>

#include "core/StreamUtils.h"

using namespace tess;

namespace {

Bytes Written(void (*write)(TStream&, int32_t), int32_t value) {
  TMemoryStream s;
  write(s, value);
  return s.Data();
}

}  // namespace

TEST(StreamUtils, IntegerTableWritesAndReadsBack) {
  const struct {
    int32_t value;
    Bytes bytes;
  } table[] = {
      {0, {0x00}},
      {1, {0x01}},
      {127, {0x7F}},
      {128, {0x81, 0x00}},
      {300, {0x82, 0x2C}},
      {2000, {0x8F, 0x50}},
      {16383, {0xFF, 0x7F}},
      {16384, {0x81, 0x80, 0x00}},
      {268435455, {0xFF, 0xFF, 0xFF, 0x7F}},
      {268435456, {0x81, 0x80, 0x80, 0x80, 0x00}},
      {2147483647, {0x87, 0xFF, 0xFF, 0xFF, 0x7F}},
      {-1, {0x8F, 0xFF, 0xFF, 0xFF, 0x7F}},
      {-2000, {0x8F, 0xFF, 0xFF, 0xF0, 0x30}},
      {INT32_MIN, {0x88, 0x80, 0x80, 0x80, 0x00}},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.value);
    EXPECT_EQ(Written(WriteInt, row.value), row.bytes);
    Bytes sized = row.bytes;
    sized.insert(sized.begin(), static_cast<uint8_t>(row.bytes.size()));
    EXPECT_EQ(Written(WriteSizedInt, row.value), sized);
    TMemoryStream in(row.bytes);
    EXPECT_EQ(ReadInt(in), row.value);
    EXPECT_EQ(in.Position(), static_cast<int64_t>(row.bytes.size()));
    TByteReader r(row.bytes.data(), row.bytes.size());
    EXPECT_EQ(r.ReadInt(), row.value);
    EXPECT_TRUE(r.AtEnd());
  }
}

TEST(StreamUtils, SizedPairReadsAsSizeThenValue) {
  TMemoryStream s;
  WriteSizedInt(s, 300);
  s.SetPosition(0);
  EXPECT_EQ(ReadInt(s), 2);
  EXPECT_EQ(ReadInt(s), 300);
}

TEST(StreamUtils, RedundantAndOverlongGroupsFallAway) {
  TMemoryStream a(Bytes{0x80, 0x05});
  EXPECT_EQ(ReadInt(a), 5);
  // Six continued bytes: the top bits shift out, nothing fails.
  TMemoryStream b(Bytes{0x80, 0x80, 0x80, 0x80, 0x80, 0x01});
  EXPECT_EQ(ReadInt(b), 1);
}

TEST(StreamUtils, TruncationRaisesReadError) {
  TMemoryStream cut(Bytes{0x81});
  EXPECT_THROW(ReadInt(cut), EReadError);
  TMemoryStream empty;
  try {
    ReadInt(empty);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), "Stream read error.");
  }
  // A string whose length is past the end, or negative, fails before allocating.
  TMemoryStream shortString(Bytes{0x05, 'a', 'b'});
  EXPECT_THROW(ReadString(shortString), EReadError);
  TMemoryStream negative(Bytes{0x8F, 0xFF, 0xFF, 0xFF, 0x7F});
  EXPECT_THROW(ReadString(negative), EReadError);
  TMemoryStream huge(Bytes{0x87, 0xFF, 0xFF, 0xFF, 0x7F, 'x'});
  EXPECT_THROW(ReadString(huge), EReadError);
}

TEST(StreamUtils, StringsCarryTheirLength) {
  TMemoryStream s;
  WriteString(s, "");
  EXPECT_EQ(s.Data(), Bytes{0x00});
  std::string text(200, 'q');
  TMemoryStream t;
  WriteString(t, text);
  ASSERT_EQ(t.Data().size(), 202u);
  EXPECT_EQ(t.Data()[0], 0x81);
  EXPECT_EQ(t.Data()[1], 0x48);
  t.SetPosition(0);
  EXPECT_EQ(ReadString(t), text);
  TMemoryStream magic;
  WriteString(magic, "LcfMapUnit");
  EXPECT_EQ(magic.Data()[0], 0x0A);
  EXPECT_EQ(magic.Data().size(), 11u);
}
