// The battle layout with its placement functions, and troops with their members, alignment and
// battle event pages.
#include <gtest/gtest.h>

#include "TestChunks.h"
#include "database/LD_Battle.h"
#include "database/LD_MonGroup.h"

using namespace tess;
using namespace tess::test;

TEST(BattleLayout, DeathHandlerIsStoredUnderTwoIds) {
  TLcfBattle battle;
  battle.deathHandler = 1;
  std::vector<TChunk> chunks = TopChunks(Encode(battle));
  ASSERT_NE(FindChunk(chunks, 4), nullptr);
  ASSERT_NE(FindChunk(chunks, 15), nullptr);
  EXPECT_EQ(FindChunk(chunks, 4)->body, Bytes{1});
  EXPECT_EQ(FindChunk(chunks, 15)->body, Bytes{1});
  Decode(battle, Bytes{4, 1, 1, 15, 1, 0, 0});
  EXPECT_EQ(battle.deathHandler, 0);
  Decode(battle, Bytes{4, 1, 1, 0});
  EXPECT_EQ(battle.deathHandler, 1);
  EXPECT_EQ(battle.commands.Count(), 1);
  EXPECT_EQ(battle.hiddenOption, 1);
}

TEST(BattleLayout, PlacementFunctions) {
  TLcfBattle battle;
  EXPECT_EQ(battle.PlaceHeroX(1, 0, 24, 0), 264);
  EXPECT_EQ(battle.PlaceHeroY(1, 0, 0), 134);
  EXPECT_EQ(battle.PlaceMonsterX(2, 1, 40, 0), 40);
  EXPECT_EQ(battle.PlaceMonsterY(2, 1, 0), 157);
  EXPECT_EQ(battle.PlaceMonsterX(2, 0, 40, 0), 80);
  EXPECT_EQ(battle.PlaceMonsterY(2, 0, 0), 112);

  // A terrain's own grid, and a terrain that does not exist (the default grid).
  TLcfGround terrain;
  terrain.SetCount(1);
  terrain.ItemAt(0)->SetGridPreset(2);
  battle.SetTerrainList(&terrain);
  EXPECT_EQ(battle.PlaceHeroY(2, 0, 1), 132);
  EXPECT_EQ(battle.PlaceHeroX(2, 0, 0, 1), 296 - 24);
  EXPECT_EQ(battle.PlaceHeroY(1, 0, 7), 134);
  EXPECT_EQ(battle.PlaceHeroY(1, 0, -3), 134);

  // Counts and indexes outside the tables use the nearest slot.
  EXPECT_EQ(battle.PlaceMonsterY(12, 11, 0), battle.PlaceMonsterY(8, 7, 0));
  EXPECT_EQ(battle.PlaceMonsterX(3, 9, 0, 0), battle.PlaceMonsterX(3, 2, 0, 0));
  EXPECT_EQ(battle.PlaceHeroX(0, -1, 0, 0), battle.PlaceHeroX(1, 0, 0, 0));
  TLcfGroundItem* wild = terrain.ItemAt(0);
  wild->gridTop = INT32_MAX;
  wild->gridSlant = INT32_MIN;
  battle.PlaceMonsterY(8, 7, 1);  // wide arithmetic: no overflow to trap on
  battle.PlaceMonsterX(8, 0, INT32_MAX, 1);
}

TEST(Troops, NewTroopAndTriggerEncodings) {
  TLcfMonGroupItem troop;
  troop.SetId(1);
  std::vector<TChunk> chunks = TopChunks(Encode(troop));
  EXPECT_EQ(ChunkIds(chunks), (std::vector<int32_t>{2, 5, 11}));
  EXPECT_EQ(FindChunk(chunks, 2)->body, Bytes{0});
  EXPECT_EQ(FindChunk(chunks, 5)->body, Bytes{});
  // One page: its trigger (the flags always written) and the empty script of four zero bytes.
  const Bytes page = {1, 1, 2, 5, 1, 2, 0, 0, 0, 11, 1, 4, 12, 4, 0, 0, 0, 0, 0};
  EXPECT_EQ(FindChunk(chunks, 11)->body, page);

  TLcfBattleEventTrigger trigger;
  trigger.flags = 0x0201;
  EXPECT_EQ(TopChunks(Encode(trigger))[0].body, (Bytes{0x01, 0x02}));
  TLcfBattleEventTrigger back;
  Decode(back, Encode(trigger));
  EXPECT_EQ(back.flags, 0x0201);

  trigger.flags = kTriggerMonsterHP;
  trigger.monsterHpLow = 60;
  trigger.monsterHpHigh = 40;
  EXPECT_FALSE(trigger.RangesValid());
  trigger.flags = kTriggerHeroHP;
  EXPECT_TRUE(trigger.RangesValid());

  troop.ResizeHabitat(2);
  troop.SetHabitat(1, 0);
  EXPECT_EQ(troop.GetHabitat(1), 0);
  EXPECT_EQ(troop.GetHabitat(5), 1);
  chunks = TopChunks(Encode(troop));
  EXPECT_EQ(FindChunk(chunks, 4)->body, Bytes{2});
  EXPECT_EQ(FindChunk(chunks, 5)->body, (Bytes{0, 1}));
}

TEST(Troops, AutomaticAlignment) {
  TLcfBattle battle;
  TLcfMonster monsters;
  monsters.SetCount(3);
  monsters.ItemAt(1)->flying = 1;
  TAlignmentContext context{&battle, 0, &monsters, [](int32_t id) {
                              if (id == 3) return TGraphicSize{400, 300};  // wider than the screen area
                              return TGraphicSize{80, 64};
                            }};
  TLcfMonGroupItem troop;
  troop.AddMember(1, context);
  EXPECT_EQ(troop.members.ItemAt(0)->x, battle.PlaceMonsterX(1, 0, 40, 0));
  EXPECT_EQ(troop.members.ItemAt(0)->y, battle.PlaceMonsterY(1, 0, 0) - 32);
  // Every member stood aligned, so adding one re-aligns them all for two.
  troop.AddMember(2, context);
  EXPECT_EQ(troop.members.ItemAt(0)->x, 80);
  EXPECT_EQ(troop.members.ItemAt(0)->y, 112 - 32);
  EXPECT_EQ(troop.members.ItemAt(1)->y, 157 - 32 - 32);  // flying
  // A member moved by hand keeps its place when another is added.
  troop.members.ItemAt(0)->x = 10;
  troop.AddMember(1, context);
  EXPECT_EQ(troop.members.ItemAt(0)->x, 10);

  // Invisible members are skipped; a graphic larger than the area goes to its middle.
  troop.members.ItemAt(1)->invisible = 1;
  EXPECT_FALSE(troop.AlignedPosition(1, context).has_value());
  troop.AddMember(3, context);
  std::optional<TScreenPoint> huge = troop.AlignedPosition(3, context);
  ASSERT_TRUE(huge.has_value());
  EXPECT_EQ(*huge, (TScreenPoint{132, 115}));
  while (troop.members.Count() < kMaxTroopMembers) ASSERT_NE(troop.AddMember(1, context), nullptr);
  EXPECT_EQ(troop.AddMember(1, context), nullptr);
  // More than eight members (from a file) still place without reading past the tables.
  troop.members.Append();
  troop.members.Append();
  troop.AutoAlign(context);
  EXPECT_FALSE(troop.AlignedPosition(-1, context).has_value());
  EXPECT_FALSE(troop.AlignedPosition(10, context).has_value());
}
