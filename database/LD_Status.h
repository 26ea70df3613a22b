#pragma once
// Conditions: the states a character can be in. Condition 1 is the knocked-out state and resets to
// its own values.

#include "core/Catalog.h"

namespace tess {

inline constexpr int kConditionColours = 20;

class TLcfStatusItem : public TCatalogItem {
 public:
  TLcfStatusItem() { Reset(); }
  explicit TLcfStatusItem(TUnreset) {}

  uint8_t persistence = 0;  // 0 ends after battle, 1 persists
  int32_t color = 6;
  int32_t priority = 50;
  uint8_t restriction = 0;
  int32_t chanceA = 100;
  int32_t chanceB = 80;
  int32_t chanceC = 60;
  int32_t chanceD = 30;
  int32_t chanceE = 0;
  int32_t abateTurns = 0;
  int32_t recoverChance = 0;
  int32_t damageRecoverChance = 0;
  int32_t statAlteration = 0;  // 0 half, 1 double, 2 none
  uint8_t alterAttack = 0;
  uint8_t alterIntelligence = 0;
  uint8_t alterDefense = 0;
  uint8_t alterAgility = 0;
  int32_t hitRate = 100;
  uint8_t evadeAll = 0;
  uint8_t reflectSkills = 0;
  uint8_t lockEquipment = 0;
  int32_t battlerPose = 6;
  uint8_t lockAttackSkills = 0;
  int32_t lockAttackInfluence = 0;
  uint8_t lockIntelligenceSkills = 0;
  int32_t lockIntelligenceInfluence = 0;
  int32_t hpEffect = 0;  // 0 damage, 1 recovery, 2 none
  int32_t mpEffect = 0;
  std::string message1;
  std::string message2;
  std::string message3;
  std::string message4;
  std::string message5;
  int32_t hpPercent = 0;
  int32_t hpAmount = 0;
  int32_t hpSteps = 0;
  int32_t hpStepAmount = 0;
  int32_t mpPercent = 0;
  int32_t mpAmount = 0;
  int32_t mpSteps = 0;
  int32_t mpStepAmount = 0;

  void DescribeChunks(TCatalogVarData& v) override;
  // Condition 1 starts persistent, colour 5, priority 100, with no action allowed.
  void Reset() override;
  // A copy keeps the colour and priority exactly, whatever the ids of source and copy.
  void Assign(const TCatalogBaseItem& source) override;
  // The chance of infliction for a rank 0 (A) to 4 (E); 0 for any other rank.
  int32_t ChanceForRank(int rank) const;

 protected:
  // Condition 1 has no third and fourth message.
  void AfterLoad() override;
};

class TLcfStatus : public TCatalogOf<TLcfStatusItem> {
 public:
  TLcfStatus() : TCatalogOf("Event script referenced a status ailment that does not exist.") {}
};

}  // namespace tess
