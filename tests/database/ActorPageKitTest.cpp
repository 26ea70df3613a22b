// What the hero and class pages compute without widgets: ranks, command slots, equipment choices,
// thumbnails, hand drawing, seeded quick curves and the experience table's limit.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "database/ActorPageKit.h"
#include "database/DataBaseObj.h"

using namespace tess;

TEST(Ranks, StepWrapsBothWays) {
  struct Case {
    int rank;
    bool towardA;
    int expected;
  };
  const Case cases[] = {
      {2, true, 1},  {1, true, 0},  {0, true, 4},   {4, true, 3},   // left click, Space
      {2, false, 3}, {3, false, 4}, {4, false, 0},  {0, false, 1},  // right click
      {7, true, 4},  {7, false, 0}, {255, true, 4},                 // values other tools stored
  };
  for (const Case& c : cases) EXPECT_EQ(StepRank(c.rank, c.towardA), c.expected) << c.rank << " " << c.towardA;
  // Five steps either way come back to the start.
  for (int rank = 0; rank < kRankCount; ++rank)
    for (bool towardA : {true, false}) {
      int r = rank;
      for (int i = 0; i < kRankCount; ++i) r = StepRank(r, towardA);
      EXPECT_EQ(r, rank);
    }
  EXPECT_STREQ(RankLetter(0), "A");
  EXPECT_STREQ(RankLetter(4), "E");
  EXPECT_STREQ(RankLetter(9), "?");
}

TEST(BattleCommands, ChoosingNormalisesTheSlots) {
  using Slots = std::array<int32_t, 7>;
  struct Case {
    const char* what;
    Slots before;
    int slot;
    int32_t id;
    Slots after;
  };
  const int commands = 5;
  const Case cases[] = {
      {"a command in the (None) slot opens the next", {1, 2, 0, -1, -1, -1, 9}, 2, 4, {1, 2, 4, 0, -1, -1, 9}},
      {"(None) in a used slot clears every later", {1, 2, 3, 4, 0, -1, 9}, 1, 0, {1, 0, -1, -1, -1, -1, 9}},
      {"replacing a used command keeps the rest", {1, 2, 3, 0, -1, -1, 0}, 1, 5, {1, 5, 3, 0, -1, -1, 0}},
      {"the sixth slot filled leaves no (None) slot", {1, 2, 3, 4, 5, 0, 0}, 5, 5, {1, 2, 3, 4, 5, 0, 0}},
      {"a duplicate ends the used slots", {1, 2, 0, -1, -1, -1, 0}, 2, 1, {1, 2, 0, -1, -1, -1, 0}},
      {"an id past the commands ends them", {1, 7, 3, 0, -1, -1, 0}, 0, 2, {2, 0, -1, -1, -1, -1, 0}},
      {"all empty opens the first", {-1, -1, -1, -1, -1, -1, 0}, 0, 3, {3, 0, -1, -1, -1, -1, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Slots s = c.before;
    ChooseCommand(s.data(), c.slot, c.id, commands);
    EXPECT_EQ(s, c.after);
  }
  // Six distinct commands fill every slot.
  Slots full = {1, 2, 3, 4, 5, 0, 0};
  ChooseCommand(full.data(), 5, 6, 6);
  EXPECT_EQ(full, (Slots{1, 2, 3, 4, 5, 6, 0}));
  EXPECT_TRUE(CommandSlotOpen(full.data(), 5, 6));

  const Slots shown = {4, 2, 0, -1, -1, -1, 0};
  EXPECT_EQ(OfferedCommands(shown.data(), 2, commands), (std::vector<int32_t>{1, 3, 5}));
  EXPECT_EQ(OfferedCommands(shown.data(), 0, commands), (std::vector<int32_t>{1, 3, 4, 5}));
  EXPECT_TRUE(CommandSlotOpen(shown.data(), 2, commands));
  EXPECT_FALSE(CommandSlotOpen(shown.data(), 3, commands));
}

namespace {

struct EquippedHero : ::testing::Test {
  TLcfDataBase db;
  TLcfPlayerItem* hero = nullptr;
  TLcfItemItem* Add(uint8_t type, int attack, int defense, int intelligence, int agility) {
    TLcfItemItem* item = db.items.Append();
    item->itemType = type;
    item->attackBonus = attack;
    item->defenseBonus = defense;
    item->intelligenceBonus = intelligence;
    item->agilityBonus = agility;
    return item;
  }
  void SetUp() override {
    db.ResetDatabase();
    db.items.Clear();
    hero = db.heroes.ItemAt(0);
    Add(kItemWeapon, 10, 0, 0, 1);                      // 1
    Add(kItemWeapon, 5, 0, 2, 3);                       // 2
    Add(kItemShield, 0, 7, 0, 0);                       // 3
    Add(kItemHelmet, 0, 4, 0, 0)->ResizeHeroUsable(1);  // 4: nobody may use it
    Add(kItemArmor, 1, 2, 3, 4);                        // 5
    for (int level = 1; level <= 99; ++level)
      for (int p = 0; p < kParameterCount; ++p) hero->SetParameter(p, level, 100 * (p + 1) + level);
    hero->initialLevel = 3;
  }
};

}  // namespace

TEST_F(EquippedHero, EquipmentChoicesFollowTwoWeaponsAndUsability) {
  EXPECT_EQ(EquipmentChoices(db, *hero, 0), (std::vector<int32_t>{1, 2}));
  EXPECT_EQ(EquipmentChoices(db, *hero, 1), (std::vector<int32_t>{3}));
  EXPECT_EQ(EquipmentChoices(db, *hero, 3), (std::vector<int32_t>{}));
  hero->twoWeapons = 1;
  EXPECT_EQ(EquipmentChoices(db, *hero, 1), (std::vector<int32_t>{1, 2}));
  // Per class: the class array decides (element 0 for heroes without a class).
  db.system.itemUsableByMode = 1;
  db.items.ItemAt(0)->ResizeClassUsable(1);
  EXPECT_EQ(EquipmentChoices(db, *hero, 0), (std::vector<int32_t>{2}));
}

TEST_F(EquippedHero, ThumbnailsBarsAndNowWithTwoWeapons) {
  struct Bar {
    int parameter, value, height;
  };
  for (const Bar& b : {Bar{kMaxHP, 119, 0}, Bar{kMaxHP, 120, 1}, Bar{kMaxHP, 6479, 53}, Bar{kMaxHP, 9999, 54},
                       Bar{kAttack, 11, 0}, Bar{kAttack, 12, 1}, Bar{kAgility, 999, 54}, Bar{kMaxMP, 0, 0}})
    EXPECT_EQ(ThumbnailBar(b.parameter, b.value), b.height) << b.parameter << " " << b.value;

  hero->twoWeapons = 1;
  const uint16_t equipment[kEquipmentSlots] = {1, 2, 5, 4, 77};  // 4 unusable, 77 gone
  for (int slot = 0; slot < kEquipmentSlots; ++slot) hero->SetEquipment(slot, equipment[slot]);
  // Level 3 values plus weapons 1 and 2 and armor 5.
  EXPECT_EQ(ThumbnailNow(db, *hero, kMaxHP), 103);
  EXPECT_EQ(ThumbnailNow(db, *hero, kMaxMP), 203);
  EXPECT_EQ(ThumbnailNow(db, *hero, kAttack), 303 + 10 + 5 + 1);
  EXPECT_EQ(ThumbnailNow(db, *hero, kDefense), 403 + 2);
  EXPECT_EQ(ThumbnailNow(db, *hero, kIntelligence), 503 + 2 + 3);
  EXPECT_EQ(ThumbnailNow(db, *hero, kAgility), 603 + 1 + 3 + 4);
}

TEST(Curves, EndpointCurveForAKnownInput) {
  // Control points (1, 1), (16, 17), (32, 33), (99, 100): the curve follows value = level + 1 but
  // near level 1, where it bends down to the first point.
  uint16_t curve[kCurveElements] = {};
  CurveFromEndpoints(curve, kDefense, 1, 100, 0);
  const uint16_t* row = curve + kDefense * kMaxHeroLevel;
  EXPECT_EQ(row[0], 1);
  EXPECT_EQ(row[98], 100);
  for (int level = 12; level <= 98; ++level) EXPECT_NEAR(row[level - 1], level + 1, 1) << level;
}

TEST(Curves, QuickCurveWithAFixedSeed) {
  // The generator is drawn in order: Random(2), Random(c + it), Random(20), Random(c), Random(3).
  for (uint32_t seed : {1u, 42u, 20261210u}) {
    TRandom replay = SeededRandom(seed);
    const int extra = replay(2), first = 4 * 10 + replay(10 + extra) + 5;
    const int last = 10 * (60 + replay(20)) + replay(10);
    uint16_t curve[kCurveElements] = {};
    QuickCurve(curve, kAttack, TQuickCurve::AboveAverage, SeededRandom(seed));
    EXPECT_EQ(curve[kAttack * 99], first) << seed;
    EXPECT_EQ(curve[kAttack * 99 + 98], last) << seed;
    uint16_t again[kCurveElements] = {};
    QuickCurve(again, kAttack, TQuickCurve::AboveAverage, SeededRandom(seed));
    EXPECT_TRUE(std::equal(curve, curve + kCurveElements, again));
  }
  // Seed 1 pins the figures themselves.
  uint16_t hp[kCurveElements] = {};
  QuickCurve(hp, kMaxHP, TQuickCurve::Average, SeededRandom(1));
  TRandom r = SeededRandom(1);
  const int extra = r(2), first = 300 + r(100 + extra), last = 100 * (40 + r(20)) + r(100);
  EXPECT_EQ(hp[0], first);
  EXPECT_EQ(hp[98], last);
  EXPECT_GE(first, 300);
  EXPECT_LE(last, 5999);
}

TEST(Curves, HandDrawingInterpolatesBetweenPointerPositions) {
  uint16_t curve[kCurveElements] = {};
  uint16_t* attack = curve + kAttack * kMaxHeroLevel;
  std::fill_n(attack, kMaxHeroLevel, uint16_t{5000});  // stored beyond the range by another tool
  // From level 3 at value 200 to level 7 at value 400, and the same drag backwards.
  for (bool backwards : {false, true}) {
    std::fill_n(attack, kMaxHeroLevel, uint16_t{5000});
    if (backwards)
      DrawCurveStroke(curve, kAttack, 32, 150, 12, 200);
    else
      DrawCurveStroke(curve, kAttack, 12, 200, 32, 150);
    EXPECT_EQ(attack[1], 5000);
    EXPECT_EQ((std::vector<int>(attack + 2, attack + 7)), (std::vector<int>{200, 250, 300, 350, 400}));
    EXPECT_EQ(attack[7], 5000);
  }
  struct Clamp {
    int parameter, y, value;
  };
  for (const Clamp& c : {Clamp{kMaxHP, 0, 9999}, Clamp{kMaxHP, 250, 1}, Clamp{kMaxMP, 250, 0}, Clamp{kMaxMP, 0, 999},
                         Clamp{kAgility, 300, 1}, Clamp{kMaxHP, 100, 6000}}) {
    DrawCurveStroke(curve, c.parameter, 400, c.y, 400, c.y);
    EXPECT_EQ(curve[c.parameter * 99 + CurveLevelAt(400) - 1], c.value) << c.parameter << " " << c.y;
    EXPECT_EQ(CurveValueAt(c.parameter, c.y), c.value);
  }
  EXPECT_EQ(CurveLevelAt(0), 1);
  EXPECT_EQ(CurveLevelAt(4), 1);
  EXPECT_EQ(CurveLevelAt(5), 2);
  EXPECT_EQ(CurveLevelAt(494), 99);
  EXPECT_EQ(CurveLevelAt(700), 99);
}

TEST(Experience, TableAtTheUnreachableLimit) {
  // E(99) = 98 (P + T) + S * 4851: 9,999,920 with T = 1040, 10,000,018 with T = 1041.
  EXPECT_EQ(ExperienceForLevel(2000, 2000, 1040, 99), 9999920);
  EXPECT_EQ(TotalExperienceLine(2000, 2000, 1040, 99), "L 99 : 9999920");
  EXPECT_EQ(LevelExperienceLine(2000, 2000, 1040, 98), "L 98 :  199040");
  EXPECT_EQ(ExperienceForLevel(2000, 2000, 1041, 99), kUnreachableExperience);
  EXPECT_EQ(TotalExperienceLine(2000, 2000, 1041, 99), "L 99 : -------");
  EXPECT_EQ(LevelExperienceLine(2000, 2000, 1041, 98), "L 98 : -------");
  EXPECT_EQ(TotalExperienceLine(2000, 2000, 1041, 98), "L 98 : 9800977");
}
