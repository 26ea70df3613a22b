#pragma once
// Heroes: the characters a party can hold. Heroes and classes (LD_Job) share the parameter curves,
// the experience curve, the skills learned by level, resistance ranks and battle command slots,
// kept in TLcfActorBase; this module also holds the experience formula and the curve generators
// both pages use.

#include <array>
#include <functional>

#include "core/Catalog.h"
#include "database/LD_Ranks.h"

namespace tess {

inline constexpr int kParameterCount = 6;  // max HP, max MP, attack, defense, intelligence, agility
inline constexpr int kMaxHeroLevel = 99;
inline constexpr int kCurveElements = kParameterCount * kMaxHeroLevel;  // 594
// Files of the older format hold curves of 50 levels (300 elements), stored curve by curve.
inline constexpr int kOlderMaxHeroLevel = 50;
inline constexpr int kBattleCommandSlots = 6;
inline constexpr int kMaxLearnedSkills = 500;
inline constexpr int kEquipmentSlots = 5;  // weapon, shield, armor, helmet, accessory
// The experience total that marks a level as out of reach.
inline constexpr int32_t kUnreachableExperience = 10000000;

enum TParameter { kMaxHP = 0, kMaxMP = 1, kAttack = 2, kDefense = 3, kIntelligence = 4, kAgility = 5 };

// The editing range of each parameter.
int ParameterMinimum(int parameter);
int ParameterMaximum(int parameter);

// One skill learned on reaching a level. Heroes and classes have identical entries.
class TLcfLearningItem : public TCatalogItem {
 public:
  int32_t level = 1;
  int32_t skillId = 1;
  void DescribeChunks(TCatalogVarData& v) override;
};
class TLcfPlayerLearningItem : public TLcfLearningItem {};
class TLcfJobLearningItem : public TLcfLearningItem {};

inline constexpr const char* kSkillMissing = "Event script referenced a skill that does not exist.";

// A list of learned skills: at most 500 entries, each skill once, kept sorted by level and then
// skill id.
template <class TItem>
class TLcfLearningList : public TCatalogOf<TItem> {
 public:
  TLcfLearningList() : TCatalogOf<TItem>(kSkillMissing, "learned skill") {}

  bool HasSkill(int32_t skillId) const {
    for (int i = 0; i < this->Count(); ++i)
      if (this->ItemAt(i)->skillId == skillId) return true;
    return false;
  }
  // Adds an entry and re-sorts; false (nothing added) when the list is full or has the skill.
  bool AddSkill(int32_t level, int32_t skillId) {
    if (this->Count() >= kMaxLearnedSkills || HasSkill(skillId)) return false;
    TItem* item = this->Append();
    item->level = level;
    item->skillId = skillId;
    SortSkills();
    return true;
  }
  void SortSkills() {
    this->Sort(
        [](const TItem& a, const TItem& b) { return a.level != b.level ? a.level < b.level : a.skillId < b.skillId; });
  }
};

class TLcfPlayerLearning : public TLcfLearningList<TLcfPlayerLearningItem> {};
class TLcfJobLearning : public TLcfLearningList<TLcfJobLearningItem> {};

// Storage and accessors shared by heroes and classes. Each class describes its own chunks.
class TLcfActorBase : public TCatalogItem {
 public:
  uint8_t twoWeapons{};
  uint8_t lockEquipment{};
  uint8_t aiControl{};
  uint8_t mightyGuard{};
  // Parameter-major: parameter p at level L is element p * 99 + L - 1.
  uint16_t parameters[kCurveElements] = {};
  int32_t expPrimary{};
  int32_t expSecondary{};
  int32_t expTertiary{};
  int32_t battlerAnimation{};
  int32_t conditionRankCount{};
  std::vector<uint8_t> conditionRanks;
  int32_t attributeRankCount{};
  std::vector<uint8_t> attributeRanks;
  // Six command slots (used ids, then 0, then -1) and a seventh element no accessor touches.
  int32_t battleCommands[kBattleCommandSlots + 1] = {};

  int GetParameter(int parameter, int level) const;
  void SetParameter(int parameter, int level, int value);
  int32_t GetBattleCommand(int slot) const;
  void SetBattleCommand(int slot, int32_t commandId);
  // Ranks by condition or attribute id (from 1); neutral C past the stored ones.
  uint8_t GetConditionRank(int id) const { return ByteAt(conditionRanks, id - 1, kRankC); }
  void SetConditionRank(int id, uint8_t rank) { SetByteAt(conditionRanks, id - 1, rank); }
  void ResizeConditionRanks(int n) { ResizeBytes(conditionRanks, conditionRankCount, n, kRankC); }
  uint8_t GetAttributeRank(int id) const { return ByteAt(attributeRanks, id - 1, kRankC); }
  void SetAttributeRank(int id, uint8_t rank) { SetByteAt(attributeRanks, id - 1, rank); }
  void ResizeAttributeRanks(int n) { ResizeBytes(attributeRanks, attributeRankCount, n, kRankC); }

  // Reads the curves of an older-format file into a reset curve block: each curve's 50 values are
  // levels 1 to 50, and levels 51 to 99 repeat the level-50 value. Other sizes are not taken.
  static bool TakeOlderCurves(const uint8_t* body, size_t size, void* parameters);

  // Total experience needed to reach a level with this record's curve.
  int32_t ExperienceForLevel(int level) const;

  // The step before a save: drops trailing neutral ranks and the ranks of conditions and
  // attributes past the limits.
  void TrimForSave(const TTrimLimits& limits);

 protected:
  // A reset curve holds the lowest value of each parameter's range at every level.
  static void ResetCurves(void* parameters);
  // The condition and attribute rank chunks, which heroes and classes store alike.
  void DescribeRanks(TCatalogVarData& v);
  // Loading makes the counts agree with the arrays actually read.
  void AfterLoad() override;
};

class TLcfPlayerItem : public TLcfActorBase {
 public:
  TLcfPlayerItem() { Reset(); }
  explicit TLcfPlayerItem(TUnreset) {}

  std::string title;
  std::string charSetFile;
  int32_t charSetIndex{};
  uint8_t charSetTransparent{};
  int32_t initialLevel{};
  int32_t maxLevel{};
  uint8_t criticalHits{};
  int32_t criticalChance{};
  std::string faceSetFile;
  int32_t faceIndex{};
  uint16_t initialEquipment[kEquipmentSlots] = {};
  int32_t unarmedAnimation{};
  int32_t classId{};
  int32_t reserved58{};  // stored and copied; nothing shows or changes it
  int32_t battlePositionX{};
  int32_t battlePositionY{};
  TLcfPlayerLearning skills;
  int32_t reserved64{};
  uint8_t reserved66{};
  std::string reserved67;

  void DescribeChunks(TCatalogVarData& v) override;

  int GetEquipment(int slot) const;
  void SetEquipment(int slot, int itemId);
};

class TLcfPlayer : public TCatalogOf<TLcfPlayerItem> {
 public:
  TLcfPlayer() : TCatalogOf("Event script referenced a hero that does not exist.", "hero") {}
};

// Total experience to reach level L: 0 below level 2, else (L-1)(P+T) + S*L(L-1)/2 summed step by
// step, or 10,000,000 once any step exceeds 9,999,999.
int32_t ExperienceForLevel(int32_t primary, int32_t secondary, int32_t tertiary, int level);

// The two lines of the curve window for level L (1 to 99): the total, and the experience from L to
// L + 1; a level out of reach shows dashes.
std::string TotalExperienceLine(int32_t primary, int32_t secondary, int32_t tertiary, int level);
std::string LevelExperienceLine(int32_t primary, int32_t secondary, int32_t tertiary, int level);

// Fills parameter p of a curve array from its level-1 and level-99 values along a cubic curve whose
// shape is accelerate (-2 early growth to 8 late growth). Levels 2 to 98 the curve does not reach
// keep their values.
void CurveFromEndpoints(uint16_t (&curve)[kCurveElements], int parameter, int level1Value, int level99Value,
                        int accelerate);

enum class TQuickCurve { Outstanding, AboveAverage, Average, BelowAverage };
// A uniformly random integer from 0 to n - 1.
using TRandom = std::function<int(int n)>;
// Picks end points and shape at random for the grade, then draws the curve.
void QuickCurve(uint16_t (&curve)[kCurveElements], int parameter, TQuickCurve grade, const TRandom& random);

}  // namespace tess
