#include "database/LD_System.h"

#include <algorithm>

namespace tess {

// ---------------------------------------------------------------------------------------------
// Battle-test party member

int32_t TLcfTestPlayerItem::Equip(int slot) const {
  if (slot < 0 || slot >= kEquipSlots) return 0;
  return equip_[slot];
}

void TLcfTestPlayerItem::SetEquip(int slot, int32_t itemId) {
  if (slot < 0 || slot >= kEquipSlots) return;
  equip_[slot] = static_cast<uint16_t>(itemId);
}

void TLcfTestPlayerItem::DescribeChunks(TCatalogVarData& v) {
  v.Integer(1, heroId, 1);
  v.Integer(2, level, 1);
  // The slots are stored as overlapping words: they reset here, before the words are described.
  if (v.Reading() || v.Resetting()) std::fill(std::begin(equip_), std::end(equip_), 0);
  for (int k = 0; k < kEquipSlots; ++k) {
    // Word k is the 32 bits from slot k on. A word read back sets slot k and slot k+1; the next
    // word, when the file has it, then overwrites slot k+1 again. An absent word leaves the value
    // as composed here, so storing it back changes nothing.
    int32_t word = static_cast<int32_t>(equip_[k] | (static_cast<uint32_t>(equip_[k + 1]) << 16));
    v.IntegerAlias(11 + k, word, 0);
    if (v.Reading()) {
      equip_[k] = static_cast<uint16_t>(static_cast<uint32_t>(word));
      equip_[k + 1] = static_cast<uint16_t>(static_cast<uint32_t>(word) >> 16);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// System record

void TLcfSystem::DescribeChunks(TCatalogVarData& v) {
  v.Integer(10, formatVersion, 2000);
  v.String(11, skiffGraphic);
  v.String(12, shipGraphic);
  v.String(13, airshipGraphic);
  v.Integer(14, skiffIndex, 0);
  v.Integer(15, shipIndex, 0);
  v.Integer(16, airshipIndex, 0);
  v.String(17, titleName);
  v.String(18, gameOverName);
  v.String(19, systemGraphic);
  v.String(20, battleGraphic);
  v.Integer(21, partySize, 1);
  static const int16_t kFirstHero[] = {1};
  v.Array(22, partyMembers, kFirstHero);
  v.Integer(26, menuCommandCount, 1);
  static const int16_t kNoCommand[] = {0};
  v.Array(27, menuCommands, kNoCommand);
  v.Record(31, titleMusic);
  v.Record(32, battleMusic);
  v.Record(33, victoryMusic);
  v.Record(34, innMusic);
  v.Record(35, skiffMusic);
  v.Record(36, shipMusic);
  v.Record(37, airshipMusic);
  v.Record(38, gameOverMusic);
  v.Record(41, cursorSound);
  v.Record(42, decisionSound);
  v.Record(43, cancelSound);
  v.Record(44, buzzerSound);
  v.Record(45, battleStartSound);
  v.Record(46, escapeSound);
  v.Record(47, enemyAttackSound);
  v.Record(48, enemyDamagedSound);
  v.Record(49, allyDamagedSound);
  v.Record(50, evasionSound);
  v.Record(51, enemyDefeatedSound);
  v.Record(52, itemSound);
  v.Byte(61, mapEraseTransition);
  v.Byte(62, mapShowTransition);
  v.Byte(63, battleEnterEraseTransition);
  v.Byte(64, battleEnterShowTransition);
  v.Byte(65, battleExitEraseTransition);
  v.Byte(66, battleExitShowTransition);
  v.Integer(71, windowPattern, 0);
  v.Integer(72, messageFont, 0);
  v.Integer(81, animationPreviewChoice, 1);
  v.Byte(82, animationGrid, 1);
  v.String(84, troopPreviewBackdrop);
  v.List(85, testParty);
  // The stored count includes the save being made.
  if (v.SavingToFile()) ++saveCount;
  v.Integer(91, saveCount, 0);
  v.Integer(94, testTerrain, 1);
  v.Integer(95, testFormation, 0);
  v.Integer(96, testCondition, 0);
  v.Integer(97, itemUsableByMode, 0);
  v.Integer(98, troopPreviewTerrain, 0);
  v.Integer(99, useFrame, 0);
  v.String(100, frameName);
  v.Flag(101, reverseAnimations, 0);
}

void TLcfSystem::AfterLoad() {
  // The counts and their arrays are separate chunks. A count that claims more entries than its
  // array holds would send every reader past the array's end; it is cut to what is there. Extra
  // entries beyond the count are kept and written back as they were.
  partySize = std::clamp<int32_t>(partySize, 0, static_cast<int32_t>(partyMembers.size()));
  menuCommandCount = std::clamp<int32_t>(menuCommandCount, 0, static_cast<int32_t>(menuCommands.size()));
}

namespace {

int32_t Entry(const std::vector<int16_t>& entries, int32_t count, int i) {
  if (i < 0 || i >= count || static_cast<size_t>(i) >= entries.size()) return 0;
  return entries[static_cast<size_t>(i)];
}

void SetEntry(std::vector<int16_t>& entries, int32_t& count, int i, int32_t value) {
  if (i < 0 || i >= count || static_cast<size_t>(i) >= entries.size()) return;
  if (value == 0) {
    count = i;
    entries.resize(static_cast<size_t>(i));
  } else {
    entries[static_cast<size_t>(i)] = static_cast<int16_t>(value);
  }
}

void SetEntryCount(std::vector<int16_t>& entries, int32_t& count, int n) {
  n = std::max(0, n);
  count = n;
  entries.resize(static_cast<size_t>(n), 0);
}

}  // namespace

int32_t TLcfSystem::PartyMember(int i) const { return Entry(partyMembers, partySize, i); }
void TLcfSystem::SetPartyMember(int i, int32_t heroId) { SetEntry(partyMembers, partySize, i, heroId); }
void TLcfSystem::SetPartySize(int n) { SetEntryCount(partyMembers, partySize, n); }

int32_t TLcfSystem::MenuCommand(int i) const { return Entry(menuCommands, menuCommandCount, i); }
void TLcfSystem::SetMenuCommand(int i, int32_t code) { SetEntry(menuCommands, menuCommandCount, i, code); }
void TLcfSystem::SetMenuCommandCount(int n) { SetEntryCount(menuCommands, menuCommandCount, n); }

const char* const kEraseTransitionNames[21] = {"Fade Out",           "Remove Blocks",     "Wipe Downward",
                                               "Wipe Upward",        "Venetian Blinds",   "Vertical Blinds",
                                               "Horizontal Blinds",  "Receding Square",   "Expanding Square",
                                               "Screen Moves Up",    "Screen Moves Down", "Screen Moves Left",
                                               "Screen Moves Right", "Vertical Division", "Horizontal Division",
                                               "Quadrasection",      "Zoom in",           "Mosaic",
                                               "Waver Screen",       "Instantaneous",     "No Transition"};

const char* const kShowTransitionNames[20] = {"Fade in",           "Reconstitute Blocks",
                                              "Unwipe Downward",   "Unwipe Upward",
                                              "Venetian Blinds",   "Vertical Blinds",
                                              "Horizontal Blinds", "Receding Square",
                                              "Expanding Square",  "Screen Moves Down",
                                              "Screen Moves Up",   "Screen Moves Right",
                                              "Screen Moves Left", "Vertical Unify",
                                              "Horizontal Unify",  "Unify Quadrants",
                                              "Zoom Out",          "Mosaic",
                                              "Waver Screen",      "Instantaneous"};

}  // namespace tess
