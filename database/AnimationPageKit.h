#pragma once
// What the battle animation page and the skill, item and battler animation pages compute without
// widgets: the mass frame operations of the animation page with the settings its dialogs remember,
// the battler animation slots shown 32 to a set, the skill page's captions by target, the item
// page's field groups by item type, and the ranged weapon's "Attack All Enemies" rule.

#include <array>
#include <cstdint>
#include <vector>

#include "database/LD_Animation.h"
#include "database/LD_Animation2.h"
#include "database/LD_Item.h"
#include "media/Geometry.h"

namespace tess {

// ---------------------------------------------------------------------------------------------
// Frame ranges of the mass dialogs, counted from 1.

// A remembered range: an end at the last frame means the last frame of whatever animation is shown
// next.
struct TFrameRange {
  int first = 1;
  int last = 1;
  bool lastIsEnd = true;
  // The range for an animation of frameCount frames (both ends within 1 to frameCount).
  TFrameRange For(int frameCount) const;
  // Remembers a range the author confirmed on an animation of frameCount frames.
  static TFrameRange Confirmed(int first, int last, int frameCount);
};

// "Clear": every frame of first..last (swapped when reversed) loses its cells.
void ClearFrames(TLcfAnimationItem& animation, int first, int last);
// "Copy": frames first..last are copied to the frames from destination on, front to back when the
// destination lies before the source and back to front otherwise, so overlapping ranges copy
// correctly. Destination frames past the last frame are not created.
void CopyFrames(TLcfAnimationItem& animation, int first, int last, int destination);

// What Autocomplete carries through from the first to the last frame.
struct TAutocompleteCarry {
  bool section = false;        // "Image Section"
  bool magnification = false;  // x, y and magnification
  bool transparency = false;   // colour cast, saturation and transparency
};
// For each cel c1..c2 (from 1) in use in both frame f1 and frame f2, every frame from f1 to f2 - 1
// gets the cel in use and the carried values interpolated, rounded to the nearest with halves to
// even. Frame f2 is not changed.
void Autocomplete(TLcfAnimationItem& animation, int f1, int f2, int c1, int c2, TAutocompleteCarry carry);

// "Mass Modify": the settings given (nullopt-like flags) go to every chosen cel in use of every
// chosen frame.
struct TMassModify {
  std::vector<bool> frames;  // by frame position
  std::array<bool, kMaxCellsPerFrame> cels{};
  bool setSection = false;
  int32_t section = 0;
  bool setZoom = false;
  int32_t zoom = 100;
  bool setTransparency = false;
  int32_t transparency = 0;
  bool setColor = false;
  int32_t red = 100, green = 100, blue = 100, saturation = 100;
};
// Returns whether any cel changed.
bool MassModify(TLcfAnimationItem& animation, const TMassModify& settings);

// ---------------------------------------------------------------------------------------------
// The preview target and its origin. The preview is the battle screen; the target stands centred
// at kPreviewTargetX with its vertical centre at kPreviewTargetY.

inline constexpr int kPreviewWidth = 320, kPreviewHeight = 240;
inline constexpr int kPreviewTargetX = 160, kPreviewTargetY = 120;
inline constexpr int kGlobalOriginX = 160, kGlobalOriginY = 80;
// The height of the preview target when no monster graphic stands there.
inline constexpr int kPreviewTargetHeight = 64;
// Where the animation's cells are measured from: the fixed point for the global scope, else the
// target's centre by the y axis line (top edge, centre, bottom edge).
TPoint AnimationOrigin(const TLcfAnimationItem& animation, int targetHeight);

// ---------------------------------------------------------------------------------------------
// Battler animation sets: the page shows 32 poses and 32 weapons whatever a set holds.

// The slot's entry, or none when the set holds fewer.
TLcfBattleMyCharacterItem* PoseSlot(TLcfAnimation2Item& set, int slot);
TLcfCBAWeaponItem* WeaponSlot(TLcfAnimation2Item& set, int slot);
// The slot's entry for a write: a shorter list is padded up to 32 first.
TLcfBattleMyCharacterItem& PoseSlotForWrite(TLcfAnimation2Item& set, int slot);
TLcfCBAWeaponItem& WeaponSlotForWrite(TLcfAnimation2Item& set, int slot);

// ---------------------------------------------------------------------------------------------
// Skills and items

// Targets 2 to 4 (self, single ally, all allies) work on allies.
bool SkillTargetsAllies(int target);
struct TSkillCaptions {
  const char* effect;      // the parameter group: "Increase" / "Decrease"
  const char* attributes;  // "Resistance" / "Attribute"
  const char* resistance;  // "Increase Resist" / "Reduce Resist"
  const char* mode0;       // the condition choice 0: "Remove" / "Inflict"
  const char* mode1;
};
TSkillCaptions SkillCaptionsFor(int target);

// The field groups of the item page.
enum class TItemGroup {
  Uses,        // "Number of Uses"
  Statistics,  // equipment statistic change
  Weapon,      // hands, MP, hit rate, critical bonus, animation, the four weapon flags
  Armor,       // the four armor flags
  Cursed,
  InvokeSkill,  // equipment's skill with "Invoke Skill When Used"
  Usable,       // who may use it
  Conditions,
  Attributes,
  ConditionRule,  // chance and mode of the marked conditions
  WeaponAnimation,
  Medicine,
  SkillBook,
  Seed,
  SkillScroll,
  Switch,
};
// Whether the page shows the group for an item type (other groups keep their values).
bool ItemGroupShown(int itemType, TItemGroup group);

// A ranged weapon's "Attack All Enemies" follows its targeting: set for "Fly Down the Center of the
// Screen" and "Strike Each Enemy Simultaneously", cleared for the other two.
void SetWeaponTargeting(TLcfItemItem& weapon, int32_t targeting);

}  // namespace tess
