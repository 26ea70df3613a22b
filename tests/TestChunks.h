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

// The chunk whose id was just read: its size and body.
inline TChunk ReadChunk(TByteReader& r, int32_t id) {
  const size_t size = r.ReadLength();
  TChunk chunk{id, Bytes(r.Here(), r.Here() + size)};
  r.Skip(size);
  return chunk;
}

inline void WriteChunks(TByteWriter& w, const std::vector<TChunk>& chunks) {
  for (const TChunk& c : chunks) {
    w.WriteInt(c.id);
    w.WriteInt(static_cast<int32_t>(c.body.size()));
    w.WriteBytes(c.body.data(), c.body.size());
  }
}

inline std::vector<TChunk> TopChunks(const Bytes& record, size_t start = 0) {
  std::vector<TChunk> chunks;
  TByteReader r(record.data(), record.size());
  r.SetPos(start);
  for (int32_t id = r.ReadInt(); id != 0; id = r.ReadInt()) chunks.push_back(ReadChunk(r, id));
  return chunks;
}

// The chunks of a record encoded back, with their closing 0.
inline Bytes EncodeChunks(const std::vector<TChunk>& chunks) {
  Bytes out;
  TByteWriter w(out);
  WriteChunks(w, chunks);
  w.WriteByte(0);
  return out;
}

// The items of an encoded list: each id with its record's bytes.
struct TListItem {
  int32_t id;
  Bytes record;
};

inline std::vector<TListItem> ListItems(const Bytes& list) {
  std::vector<TListItem> items;
  TByteReader r(list.data(), list.size());
  const int32_t count = r.ReadInt();
  for (int32_t i = 0; i < count; ++i) {
    const int32_t id = r.ReadInt();
    const size_t start = r.Pos();
    for (int32_t chunk = r.ReadInt(); chunk != 0; chunk = r.ReadInt()) r.Skip(r.ReadLength());
    items.push_back(
        {id, Bytes(list.begin() + static_cast<ptrdiff_t>(start), list.begin() + static_cast<ptrdiff_t>(r.Pos()))});
  }
  return items;
}

inline Bytes EncodeList(const std::vector<TListItem>& items) {
  Bytes out;
  TByteWriter w(out);
  w.WriteInt(static_cast<int32_t>(items.size()));
  for (const TListItem& item : items) {
    w.WriteInt(item.id);
    w.WriteBytes(item.record.data(), item.record.size());
  }
  return out;
}

// One step into an encoded record: the chunk with this id, and when that chunk holds a list, the
// item with the given id of that list (0: the chunk itself).
struct TChunkStep {
  int32_t chunk;
  int32_t item = 0;
};

// The record with the body of the chunk at the end of path replaced by change(body); every size on
// the way is written anew.
template <class Change>
Bytes RewriteChunk(const Bytes& record, const std::vector<TChunkStep>& path, Change change, size_t step = 0) {
  std::vector<TChunk> chunks = TopChunks(record);
  for (TChunk& c : chunks) {
    if (c.id != path[step].chunk) continue;
    if (step + 1 == path.size() && path[step].item == 0) {
      c.body = change(c.body);
    } else if (path[step].item == 0) {
      c.body = RewriteChunk(c.body, path, change, step + 1);
    } else {
      std::vector<TListItem> items = ListItems(c.body);
      for (TListItem& item : items)
        if (item.id == path[step].item)
          item.record =
              step + 1 == path.size() ? change(item.record) : RewriteChunk(item.record, path, change, step + 1);
      c.body = EncodeList(items);
    }
  }
  return EncodeChunks(chunks);
}

// The top-level chunks of a database file (a run of chunks after its magic string, with no closing
// 0), and a database file made of chunks.
inline std::vector<TChunk> DataBaseChunks(const Bytes& file) {
  std::vector<TChunk> chunks;
  TByteReader r(file.data(), file.size());
  r.ReadString();
  while (!r.AtEnd()) chunks.push_back(ReadChunk(r, r.ReadInt()));
  return chunks;
}

inline Bytes EncodeDataBase(const std::vector<TChunk>& chunks) {
  Bytes out;
  TByteWriter w(out);
  w.WriteString("LcfDataBase");
  WriteChunks(w, chunks);
  return out;
}

// The database file with the body of top-level chunk id replaced by change(body).
template <class Change>
Bytes RewriteDataBaseChunk(const Bytes& file, int32_t id, Change change) {
  std::vector<TChunk> chunks = DataBaseChunks(file);
  for (TChunk& c : chunks)
    if (c.id == id) c.body = change(c.body);
  return EncodeDataBase(chunks);
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
