#pragma once
// Common events: scripts stored in the database, started by a call, automatically or in parallel.

#include "events/LD_EventScript.h"

namespace tess {

class TLcfCommonEventItem : public TLcfBaseEventPageItem {
 public:
  enum : uint8_t { kAutoStart = 3, kParallel = 4, kCall = 5 };

  uint8_t trigger = kCall;
  uint8_t useSwitch = 0;  // the trigger also needs switchId to be ON (not for kCall)
  int32_t switchId = 1;

  void DescribeChunks(TCatalogVarData& v) override;
};

class TLcfCommonEvent : public TCatalogOf<TLcfCommonEventItem> {
 public:
  TLcfCommonEvent() : TCatalogOf("Event script referenced a common event that does not exist.", "common event") {}
};

}  // namespace tess
