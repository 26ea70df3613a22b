#include "database/LD_MonGroup.h"

#include <algorithm>

namespace tess {

namespace {
// Older-format files hold the trigger bits in one byte: the low byte of the bit set.
bool TakeOlderFlags(const uint8_t* body, size_t size, void* flags) {
  if (size != 1) return false;
  *static_cast<uint16_t*>(flags) = body[0];
  return true;
}
}  // namespace

void TLcfBattleEventTrigger::DescribeChunks(TCatalogVarData& v) {
  v.Fixed(1, &flags, sizeof flags, nullptr, TakeOlderFlags, TElement::U16);
  v.Integer(2, switchAId, 1);
  v.Integer(3, switchBId, 1);
  v.Integer(4, variableId, 1);
  v.Integer(5, variableValue, 0);
  v.Integer(6, turnsA, 0);
  v.Integer(7, turnsB, 0);
  v.Integer(8, exhaustionLow, 0);
  v.Integer(9, exhaustionHigh, 100);
  v.Integer(10, monsterIndex, 0);
  v.Integer(11, monsterHpLow, 0);
  v.Integer(12, monsterHpHigh, 100);
  v.Integer(13, heroId, 1);
  v.Integer(14, heroHpLow, 0);
  v.Integer(15, heroHpHigh, 100);
  v.Integer(16, monsterTurnsIndex, 0);
  v.Integer(17, monsterTurnsA, 0);
  v.Integer(18, monsterTurnsB, 0);
  v.Integer(19, heroTurnsId, 1);
  v.Integer(20, heroTurnsA, 0);
  v.Integer(21, heroTurnsB, 0);
  v.Integer(22, commandHeroId, 1);
  v.Integer(23, commandId, 1);
}

bool TLcfBattleEventTrigger::RangesValid() const {
  if ((flags & kTriggerExhaustion) && exhaustionHigh < exhaustionLow) return false;
  if ((flags & kTriggerMonsterHP) && monsterHpHigh < monsterHpLow) return false;
  if ((flags & kTriggerHeroHP) && heroHpHigh < heroHpLow) return false;
  return true;
}

void TLcfBattleEventPageItem::DescribeChunks(TCatalogVarData& v) {
  v.Record(2, trigger);
  DescribeScript(v, 11, 12);
}

void TLcfMonGroupMonsterItem::DescribeChunks(TCatalogVarData& v) {
  v.Integer(1, monsterId, 1);
  v.Integer(2, x, 0);
  v.Integer(3, y, 0);
  v.Flag(4, invisible, 0);
}

void TLcfMonGroupItem::DescribeChunks(TCatalogVarData& v) {
  v.String(1, name);
  v.List(2, members);
  v.Integer(3, alignment, 0);
  v.Count(4, terrainCount, habitat.size());
  v.Array(5, habitat);
  v.Flag(6, random, 0);
  v.List(11, pages, 1);  // a new troop has one battle event page
}

namespace {

// Clamps into lo..hi; a range that is empty (a graphic larger than the screen area) gives its
// middle.
int ClampOrMiddle(int64_t value, int lo, int hi) {
  if (lo > hi) return (lo + hi) / 2;
  return static_cast<int>(std::clamp<int64_t>(value, lo, hi));
}

}  // namespace

std::optional<TScreenPoint> TLcfMonGroupItem::AlignedPosition(int index, const TAlignmentContext& context) const {
  const TLcfMonGroupMonsterItem* member = members.ItemAt(index);
  if (!member || member->invisible || !context.battle) return std::nullopt;
  int visible = 0, slot = 0;
  for (int i = 0; i < members.Count(); ++i) {
    if (members.ItemAt(i)->invisible) continue;
    if (i == index) slot = visible;
    ++visible;
  }
  TGraphicSize size = context.graphicSize ? context.graphicSize(member->monsterId) : TGraphicSize{};
  const int w = std::clamp(size.width, 0, 1 << 20), h = std::clamp(size.height, 0, 1 << 20);
  const TLcfMonsterItem* monster = context.monsters ? context.monsters->FindById(member->monsterId) : nullptr;
  const bool flying = monster && monster->flying;

  const int64_t placedX = context.battle->PlaceMonsterX(visible, slot, w / 2, context.terrainId);
  const int64_t placedY =
      int64_t{context.battle->PlaceMonsterY(visible, slot, context.terrainId)} - h / 2 - (flying ? 32 : 0);
  return TScreenPoint{ClampOrMiddle(placedX, w / 2, 265 - w / 2), ClampOrMiddle(placedY, h / 2, 230 - h / 2)};
}

void TLcfMonGroupItem::AutoAlign(const TAlignmentContext& context) {
  for (int i = 0; i < members.Count(); ++i) {
    if (std::optional<TScreenPoint> p = AlignedPosition(i, context)) {
      members.ItemAt(i)->x = p->x;
      members.ItemAt(i)->y = p->y;
    }
  }
}

TLcfMonGroupMonsterItem* TLcfMonGroupItem::AddMember(int32_t monsterId, const TAlignmentContext& context) {
  if (members.Count() >= kMaxTroopMembers) return nullptr;
  bool allAligned = true;
  for (int i = 0; i < members.Count() && allAligned; ++i) {
    std::optional<TScreenPoint> p = AlignedPosition(i, context);
    if (p && (members.ItemAt(i)->x != p->x || members.ItemAt(i)->y != p->y)) allAligned = false;
  }
  TLcfMonGroupMonsterItem* added = members.Append();
  added->monsterId = monsterId;
  if (allAligned) {
    AutoAlign(context);
  } else if (std::optional<TScreenPoint> p = AlignedPosition(members.Count() - 1, context)) {
    added->x = p->x;
    added->y = p->y;
  }
  return added;
}

}  // namespace tess
