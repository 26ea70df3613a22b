#include "database/LD_Attrib.h"

namespace tess {

void TLcfAttribItem::DescribeChunks(TCatalogVarData& v) {
  v.String(1, name);
  v.Byte(2, attributeType);
  v.Integer(11, rateA, 300);
  v.Integer(12, rateB, 200);
  v.Integer(13, rateC, 100);
  v.Integer(14, rateD, 50);
  v.Integer(15, rateE, 0);
}

int32_t TLcfAttribItem::RateForRank(int rank) const {
  switch (rank) {
    case 0:
      return rateA;
    case 1:
      return rateB;
    case 2:
      return rateC;
    case 3:
      return rateD;
    case 4:
      return rateE;
    default:
      return 0;
  }
}

}  // namespace tess
