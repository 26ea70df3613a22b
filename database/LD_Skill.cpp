#include "database/LD_Skill.h"

namespace tess {

void TLcfSkillItem::TrimForSave(const TTrimLimits& limits) {
  TrimBytes(conditions, conditionCount, 0, limits.conditions);
  TrimBytes(attributes, attributeCount, 0, limits.attributes);
}

void TLcfSkillItem::DescribeChunks(TCatalogVarData& v) {
  v.String(1, name);
  v.String(2, description);
  v.String(3, reserved3);
  v.String(4, reserved4);
  v.Integer(7, reserved7, 0);
  v.Byte(8, skillType);
  v.Integer(9, mpCostType, 0);
  v.Integer(10, mpCostPercent, 0);
  v.Integer(11, mpCost, 0);
  v.Byte(12, target);
  v.Integer(13, switchId, 1);
  v.Integer(14, animationId, 1);
  v.Record(16, sound);
  v.Flag(18, usableOnField, 1);
  v.Flag(19, usableInBattle, 0);
  v.Integer(20, conditionMode, 0);
  v.Integer(21, attackInfluence, 0);
  v.Integer(22, intelligenceInfluence, 3);
  v.Integer(23, variance, 4);
  v.Integer(24, effectRating, 0);
  v.Integer(25, successRate, 100);
  v.Flag(31, affectHP, 0);
  v.Flag(32, affectMP, 0);
  v.Flag(33, affectAttack, 0);
  v.Flag(34, affectDefense, 0);
  v.Flag(35, affectIntelligence, 0);
  v.Flag(36, affectAgility, 0);
  v.Flag(37, absorb, 0);
  v.Flag(38, ignoreDefense, 0);
  v.Flag(39, reserved39, 0);
  v.Count(41, conditionCount, conditions.size());
  v.Array(42, conditions);
  v.Count(43, attributeCount, attributes.size());
  v.Array(44, attributes);
  v.Flag(45, alterResistance, 0);
  v.Integer(49, previewHero, -1);
  v.List(50, battlerAnimations, 1);
}

void TLcfSkillItem::AfterLoad() {
  conditionCount = static_cast<int32_t>(conditions.size());
  attributeCount = static_cast<int32_t>(attributes.size());
}

void TLcfSkillItem::PrepareForPage(int heroCount) {
  battlerAnimations.ExtendToHeroes(heroCount);
  if (previewHero >= heroCount) previewHero = 0;
  if (skillType > kSkillSwitch) skillType = kSkillNormal;
}

}  // namespace tess
