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
  uint8_t itemType = kItemCommon;
  int32_t price = 0;
  int32_t uses = 1;
  int32_t attackBonus = 0;
  int32_t defenseBonus = 0;
  int32_t intelligenceBonus = 0;
  int32_t agilityBonus = 0;
  uint8_t twoHanded = 0;
  int32_t mpCost = 0;
  int32_t hitRate = 90;
  int32_t criticalBonus = 0;
  int32_t attackAnimation = 1;
  uint8_t attackFirst = 0;
  uint8_t attackTwice = 0;
  uint8_t attackAll = 0;
  uint8_t ignoreEvasion = 0;
  uint8_t preventCritical = 0;
  uint8_t raiseEvasion = 0;
  uint8_t halfMpCost = 0;
  uint8_t noTerrainDamage = 0;
  uint8_t cursed = 0;
  uint8_t medicineTarget = 0;
  int32_t hpRecoveryPercent = 0;
  int32_t hpRecovery = 0;
  int32_t mpRecoveryPercent = 0;
  int32_t mpRecovery = 0;
  uint8_t fieldOnly = 0;
  uint8_t deadOnly = 0;
  int32_t seedMaxHP = 0;
  int32_t seedMaxMP = 0;
  int32_t seedAttack = 0;
  int32_t seedDefense = 0;
  int32_t seedIntelligence = 0;
  int32_t seedAgility = 0;
  uint8_t scrollMessage = 0;
  int32_t skillId = 1;
  int32_t switchId = 1;
  uint8_t usableOnField = 1;
  uint8_t usableInBattle = 0;
  int32_t heroUsableCount = 0;
  std::vector<uint8_t> heroUsable;  // element i: hero id i + 1
  int32_t conditionCount = 0;
  std::vector<uint8_t> conditions;
  int32_t attributeCount = 0;
  std::vector<uint8_t> attributes;
  int32_t conditionChance = 0;
  int32_t conditionMode = 0;
  int32_t previewHero = -1;
  TLcfCBAData battlerAnimations;
  uint8_t invokeSkill = 0;
  int32_t classUsableCount = 0;
  std::vector<uint8_t> classUsable;  // element i: class id i, element 0 for heroes without a class
  int32_t trajectory = 0;
  int32_t targeting = 0;

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

 protected:
  void AfterLoad() override;
};

class TLcfItem : public TCatalogOf<TLcfItemItem> {
 public:
  TLcfItem() : TCatalogOf("Event script referenced an item that does not exist.") {}
};

}  // namespace tess
