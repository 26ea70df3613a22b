// The experience formula, the curve generators, applying a class and the learned-skill lists.
#include <gtest/gtest.h>

#include <random>

#include "database/LD_Job.h"
#include "database/LD_Player.h"

using namespace tess;

TEST(Experience, FormulaAndUnreachableLevels) {
  EXPECT_EQ(ExperienceForLevel(300, 300, 0, 1), 0);
  EXPECT_EQ(ExperienceForLevel(300, 300, 0, 2), 600);
  EXPECT_EQ(ExperienceForLevel(300, 300, 0, 3), 1500);
  // The closed form, across the editable range.
  std::mt19937 gen(7);
  std::uniform_int_distribution<int> value(-2000, 2000), level(2, 99);
  for (int i = 0; i < 500; ++i) {
    int p = value(gen), s = value(gen), t = value(gen), l = level(gen);
    int64_t closed = int64_t{l - 1} * (p + t) + int64_t{s} * l * (l - 1) / 2;
    int32_t got = ExperienceForLevel(p, s, t, l);
    if (got != kUnreachableExperience) {
      EXPECT_EQ(got, closed) << p << " " << s << " " << t << " " << l;
    }
  }
  EXPECT_EQ(ExperienceForLevel(2000, 2000, 2000, 99), kUnreachableExperience);
  EXPECT_EQ(TotalExperienceLine(2000, 2000, 2000, 99), "L 99 : -------");
  EXPECT_EQ(TotalExperienceLine(300, 300, 0, 3), "L  3 :    1500");
  EXPECT_EQ(LevelExperienceLine(300, 300, 0, 2), "L  2 :     900");
  EXPECT_EQ(LevelExperienceLine(300, 300, 0, 99), "L 99 : -------");
  // The level before the first unreachable one shows dashes on the per-level tab only.
  int first = 2;
  while (ExperienceForLevel(2000, 2000, 2000, first) != kUnreachableExperience) ++first;
  EXPECT_NE(TotalExperienceLine(2000, 2000, 2000, first - 1), "L " + std::to_string(first - 1) + " : -------");
  EXPECT_EQ(LevelExperienceLine(2000, 2000, 2000, first - 1).substr(4), " : -------");
}

TEST(Curves, EndpointCurveRisesFromFirstToLastValue) {
  for (int accelerate : {-2, 0, 3, 8}) {
    SCOPED_TRACE(accelerate);
    uint16_t curve[kCurveElements] = {};
    CurveFromEndpoints(curve, kAttack, 12, 600, accelerate);
    const uint16_t* row = curve + kAttack * kMaxHeroLevel;
    EXPECT_EQ(row[0], 12);
    EXPECT_EQ(row[98], 600);
    for (int l = 1; l < 99; ++l) {
      EXPECT_GE(row[l], row[l - 1]) << "level " << l + 1;
      EXPECT_LE(row[l], 600);
    }
    // Other parameters are not touched.
    EXPECT_EQ(curve[kDefense * kMaxHeroLevel + 50], 0);
  }
  // Early growth lies above late growth in the middle.
  uint16_t early[kCurveElements] = {}, late[kCurveElements] = {};
  CurveFromEndpoints(early, kMaxHP, 100, 5000, -2);
  CurveFromEndpoints(late, kMaxHP, 100, 5000, 8);
  EXPECT_GT(early[40], late[40]);
  // A falling curve reaches every column too.
  uint16_t falling[kCurveElements] = {};
  CurveFromEndpoints(falling, kAgility, 900, 10, 3);
  for (int l = 1; l < 98; ++l) EXPECT_LE(falling[kAgility * 99 + l], falling[kAgility * 99 + l - 1] + 1);
}

TEST(Curves, QuickCurvesStayInsideTheParameterRanges) {
  std::mt19937 gen(11);
  TRandom random = [&](int n) { return n <= 0 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(gen); };
  for (int round = 0; round < 200; ++round) {
    for (int p = 0; p < kParameterCount; ++p) {
      uint16_t curve[kCurveElements] = {};
      auto grade = static_cast<TQuickCurve>(round % 4);
      QuickCurve(curve, p, grade, random);
      for (int l = 0; l < 99; ++l) {
        EXPECT_GE(curve[p * 99 + l], ParameterMinimum(p));
        EXPECT_LE(curve[p * 99 + l], ParameterMaximum(p));
      }
    }
  }
  // With every random number 0: first = a * c (+5 for attack), last = c * b.
  TRandom zero = [](int) { return 0; };
  uint16_t curve[kCurveElements] = {};
  QuickCurve(curve, kAttack, TQuickCurve::Outstanding, zero);
  EXPECT_EQ(curve[kAttack * 99], 55);
  EXPECT_EQ(curve[kAttack * 99 + 98], 800);
}

TEST(Heroes, ApplyingAClassCopiesItsSettings) {
  TLcfJobItem job;
  job.twoWeapons = 1;
  job.mightyGuard = 1;
  job.ResizeConditionRanks(3);
  job.SetConditionRank(3, 4);
  job.SetAttributeRank(1, 0);  // past the class's ranks: stays C
  job.SetParameter(kMaxHP, 10, 777);
  job.expTertiary = 12;
  job.battlerAnimation = 5;
  job.skills.AddSkill(5, 9);
  job.skills.AddSkill(1, 3);
  job.SetBattleCommand(0, 2);
  job.battleCommands[6] = 42;

  TLcfPlayerItem hero;
  hero.name = "Alex";
  hero.skills.AddSkill(2, 2);
  hero.ResizeAttributeRanks(1);
  hero.SetAttributeRank(1, 0);
  ApplyClassToHero(job, hero, 4, 1);
  EXPECT_EQ(hero.name, "Alex");
  EXPECT_EQ(hero.twoWeapons, 1);
  EXPECT_EQ(hero.mightyGuard, 1);
  EXPECT_EQ(hero.conditionRanks, (std::vector<uint8_t>{2, 2, 4, 2}));
  EXPECT_EQ(hero.GetAttributeRank(1), kRankC);
  EXPECT_EQ(hero.GetParameter(kMaxHP, 10), 777);
  EXPECT_EQ(hero.expTertiary, 12);
  EXPECT_EQ(hero.battlerAnimation, 5);
  ASSERT_EQ(hero.skills.Count(), 2);
  EXPECT_EQ(hero.skills.ItemAt(0)->skillId, 3);
  EXPECT_EQ(hero.skills.ItemAt(1)->level, 5);
  EXPECT_EQ(hero.GetBattleCommand(0), 2);
  EXPECT_EQ(hero.battleCommands[6], -1);
}

TEST(Heroes, SkillListsStaySortedUniqueAndBounded) {
  TLcfPlayerLearning list;
  EXPECT_TRUE(list.AddSkill(10, 4));
  EXPECT_TRUE(list.AddSkill(1, 7));
  EXPECT_TRUE(list.AddSkill(10, 2));
  EXPECT_FALSE(list.AddSkill(3, 7));
  std::vector<std::pair<int, int>> got;
  for (int i = 0; i < list.Count(); ++i) {
    got.push_back({list.ItemAt(i)->level, list.ItemAt(i)->skillId});
    EXPECT_EQ(list.ItemAt(i)->Id(), i + 1);
  }
  EXPECT_EQ(got, (std::vector<std::pair<int, int>>{{1, 7}, {10, 2}, {10, 4}}));
  for (int s = 100; list.Count() < kMaxLearnedSkills; ++s) list.AddSkill(1, s);
  EXPECT_FALSE(list.AddSkill(1, 99999));
  EXPECT_EQ(list.Count(), kMaxLearnedSkills);
}
