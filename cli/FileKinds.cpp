#include "cli/FileKinds.h"

#include "core/StreamUtils.h"
#include "database/DataBaseObj.h"
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

// The database: a round trip writes the same data without counting a save.
TFileKind DataBaseKind() {
  return TFileKind{kDataBaseMagic, "database",
                   [](const Bytes& data) {
                     TLcfDataBase db;
                     db.LoadFromMemory(data, true);
                     return DescribeDatabase(db);
                   },
                   [](const Bytes& data) {
                     TLcfDataBase db;
                     db.LoadFromMemory(data, true);
                     return db.SaveToMemory(TCatalogVarData::Mode::Copy);
                   }};
}

}  // namespace

const std::vector<TFileKind>& FileKinds() {
  static const std::vector<TFileKind> kinds = {
      Kind<TLcfMapTree>(kMapTreeMagic, "map tree", DescribeMapTree),
      Kind<TLcfMap>(kMapMagic, "map", DescribeMap),
      DataBaseKind(),
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
