// Byte-level encodings of new records, the trimming rules of rank and mark arrays, and the range
// checks of the accessors.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "FakeLinks.h"
#include "TestChunks.h"
#include "database/LD_Animation.h"
#include "database/LD_Animation2.h"
#include "database/LD_Attrib.h"
#include "database/LD_Battle.h"
#include "database/LD_ChipSet.h"
#include "database/LD_Ground.h"
#include "database/LD_Item.h"
#include "database/LD_Job.h"
#include "database/LD_Monster.h"
#include "database/LD_Player.h"
#include "database/LD_Skill.h"
#include "database/LD_Status.h"

using namespace tess;
using namespace tess::test;

namespace {

struct TNewRecordCase {
  const char* what;
  std::function<Bytes()> encode;
  std::vector<int32_t> ids;
  std::vector<std::pair<int32_t, Bytes>> bodies;  // chunks whose body is checked exactly
};

template <class T>
Bytes EncodeNew(int32_t id = 1) {
  T item;
  item.SetId(id);
  item.Reset();
  return Encode(item);
}

Bytes ListOfOneDefault(const Bytes& itemBody) {
  Bytes out = itemBody;
  out.insert(out.begin(), 2, 1);  // count 1, id 1
  return out;
}

}  // namespace

TEST(Records, NewRecordsWriteOnlyWhatDiffersFromTheirDefaults) {
  const Bytes sound = {1, 5, '(', 'O', 'F', 'F', ')', 0};
  const Bytes cbaEntry = ListOfOneDefault({0});
  const Bytes ffCommands = [] {
    Bytes b(24, 0xFF);
    b.insert(b.end(), 4, 0);
    return b;
  }();
  Bytes emptyFrames = {20};
  for (int i = 1; i <= 20; ++i) emptyFrames.insert(emptyFrames.end(), {static_cast<uint8_t>(i), 1, 1, 0, 0});

  const TNewRecordCase cases[] = {
      {"hero",
       [] { return EncodeNew<TLcfPlayerItem>(); },
       {31, 51, 63, 72, 74, 80},
       {{51, Bytes(10, 0)}, {63, {0}}, {72, {}}, {74, {}}, {80, Bytes(28, 0xFF)}}},
      {"class", [] { return EncodeNew<TLcfJobItem>(); }, {31, 63, 72, 74, 80}, {{80, ffCommands}}},
      {"skill",
       [] { return EncodeNew<TLcfSkillItem>(); },
       {8, 12, 16, 42, 44, 50},
       {{8, {0}}, {12, {0}}, {16, sound}, {42, {}}, {44, {}}, {50, cbaEntry}}},
      {"item",
       [] { return EncodeNew<TLcfItemItem>(); },
       {3, 15, 31, 51, 62, 64, 66, 70, 73},
       {{3, {0}}, {15, {0}}, {31, {0}}, {51, {0}}, {62, {}}, {64, {}}, {66, {}}, {70, cbaEntry}, {73, {}}}},
      {"monster",
       [] { return EncodeNew<TLcfMonsterItem>(); },
       {32, 34, 42},
       {{42, ListOfOneDefault({1, 1, 0, 2, 1, 0, 5, 1, 0, 0})}}},
      {"tileset", [] { return EncodeNew<TLcfChipSetItem>(); }, {}, {}},
      {"terrain", [] { return EncodeNew<TLcfGroundItem>(); }, {11, 15}, {{11, {0}}, {15, sound}}},
      {"battle animation",
       [] { return EncodeNew<TLcfAnimationItem>(); },
       {6, 9, 10, 12},
       {{6, {0}}, {9, {0}}, {10, {2}}, {12, emptyFrames}}},
      {"battler animation set", [] { return EncodeNew<TLcfAnimation2Item>(); }, {10, 11}, {}},
      {"attribute", [] { return EncodeNew<TLcfAttribItem>(); }, {2}, {{2, {0}}}},
      {"condition 2", [] { return EncodeNew<TLcfStatusItem>(2); }, {2, 5}, {{2, {0}}, {5, {0}}}},
      {"condition 1",
       [] { return EncodeNew<TLcfStatusItem>(1); },
       {2, 3, 4, 5},
       {{2, {1}}, {3, {5}}, {4, {100}}, {5, {1}}}},
      {"battle layout",
       [] {
         TLcfBattle battle;
         return Encode(battle);
       },
       {10},
       {{10, ListOfOneDefault({1, 0, 0})}}},
  };
  for (const TNewRecordCase& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes bytes = c.encode();
    std::vector<TChunk> chunks = TopChunks(bytes);
    EXPECT_EQ(ChunkIds(chunks), c.ids);
    for (const auto& [id, body] : c.bodies) {
      const TChunk* chunk = FindChunk(chunks, id);
      ASSERT_NE(chunk, nullptr) << id;
      EXPECT_EQ(chunk->body, body) << "chunk " << id;
    }
  }
  TLcfPlayerItem hero;
  std::vector<TChunk> heroChunks = TopChunks(Encode(hero));
  EXPECT_EQ(FindChunk(heroChunks, 31)->body.size(), 594u * 2);
}

TEST(Records, RankAndMarkArraysAreTrimmedOnSaving) {
  struct TCase {
    const char* what;
    int conditions;
    std::function<Bytes(const TTrimLimits&)> encode;
    int countId, arrayId;
    std::vector<int32_t> expectCount;  // empty: the count chunk is omitted
    Bytes expectArray;
  };
  const TCase cases[] = {
      {"hero C A C C, 6 conditions",
       6,
       [](const TTrimLimits& limits) {
         TLcfPlayerItem hero;
         hero.ResizeConditionRanks(4);
         hero.SetConditionRank(2, kRankA);
         hero.TrimForSave(limits);
         return Encode(hero);
       },
       71,
       72,
       {2},
       {2, 0}},
      {"hero C A C C, 1 condition",
       1,
       [](const TTrimLimits& limits) {
         TLcfPlayerItem hero;
         hero.ResizeConditionRanks(4);
         hero.SetConditionRank(2, kRankA);
         hero.TrimForSave(limits);
         return Encode(hero);
       },
       71,
       72,
       {1},
       {2}},
      {"class attributes all neutral",
       6,
       [](const TTrimLimits& limits) {
         TLcfJobItem job;
         job.ResizeAttributeRanks(5);
         job.TrimForSave(limits);
         return Encode(job);
       },
       73,
       74,
       {},
       {}},
      {"monster all B",
       6,
       [](const TTrimLimits& limits) {
         TLcfMonsterItem monster;
         monster.ResizeConditionRanks(5);
         monster.TrimForSave(limits);
         return Encode(monster);
       },
       31,
       32,
       {},
       {}},
      {"monster C on condition 3",
       6,
       [](const TTrimLimits& limits) {
         TLcfMonsterItem monster;
         monster.ResizeConditionRanks(5);
         monster.SetConditionRank(3, kRankC);
         monster.TrimForSave(limits);
         return Encode(monster);
       },
       31,
       32,
       {3},
       {1, 1, 2}},
      {"monster attribute B",
       6,
       [](const TTrimLimits& limits) {
         TLcfMonsterItem monster;
         monster.ResizeAttributeRanks(4);
         monster.SetAttributeRank(1, kRankB);
         monster.TrimForSave(limits);
         return Encode(monster);
       },
       33,
       34,
       {1},
       {1}},
      {"skill marks 0 1 0 0",
       6,
       [](const TTrimLimits& limits) {
         TLcfSkillItem skill;
         skill.ResizeSkillConditions(4);
         skill.SetSkillCondition(2, 1);
         skill.TrimForSave(limits);
         return Encode(skill);
       },
       41,
       42,
       {2},
       {0, 1}},
      {"item attributes past the attribute count",
       6,
       [](const TTrimLimits& limits) {
         TLcfItemItem item;
         item.ResizeItemAttributes(4);
         item.SetItemAttribute(4, 1);
         item.TrimForSave(limits);
         return Encode(item);
       },
       65,
       66,
       {2},
       {0, 0}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<TChunk> chunks = TopChunks(c.encode(TTrimLimits{c.conditions, 2}));
    const TChunk* count = FindChunk(chunks, c.countId);
    if (c.expectCount.empty()) {
      EXPECT_EQ(count, nullptr);
    } else {
      ASSERT_NE(count, nullptr);
      EXPECT_EQ(count->body, (Bytes{static_cast<uint8_t>(c.expectCount[0])}));
    }
    ASSERT_NE(FindChunk(chunks, c.arrayId), nullptr);
    EXPECT_EQ(FindChunk(chunks, c.arrayId)->body, c.expectArray);
  }
  // Usability arrays are never trimmed; without limits only trailing neutral values go.
  TLcfItemItem item;
  item.ResizeHeroUsable(3);
  item.ResizeItemConditions(3);
  item.SetItemCondition(3, 1);
  item.TrimForSave({});
  std::vector<TChunk> chunks = TopChunks(Encode(item));
  EXPECT_EQ(FindChunk(chunks, 62)->body, (Bytes{0, 0, 0}));
  EXPECT_EQ(FindChunk(chunks, 64)->body, (Bytes{0, 0, 1}));
}

TEST(Records, CopiesAndComparisonsChangeNothing) {
  // Arrays that a save would trim, and a count out of step with its array.
  TLcfPlayerItem hero;
  hero.ResizeConditionRanks(4);
  hero.SetConditionRank(2, kRankA);
  TLcfItemItem item;
  item.heroUsable = {0, 0};
  item.ResizeItemConditions(5);

  const Bytes heroBytes = hero.Encoded();
  TLcfPlayerItem copy;
  copy.Assign(hero);
  EXPECT_TRUE(copy.SameAs(hero));
  EXPECT_EQ(hero.conditionRanks.size(), 4u);
  EXPECT_EQ(copy.conditionRanks.size(), 4u);
  EXPECT_EQ(hero.Encoded(), heroBytes);

  TLcfItemItem other;
  EXPECT_FALSE(other.SameAs(item));
  EXPECT_EQ(item.heroUsableCount, 0);
  EXPECT_EQ(item.conditions.size(), 5u);
  // The count written is the array's size, whatever the field held.
  EXPECT_EQ(FindChunk(TopChunks(item.Encoded()), 61)->body, (Bytes{2}));
  EXPECT_EQ(item.heroUsableCount, 0);
}

TEST(Records, AccessorsStayInsideTheirArrays) {
  TLcfPlayerItem hero;
  hero.ResizeConditionRanks(2);
  hero.SetConditionRank(1, kRankA);
  EXPECT_EQ(hero.GetConditionRank(0), kRankC);
  EXPECT_EQ(hero.GetConditionRank(3), kRankC);
  EXPECT_EQ(hero.GetConditionRank(1), kRankA);
  hero.SetConditionRank(3, 4);
  EXPECT_EQ(hero.conditionRanks.size(), 2u);
  EXPECT_EQ(hero.GetParameter(6, 1), 0);
  EXPECT_EQ(hero.GetParameter(0, 100), 0);
  EXPECT_EQ(hero.GetParameter(kMaxHP, 1), 1);
  EXPECT_EQ(hero.GetParameter(kMaxMP, 99), 0);
  hero.SetParameter(kAgility, 99, 70000);  // stores the low 16 bits
  EXPECT_EQ(hero.GetParameter(kAgility, 99), 70000 & 0xFFFF);
  hero.SetParameter(-1, 1, 5);
  EXPECT_EQ(hero.GetEquipment(5), 0);
  hero.battleCommands[6] = 9;
  EXPECT_EQ(hero.GetBattleCommand(6), -1);
  hero.SetBattleCommand(6, 4);
  EXPECT_EQ(hero.battleCommands[6], 9);
  hero.SetBattleCommand(0, 3);
  EXPECT_EQ(hero.GetBattleCommand(0), 3);

  TLcfMonsterItem monster;
  EXPECT_EQ(monster.GetConditionRank(1), kRankB);
  EXPECT_EQ(monster.GetAttributeRank(1), kRankC);
  monster.ResizeConditionRanks(2);
  EXPECT_EQ(monster.conditionRanks, (std::vector<uint8_t>{1, 1}));

  TLcfItemItem item;
  item.heroUsable = {0, 0};
  EXPECT_TRUE(item.IsUsableByHero(5));
  EXPECT_FALSE(item.IsUsableByHero(2));
  item.classUsable = {0, 1};
  EXPECT_FALSE(item.IsUsableFor(2, 0, true));
  EXPECT_TRUE(item.IsUsableFor(2, 1, true));
  EXPECT_FALSE(item.IsUsableFor(2, 1, false));
  {
    TFakeLinks byClass(0, 0, true);
    item.ResizeUsable(4);
    item.SetUsable(3, 1);
  }
  EXPECT_EQ(item.classUsable, (std::vector<uint8_t>{0, 1, 0, 1}));
  EXPECT_EQ(item.heroUsable, (std::vector<uint8_t>{0, 0}));

  TLcfChipSetItem tileset;
  EXPECT_EQ(tileset.GetTerrain(162), 0);
  EXPECT_EQ(tileset.GetTerrain(-1), 0);
  tileset.SetTerrain(162, 5);
  tileset.SetUpperFlags(144, 0);
  EXPECT_EQ(tileset.GetTerrain(161), 1);
  EXPECT_EQ(tileset.GetUpperFlags(0), 31);
  EXPECT_EQ(tileset.GetLowerFlags(0), 15);
}

TEST(Records, ClassKeepsItsSeventhCommandElementAcrossResetAndLoad) {
  TLcfJobItem job;
  EXPECT_EQ(job.battleCommands[6], 0);
  job.battleCommands[6] = 77;
  Decode(job, Bytes{1, 1, 'K', 0});  // a class without chunk 80
  EXPECT_EQ(job.name, "K");
  EXPECT_EQ(job.battleCommands[6], 77);
  EXPECT_EQ(job.GetBattleCommand(0), -1);
}

TEST(Records, TilesetArraysAreWrittenOnlyWhenChanged) {
  TLcfChipSetItem tileset;
  tileset.name = "Field";
  tileset.upperFlags[0] = 0;  // the empty tile's flags are not compared
  EXPECT_EQ(ChunkIds(TopChunks(Encode(tileset))), (std::vector<int32_t>{1}));
  TLcfChipSetItem loaded;
  Decode(loaded, Encode(tileset));
  EXPECT_EQ(loaded.upperFlags[0], 31);
  EXPECT_EQ(loaded.terrain[100], 1);

  tileset.SetLowerFlags(20, kChipStar | 15);
  tileset.SetUpperFlags(143, 0);
  EXPECT_EQ(ChunkIds(TopChunks(Encode(tileset))), (std::vector<int32_t>{1, 4, 5}));

  // A terrain chunk of the wrong size is skipped; the array keeps its reset values.
  Bytes wrong = {3, 0x82, 0x43};  // size 323
  wrong.insert(wrong.end(), 323, 7);
  wrong.push_back(0);
  Decode(loaded, wrong);
  EXPECT_EQ(loaded.terrain[0], 1);
  EXPECT_EQ(loaded.terrain[161], 1);
}

TEST(Records, TerrainGridPresets) {
  TLcfGroundItem ground;
  EXPECT_EQ(ground.gridDepth, 0);
  EXPECT_EQ(ground.NearEdgeOffset(), 45);  // Trunc(120 * sin(0.392))
  ground.SetGridPreset(2);
  EXPECT_EQ(ground.gridTop, 132);
  EXPECT_EQ(ground.gridSlant, 24000);
  Decode(ground, Bytes{47, 1, 0, 0});
  EXPECT_EQ(ground.NearEdgeOffset(), 0);
  EXPECT_EQ(ground.gridTop, 120);
}

TEST(Records, ConditionOneKeepsItsOwnRules) {
  TLcfStatus conditions;
  conditions.SetCount(2);
  for (TLcfStatusItem* c : {conditions.ItemAt(0), conditions.ItemAt(1)}) {
    c->message3 = "m3";
    c->message4 = "m4";
    c->message5 = "m5";
  }
  // Condition 1 writes no third and fourth message; the others do.
  std::vector<TChunk> one = TopChunks(Encode(*conditions.ItemAt(0)));
  EXPECT_EQ(FindChunk(one, 53), nullptr);
  EXPECT_EQ(FindChunk(one, 54), nullptr);
  ASSERT_NE(FindChunk(one, 55), nullptr);
  // A file that has them for condition 1 loads without them.
  const Bytes file = {2, 1,  0, 53,  1, 'x', 54, 1, 'y', 55, 1, 'z', 0,  // condition 1
                      2, 53, 1, 'x', 0};                                 // condition 2
  Bytes list = {2, 1};
  list.insert(list.end(), file.begin(), file.end());
  TLcfStatus loaded;
  Decode(loaded, list);
  EXPECT_EQ(loaded.ItemAt(0)->message3, "");
  EXPECT_EQ(loaded.ItemAt(0)->message4, "");
  EXPECT_EQ(loaded.ItemAt(0)->message5, "z");
  EXPECT_EQ(loaded.ItemAt(1)->message3, "x");

  // Colour 6 and priority 50 equal the chunk defaults but not condition 1's reset values: they are
  // still written, so they read back.
  TLcfStatusItem* first = conditions.ItemAt(0);
  first->color = 6;
  first->priority = 50;
  std::vector<TChunk> chunks = TopChunks(Encode(*first));
  ASSERT_NE(FindChunk(chunks, 3), nullptr);
  ASSERT_NE(FindChunk(chunks, 4), nullptr);
  EXPECT_EQ(FindChunk(chunks, 3)->body, (Bytes{6}));
  EXPECT_EQ(FindChunk(chunks, 4)->body, (Bytes{50}));
  TLcfStatusItem back;
  back.SetId(1);
  Decode(back, Encode(*first));
  EXPECT_EQ(back.color, 6);
  EXPECT_EQ(back.priority, 50);
  // A copy onto condition 1 from another position keeps them too.
  TLcfStatusItem other;
  other.SetId(2);
  other.Reset();
  back.Assign(other);
  EXPECT_EQ(back.color, 6);
  EXPECT_EQ(back.priority, 50);
}

TEST(Records, NegativeMultiplierIsAFiveByteInteger) {
  TLcfAttribItem attribute;
  attribute.rateA = -2000;
  // The chunk is the id, the byte count 5 and the two's-complement form.
  Bytes bytes = Encode(attribute);
  const Bytes expect = {11, 5, 0x8F, 0xFF, 0xFF, 0xF0, 0x30};
  EXPECT_NE(std::search(bytes.begin(), bytes.end(), expect.begin(), expect.end()), bytes.end());
  TLcfAttribItem back;
  Decode(back, Encode(attribute));
  EXPECT_EQ(back.rateA, -2000);
  EXPECT_EQ(back.RateForRank(0), -2000);
  EXPECT_EQ(back.RateForRank(5), 0);
}

TEST(Records, BattlerSettingsAndSets) {
  TLcfCBADataItem setting;
  setting.afterimage = 1;
  setting.SetMovement(2);
  EXPECT_EQ(setting.afterimage, 1);
  setting.SetMovement(0);
  EXPECT_EQ(setting.afterimage, 0);

  TLcfAnimation2Item set;
  EXPECT_EQ(set.poses.Count(), 32);
  EXPECT_EQ(set.weapons.Count(), 32);
  EXPECT_EQ(set.poses.ItemAt(3)->name, "Skill Use");
  EXPECT_EQ(set.poses.ItemAt(11)->name, "Item");
  EXPECT_EQ(set.poses.ItemAt(12)->name, "");
  set.speed = 14;
  EXPECT_EQ(set.StepMilliseconds(), 140);
  set.speed = 3;
  EXPECT_EQ(set.StepMilliseconds(), 200);

  TLcfSkillItem skill;
  skill.previewHero = 4;
  skill.skillType = 6;
  skill.PrepareForPage(3);
  EXPECT_EQ(skill.battlerAnimations.Count(), 3);
  EXPECT_EQ(skill.previewHero, 0);
  EXPECT_EQ(skill.skillType, kSkillNormal);
  TLcfItemItem item;
  item.previewHero = 3;
  item.PrepareForPage(3);
  EXPECT_EQ(item.battlerAnimations.Count(), 1);  // not a weapon
  EXPECT_EQ(item.previewHero, -1);
  item.itemType = kItemWeapon;
  item.PrepareForPage(4);
  EXPECT_EQ(item.battlerAnimations.Count(), 4);
}

TEST(Records, MonsterActionPreconditionRanges) {
  struct TCase {
    uint8_t kind;
    int32_t low, high;
  };
  const TCase cases[] = {{kPreconditionTurns, 0, 0},       {kPreconditionMonsters, 1, 8},
                         {kPreconditionMonsterHP, 0, 100}, {kPreconditionMonsterMP, 0, 100},
                         {kPreconditionPartyLevel, 1, 99}, {kPreconditionExhaustion, 0, 100}};
  for (const TCase& c : cases) {
    TLcfMonsterActItem action;
    action.conditionLow = 55;
    action.conditionHigh = 66;
    action.SetPrecondition(c.kind);
    EXPECT_EQ(action.precondition, c.kind);
    EXPECT_EQ(action.conditionLow, c.low);
    EXPECT_EQ(action.conditionHigh, c.high);
  }
}
