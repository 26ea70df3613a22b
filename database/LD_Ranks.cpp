#include "database/LD_Ranks.h"

#include <algorithm>

#include "database/DataBaseLinks.h"

namespace tess {

uint8_t ByteAt(const std::vector<uint8_t>& array, int index, uint8_t fallback) {
  if (index < 0 || static_cast<size_t>(index) >= array.size()) return fallback;
  return array[static_cast<size_t>(index)];
}

void SetByteAt(std::vector<uint8_t>& array, int index, uint8_t value) {
  if (index < 0 || static_cast<size_t>(index) >= array.size()) return;
  array[static_cast<size_t>(index)] = value;
}

void ResizeBytes(std::vector<uint8_t>& array, int32_t& count, int n, uint8_t fill) {
  array.resize(static_cast<size_t>(std::max(0, n)), fill);
  count = static_cast<int32_t>(array.size());
}

void TrimBytes(std::vector<uint8_t>& array, int32_t& count, uint8_t neutral, int limit) {
  size_t keep = array.size();
  while (keep > 0 && array[keep - 1] == neutral) --keep;
  if (limit >= 0) keep = std::min(keep, static_cast<size_t>(limit));
  array.resize(keep);
  count = static_cast<int32_t>(keep);
}

namespace {
const TDataBaseLinks* currentLinks = nullptr;
}

const TDataBaseLinks* CurrentDataBaseLinks() { return currentLinks; }
void SetCurrentDataBaseLinks(const TDataBaseLinks* links) { currentLinks = links; }

}  // namespace tess
