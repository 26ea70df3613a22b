#pragma once
// Map events: an event has a position and one or more pages; a page has preconditions, a graphic,
// movement and trigger settings, a custom move route and a script.

#include <string>

#include "core/Catalog.h"
#include "events/LD_EventScript.h"
#include "events/LD_MoveRoute.h"

namespace tess {

// The preconditions of a page. flags says which of them apply.
class TLcfEventCondition : public TCatalogBaseItem {
 public:
  enum : uint8_t {
    kSwitchA = 1 << 0,
    kSwitchB = 1 << 1,
    kVariable = 1 << 2,
    kItem = 1 << 3,
    kHero = 1 << 4,
    kTimer1 = 1 << 5,
    kTimer2 = 1 << 6,
  };

  TLcfEventCondition() { Reset(); }

  uint8_t flags{};
  int32_t switchAId{};
  int32_t switchBId{};
  int32_t variableId{};
  int32_t variableValue{};
  int32_t itemId{};
  int32_t heroId{};
  int32_t timer1Seconds{};
  int32_t timer2Seconds{};
  int32_t variableCompare{};

  void DescribeChunks(TCatalogVarData& v) override;
};

// A page of a map event; pages are numbered 1..n within their event.
class TLcfEventPageItem : public TLcfBaseEventPageItem {
 public:
  TLcfEventCondition condition;
  std::string graphicName;  // character sheet; empty: the page shows an upper-layer tile
  int32_t graphicIndex = 0;
  uint8_t direction = 2;
  int32_t pattern = 1;
  uint8_t transparent = 0;
  uint8_t moveType = 0;
  int32_t moveFrequency = 3;
  uint8_t trigger = 0;
  uint8_t layer = 0;
  uint8_t forbidOverlap = 0;
  uint8_t animationType = 0;
  int32_t moveSpeed = 3;
  TLcfMoveRoute moveRoute;

  // Changes the graphic. Going from a tile to a sheet moves a page below the hero to the hero's
  // layer; going from a sheet to a tile moves it back; either change resets the animation type.
  void ChangeGraphic(const std::string& name, int32_t index);

  void DescribeChunks(TCatalogVarData& v) override;
};

class TLcfEventPage : public TCatalogOf<TLcfEventPageItem> {
 public:
  TLcfEventPage() : TCatalogOf("Event script referenced an event page that does not exist.", "page") {}
};

// An event of a map, numbered by its id within the map.
class TLcfEventItem : public TCatalogItem {
 public:
  int32_t x = 0;
  int32_t y = 0;
  TLcfEventPage pages;

  // A reset event has no name, stands at 0, 0 and has one fresh page 1.
  void DescribeChunks(TCatalogVarData& v) override;
};

class TLcfEvent : public TCatalogOf<TLcfEventItem> {
 public:
  TLcfEvent() : TCatalogOf("Event script referenced an event that does not exist.", "event") {}

 protected:
  const char* ListName() const override { return "map events"; }
};

// The name the editor proposes for a new event.
std::string DefaultEventName(int32_t id);

}  // namespace tess
