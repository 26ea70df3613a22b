#include "tools/rtpgen/DemoKit.h"

namespace tess::rtp::demo {

void TPainter::FillLower(int x, int y, int w, int h, int id) {
  for (int row = y; row < y + h; ++row)
    for (int col = x; col < x + w; ++col) SetLower(col, row, id);
}

void TPainter::Object(int x, int y, int first, int w, int h) {
  for (int row = 0; row < h; ++row)
    for (int col = 0; col < w; ++col) SetUpper(x + col, y + row, Upper(first + row * kPaletteRow + col));
}

void TPainter::FaceRow(int x, int y, int w, int left, int middle, int right) {
  for (int col = 0; col < w; ++col) SetLower(x + col, y, Lower(col == 0 ? left : col == w - 1 ? right : middle));
}

void TPainter::Face(int x, int y, int w, int top) {
  FaceRow(x, y, w, top, top + 1, top + 2);
  const int bottom = top + kPaletteRow;
  FaceRow(x, y + 1, w, bottom, bottom + 1, bottom + 2);
}

void TPainter::Sprinkle(int x, int y, int w, int h, int where, int what, int every, uint32_t salt) {
  for (int row = y; row < y + h; ++row)
    for (int col = x; col < x + w; ++col)
      if (LowerAt(col, row) == where && CellHash(col, row, salt) % uint32_t(every) == 0) SetLower(col, row, what);
}

uint32_t CellHash(int x, int y, uint32_t salt) {
  uint32_t h = uint32_t(x) * 0x9E3779B1u ^ uint32_t(y) * 0x85EBCA77u ^ salt * 0xC2B2AE3Du;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

// ---------------------------------------------------------------------------------------------
// Scripts

TScript& TScript::Line(int32_t code, std::string text, std::vector<int32_t> params) {
  lines_.emplace_back(code, indent_, std::move(text), std::move(params));
  return *this;
}

void TScript::Branch(const TBranch& body) {
  ++indent_;
  if (body) body(*this);
  Line(10);
  --indent_;
}

TScript& TScript::Message(std::initializer_list<std::string> lines) {
  bool first = true;
  for (const std::string& text : lines) {
    Line(first ? 10110 : 20110, text);
    first = false;
  }
  return *this;
}

TScript& TScript::Face(const std::string& sheet, int index, bool right) {
  return Line(10130, sheet, {index, right ? 1 : 0, 0});
}

TScript& TScript::EraseFace() { return Line(10130, "", {0, 0, 0}); }

TScript& TScript::Teleport(int32_t mapId, int x, int y, int facing) { return Line(10810, "", {mapId, x, y, facing}); }

TScript& TScript::SwitchOn(int32_t switchId) { return Line(10210, "", {0, switchId, switchId, 0}); }

TScript& TScript::AddItem(int32_t itemId, int count) { return Line(10320, "", {0, 0, itemId, 0, count}); }

TScript& TScript::AddMoney(int amount) { return Line(10310, "", {0, 0, amount}); }

TScript& TScript::Sound(const std::string& name) { return Line(11550, name, {100, 100, 50}); }

TScript& TScript::Battle(int32_t troopId, bool canEscape) {
  // Background of the map or terrain, no handlers: escaping ends the event, defeat ends the game.
  return Line(10710, "", {0, troopId, 0, canEscape ? 1 : 0, 0, 0, 0, 0, 0});
}

TScript& TScript::Choices(const std::vector<std::pair<std::string, TBranch>>& choices) {
  std::string joined;
  for (const auto& choice : choices) joined += (joined.empty() ? "" : "/") + choice.first;
  Line(10140, joined, {int32_t(choices.size())});
  for (size_t i = 0; i < choices.size(); ++i) {
    Line(20140, choices[i].first, {int32_t(i)});
    Branch(choices[i].second);
  }
  return Line(20141);
}

TScript& TScript::Inn(int price, const TBranch& stayed, const TBranch& left) {
  Line(10730, "", {0, price, 1});
  Line(20730);
  Branch(stayed);
  Line(20731);
  Branch(left);
  return Line(20732);
}

TScript& TScript::Shop(const std::vector<int32_t>& goods) {
  std::vector<int32_t> params = {0, 0, 0, 0};
  params.insert(params.end(), goods.begin(), goods.end());
  return Line(10720, "", std::move(params));
}

TScript& TScript::CallCommonEvent(int32_t id) { return Line(12330, "", {0, id, 0}); }

TScript& TScript::EraseEvent() { return Line(12320); }

void TScript::WriteTo(TLcfEventScriptList& script) const {
  script.ClearLines();
  for (const TLcfEventScriptLine& line : lines_) script.AppendLine(line);
  script.AppendLine(TLcfEventScriptLine(0, 0));
}

// ---------------------------------------------------------------------------------------------
// Events

TLcfEventItem& AddEvent(TLcfMap& map, const std::string& name, int x, int y) {
  TLcfEventItem* event = map.events.Append();
  event->name = name;
  event->x = x;
  event->y = y;
  event->pages.Clear();
  return *event;
}

TLcfEventPageItem& AddPage(TLcfEventItem& event, const TPageLook& look, const TScript& script) {
  TLcfEventPageItem* page = event.pages.Append();
  page->graphicName = look.sheet;
  page->graphicIndex = look.index;
  page->direction = look.facing;
  page->trigger = uint8_t(look.trigger);
  page->layer = uint8_t(look.layer);
  page->moveType = uint8_t(look.move);
  page->moveSpeed = look.speed;
  if (look.fixedGraphic) page->animationType = 4;  // "Fixed Graphic": objects keep their frame
  if (look.switchCondition != 0) {
    page->condition.flags = TLcfEventCondition::kSwitchA;
    page->condition.switchAId = look.switchCondition;
  }
  script.WriteTo(page->lines);
  return *page;
}

void AddExit(TLcfMap& map, const std::string& name, int x, int y, int32_t toMap, int toX, int toY, int facing) {
  TPageLook look;
  look.trigger = TTrigger::Touched;
  look.layer = TLayer::Below;
  AddPage(AddEvent(map, name, x, y), look, TScript().Teleport(toMap, toX, toY, facing));
}

}  // namespace tess::rtp::demo
