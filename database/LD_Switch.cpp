#include "database/LD_Switch.h"

#include <cstdio>

namespace tess {

std::string EntryCaption(int32_t id, const std::string& name) {
  char number[16];
  std::snprintf(number, sizeof number, "%.4d", static_cast<int>(id));
  return name.empty() ? std::string(number) : std::string(number) + ":" + name;
}

void TLcfSwitchItem::DescribeChunks(TCatalogVarData& v) { v.String(1, name); }

void TLcfVariableItem::DescribeChunks(TCatalogVarData& v) { v.String(1, name); }

}  // namespace tess
