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

  uint8_t persistence{};  // 0 ends after battle, 1 persists
  int32_t color{};
  int32_t priority{};
  uint8_t restriction{};
  int32_t chanceA{};
  int32_t chanceB{};
  int32_t chanceC{};
  int32_t chanceD{};
  int32_t chanceE{};
  int32_t abateTurns{};
  int32_t recoverChance{};
  int32_t damageRecoverChance{};
  int32_t statAlteration{};  // 0 half, 1 double, 2 none
  uint8_t alterAttack{};
  uint8_t alterIntelligence{};
  uint8_t alterDefense{};
  uint8_t alterAgility{};
  int32_t hitRate{};
  uint8_t evadeAll{};
  uint8_t reflectSkills{};
  uint8_t lockEquipment{};
  int32_t battlerPose{};
  uint8_t lockAttackSkills{};
  int32_t lockAttackInfluence{};
  uint8_t lockIntelligenceSkills{};
  int32_t lockIntelligenceInfluence{};
  int32_t hpEffect{};  // 0 damage, 1 recovery, 2 none
  int32_t mpEffect{};
  std::string message1;
  std::string message2;
  std::string message3;
  std::string message4;
  std::string message5;
  int32_t hpPercent{};
  int32_t hpAmount{};
  int32_t hpSteps{};
  int32_t hpStepAmount{};
  int32_t mpPercent{};
  int32_t mpAmount{};
  int32_t mpSteps{};
  int32_t mpStepAmount{};

  void DescribeChunks(TCatalogVarData& v) override;
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
  TLcfStatus() : TCatalogOf("Event script referenced a status ailment that does not exist.", "condition") {}
};

}  // namespace tess
