#pragma once
// The settings of "Test Battle" as the window edits them: up to four party members with level and
// equipment, the troop, the formation, the special condition and the terrain, copied from the
// system record and written back to it; the lists each choice offers, the parameters shown, and the
// words the runtime is started with.

#include <array>
#include <string>
#include <vector>

#include "database/LD_System.h"

namespace tess {

class TLcfDataBase;
class TLcfPlayerItem;

inline constexpr int kMaxTestMembers = 4;

enum TTestFormation : int32_t { kFormationTerrain = 0, kFormationLoose = 1, kFormationTight = 2 };
enum TTestCondition : int32_t {
  kConditionNone = 0,
  kConditionInitiative = 1,
  kConditionBackAttack = 2,
  kConditionSurround = 3,
  kConditionPincers = 4,
};

struct TTestParameters {
  int maxHP = 0, maxMP = 0, attack = 0, defense = 0, intelligence = 0, agility = 0;
};

class TBattleTestSetup {
 public:
  // Copies the system record's party and settings for troopId and applies the rules of showing
  // the window: a terrain outside the list becomes 1, a count above the number of heroes is
  // reduced to it, and under manual placement a special condition above 2 drops by 2.
  TBattleTestSetup(const TLcfDataBase& db, int32_t troopId);

  // "OK" and "Start Test": the party list is refilled with the first count members.
  void WriteTo(TLcfSystem& system) const;

  int Count() const { return count_; }
  const TLcfTestPlayerItem& Member(int i) const { return members_[static_cast<size_t>(i)]; }
  int32_t troopId = 0, formation = 0, condition = 0, terrainId = 1;

  // Whether the count button n can be chosen (at least n heroes).
  bool CountAvailable(int n) const;
  // Raising the count gives each new member the lowest hero id no earlier member uses, at its
  // starting state; lowering it drops the last members.
  void SetCount(int n);
  // The heroes member i may have: every hero no other member uses.
  std::vector<int32_t> OfferedHeroes(int i) const;
  // Another hero for member i, at the hero's starting state.
  void SetHero(int i, int32_t heroId);
  // "Initial Stats": the hero's starting level and equipment.
  void ApplyStartingState(int i);
  // The level range of member i's hero (its starting level to its maximum level).
  int MinLevel(int i) const;
  int MaxLevel(int i) const;
  void SetLevel(int i, int level);

  // Whether slot 1 holds weapons (the hero has two weapons) and its caption.
  bool SecondSlotHoldsWeapons(int i) const;
  // The items slot offers after "(None)": of the slot's type, usable by member i (per class or per
  // hero, as the database says).
  std::vector<int32_t> EquipmentChoices(int i, int slot) const;
  // Equips item (0 none); a weapon that needs both hands, here or in the other weapon slot,
  // empties slot 1.
  void SetEquipment(int i, int slot, int32_t itemId);
  TTestParameters Parameters(int i) const;

  // Enabling under the layout's placement: the formation group, the surround and pincers
  // conditions and the terrain list (formation 0 and automatic placement).
  bool AutomaticPlacement() const;
  bool FormationEnabled() const { return AutomaticPlacement(); }
  bool ConditionEnabled(int condition) const;
  bool TerrainEnabled() const { return formation == kFormationTerrain && AutomaticPlacement(); }

  // "BattleTest HideTitle Window|FullScreen TROOP FORMATION CONDITION TERRAIN", with terrain 0
  // unless the formation is 0.
  std::vector<std::string> Words(bool fullScreen) const;

 private:
  const TLcfPlayerItem* HeroOf(int i) const;
  const TLcfDataBase& db_;
  int count_ = 0;
  std::array<TLcfTestPlayerItem, kMaxTestMembers> members_;
};

}  // namespace tess
