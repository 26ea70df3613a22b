#include <gtest/gtest.h>

#include "TestChunks.h"
#include "core/QuietMode.h"
#include "database/LD_Switch.h"
#include "database/LD_System.h"
#include "database/LD_Vocabulary.h"

using namespace tess;
using namespace tess::test;

TEST(System, ResetRecordWritesItsFixedChunks) {
  TLcfSystem system;
  Bytes out = Encode(system, TCatalogVarData::Mode::Save);
  auto chunks = TopChunks(out);
  std::vector<int32_t> expected = {22, 27};
  for (int id = 31; id <= 38; ++id) expected.push_back(id);
  for (int id = 41; id <= 52; ++id) expected.push_back(id);
  for (int id = 61; id <= 66; ++id) expected.push_back(id);
  expected.insert(expected.end(), {82, 85, 91});
  EXPECT_EQ(ChunkIds(chunks), expected);
  EXPECT_EQ(FindChunk(chunks, 22)->body, (Bytes{1, 0}));
  EXPECT_EQ(FindChunk(chunks, 27)->body, (Bytes{0, 0}));
  EXPECT_EQ(FindChunk(chunks, 31)->body, (Bytes{1, 5, '(', 'O', 'F', 'F', ')', 0}));
  EXPECT_EQ(FindChunk(chunks, 61)->body, Bytes{0});
  EXPECT_EQ(FindChunk(chunks, 82)->body, Bytes{1});
  EXPECT_EQ(FindChunk(chunks, 85)->body, Bytes{0});
  EXPECT_EQ(FindChunk(chunks, 91)->body, Bytes{1});
  // Only a real save counts; a copy does not.
  EXPECT_EQ(system.saveCount, 1);
  Encode(system);
  EXPECT_EQ(system.saveCount, 1);
  Encode(system, TCatalogVarData::Mode::Save);
  EXPECT_EQ(system.saveCount, 2);
}

TEST(System, EveryFieldRoundTrips) {
  TLcfSystem a;
  a.formatVersion = 2003;
  a.skiffGraphic = "Vehicle";
  a.airshipIndex = 3;
  a.titleName = "Title1";
  a.SetPartySize(3);
  a.SetPartyMember(1, 7);
  a.SetMenuCommandCount(2);
  a.SetMenuCommand(0, 4);
  a.battleMusic.name = "Battle2";
  a.battleMusic.tempo = 120;
  a.itemSound.balance = 10;
  a.mapShowTransition = 19;
  a.animationGrid = 0;
  a.troopPreviewBackdrop = "Grass";
  TLcfTestPlayerItem* member = a.testParty.Append();
  member->SetEquip(4, 31);
  a.testCondition = 4;
  a.reverseAnimations = 1;
  Bytes once = Encode(a);
  TLcfSystem b;
  Decode(b, once);
  EXPECT_EQ(Encode(b), once);
  EXPECT_EQ(b.PartyMember(1), 7);
  EXPECT_EQ(b.PartyMember(0), 1);
  EXPECT_EQ(b.PartyMember(2), 0);
  EXPECT_EQ(b.MenuCommand(0), 4);
  EXPECT_EQ(b.testParty.ItemAt(0)->Equip(4), 31);
  EXPECT_EQ(b.animationGrid, 0);
}

TEST(System, PartyAndMenuAccessors) {
  TLcfSystem s;
  s.SetPartySize(3);
  for (int i = 0; i < 3; ++i) s.SetPartyMember(i, 10 + i);
  EXPECT_EQ(s.PartyMember(3), 0);
  EXPECT_EQ(s.PartyMember(-1), 0);
  s.SetPartyMember(5, 9);  // outside: ignored
  EXPECT_EQ(s.partySize, 3);
  s.SetPartyMember(1, 0);
  EXPECT_EQ(s.partySize, 1);
  EXPECT_EQ(s.partyMembers.size(), 1u);
  EXPECT_EQ(s.PartyMember(0), 10);

  s.SetMenuCommandCount(4);
  s.SetMenuCommand(2, 6);
  s.SetMenuCommand(1, 0);
  EXPECT_EQ(s.menuCommandCount, 1);
  EXPECT_EQ(s.MenuCommand(2), 0);
}

TEST(System, CountLargerThanItsArrayIsCutOnLoad) {
  // Chunk 21 claims four members, chunk 22 holds two; chunk 26 claims 8 commands, 27 holds none.
  Bytes in = {21, 1, 4, 22, 4, 5, 0, 6, 0, 26, 1, 8, 27, 0, 0};
  TLcfSystem s;
  Decode(s, in);
  EXPECT_EQ(s.partySize, 2);
  EXPECT_EQ(s.PartyMember(1), 6);
  EXPECT_EQ(s.menuCommandCount, 0);
  EXPECT_EQ(s.MenuCommand(0), 0);
}

TEST(System, TestPartyMemberPacksOverlappingEquipmentWords) {
  TLcfTestPlayerItem m;
  m.Reset();
  m.SetEquip(0, 3);
  m.SetEquip(1, 0);
  m.SetEquip(2, 7);
  auto chunks = TopChunks(Encode(m));
  EXPECT_EQ(ChunkIds(chunks), (std::vector<int32_t>{11, 12, 13}));
  EXPECT_EQ(FindChunk(chunks, 11)->body, Bytes{3});
  // 458752 = 65536 * 7.
  EXPECT_EQ(FindChunk(chunks, 12)->body, (Bytes{0x9C, 0x80, 0x00}));
  TLcfTestPlayerItem back;
  Decode(back, Encode(m));
  EXPECT_EQ(back.Equip(0), 3);
  EXPECT_EQ(back.Equip(1), 0);
  EXPECT_EQ(back.Equip(2), 7);
  EXPECT_EQ(back.Equip(5), 0);
  back.SetEquip(9, 4);  // ignored

  // A file with only chunk 11 sets weapon and shield from its two halves.
  Bytes only11;
  TByteWriter w(only11);
  w.WriteInt(11);
  w.WriteSizedInt(2 + 65536 * 5);
  w.WriteByte(0);
  Decode(back, only11);
  EXPECT_EQ(back.Equip(0), 2);
  EXPECT_EQ(back.Equip(1), 5);
  EXPECT_EQ(back.heroId, 1);
  // Saved back, the shield also appears as the low half of the second word.
  EXPECT_EQ(ChunkIds(TopChunks(Encode(back))), (std::vector<int32_t>{11, 12}));
  // The accessory word carries a spare slot that is kept as it was.
  Bytes spare;
  TByteWriter ws(spare);
  ws.WriteInt(15);
  ws.WriteSizedInt(9 + 65536 * 77);
  ws.WriteByte(0);
  Decode(back, spare);
  EXPECT_EQ(back.Equip(4), 9);
  TLcfTestPlayerItem again;
  Decode(again, Encode(back));
  EXPECT_EQ(FindChunk(TopChunks(Encode(again)), 15)->body, FindChunk(TopChunks(spare), 15)->body);
}

TEST(Vocabulary, EveryTextIsWrittenEvenWhenEmpty) {
  TLcfVocabulary voc;
  auto chunks = TopChunks(Encode(voc));
  ASSERT_EQ(chunks.size(), 82u + 3 * 11 + 2 * 5);
  for (const TChunk& c : chunks) EXPECT_TRUE(c.body.empty()) << c.id;
  EXPECT_EQ(chunks.front().id, 2);
  EXPECT_EQ(chunks.back().id, 153);
  EXPECT_EQ(FindChunk(chunks, 3), nullptr);
  EXPECT_EQ(FindChunk(chunks, 90), nullptr);
}

TEST(Vocabulary, TextsAddressedByChunkId) {
  TLcfVocabulary voc;
  struct {
    int id;
    std::string* field;
  } cases[] = {{41, &voc.shops[0].greeting}, {51, &voc.shops[0].sellDone},   {54, &voc.shops[1].greeting},
               {77, &voc.shops[2].sellDone}, {80, &voc.inns[0].priceBefore}, {89, &voc.inns[1].decline}};
  for (auto& c : cases) {
    voc.SetText(c.id, "t" + std::to_string(c.id));
    EXPECT_EQ(*c.field, "t" + std::to_string(c.id));
  }
  voc.SetText(vtCurrency, "G");
  voc.SetText(154, "nothing");
  voc.SetText(52, "nothing");
  EXPECT_EQ(voc.Text(vtCurrency), "G");
  EXPECT_EQ(voc.TextById(52), nullptr);
  TLcfVocabulary back;
  Decode(back, Encode(voc));
  EXPECT_EQ(back.Text(95), "G");
  EXPECT_EQ(back.inns[1].decline, "t89");
  EXPECT_EQ(Encode(back), Encode(voc));
}

TEST(Switches, CaptionsAndLookups) {
  EXPECT_EQ(EntryCaption(7, "Door"), "0007:Door");
  EXPECT_EQ(EntryCaption(12, ""), "0012");
  EXPECT_EQ(EntryCaption(12, "", TEmptyName::KeepColon), "0012:");
  TLcfSwitch switches;
  switches.SetCount(2);
  switches.ItemAt(1)->name = "Lever";
  TLcfSwitch back;
  Bytes out;
  switches.SaveTo(out);
  TByteReader r(out.data(), out.size());
  back.LoadFrom(r);
  EXPECT_EQ(back.ItemById(2)->name, "Lever");
  EXPECT_THROW(back.ItemById(3), ELookupError);
  TLcfVariable variables;
  try {
    variables.ItemByIndex(0);
    FAIL();
  } catch (const ELookupError& e) {
    EXPECT_STREQ(e.what(), "Event script referenced a variable that does not exist.");
  }
  TQuietModeScope quiet(true);
  EXPECT_EQ(variables.ItemByIndex(0), nullptr);
}
