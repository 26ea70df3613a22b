#include "database/BattleTestSetup.h"

#include <algorithm>

#include "database/ActorPageKit.h"
#include "database/DataBaseObj.h"

namespace tess {

TBattleTestSetup::TBattleTestSetup(const TLcfDataBase& db, int32_t troop) : troopId(troop), db_(db) {
  const TLcfSystem& s = db.system;
  count_ = std::clamp(s.testParty.Count(), 0, std::min(kMaxTestMembers, db.heroes.Count()));
  for (int i = 0; i < count_; ++i) members_[static_cast<size_t>(i)].Assign(*s.testParty.ItemAt(i));
  formation = s.testFormation;
  condition = s.testCondition;
  terrainId = s.testTerrain >= 1 && s.testTerrain <= db.terrain.Count() ? s.testTerrain : 1;
  if (!AutomaticPlacement() && condition > kConditionBackAttack) condition -= 2;
  // A stored member whose hero another member has, or which is gone, takes the first hero offered.
  for (int i = 0; i < count_; ++i) {
    const std::vector<int32_t> offered = OfferedHeroes(i);
    if (std::find(offered.begin(), offered.end(), members_[static_cast<size_t>(i)].heroId) == offered.end() &&
        !offered.empty())
      SetHero(i, offered.front());
    else
      SetLevel(i, members_[static_cast<size_t>(i)].level);
  }
}

void TBattleTestSetup::WriteTo(TLcfSystem& system) const {
  system.testParty.Clear();
  for (int i = 0; i < count_; ++i) {
    TLcfTestPlayerItem* copy = system.testParty.Append();
    const int32_t id = copy->Id();
    copy->Assign(members_[static_cast<size_t>(i)]);
    copy->SetId(id);
  }
  system.testFormation = formation;
  system.testCondition = condition;
  system.testTerrain = terrainId;
}

bool TBattleTestSetup::CountAvailable(int n) const { return n >= 0 && n <= kMaxTestMembers && n <= db_.heroes.Count(); }

void TBattleTestSetup::SetCount(int n) {
  n = std::clamp(n, 0, std::min(kMaxTestMembers, db_.heroes.Count()));
  for (int i = count_; i < n; ++i) {
    int32_t hero = 0;
    for (int h = 0; h < db_.heroes.Count() && !hero; ++h) {
      const int32_t id = db_.heroes.ItemAt(h)->Id();
      bool used = false;
      for (int j = 0; j < i; ++j) used = used || members_[static_cast<size_t>(j)].heroId == id;
      if (!used) hero = id;
    }
    members_[static_cast<size_t>(i)].Reset();
    members_[static_cast<size_t>(i)].SetId(i + 1);
    SetHero(i, hero);
  }
  count_ = n;
}

std::vector<int32_t> TBattleTestSetup::OfferedHeroes(int i) const {
  std::vector<int32_t> ids;
  for (int h = 0; h < db_.heroes.Count(); ++h) {
    const int32_t id = db_.heroes.ItemAt(h)->Id();
    bool used = false;
    for (int j = 0; j < count_; ++j) used = used || (j != i && members_[static_cast<size_t>(j)].heroId == id);
    if (!used) ids.push_back(id);
  }
  return ids;
}

const TLcfPlayerItem* TBattleTestSetup::HeroOf(int i) const {
  return i >= 0 && i < kMaxTestMembers ? db_.heroes.FindById(members_[static_cast<size_t>(i)].heroId) : nullptr;
}

void TBattleTestSetup::SetHero(int i, int32_t heroId) {
  if (i < 0 || i >= kMaxTestMembers) return;
  members_[static_cast<size_t>(i)].heroId = heroId;
  ApplyStartingState(i);
}

void TBattleTestSetup::ApplyStartingState(int i) {
  TLcfTestPlayerItem& m = members_[static_cast<size_t>(i)];
  const TLcfPlayerItem* hero = HeroOf(i);
  m.level = hero ? std::clamp(hero->initialLevel, 1, kMaxHeroLevel) : 1;
  for (int slot = 0; slot < kEquipmentSlots; ++slot) m.SetEquip(slot, hero ? hero->GetEquipment(slot) : 0);
}

int TBattleTestSetup::MinLevel(int i) const {
  const TLcfPlayerItem* hero = HeroOf(i);
  return hero ? std::clamp(hero->initialLevel, 1, kMaxHeroLevel) : 1;
}

int TBattleTestSetup::MaxLevel(int i) const {
  const TLcfPlayerItem* hero = HeroOf(i);
  return hero ? std::clamp(hero->maxLevel, MinLevel(i), kMaxHeroLevel) : 1;
}

void TBattleTestSetup::SetLevel(int i, int level) {
  if (i >= 0 && i < kMaxTestMembers)
    members_[static_cast<size_t>(i)].level = std::clamp(level, MinLevel(i), MaxLevel(i));
}

bool TBattleTestSetup::SecondSlotHoldsWeapons(int i) const {
  const TLcfPlayerItem* hero = HeroOf(i);
  return hero && hero->twoWeapons;
}

std::vector<int32_t> TBattleTestSetup::EquipmentChoices(int i, int slot) const {
  const TLcfPlayerItem* hero = HeroOf(i);
  return hero ? tess::EquipmentChoices(db_, *hero, slot) : std::vector<int32_t>{};
}

void TBattleTestSetup::SetEquipment(int i, int slot, int32_t itemId) {
  if (i < 0 || i >= kMaxTestMembers || slot < 0 || slot >= kEquipmentSlots) return;
  TLcfTestPlayerItem& m = members_[static_cast<size_t>(i)];
  m.SetEquip(slot, itemId);
  if (slot != 0) return;
  auto twoHanded = [this](int32_t id) {
    const TLcfItemItem* item = db_.items.FindById(id);
    return item && item->itemType == kItemWeapon && item->twoHanded;
  };
  if (twoHanded(itemId) || twoHanded(m.Equip(1))) m.SetEquip(1, 0);
}

TTestParameters TBattleTestSetup::Parameters(int i) const {
  TTestParameters p;
  const TLcfPlayerItem* hero = HeroOf(i);
  if (!hero) return p;
  const TLcfTestPlayerItem& m = members_[static_cast<size_t>(i)];
  p.maxHP = hero->GetParameter(kMaxHP, m.level);
  p.maxMP = hero->GetParameter(kMaxMP, m.level);
  p.attack = hero->GetParameter(kAttack, m.level);
  p.defense = hero->GetParameter(kDefense, m.level);
  p.intelligence = hero->GetParameter(kIntelligence, m.level);
  p.agility = hero->GetParameter(kAgility, m.level);
  const TLcfItemItem* first = db_.items.FindById(m.Equip(0));
  const TLcfItemItem* second = db_.items.FindById(m.Equip(1));
  const bool twoWeapons = first && second && first->itemType == kItemWeapon && second->itemType == kItemWeapon;
  for (int slot = 0; slot < kEquipmentSlots; ++slot) {
    const TLcfItemItem* item = db_.items.FindById(m.Equip(slot));
    if (!item) continue;
    // With a weapon in each hand only the stronger attack counts.
    if (!(twoWeapons && slot < 2)) p.attack += item->attackBonus;
    p.defense += item->defenseBonus;
    p.intelligence += item->intelligenceBonus;
    p.agility += item->agilityBonus;
  }
  if (twoWeapons) p.attack += std::max(first->attackBonus, second->attackBonus);
  return p;
}

bool TBattleTestSetup::AutomaticPlacement() const { return db_.battle.placement == 1; }

bool TBattleTestSetup::ConditionEnabled(int c) const { return c <= kConditionBackAttack || AutomaticPlacement(); }

std::vector<std::string> TBattleTestSetup::Words(bool fullScreen) const {
  return {"BattleTest",
          "HideTitle",
          fullScreen ? "FullScreen" : "Window",
          std::to_string(troopId),
          std::to_string(formation),
          std::to_string(condition),
          std::to_string(formation == kFormationTerrain ? terrainId : 0)};
}

}  // namespace tess
