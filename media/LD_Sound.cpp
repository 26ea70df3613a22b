#include "media/LD_Sound.h"

namespace tess {

void TLcfMusic::DescribeChunks(TCatalogVarData& v) {
  v.StringAlways(1, name, kNoSoundName);
  v.Integer(2, fadeIn, 0);
  v.Integer(3, volume, 100);
  v.Integer(4, tempo, 100);
  v.Integer(5, balance, 50);
}

void TLcfMusic::Assign(const TCatalogBaseItem& source) {
  auto* other = dynamic_cast<const TLcfMusic*>(&source);
  if (!other || other == this) return;
  TCatalogBaseItem::Assign(source);  // also carries chunks kept from newer files
}

void TLcfSound::DescribeChunks(TCatalogVarData& v) {
  v.StringAlways(1, name, kNoSoundName);
  v.Integer(3, volume, 100);
  v.Integer(4, tempo, 100);
  v.Integer(5, balance, 50);
}

void TLcfSound::Assign(const TCatalogBaseItem& source) {
  auto* other = dynamic_cast<const TLcfSound*>(&source);
  if (!other || other == this) return;
  TCatalogBaseItem::Assign(source);
}

}  // namespace tess
