// What the monster, troop and battle layout pages and the battle test compute without widgets:
// troop names and their cut, the page limits, the habitat, the precondition ranges, the hero on the
// layout preview, the background change, and the battle test party, parameters, enabling and command line.
#include <gtest/gtest.h>

#include "core/ClipboardPort.h"
#include "database/BattlePageKit.h"
#include "database/BattleTestSetup.h"
#include "database/DataBaseObj.h"

using namespace tess;

TEST(TroopName, AutonameCountsDistinctMonstersInOrder) {
  TLcfMonster monsters;
  monsters.SetCount(3);
  monsters.ItemAt(0)->name = "Slime";
  monsters.ItemAt(1)->name = "Bat";
  monsters.ItemAt(2)->name = "Dragonfly";
  struct Case {
    std::vector<int32_t> members;
    const char* name;
  };
  const Case cases[] = {
      {{1, 1, 2, 1}, "Slime x3,Bat"},
      {{2, 1}, "Bat,Slime"},
      {{9, 2, 9}, "Bat"},  // a missing monster adds nothing
      {{}, ""},
      {{3, 3, 2, 1}, "Dragonfly x2,Bat,Sl-"},  // 22 bytes cut to 19 and "-"
  };
  for (const Case& c : cases) {
    TLcfMonGroupItem troop;
    for (int32_t id : c.members) troop.members.Append()->monsterId = id;
    EXPECT_EQ(AutonameTroop(troop, monsters, "windows-1252"), c.name);
  }
}

TEST(TroopName, TheCutNeverSplitsADoubleByteCharacter) {
  const std::string kana = "\x83\x58";  // a Shift_JIS katakana whose trail byte looks like 'X'
  struct Case {
    const char* codePage;
    std::string name;
    std::string cut;
  };
  const Case cases[] = {
      // 18 ASCII bytes then a two-byte character: byte 19 leads, so 18 bytes stay.
      {"Shift_JIS", std::string(18, 'a') + kana + "b", std::string(18, 'a') + "-"},
      {"Shift_JIS", std::string(17, 'a') + kana + "bb", std::string(17, 'a') + kana + "-"},
      {"Shift_JIS", kana + kana + kana + kana + kana + kana + kana + kana + kana + kana + "c",
       kana + kana + kana + kana + kana + kana + kana + kana + kana + "-"},
      // Half-width katakana (0xA1..0xDF) are one byte in Shift_JIS.
      {"Shift_JIS", std::string(18, 'a') + "\xB1\xB2\xB3", std::string(18, 'a') + "\xB1-"},
      {"GBK", std::string(18, 'a') + "\xB0\xA1" + "z", std::string(18, 'a') + "-"},
      {"Big5", std::string(18, 'a') + "\xA4\x40" + "z", std::string(18, 'a') + "-"},
      {"EUC-KR", std::string(18, 'a') + "\xB0\xA1" + "z", std::string(18, 'a') + "-"},
      {"windows-1252", std::string(18, 'a') + "\xE9\xE9\xE9", std::string(18, 'a') + "\xE9-"},
      {"Shift_JIS", std::string(20, 'a'), std::string(20, 'a')},  // 20 bytes fit
  };
  for (const Case& c : cases) {
    const std::string cut = CutTroopName(c.name, c.codePage);
    EXPECT_EQ(cut, c.cut) << c.codePage;
    EXPECT_LE(cut.size(), 20u);
  }
  // A Shift_JIS name of two-byte characters after any ASCII prefix ends on a character boundary.
  for (int prefix = 0; prefix < 6; ++prefix) {
    std::string name(static_cast<size_t>(prefix), 'a');
    for (int i = 0; i < 12; ++i) name += kana;
    const std::string cut = CutTroopName(name, "Shift_JIS");
    EXPECT_EQ((cut.size() - 1 - static_cast<size_t>(prefix)) % 2, 0u) << prefix;
  }
}

TEST(BattlePages, AtMostOneHundredAndAlwaysOne) {
  TMemoryClipboard clipboard;
  SetClipboardPort(&clipboard);
  TLcfMonGroupItem troop;
  ASSERT_EQ(troop.pages.Count(), 1);
  EXPECT_EQ(DeleteBattlePage(troop, 0), -1);
  troop.pages.ItemAt(0)->trigger.turnsA = 7;
  CopyBattlePage(troop, 0);
  EXPECT_TRUE(ClipboardHoldsBattlePage());
  EXPECT_EQ(InsertBattlePage(troop, 0), 1);
  EXPECT_EQ(PasteBattlePage(troop, 0), 1);  // after the current page
  EXPECT_EQ(troop.pages.ItemAt(1)->trigger.turnsA, 7);
  EXPECT_EQ(troop.pages.ItemAt(2)->trigger.turnsA, 0);
  for (int i = 0; i < troop.pages.Count(); ++i) EXPECT_EQ(troop.pages.ItemAt(i)->Id(), i + 1);
  while (CanAddBattlePage(troop)) InsertBattlePage(troop, troop.pages.Count() - 1);
  EXPECT_EQ(troop.pages.Count(), kMaxBattlePages);
  EXPECT_EQ(InsertBattlePage(troop, 3), -1);
  EXPECT_EQ(PasteBattlePage(troop, 3), -1);
  EXPECT_EQ(DeleteBattlePage(troop, 99), 98);
  EXPECT_EQ(troop.pages.Count(), 99);
  EXPECT_EQ(troop.pages.ItemAt(98)->Id(), 99);
  SetClipboardPort(nullptr);
}

TEST(BattlePages, AddIsRefusedAtEightMembers) {
  TLcfBattle battle;
  TLcfMonster monsters;
  monsters.SetCount(1);
  TAlignmentContext context{&battle, 0, &monsters, [](int32_t) { return TGraphicSize{40, 40}; }};
  TLcfMonGroupItem troop;
  for (int i = 0; i < kMaxTroopMembers; ++i) EXPECT_NE(troop.AddMember(1, context), nullptr);
  EXPECT_EQ(troop.AddMember(1, context), nullptr);
  EXPECT_EQ(troop.members.Count(), kMaxTroopMembers);
}

TEST(MonsterBehaviour, PreconditionRanges) {
  const std::pair<int, TValueRange> cases[] = {
      {kPreconditionNone, {0, 0}},         {kPreconditionTurns, {0, 100}},     {kPreconditionMonsters, {1, 8}},
      {kPreconditionMonsterHP, {0, 100}},  {kPreconditionMonsterMP, {0, 100}}, {kPreconditionPartyLevel, {1, 99}},
      {kPreconditionExhaustion, {0, 100}},
  };
  for (const auto& [kind, range] : cases) {
    EXPECT_EQ(PreconditionRange(kind).min, range.min) << kind;
    EXPECT_EQ(PreconditionRange(kind).max, range.max) << kind;
    TLcfMonsterActItem act;
    act.SetPrecondition(static_cast<uint8_t>(kind));
    if (kind >= kPreconditionTurns) {
      EXPECT_EQ(act.conditionLow, range.min);
      EXPECT_EQ(act.conditionHigh, kind == kPreconditionTurns ? range.min : range.max);
    }
  }
}

TEST(BattleLayout, HeroDragsInStepsWithinTheField) {
  struct Case {
    int x, y;
    bool fine;
    int ex, ey;
  };
  const Case cases[] = {
      {101, 103, false, 100, 100}, {101, 103, true, 101, 103}, {0, 500, false, 24, 192},
      {-7, 10, true, 24, 24},      {400, 191, true, 296, 191}, {297, 193, false, 296, 192},
  };
  for (const Case& c : cases) {
    TLcfPlayerItem hero;
    DragHeroTo(hero, c.x, c.y, c.fine);
    EXPECT_EQ(hero.battlePositionX, c.ex) << c.x;
    EXPECT_EQ(hero.battlePositionY, c.ey) << c.y;
  }
  TLcfPlayerItem hero;
  hero.battlePositionX = 280;
  ShiftHeroForRow(hero, 1);
  EXPECT_EQ(hero.battlePositionX, 296);
  ShiftHeroForRow(hero, 0);
  EXPECT_EQ(hero.battlePositionX, 272);
}

TEST(BattleLayout, HeroStandsAtItsPositionOrWhereAutomaticPlacementPutsIt) {
  struct Case {
    int placement, row;
    THeroPlace place;
  };
  // Manual: the position is the cell's centre, so the cell ends 24 lower; automatic: the first of
  // one hero on the default grid, the front row 24 further left (an unknown row counts as front).
  const Case cases[] = {
      {0, 0, {100, 124}}, {2, 1, {100, 124}}, {1, 0, {264, 134}}, {1, 1, {288, 134}}, {1, 7, {264, 134}}};
  for (const Case& c : cases) {
    TLcfBattle battle;
    battle.placement = c.placement;
    battle.previewRow = c.row;
    TLcfPlayerItem hero;
    hero.battlePositionX = hero.battlePositionY = 100;
    EXPECT_EQ(HeroPreviewPlace(battle, hero, 0), c.place) << c.placement << " " << c.row;
    EXPECT_EQ(HeroDraggable(battle), c.placement != 1);
  }
}

TEST(BattleLayout, ChangingTheBackgroundResetsThePreviewTerrain) {
  TLcfSystem system;
  system.troopPreviewBackdrop = "Field";
  system.troopPreviewTerrain = 4;
  EXPECT_TRUE(ChangeBattleBackground(system, "Field"));
  EXPECT_EQ(system.troopPreviewTerrain, 0);
  EXPECT_FALSE(ChangeBattleBackground(system, "Field"));
  EXPECT_TRUE(ChangeBattleBackground(system, "Cave"));
  EXPECT_EQ(system.troopPreviewBackdrop, "Cave");
}

TEST(BattlePages, HabitatGrowsWithMetTerrainsOnlyWhenCleared) {
  struct Case {
    std::vector<uint8_t> stored;
    int terrain;
    bool on, changed;
    std::vector<uint8_t> after;
  };
  const Case cases[] = {
      {{}, 3, true, false, {}},                                             // past the count reads as met
      {{}, 3, false, true, {1, 1, 0}},                                      // grows with 1 before clearing
      {{0, 2}, 2, true, false, {0, 2}},                                     // any non-zero is met and kept
      {{0, 2}, 1, true, true, {1, 2}},  {{0, 2}, 0, false, false, {0, 2}},  // no terrain 0
  };
  for (const Case& c : cases) {
    TLcfMonGroupItem troop;
    troop.habitat = c.stored;
    troop.terrainCount = static_cast<int32_t>(c.stored.size());
    EXPECT_EQ(SetTroopHabitat(troop, c.terrain, c.on), c.changed) << c.terrain;
    EXPECT_EQ(troop.habitat, c.after) << c.terrain;
    EXPECT_EQ(troop.terrainCount, static_cast<int32_t>(c.after.size()));
  }
}

namespace {

struct BattleTestDb : ::testing::Test {
  TLcfDataBase db;
  void SetUp() override {
    db.ResetDatabase();
    db.heroes.SetCount(5);
    for (int i = 0; i < 5; ++i) {
      TLcfPlayerItem* h = db.heroes.ItemAt(i);
      h->initialLevel = 3 + i;
      h->maxLevel = 20;
      h->SetEquipment(0, 0);
    }
    db.items.SetCount(3);
    for (int i = 0; i < 3; ++i) db.items.ItemAt(i)->itemType = kItemWeapon;
    db.items.ItemAt(0)->attackBonus = 10;
    db.items.ItemAt(1)->attackBonus = 25;
    db.items.ItemAt(2)->twoHanded = 1;
    db.terrain.SetCount(3);
  }
};

}  // namespace

TEST_F(BattleTestDb, NewMembersTakeTheLowestUnusedHeroesAndListsOfferTheRest) {
  TBattleTestSetup setup(db, 1);
  EXPECT_EQ(setup.Count(), 0);
  setup.SetCount(3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(setup.Member(i).heroId, i + 1);
    EXPECT_EQ(setup.Member(i).level, 3 + i);
  }
  setup.SetHero(0, 4);
  EXPECT_EQ(setup.OfferedHeroes(1), (std::vector<int32_t>{1, 2, 5}));
  setup.SetLevel(0, 99);
  EXPECT_EQ(setup.Member(0).level, 20);
  setup.SetLevel(0, 1);
  EXPECT_EQ(setup.Member(0).level, 6);
  EXPECT_TRUE(setup.CountAvailable(4));
  db.heroes.SetCount(2);
  TBattleTestSetup few(db, 1);
  EXPECT_TRUE(few.CountAvailable(2));
  EXPECT_FALSE(few.CountAvailable(3));
}

TEST_F(BattleTestDb, TwoWeaponsCountOnlyTheStrongerAttack) {
  db.heroes.ItemAt(0)->twoWeapons = 1;
  TBattleTestSetup setup(db, 1);
  setup.SetCount(1);
  const int bare = setup.Parameters(0).attack;
  setup.SetEquipment(0, 0, 1);
  setup.SetEquipment(0, 1, 2);
  EXPECT_EQ(setup.Parameters(0).attack, bare + 25);
  EXPECT_TRUE(setup.SecondSlotHoldsWeapons(0));
  // A two-handed weapon empties the other hand.
  setup.SetEquipment(0, 0, 3);
  EXPECT_EQ(setup.Member(0).Equip(1), 0);
  EXPECT_EQ(setup.Parameters(0).attack, bare);
}

TEST_F(BattleTestDb, WordsAndEnablingFollowFormationAndPlacement) {
  struct Case {
    int placement, formation, condition, terrain;
    std::vector<std::string> words;
    bool terrainEnabled;
  };
  const Case cases[] = {
      {1, 1, 0, 2, {"BattleTest", "HideTitle", "Window", "7", "1", "0", "0"}, false},
      {1, 0, 4, 2, {"BattleTest", "HideTitle", "Window", "7", "0", "4", "2"}, true},
      {0, 0, 4, 2, {"BattleTest", "HideTitle", "Window", "7", "0", "2", "2"}, false},  // pincers -> back attack
      {0, 0, 3, 9, {"BattleTest", "HideTitle", "Window", "7", "0", "1", "1"}, false},  // terrain 9 -> 1
  };
  for (const Case& c : cases) {
    db.battle.placement = c.placement;
    db.system.testFormation = c.formation;
    db.system.testCondition = c.condition;
    db.system.testTerrain = c.terrain;
    TBattleTestSetup setup(db, 7);
    EXPECT_EQ(setup.Words(false), c.words);
    EXPECT_EQ(setup.TerrainEnabled(), c.terrainEnabled);
    EXPECT_EQ(setup.ConditionEnabled(kConditionPincers), c.placement == 1);
  }
  TBattleTestSetup setup(db, 7);
  EXPECT_EQ(setup.Words(true)[2], "FullScreen");
}

TEST_F(BattleTestDb, WritesTheFirstCountMembersBack) {
  TBattleTestSetup setup(db, 1);
  setup.SetCount(3);
  setup.SetEquipment(1, 2, 3);
  setup.SetCount(2);
  setup.formation = kFormationTight;
  setup.WriteTo(db.system);
  ASSERT_EQ(db.system.testParty.Count(), 2);
  EXPECT_EQ(db.system.testParty.ItemAt(1)->heroId, 2);
  EXPECT_EQ(db.system.testParty.ItemAt(1)->Equip(2), 3);
  EXPECT_EQ(db.system.testFormation, kFormationTight);
  TBattleTestSetup again(db, 1);
  EXPECT_EQ(again.Count(), 2);
  EXPECT_EQ(again.Member(1).Equip(2), 3);
}
