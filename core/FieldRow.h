#pragma once
// What one edited value is, as data: its kind, caption, range, choices and when it is enabled.
// Command parameters and database record fields are both described by rows of this shape; the
// editor's binder turns a row into its control, and headless forms use the same rows to normalise
// and to decide what is enabled.

#include <cstdint>
#include <span>

namespace tess {

enum class TFieldKind : uint8_t {
  Number,     // an integer within [min, max]
  Flag,       // 0 or 1, a check box
  Choice,     // one of the row's choices, by value (radio buttons or a list)
  Text,       // a stored text (the line's string, a record's name)
  Seconds,    // one value shown as minutes and seconds: minutes * 60 + seconds
  Tenths,     // a duration in tenths of a second, shown as such
  Switch,     // a switch id, chosen in the switch picker
  Variable,   // a variable id, chosen in the variable picker
  Hero,       // database entry ids
  Item,
  Skill,
  Condition,
  Attribute,
  Animation,
  BattlerAnimation,
  Troop,
  Monster,
  Terrain,
  Tileset,
  CommonEvent,
  MapEvent,   // an event of the current map: "Hero", "Skiff", "Ship", "Airship", "This Event" and the map's events
  Class,
  BattleCommand,
  Map,        // a map of the map tree
  Operand,    // the kind of an operand: 0 constant, 1 variable, 2 variable reference; value at valueIndex
  Target,     // 0 "Entire Party", 1 "Specific Character", 2 "Character with ID Stored in"; value at valueIndex
  Music,      // file names and picked references, edited through their pickers
  Sound,
  Picture,    // a picture file of a material folder (folder names it)
};

// True for the kinds that name a database entry by id.
constexpr bool IsEntryKind(TFieldKind kind) {
  return kind >= TFieldKind::Hero && kind <= TFieldKind::Map;
}

struct TFieldChoice {
  int32_t value = 0;
  const char* caption = "";
};

// A row is enabled when the value of the row keyed whenKey is one of whenValues (a row with no
// whenKey is always enabled); whenNot inverts the test.
struct TFieldRow {
  const char* key = "";  // unique within its form; tests and hand-written dialogs find rows by it
  TFieldKind kind = TFieldKind::Number;
  const char* caption = "";
  int32_t min = 0;
  int32_t max = 0;
  std::span<const TFieldChoice> choices = {};
  // Command parameters: the parameter index, or kStringIndex for the line's string. Operand and
  // Target rows keep their value in the parameter at valueIndex.
  int16_t index = 0;
  int16_t valueIndex = -1;
  const char* whenKey = nullptr;
  std::span<const int32_t> whenValues = {};
  bool whenNot = false;
  // Material rows: the folder their picker lists ("Picture", "Music", ...).
  const char* folder = nullptr;
};

inline constexpr int16_t kStringIndex = -1;

}  // namespace tess
