#pragma once
// The one-line text of a script line, as every script pane shows it: the indentation (two blanks a
// level) and the command's body, with the names of switches, heroes, maps, events and the other
// things it refers to looked up in the database and the editing context. Rendering is a pure
// function of the line and the context: it changes nothing and never fails.

#include <cstdint>
#include <string>
#include <string_view>

#include "events/LD_EventScript.h"

namespace tess {

class TLcfDataBase;
class TLcfEventItem;
class TLcfMapTree;
class TLcfMap;
class TLcfMonGroupItem;

inline constexpr const char* kUnknownCommandText = "<>Unknown Command";
inline constexpr const char* kInvalidTransitionText = "<>Invalid Transition  ";

class TEventScriptConverter {
 public:
  explicit TEventScriptConverter(const TLcfDataBase& database) : database_(&database) {}

  // The editing context; each may be unset. The map event editor sets the first four, the common
  // event page MapTree and Map, a troop page only Troop.
  uint32_t EventId = 0;                     // the map event whose page is edited
  const TLcfEventItem* Event = nullptr;     // that event, with the name as typed in the editor
  const TLcfMapTree* MapTree = nullptr;     // map names
  const TLcfMap* Map = nullptr;             // event names of the current map
  const TLcfMonGroupItem* Troop = nullptr;  // enemy names of battle scripts
  // Where the switch and variable pickers of command dialogs write names and list sizes; none
  // where the database is only read.
  TLcfDataBase* EditableDatabase = nullptr;

  const TLcfDataBase& Database() const { return *database_; }

  // Indentation followed by the body.
  std::string LineText(const TLcfEventScriptLine& line) const;
  // The same, appended to out.
  void AppendLineText(std::string& out, const TLcfEventScriptLine& line) const;

  // Lines deeper than this are shown at this depth; their stored depth is not touched.
  static constexpr int kMaxShownDepth = 100;

 private:
  const TLcfDataBase* database_;
};

// What the catalogue's text functions compose a body with: the line's parameters (read as 0
// beyond its count, widened to 64 bits so that arithmetic on them cannot overflow), its string,
// and the pieces that look names up.
class TCommandText {
 public:
  TCommandText(const TEventScriptConverter& converter, const TLcfEventScriptLine& line, std::string& out)
      : c_(converter), line_(line), out_(out), bodyStart_(out.size()) {}

  int64_t p(int i) const { return line_.Param(i); }
  int count() const { return line_.ParamCount(); }
  const std::string& s() const { return line_.text; }
  const TLcfEventScriptLine& Line() const { return line_; }
  // The length of the body so far.
  size_t Length() const { return out_.size() - bodyStart_; }

  TCommandText& operator<<(std::string_view text) {
    out_ += text;
    return *this;
  }
  TCommandText& operator<<(const char* text) { return *this << std::string_view(text); }
  TCommandText& operator<<(const std::string& text) { return *this << std::string_view(text); }
  // A number in decimal.
  TCommandText& operator<<(int64_t n);

  // printf-style formatting of integers: %d, %Nd, %.Nd and %%.
  template <class... TInts>
  TCommandText& F(const char* format, TInts... values) {
    const int64_t list[] = {static_cast<int64_t>(values)..., 0};
    return Format(format, list, sizeof...(values));
  }

  // The literal listed for value; nothing for a value not listed.
  TCommandText& Pick(int64_t value, std::initializer_list<const char*> fromZero);
  struct TChoice {
    int64_t value;
    const char* text;
  };
  TCommandText& Pick(int64_t value, std::initializer_list<TChoice> choices);

  // Entries of the database: "%.4d:%s" (or "%.4d" without a name) for switches and variables,
  // the bare name for the others; "?" when there is no such entry.
  TCommandText& Switch(int64_t id);
  TCommandText& Variable(int64_t id);
  TCommandText& Hero(int64_t id);
  TCommandText& Skill(int64_t id);
  TCommandText& Item(int64_t id);
  TCommandText& Troop(int64_t id);
  TCommandText& Condition(int64_t id);
  TCommandText& Animation(int64_t id);
  TCommandText& Class(int64_t id);
  TCommandText& BattleCommand(int64_t id);
  TCommandText& Terrain(int64_t id);
  TCommandText& Tileset(int64_t id);
  TCommandText& CommonEvent(int64_t id);
  // The name of a map of the map tree, "?" without one.
  TCommandText& MapName(int64_t id);
  // The vehicles and "This Event" by their ids 10001 to 10005, else an event of the current map
  // (the edited one under its name as typed); "?" without one.
  TCommandText& EventName(int64_t id);
  // Troop member index (0-based): "All Enemies" below 0, else its number, ":" and its monster.
  TCommandText& Enemy(int64_t index);
  // "Entire Party" below 0, else a hero.
  TCommandText& Party(int64_t id);
  // The target of hero commands: 0 the party, 1 a hero, 2 the hero in a variable.
  TCommandText& Who(int64_t kind, int64_t value);
  // 0 a constant, 1 a variable.
  TCommandText& Amount(int64_t kind, int64_t value);
  TCommandText& Direction(int64_t n) { return Pick(n, {"Up", "Right", "Down", "Left"}); }
  TCommandText& Vehicle(int64_t n) { return Pick(n, {"Skiff", "Ship", "Airship"}); }
  TCommandText& Gate(int64_t n) { return Pick(n, {"Forbid", "Allow"}); }
  TCommandText& Wait(int64_t n) { return n == 1 ? *this << " (Wait)" : *this; }
  // Tenths of a second; seconds as minutes and seconds.
  TCommandText& Seconds(int64_t tenths) { return F("%d.%d Sec", tenths / 10, tenths % 10); }
  TCommandText& MinSec(int64_t seconds) { return F("%dM %.2dS ", seconds / 60, seconds % 60); }
  // A cell given by value (0) or by two variables (1).
  TCommandText& Position(int64_t kind, int64_t x, int64_t y);
  // Variable references "V[%.4d]".
  TCommandText& V(int64_t id) { return F("V[%.4d]", id); }
  TCommandText& EraseTransition(int64_t n);
  TCommandText& ShowTransition(int64_t n);
  // The items named by the parameters from first on, joined by ", ".
  TCommandText& ItemList(int first);

 private:
  TCommandText& Format(const char* format, const int64_t* values, size_t count);
  TCommandText& PickFrom(int64_t value, const char* const* table, size_t size);
  TCommandText& Entry(const TCatalog& list, int64_t id);
  TCommandText& Caption(const TCatalog& list, int64_t id);

  const TEventScriptConverter& c_;
  const TLcfEventScriptLine& line_;
  std::string& out_;
  size_t bodyStart_;
};

}  // namespace tess
