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
  explicit TLcfSkillItem(TUnreset) {}

  std::string description;
  std::string reserved3;  // chunks 3, 4, 7 and 39 are stored and copied; nothing shows or changes them
  std::string reserved4;
  int32_t reserved7{};
  uint8_t skillType{};
  int32_t mpCostType{};
  int32_t mpCostPercent{};
  int32_t mpCost{};
  uint8_t target{};
  int32_t switchId{};
  int32_t animationId{};
  TLcfSound sound;
  uint8_t usableOnField{};
  uint8_t usableInBattle{};
  int32_t conditionMode{};
  int32_t attackInfluence{};
  int32_t intelligenceInfluence{};
  int32_t variance{};
  int32_t effectRating{};
  int32_t successRate{};
  uint8_t affectHP{};
  uint8_t affectMP{};
  uint8_t affectAttack{};
  uint8_t affectDefense{};
  uint8_t affectIntelligence{};
  uint8_t affectAgility{};
  uint8_t absorb{};
  uint8_t ignoreDefense{};
  uint8_t reserved39{};
  int32_t conditionCount{};
  std::vector<uint8_t> conditions;  // 1 = the condition is affected
  int32_t attributeCount{};
  std::vector<uint8_t> attributes;  // 1 = the skill carries the attribute
  uint8_t alterResistance{};
  int32_t previewHero{};
  TLcfCBAData battlerAnimations;

  void DescribeChunks(TCatalogVarData& v) override;

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
  // The step before a save: drops trailing unmarked elements and those of conditions and
  // attributes past the limits.
  void TrimForSave(const TTrimLimits& limits);

 protected:
  void AfterLoad() override;
};

class TLcfSkill : public TCatalogOf<TLcfSkillItem> {
 public:
  TLcfSkill() : TCatalogOf("Event script referenced a skill that does not exist.", "skill") {}
};

}  // namespace tess
