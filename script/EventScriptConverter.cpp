#include "script/EventScriptConverter.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "script/EventCommands.h"

namespace tess {

namespace {

// Ids are 32-bit; a wider value names nothing.
bool FitsId(int64_t id) { return id >= INT32_MIN && id <= INT32_MAX; }

const TCatalogItem* Find(const TCatalog& list, int64_t id) {
  return FitsId(id) ? list.FindById(static_cast<int32_t>(id)) : nullptr;
}

void AppendDecimal(std::string& out, int64_t n, int minDigits, int width) {
  char digits[24];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, n < 0 ? -static_cast<uint64_t>(n) : n);
  const int count = static_cast<int>(end - digits);
  const int zeros = std::max(0, minDigits - count);
  const int used = count + zeros + (n < 0 ? 1 : 0);
  if (width > used) out.append(static_cast<size_t>(width - used), ' ');
  if (n < 0) out += '-';
  out.append(static_cast<size_t>(zeros), '0');
  out.append(digits, end);
}

const char* const kEraseTransitions[] = {
    "Fade Out     ",
    "Remove Blocks",
    "Wipe Downward         ",
    "Wipe Upward           ",
    "Venetian Blinds   ",
    "Vertical Blinds   ",
    "Horizontal Blinds ",
    "Receding Square",
    "Expanding Square",
    "Screen Moves Up",
    "Screen Moves Down",
    "Screen Moves Left",
    "Screen Moves Right",
    "Vertical Div",
    "Horizontal Div",
    "Quadrasection",
    "Zoom In",
    "Mosaic  ",
    "Waver Screen    ",
    "Instantaneous",
    "None      ",
};
const char* const kShowTransitions[] = {
    "Fade in     ",      "Reconstitute Blocks",
    "Unwipe Downward",   "Unwipe Upward  ",
    "Venetian Blinds",   "Vertical Blinds  ",
    "Horizontal Blinds", "Receding Square",
    "Expanding Square",  "Screen Moves Down",
    "Screen Moves Up ",  "Screen Moves Right",
    "Screen Moves Left", "Vertical Unify",
    "Horizontal Unify",  "Unify Quadrants",
    "Zoom Out",          "Mosaic",
    "Waver Screen ",     "Instant ",
};

}  // namespace

std::string TEventScriptConverter::LineText(const TLcfEventScriptLine& line) const {
  std::string out;
  AppendLineText(out, line);
  return out;
}

void TEventScriptConverter::AppendLineText(std::string& out, const TLcfEventScriptLine& line) const {
  const int depth = std::clamp(line.indent, 0, kMaxShownDepth);
  out.append(static_cast<size_t>(depth) * 2, ' ');
  const size_t bodyStart = out.size();
  const TEventCommandInfo* info = FindEventCommand(line.code);
  if (!info) {
    out += kUnknownCommandText;
    return;
  }
  try {
    TCommandText text(*this, line, out);
    info->text(text);
  } catch (const std::exception&) {
    // A body that cannot be composed (a move route that does not decode) is replaced whole.
    out.resize(bodyStart);
    out += kInvalidTransitionText;
  }
}

// ---------------------------------------------------------------------------------------------

TCommandText& TCommandText::operator<<(int64_t n) {
  AppendDecimal(out_, n, 0, 0);
  return *this;
}

TCommandText& TCommandText::Format(const char* format, const int64_t* values, size_t count) {
  size_t next = 0;
  for (const char* f = format; *f; ++f) {
    if (*f != '%') {
      out_ += *f;
      continue;
    }
    ++f;
    if (*f == '%') {
      out_ += '%';
      continue;
    }
    int width = 0, precision = 0;
    while (*f >= '0' && *f <= '9') width = width * 10 + (*f++ - '0');
    if (*f == '.') {
      ++f;
      while (*f >= '0' && *f <= '9') precision = precision * 10 + (*f++ - '0');
    }
    // Only %d is used; a format and its values that disagree are a programming error.
    if (*f != 'd' || next >= count) throw std::logic_error("TCommandText::F: bad format");
    AppendDecimal(out_, values[next++], precision, width);
  }
  return *this;
}

TCommandText& TCommandText::Pick(int64_t value, std::initializer_list<const char*> fromZero) {
  return PickFrom(value, fromZero.begin(), fromZero.size());
}

TCommandText& TCommandText::PickFrom(int64_t value, const char* const* table, size_t size) {
  if (value >= 0 && static_cast<uint64_t>(value) < size) out_ += table[value];
  return *this;
}

TCommandText& TCommandText::Pick(int64_t value, std::initializer_list<TChoice> choices) {
  for (const TChoice& c : choices)
    if (c.value == value) return *this << c.text;
  return *this;
}

TCommandText& TCommandText::Entry(const TCatalog& list, int64_t id) {
  const TCatalogItem* item = Find(list, id);
  return *this << (item ? std::string_view(item->name) : std::string_view("?"));
}

TCommandText& TCommandText::Caption(const TCatalog& list, int64_t id) {
  const TCatalogItem* item = Find(list, id);
  if (!item) return *this << "?";
  F("%.4d", id);
  if (!item->name.empty()) *this << ":" << item->name;
  return *this;
}

TCommandText& TCommandText::Switch(int64_t id) { return Caption(c_.Database().switches, id); }
TCommandText& TCommandText::Variable(int64_t id) { return Caption(c_.Database().variables, id); }
TCommandText& TCommandText::Hero(int64_t id) { return Entry(c_.Database().heroes, id); }
TCommandText& TCommandText::Skill(int64_t id) { return Entry(c_.Database().skills, id); }
TCommandText& TCommandText::Item(int64_t id) { return Entry(c_.Database().items, id); }
TCommandText& TCommandText::Troop(int64_t id) { return Entry(c_.Database().troops, id); }
TCommandText& TCommandText::Condition(int64_t id) { return Entry(c_.Database().conditions, id); }
TCommandText& TCommandText::Animation(int64_t id) { return Entry(c_.Database().animations, id); }
TCommandText& TCommandText::Class(int64_t id) { return Entry(c_.Database().classes, id); }
TCommandText& TCommandText::BattleCommand(int64_t id) { return Entry(c_.Database().battle.commands, id); }
TCommandText& TCommandText::Terrain(int64_t id) { return Entry(c_.Database().terrain, id); }
TCommandText& TCommandText::Tileset(int64_t id) { return Entry(c_.Database().tilesets, id); }
TCommandText& TCommandText::CommonEvent(int64_t id) { return Entry(c_.Database().commonEvents, id); }

TCommandText& TCommandText::MapName(int64_t id) {
  const TCatalogItem* node = id > 0 && c_.MapTree ? Find(*c_.MapTree, id) : nullptr;
  return *this << (node ? std::string_view(node->name) : std::string_view("?"));
}

TCommandText& TCommandText::EventName(int64_t id) {
  switch (id) {
    case 10001:
      return *this << "Hero";
    case 10002:
      return *this << "Skiff";
    case 10003:
      return *this << "Ship";
    case 10004:
      return *this << "Airship";
    case 10005:
      return *this << "This Event";
    default:
      break;
  }
  // The edited event shows the name typed in the editor, even before the map holds it.
  if (c_.Event && c_.EventId != 0 && id == static_cast<int64_t>(c_.EventId)) return *this << c_.Event->name;
  const TCatalogItem* event = c_.Map ? Find(c_.Map->events, id) : nullptr;
  return *this << (event ? std::string_view(event->name) : std::string_view("?"));
}

TCommandText& TCommandText::Enemy(int64_t index) {
  const TLcfMonGroupItem* troop = c_.Troop;
  if (!troop || index >= troop->members.Count()) return F("%d", index + 1) << ":?";
  if (index < 0) return *this << "All Enemies";
  const TLcfMonGroupMonsterItem* member = troop->members.ItemAt(static_cast<int>(index));
  F("%d", index + 1) << ":";
  return Entry(c_.Database().monsters, member->monsterId);
}

TCommandText& TCommandText::Party(int64_t id) { return id < 0 ? *this << "Entire Party" : Hero(id); }

TCommandText& TCommandText::Who(int64_t kind, int64_t value) {
  if (kind == 0) return *this << "Entire Party";
  if (kind == 1) return Hero(value);
  if (kind == 2) return V(value);
  return *this;
}

TCommandText& TCommandText::Amount(int64_t kind, int64_t value) {
  if (kind == 0) return *this << value;
  if (kind == 1) return V(value);
  return *this;
}

TCommandText& TCommandText::Position(int64_t kind, int64_t x, int64_t y) {
  if (kind == 0) return F("(%.3d,%.3d)", x, y);
  if (kind == 1) return F("(V[%.4d],V[%.4d])", x, y);
  return *this;
}

TCommandText& TCommandText::EraseTransition(int64_t n) {
  if (n == -1) return *this << "Use Default";
  return PickFrom(n, kEraseTransitions, std::size(kEraseTransitions));
}

TCommandText& TCommandText::ShowTransition(int64_t n) {
  if (n == -1) return *this << "Use Default";
  return PickFrom(n, kShowTransitions, std::size(kShowTransitions));
}

TCommandText& TCommandText::ItemList(int first) {
  for (int i = first; i < count(); ++i) {
    if (i > first) *this << ", ";
    Item(p(i));
  }
  return *this;
}

}  // namespace tess
