#include "cli/FileKinds.h"

#include "core/StreamUtils.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"

namespace tess::cli {

namespace {

// A kind whose model offers LoadFromBytes and SaveToBytes, with its summary function.
template <class TModel>
TFileKind Kind(const char* magic, const char* name, std::string (*summary)(const TModel&)) {
  return TFileKind{magic, name,
                   [summary](const Bytes& data) {
                     TModel model;
                     model.LoadFromBytes(data);
                     return summary(model);
                   },
                   [](const Bytes& data) {
                     TModel model;
                     model.LoadFromBytes(data);
                     return model.SaveToBytes();
                   }};
}

}  // namespace

const std::vector<TFileKind>& FileKinds() {
  static const std::vector<TFileKind> kinds = {
      Kind<TLcfMapTree>(kMapTreeMagic, "map tree", DescribeMapTree),
      Kind<TLcfMap>(kMapMagic, "map", DescribeMap),
  };
  return kinds;
}

std::optional<std::string> ReadMagic(const Bytes& data) {
  try {
    TByteReader r(data.data(), data.size());
    return r.ReadString();
  } catch (const EReadError&) {
    return std::nullopt;
  }
}

const TFileKind* FindFileKind(const Bytes& data) {
  std::optional<std::string> magic = ReadMagic(data);
  if (!magic) return nullptr;
  for (const TFileKind& kind : FileKinds())
    if (*magic == kind.magic) return &kind;
  return nullptr;
}

}  // namespace tess::cli
