#include "cli/FileKinds.h"

#include "core/StreamUtils.h"
#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"

namespace tess::cli {

namespace {

// A kind whose model offers LoadFromBytes and SaveToBytes, with its summary function.
template <class TModel>
TFileKind Kind(const char* magic, const char* name, TFileLayout layout, std::string (*summary)(const TModel&)) {
  return TFileKind{magic, name, std::move(layout),
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
  // The top level is a run of chunks that ends with the file, without a closing 0.
  return TFileKind{kDataBaseMagic,
                   "database",
                   {{TFilePart::ChunkRun}},
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
      Kind<TLcfMapTree>(kMapTreeMagic, "map tree",
                        {{TFilePart::List, "nodes"},
                         {TFilePart::IntegerList, "order"},
                         {TFilePart::Integer, "current node"},
                         {TFilePart::Record, "start positions"}},
                        DescribeMapTree),
      Kind<TLcfMap>(kMapMagic, "map", {{TFilePart::Record}}, DescribeMap),
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

std::string ShownBytes(const std::string& bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string shown;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F && c != '\\' && c != '"') {
      shown += static_cast<char>(c);
    } else {
      shown += "\\x";
      shown += kHex[c >> 4];
      shown += kHex[c & 15];
    }
  }
  return shown;
}

const TFileKind* FindFileKind(const Bytes& data) {
  std::optional<std::string> magic = ReadMagic(data);
  if (!magic) return nullptr;
  for (const TFileKind& kind : FileKinds())
    if (*magic == kind.magic) return &kind;
  return nullptr;
}

}  // namespace tess::cli
