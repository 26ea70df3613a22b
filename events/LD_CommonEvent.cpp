#include "events/LD_CommonEvent.h"

namespace tess {

void TLcfCommonEventItem::DescribeChunks(TCatalogVarData& v) {
  v.String(1, name);
  v.Byte(11, trigger, kCall);
  v.Flag(12, useSwitch, 0);
  v.Integer(13, switchId, 1);
  DescribeScript(v, 21, 22);
}

}  // namespace tess
