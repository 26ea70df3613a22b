#include "script/CommandSchema.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <stdexcept>

#include "script/EventCommands.h"

namespace tess {

namespace {

using K = TFieldKind;
using C = TFieldChoice;
using Values = std::span<const int32_t>;

// Ids of database entries, switches and variables go up to the largest list the database keeps.
constexpr int32_t kMaxId = 9999;
// Event lists: the map's events, then "Hero" 10001 to "This Event" 10005.
constexpr int32_t kMaxEvent = 10005;
// Map cells: maps are at most 500 cells wide and high.
constexpr int32_t kMaxCell = 499;
// A troop has at most 8 members, named by their 0-based index.
constexpr int32_t kMaxMember = 7;
// Timers: minutes 0 to 99 and seconds 0 to 59, as minutes * 60 + seconds.
constexpr int32_t kMaxTimer = 99 * 60 + 59;
constexpr int32_t kMaxConstant = 9999999;

// A row under construction: each step returns a changed copy.
struct B {
  TFieldRow r;
  constexpr B When(const char* key, Values values) const {
    B b = *this;
    b.r.whenKey = key;
    b.r.whenValues = values;
    return b;
  }
  constexpr B Unless(const char* key, Values values) const {
    B b = When(key, values);
    b.r.whenNot = true;
    return b;
  }
  // Special values a row offers beside its range: an entry row's "None" or "All", the named marks
  // of a scale.
  constexpr B Special(std::span<const C> choices) const {
    B b = *this;
    b.r.choices = choices;
    return b;
  }
  constexpr operator TFieldRow() const { return r; }  // NOLINT: rows are written as builders
};

constexpr B Row(K kind, const char* key, const char* caption, int index, int32_t min, int32_t max) {
  TFieldRow r;
  r.key = key;
  r.kind = kind;
  r.caption = caption;
  r.min = min;
  r.max = max;
  r.index = static_cast<int16_t>(index);
  return B{r};
}

constexpr B Num(const char* key, const char* caption, int index, int32_t min, int32_t max) {
  return Row(K::Number, key, caption, index, min, max);
}
constexpr B Flag(const char* key, const char* caption, int index) { return Row(K::Flag, key, caption, index, 0, 1); }
constexpr B Pick(const char* key, const char* caption, int index, std::span<const C> choices) {
  B b = Row(K::Choice, key, caption, index, choices.front().value, choices.front().value);
  for (const C& c : choices) {
    b.r.min = std::min(b.r.min, c.value);
    b.r.max = std::max(b.r.max, c.value);
  }
  b.r.choices = choices;
  return b;
}
constexpr B Id(K kind, const char* key, const char* caption, int index, int32_t min = 1, int32_t max = kMaxId) {
  return Row(kind, key, caption, index, min, max);
}
constexpr B Tenths(const char* key, const char* caption, int index, int32_t max = 1000) {
  return Row(K::Tenths, key, caption, index, 0, max);
}
constexpr B Text(const char* key, const char* caption) { return Row(K::Text, key, caption, kStringIndex, 0, 0); }
// A material file in the line's string. A music or sound reference is one row: its picker also
// sets the levels kept from valueIndex on (fade-in, volume, tempo, balance for music; volume, tempo,
// balance for sound).
constexpr B File(K kind, const char* key, const char* caption, const char* folder, int valueIndex = -1) {
  B b = Row(kind, key, caption, kStringIndex, 0, 0);
  b.r.folder = folder;
  b.r.valueIndex = static_cast<int16_t>(valueIndex);
  return b;
}

constexpr int32_t k0[] = {0}, k1[] = {1}, k2[] = {2}, k3[] = {3}, k4[] = {4}, k5[] = {5}, k6[] = {6}, k7[] = {7},
                  k8[] = {8};
constexpr int32_t k2or3[] = {2, 3}, k3or4[] = {3, 4}, k2or5[] = {2, 5}, k2or10[] = {2, 10};
constexpr int32_t kEven[] = {0, 2, 4}, kOdd[] = {1, 3, 5};

// Shared choices.
constexpr C kConstantOrVariable[] = {{0, "Constant"}, {1, "Variable"}};
constexpr C kTargets[] = {{0, "Entire Party"}, {1, "Specific Character"}, {2, "Character with ID Stored in"}};
constexpr C kIncrease[] = {{0, "Increase"}, {1, "Decrease"}};
constexpr C kAddRemove[] = {{0, "Add"}, {1, "Remove"}};
constexpr C kInflict[] = {{0, "Inflict"}, {1, "Remove"}};
constexpr C kGate[] = {{0, "Forbid"}, {1, "Allow"}};
constexpr C kOnOff[] = {{0, "ON"}, {1, "OFF"}};
constexpr C kDirections[] = {{0, "Up"}, {1, "Right"}, {2, "Down"}, {3, "Left"}};
constexpr C kFacing[] = {{0, "Retain Facing"}, {1, "Up"}, {2, "Right"}, {3, "Down"}, {4, "Left"}};
constexpr C kVehicles[] = {{0, "Skiff"}, {1, "Ship"}, {2, "Airship"}};
constexpr C kFixedOrVariables[] = {{0, "Specific Location"}, {1, "Location Stored in Variables"}};
constexpr C kAtLeast[] = {{0, "or more"}, {1, "or less"}};
constexpr C kEraseTransitions[] = {{0, "Fade Out"},
                                   {1, "Remove Blocks"},
                                   {2, "Wipe Downward"},
                                   {3, "Wipe Upward"},
                                   {4, "Venetian Blinds"},
                                   {5, "Vertical Blinds"},
                                   {6, "Horizontal Blinds"},
                                   {7, "Receding Square"},
                                   {8, "Expanding Square"},
                                   {9, "Screen Moves Up"},
                                   {10, "Screen Moves Down"},
                                   {11, "Screen Moves Left"},
                                   {12, "Screen Moves Right"},
                                   {13, "Vertical Div"},
                                   {14, "Horizontal Div"},
                                   {15, "Quadrasection"},
                                   {16, "Zoom In"},
                                   {17, "Mosaic"},
                                   {18, "Waver Screen"},
                                   {19, "Instantaneous"},
                                   {20, "None"}};
constexpr C kShowTransitions[] = {{0, "Fade in"},
                                  {1, "Reconstitute Blocks"},
                                  {2, "Unwipe Downward"},
                                  {3, "Unwipe Upward"},
                                  {4, "Venetian Blinds"},
                                  {5, "Vertical Blinds"},
                                  {6, "Horizontal Blinds"},
                                  {7, "Receding Square"},
                                  {8, "Expanding Square"},
                                  {9, "Screen Moves Down"},
                                  {10, "Screen Moves Up"},
                                  {11, "Screen Moves Right"},
                                  {12, "Screen Moves Left"},
                                  {13, "Vertical Unify"},
                                  {14, "Horizontal Unify"},
                                  {15, "Unify Quadrants"},
                                  {16, "Zoom Out"},
                                  {17, "Mosaic"},
                                  {18, "Waver Screen"},
                                  {19, "Instant"}};
// Hide Screen and Show Screen offer the default transition first.
template <size_t N>
constexpr std::array<C, N + 1> OrDefault(const C (&transitions)[N]) {
  std::array<C, N + 1> choices{};
  choices[0] = {-1, "Use Default"};
  for (size_t i = 0; i < N; ++i) choices[i + 1] = transitions[i];
  return choices;
}
constexpr auto kEraseOrDefault = OrDefault(kEraseTransitions);
constexpr auto kShowOrDefault = OrDefault(kShowTransitions);
constexpr C kNone[] = {{0, "None"}};
constexpr C kAll[] = {{0, "All"}};
constexpr C kAllEnemies[] = {{-1, "All Enemies"}};
constexpr C kEntireParty[] = {{-1, "Entire Party"}};

// A constant or variable amount: the kind in index, the value in valueIndex.
constexpr B Amount(const char* key, const char* caption, int index, int32_t min, int32_t max) {
  B b = Row(K::Operand, key, caption, index, min, max);
  b.r.valueIndex = static_cast<int16_t>(index + 1);
  b.r.choices = kConstantOrVariable;
  return b;
}
// The heroes a command of the hero group acts on: p0 the kind, p1 the hero or the variable.
constexpr TFieldRow kTarget = [] {
  B b = Row(K::Target, "target", "Target", 0, 1, kMaxId);
  b.r.valueIndex = 1;
  b.r.choices = kTargets;
  return b.r;
}();

// An id given directly or through a variable: kind row keyed kindKey at index, the id at index + 1.
#define TESS_ID_OR_VARIABLE(kindKey, caption, kinds, entryKind, entryKey, entryCaption, index)                \
  Pick(kindKey, caption, index, kinds), Id(entryKind, entryKey, entryCaption, (index) + 1).When(kindKey, k0), \
      Id(K::Variable, entryKey "Variable", "Variable", (index) + 1).When(kindKey, k1)

// Hero group commands.
constexpr C kItemSource[] = {{0, "Specific Item"}, {1, "Item with ID Stored in"}};
constexpr C kHeroSource[] = {{0, "Specific Hero"}, {1, "Hero with ID Stored in"}};
constexpr C kSkillSource[] = {{0, "Specific Skill"}, {1, "Skill with ID Stored in"}};
constexpr C kTroopSource[] = {{0, "Specific Troop"}, {1, "Troop with ID Stored in"}};

constexpr TFieldRow k1005[] = {Id(K::CommonEvent, "commonEvent", "Common Event", 0)};
constexpr C kFleeing[] = {{0, "Entire Party"}, {1, "All Enemies"}, {2, "Specific Enemy"}};
constexpr TFieldRow k1006[] = {
    Pick("target", "Target", 0, kFleeing),
    Num("enemy", "Enemy", 1, 0, kMaxMember).When("target", k2),
    Flag("ignoreSurrounded", "Ignore if Surrounded", 2),
};
constexpr TFieldRow k1007[] = {
    Id(K::Hero, "hero", "Hero", 0),
    Id(K::BattleCommand, "command", "Battle Command", 1),
    Num("repeats", "Repeats", 2, 1, 99),
};
constexpr C kClassLevel[] = {{0, "No Level Change"}, {1, "Change to Level 1"}};
constexpr C kClassSkills[] = {{0, "No Skill Change"}, {1, "Delete Old Skills, Add New"}, {2, "Add New Skills to Old"}};
constexpr C kClassStats[] = {
    {0, "No Stat Change"}, {1, "Halve Stats"}, {2, "Stats Lv1 New Class"}, {3, "Stats Current Level"}};
constexpr TFieldRow k1008[] = {
    Id(K::Hero, "hero", "Hero", 1),
    Id(K::Class, "class", "Class", 2, 0).Special(kNone),
    Pick("level", "Level", 3, kClassLevel),
    Pick("skills", "Skills", 4, kClassSkills),
    Pick("statistics", "Base Statistics", 5, kClassStats),
    Flag("levelUpMessage", "Show Level Up Message", 6),
};
constexpr C kRemoveAdd[] = {{0, "Remove"}, {1, "Add"}};
constexpr TFieldRow k1009[] = {
    Id(K::Hero, "hero", "Hero", 1),
    Id(K::BattleCommand, "command", "Battle Command", 2, 0).Special(kAll),
    Pick("operation", "Operation", 3, kRemoveAdd),
};

// Messages, switches, variables and timers.
constexpr TFieldRow k10110[] = {Text("text", "Message")};
constexpr C kWindow[] = {{0, "Normal"}, {1, "Transparent"}};
constexpr C kMessagePosition[] = {{0, "Top"}, {1, "Middle"}, {2, "Bottom"}};
constexpr TFieldRow k10120[] = {
    Pick("window", "Message Window", 0, kWindow),
    Pick("position", "Position", 1, kMessagePosition),
    Flag("autoPosition", "Prevent Hero from Being Covered", 2),
    Flag("continue", "Allow Other Events to Continue", 3),
};
constexpr C kLeftRight[] = {{0, "Left"}, {1, "Right"}};
constexpr TFieldRow k10130[] = {
    File(K::Picture, "face", "Face Graphic", "FaceSet"),
    Num("index", "Face", 0, 0, 15),
    Pick("side", "Position", 1, kLeftRight),
    Flag("flip", "Flip Image Horizontally", 2),
};
constexpr C kCancellation[] = {{0, "Ignore"},          {1, "Select Choice 1"}, {2, "Select Choice 2"},
                               {3, "Select Choice 3"}, {4, "Select Choice 4"}, {5, "Execute Handler"}};
constexpr TFieldRow k10140[] = {Text("choices", "Choices"), Pick("cancel", "Cancellation", 0, kCancellation)};
constexpr TFieldRow k10150[] = {Num("digits", "Digits", 0, 1, 7), Id(K::Variable, "variable", "Variable", 1)};
constexpr C kSwitchTargets[] = {{0, "Single Switch"}, {1, "Switch Range"}, {2, "Switch with ID Stored in"}};
constexpr C kSwitchOperations[] = {{0, "ON"}, {1, "OFF"}, {2, "ON/OFF Toggle"}};
constexpr TFieldRow k10210[] = {
    Pick("target", "Target", 0, kSwitchTargets),
    Id(K::Switch, "switch", "Switch", 1).When("target", k0),
    Id(K::Switch, "first", "First Switch", 1).When("target", k1),
    Id(K::Switch, "last", "Last Switch", 2).When("target", k1),
    Id(K::Variable, "holder", "Variable", 1).When("target", k2),
    Pick("operation", "Operation", 3, kSwitchOperations),
};
constexpr C kVariableTargets[] = {{0, "Single Variable"}, {1, "Variable Range"}, {2, "Variable with ID Stored in"}};
constexpr C kVariableOperations[] = {{0, "Set"},      {1, "Add"},    {2, "Subtract"},
                                     {3, "Multiply"}, {4, "Divide"}, {5, "Remainder"}};
constexpr C kOperands[] = {{0, "Constant"},      {1, "Variable"}, {2, "Variable Reference"},
                           {3, "Random Number"}, {4, "Item"},     {5, "Hero"},
                           {6, "Event"},         {7, "Other"},    {8, "Enemy"}};
constexpr C kItemCounts[] = {{0, "Possessed"}, {1, "Equipped"}};
constexpr C kHeroProperties[] = {
    {0, "Level"},       {1, "Experience"},  {2, "HP"},         {3, "MP"},          {4, "Max HP"},
    {5, "Max MP"},      {6, "Attack"},      {7, "Defense"},    {8, "Intellect"},   {9, "Agility"},
    {10, "Weapon No."}, {11, "Shield No."}, {12, "Armor No."}, {13, "Helmet No."}, {14, "Accessory No."}};
constexpr C kEventProperties[] = {{0, "Map ID"}, {1, "X Coord."}, {2, "Y Coord."},
                                  {3, "Facing"}, {4, "Screen X"}, {5, "Screen Y"}};
constexpr C kOtherValues[] = {{0, "Money"},
                              {1, "Timer 1 Seconds Left"},
                              {2, "Party Size"},
                              {3, "No. Saves"},
                              {4, "No. Battles"},
                              {5, "No. Victories"},
                              {6, "No. Defeats"},
                              {7, "No. Escapes"},
                              {8, "MIDI Position (Tick)"},
                              {9, "Timer 2 Seconds Left"}};
constexpr C kEnemyProperties[] = {{0, "HP"},     {1, "MP"},      {2, "Max HP"},    {3, "Max MP"},
                                  {4, "Attack"}, {5, "Defense"}, {6, "Intellect"}, {7, "Agility"}};
constexpr TFieldRow k10220[] = {
    Pick("target", "Target", 0, kVariableTargets),
    Id(K::Variable, "variable", "Variable", 1).When("target", k0),
    Id(K::Variable, "first", "First Variable", 1).When("target", k1),
    Id(K::Variable, "last", "Last Variable", 2).When("target", k1),
    Id(K::Variable, "holder", "Variable", 1).When("target", k2),
    Pick("operation", "Operation", 3, kVariableOperations),
    Pick("operand", "Operand", 4, kOperands),
    Num("constant", "Constant", 5, -kMaxConstant, kMaxConstant).When("operand", k0),
    Id(K::Variable, "operandVariable", "Variable", 5).When("operand", k1),
    Id(K::Variable, "reference", "Variable Reference", 5).When("operand", k2),
    Num("randomLow", "Random Number", 5, -kMaxConstant, kMaxConstant).When("operand", k3),
    Num("randomHigh", "to", 6, -kMaxConstant, kMaxConstant).When("operand", k3),
    Id(K::Item, "item", "Item", 5).When("operand", k4),
    Pick("itemCount", "Number", 6, kItemCounts).When("operand", k4),
    Id(K::Hero, "hero", "Hero", 5).When("operand", k5),
    Pick("heroProperty", "Property", 6, kHeroProperties).When("operand", k5),
    Id(K::MapEvent, "event", "Event", 5, 1, kMaxEvent).When("operand", k6),
    Pick("eventProperty", "Property", 6, kEventProperties).When("operand", k6),
    Pick("other", "Other", 5, kOtherValues).When("operand", k7),
    Num("enemy", "Enemy", 5, 0, kMaxMember).When("operand", k8),
    Pick("enemyProperty", "Property", 6, kEnemyProperties).When("operand", k8),
};
constexpr C kTimerOperations[] = {{0, "Set"}, {1, "Start"}, {2, "Stop"}};
constexpr C kTimers[] = {{0, "Timer 1"}, {1, "Timer 2"}};
constexpr TFieldRow k10230[] = {
    Pick("operation", "Operation", 0, kTimerOperations),
    Pick("source", "Time", 1, kConstantOrVariable).When("operation", k0),
    Row(K::Seconds, "time", "Time", 2, 0, kMaxTimer).When("source", k0),
    Id(K::Variable, "variable", "Variable", 2).When("source", k1),
    Flag("show", "Display Timer on Screen", 3).When("operation", k1),
    Flag("inBattle", "Timer Runs During Battles", 4).When("operation", k1),
    Pick("timer", "Timer", 5, kTimers),
};

// Money, items, party and hero statistics.
constexpr TFieldRow k10310[] = {
    Pick("operation", "Operation", 0, kIncrease),
    Amount("amount", "Amount", 1, 0, 999999),
};
constexpr TFieldRow k10320[] = {
    Pick("operation", "Operation", 0, kAddRemove),
    TESS_ID_OR_VARIABLE("source", "Item", kItemSource, K::Item, "item", "Item", 1),
    Amount("count", "Number", 3, 1, 99),
};
constexpr TFieldRow k10330[] = {
    Pick("operation", "Operation", 0, kAddRemove),
    TESS_ID_OR_VARIABLE("source", "Hero", kHeroSource, K::Hero, "hero", "Hero", 1),
};
constexpr TFieldRow k10410[] = {
    kTarget,
    Pick("operation", "Operation", 2, kIncrease),
    Amount("amount", "Experience", 3, 0, kMaxConstant),
    Flag("levelUpMessage", "Show Level Up Message", 5),
};
constexpr TFieldRow k10420[] = {
    kTarget,
    Pick("operation", "Operation", 2, kIncrease),
    Amount("amount", "Levels", 3, 1, 99),
    Flag("levelUpMessage", "Show Level Up Message", 5),
};
constexpr C kStatistics[] = {{0, "Max HP"},  {1, "Max MP"},    {2, "Attack"},
                             {3, "Defense"}, {4, "Intellect"}, {5, "Agility"}};
constexpr TFieldRow k10430[] = {
    kTarget,
    Pick("operation", "Operation", 2, kIncrease),
    Pick("statistic", "Statistic", 3, kStatistics),
    Amount("amount", "Amount", 4, 1, 9999),
};
constexpr C kLearn[] = {{0, "Learn Skill"}, {1, "Forget Skill"}};
constexpr TFieldRow k10440[] = {
    kTarget,
    Pick("operation", "Operation", 2, kLearn),
    TESS_ID_OR_VARIABLE("source", "Skill", kSkillSource, K::Skill, "skill", "Skill", 3),
};
constexpr C kEquip[] = {{0, "Equip"}, {1, "Unequip"}};
constexpr C kSlots[] = {{0, "Weapon"}, {1, "Shield"}, {2, "Armor"}, {3, "Helmet"}, {4, "Accessory"}, {5, "All"}};
constexpr TFieldRow k10450[] = {
    kTarget,
    Pick("operation", "Operation", 2, kEquip),
    Pick("source", "Item", 3, kItemSource).When("operation", k0),
    Id(K::Item, "item", "Item", 4).When("source", k0),
    Id(K::Variable, "itemVariable", "Variable", 4).When("source", k1),
    Pick("slot", "Slot", 3, kSlots).When("operation", k1),
};
constexpr TFieldRow k10460[] = {
    kTarget,
    Pick("operation", "Operation", 2, kIncrease),
    Amount("amount", "Amount", 3, 0, 9999),
    Flag("canKill", "Possible Death from Decrease", 5).When("operation", k1),
};
constexpr TFieldRow k10470[] = {
    kTarget,
    Pick("operation", "Operation", 2, kIncrease),
    Amount("amount", "Amount", 3, 0, 999),
};
constexpr TFieldRow k10480[] = {
    kTarget,
    Pick("operation", "Operation", 2, kInflict),
    Id(K::Condition, "condition", "Condition", 3),
};
constexpr TFieldRow k10490[] = {kTarget};
constexpr TFieldRow k10500[] = {
    kTarget,
    Num("attack", "Attack Power", 2, 0, 9999),
    Num("defense", "Defense Effect %", 3, 0, 100),
    Num("intellect", "Intellect Effect %", 4, 0, 100),
    Num("variance", "Variance", 5, 0, 10),
    Flag("store", "Store in", 6),
    Id(K::Variable, "variable", "Variable", 7).When("store", k1),
};

// Hero looks and system settings.
constexpr TFieldRow k10610[] = {Id(K::Hero, "hero", "Hero", 0), Text("name", "New Name")};
constexpr TFieldRow k10620[] = {Id(K::Hero, "hero", "Hero", 0), Text("title", "New Title")};
constexpr TFieldRow k10630[] = {
    Id(K::Hero, "hero", "Hero", 0),
    File(K::Picture, "sprite", "Sprite", "CharSet"),
    Num("index", "Sprite", 1, 0, 7),
    Flag("transparent", "Transparent", 2),
};
constexpr TFieldRow k10640[] = {
    Id(K::Hero, "hero", "Hero", 0),
    File(K::Picture, "face", "Face", "FaceSet"),
    Num("index", "Face", 1, 0, 15),
};
constexpr TFieldRow k10650[] = {
    Pick("vehicle", "Vehicle", 0, kVehicles),
    File(K::Picture, "sprite", "Sprite", "CharSet"),
    Num("index", "Sprite", 1, 0, 7),
};
constexpr C kSystemMusic[] = {{0, "Battle"}, {1, "Victory"}, {2, "Inn"},      {3, "Skiff"},
                              {4, "Ship"},   {5, "Airship"}, {6, "Game Over"}};
constexpr TFieldRow k10660[] = {
    Pick("which", "Music", 0, kSystemMusic),
    File(K::Music, "music", "Music", "Music", 1),
};
constexpr C kSystemSounds[] = {{0, "Cursor"},       {1, "Decision"}, {2, "Cancel"},        {3, "Buzzer"},
                               {4, "Begin Battle"}, {5, "Escape"},   {6, "Enemy Attacks"}, {7, "Enemy Damage"},
                               {8, "Ally Damage"},  {9, "Evasion"},  {10, "Enemy Kill"},   {11, "Use Item"}};
constexpr TFieldRow k10670[] = {
    Pick("which", "Sound Effect", 0, kSystemSounds),
    File(K::Sound, "sound", "Sound Effect", "Sound", 1),
};
constexpr C kWallpaper[] = {{0, "Stretch to Fit"}, {1, "Tile"}};
constexpr C kFonts[] = {{0, "MS Gothic"}, {1, "MS Mincho"}};
constexpr TFieldRow k10680[] = {
    File(K::Picture, "system", "System Graphic", "System"),
    Pick("wallpaper", "Wallpaper", 0, kWallpaper),
    Pick("font", "Message Font", 1, kFonts),
};
constexpr C kTransitionKinds[] = {{0, "Teleport/Erase"},    {1, "Teleport/Show"},    {2, "Begin Battle/Erase"},
                                  {3, "Begin Battle/Show"}, {4, "End Battle/Erase"}, {5, "End Battle/Show"}};
constexpr TFieldRow k10690[] = {
    Pick("which", "Transition", 0, kTransitionKinds),
    Pick("erase", "Erase", 1, kEraseTransitions).When("which", kEven),
    Pick("show", "Show", 1, kShowTransitions).When("which", kOdd),
};

// Battles, shops, inns, naming, positions and vehicles.
constexpr C kBackgrounds[] = {{0, "Use Background Defined in Map or Terrain Settings"},
                              {1, "Specific Background"},
                              {2, "Use Background Associated with"}};
constexpr C kFormations[] = {{1, "Loose Formation"}, {2, "Tight Formation"}};
constexpr C kEscape[] = {{0, "Disallow Escape"}, {1, "End Event Processing"}, {2, "Execute Custom Handler"}};
constexpr C kDefeat[] = {{0, "Game Over"}, {1, "Execute Custom Handler"}};
constexpr C kSpecialBattles[] = {
    {0, "None"}, {1, "Initiative"}, {2, "Back Attack"}, {3, "Surround Attack"}, {4, "Pincers Attack"}};
constexpr TFieldRow k10710[] = {
    TESS_ID_OR_VARIABLE("source", "Troop", kTroopSource, K::Troop, "troop", "Troop", 0),
    Pick("background", "Battle Background", 2, kBackgrounds),
    File(K::Picture, "backdrop", "Specific Background", "Backdrop").When("background", k1),
    Id(K::Terrain, "terrain", "Terrain", 8).When("background", k2),
    Pick("formation", "Formation", 7, kFormations).When("background", k2),
    Pick("escape", "Escape", 3, kEscape),
    Pick("defeat", "Defeat", 4, kDefeat),
    Flag("firstStrike", "First Strike", 5).When("special", k0),
    Pick("special", "Special Battle Conditions", 6, kSpecialBattles),
};
constexpr C kShopTypes[] = {{0, "Buy and Sell"}, {1, "Buy Only"}, {2, "Sell Only"}};
constexpr C kShopMessages[] = {{0, "A"}, {1, "B"}, {2, "C"}};
constexpr TFieldRow k10720[] = {
    Pick("type", "Shop Type", 0, kShopTypes),
    Pick("messages", "Messages", 1, kShopMessages),
    Flag("handlers", "Define Custom Handlers", 2),
};
constexpr C kInnMessages[] = {{0, "A"}, {1, "B"}};
constexpr TFieldRow k10730[] = {
    Pick("messages", "Messages", 0, kInnMessages),
    Num("price", "Price", 1, 0, 999999),
    Flag("handlers", "Use Custom Inn Handler", 2),
};
constexpr C kCharacterSets[] = {{0, "Hiragana"}, {1, "Katakana"}};
constexpr TFieldRow k10740[] = {
    Id(K::Hero, "hero", "Hero", 0),
    Pick("characters", "Initial Character Set", 1, kCharacterSets),
    Flag("showName", "Show Current Name", 2),
};
constexpr TFieldRow k10810[] = {
    Id(K::Map, "map", "Map", 0),
    Num("x", "X", 1, 0, kMaxCell),
    Num("y", "Y", 2, 0, kMaxCell),
    Pick("facing", "Facing", 3, kFacing),
};
constexpr TFieldRow k10820[] = {
    Id(K::Variable, "mapVariable", "Map ID", 0),
    Id(K::Variable, "xVariable", "X Coordinate", 1),
    Id(K::Variable, "yVariable", "Y Coordinate", 2),
};
// A location given directly or through variables: the kind row "source" at index, the three (or
// two) values after it.
#define TESS_LOCATION(index, withMap)                                                           \
  Pick("source", "Location", index, kFixedOrVariables),                                         \
      Num("x", "X", (index) + (withMap) + 1, 0, kMaxCell).When("source", k0),                   \
      Num("y", "Y", (index) + (withMap) + 2, 0, kMaxCell).When("source", k0),                   \
      Id(K::Variable, "xVariable", "X Coordinate", (index) + (withMap) + 1).When("source", k1), \
      Id(K::Variable, "yVariable", "Y Coordinate", (index) + (withMap) + 2).When("source", k1)
constexpr TFieldRow k10850[] = {
    Pick("vehicle", "Vehicle", 0, kVehicles),
    TESS_LOCATION(1, 1),
    Id(K::Map, "map", "Map", 2).When("source", k0),
    Id(K::Variable, "mapVariable", "Map ID", 2).When("source", k1),
    Pick("facing", "Facing", 5, kFacing).When("source", k0),
};
constexpr TFieldRow k10860[] = {
    Id(K::MapEvent, "event", "Event", 0, 1, kMaxEvent),
    TESS_LOCATION(1, 0),
    Pick("facing", "Facing", 4, kFacing).When("source", k0),
};
constexpr TFieldRow k10870[] = {
    Id(K::MapEvent, "first", "First Event", 0, 1, kMaxEvent),
    Id(K::MapEvent, "second", "Second Event", 1, 1, kMaxEvent),
};
constexpr TFieldRow k10910[] = {TESS_LOCATION(0, 0), Id(K::Variable, "variable", "Store in", 3)};

// Screen, pictures, animation and movement.
constexpr TFieldRow k11010[] = {Pick("transition", "Transition", 0, kEraseOrDefault)};
constexpr TFieldRow k11020[] = {Pick("transition", "Transition", 0, kShowOrDefault)};
#define TESS_COLOUR(first, max, fourth, fourthCaption)                          \
  Num("red", "Red", first, 0, max), Num("green", "Green", (first) + 1, 0, max), \
      Num("blue", "Blue", (first) + 2, 0, max), Num(fourth, fourthCaption, (first) + 3, 0, max)
constexpr TFieldRow k11030[] = {
    TESS_COLOUR(0, 200, "saturation", "Saturation"),
    Tenths("duration", "Duration", 4),
    Flag("wait", "Wait Until Done", 5),
};
constexpr int32_t kCease[] = {2};
constexpr C kFlashModes[] = {{0, "Flash Once"}, {1, "Begin Flashing"}, {2, "Cease Flashing"}};
constexpr TFieldRow k11040[] = {
    Num("red", "Red", 0, 0, 31).Unless("mode", kCease),
    Num("green", "Green", 1, 0, 31).Unless("mode", kCease),
    Num("blue", "Blue", 2, 0, 31).Unless("mode", kCease),
    Num("strength", "Strength", 3, 0, 31).Unless("mode", kCease),
    Tenths("duration", "Duration", 4).Unless("mode", kCease),
    Flag("wait", "Wait Until Done", 5).When("mode", k0),
    Pick("mode", "Flash", 6, kFlashModes),
};
// Strength and speed run from 1 to 9; the dialog names the ends and the middle.
constexpr C kShakeStrengths[] = {{1, "Weak"}, {5, "Medium"}, {9, "Strong"}};
constexpr C kShakeSpeeds[] = {{1, "Slow"}, {5, "Medium"}, {9, "Fast"}};
constexpr C kShakeModes[] = {{0, "Shake once for"}, {1, "Begin Shaking"}, {2, "Cease Shaking"}};
constexpr TFieldRow k11050[] = {
    Num("strength", "Strength", 0, 1, 9).Special(kShakeStrengths).Unless("mode", kCease),
    Num("speed", "Speed", 1, 1, 9).Special(kShakeSpeeds).Unless("mode", kCease),
    Tenths("duration", "Duration", 2).When("mode", k0),
    Flag("wait", "Wait Until Done", 3).When("mode", k0),
    Pick("mode", "Shake", 4, kShakeModes),
};
constexpr C kPanOperations[] = {{0, "Lock Position"}, {1, "Unlock Position"}, {2, "Pan Screen"}, {3, "Reset Position"}};
constexpr C kPanSpeeds[] = {{1, "1: One-Eighth Nornal"}, {2, "2: One-Quarter Normal"},
                            {3, "3: Half Normal"},       {4, "4: Normal"},
                            {5, "5: Twice Normal"},      {6, "6: Four Times Normal"}};
constexpr TFieldRow k11060[] = {
    Pick("operation", "Operation", 0, kPanOperations),
    Pick("direction", "Direction", 1, kDirections).When("operation", k2),
    Num("distance", "Distance", 2, 1, 100).When("operation", k2),
    Pick("speed", "Speed", 3, kPanSpeeds).When("operation", k2or3),
    Flag("wait", "Wait Until Done", 4).When("operation", k2or3),
};
constexpr C kWeathers[] = {{0, "None"}, {1, "Rain"}, {2, "Snow"}, {3, "Fog"}, {4, "Sandstorm"}};
constexpr C kStrengths[] = {{0, "Weak"}, {1, "Medium"}, {2, "Strong"}};
constexpr TFieldRow k11070[] = {
    Pick("weather", "Weather", 0, kWeathers),
    Pick("strength", "Strength", 1, kStrengths).Unless("weather", k0),
};
constexpr C kPictureEffects[] = {{0, "None"}, {1, "Rotation"}, {2, "Waver"}};
// The rows Show Picture and Move Picture share: number, position, magnification, transparency,
// tint and effect.
#define TESS_PICTURE_ROWS                                                                             \
  Num("picture", "Picture Number", 0, 1, 120), Pick("source", "Position", 1, kFixedOrVariables),      \
      Num("x", "X", 2, -640, 960).When("source", k0), Num("y", "Y", 3, -480, 720).When("source", k0), \
      Id(K::Variable, "xVariable", "X Coordinate", 2).When("source", k1),                             \
      Id(K::Variable, "yVariable", "Y Coordinate", 3).When("source", k1),                             \
      Num("magnification", "Magnification", 5, 0, 2000), Num("top", "Top Transparency", 6, 0, 100),   \
      TESS_COLOUR(8, 200, "saturation", "Saturation"), Pick("effect", "Effect", 12, kPictureEffects), \
      Num("rotation", "Rotation", 13, 1, 9).When("effect", k1), Num("waver", "Waver", 13, 1, 9).When("effect", k2)
constexpr TFieldRow k11110[] = {
    TESS_PICTURE_ROWS,
    File(K::Picture, "image", "Picture", "Picture"),
    Flag("scroll", "Move with Map", 4),
    Flag("transparentColour", "Transparent Color", 7),
    Num("bottom", "Bottom Transparency", 14, 0, 100),
};
constexpr TFieldRow k11120[] = {
    TESS_PICTURE_ROWS,
    Tenths("duration", "Duration", 14),
    Flag("wait", "Wait Until Done", 15),
    Num("bottom", "Bottom Transparency", 16, 0, 100),
};
constexpr TFieldRow k11130[] = {Num("picture", "Picture Number", 0, 1, 120)};
constexpr TFieldRow k11210[] = {
    Id(K::Animation, "animation", "Battle Animation", 0),
    Id(K::MapEvent, "target", "Target", 1, 1, kMaxEvent),
    Flag("wait", "Wait Until Done", 2),
    Flag("global", "Global Scope", 3),
};
constexpr C kTransparency[] = {{0, "Transparent"}, {1, "Opaque"}};
constexpr TFieldRow k11310[] = {Pick("transparency", "Transparency", 0, kTransparency)};
constexpr TFieldRow k11320[] = {
    Id(K::MapEvent, "target", "Target", 0, 1, kMaxEvent),
    TESS_COLOUR(1, 31, "strength", "Strength"),
    Tenths("duration", "Duration", 5),
    Flag("wait", "Wait Until Done", 6),
};
constexpr C kFrequencies[] = {{1, "1"}, {2, "2"}, {3, "3"}, {4, "4"}, {5, "5"}, {6, "6"}, {7, "7"}, {8, "8"}};
constexpr TFieldRow k11330[] = {
    Id(K::MapEvent, "target", "Target", 0, 1, kMaxEvent),
    Pick("frequency", "Frequency", 1, kFrequencies),
    Flag("repeat", "Repeat Pattern", 2),
    Flag("skip", "Ignore Impossible Moves", 3),
};
constexpr TFieldRow k11410[] = {
    Tenths("time", "Wait", 0).When("keyWait", k0),
    Flag("keyWait", "Wait Until Key is Pressed", 1),
};

// Audio, movies, key input, map appearance, teleport control and menus.
constexpr TFieldRow k11510[] = {
    File(K::Music, "music", "Music", "Music", 0),
};
// Stored in milliseconds, entered as 0 to 20 seconds.
constexpr TFieldRow k11520[] = {Num("time", "Fade Out Time", 0, 0, 20000)};
constexpr TFieldRow k11550[] = {File(K::Sound, "sound", "Sound Effect", "Sound", 0)};
constexpr TFieldRow k11560[] = {
    File(K::Picture, "movie", "Movie", "Movie"),
    Pick("source", "Position", 0, kFixedOrVariables),
    Num("x", "X", 1, 0, 320).When("source", k0),
    Num("y", "Y", 2, 0, 240).When("source", k0),
    Id(K::Variable, "xVariable", "X Coordinate", 1).When("source", k1),
    Id(K::Variable, "yVariable", "Y Coordinate", 2).When("source", k1),
    Num("width", "Width", 3, 1, 320),
    Num("height", "Height", 4, 1, 240),
};
// p2, the one all-directions key of older lines, is carried over as it is.
constexpr TFieldRow k11610[] = {
    Id(K::Variable, "variable", "Store Key Code in", 0),
    Flag("wait", "Wait Until Key Pressed", 1),
    Flag("storeTime", "Store Amount of Time it Takes to Press Key", 8).When("wait", k1),
    Id(K::Variable, "timeVariable", "Variable", 7).When("storeTime", k1),
    Flag("down", "Down Key (1)", 10),
    Flag("left", "Left Key (2)", 11),
    Flag("right", "Right Key (3)", 12),
    Flag("up", "Up Key (4)", 13),
    Flag("decision", "Decision Key (5)", 3),
    Flag("cancel", "Cancel Key (6)", 4),
    Flag("shift", "Shift Key (7)", 9),
    Flag("numbers", "Number Keys 0-9 (10-19)", 5),
    Flag("operators", "+,-,*,/,. Keys (20,21,22,23,24)", 6),
};
constexpr TFieldRow k11710[] = {Id(K::Tileset, "tileset", "Tileset", 0)};
constexpr TFieldRow k11720[] = {
    File(K::Picture, "panorama", "Parallax Background", "Panorama"),
    Flag("horizontal", "Horizontal Scroll", 0),
    Flag("horizontalAuto", "Autoscroll", 2).When("horizontal", k1),
    Num("horizontalSpeed", "Speed", 3, -8, 8).When("horizontalAuto", k1),
    Flag("vertical", "Vertical Scroll", 1),
    Flag("verticalAuto", "Autoscroll", 4).When("vertical", k1),
    Num("verticalSpeed", "Speed", 5, -8, 8).When("verticalAuto", k1),
};
constexpr TFieldRow k11740[] = {Num("steps", "Rate", 0, 0, 999)};
constexpr C kLayers[] = {{0, "Lower Layer"}, {1, "Upper Layer"}};
constexpr TFieldRow k11750[] = {
    Pick("layer", "Layer", 0, kLayers),
    Num("from", "Replace", 1, 0, 161),
    Num("to", "With", 2, 0, 161),
};
constexpr C kAddDelete[] = {{0, "Add"}, {1, "Delete"}};
constexpr TFieldRow k11810[] = {
    Pick("operation", "Operation", 0, kAddDelete),       Id(K::Map, "map", "Map", 1),
    Num("x", "X", 2, 0, kMaxCell).When("operation", k0), Num("y", "Y", 3, 0, kMaxCell).When("operation", k0),
    Flag("turnOn", "Turn on", 4).When("operation", k0),  Id(K::Switch, "switch", "Switch", 5).When("turnOn", k1),
};
constexpr TFieldRow kGateRows[] = {Pick("access", "Access", 0, kGate)};
constexpr TFieldRow k11830[] = {
    Id(K::Map, "map", "Map", 0),
    Num("x", "X", 1, 0, kMaxCell),
    Num("y", "Y", 2, 0, kMaxCell),
    Flag("turnOn", "Turn on", 3),
    Id(K::Switch, "switch", "Switch", 4).When("turnOn", k1),
};

// Flow control. The branch conditions share p1 to p4 among their kinds.
constexpr C kComparisons[] = {{0, "Equal to"},
                              {1, "Greater than or Equal to"},
                              {2, "Less than or Equal to"},
                              {3, "Greater than"},
                              {4, "Less than"},
                              {5, "Not Equal to"}};
#define TESS_SHARED_CONDITIONS                                                                                  \
  Id(K::Switch, "switch", "Switch", 1).When("kind", k0), Pick("switchState", "is", 2, kOnOff).When("kind", k0), \
      Id(K::Variable, "variable", "Variable", 1).When("kind", k1),                                              \
      Amount("compareWith", "is", 2, -kMaxConstant, kMaxConstant).When("kind", k1),                             \
      Pick("comparison", "Comparison", 4, kComparisons).When("kind", k1)
constexpr C kConditions[] = {{0, "Switch"},
                             {1, "Variable"},
                             {2, "Timer 1"},
                             {3, "Money"},
                             {4, "Item"},
                             {5, "Hero"},
                             {6, "Event"},
                             {7, "Vehicle"},
                             {8, "Event Started with Action Key"},
                             {9, "BGM has Played Once"},
                             {10, "Timer 2"}};
constexpr C kItemStates[] = {{0, "Possessed"}, {1, "Not Possessed"}};
constexpr C kHeroTests[] = {
    {0, "in the Party"},  {1, "Name is"},           {2, "Level is at least"},       {3, "HP is at least"},
    {4, "Can Use Skill"}, {5, "Has Item Equipped"}, {6, "Afflicted with Condition"}};
constexpr TFieldRow k12010[] = {
    Pick("kind", "Condition", 0, kConditions),
    TESS_SHARED_CONDITIONS,
    Row(K::Seconds, "timer", "Time", 1, 0, kMaxTimer).When("kind", k2or10),
    Pick("timerComparison", "Comparison", 2, kAtLeast).When("kind", k2or10),
    Num("money", "Money", 1, 0, 999999).When("kind", k3),
    Pick("moneyComparison", "Comparison", 2, kAtLeast).When("kind", k3),
    Id(K::Item, "item", "Item", 1).When("kind", k4),
    Pick("itemState", "Item", 2, kItemStates).When("kind", k4),
    Id(K::Hero, "hero", "Hero", 1).When("kind", k5),
    Pick("heroTest", "Conditional Branch: Hero Options", 2, kHeroTests).When("kind", k5),
    Text("heroName", "Name").When("heroTest", k1),
    Num("level", "Level", 3, 1, 99).When("heroTest", k2),
    Num("hp", "HP", 3, 0, 9999).When("heroTest", k3),
    Id(K::Skill, "skill", "Skill", 3).When("heroTest", k4),
    Id(K::Item, "equipped", "Item", 3).When("heroTest", k5),
    Id(K::Condition, "condition", "Condition", 3).When("heroTest", k6),
    Id(K::MapEvent, "event", "Event", 1, 1, kMaxEvent).When("kind", k6),
    Pick("direction", "Facing", 2, kDirections).When("kind", k6),
    Pick("vehicle", "Vehicle", 1, kVehicles).When("kind", k7),
    Flag("else", "Execute Custom Handler if Condition Not Met", 5),
};
constexpr TFieldRow kLabelRows[] = {Num("label", "Label Number", 0, 1, kMaxId)};
constexpr C kCallSources[] = {{0, "Common Event"}, {1, "Map Event"}, {2, "Event and Page Stored in Variables"}};
constexpr TFieldRow k12330[] = {
    Pick("source", "Event", 0, kCallSources),
    Id(K::CommonEvent, "commonEvent", "Common Event", 1).When("source", k0),
    Id(K::MapEvent, "event", "Map Event", 1, 1, kMaxEvent).When("source", k1),
    Num("page", "Page", 2, 1, 100).When("source", k1),
    Id(K::Variable, "eventVariable", "Event ID", 1).When("source", k2),
    Id(K::Variable, "pageVariable", "Page Number", 2).When("source", k2),
};
constexpr TFieldRow k12410[] = {Text("text", "Comment")};

// Battle commands.
constexpr C kMonsterAmounts[] = {{0, "Constant"}, {1, "Variable"}, {2, "Percentage of Current HP"}};
constexpr TFieldRow k13110[] = {
    Num("enemy", "Enemy", 0, 0, kMaxMember),
    Pick("operation", "Operation", 1, kIncrease),
    Pick("amountKind", "Amount", 2, kMonsterAmounts),
    Num("amount", "Amount", 3, 0, kMaxConstant).When("amountKind", k0),
    Id(K::Variable, "amountVariable", "Variable", 3).When("amountKind", k1),
    Num("percent", "Percent", 3, 0, 100).When("amountKind", k2),
    Flag("canKill", "Possible Death from Decrease", 4).When("operation", k1),
};
constexpr TFieldRow k13120[] = {
    Num("enemy", "Enemy", 0, 0, kMaxMember),
    Pick("operation", "Operation", 1, kIncrease),
    Amount("amount", "Amount", 2, 0, 9999),
};
constexpr TFieldRow k13130[] = {
    Num("enemy", "Enemy", 0, 0, kMaxMember),
    Pick("operation", "Operation", 1, kInflict),
    Id(K::Condition, "condition", "Condition", 2),
};
constexpr TFieldRow k13150[] = {Num("enemy", "Enemy", 0, 0, kMaxMember)};
constexpr TFieldRow k13210[] = {File(K::Picture, "backdrop", "Battle Background", "Backdrop")};
constexpr C kAnimationSides[] = {{0, "Enemies"}, {1, "Party"}};
// The dialog's target list ("All Enemies", the members, "Entire Party", the heroes) stores its
// position in p4 and the target in p1 and p3.
constexpr TFieldRow k13260[] = {
    Id(K::Animation, "animation", "Battle Animation", 0),
    Pick("side", "Target", 3, kAnimationSides),
    Num("enemy", "Target", 1, -1, kMaxMember).Special(kAllEnemies).When("side", k0),
    Id(K::Hero, "hero", "Target", 1, -1).Special(kEntireParty).When("side", k1),
    Num("position", "Target", 4, 0, kMaxId),
    Flag("wait", "Wait Until Done", 2),
};
constexpr C kBattleConditions[] = {{0, "Switch"},        {1, "Variable"},           {2, "Hero Can Act"},
                                   {3, "Enemy Can Act"}, {4, "Enemy is Targetted"}, {5, "Hero Uses Command"}};
constexpr TFieldRow k13310[] = {
    Pick("kind", "Condition", 0, kBattleConditions),
    TESS_SHARED_CONDITIONS,
    Id(K::Hero, "hero", "Hero", 1).When("kind", k2or5),
    Num("enemy", "Enemy", 1, 0, kMaxMember).When("kind", k3or4),
    Id(K::BattleCommand, "command", "Battle Command", 2).When("kind", k5),
    Flag("else", "Execute Custom Handler if Condition Not Met", 5),
};

// Normalisers. Rules that keep a line consistent run on every change; rules that drop what the
// chosen kind does not use run at OK only.
bool Is(const char* key, const char* name) { return std::strcmp(key, name) == 0; }
bool Confirming(const char* key) { return Is(key, kConfirmKey); }

// A single switch or variable target keeps its last id equal to its first; one held in a variable
// has no last id.
void NormaliseRangeTarget(TCommandForm& f, const char* key) {
  if (f.Param(0) == 0) f.SetParam(2, f.Param(1));
  if (Confirming(key) && f.Param(0) == 2) f.SetParam(2, 0);
}

// The entire party names no hero.
void NormaliseTarget(TCommandForm& f, const char* key) {
  if (Confirming(key) && f.Param(0) == 0) f.SetParam(1, 0);
}

void Normalise10220(TCommandForm& f, const char* key) {
  NormaliseRangeTarget(f, key);
  const int32_t operand = f.Param(4);
  if (Confirming(key) && (operand == 0 || operand == 1 || operand == 2 || operand == 7)) f.SetParam(6, 0);
}

void Normalise10430(TCommandForm& f, const char* key) {
  NormaliseTarget(f, key);
  // Only Max HP goes beyond 999.
  if (Confirming(key) && f.Param(4) == 0 && f.Param(3) != 0 && f.Param(5) > 999) f.SetParam(5, 999);
}

void Normalise10450(TCommandForm& f, const char* key) {
  NormaliseTarget(f, key);
  if (Confirming(key) && f.Param(2) == 1) f.SetParam(4, 0);
}

void Normalise10500(TCommandForm& f, const char* key) {
  NormaliseTarget(f, key);
  if (Confirming(key) && f.Param(6) == 0) f.SetParam(7, 0);
}

void Normalise10710(TCommandForm& f, const char* key) {
  if (Confirming(key) && f.Param(2) != 1 && !f.Text().empty()) f.SetText({});
}

void NormalisePicture(TCommandForm& f, const char* key) {
  if (Confirming(key) && f.Param(12) == 0) f.SetParam(13, 0);
}

// A branch keeps only the operands of its condition.
void NormaliseBranch(TCommandForm& f, const char* key) {
  if (!Confirming(key)) return;
  for (int index = 1; index <= 4; ++index) {
    bool used = false;
    for (const TFieldRow& row : f.Rows())
      used = used || ((row.index == index || row.valueIndex == index) && f.Enabled(row));
    if (!used && f.Param(index) != 0) f.SetParam(index, 0);
  }
  const TFieldRow* name = f.FindRow("heroName");
  if ((!name || !f.Enabled(*name)) && !f.Text().empty()) f.SetText({});
}

void Normalise12330(TCommandForm& f, const char* key) {
  if (Confirming(key) && f.Param(0) == 0) f.SetParam(2, 0);
}

#undef TESS_ID_OR_VARIABLE
#undef TESS_LOCATION
#undef TESS_COLOUR
#undef TESS_PICTURE_ROWS
#undef TESS_SHARED_CONDITIONS

constexpr TCommandSchema kSchemas[] = {
    {1005, k1005},
    {1006, k1006},
    {1007, k1007},
    {1008, k1008},
    {1009, k1009},
    {10110, k10110},
    {10120, k10120},
    {10130, k10130},
    {10140, k10140},
    {10150, k10150},
    {10210, k10210, NormaliseRangeTarget},
    {10220, k10220, Normalise10220},
    {10230, k10230},
    {10310, k10310},
    {10320, k10320},
    {10330, k10330},
    {10410, k10410, NormaliseTarget},
    {10420, k10420, NormaliseTarget},
    {10430, k10430, Normalise10430},
    {10440, k10440, NormaliseTarget},
    {10450, k10450, Normalise10450},
    {10460, k10460, NormaliseTarget},
    {10470, k10470, NormaliseTarget},
    {10480, k10480, NormaliseTarget},
    {10490, k10490, NormaliseTarget},
    {10500, k10500, Normalise10500},
    {10610, k10610},
    {10620, k10620},
    {10630, k10630},
    {10640, k10640},
    {10650, k10650},
    {10660, k10660},
    {10670, k10670},
    {10680, k10680},
    {10690, k10690},
    {10710, k10710, Normalise10710},
    {10720, k10720},
    {10730, k10730},
    {10740, k10740},
    {10810, k10810},
    {10820, k10820},
    {10830, k10820},
    {10850, k10850},
    {10860, k10860},
    {10870, k10870},
    {10910, k10910},
    {10920, k10910},
    {11010, k11010},
    {11020, k11020},
    {11030, k11030},
    {11040, k11040},
    {11050, k11050},
    {11060, k11060},
    {11070, k11070},
    {11110, k11110, NormalisePicture},
    {11120, k11120, NormalisePicture},
    {11130, k11130},
    {11210, k11210},
    {11310, k11310},
    {11320, k11320},
    {11330, k11330},
    {11410, k11410},
    {11510, k11510},
    {11520, k11520},
    {11550, k11550},
    {11560, k11560},
    {11610, k11610},
    {11710, k11710},
    {11720, k11720},
    {11740, k11740},
    {11750, k11750},
    {11810, k11810},
    {11820, kGateRows},
    {11830, k11830},
    {11840, kGateRows},
    {11930, kGateRows},
    {11960, kGateRows},
    {12010, k12010, NormaliseBranch},
    {12110, kLabelRows},
    {12120, kLabelRows},
    {12330, k12330, Normalise12330},
    {12410, k12410},
    {13110, k13110},
    {13120, k13120},
    {13130, k13130},
    {13150, k13150},
    {13210, k13210},
    {13260, k13260},
    {13310, k13310},
};

constexpr bool SortedByCode() {
  for (size_t i = 1; i < std::size(kSchemas); ++i)
    if (kSchemas[i - 1].code >= kSchemas[i].code) return false;
  return true;
}
static_assert(SortedByCode(), "schemas are looked up by binary search");

// The parameters of a line older than its command's present layout that do not read as 0.
// Returns whether the line was one.
bool ReadOlderLayout(TLcfEventScriptLine& line) {
  const int count = line.ParamCount();
  bool older = false;
  if (line.code == 11610 && count < 14) {
    // Before the four direction keys had a parameter each, p2 stood for all of them.
    const int32_t all = line.Param(2);
    line.SetParamCount(14);
    for (int i = std::max(count, 10); i < 14; ++i) line.params[static_cast<size_t>(i)] = all;
    older = all != 0;
  }
  if (line.code == 13260 && count < 5 && line.Param(3) == 0) {
    // The target list begins with "All Enemies" and then the members.
    const int32_t member = line.Param(1);
    line.SetParamCount(5);
    line.params[4] = member < 0 ? 0 : member + 1;
    older = line.params[4] != 0;
  }
  return older;
}

// A key that names no row is a programming error.
const TFieldRow& RowOf(const TCommandForm& form, const char* key) {
  const TFieldRow* row = form.FindRow(key);
  if (!row) throw std::logic_error(std::string("command ") + std::to_string(form.Code()) + " has no field " + key);
  return *row;
}

std::map<int32_t, TLcfEventScriptLine>& Remembered() {
  static std::map<int32_t, TLcfEventScriptLine> lines;
  return lines;
}

}  // namespace

std::span<const TCommandSchema> CommandSchemas() { return kSchemas; }

const TCommandSchema* FindCommandSchema(int32_t code) {
  const auto* it = std::lower_bound(std::begin(kSchemas), std::end(kSchemas), code,
                                    [](const TCommandSchema& s, int32_t c) { return s.code < c; });
  return it != std::end(kSchemas) && it->code == code ? it : nullptr;
}

TCommandForm::TCommandForm(int32_t code) : schema_(FindCommandSchema(code)) {
  const auto remembered = Remembered().find(code);
  if (remembered != Remembered().end()) {
    line_ = remembered->second;
    return;
  }
  line_.code = code;
  if (const TEventCommandInfo* info = FindEventCommand(code)) {
    line_.text = info->defaultText;
    line_.params.assign(info->defaults, info->defaults + info->paramCount);
  }
}

TCommandForm::TCommandForm(const TLcfEventScriptLine& line) : line_(line), schema_(FindCommandSchema(line.code)) {
  if (ReadOlderLayout(line_)) older_ = line;
}

std::span<const TFieldRow> TCommandForm::Rows() const { return schema_ ? schema_->rows : std::span<const TFieldRow>{}; }

const TFieldRow* TCommandForm::FindRow(const char* key) const {
  for (const TFieldRow& row : Rows())
    if (std::strcmp(row.key, key) == 0) return &row;
  return nullptr;
}

int32_t TCommandForm::Value(const TFieldRow& row) const {
  return row.index == kStringIndex ? 0 : line_.Param(row.index);
}

int32_t TCommandForm::Value(const char* key) const { return Value(RowOf(*this, key)); }

void TCommandForm::Set(const TFieldRow& row, int32_t value) {
  if (row.index == kStringIndex) return;
  SetParam(row.index, value);
  Normalise(row.key);
}

void TCommandForm::Set(const char* key, int32_t value) { Set(RowOf(*this, key), value); }

void TCommandForm::SetText(std::string text) {
  line_.text = std::move(text);
  changed_ = true;
  for (const TFieldRow& row : Rows())
    if (row.index == kStringIndex) return Normalise(row.key);
  Normalise("");
}

bool TCommandForm::Enabled(const TFieldRow& row) const {
  if (!row.whenKey) return true;
  const TFieldRow* when = FindRow(row.whenKey);
  if (!when || !Enabled(*when)) return false;
  const int32_t value = Value(*when);
  const bool listed = std::find(row.whenValues.begin(), row.whenValues.end(), value) != row.whenValues.end();
  return listed != row.whenNot;
}

TLcfEventScriptLine TCommandForm::ToLine() const {
  if (older_ && !changed_) return *older_;
  TLcfEventScriptLine line = line_;
  if (const TEventCommandInfo* info = FindEventCommand(line.code))
    if (line.ParamCount() < info->paramCount) line.SetParamCount(info->paramCount);
  return line;
}

void TCommandForm::SetParam(int index, int32_t value) {
  if (index < 0) return;
  if (index >= line_.ParamCount()) line_.SetParamCount(index + 1);
  line_.SetParam(index, value);
  changed_ = true;
}

void TCommandForm::Remember() const {
  // What the window showed, older layouts read as the present one.
  TLcfEventScriptLine line = line_;
  line.indent = 0;
  if (const TEventCommandInfo* info = FindEventCommand(line.code)) {
    line.SetParamCount(info->paramCount);
    // A new Move Event opens on the last target and frequency with both route flags clear.
    if (line.code == 11330) line.params[2] = line.params[3] = 0;
  }
  Remembered()[line.code] = std::move(line);
}

void TCommandForm::ForgetAll() { Remembered().clear(); }

TLcfEventScriptLine TCommandForm::Accept() {
  if (changed_) Normalise(kConfirmKey);
  Remember();
  return ToLine();
}

void TCommandForm::Normalise(const char* changedKey) {
  if (schema_ && schema_->normalise) schema_->normalise(*this, changedKey);
}

}  // namespace tess
