#pragma once
// Monsters: the enemies of battles, with statistics, spoils, resistances and a prioritised list of
// actions.

#include "core/Catalog.h"
#include "database/LD_Ranks.h"

namespace tess {

enum TMonsterActionKind : uint8_t { kActionBasic = 0, kActionSkill = 1, kActionTransform = 2 };

enum TMonsterPrecondition : uint8_t {
  kPreconditionNone = 0,
  kPreconditionSwitch = 1,
  kPreconditionTurns = 2,
  kPreconditionMonsters = 3,
  kPreconditionMonsterHP = 4,
  kPreconditionMonsterMP = 5,
  kPreconditionPartyLevel = 6,
  kPreconditionExhaustion = 7,
};

// One behaviour entry of a monster.
class TLcfMonsterActItem : public TCatalogItem {
 public:
  TLcfMonsterActItem() { Reset(); }
  explicit TLcfMonsterActItem(TUnreset) {}

  uint8_t actionKind{};
  uint8_t basicAction{};
  int32_t skillId{};
  int32_t transformInto{};
  uint8_t precondition{};
  int32_t conditionLow{};
  int32_t conditionHigh{};
  int32_t conditionSwitchId{};
  uint8_t switchOnAfter{};
  int32_t switchOnId{};
  uint8_t switchOffAfter{};
  int32_t switchOffId{};
  int32_t priority{};

  void DescribeChunks(TCatalogVarData& v) override;
  // Changes the precondition kind and puts its two values at the start of the kind's range: low at
  // the minimum, high at the minimum for turns and at the maximum otherwise.
  void SetPrecondition(uint8_t kind);
};

class TLcfMonsterAct : public TCatalogOf<TLcfMonsterActItem> {
 public:
  TLcfMonsterAct() : TCatalogOf("Event script referenced a monster that does not exist.", "action") {}
};

class TLcfMonsterItem : public TCatalogItem {
 public:
  TLcfMonsterItem() { Reset(); }
  explicit TLcfMonsterItem(TUnreset) {}

  std::string monsterFile;
  int32_t hue{};
  int32_t maxHP{};
  int32_t maxMP{};
  int32_t attack{};
  int32_t defense{};
  int32_t intelligence{};
  int32_t agility{};
  uint8_t transparent{};
  int32_t experience{};
  int32_t money{};
  int32_t dropItemId{};
  int32_t dropChance{};
  uint8_t criticalHits{};
  int32_t criticalChance{};
  uint8_t oftenMiss{};
  uint8_t flying{};
  int32_t conditionRankCount{};
  std::vector<uint8_t> conditionRanks;  // neutral B
  int32_t attributeRankCount{};
  std::vector<uint8_t> attributeRanks;  // neutral C
  TLcfMonsterAct actions;

  void DescribeChunks(TCatalogVarData& v) override;

  uint8_t GetConditionRank(int id) const { return ByteAt(conditionRanks, id - 1, kRankB); }
  void SetConditionRank(int id, uint8_t rank) { SetByteAt(conditionRanks, id - 1, rank); }
  void ResizeConditionRanks(int n) { ResizeBytes(conditionRanks, conditionRankCount, n, kRankB); }
  uint8_t GetAttributeRank(int id) const { return ByteAt(attributeRanks, id - 1, kRankC); }
  void SetAttributeRank(int id, uint8_t rank) { SetByteAt(attributeRanks, id - 1, rank); }
  void ResizeAttributeRanks(int n) { ResizeBytes(attributeRanks, attributeRankCount, n, kRankC); }

  // The step before a save: drops trailing neutral ranks (B for conditions, C for attributes) and
  // the ranks of conditions and attributes past the limits.
  void TrimForSave(const TTrimLimits& limits);

 protected:
  void AfterLoad() override;
};

class TLcfMonster : public TCatalogOf<TLcfMonsterItem> {
 public:
  TLcfMonster() : TCatalogOf("Event script referenced a monster that does not exist.", "monster") {}
};

}  // namespace tess
