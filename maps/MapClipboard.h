#pragma once
// The clipboard form of a whole map: its tree node's name, the map record as a map file holds it
// (without the magic) and the tree item's record, behind the byte count of the three.

#include <cstdint>
#include <string>

#include "core/Stream.h"

namespace tess {

class TLcfMap;
class TLcfMapTreeItem;

// The private clipboard format of maps.
inline constexpr int kMapClipboardFormat = 568;

Bytes EncodeMapBlock(const std::string& name, TLcfMap& map, TLcfMapTreeItem& item);

// Parses a whole block into name, map and item. A damaged block raises EReadError; the three
// then hold whatever was read, so callers parse into objects of their own and use them only when
// this returns.
void DecodeMapBlock(const Bytes& block, std::string& name, TLcfMap& map, TLcfMapTreeItem& item);

// The name a pasted map takes as map newId: a name of the form "MAP" and four digits naming a map
// (above 0) is renamed after the new id; any other name stays.
std::string PastedMapName(const std::string& name, int32_t newId);

}  // namespace tess
