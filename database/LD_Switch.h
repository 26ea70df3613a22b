#pragma once
// The switch and variable name lists. Event scripts refer to switches and variables by id; the
// lists only give them names.

#include <string>

#include "core/Catalog.h"
#include "core/EntryCaption.h"  // how the lists show switches and variables

namespace tess {

class TLcfSwitchItem : public TCatalogItem {
 public:
  void DescribeChunks(TCatalogVarData& v) override;
};

class TLcfSwitch : public TCatalogOf<TLcfSwitchItem> {
 public:
  TLcfSwitch() : TCatalogOf("Event script referenced a switch that does not exist.", "switch") {}
};

class TLcfVariableItem : public TCatalogItem {
 public:
  void DescribeChunks(TCatalogVarData& v) override;
};

class TLcfVariable : public TCatalogOf<TLcfVariableItem> {
 public:
  TLcfVariable() : TCatalogOf("Event script referenced a variable that does not exist.", "variable") {}
};

}  // namespace tess
