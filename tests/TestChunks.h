#pragma once
// Test helpers: the top-level chunks of an encoded record, as (id, body) pairs in stored order.

#include <utility>
#include <vector>

#include "core/Catalog.h"

namespace tess::test {

struct TChunk {
  int32_t id;
  Bytes body;
};

inline std::vector<TChunk> TopChunks(const Bytes& record, size_t start = 0) {
  std::vector<TChunk> chunks;
  TByteReader r(record.data(), record.size());
  r.SetPos(start);
  for (;;) {
    int32_t id = r.ReadInt();
    if (id == 0) break;
    size_t size = r.ReadLength();
    chunks.push_back({id, Bytes(r.Here(), r.Here() + size)});
    r.Skip(size);
  }
  return chunks;
}

inline std::vector<int32_t> ChunkIds(const std::vector<TChunk>& chunks) {
  std::vector<int32_t> ids;
  for (const TChunk& c : chunks) ids.push_back(c.id);
  return ids;
}

inline const TChunk* FindChunk(const std::vector<TChunk>& chunks, int32_t id) {
  for (const TChunk& c : chunks)
    if (c.id == id) return &c;
  return nullptr;
}

inline Bytes Encode(TCatalogBaseItem& record, TCatalogVarData::Mode mode = TCatalogVarData::Mode::Copy) {
  Bytes out;
  record.SaveTo(out, mode);
  return out;
}

template <class T>
void Decode(T& record, const Bytes& bytes) {
  TByteReader r(bytes.data(), bytes.size());
  record.LoadFrom(r);
}

}  // namespace tess::test
