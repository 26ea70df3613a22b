#include "database/LD_ChipSet.h"

#include <algorithm>

namespace tess {

namespace {
template <class T, size_t N>
bool AllEqual(const T (&array)[N], size_t from, T value) {
  return std::all_of(array + from, array + N, [value](T x) { return x == value; });
}
}  // namespace

void TLcfChipSetItem::DescribeChunks(TCatalogVarData& v) {
  // Every tile kind starts on terrain 1 and passable in all four directions; the empty upper tile
  // also carries the star flag.
  v.String(1, name);
  v.String(2, chipSetFile);
  if (!v.Writing() || !AllEqual(terrain, 0, uint16_t{1}))
    v.FixedArray(3, terrain, [](void* t) { std::fill_n(static_cast<uint16_t*>(t), kLowerChipKinds, 1); });
  if (!v.Writing() || !AllEqual(lowerFlags, 0, kDefaultChipFlags))
    v.FixedArray(4, lowerFlags,
                 [](void* f) { std::fill_n(static_cast<uint8_t*>(f), kLowerChipKinds, kDefaultChipFlags); });
  if (!v.Writing() || !AllEqual(upperFlags, 1, kDefaultChipFlags))
    v.FixedArray(5, upperFlags, [](void* f) {
      std::fill_n(static_cast<uint8_t*>(f), kUpperChips, kDefaultChipFlags);
      static_cast<uint8_t*>(f)[0] = kEmptyUpperChipFlags;
    });
  v.Integer(11, waterSequence, 0);
  v.Integer(12, waterSpeed, 0);
}

int TLcfChipSetItem::GetTerrain(int index) const { return index >= 0 && index < kLowerChipKinds ? terrain[index] : 0; }
void TLcfChipSetItem::SetTerrain(int index, int value) {
  if (index >= 0 && index < kLowerChipKinds) terrain[index] = static_cast<uint16_t>(value);
}
int TLcfChipSetItem::GetLowerFlags(int index) const {
  return index >= 0 && index < kLowerChipKinds ? lowerFlags[index] : 0;
}
void TLcfChipSetItem::SetLowerFlags(int index, int value) {
  if (index >= 0 && index < kLowerChipKinds) lowerFlags[index] = static_cast<uint8_t>(value);
}
int TLcfChipSetItem::GetUpperFlags(int index) const {
  return index >= 0 && index < kUpperChips ? upperFlags[index] : 0;
}
void TLcfChipSetItem::SetUpperFlags(int index, int value) {
  if (index >= 0 && index < kUpperChips) upperFlags[index] = static_cast<uint8_t>(value);
}

}  // namespace tess
