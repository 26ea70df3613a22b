#pragma once
// What the monster, troop and battle layout pages compute without widgets: the ranges of a monster
// action's precondition, the troop's automatic name with its byte cut that never splits a
// double-byte character, the limits of the battle event pages, and the dragging and row rules of
// the hero on the battle layout preview.

#include <cstdint>
#include <string>
#include <string_view>

namespace tess {

class TLcfMonGroupItem;
class TLcfMonster;
class TLcfPlayerItem;
class TLcfBattle;
class TLcfSystem;

// ---------------------------------------------------------------------------------------------
// Monster behaviour

struct TValueRange {
  int32_t min = 0, max = 0;
};
// The range of both precondition values of a kind ("Turns Elapsed" 0..100, "Monsters Present"
// 1..8, HP, MP and exhaustion 0..100 %, party level 1..99); kinds without values have 0..0.
TValueRange PreconditionRange(int kind);
// Whether the kind compares a value between low and high (all but none, switch and turns).
bool PreconditionIsBetween(int kind);

// ---------------------------------------------------------------------------------------------
// Troop names

inline constexpr int kTroopNameBytes = 20;
// Whether byte starts a two-byte character in the code page (Shift_JIS, GBK, Big5, EUC-KR and
// their Windows forms); single-byte code pages have none.
bool IsDoubleByteLead(std::string_view codePage, uint8_t byte);
// A name longer than 20 bytes cut to 19 bytes, or to 18 when the 19th byte starts a two-byte
// character, with "-" appended. Shorter names stay as they are.
std::string CutTroopName(const std::string& name, std::string_view codePage);
// "Autoname Group": each distinct monster in member order, its name followed by " x" and its count
// when more than one, joined with ","; members whose monster does not exist add nothing. Cut as
// above.
std::string AutonameTroop(const TLcfMonGroupItem& troop, const TLcfMonster& monsters, std::string_view codePage);

// "Habitat": whether the troop is met on a terrain. A terrain past the stored elements grows the
// array (new elements 1) before it is cleared. Returns whether anything changed.
bool SetTroopHabitat(TLcfMonGroupItem& troop, int terrainId, bool on);

// ---------------------------------------------------------------------------------------------
// Battle event pages

inline constexpr int kMaxBattlePages = 100;
// Whether "New Page" (and "Paste Page", when the clipboard holds a page) may add a page.
bool CanAddBattlePage(const TLcfMonGroupItem& troop);
// Inserts an empty page after list position index (at the end when index is outside the list);
// returns the new page's position, or -1 when the troop has 100 pages.
int InsertBattlePage(TLcfMonGroupItem& troop, int index);
// Puts the page at index on the private clipboard (format 565).
void CopyBattlePage(const TLcfMonGroupItem& troop, int index);
// Inserts the clipboard's page after index; the new position, or -1 (full, or no page there).
int PasteBattlePage(TLcfMonGroupItem& troop, int index);
bool ClipboardHoldsBattlePage();
// Deletes the page at index when the troop keeps at least one; the position to show next, or -1.
int DeleteBattlePage(TLcfMonGroupItem& troop, int index);

// ---------------------------------------------------------------------------------------------
// The hero on the battle layout preview (manual placement)

inline constexpr int kHeroMinX = 24, kHeroMaxX = 296, kHeroMinY = 24, kHeroMaxY = 192;
// A drag of the hero's battle position to (x, y): snapped to steps of 4 pixels (1 with fine),
// within 24..296 x 24..192.
void DragHeroTo(TLcfPlayerItem& hero, int x, int y, bool fine);
// "Row Shown": "Back" (row 1) moves the hero 24 pixels right, "Front" 24 left, within 24..296.
void ShiftHeroForRow(TLcfPlayerItem& hero, int row);

// Where the layout preview draws the hero's 48-pixel battler cell: the cell's centre x and bottom
// y. Manual placement: the hero's battle position (the cell's centre). Automatic placement: the
// first of one hero on the terrain's grid, 24 pixels further left in the front row.
struct THeroPlace {
  int centreX = 0, bottomY = 0;
  friend bool operator==(const THeroPlace&, const THeroPlace&) = default;
};
THeroPlace HeroPreviewPlace(const TLcfBattle& battle, const TLcfPlayerItem& hero, int terrainId);
// Whether the hero can be dragged on the preview (manual placement only).
bool HeroDraggable(const TLcfBattle& battle);

// "Change Background": the picture becomes the troop preview's background and the preview terrain
// goes back to none (the default grid). Returns whether anything changed.
bool ChangeBattleBackground(TLcfSystem& system, const std::string& backdrop);

}  // namespace tess
