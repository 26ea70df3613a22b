#pragma once
// The system record: vehicles, title and game-over pictures, the starting party, system music and
// sounds, screen transitions, the main menu, the data-format version, and the editor preferences
// that travel with the project (battle-test party, preview choices).

#include <cstdint>
#include <string>
#include <vector>

#include "core/Catalog.h"
#include "media/LD_Sound.h"

namespace tess {

// One member of the battle-test party: a hero, a level and five equipment ids. The ids are stored
// as five overlapping 32-bit words: word k starts at slot k and so also carries slot k+1 in its
// upper half (the last word carries a spare slot).
class TLcfTestPlayerItem : public TCatalogItem {
 public:
  static constexpr int kEquipSlots = 5;  // weapon, shield, armor, helmet, accessory

  int32_t heroId = 1;
  int32_t level = 1;

  // Equipment id of slot 0..4; 0 outside that range.
  int32_t Equip(int slot) const;
  // Ignored outside 0..4.
  void SetEquip(int slot, int32_t itemId);

  void DescribeChunks(TCatalogVarData& v) override;

 private:
  // Five slots and the spare word that the last stored word carries in its upper half.
  uint16_t equip_[kEquipSlots + 1] = {};
};

class TLcfTestPlayer : public TCatalogOf<TLcfTestPlayerItem> {
 public:
  TLcfTestPlayer() : TCatalogOf("Event script referenced a SelPlayer that does not exist.", "test party member") {}
};

class TLcfSystem : public TCatalogBaseItem {
 public:
  TLcfSystem() { Reset(); }

  // Versions below this one are the older Orvane format, which the database converts.
  static constexpr int32_t kCurrentFormatVersion = 2003;
  static constexpr int kMaxMenuCommands = 8;

  int32_t formatVersion{};
  std::string skiffGraphic, shipGraphic, airshipGraphic;
  int32_t skiffIndex{}, shipIndex{}, airshipIndex{};
  std::string titleName, gameOverName, systemGraphic, battleGraphic;
  int32_t partySize{};
  std::vector<int16_t> partyMembers;
  int32_t menuCommandCount{};
  std::vector<int16_t> menuCommands;

  TLcfMusic titleMusic, battleMusic, victoryMusic, innMusic, skiffMusic, shipMusic, airshipMusic, gameOverMusic;
  TLcfSound cursorSound, decisionSound, cancelSound, buzzerSound, battleStartSound, escapeSound, enemyAttackSound,
      enemyDamagedSound, allyDamagedSound, evasionSound, enemyDefeatedSound, itemSound;

  uint8_t mapEraseTransition{}, mapShowTransition{};
  uint8_t battleEnterEraseTransition{}, battleEnterShowTransition{};
  uint8_t battleExitEraseTransition{}, battleExitShowTransition{};
  int32_t windowPattern{};
  int32_t messageFont{};
  int32_t animationPreviewChoice{};
  uint8_t animationGrid{};
  std::string troopPreviewBackdrop;
  TLcfTestPlayer testParty;
  int32_t saveCount{};
  int32_t testTerrain{};
  int32_t testFormation{};
  int32_t testCondition{};
  int32_t itemUsableByMode{};
  int32_t troopPreviewTerrain{};
  int32_t useFrame{};
  std::string frameName;
  uint8_t reverseAnimations{};

  // Starting party: hero of member i, 0 outside 0..partySize-1.
  int32_t PartyMember(int i) const;
  // Ignored outside 0..partySize-1; a hero id of 0 ends the party before member i.
  void SetPartyMember(int i, int32_t heroId);
  void SetPartySize(int n);

  int32_t MenuCommand(int i) const;
  // Ignored outside 0..menuCommandCount-1; a code of 0 ends the menu before entry i.
  void SetMenuCommand(int i, int32_t code);
  void SetMenuCommandCount(int n);

  void DescribeChunks(TCatalogVarData& v) override;

 protected:
  void AfterLoad() override;
};

// The names of the screen transitions, by their stored number.
extern const char* const kEraseTransitionNames[21];
extern const char* const kShowTransitionNames[20];

}  // namespace tess
