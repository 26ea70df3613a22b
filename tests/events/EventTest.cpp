#include <gtest/gtest.h>

#include "TestChunks.h"
#include "events/LD_CommonEvent.h"
#include "events/LD_Event.h"
#include "events/TestScripts.h"

using namespace tess;
using namespace tess::test;

namespace {

Bytes Packed(const TLcfEventScriptList& s) {
  Bytes b;
  s.EncodeTo(b);
  return b;
}

}  // namespace

TEST(EventScript, PacksLinesAsCodeIndentTextAndParameters) {
  auto s = Script({{10110, 1, "Hi", {0, 5}}});
  EXPECT_EQ(Packed(s), (Bytes{0xCE, 0x7E, 0x01, 0x02, 0x48, 0x69, 0x02, 0x00, 0x05}));
  TLcfEventScriptList back;
  EXPECT_TRUE(back.DecodeFrom(Packed(s)));
  EXPECT_EQ(back, s);
  EXPECT_EQ(Packed(Script({{}})), (Bytes{0, 0, 0, 0}));
}

TEST(EventScript, DamagedBlocksRaiseAndChangeNothing) {
  const Bytes cases[] = {
      {0xCE},                                   // cut inside the code
      {1, 0, 5, 'a'},                           // text longer than the block
      {1, 0, 0, 3, 1, 2},                       // three parameters, two present
      {1, 0, 0, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F},  // negative parameter count
      {1, 0, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F},     // negative text length
      {1, 0, 0, 0x84, 0x80, 0x80, 0x80, 0x00},  // a huge count in five bytes
  };
  for (const Bytes& block : cases) {
    auto s = Script({{7, 0}});
    EXPECT_THROW(s.DecodeFrom(block), EReadError) << ::testing::PrintToString(block);
    EXPECT_EQ(s.Count(), 1);
    EXPECT_EQ(s.LineAt(0)->code, 7);
  }
}

TEST(EventScript, NewParametersAreZero) {
  TLcfEventScriptLine line(10, 0, "", {4});
  line.SetParamCount(3);
  EXPECT_EQ(line.params, (std::vector<int32_t>{4, 0, 0}));
  line.SetParam(3, 9);
  EXPECT_EQ(line.Param(3), 0);
}

TEST(EventScript, InsertLinesFromKeepsRelativeIndents) {
  struct Case {
    int position;
    int offset;
    std::vector<int> before;  // indents of the target script
    std::vector<int> source;  // indents of the pasted lines
    std::vector<int> after;
  } cases[] = {
      {3, 0, {0, 1, 1, 2, 0}, {1, 2}, {0, 1, 1, 2, 3, 2, 0}},
      {5, 0, {0, 1, 1, 2, 0}, {3}, {0, 1, 1, 2, 0, 0}},  // at the end: the last line's indent
      {0, 1, {2}, {0, 1, 0}, {3, 4, 3, 2}},
      {0, 0, {}, {4, 5}, {0, 1}},  // into an empty script
      // Indents of a damaged file: the sums stay within the range of an indent.
      {1, 0, {INT32_MAX, INT32_MAX}, {INT32_MIN, INT32_MAX}, {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX}},
      {0, -5, {INT32_MIN}, {INT32_MAX, 0}, {INT32_MIN, INT32_MIN, INT32_MIN}},
  };
  for (const Case& c : cases) {
    TLcfEventScriptList target, source;
    for (int i : c.before) target.AppendLine(TLcfEventScriptLine(1, i));
    for (int i : c.source) source.AppendLine(TLcfEventScriptLine(2, i));
    target.InsertLinesFrom(c.position, source, c.offset);
    std::vector<int> indents;
    for (int i = 0; i < target.Count(); ++i) indents.push_back(target.LineAt(i)->indent);
    EXPECT_EQ(indents, c.after);
    EXPECT_EQ(source.LineAt(0)->indent, c.source[0]);
  }
  // Pasting a script into itself.
  auto self = Script({{1, 0}, {2, 1}});
  self.InsertLinesFrom(1, self, 0);
  EXPECT_EQ(self.Count(), 4);
  EXPECT_EQ(self.LineAt(2)->indent, 2);

  auto s = Script({{1, 0}});
  EXPECT_THROW(s.InsertLinesFrom(2, self, 0), std::logic_error);
  EXPECT_THROW(s.InsertLinesFrom(-1, self, 0), std::logic_error);
  EXPECT_THROW(s.InsertLinesFrom(0, TLcfEventScriptList(), 0), std::logic_error);
  EXPECT_EQ(s.Count(), 1);
}

TEST(MoveRoute, PacksOperandsByCode) {
  TLcfMoveRoute route;
  route.AppendCommand({.code = 1});
  route.AppendCommand({.code = 34, .graphicName = "Hero", .graphicIndex = 2});
  route.AppendCommand({.code = 32, .switchId = 7});
  EXPECT_EQ(route.GetPackedBytes(), (Bytes{0x01, 0x22, 0x04, 0x48, 0x65, 0x72, 0x6F, 0x02, 0x20, 0x07}));
  route.AppendCommand({.code = 35, .soundName = "Cat", .volume = 80, .tempo = 100, .balance = 50});
  TLcfMoveRoute back;
  back.repeat = 0;
  Decode(back, Encode(route));
  EXPECT_EQ(back.repeat, 1);
  ASSERT_EQ(back.CommandCount(), 4);
  EXPECT_EQ(*back.CommandAt(3), *route.CommandAt(3));
  EXPECT_EQ(back.CommandAt(4), nullptr);
  EXPECT_STREQ(MoveCommandName(16), "Turn 90\xB0 Right");
  EXPECT_STREQ(MoveCommandName(41), "Reduce Transp");
  EXPECT_STREQ(MoveCommandName(42), "?");

  const Bytes damaged[] = {{34, 5, 'a'}, {35, 0, 1, 2}, {32}};
  for (const Bytes& block : damaged) {
    EXPECT_THROW(back.SetPackedBytes(block.data(), block.size()), EReadError);
    EXPECT_EQ(back.CommandCount(), 4);
  }
}

TEST(EventPage, NewPageWritesItsFixedChunks) {
  TLcfEventPageItem page;
  page.Reset();
  auto chunks = TopChunks(Encode(page));
  EXPECT_EQ(ChunkIds(chunks), (std::vector<int32_t>{2, 23, 25, 31, 33, 34, 35, 36, 41, 51, 52}));
  EXPECT_EQ(FindChunk(chunks, 2)->body, (Bytes{1, 1, 0, 7, 1, 1, 0}));
  EXPECT_EQ(FindChunk(chunks, 23)->body, Bytes{2});
  EXPECT_EQ(FindChunk(chunks, 41)->body, (Bytes{12, 0, 0}));
  EXPECT_EQ(FindChunk(chunks, 51)->body, Bytes{4});
  EXPECT_EQ(FindChunk(chunks, 52)->body, (Bytes{0, 0, 0, 0}));
}

TEST(EventPage, HeroZeroIsOmittedAndReadsBackAsOne) {
  // The hero chunk is omitted at 0 but a reset condition names hero 1: a stored 0 does not survive
  // a save, so callers that mean "no hero" clear the hero flag instead.
  TLcfEventCondition c;
  c.heroId = 0;
  TLcfEventCondition back;
  Decode(back, Encode(c));
  EXPECT_EQ(back.heroId, 1);
}

TEST(EventPage, MissingBlockKeepsTheEmptyScript) {
  TLcfEventPageItem page;
  page.Reset();
  page.lines.AppendLine(TLcfEventScriptLine(10110, 0, "x"));
  Decode(page, Bytes{0});
  ASSERT_EQ(page.lines.Count(), 1);
  EXPECT_EQ(*page.lines.LineAt(0), TLcfEventScriptLine());
  EXPECT_EQ(page.direction, 2);
  EXPECT_EQ(page.condition.heroId, 1);
  // The stored size always follows the block.
  EXPECT_EQ(FindChunk(TopChunks(Encode(page)), 51)->body, Bytes{4});
}

TEST(EventPage, UntouchedScriptsKeepTheirBytes) {
  // A block that spells the (unknown) code 5 in two bytes (0x80 0x05) where one suffices.
  Bytes longForm = {0x80, 0x05, 0, 0, 1, 0x80, 0x05, 0, 0, 0, 0};
  TLcfEventPageItem page;
  page.Reset();
  Bytes record = {51, 1, 11, 52, 11};
  record.insert(record.end(), longForm.begin(), longForm.end());
  record.push_back(0);
  Decode(page, record);
  EXPECT_EQ(page.lines.LineAt(0)->code, 5);
  EXPECT_EQ(page.lines.LineAt(0)->Param(0), 5);
  auto block = [](TLcfEventPageItem& p) { return FindChunk(TopChunks(Encode(p)), 52)->body; };
  EXPECT_EQ(block(page), longForm);
  TLcfEventPageItem copy;
  copy.Assign(page);
  EXPECT_EQ(block(copy), longForm);
  // Once a line changes, the script is packed afresh.
  page.lines.LineAt(0)->SetParam(0, 6);
  EXPECT_EQ(block(page), (Bytes{5, 0, 0, 1, 6, 0, 0, 0, 0}));
  page.lines.LineAt(0)->SetParam(0, 5);
  EXPECT_EQ(block(page), longForm);
}

TEST(EventPage, WritingLeavesThePackedFormsAsLoaded) {
  TLcfEventPageItem page;
  page.Reset();
  const Bytes loaded = page.scriptBytes;
  page.lines.InsertLine(0, std::make_unique<TLcfEventScriptLine>(10110, 0, "Hi"));
  page.moveRoute.AppendCommand();
  const Bytes route = page.moveRoute.routeBytes;
  const Bytes first = Encode(page);
  TLcfEventPageItem other;
  EXPECT_FALSE(other.SameAs(page));
  EXPECT_EQ(Encode(page), first);
  EXPECT_EQ(page.scriptBytes, loaded);
  EXPECT_EQ(page.scriptSize, 4);
  EXPECT_EQ(page.moveRoute.routeBytes, route);
  EXPECT_NE(FindChunk(TopChunks(first), 52)->body, loaded);
}

TEST(EventPage, DamagedScriptFailsTheEventListLoad) {
  TLcfEvent events;
  TLcfEventItem* e = events.Append();
  e->pages.ItemAt(0)->lines.AppendLine(TLcfEventScriptLine(10110, 0, "Hello", {1, 2}));
  Bytes out;
  events.SaveTo(out);
  // Cut the page's block short by changing its last parameter count from 2 to 3, keeping sizes.
  auto it = std::search(out.begin(), out.end(), std::begin("Hello") - 0, std::begin("Hello") + 5);
  ASSERT_NE(it, out.end());
  it[5] = 3;
  TLcfEvent back;
  back.Append();
  TByteReader r(out.data(), out.size());
  EXPECT_THROW(back.LoadFrom(r), EReadError);
  EXPECT_EQ(back.Count(), 0);
}

TEST(Event, NewEventHasOnePageAndRoundTrips) {
  TLcfEvent events;
  TLcfEventItem* e = events.Obtain(3);
  EXPECT_EQ(e->pages.Count(), 1);
  EXPECT_EQ(e->pages.ItemAt(0)->Id(), 1);
  e->name = DefaultEventName(3);
  EXPECT_EQ(e->name, "EV0003");
  e->x = 12;
  e->y = 499;
  TLcfEventPageItem* p2 = e->pages.Append();
  p2->condition.flags = TLcfEventCondition::kSwitchA | TLcfEventCondition::kTimer2;
  p2->condition.heroId = 5;
  p2->condition.variableValue = -999999;
  p2->graphicName = "People1";
  p2->trigger = 4;
  p2->moveRoute.skipImpossible = 1;
  p2->moveRoute.AppendCommand({.code = 23});
  p2->lines.InsertLine(0, std::make_unique<TLcfEventScriptLine>(11410, 0, "", std::vector<int32_t>{10}));
  Bytes once;
  events.SaveTo(once);
  TLcfEvent back;
  TByteReader r(once.data(), once.size());
  back.LoadFrom(r);
  Bytes twice;
  back.SaveTo(twice);
  EXPECT_EQ(twice, once);
  const TLcfEventPageItem* q = back.ItemById(3)->pages.ItemById(2);
  EXPECT_EQ(q->condition.heroId, 5);
  EXPECT_EQ(q->lines.Count(), 2);
  EXPECT_EQ(q->moveRoute.CommandCount(), 1);
}

TEST(CommonEvent, DefaultsAndRoundTrip) {
  TLcfCommonEventItem ce;
  ce.Reset();
  ce.trigger = 3;
  Decode(ce, Bytes{1, 2, 'C', 'E', 0});
  EXPECT_EQ(ce.trigger, TLcfCommonEventItem::kCall);
  EXPECT_EQ(ce.name, "CE");
  auto chunks = TopChunks(Encode(ce));
  EXPECT_EQ(ChunkIds(chunks), (std::vector<int32_t>{1, 11, 21, 22}));
  ce.useSwitch = 1;
  ce.switchId = 20;
  ce.lines.InsertLine(0, std::make_unique<TLcfEventScriptLine>(12110, 0, "", std::vector<int32_t>{3}));
  TLcfCommonEvent list;
  list.Obtain(1)->Assign(ce);
  EXPECT_EQ(Encode(*list.ItemById(1)), Encode(ce));
  EXPECT_THROW(list.ItemById(2), ELookupError);
}
