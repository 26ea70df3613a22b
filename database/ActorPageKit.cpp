#include "database/ActorPageKit.h"

#include <algorithm>
#include <memory>
#include <random>

#include "database/DataBaseObj.h"

namespace tess {

const char* RankLetter(int rank) {
  static const char* const kLetters[kRankCount] = {"A", "B", "C", "D", "E"};
  return rank >= 0 && rank < kRankCount ? kLetters[rank] : "?";
}

uint8_t StepRank(int rank, bool towardA) {
  if (rank < 0 || rank >= kRankCount) return towardA ? kRankCount - 1 : 0;
  return static_cast<uint8_t>(towardA ? (rank + kRankCount - 1) % kRankCount : (rank + 1) % kRankCount);
}

// ---------------------------------------------------------------------------------------------
// Battle command slots

int UsedCommandSlots(const int32_t* slots, int commandCount) {
  int used = 0;
  while (used < kBattleCommandSlots) {
    const int32_t id = slots[used];
    if (id < 1 || id > commandCount || std::find(slots, slots + used, id) != slots + used) break;
    ++used;
  }
  return used;
}

void NormaliseCommandSlots(int32_t* slots, int commandCount) {
  const int used = UsedCommandSlots(slots, commandCount);
  for (int i = used; i < kBattleCommandSlots; ++i) slots[i] = i == used ? 0 : -1;
}

void ChooseCommand(int32_t* slots, int slot, int32_t id, int commandCount) {
  if (slot < 0 || slot >= kBattleCommandSlots) return;
  slots[slot] = id;
  NormaliseCommandSlots(slots, commandCount);
}

bool CommandSlotOpen(const int32_t* slots, int slot, int commandCount) {
  return slot >= 0 && slot < kBattleCommandSlots && slot <= UsedCommandSlots(slots, commandCount);
}

std::vector<int32_t> OfferedCommands(const int32_t* slots, int slot, int commandCount) {
  const int used = UsedCommandSlots(slots, commandCount);
  std::vector<int32_t> offered;
  for (int32_t id = 1; id <= commandCount; ++id) {
    bool taken = false;
    for (int i = 0; i < used; ++i) taken = taken || (i != slot && slots[i] == id);
    if (!taken) offered.push_back(id);
  }
  return offered;
}

// ---------------------------------------------------------------------------------------------
// Starting equipment

int EquipmentSlotType(int slot, bool twoWeapons) {
  if (slot == 1 && twoWeapons) return kItemWeapon;
  return std::clamp(slot, 0, kEquipmentSlots - 1) + kItemWeapon;
}

namespace {
bool MayUse(const TLcfDataBase& db, const TLcfPlayerItem& hero, const TLcfItemItem& item) {
  return item.IsUsableFor(hero.Id(), hero.classId, db.ItemUsableByClass());
}
}  // namespace

std::vector<int32_t> EquipmentChoices(const TLcfDataBase& db, const TLcfPlayerItem& hero, int slot) {
  const int type = EquipmentSlotType(slot, hero.twoWeapons != 0);
  std::vector<int32_t> ids;
  for (int i = 0; i < db.items.Count(); ++i) {
    const TLcfItemItem* item = db.items.ItemAt(i);
    if (item->itemType == type && MayUse(db, hero, *item)) ids.push_back(item->Id());
  }
  return ids;
}

// ---------------------------------------------------------------------------------------------
// Thumbnails

int ThumbnailBar(int parameter, int value) {
  const int bar = value / (parameter == kMaxHP ? 120 : 12);
  return std::clamp(bar, 0, kThumbnailHeight);
}

int ThumbnailNow(const TLcfDataBase& db, const TLcfPlayerItem& hero, int parameter) {
  int now = hero.GetParameter(parameter, hero.initialLevel);
  if (parameter < kAttack) return now;
  for (int slot = 0; slot < kEquipmentSlots; ++slot) {
    const TLcfItemItem* item = db.items.FindById(hero.GetEquipment(slot));
    if (!item || !MayUse(db, hero, *item)) continue;
    switch (parameter) {
      case kAttack:
        now += item->attackBonus;
        break;
      case kDefense:
        now += item->defenseBonus;
        break;
      case kIntelligence:
        now += item->intelligenceBonus;
        break;
      default:
        now += item->agilityBonus;
        break;
    }
  }
  return now;
}

// ---------------------------------------------------------------------------------------------
// Curve graph

int CurveLevelAt(int x) { return std::clamp((x + kCurveBarWidth) / kCurveBarWidth, 1, kMaxHeroLevel); }

int CurveValueAt(int parameter, int y) {
  const int value = (kCurveGraphHeight - y) * (parameter == kMaxHP ? 40 : 4);
  return std::clamp(value, ParameterMinimum(parameter), ParameterMaximum(parameter));
}

int CurveBarHeight(int parameter, int value) { return value / (parameter == kMaxHP ? 40 : 4); }

void DrawCurveStroke(uint16_t (&curve)[kCurveElements], int parameter, int fromX, int fromY, int toX, int toY) {
  if (parameter < 0 || parameter >= kParameterCount) return;
  const int scale = parameter == kMaxHP ? 40 : 4;
  const int l0 = CurveLevelAt(fromX), l1 = CurveLevelAt(toX);
  const int v0 = (kCurveGraphHeight - fromY) * scale, v1 = (kCurveGraphHeight - toY) * scale;
  uint16_t* row = curve + parameter * kMaxHeroLevel;
  const int low = std::min(l0, l1), high = std::max(l0, l1);
  for (int level = low; level <= high; ++level) {
    const int v = l0 == l1 ? v1 : v0 + (v1 - v0) * (level - l0) / (l1 - l0);
    row[level - 1] = static_cast<uint16_t>(std::clamp(v, ParameterMinimum(parameter), ParameterMaximum(parameter)));
  }
}

TRandom SeededRandom(uint32_t seed) {
  auto engine = std::make_shared<std::mt19937>(seed);
  return [engine](int n) { return n <= 0 ? 0 : static_cast<int>((*engine)() % static_cast<uint32_t>(n)); };
}

}  // namespace tess
