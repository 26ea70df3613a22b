#pragma once
// The rows of the map events pane: one per event of a map in id order, with what helps an author
// find and tidy them (name, cell, page count, the first page's trigger and graphic), and the
// filter that narrows them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "maps/LD_Map.h"

namespace tess {

struct TMapEventRow {
  int32_t id = 0;
  std::string name;  // stored bytes
  int32_t x = 0;
  int32_t y = 0;
  int pages = 0;
  std::string trigger;  // the first page's trigger; empty for an event without pages
  std::string graphic;  // the first page's sheet and character, or its upper-layer tile
};

// "Action Key" .. "Parallel Process"; a value other tools stored outside them reads "Trigger N".
std::string EventTriggerName(int trigger);
// "Sheet #3" (character 3 of a sheet), "Tile 10012" (an upper-layer tile), "(None)" for tile 10000,
// which draws nothing.
std::string EventGraphicText(const TLcfEventPageItem& page);
TMapEventRow MapEventRow(const TLcfEventItem& event);
// Whether a row shows the filter text: in its id ("0012" or "12"), name, trigger or graphic, letters
// matched without regard to case. An empty filter (or blanks only) matches every row.
bool MapEventRowMatches(const TMapEventRow& row, std::string_view filter);
// The rows of the map's events that match the filter, in id order.
std::vector<TMapEventRow> ListMapEvents(const TLcfMap& map, std::string_view filter = {});

}  // namespace tess
