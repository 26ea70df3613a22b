// Damage inside event scripts: a script must decode within its block, end at its size chunk's
// length, follow the block structure of its commands and carry the parameter counts its codes
// allow. What fails is damage named with its line and byte; what real scripts hold loads clean.
#include <gtest/gtest.h>

#include <functional>

#include "TestChunks.h"
#include "core/QuietMode.h"
#include "events/CommandShapes.h"
#include "events/LD_Event.h"
#include "maps/LD_Map.h"
#include "script/EventCommandLines.h"

using namespace tess;
using namespace tess::test;

namespace {

using Line = TLcfEventScriptLine;

// A message with a continuation, a branch with an else case, and two choices.
TLcfEventScriptList SampleScript() {
  TLcfEventScriptList s;
  s.AppendLine(Line(10110, 0, "Hello"));
  s.AppendLine(Line(20110, 0, "world"));
  s.AppendLine(Line(12010, 0, "", {0, 1, 0, 0, 0, 1}));
  s.AppendLine(Line(12110, 1, "", {1}));
  s.AppendLine(Line(22010, 0));
  s.AppendLine(Line(10, 1));
  s.AppendLine(Line(22011, 0));
  s.AppendLine(Line(10140, 0, "Yes/No", {2}));
  s.AppendLine(Line(20140, 0, "Yes", {0}));
  s.AppendLine(Line(10, 1));
  s.AppendLine(Line(20140, 0, "No", {1}));
  s.AppendLine(Line(10, 1));
  s.AppendLine(Line(20141, 0));
  s.AppendLine(Line());
  return s;
}

Bytes Pack(const TLcfEventScriptList& s) {
  Bytes block;
  s.EncodeTo(block);
  return block;
}

std::vector<uint32_t> StartsOf(const Bytes& block) {
  std::vector<uint32_t> starts;
  TByteReader r(block.data(), block.size());
  while (!r.AtEnd()) {
    starts.push_back(static_cast<uint32_t>(r.Pos()));
    r.ReadInt();
    r.ReadInt();
    r.Skip(static_cast<size_t>(r.ReadInt()));
    for (int32_t n = r.ReadInt(); n > 0; --n) r.ReadInt();
  }
  return starts;
}

// A page record holding this block, its size chunk saying size (the block's own length when -1).
Bytes PageRecord(const Bytes& block, int64_t size = -1) {
  Bytes record;
  TByteWriter w(record);
  w.WriteInt(51);
  Bytes sizeBody;
  TByteWriter(sizeBody).WriteInt(static_cast<int32_t>(size < 0 ? static_cast<int64_t>(block.size()) : size));
  w.WriteInt(static_cast<int32_t>(sizeBody.size()));
  record.insert(record.end(), sizeBody.begin(), sizeBody.end());
  w.WriteInt(52);
  w.WriteInt(static_cast<int32_t>(block.size()));
  record.insert(record.end(), block.begin(), block.end());
  record.push_back(0);
  return record;
}

// Where the block's body begins in PageRecord(block).
int64_t BlockStart(const Bytes& record) {
  TByteReader r(record.data(), record.size());
  r.ReadInt();
  r.Skip(r.ReadLength());
  r.ReadInt();
  r.ReadLength();
  return static_cast<int64_t>(r.Pos());
}

// Where the depth, the text length and the parameter count of the line at start lie.
struct TLineParts {
  size_t depth, length, count;
};
TLineParts PartsAt(const Bytes& block, size_t start) {
  TByteReader r(block.data() + start, block.size() - start);
  r.ReadInt();
  TLineParts parts{};
  parts.depth = start + r.Pos();
  r.ReadInt();
  parts.length = start + r.Pos();
  r.Skip(static_cast<size_t>(r.ReadInt()));
  parts.count = start + r.Pos();
  return parts;
}

// The damage a page record's load raises; fails the test when it loads.
std::optional<EDamagedData> PageDamage(const Bytes& record) {
  TLcfEventPageItem page;
  TByteReader r(record.data(), record.size());
  try {
    page.LoadFrom(r);
  } catch (const EDamagedData& e) {
    return e;
  }
  return std::nullopt;
}

}  // namespace

TEST(ScriptShape, EachDamageIsNamedWithItsLineAndByte) {
  const Bytes good = Pack(SampleScript());
  const std::vector<uint32_t> at = StartsOf(good);
  ASSERT_EQ(at.size(), 14u);
  ASSERT_FALSE(PageDamage(PageRecord(good)));
  struct TCase {
    const char* what;
    std::function<Bytes(Bytes)> damage;
    int64_t size;         // the size chunk, -1: the damaged block's length
    std::string problem;  // part of the message
    int64_t byte;         // within the block
  };
  // Byte positions inside a line: code, depth, text length, text, count, parameters.
  const TCase cases[] = {
      {"a flipped count",
       [&](Bytes b) {
         b[PartsAt(b, at[7]).count] ^= 0x02;  // Show Choices: 1 parameter becomes 3
         return b;
       },
       -1, "script line 8 (code 10140): it carries 3 parameters where code 10140 has at most 1", at[7]},
      {"a flipped text length",
       [&](Bytes b) {
         b[PartsAt(b, at[0]).length] ^= 0x01;  // "Hello": 5 bytes become 4, and the "o" becomes the count
         return b;
       },
       -1, "script line 1 (code 10110): it carries 111 parameters where code 10110 has at most 0", at[0]},
      {"a broken depth",
       [&](Bytes b) {
         b[PartsAt(b, at[3]).depth] = 2;  // the label in the true branch goes one level deeper
         return b;
       },
       -1, "script line 4 (code 12110): it stands at depth 2 where its block's lines stand at 1", at[3]},
      {"a swallowed end line",
       [&](Bytes b) {
         // The empty line's text takes the branch's end line.
         b[PartsAt(b, at[5]).length] = static_cast<uint8_t>(at[7] - at[6]);
         return b;
       },
       -1, "script line 6 (code 10) has a 0 byte in its text: its length has changed", at[5]},
      {"a size chunk that disagrees", [](Bytes b) { return b; }, static_cast<int64_t>(good.size()) + 1,
       "the script's size chunk 51 says " + std::to_string(good.size() + 1) + " bytes where its block holds " +
           std::to_string(good.size()),
       0},
      {"a negative size chunk", [](Bytes b) { return b; }, int64_t{UINT32_MAX} - 2,  // stored as -3
       "the script's size chunk 51 says -3 bytes where its block holds " + std::to_string(good.size()), 0},
      {"a block cut inside its last line", [](Bytes b) { return Bytes(b.begin(), b.end() - 1); }, -1,
       "script line 14 ends inside its parameter count", at[13]},
      {"a text past the block",
       [&](Bytes b) {
         b[PartsAt(b, at[12]).length] = 0x40;  // the end of the choices claims a text of 64 bytes
         return b;
       },
       -1, "script line 13 (code 20141) has a text of 64 bytes where 5 are left", at[12]},
      {"an end line before the end",
       [&](Bytes b) {
         Bytes end = {0, 0, 0, 0};
         b.insert(b.begin() + at[7], end.begin(), end.end());
         return b;
       },
       -1, "script line 8 (code 0): the end line is followed by 7 more lines", at[7]},
      {"a case of another command",
       [&](Bytes b) {
         b[at[4] + 1] = 0x9D;  // the else case 22010 becomes the choice case 20140 (0x81 0x9D 0x2C)
         b[at[4] + 2] = 0x2C;
         return b;
       },
       -1, "script line 5 (code 20140): it stands outside the code 10140 it belongs to", at[4]},
      {"a second else case",
       [&](Bytes b) {
         b.insert(b.begin() + at[6], good.begin() + at[4], good.begin() + at[6]);
         return b;
       },
       -1, "script line 7 (code 22010): the command at line 3 (code 12010) has one case too many", at[6]},
      {"a script without its end line", [&](Bytes b) { return Bytes(b.begin(), b.begin() + at[13]); }, -1,
       "script line 13 (code 20141): the script does not end with its end line", at[12]},
      {"an unknown code with far too many parameters",
       [&](Bytes b) {
         Bytes line = {5, 0, 0, 101};
         line.insert(line.end(), 101, 7);
         b.insert(b.begin() + at[13], line.begin(), line.end());
         return b;
       },
       -1, "script line 14 (code 5): it carries 101 parameters, far more than any command", at[13]},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    const Bytes record = PageRecord(c.damage(good), c.size);
    const std::optional<EDamagedData> e = PageDamage(record);
    ASSERT_TRUE(e);
    EXPECT_NE(e->Problem().find(c.problem), std::string::npos) << e->what();
    EXPECT_EQ(e->ChunkPath(), "chunk 52") << e->what();
    EXPECT_EQ(e->Offset(), BlockStart(record) + c.byte) << e->what();
  }
  // One 0 byte at the end is what writers of terminated strings leave: "Hell\0" loads and saves back.
  Bytes terminated = good;
  terminated[PartsAt(terminated, at[0]).length + 5] = 0;
  const Bytes record = PageRecord(terminated);
  ASSERT_FALSE(PageDamage(record));
  TLcfEventPageItem page;
  TByteReader r(record.data(), record.size());
  page.LoadFrom(r);
  EXPECT_EQ(FindChunk(TopChunks(Encode(page)), 52)->body, terminated);
}

// An unknown code written in five bytes whose first byte carries bits beyond 32 reads as the
// wrapped value; the page still saves the bytes it was read from.
TEST(ScriptShape, AnOverlongCodeSavesBackItsBytes) {
  const Bytes block = {0xb4, 0xa4, 0xa4, 0x9c, 0x07, 0, 0, 0, 0, 0, 0, 0};
  const Bytes record = PageRecord(block);
  TLcfEventPageItem page;
  TByteReader r(record.data(), record.size());
  page.LoadFrom(r);
  ASSERT_EQ(page.lines.Count(), 2);
  EXPECT_EQ(FindChunk(TopChunks(Encode(page)), 52)->body, block);
}

// An event whose pages chunk changed its id would load with no pages and keep them as an unknown
// chunk; a body that reads whole as the missing pages names it. A one-byte chunk under such an id
// is another writer's own (an integer 0, an empty list) and is kept.
TEST(ScriptShape, PagesUnderAChangedIdAreNamed) {
  TLcfEventItem event;
  event.name = "EV0001";
  event.pages.Append()->lines = SampleScript();
  const Bytes record = Encode(event);
  const struct {
    int id;
    Bytes body;  // empty: the pages chunk's own body
    bool damaged;
  } cases[] = {{4, {}, true}, {7, {}, true}, {13, {}, true}, {4, {0}, false}, {6, {1}, false}, {64, {}, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    std::vector<TChunk> chunks = TopChunks(record);
    for (TChunk& chunk : chunks)
      if (chunk.id == 5) {
        chunk.id = c.id;
        if (!c.body.empty()) chunk.body = c.body;
      }
    const Bytes changed = EncodeChunks(chunks);
    TLcfEventItem loaded;
    TByteReader r(changed.data(), changed.size());
    if (c.damaged) {
      EXPECT_THROW(loaded.LoadFrom(r), EDamagedData);
    } else {
      loaded.LoadFrom(r);
      ASSERT_EQ(loaded.UnknownChunks().size(), 1u);
      EXPECT_EQ(loaded.UnknownChunks()[0].id, c.id);
    }
  }
}

TEST(ScriptShape, MapDamageNamesTheFileEventPageLineAndByte) {
  TLcfMap map;
  map.events.Append();
  TLcfEventItem* second = map.events.Append();
  TLcfEventPageItem* page = second->pages.Append();
  page->lines = SampleScript();
  page->lines.DeleteLine(6);  // the branch's end line
  const Bytes file = map.SaveToBytes();
  const Bytes block = Pack(page->lines);
  const int64_t blockAt = std::search(file.begin(), file.end(), block.begin(), block.end()) - file.begin();
  try {
    TLcfMap loaded;
    loaded.LoadFromBytes(file);
    ADD_FAILURE() << "loaded";
  } catch (const EDamagedData& e) {
    EXPECT_EQ(e.ChunkPath(), "map events > event 2 > page 2 > chunk 52");
    EXPECT_EQ(e.Offset(), blockAt + StartsOf(block)[6]);
    EXPECT_NE(e.Problem().find("script line 7 (code 10140)"), std::string::npos) << e.what();
  }
}

// Every command at the edge values of its parameters, with every shorter count older lines carry
// and the lines a block's parameters call for, loads clean and packs back to its bytes; so do
// codes the editor does not know, up to the count no command comes near.
TEST(ScriptShape, EveryCommandAtItsEdgesLoadsClean) {
  const int32_t edges[] = {INT32_MIN, -1, 0, 1, 2, 5, INT32_MAX};
  TLcfEventScriptList all;
  int commands = 0;
  for (const TCommandShape& shape : kCommandShapes) {
    if (shape.role != TCommandRole::Command) continue;
    ++commands;
    const int longest = shape.paramCount + (shape.moreParams ? 40 : 0);
    for (int count = 0; count <= longest; ++count)
      for (int32_t value : edges) {
        Line opener(shape.code, 0, "A/B/C/D/E");
        opener.params.assign(static_cast<size_t>(count), value);
        const TLcfEventScriptList lines = BuildCommand(opener);
        all.InsertLinesFrom(all.Count(), lines, 0);
      }
  }
  EXPECT_GT(commands, 100);
  // Unknown codes, the empty line and message and comment continuations.
  for (int32_t code : {1, 5, 999, 10100, 19999, 29999, 123456}) {
    ASSERT_EQ(FindCommandShape(code), nullptr);
    all.AppendLine(Line(code, 0, "x", std::vector<int32_t>(kMaxUnknownParams, code)));
  }
  all.AppendLine(Line(10, 0));
  all.AppendLine(Line(10110, 0, "a"));
  all.AppendLine(Line(20110, 0, "b"));
  all.AppendLine(Line(20110, 0, "c"));
  all.AppendLine(Line(12410, 0, "d"));
  all.AppendLine(Line(22410, 0, "e"));
  all.AppendLine(Line());
  EXPECT_FALSE(CheckScriptShape(all)) << CheckScriptShape(all).problem;

  TLcfMap map;
  map.events.Append()->pages.ItemAt(0)->lines = all;
  const Bytes file = map.SaveToBytes();
  TLcfMap loaded;
  loaded.LoadFromBytes(file);
  EXPECT_EQ(loaded.events.ItemAt(0)->pages.ItemAt(0)->lines, all);
  EXPECT_EQ(loaded.SaveToBytes(), file);
  // The empty block some tools write, and no block at all, are an empty script and the new one.
  EXPECT_FALSE(PageDamage(PageRecord({})));
  EXPECT_FALSE(PageDamage(Bytes{0}));
}

// Every one-bit change of a script's bytes, its sizes kept, is damage named inside the block, or
// loads as lines that pack back to exactly the changed bytes with the sample's depths and codes: a
// changed parameter value or text byte, or a code turned into one the editor does not know, which
// is kept as it is; no rule can tell those from an edit.
TEST(ScriptShape, EveryFlippedBitIsNamedOrKeepsEveryLine) {
  const TLcfEventScriptList sample = SampleScript();
  const Bytes good = Pack(sample);
  int named = 0, whole = 0;
  for (size_t bit = 0; bit < good.size() * 8; ++bit) {
    Bytes block = good;
    block[bit / 8] ^= static_cast<uint8_t>(1u << (bit % 8));
    const Bytes record = PageRecord(block);
    TLcfEventPageItem page;
    TByteReader r(record.data(), record.size());
    try {
      page.LoadFrom(r);
    } catch (const EDamagedData& e) {
      ++named;
      EXPECT_EQ(e.ChunkPath(), "chunk 52") << bit;
      EXPECT_GE(e.Offset(), BlockStart(record)) << bit;
      EXPECT_LT(e.Offset(), BlockStart(record) + static_cast<int64_t>(block.size())) << bit;
      continue;
    }
    ++whole;
    ASSERT_EQ(page.lines.Count(), sample.Count()) << bit;
    for (int i = 0; i < sample.Count(); ++i) {
      const int32_t code = page.lines.LineAt(i)->code;
      if (code != sample.LineAt(i)->code) EXPECT_EQ(FindCommandShape(code), nullptr) << bit;
      EXPECT_EQ(page.lines.LineAt(i)->indent, sample.LineAt(i)->indent) << bit;
    }
    EXPECT_EQ(FindChunk(TopChunks(Encode(page)), 52)->body, block) << bit;
  }
  EXPECT_GT(named, 0);
  EXPECT_GT(whole, 0);
}
