#include "maps/MapEventList.h"

#include <algorithm>
#include <cstdio>

namespace tess {

namespace {

constexpr const char* kTriggers[] = {"Action Key", "Touched by Hero", "Collision with Hero", "Auto-Start",
                                     "Parallel Process"};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool Contains(std::string_view text, std::string_view part) {
  return std::search(text.begin(), text.end(), part.begin(), part.end(),
                     [](char a, char b) { return Lower(a) == Lower(b); }) != text.end();
}

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace

std::string EventTriggerName(int trigger) {
  if (trigger >= 0 && trigger < static_cast<int>(std::size(kTriggers))) return kTriggers[trigger];
  return "Trigger " + std::to_string(trigger);
}

std::string EventGraphicText(const TLcfEventPageItem& page) {
  if (!page.graphicName.empty()) return page.graphicName + " #" + std::to_string(page.graphicIndex);
  if (page.graphicIndex == 0) return "(None)";
  return "Tile " + std::to_string(10000 + page.graphicIndex);
}

TMapEventRow MapEventRow(const TLcfEventItem& event) {
  TMapEventRow row;
  row.id = event.Id();
  row.name = event.name;
  row.x = event.x;
  row.y = event.y;
  row.pages = event.pages.Count();
  if (const TLcfEventPageItem* first = event.pages.ItemAt(0)) {
    row.trigger = EventTriggerName(first->trigger);
    row.graphic = EventGraphicText(*first);
  }
  return row;
}

bool MapEventRowMatches(const TMapEventRow& row, std::string_view filter) {
  filter = Trimmed(filter);
  if (filter.empty()) return true;
  char id[16];
  std::snprintf(id, sizeof id, "%.4d", static_cast<int>(row.id));
  return Contains(id, filter) || Contains(row.name, filter) || Contains(row.trigger, filter) ||
         Contains(row.graphic, filter);
}

std::vector<TMapEventRow> ListMapEvents(const TLcfMap& map, std::string_view filter) {
  std::vector<TMapEventRow> rows;
  for (int i = 0; i < map.events.Count(); ++i) {
    TMapEventRow row = MapEventRow(*map.events.ItemAt(i));
    if (MapEventRowMatches(row, filter)) rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace tess
