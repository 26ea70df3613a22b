#include "maps/MapClipboard.h"

#include "core/StreamUtils.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "maps/MapProperties.h"

namespace tess {

Bytes EncodeMapBlock(const std::string& name, TLcfMap& map, TLcfMapTreeItem& item) {
  Bytes data;
  TByteWriter w(data);
  w.WriteString(name);
  map.SaveTo(data);
  item.SaveTo(data);
  Bytes block;
  TByteWriter b(block);
  b.WriteU32(static_cast<uint32_t>(data.size()));
  b.WriteBytes(data.data(), data.size());
  return block;
}

void DecodeMapBlock(const Bytes& block, std::string& name, TLcfMap& map, TLcfMapTreeItem& item) {
  TByteReader outer(block.data(), block.size());
  const uint32_t n = outer.ReadU32();
  if (n > outer.Remaining()) throw EReadError();
  // The three records fill the counted bytes exactly; what a clipboard adds after them is not ours.
  TByteReader r(outer.Here(), n);
  name = r.ReadString();
  map.LoadFrom(r);
  item.LoadFrom(r);
  if (!r.AtEnd()) throw EReadError();
}

std::string PastedMapName(const std::string& name, int32_t newId) {
  if (name.size() != 7 || name.compare(0, 3, "MAP") != 0) return name;
  const std::string number = name.substr(3);
  size_t digits = number[0] == '+' || number[0] == '-' ? 1 : 0;
  if (digits == number.size() || number.find_first_not_of("0123456789", digits) != std::string::npos) return name;
  if (std::stoi(number) <= 0) return name;
  return DefaultMapName(newId);
}

}  // namespace tess
