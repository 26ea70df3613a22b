#include "database/LD_Item.h"

#include "database/DataBaseLinks.h"

namespace tess {

void TLcfItemItem::TrimForSave(const TTrimLimits& limits) {
  // The usability arrays keep their length: which one is in force can change later.
  TrimBytes(conditions, conditionCount, 0, limits.conditions);
  TrimBytes(attributes, attributeCount, 0, limits.attributes);
}

void TLcfItemItem::DescribeChunks(TCatalogVarData& v) {
  v.String(1, name);
  v.String(2, description);
  v.Byte(3, itemType);
  v.Integer(5, price, 0);
  v.Integer(6, uses, 1);
  v.Integer(11, attackBonus, 0);
  v.Integer(12, defenseBonus, 0);
  v.Integer(13, intelligenceBonus, 0);
  v.Integer(14, agilityBonus, 0);
  v.Byte(15, twoHanded);
  v.Integer(16, mpCost, 0);
  v.Integer(17, hitRate, 90);
  v.Integer(18, criticalBonus, 0);
  v.Integer(20, attackAnimation, 1);
  v.Flag(21, attackFirst, 0);
  v.Flag(22, attackTwice, 0);
  v.Flag(23, attackAll, 0);
  v.Flag(24, ignoreEvasion, 0);
  v.Flag(25, preventCritical, 0);
  v.Flag(26, raiseEvasion, 0);
  v.Flag(27, halfMpCost, 0);
  v.Flag(28, noTerrainDamage, 0);
  v.Flag(29, cursed, 0);
  v.Byte(31, medicineTarget);
  v.Integer(32, hpRecoveryPercent, 0);
  v.Integer(33, hpRecovery, 0);
  v.Integer(34, mpRecoveryPercent, 0);
  v.Integer(35, mpRecovery, 0);
  v.Flag(37, fieldOnly, 0);
  v.Flag(38, deadOnly, 0);
  v.Integer(41, seedMaxHP, 0);
  v.Integer(42, seedMaxMP, 0);
  v.Integer(43, seedAttack, 0);
  v.Integer(44, seedDefense, 0);
  v.Integer(45, seedIntelligence, 0);
  v.Integer(46, seedAgility, 0);
  v.Byte(51, scrollMessage);
  v.Integer(53, skillId, 1);
  v.Integer(55, switchId, 1);
  v.Flag(57, usableOnField, 1);
  v.Flag(58, usableInBattle, 0);
  v.Count(61, heroUsableCount, heroUsable.size());
  v.Array(62, heroUsable);
  v.Count(63, conditionCount, conditions.size());
  v.Array(64, conditions);
  v.Count(65, attributeCount, attributes.size());
  v.Array(66, attributes);
  v.Integer(67, conditionChance, 0);
  v.Integer(68, conditionMode, 0);
  v.Integer(69, previewHero, -1);
  v.List(70, battlerAnimations, 1);
  v.Flag(71, invokeSkill, 0);
  v.Count(72, classUsableCount, classUsable.size());
  v.Array(73, classUsable);
  v.Integer(75, trajectory, 0);
  v.Integer(76, targeting, 0);
}

void TLcfItemItem::AfterLoad() {
  heroUsableCount = static_cast<int32_t>(heroUsable.size());
  conditionCount = static_cast<int32_t>(conditions.size());
  attributeCount = static_cast<int32_t>(attributes.size());
  classUsableCount = static_cast<int32_t>(classUsable.size());
}

namespace {
bool UsableByClassInForce() {
  const TDataBaseLinks* links = CurrentDataBaseLinks();
  return links && links->ItemUsableByClass();
}
}  // namespace

void TLcfItemItem::SetUsable(int position, uint8_t value) {
  if (UsableByClassInForce())
    SetClassUsable(position, value);
  else
    SetHeroUsable(position, value);
}

void TLcfItemItem::ResizeUsable(int n) {
  if (UsableByClassInForce())
    ResizeClassUsable(n);
  else
    ResizeHeroUsable(n);
}

void TLcfItemItem::PrepareForPage(int heroCount) {
  if (IsWeapon()) battlerAnimations.ExtendToHeroes(heroCount);
  if (previewHero >= heroCount) previewHero = -1;
}

}  // namespace tess
