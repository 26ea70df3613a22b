#pragma once
// The vocabulary: every fixed text the game shows (battle messages, shop and inn messages, menu
// commands, statistics, the save and quit screens). Every text is always stored, even when empty.

#include <string>

#include "core/Catalog.h"

namespace tess {

// Chunk ids of the vocabulary's own texts (the shop and inn sets have their own records below).
// Chunks 11 to 35 (battle messages of the Orvane format) and 104, 105 are kept but not shown.
enum TVocabularyText : int {
  vtInitiative = 2,
  vtEscapeFailure = 4,
  vtVictory = 5,
  vtDefeat = 6,
  vtExperienceGain = 7,
  vtMoneyBefore = 8,
  vtMoneyAfter = 9,
  vtItemFound = 10,
  vtLevelUp = 36,
  vtSkillLearned = 37,
  vtBattleStart = 38,
  vtMiss = 39,
  vtItemsPossessed = 92,
  vtItemEquipped = 93,
  vtCurrency = 95,
  vtFight = 101,
  vtAutoFight = 102,
  vtEscape = 103,
  vtItem = 106,
  vtSkill = 107,
  vtEquip = 108,
  vtSave = 110,
  vtQuit = 112,
  vtNewGame = 114,
  vtLoadGame = 115,
  vtEndGame = 117,
  vtStatus = 118,
  vtRow = 119,
  vtOrder = 120,
  vtWaitOn = 121,
  vtWaitOff = 122,
  vtLevel = 123,
  vtHp = 124,
  vtMp = 125,
  vtNormalStatus = 126,
  vtExperience = 127,
  vtLevelShort = 128,
  vtHpShort = 129,
  vtMpShort = 130,
  vtMpConsumed = 131,
  vtAttack = 132,
  vtDefense = 133,
  vtIntelligence = 134,
  vtAgility = 135,
  vtWeapon = 136,
  vtShield = 137,
  vtArmor = 138,
  vtHelmet = 139,
  vtAccessory = 140,
  vtChooseSaveSlot = 146,
  vtChooseLoadSlot = 147,
  vtFile = 148,
  vtConfirmQuit = 151,
  vtYes = 152,
  vtNo = 153,
};

// The eleven messages of one shop type, in their stored order.
struct TLcfVocabularyShop {
  static constexpr int kTextCount = 11;
  std::string greeting, afterTransaction, buy, sell, finished, chooseBuyItem, chooseBuyCount, buyDone, chooseSellItem,
      chooseSellCount, sellDone;
  std::string& Text(int i);
};

// The five messages of one inn type: the innkeeper's words before the price, after the price and
// currency, a second line, then the two answers.
struct TLcfVocabularyInn {
  static constexpr int kTextCount = 5;
  std::string priceBefore, priceAfter, secondLine, accept, decline;
  std::string& Text(int i);
};

class TLcfVocabulary : public TCatalogBaseItem {
 public:
  static constexpr int kOwnTextCount = 82;
  static constexpr int kShopCount = 3;
  static constexpr int kInnCount = 2;
  // First chunk id of each shop set and each inn set.
  static constexpr int kShopFirstId[kShopCount] = {41, 54, 67};
  static constexpr int kInnFirstId[kInnCount] = {80, 85};

  TLcfVocabulary() { Reset(); }

  TLcfVocabularyShop shops[kShopCount];
  TLcfVocabularyInn inns[kInnCount];

  // The text stored under a chunk id, own or of a shop or inn set; none for ids the vocabulary
  // does not have.
  std::string* TextById(int chunkId);
  const std::string* TextById(int chunkId) const;
  // The text of a chunk id, empty for ids the vocabulary does not have.
  const std::string& Text(int chunkId) const;
  void SetText(int chunkId, const std::string& text);

  void DescribeChunks(TCatalogVarData& v) override;

 private:
  std::string own_[kOwnTextCount];
};

}  // namespace tess
