#pragma once
// Skills: the abilities heroes learn and use.

#include "core/Catalog.h"
#include "database/LD_Animation2.h"
#include "database/LD_Ranks.h"
#include "media/LD_Sound.h"

namespace tess {

enum TSkillType : uint8_t { kSkillNormal = 0, kSkillTeleport = 1, kSkillEscape = 2, kSkillSwitch = 3 };

class TLcfSkillItem : public TCatalogItem {
 public:
  TLcfSkillItem() { Reset(); }

  std::string description;
  std::string reserved3;  // chunks 3, 4, 7 and 39 are stored and copied; nothing shows or changes them
  std::string reserved4;
  int32_t reserved7 = 0;
  uint8_t skillType = kSkillNormal;
  int32_t mpCostType = 0;
  int32_t mpCostPercent = 0;
  int32_t mpCost = 0;
  uint8_t target = 0;
  int32_t switchId = 1;
  int32_t animationId = 1;
  TLcfSound sound;
  uint8_t usableOnField = 1;
  uint8_t usableInBattle = 0;
  int32_t conditionMode = 0;
  int32_t attackInfluence = 0;
  int32_t intelligenceInfluence = 3;
  int32_t variance = 4;
  int32_t effectRating = 0;
  int32_t successRate = 100;
  uint8_t affectHP = 0;
  uint8_t affectMP = 0;
  uint8_t affectAttack = 0;
  uint8_t affectDefense = 0;
  uint8_t affectIntelligence = 0;
  uint8_t affectAgility = 0;
  uint8_t absorb = 0;
  uint8_t ignoreDefense = 0;
  uint8_t reserved39 = 0;
  int32_t conditionCount = 0;
  std::vector<uint8_t> conditions;  // 1 = the condition is affected
  int32_t attributeCount = 0;
  std::vector<uint8_t> attributes;  // 1 = the skill carries the attribute
  uint8_t alterResistance = 0;
  int32_t previewHero = -1;
  TLcfCBAData battlerAnimations;

  void DescribeChunks(TCatalogVarData& v) override;
  void Reset() override;

  // Marks by condition or attribute id (from 1): 0 past the stored ones.
  uint8_t GetSkillCondition(int id) const { return ByteAt(conditions, id - 1, 0); }
  void SetSkillCondition(int id, uint8_t value) { SetByteAt(conditions, id - 1, value); }
  void ResizeSkillConditions(int n) { ResizeBytes(conditions, conditionCount, n, 0); }
  uint8_t GetSkillAttribute(int id) const { return ByteAt(attributes, id - 1, 0); }
  void SetSkillAttribute(int id, uint8_t value) { SetByteAt(attributes, id - 1, value); }
  void ResizeSkillAttributes(int n) { ResizeBytes(attributes, attributeCount, n, 0); }

  // What the skill page does when it shows the skill: one battler setting per hero, a remembered
  // hero that no longer exists forgotten, an unknown type shown as Normal.
  void PrepareForPage(int heroCount);

 protected:
  void AfterLoad() override;
};

class TLcfSkill : public TCatalogOf<TLcfSkillItem> {
 public:
  TLcfSkill() : TCatalogOf("Event script referenced a skill that does not exist.") {}
};

}  // namespace tess
