#pragma once
// The event command catalogue: one row per command code the editor knows, sorted by code. Every
// part of the editor that needs to know about a code reads it here: the text of a line, the lines a
// command spans, the scripts it may stand in, the chooser buttons that insert it and the parameters
// a new line gets.

#include <cstdint>
#include <span>

#include "events/CommandShapes.h"

namespace tess {

class TCommandText;
class TLcfEventScriptLine;

// The scripts a line may stand in.
enum TScriptScope : uint8_t {
  kInMapEvent = 1,
  kInCommonEvent = 2,
  kInTroopPage = 4,
  kInEventScripts = kInMapEvent | kInCommonEvent,
  kInAllScripts = kInMapEvent | kInCommonEvent | kInTroopPage,
};

enum class TScriptKind : uint8_t { MapEvent, CommonEvent, TroopPage };
uint8_t ScopeOf(TScriptKind kind);

inline constexpr int kMaxDefaultParams = 17;
// Buttons of the two choosers.
inline constexpr int kMapChooserButtons = 92;
inline constexpr int kMapChooserPageSize = 30;
inline constexpr int kBattleChooserButtons = 37;
// Structural lines (cases, ends, continuations) have codes from here on.
inline constexpr int32_t kFirstStructuralCode = 20000;

struct TEventCommandInfo {
  int32_t code = 0;
  // The chooser's caption, which is also the command dialog's; structural lines carry a
  // description in parentheses.
  const char* caption = "";
  // Parameters a new line gets (every one written); with moreParams, a list follows from there
  // (the goods of a shop, the bytes of a move route). What each one means is the command's schema
  // (CommandSchema).
  int8_t paramCount = 0;
  bool moreParams = false;
  TCommandRole role = TCommandRole::Command;
  uint8_t scopes = kInEventScripts;
  // Block structure of an opening line: when it is a block, whether its first branch follows it
  // directly, its continuation code, its case codes in branch order and its end code.
  TBlockRule block = TBlockRule::None;
  bool directBranch = false;
  TCaseRule caseRule = TCaseRule::All;
  int32_t continuation = 0;
  int32_t cases[3] = {};
  int32_t end = 0;
  // For structural lines: the opening command they belong to.
  int32_t owner = 0;
  // Position among the buttons of the map chooser (0..91) and the battle chooser (0..36), -1 for
  // none.
  int16_t mapButton = -1;
  int16_t battleButton = -1;
  // Commands without parameters are made and edited without a dialog.
  bool hasDialog = true;
  // The parameters and text of a new line.
  int32_t defaults[kMaxDefaultParams] = {};
  const char* defaultText = "";
  // Appends the body of a line (what follows the indentation).
  void (*text)(TCommandText&) = nullptr;
  // Whether a line of this code uses a variable or a switch, for the event search; a code without
  // one never matches.
  bool (*usesVariable)(const TLcfEventScriptLine& line, int32_t variable) = nullptr;
  bool (*usesSwitch)(const TLcfEventScriptLine& line, int32_t switchId) = nullptr;
  // The line's string is the author's own words (messages, choices, comments, names given by
  // commands), which the text search reads.
  bool authorText = false;

  bool IsStructural() const {
    return role == TCommandRole::Continuation || role == TCommandRole::Case || role == TCommandRole::End;
  }
  bool MayStandIn(TScriptKind kind) const { return (scopes & ScopeOf(kind)) != 0; }
  bool HasCase(int32_t caseCode) const {
    return caseCode != 0 && (cases[0] == caseCode || cases[1] == caseCode || cases[2] == caseCode);
  }
};

// Every row, in ascending code order.
std::span<const TEventCommandInfo> EventCommands();
// The row of a code, or none for a code the editor does not know.
const TEventCommandInfo* FindEventCommand(int32_t code);

// The event search's match rules of one line, read from its row: false for codes without one.
bool IsFindVariable(const TLcfEventScriptLine& line, int32_t variable);
bool IsFindSwitch(const TLcfEventScriptLine& line, int32_t switchId);
// Whether the search for text reads the line's string.
bool IsAuthorText(int32_t code);

// A row begins a selection (its text starts with "<>") unless it is a case, end or continuation
// line; unknown codes are commands.
bool IsCommandCode(int32_t code);
// Whether a line of this code may stand in a script of this kind. Unknown codes may stand in map
// events and common events, but not in troop pages.
bool MayStandIn(int32_t code, TScriptKind kind);

// The codes behind the chooser buttons, by position.
std::span<const int32_t, kMapChooserButtons> MapChooserCodes();
std::span<const int32_t, kBattleChooserButtons> BattleChooserCodes();

}  // namespace tess
