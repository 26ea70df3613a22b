#include "database/BattlePageKit.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "core/ClipboardPort.h"
#include "database/LD_MonGroup.h"
#include "database/LD_Player.h"
#include "database/LD_System.h"

namespace tess {

// The private clipboard format of one battle event page.
inline constexpr int kClipBattlePage = 565;
// Half of a battler cell: a manual battle position is the cell's centre.
inline constexpr int kBattlerHalf = 24;

TValueRange PreconditionRange(int kind) {
  switch (kind) {
    case kPreconditionTurns:
    case kPreconditionMonsterHP:
    case kPreconditionMonsterMP:
    case kPreconditionExhaustion:
      return {0, 100};
    case kPreconditionMonsters:
      return {1, kMaxTroopMembers};
    case kPreconditionPartyLevel:
      return {1, 99};
    default:
      return {0, 0};
  }
}

bool PreconditionIsBetween(int kind) { return kind >= kPreconditionMonsters && kind <= kPreconditionExhaustion; }

namespace {

std::string Lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  out.erase(std::remove_if(out.begin(), out.end(), [](char c) { return c == '-' || c == '_'; }), out.end());
  return out;
}

}  // namespace

bool IsDoubleByteLead(std::string_view codePage, uint8_t byte) {
  const std::string page = Lowered(codePage);
  if (page == "shiftjis" || page == "sjis" || page == "windows932" || page == "cp932" || page == "ms932")
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
  // GBK, Big5 and the Korean unified code page all lead with 0x81..0xFE.
  if (page == "gbk" || page == "gb2312" || page == "cp936" || page == "windows936" || page == "big5" ||
      page == "cp950" || page == "windows950" || page == "euckr" || page == "cp949" || page == "windows949" ||
      page == "uhc")
    return byte >= 0x81 && byte <= 0xFE;
  return false;
}

std::string CutTroopName(const std::string& name, std::string_view codePage) {
  if (name.size() <= static_cast<size_t>(kTroopNameBytes)) return name;
  // Walk whole characters from the start: a trail byte may look like a lead byte.
  size_t cut = 0;
  for (size_t at = 0; at < name.size();) {
    const size_t width = IsDoubleByteLead(codePage, static_cast<uint8_t>(name[at])) ? 2 : 1;
    if (at + width > static_cast<size_t>(kTroopNameBytes - 1)) break;
    at += width;
    cut = at;
  }
  return name.substr(0, cut) + "-";
}

std::string AutonameTroop(const TLcfMonGroupItem& troop, const TLcfMonster& monsters, std::string_view codePage) {
  std::vector<std::pair<int32_t, int>> counts;
  for (int i = 0; i < troop.members.Count(); ++i) {
    const int32_t id = troop.members.ItemAt(i)->monsterId;
    auto it = std::find_if(counts.begin(), counts.end(), [id](const auto& c) { return c.first == id; });
    if (it == counts.end())
      counts.emplace_back(id, 1);
    else
      ++it->second;
  }
  std::string name;
  for (const auto& [id, count] : counts) {
    const TLcfMonsterItem* monster = monsters.FindById(id);
    if (!monster) continue;
    if (!name.empty()) name += ",";
    name += monster->name;
    if (count > 1) name += " x" + std::to_string(count);
  }
  return CutTroopName(name, codePage);
}

bool CanAddBattlePage(const TLcfMonGroupItem& troop) { return troop.pages.Count() < kMaxBattlePages; }

int InsertBattlePage(TLcfMonGroupItem& troop, int index) {
  if (!CanAddBattlePage(troop)) return -1;
  const int at = index >= 0 && index < troop.pages.Count() ? index + 1 : troop.pages.Count();
  troop.pages.InsertAt(at + 1);
  return at;
}

void CopyBattlePage(const TLcfMonGroupItem& troop, int index) {
  if (const TLcfBattleEventPageItem* page = troop.pages.ItemAt(index)) page->CopyToClipboard(kClipBattlePage);
}

bool ClipboardHoldsBattlePage() { return Clipboard().HasBlock(kClipBattlePage); }

int PasteBattlePage(TLcfMonGroupItem& troop, int index) {
  if (!CanAddBattlePage(troop)) return -1;
  // Decoded on the side first: a damaged block raises and adds nothing.
  TLcfBattleEventPageItem pasted;
  if (!pasted.PasteFromClipboard(kClipBattlePage)) return -1;
  const int at = InsertBattlePage(troop, index);
  TLcfBattleEventPageItem* page = troop.pages.ItemAt(at);
  const int32_t id = page->Id();
  page->Assign(pasted);
  page->SetId(id);
  return at;
}

int DeleteBattlePage(TLcfMonGroupItem& troop, int index) {
  if (troop.pages.Count() < 2 || index < 0 || index >= troop.pages.Count()) return -1;
  troop.pages.Remove(troop.pages.ItemAt(index)->Id());
  return std::min(index, troop.pages.Count() - 1);
}

void DragHeroTo(TLcfPlayerItem& hero, int x, int y, bool fine) {
  const int step = fine ? 1 : 4;
  auto snap = [step](int v) { return v >= 0 ? v / step * step : -((-v + step - 1) / step * step); };
  hero.battlePositionX = std::clamp(snap(x), kHeroMinX, kHeroMaxX);
  hero.battlePositionY = std::clamp(snap(y), kHeroMinY, kHeroMaxY);
}

void ShiftHeroForRow(TLcfPlayerItem& hero, int row) {
  hero.battlePositionX = std::clamp(hero.battlePositionX + (row == 1 ? 24 : -24), kHeroMinX, kHeroMaxX);
}

THeroPlace HeroPreviewPlace(const TLcfBattle& battle, const TLcfPlayerItem& hero, int terrainId) {
  if (!HeroDraggable(battle)) {
    const int rowOffset = battle.previewRow == 1 ? 0 : 24;
    return {battle.PlaceHeroX(1, 0, rowOffset, terrainId), battle.PlaceHeroY(1, 0, terrainId)};
  }
  return {hero.battlePositionX, hero.battlePositionY + kBattlerHalf};
}

bool HeroDraggable(const TLcfBattle& battle) { return battle.placement != 1; }

bool ChangeBattleBackground(TLcfSystem& system, const std::string& backdrop) {
  if (system.troopPreviewBackdrop == backdrop && system.troopPreviewTerrain == 0) return false;
  system.troopPreviewBackdrop = backdrop;
  system.troopPreviewTerrain = 0;
  return true;
}

bool SetTroopHabitat(TLcfMonGroupItem& troop, int terrainId, bool on) {
  if (terrainId < 1 || (troop.GetHabitat(terrainId) != 0) == on) return false;
  if (terrainId > troop.terrainCount) troop.ResizeHabitat(terrainId);
  troop.SetHabitat(terrainId, on ? 1 : 0);
  return true;
}

}  // namespace tess
