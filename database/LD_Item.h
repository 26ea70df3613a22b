#pragma once
// Items: everything a party can own, from common items to five kinds of equipment, medicine, skill
// books, seeds, skill scrolls and switch items. Which fields matter depends on the item type.

#include "core/Catalog.h"
#include "database/LD_Animation2.h"
#include "database/LD_Ranks.h"

namespace tess {

enum TItemType : uint8_t {
  kItemCommon = 0,
  kItemWeapon = 1,
  kItemShield = 2,
  kItemArmor = 3,
  kItemHelmet = 4,
  kItemAccessory = 5,
  kItemMedicine = 6,
  kItemSkillBook = 7,
  kItemSeed = 8,
  kItemSkillScroll = 9,
  kItemSwitch = 10,
};

class TLcfItemItem : public TCatalogItem {
 public:
  TLcfItemItem() { Reset(); }
  explicit TLcfItemItem(TUnreset) {}

  std::string description;
  uint8_t itemType{};
  int32_t price{};
  int32_t uses{};
  int32_t attackBonus{};
  int32_t defenseBonus{};
  int32_t intelligenceBonus{};
  int32_t agilityBonus{};
  uint8_t twoHanded{};
  int32_t mpCost{};
  int32_t hitRate{};
  int32_t criticalBonus{};
  int32_t attackAnimation{};
  uint8_t attackFirst{};
  uint8_t attackTwice{};
  uint8_t attackAll{};
  uint8_t ignoreEvasion{};
  uint8_t preventCritical{};
  uint8_t raiseEvasion{};
  uint8_t halfMpCost{};
  uint8_t noTerrainDamage{};
  uint8_t cursed{};
  uint8_t medicineTarget{};
  int32_t hpRecoveryPercent{};
  int32_t hpRecovery{};
  int32_t mpRecoveryPercent{};
  int32_t mpRecovery{};
  uint8_t fieldOnly{};
  uint8_t deadOnly{};
  int32_t seedMaxHP{};
  int32_t seedMaxMP{};
  int32_t seedAttack{};
  int32_t seedDefense{};
  int32_t seedIntelligence{};
  int32_t seedAgility{};
  uint8_t scrollMessage{};
  int32_t skillId{};
  int32_t switchId{};
  uint8_t usableOnField{};
  uint8_t usableInBattle{};
  int32_t heroUsableCount{};
  std::vector<uint8_t> heroUsable;  // element i: hero id i + 1
  int32_t conditionCount{};
  std::vector<uint8_t> conditions;
  int32_t attributeCount{};
  std::vector<uint8_t> attributes;
  int32_t conditionChance{};
  int32_t conditionMode{};
  int32_t previewHero{};
  TLcfCBAData battlerAnimations;
  uint8_t invokeSkill{};
  int32_t classUsableCount{};
  std::vector<uint8_t> classUsable;  // element i: class id i, element 0 for heroes without a class
  int32_t trajectory{};
  int32_t targeting{};

  void DescribeChunks(TCatalogVarData& v) override;

  bool IsWeapon() const { return itemType == kItemWeapon; }

  uint8_t GetItemCondition(int id) const { return ByteAt(conditions, id - 1, 0); }
  void SetItemCondition(int id, uint8_t value) { SetByteAt(conditions, id - 1, value); }
  void ResizeItemConditions(int n) { ResizeBytes(conditions, conditionCount, n, 0); }
  uint8_t GetItemAttribute(int id) const { return ByteAt(attributes, id - 1, 0); }
  void SetItemAttribute(int id, uint8_t value) { SetByteAt(attributes, id - 1, value); }
  void ResizeItemAttributes(int n) { ResizeBytes(attributes, attributeCount, n, 0); }

  // Who may use the item; past the stored elements everyone may.
  bool IsUsableByHero(int heroId) const { return ByteAt(heroUsable, heroId - 1, 1) != 0; }
  bool IsUsableByClass(int classId) const { return ByteAt(classUsable, classId, 1) != 0; }
  // Whether a hero may use the item, by the array in force: per class by the hero's class (0 for
  // none), per hero by the hero's id.
  bool IsUsableFor(int heroId, int heroClassId, bool byClass) const {
    return byClass ? IsUsableByClass(heroClassId) : IsUsableByHero(heroId);
  }
  // Writes or resizes the array the current database has in force (per hero without one).
  void SetUsable(int position, uint8_t value);
  void ResizeUsable(int n);
  void SetHeroUsable(int position, uint8_t value) { SetByteAt(heroUsable, position, value); }
  void ResizeHeroUsable(int n) { ResizeBytes(heroUsable, heroUsableCount, n, 0); }
  void SetClassUsable(int position, uint8_t value) { SetByteAt(classUsable, position, value); }
  void ResizeClassUsable(int n) { ResizeBytes(classUsable, classUsableCount, n, 0); }

  // What the item page does when it shows the item: a weapon gets one battler setting per hero, and
  // a remembered hero that no longer exists is forgotten.
  void PrepareForPage(int heroCount);
  // The step before a save: drops trailing unmarked conditions and attributes and those past the
  // limits.
  void TrimForSave(const TTrimLimits& limits);

 protected:
  void AfterLoad() override;
};

class TLcfItem : public TCatalogOf<TLcfItemItem> {
 public:
  TLcfItem() : TCatalogOf("Event script referenced an item that does not exist.", "item") {}
};

}  // namespace tess
