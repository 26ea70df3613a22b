#include "database/AnimationPageKit.h"

#include <algorithm>
#include <cmath>

namespace tess {

// ---------------------------------------------------------------------------------------------
// Frame ranges

TFrameRange TFrameRange::For(int frameCount) const {
  const int top = std::max(1, frameCount);
  TFrameRange r;
  r.first = std::clamp(first, 1, top);
  r.last = lastIsEnd ? top : std::clamp(last, 1, top);
  r.lastIsEnd = lastIsEnd;
  return r;
}

TFrameRange TFrameRange::Confirmed(int first, int last, int frameCount) { return {first, last, last >= frameCount}; }

namespace {

// Both ends as 0-based positions inside the animation, in order; false when nothing is left.
bool Positions(const TLcfAnimationItem& animation, int first, int last, int& from, int& to) {
  if (first > last) std::swap(first, last);
  from = std::max(first, 1) - 1;
  to = std::min(last, animation.FrameCount()) - 1;
  return from <= to;
}

}  // namespace

void ClearFrames(TLcfAnimationItem& animation, int first, int last) {
  int from, to;
  if (!Positions(animation, first, last, from, to)) return;
  for (int k = from; k <= to; ++k) animation.frames.ItemAt(k)->cells.Clear();
  animation.MarkDirty();
}

void CopyFrames(TLcfAnimationItem& animation, int first, int last, int destination) {
  int from, to;
  if (!Positions(animation, first, last, from, to)) return;
  const int dest = destination - 1;
  if (dest == from) return;
  auto copy = [&](int i) {
    const int target = dest + i;
    if (target < 0 || target >= animation.FrameCount()) return;
    animation.frames.ItemAt(target)->Assign(*animation.frames.ItemAt(from + i));
  };
  const int n = to - from + 1;
  if (dest < from)
    for (int i = 0; i < n; ++i) copy(i);
  else
    for (int i = n - 1; i >= 0; --i) copy(i);
  animation.MarkDirty();
}

void Autocomplete(TLcfAnimationItem& animation, int f1, int f2, int c1, int c2, TAutocompleteCarry carry) {
  if (f1 > f2) std::swap(f1, f2);
  if (c1 > c2) std::swap(c1, c2);
  c1 = std::max(c1, 1);
  c2 = std::min(c2, kMaxCellsPerFrame);
  TLcfAnimationPatternItem* start = animation.frames.ItemAt(f1 - 1);
  TLcfAnimationPatternItem* end = animation.frames.ItemAt(f2 - 1);
  if (!start || !end || f1 == f2) return;
  const int span = f2 - f1;
  auto inUse = [](TLcfAnimationPatternItem* frame, int c) {
    const TLcfAnimationCellItem* cell = frame->cells.ItemAt(c);
    return cell && cell->inUse;
  };
  bool changed = false;
  for (int c = c1 - 1; c < c2; ++c) {
    if (!inUse(start, c) || !inUse(end, c)) continue;
    // The end cel's values, held apart: frame f1 itself may be rewritten below.
    TLcfAnimationCellItem a, b;
    a.Assign(*start->cells.ItemAt(c));
    b.Assign(*end->cells.ItemAt(c));
    for (int t = 0; t < span; ++t) {
      TLcfAnimationPatternItem* frame = animation.frames.ItemAt(f1 - 1 + t);
      while (frame->cells.Count() <= c) frame->cells.Append()->inUse = 0;
      TLcfAnimationCellItem& cell = *frame->cells.ItemAt(c);
      if (!cell.inUse) cell.Assign(a);
      cell.inUse = 1;
      auto step = [&](int32_t from, int32_t to) {
        const double value = static_cast<double>(t) * (static_cast<double>(to) - from) / span + from;
        return static_cast<int32_t>(std::nearbyint(value));  // the default rounding: halves to even
      };
      if (carry.section) cell.section = step(a.section, b.section);
      if (carry.magnification) {
        cell.x = step(a.x, b.x);
        cell.y = step(a.y, b.y);
        cell.zoom = step(a.zoom, b.zoom);
      }
      if (carry.transparency) {
        cell.red = step(a.red, b.red);
        cell.green = step(a.green, b.green);
        cell.blue = step(a.blue, b.blue);
        cell.saturation = step(a.saturation, b.saturation);
        cell.transparency = step(a.transparency, b.transparency);
      }
      changed = true;
    }
  }
  if (changed) animation.MarkDirty();
}

bool MassModify(TLcfAnimationItem& animation, const TMassModify& s) {
  bool changed = false;
  const int frames = std::min<int>(animation.FrameCount(), static_cast<int>(s.frames.size()));
  for (int f = 0; f < frames; ++f) {
    if (!s.frames[static_cast<size_t>(f)]) continue;
    TLcfAnimationCell& cells = animation.frames.ItemAt(f)->cells;
    for (int c = 0; c < std::min(cells.Count(), kMaxCellsPerFrame); ++c) {
      TLcfAnimationCellItem& cell = *cells.ItemAt(c);
      if (!s.cels[static_cast<size_t>(c)] || !cell.inUse) continue;
      if (s.setSection) cell.section = s.section;
      if (s.setZoom) cell.zoom = s.zoom;
      if (s.setTransparency) cell.transparency = s.transparency;
      if (s.setColor) {
        cell.red = s.red;
        cell.green = s.green;
        cell.blue = s.blue;
        cell.saturation = s.saturation;
      }
      changed = changed || s.setSection || s.setZoom || s.setTransparency || s.setColor;
    }
  }
  if (changed) animation.MarkDirty();
  return changed;
}

TPoint AnimationOrigin(const TLcfAnimationItem& animation, int targetHeight) {
  if (animation.scope == 1) return {kGlobalOriginX, kGlobalOriginY};
  const int half = targetHeight / 2;
  switch (animation.yAxisLine) {
    case 0:
      return {kPreviewTargetX, kPreviewTargetY - half};
    case 1:
      return {kPreviewTargetX, kPreviewTargetY};
    default:
      return {kPreviewTargetX, kPreviewTargetY + half};
  }
}

// ---------------------------------------------------------------------------------------------
// Battler animation slots

TLcfBattleMyCharacterItem* PoseSlot(TLcfAnimation2Item& set, int slot) { return set.poses.ItemAt(slot); }
TLcfCBAWeaponItem* WeaponSlot(TLcfAnimation2Item& set, int slot) { return set.weapons.ItemAt(slot); }

namespace {
template <class List>
auto& SlotForWrite(List& list, int slot) {
  // Appended slots are numbered after the last entry, whatever ids the set holds.
  while (list.Count() < kBattlerPoses || list.Count() <= slot) list.Append();
  return *list.ItemAt(slot);
}
}  // namespace

TLcfBattleMyCharacterItem& PoseSlotForWrite(TLcfAnimation2Item& set, int slot) { return SlotForWrite(set.poses, slot); }
TLcfCBAWeaponItem& WeaponSlotForWrite(TLcfAnimation2Item& set, int slot) { return SlotForWrite(set.weapons, slot); }

// ---------------------------------------------------------------------------------------------
// Skills and items

bool SkillTargetsAllies(int target) { return target >= 2 && target <= 4; }

TSkillCaptions SkillCaptionsFor(int target) {
  if (SkillTargetsAllies(target)) return {"Increase", "Resistance", "Increase Resist", "Remove", "Inflict"};
  return {"Decrease", "Attribute", "Reduce Resist", "Inflict", "Remove"};
}

bool ItemGroupShown(int itemType, TItemGroup group) {
  using G = TItemGroup;
  const bool weapon = itemType == kItemWeapon;
  const bool armor = itemType >= kItemShield && itemType <= kItemAccessory;
  const bool equipment = weapon || armor;
  const bool usable = itemType >= kItemMedicine && itemType <= kItemSkillScroll;
  switch (group) {
    case G::Uses:
      return usable || itemType == kItemSwitch;
    case G::Statistics:
    case G::Cursed:
    case G::InvokeSkill:
    case G::Attributes:
    case G::ConditionRule:
      return equipment;
    case G::Weapon:
    case G::WeaponAnimation:
      return weapon;
    case G::Armor:
      return armor;
    case G::Usable:
      return equipment || usable;
    case G::Conditions:
      return equipment || itemType == kItemMedicine;
    case G::Medicine:
      return itemType == kItemMedicine;
    case G::SkillBook:
      return itemType == kItemSkillBook;
    case G::Seed:
      return itemType == kItemSeed;
    case G::SkillScroll:
      return itemType == kItemSkillScroll;
    case G::Switch:
      return itemType == kItemSwitch;
  }
  return false;
}

void SetWeaponTargeting(TLcfItemItem& weapon, int32_t targeting) {
  weapon.targeting = targeting;
  weapon.attackAll = targeting == 1 || targeting == 2 ? 1 : 0;
}

}  // namespace tess
