// Loads map files from arbitrary bytes. A map that loads, and what a lenient load keeps of one that
// does not, must hold exactly width x height cells on both layers, answer every cell read, and save
// and reload to the same bytes.
#include <cstdlib>

#include "maps/LD_Map.h"

namespace {

using namespace tess;

// Whole layers of width x height cells that answer every read, and a map that saves and loads back
// to the same bytes.
void CheckWholeMap(TLcfMap& map) {
  const size_t cells = static_cast<size_t>(map.width) * static_cast<size_t>(map.height);
  if (map.width <= 0 || map.height <= 0 || map.lower.cells.size() != cells || map.upper.cells.size() != cells)
    std::abort();
  for (int probe : {-1, 0, 1}) {
    map.lower.GetCell(probe * map.width - 1, probe * map.height + 3);
    map.upper.GetCell(-100000, 100000);
  }
  // Stored forms settle after one save (a few fields read back as their reset value rather than
  // the value a file stored); from then on saving and loading changes nothing.
  Bytes once = map.SaveToBytes();
  TLcfMap again;
  again.LoadFromBytes(once);
  Bytes twice = again.SaveToBytes();
  TLcfMap third;
  third.LoadFromBytes(twice);
  if (third.SaveToBytes() != twice) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Bytes bytes(data, data + size);
  TLcfMap map;
  try {
    map.LoadFromBytes(bytes);
  } catch (const ETessError&) {
    // A failed load leaves a reset map.
    if (map.width != 20 || map.lower.cells.size() != 300 || map.events.Count() != 0) std::abort();
    // What a lenient load keeps of a damaged file (as the editor's quiet mode does) is a whole map
    // of its own, which saves and loads back clean.
    try {
      LoadRecordBytes(bytes, kMapMagic, map);
    } catch (const EReadError&) {
    }
    CheckWholeMap(map);
    return 0;
  }
  CheckWholeMap(map);
  return 0;
}
