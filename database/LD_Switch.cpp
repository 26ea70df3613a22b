#include "database/LD_Switch.h"

namespace tess {

void TLcfSwitchItem::DescribeChunks(TCatalogVarData& v) { v.String(1, name); }

void TLcfVariableItem::DescribeChunks(TCatalogVarData& v) { v.String(1, name); }

}  // namespace tess
