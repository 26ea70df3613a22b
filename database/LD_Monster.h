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

  uint8_t actionKind = kActionBasic;
  uint8_t basicAction = 0;
  int32_t skillId = 1;
  int32_t transformInto = 1;
  uint8_t precondition = kPreconditionNone;
  int32_t conditionLow = 0;
  int32_t conditionHigh = 0;
  int32_t conditionSwitchId = 1;
  uint8_t switchOnAfter = 0;
  int32_t switchOnId = 1;
  uint8_t switchOffAfter = 0;
  int32_t switchOffId = 1;
  int32_t priority = 50;

  void DescribeChunks(TCatalogVarData& v) override;
  // Changes the precondition kind and puts its two values at the start of the kind's range: low at
  // the minimum, high at the minimum for turns and at the maximum otherwise.
  void SetPrecondition(uint8_t kind);
};

class TLcfMonsterAct : public TCatalogOf<TLcfMonsterActItem> {
 public:
  TLcfMonsterAct() : TCatalogOf("Event script referenced a monster that does not exist.") {}
};

class TLcfMonsterItem : public TCatalogItem {
 public:
  TLcfMonsterItem() { Reset(); }
  explicit TLcfMonsterItem(TUnreset) {}

  std::string monsterFile;
  int32_t hue = 0;
  int32_t maxHP = 10;
  int32_t maxMP = 10;
  int32_t attack = 10;
  int32_t defense = 10;
  int32_t intelligence = 10;
  int32_t agility = 10;
  uint8_t transparent = 0;
  int32_t experience = 0;
  int32_t money = 0;
  int32_t dropItemId = 0;
  int32_t dropChance = 100;
  uint8_t criticalHits = 0;
  int32_t criticalChance = 30;
  uint8_t oftenMiss = 0;
  uint8_t flying = 0;
  int32_t conditionRankCount = 0;
  std::vector<uint8_t> conditionRanks;  // neutral B
  int32_t attributeRankCount = 0;
  std::vector<uint8_t> attributeRanks;  // neutral C
  TLcfMonsterAct actions;

  void DescribeChunks(TCatalogVarData& v) override;

  uint8_t GetConditionRank(int id) const { return ByteAt(conditionRanks, id - 1, kRankB); }
  void SetConditionRank(int id, uint8_t rank) { SetByteAt(conditionRanks, id - 1, rank); }
  void ResizeConditionRanks(int n) { ResizeBytes(conditionRanks, conditionRankCount, n, kRankB); }
  uint8_t GetAttributeRank(int id) const { return ByteAt(attributeRanks, id - 1, kRankC); }
  void SetAttributeRank(int id, uint8_t rank) { SetByteAt(attributeRanks, id - 1, rank); }
  void ResizeAttributeRanks(int n) { ResizeBytes(attributeRanks, attributeRankCount, n, kRankC); }

 protected:
  void AfterLoad() override;
};

class TLcfMonster : public TCatalogOf<TLcfMonsterItem> {
 public:
  TLcfMonster() : TCatalogOf("Event script referenced a monster that does not exist.") {}
};

}  // namespace tess
