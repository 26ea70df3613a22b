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
  v.String(1, name);
  v.String(2, chipSetFile);
  if (!v.Writing() || !AllEqual(terrain, 0, uint16_t{1})) v.FixedArray(3, terrain);
  if (!v.Writing() || !AllEqual(lowerFlags, 0, kDefaultChipFlags)) v.FixedArray(4, lowerFlags);
  if (!v.Writing() || !AllEqual(upperFlags, 1, kDefaultChipFlags)) v.FixedArray(5, upperFlags);
  v.Integer(11, waterSequence, 0);
  v.Integer(12, waterSpeed, 0);
}

void TLcfChipSetItem::Reset() {
  TCatalogBaseItem::Reset();
  std::fill_n(terrain, kLowerChipKinds, 1);
  std::fill_n(lowerFlags, kLowerChipKinds, kDefaultChipFlags);
  std::fill_n(upperFlags, kUpperChips, kDefaultChipFlags);
  upperFlags[0] = kEmptyUpperChipFlags;
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
