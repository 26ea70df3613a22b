#pragma once
// What the hero and class pages (and the monster page's rank lists) compute without widgets: rank
// cycling, the battle command slot rule, the starting equipment each slot offers, the numbers of the
// parameter thumbnails, hand drawing on the curve graph, and the seeded generator of quick curves.

#include <cstdint>
#include <vector>

#include "database/LD_Player.h"

namespace tess {

class TLcfDataBase;

// ---------------------------------------------------------------------------------------------
// Resistance ranks

inline constexpr int kRankCount = 5;  // A to E
// The letter of a rank, "?" for a stored value outside A to E.
const char* RankLetter(int rank);
// One step toward A (a left click or Space) or toward E (a right click), wrapping at both ends. A
// stored value outside A to E steps to E toward A and to A toward E.
uint8_t StepRank(int rank, bool towardA);

// ---------------------------------------------------------------------------------------------
// Battle command slots: the used slots first (ids 1 to commandCount, none twice), then one slot
// holding 0 ("(None)", where the next command is chosen), then -1 (not available).

// How many leading slots hold a valid command of their own.
int UsedCommandSlots(const int32_t* slots, int commandCount);
// Brings six slots into the shape above.
void NormaliseCommandSlots(int32_t* slots, int commandCount);
// Puts id (0 for "(None)") into a slot and normalises: a command chosen in the "(None)" slot opens
// the next slot; "(None)" in a used slot clears it and every later slot.
void ChooseCommand(int32_t* slots, int slot, int32_t id, int commandCount);
// Whether a slot's list can be used: the used slots and the one after them.
bool CommandSlotOpen(const int32_t* slots, int slot, int commandCount);
// The commands a slot offers after "(None)": every command no other used slot holds.
std::vector<int32_t> OfferedCommands(const int32_t* slots, int slot, int commandCount);

// ---------------------------------------------------------------------------------------------
// Starting equipment

// The item type a slot holds (weapon, shield, armor, helmet, accessory); with two weapons the
// shield slot holds weapons.
int EquipmentSlotType(int slot, bool twoWeapons);
// The items a hero may start with in a slot: of the slot's type and usable by the hero (per hero or
// per class, as the database says).
std::vector<int32_t> EquipmentChoices(const TLcfDataBase& db, const TLcfPlayerItem& hero, int slot);

// ---------------------------------------------------------------------------------------------
// Parameter thumbnails: 99 x 54, one column per level.

inline constexpr int kThumbnailWidth = 99, kThumbnailHeight = 54;
// The height of a level's bar: the value / 120 for maximum HP, / 12 for the others, at most the
// thumbnail's height.
int ThumbnailBar(int parameter, int value);
// The "Now:" figure: the value at the hero's starting level, plus for attack, defense, intelligence
// and agility the bonuses of every starting equipment item that exists and the hero may use.
int ThumbnailNow(const TLcfDataBase& db, const TLcfPlayerItem& hero, int parameter);

// ---------------------------------------------------------------------------------------------
// The curve graph of "Parameter Progression": 99 bars 5 pixels wide on a graph 250 pixels high.

inline constexpr int kCurveBarWidth = 5, kCurveGraphHeight = 250;
inline constexpr int kCurveGraphWidth = kCurveBarWidth * kMaxHeroLevel;
// The level under x (1 to 99).
int CurveLevelAt(int x);
// The value at height y, clamped to the parameter's range.
int CurveValueAt(int parameter, int y);
// The height of a level's bar: value / 40 for maximum HP, / 4 for the others.
int CurveBarHeight(int parameter, int value);
// A drag from one pointer position to the next: every level between them gets the value
// interpolated between the two positions' values, clamped to the parameter's range. Other levels
// keep their stored values, even when those lie outside the range.
void DrawCurveStroke(uint16_t (&curve)[kCurveElements], int parameter, int fromX, int fromY, int toX, int toY);

// ---------------------------------------------------------------------------------------------
// A uniform generator for quick curves that a seed fixes: Random(n) from 0 to n - 1.
TRandom SeededRandom(uint32_t seed);

}  // namespace tess
