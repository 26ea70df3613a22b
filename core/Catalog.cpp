#include "core/Catalog.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <optional>
#include <typeinfo>

#include "core/ClipboardPort.h"
#include "core/ContentDamage.h"
#include "core/QuietMode.h"

namespace tess {

namespace {

// Where one chunk of a record sits in the input.
struct TChunkRef {
  int32_t id;
  uint32_t offset;  // of the body, from the start of the record
  uint32_t size;
  bool taken;
};

std::string Plural(size_t n, const char* what) { return std::to_string(n) + " " + what + (n == 1 ? "" : "s"); }

// The plural of an item noun ("event", "class", "hero", "battle event page").
std::string PluralNoun(const std::string& noun) {
  auto endsWith = [&](const char* end) {
    const size_t n = std::strlen(end);
    return noun.size() >= n && noun.compare(noun.size() - n, n, end) == 0;
  };
  if (endsWith("s") || endsWith("x") || endsWith("ch") || endsWith("sh") || endsWith("o")) return noun + "es";
  return noun + "s";
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Reset

namespace {

// The record whose load is starting: its own Reset leaves the fields to the load, which resets each
// field it does not find in the file as it goes.
thread_local const TCatalogBaseItem* pendingLoad = nullptr;

void ResetBlock(void* data, size_t bytes, TBlockReset reset) {
  if (reset)
    reset(data);
  else
    std::memset(data, 0, bytes);
}

void ResetBlock(TBlockRef block) {
  block.resize(block.owner, block.resetBytes);
  if (block.resetBytes) std::memcpy(block.data(block.owner), block.resetData, block.resetBytes);
}

void ResetList(TCatalog& list, int resetCount, TListReset init) {
  if (resetCount > 0)
    list.SetCount(resetCount);
  else
    list.Clear();
  if (init) init(list);
}

// Resets the fields from chunk id from on (all of them from 0).
class TChunkResetter final : public TCatalogVarData {
 public:
  explicit TChunkResetter(int from = 0) : TCatalogVarData(Mode::Reset), from_(from) {}

  void Integer(int id, int32_t& field, int32_t, int32_t reset) override {
    if (id >= from_) field = reset;
  }
  void IntegerAlways(int id, int32_t& field, int32_t reset) override {
    if (id >= from_) field = reset;
  }
  void IntegerAlias(int, int32_t&, int32_t) override {}
  void Flag(int id, uint8_t& field, uint8_t def) override {
    if (id >= from_) field = def;
  }
  void Byte(int id, uint8_t& field, uint8_t reset) override {
    if (id >= from_) field = reset;
  }
  void Fixed(int id, void* data, size_t bytes, TBlockReset reset, TOlderBlock, TElement) override {
    if (id >= from_) ResetBlock(data, bytes, reset);
  }
  void Block(int id, TBlockRef block) override {
    if (id >= from_) ResetBlock(block);
  }
  void String(int id, std::string& field, bool, const char* reset) override {
    if (id < from_) return;
    if (reset)
      field = reset;
    else
      field.clear();
  }
  void Record(int id, TCatalogBaseItem& record) override {
    if (id >= from_) record.Reset();
  }
  void List(int id, TCatalog& list, int resetCount, TListReset init) override {
    if (id >= from_) ResetList(list, resetCount, init);
  }

 private:
  int from_;
};

}  // namespace

const std::vector<TRawChunk>& TCatalogBaseItem::UnknownChunks() const {
  static const std::vector<TRawChunk> none;
  return unknown_ ? *unknown_ : none;
}

void TCatalogBaseItem::Reset() {
  unknown_.reset();
  if (pendingLoad == this) {
    pendingLoad = nullptr;
    return;
  }
  TChunkResetter resetter;
  DescribeChunks(resetter);
}

// ---------------------------------------------------------------------------------------------
// Loading
//
// A record is read in two steps: first the chunk headers are scanned up to the closing 0 (each body
// skipped by its size, so a size that points past the end is caught here), then the description is
// walked once, each field taking its chunk or its reset value. Nested records and lists are read
// from their chunk's body only: a damaged nested body cannot reach into the chunks that follow.

// The most bytes an integer chunk's value takes.
constexpr size_t kLongestInteger = 5;

class TChunkLoader final : public TCatalogVarData {
 public:
  // record: the reader of the record's bytes, standing at their start.
  TChunkLoader(const TByteReader& record, std::vector<TChunkRef>& chunks)
      : TCatalogVarData(Mode::Load), record_(record), base_(record.Here()), chunks_(chunks) {}

  void Integer(int id, int32_t& field, int32_t, int32_t reset) override {
    // An integer body that is empty or cut short reads as the reset value rather than failing the
    // file.
    if (!TakeInteger(id, field)) field = reset;
  }
  void IntegerAlways(int id, int32_t& field, int32_t reset) override {
    if (!TakeInteger(id, field)) field = reset;
  }
  void IntegerAlias(int id, int32_t& field, int32_t) override { TakeInteger(id, field); }
  // A flag or byte is one byte; a chunk of another size keeps the reset value (some writers store an
  // integer there). One longer than any integer swallowed the chunks after it: its size changed.
  void Flag(int id, uint8_t& field, uint8_t def) override {
    TChunkRef* c = Take(id);
    field = c && c->size == 1 ? base_[c->offset] : def;
    if (c && c->size > kLongestInteger) RequireSize(id, 1, "a flag holds 1");
  }
  void Byte(int id, uint8_t& field, uint8_t reset) override {
    TChunkRef* c = Take(id);
    field = c && c->size == 1 ? base_[c->offset] : reset;
    if (c && c->size > kLongestInteger) RequireSize(id, 1, "a byte chunk holds 1");
  }
  void Fixed(int id, void* data, size_t bytes, TBlockReset reset, TOlderBlock older, TElement) override {
    TChunkRef* c = Take(id);
    if (c && c->size == bytes) return (void)std::memcpy(data, base_ + c->offset, bytes);
    ResetBlock(data, bytes, reset);
    if (c && older) older(base_ + c->offset, c->size, data);
  }
  void Block(int id, TBlockRef block) override {
    TChunkRef* c = Take(id);
    if (!c) return ResetBlock(block);
    block.resize(block.owner, c->size);
    size_t n = std::min<size_t>(block.byteSize(block.owner), c->size);
    if (n) std::memcpy(block.data(block.owner), base_ + c->offset, n);
  }
  void String(int id, std::string& field, bool, const char* reset) override {
    if (TChunkRef* c = Take(id))
      field.assign(reinterpret_cast<const char*>(base_ + c->offset), c->size);
    else if (reset)
      field = reset;
    else
      field.clear();
  }
  // A nested record or list must end exactly where its chunk does.
  void Record(int id, TCatalogBaseItem& record) override {
    TChunkRef* c = Take(id);
    if (!c) {
      missingParts_.push_back({id, nullptr, &record, 0, nullptr});
      return record.Reset();
    }
    TByteReader body = record_.PartAt(base_ + c->offset, c->size);
    try {
      record.LoadFrom(body);
      ExpectEnd(body, "record");
    } catch (EDamagedData& e) {
      // The nested record keeps what it read before the damage, consistent with itself.
      stoppedInPart_ = true;
      e.EnterChunk(id);
      throw;
    }
  }
  void List(int id, TCatalog& list, int resetCount, TListReset init) override {
    TChunkRef* c = Take(id);
    if (!c) {
      missingParts_.push_back({id, &list, nullptr, resetCount, init});
      return ResetList(list, resetCount, init);
    }
    TByteReader body = record_.PartAt(base_ + c->offset, c->size);
    try {
      list.LoadFrom(body);
      ExpectEnd(body, "list");
    } catch (EDamagedData& e) {
      // The list keeps the items read completely before the damage.
      stoppedInPart_ = true;
      e.EnterList(id, list.ListName());
      throw;
    }
  }
  void RequireSize(int id, size_t bytes, const std::string& expected) override {
    const TChunkRef* c = Find(id);
    if (!c || c->size == bytes || sizeDamage_) return;
    sizeDamage_.emplace("the chunk holds " + Plural(c->size, "byte") + " where " + expected,
                        record_.OffsetOf(base_ + c->offset));
    sizeDamage_->EnterChunk(id);
  }

  // A chunk of the wrong size found on the way (the first one), raised after the walk.
  std::optional<EDamagedData>& SizeDamage() { return sizeDamage_; }
  // The walk stopped inside a nested record or list, which keeps what it read.
  bool StoppedInPart() const { return stoppedInPart_; }
  // Whether a chunk the record does not know is one of its nested records or lists that the file
  // does not hold, under an id one or two bits away: its body reads whole as that part. The part
  // is reset again when it does not. A body of one byte (an empty list or record, or the integer 0)
  // is what other writers' own chunks hold too, so only a part with contents counts.
  std::optional<int> ChangedPartId(const TChunkRef& unknown) {
    for (const TMissingPart& part : missingParts_) {
      if (unknown.size < 2 || __builtin_popcount(static_cast<uint32_t>(unknown.id ^ part.id)) > 2) continue;
      TByteReader body = record_.PartAt(base_ + unknown.offset, unknown.size);
      try {
        if (part.list) {
          part.list->LoadFrom(body);
          ExpectEnd(body, "list");
        } else {
          part.record->LoadFrom(body);
          ExpectEnd(body, "record");
        }
        return part.id;
      } catch (const ETessError&) {
        if (part.list)
          ResetList(*part.list, part.resetCount, part.init);
        else
          part.record->Reset();
      }
    }
    return std::nullopt;
  }

  // The id of the field described last: where a failed walk stopped.
  int LastId() const { return lastId_; }
  // Where the body of the chunk with this id begins in the whole input, or -1 when there is none.
  int64_t ChunkOffset(int id) const {
    const TChunkRef* c = Find(id);
    return c ? record_.OffsetOf(base_ + c->offset) : -1;
  }

 private:
  // The chunk with this id, without taking it (chunks_ is in ascending id order).
  const TChunkRef* Find(int id) const {
    auto it = std::lower_bound(chunks_.begin(), chunks_.end(), id, [](const TChunkRef& c, int v) { return c.id < v; });
    return it != chunks_.end() && it->id == id ? &*it : nullptr;
  }
  // The chunk with this id (the last one when the file names it twice), marked as taken. The
  // description asks for ascending ids, so a cursor finds each one without a search.
  TChunkRef* Take(int id) {
    if (id < lastId_) next_ = 0;
    lastId_ = id;
    const size_t n = chunks_.size();
    while (next_ < n && chunks_[next_].id < id) ++next_;
    if (next_ == n || chunks_[next_].id != id) return nullptr;
    chunks_[next_].taken = true;
    return &chunks_[next_];
  }
  bool TakeInteger(int id, int32_t& field) {
    TChunkRef* c = Take(id);
    if (!c) return false;
    const uint8_t* p = base_ + c->offset;
    const uint8_t* const end = p + c->size;
    uint32_t r = 0;
    while (p < end) {
      const uint8_t b = *p++;
      r = (r << 7) + (b & 0x7Fu);
      if (!(b & 0x80)) {
        field = static_cast<int32_t>(r);
        // Integers are written in chunks exactly as long as their value: bytes after it mean that
        // the chunk's size changed and it swallowed the chunks after it.
        if (p != end && !sizeDamage_) {
          sizeDamage_.emplace("the chunk holds " + Plural(c->size, "byte") + " where its integer takes " +
                                  std::to_string(p - (base_ + c->offset)),
                              record_.OffsetOf(base_ + c->offset));
          sizeDamage_->EnterChunk(id);
        }
        return true;
      }
    }
    return false;
  }

  const TByteReader& record_;
  const uint8_t* base_;
  std::vector<TChunkRef>& chunks_;
  size_t next_ = 0;
  int lastId_ = 0;
  std::optional<EDamagedData> sizeDamage_;
  bool stoppedInPart_ = false;
  struct TMissingPart {
    int id;
    TCatalog* list;
    TCatalogBaseItem* record;
    int resetCount;
    TListReset init;
  };
  std::vector<TMissingPart> missingParts_;
};

namespace {

// Chunk index buffers are reused across records; nesting takes one buffer per level.
struct TChunkIndexPool {
  std::deque<std::vector<TChunkRef>> levels;  // deque: growing keeps outer levels in place
  size_t depth = 0;
};
thread_local TChunkIndexPool chunkIndexPool;

// Records nest only as deep as their classes do; a damaged file cannot make the stack grow without
// bound because every level is confined to its parent's chunk body, but a cap keeps it cheap.
constexpr size_t kMaxNesting = 64;

class TChunkIndexLease {
 public:
  explicit TChunkIndexLease(const TByteReader& reader) {
    auto& pool = chunkIndexPool;
    if (pool.depth >= kMaxNesting) throw EDamagedData("records nest more than 64 deep", reader.Offset());
    if (pool.levels.size() <= pool.depth) pool.levels.emplace_back();
    chunks_ = &pool.levels[pool.depth++];
    chunks_->clear();
  }
  ~TChunkIndexLease() { --chunkIndexPool.depth; }
  std::vector<TChunkRef>& Chunks() { return *chunks_; }

 private:
  std::vector<TChunkRef>* chunks_;
};

}  // namespace

namespace {

// Scans the chunk headers of a record up to its closing 0. Damage found on the way is returned
// rather than raised, so that the chunks before it can still be taken.
std::optional<EDamagedData> ScanChunks(TByteReader& reader, std::vector<TChunkRef>& chunks, bool& sorted) {
  const uint8_t* const record = reader.Here();
  for (;;) {
    if (reader.AtEnd()) return EDamagedData("the record ends without its closing 0", reader.Offset());
    const int64_t at = reader.Offset();
    int32_t id;
    if (!reader.TryReadInt(id)) return EDamagedData("the data ends inside a chunk id", at);
    if (id == 0) return std::nullopt;
    int32_t size;
    if (!reader.TryReadInt(size))
      return EDamagedData("the data ends inside the size of chunk " + std::to_string(id), at);
    if (size < 0) return EDamagedData("chunk " + std::to_string(id) + " has a negative size", at);
    if (static_cast<size_t>(size) > reader.Remaining())
      return EDamagedData("chunk " + std::to_string(id) + " claims " + Plural(static_cast<size_t>(size), "byte") +
                              " where " + std::to_string(reader.Remaining()) + " are left",
                          at);
    if (!chunks.empty() && id <= chunks.back().id) sorted = false;
    chunks.push_back({id, static_cast<uint32_t>(reader.Here() - record), static_cast<uint32_t>(size), false});
    reader.Skip(static_cast<size_t>(size));
  }
}

}  // namespace

void ExpectEnd(const TByteReader& reader, const char* what) {
  if (!reader.AtEnd())
    throw EDamagedData(Plural(reader.Remaining(), "byte") + (reader.Remaining() == 1 ? " follows" : " follow") +
                           " the end of the " + what,
                       reader.Offset());
}

void TCatalogBaseItem::LoadFrom(TByteReader& reader) {
  TChunkIndexLease lease(reader);
  std::vector<TChunkRef>& chunks = lease.Chunks();
  const TByteReader record = reader.Part(reader.Remaining());
  bool sorted = true;
  std::optional<EDamagedData> damage = ScanChunks(reader, chunks, sorted);
  if (!sorted) {
    // Chunks may come in any order; for an id named twice the later chunk wins.
    std::stable_sort(chunks.begin(), chunks.end(), [](const TChunkRef& a, const TChunkRef& b) { return a.id < b.id; });
    auto last = std::unique(chunks.rbegin(), chunks.rend(),
                            [](const TChunkRef& a, const TChunkRef& b) { return a.id == b.id; });
    chunks.erase(chunks.begin(), last.base());
  }
  // What the record keeps beside its fields is reset by its own Reset; the fields by the walk.
  pendingLoad = this;
  Reset();
  pendingLoad = nullptr;
  TChunkLoader loader(record, chunks);
  try {
    DescribeChunks(loader);
  } catch (...) {
    // Nothing of the record's earlier contents stays behind the field where the walk stopped; what
    // was read before it stays, consistent with itself, and so does a nested record or list that
    // the damage lies in, with what it read before the damage.
    const int stopped = loader.LastId();
    TChunkResetter rest(loader.StoppedInPart() ? stopped + 1 : stopped);
    DescribeChunks(rest);
    AfterLoad();
    try {
      throw;
    } catch (EDamagedData& e) {
      if (!e.HasOffset()) e.SetOffset(record.Offset());
      throw;
    } catch (const EContentDamage& inner) {
      // A chunk cut short by the damage found while scanning is no content damage of its own.
      if (damage) throw *damage;
      const int64_t at = loader.ChunkOffset(stopped);
      EDamagedData e(inner.Problem(), at < 0 ? -1 : at + inner.Offset());
      e.EnterChunk(stopped);
      throw e;
    } catch (const EReadError&) {
      if (damage) throw *damage;
      // A field whose contents its record cannot decode (a damaged script).
      EDamagedData e("the contents of chunk " + std::to_string(stopped) + " cannot be read",
                     loader.ChunkOffset(stopped));
      e.EnterChunk(stopped);
      throw e;
    }
  }
  // Damage that cut the record short is the one reported; a chunk of the wrong size otherwise.
  if (!damage) damage = std::move(loader.SizeDamage());
  if (damage) {
    // A damaged record keeps the chunks read before (and around) the damage.
    AfterLoad();
    throw *damage;
  }
  for (const TChunkRef& c : chunks) {
    if (c.taken) continue;
    // A nested record or list under a changed id: kept as unknown, the part would be lost without a
    // word (a map without its events, an event without its pages). What it read stays, so that a
    // lenient load keeps it.
    if (const std::optional<int> part = loader.ChangedPartId(c)) {
      AfterLoad();
      throw EDamagedData("chunk " + std::to_string(c.id) + " is unknown here and reads as chunk " +
                             std::to_string(*part) + ", which is missing: its id has changed",
                         loader.ChunkOffset(c.id));
    }
    if (!unknown_) unknown_ = std::make_unique<std::vector<TRawChunk>>();
    const uint8_t* body = record.Here() + c.offset;
    unknown_->push_back({c.id, Bytes(body, body + c.size)});
  }
  AfterLoad();
}

namespace {

// Parses the rest of a stream in memory and leaves the stream just past what the parse took, also
// when it fails, as reading piece by piece would. A memory stream is parsed where it lies.
template <class Parse>
void ParseRestOfStream(TStream& stream, Parse parse) {
  int64_t start = stream.Position();
  Bytes copy;
  const uint8_t* data;
  size_t size;
  if (auto* memory = dynamic_cast<TMemoryStream*>(&stream)) {
    data = memory->Data().data() + memory->Pos();
    size = memory->Data().size() - memory->Pos();
  } else {
    copy.resize(static_cast<size_t>(std::max<int64_t>(0, stream.Remaining())));
    copy.resize(stream.Read(copy.data(), copy.size()));
    data = copy.data();
    size = copy.size();
  }
  TByteReader reader(data, size);
  try {
    parse(reader);
  } catch (...) {
    stream.SetPosition(start + static_cast<int64_t>(reader.Pos()));
    throw;
  }
  stream.SetPosition(start + static_cast<int64_t>(reader.Pos()));
}

}  // namespace

void TCatalogBaseItem::LoadThrough(TCatalogVarData& source, std::vector<TRawChunk> unknown) {
  if (source.GetMode() != TCatalogVarData::Mode::Load)
    throw std::logic_error("a record loads through a Load descriptor");
  pendingLoad = this;
  Reset();
  pendingLoad = nullptr;
  try {
    DescribeChunks(source);
  } catch (...) {
    AfterLoad();
    throw;
  }
  if (!unknown.empty()) unknown_ = std::make_unique<std::vector<TRawChunk>>(std::move(unknown));
  AfterLoad();
}

void TCatalogBaseItem::LoadFromStream(TStream& stream) {
  ParseRestOfStream(stream, [this](TByteReader& reader) { LoadFrom(reader); });
}

// ---------------------------------------------------------------------------------------------
// Saving

namespace {
thread_local std::deque<Bytes> scratchPool;  // deque: growing keeps outer buffers in place
thread_local size_t scratchDepth = 0;

class TScratchLease {
 public:
  TScratchLease() {
    if (scratchPool.size() <= scratchDepth) scratchPool.emplace_back();
    buffer_ = &scratchPool[scratchDepth++];
    buffer_->clear();
  }
  ~TScratchLease() { --scratchDepth; }
  Bytes& Buffer() { return *buffer_; }

 private:
  Bytes* buffer_;
};
}  // namespace

class TChunkSaver final : public TCatalogVarData {
 public:
  TChunkSaver(Mode mode, Bytes& out, const std::vector<TRawChunk>& unknown)
      : TCatalogVarData(mode), w_(out), unknown_(unknown) {}

  void Integer(int id, int32_t& field, int32_t def, int32_t) override { IntegerAlias(id, field, def); }
  void IntegerAlways(int id, int32_t& field, int32_t) override {
    Begin(id);
    w_.WriteSizedInt(field);
  }
  void IntegerAlias(int id, int32_t& field, int32_t def) override {
    if (field == def) return Probe(id);
    Begin(id);
    w_.WriteSizedInt(field);
  }
  void Flag(int id, uint8_t& field, uint8_t def) override {
    if (field == def) return Probe(id);
    Begin(id);
    w_.WriteInt(1);
    w_.WriteByte(field);
  }
  void Byte(int id, uint8_t& field, uint8_t) override {
    Begin(id);
    w_.WriteInt(1);
    w_.WriteByte(field);
  }
  void Fixed(int id, void* data, size_t bytes, TBlockReset, TOlderBlock, TElement) override {
    WriteBody(id, data, bytes);
  }
  void Block(int id, TBlockRef block) override { WriteBody(id, block.data(block.owner), block.byteSize(block.owner)); }
  void String(int id, std::string& field, bool always, const char*) override {
    if (field.empty() && !always) return Probe(id);
    WriteBody(id, field.data(), field.size());
  }
  void Record(int id, TCatalogBaseItem& record) override {
    Begin(id);
    TScratchLease scratch;
    record.SaveTo(scratch.Buffer(), mode_);
    w_.WriteInt(static_cast<int32_t>(scratch.Buffer().size()));
    w_.WriteBytes(scratch.Buffer().data(), scratch.Buffer().size());
  }
  void List(int id, TCatalog& list, int, TListReset) override {
    Begin(id);
    TScratchLease scratch;
    list.SaveTo(scratch.Buffer(), mode_);
    w_.WriteInt(static_cast<int32_t>(scratch.Buffer().size()));
    w_.WriteBytes(scratch.Buffer().data(), scratch.Buffer().size());
  }

  // Writes the kept chunks that remain, and the closing 0.
  void Finish() {
    FlushUnknownBelow(INT32_MAX);
    for (; next_ < unknown_.size(); ++next_) WriteRaw(unknown_[next_]);
    w_.WriteByte(0);
  }

 private:
  // A described field that writes nothing still fixes the order of the kept chunks around it.
  void Probe(int id) {
    CheckOrder(id);
    FlushUnknownBelow(id);
  }
  void Begin(int id) {
    Probe(id);
    w_.WriteInt(id);
  }
  void WriteBody(int id, const void* data, size_t size) {
    Begin(id);
    w_.WriteInt(static_cast<int32_t>(size));
    w_.WriteBytes(data, size);
  }
  void CheckOrder(int id) {
    // A description out of order would write chunks out of order: a programming error.
    if (id <= lastId_) throw std::logic_error("chunk ids described out of order: " + std::to_string(id));
    lastId_ = id;
  }
  void FlushUnknownBelow(int id) {
    while (next_ < unknown_.size() && unknown_[next_].id < id) WriteRaw(unknown_[next_++]);
  }
  void WriteRaw(const TRawChunk& c) {
    w_.WriteInt(c.id);
    w_.WriteInt(static_cast<int32_t>(c.body.size()));
    w_.WriteBytes(c.body.data(), c.body.size());
  }

  TByteWriter w_;
  const std::vector<TRawChunk>& unknown_;
  size_t next_ = 0;
  int lastId_ = 0;
};

void TCatalogBaseItem::SaveTo(Bytes& out, TCatalogVarData::Mode mode) {
  TChunkSaver saver(mode, out, UnknownChunks());
  DescribeChunks(saver);
  saver.Finish();
}

void TCatalogBaseItem::SaveToStream(TStream& stream) {
  TScratchLease scratch;
  SaveTo(scratch.Buffer());
  stream.WriteBuffer(scratch.Buffer().data(), scratch.Buffer().size());
}

Bytes TCatalogBaseItem::Encoded() const {
  Bytes out;
  // Copy mode has no side effects on the record; the description only needs mutable access
  // because the same description also loads.
  const_cast<TCatalogBaseItem*>(this)->SaveTo(out, TCatalogVarData::Mode::Copy);
  return out;
}

void TCatalogBaseItem::Assign(const TCatalogBaseItem& source) {
  if (&source == this) return;
  Bytes bytes = source.Encoded();
  TByteReader reader(bytes.data(), bytes.size());
  TRecordCopyScope copying;
  LoadFrom(reader);
}

bool TCatalogBaseItem::PasteFromClipboard(int format) {
  std::optional<Bytes> block = Clipboard().GetBlock(format);
  if (!block) return false;
  TClipboardBlock decoded = DecodeClipboardBlock(*block);
  // Load into a copy of the current state first, so a damaged block changes nothing.
  Bytes before = Encoded();
  try {
    TByteReader reader(decoded.data.data(), decoded.data.size());
    LoadFrom(reader);
  } catch (...) {
    TByteReader restore(before.data(), before.size());
    LoadFrom(restore);
    throw;
  }
  return true;
}

void TCatalogBaseItem::CopyToClipboard(int format) const {
  Clipboard().SetBlock(format, EncodeClipboardBlock(1, Encoded()));
}

// ---------------------------------------------------------------------------------------------
// Catalogs

void TCatalog::Clear() {
  // The items lie scattered in memory; fetching a few ahead keeps destroying a large list from
  // waiting on each one in turn.
  constexpr size_t kAhead = 8;
  for (size_t i = 0; i < items_.size(); ++i) {
    if (i + kAhead < items_.size()) __builtin_prefetch(items_[i + kAhead].get());
    items_[i].reset();
  }
  items_.clear();
}

TCatalogItem* TCatalog::ItemAt(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return items_[static_cast<size_t>(index)].get();
}

size_t TCatalog::LowerBound(int32_t id) const {
  return static_cast<size_t>(
      std::lower_bound(items_.begin(), items_.end(), id, [](const auto& item, int32_t v) { return item->Id() < v; }) -
      items_.begin());
}

int TCatalog::IndexOfId(int32_t id) const {
  if (items_.empty() || id > items_.back()->Id()) return -1;
  // The dense case (items numbered 1..n) answers at once.
  if (id >= 1 && id <= Count() && items_[static_cast<size_t>(id - 1)]->Id() == id) return id - 1;
  size_t at = LowerBound(id);
  return at < items_.size() && items_[at]->Id() == id ? static_cast<int>(at) : -1;
}

TCatalogItem* TCatalog::FindById(int32_t id) const {
  int index = IndexOfId(id);
  return index < 0 ? nullptr : items_[static_cast<size_t>(index)].get();
}

TCatalogItem* TCatalog::Obtain(int32_t id) {
  if (TCatalogItem* found = FindById(id)) return found;
  size_t at = LowerBound(id);
  auto it = items_.insert(items_.begin() + static_cast<ptrdiff_t>(at), CreateItem(id));
  return it->get();
}

TCatalogItem* TCatalog::Append() {
  int32_t id = items_.empty() ? 1 : items_.back()->Id() + 1;
  items_.push_back(CreateItem(id));
  return items_.back().get();
}

TCatalogItem* TCatalog::AppendLoaded(int32_t id) {
  if (!items_.empty() && id <= items_.back()->Id()) throw std::logic_error("items appended out of order");
  items_.push_back(CreateLoaded(id));
  return items_.back().get();
}

TCatalogItem* TCatalog::InsertAt(int32_t id) {
  size_t at = LowerBound(id);
  auto it = items_.insert(items_.begin() + static_cast<ptrdiff_t>(at), CreateItem(id));
  for (auto next = it + 1; next != items_.end(); ++next) (*next)->SetId((*next)->Id() + 1);
  return it->get();
}

void TCatalog::Delete(int32_t id) {
  int index = IndexOfId(id);
  if (index >= 0) items_.erase(items_.begin() + index);
}

void TCatalog::Remove(int32_t id) {
  int index = IndexOfId(id);
  if (index < 0) return;
  items_.erase(items_.begin() + index);
  for (size_t i = static_cast<size_t>(index); i < items_.size(); ++i) items_[i]->SetId(items_[i]->Id() - 1);
}

void TCatalog::SetCount(int n) {
  Clear();
  items_.reserve(static_cast<size_t>(std::max(0, n)));
  for (int id = 1; id <= n; ++id) items_.push_back(CreateItem(id));
}

bool TCatalog::Resize(int n) {
  int old = Count();
  if (n > old) {
    for (int id = old + 1; id <= n; ++id) Obtain(id);
  } else {
    for (int id = old; id > n; --id) Delete(id);
  }
  return true;
}

void TCatalog::Swap(TCatalog& other) {
  if (typeid(*this) != typeid(other)) throw std::logic_error("catalogs of different classes swapped");
  items_.swap(other.items_);
}

void TCatalog::Renumber() {
  int32_t id = 1;
  for (auto& item : items_) item->SetId(id++);
}

void TCatalog::Assign(const TCatalog& source) {
  if (&source == this) return;
  Clear();
  for (const auto& item : source.items_) Obtain(item->Id())->Assign(*item);
}

int32_t TCatalog::ReadCount(TByteReader& reader) {
  const int64_t at = reader.Offset();
  int32_t count;
  if (!reader.TryReadInt(count)) throw EDamagedData("the data ends inside the count of the list", at);
  if (count < 0) throw EDamagedData("the list has a negative count", at);
  // Every item takes at least two bytes (its id and the closing 0); a count that cannot be true
  // is refused before anything is created.
  if (static_cast<size_t>(count) > reader.Remaining() / 2)
    throw EDamagedData("the list claims " + Plural(static_cast<size_t>(count), "item") + " where at most " +
                           std::to_string(reader.Remaining() / 2) + " fit",
                       at);
  return count;
}

int32_t TCatalog::ReadItemId(TByteReader& reader, int32_t index, int32_t count) {
  int32_t id;
  if (reader.AtEnd())
    throw EDamagedData(
        "the list ends after " + std::to_string(index) + " of its " + Plural(static_cast<size_t>(count), "item"),
        reader.Offset());
  if (!reader.TryReadInt(id)) throw EDamagedData("the data ends inside an item id", reader.Offset());
  return id;
}

void TCatalog::LoadFrom(TByteReader& reader) {
  Clear();
  int32_t count = 0;
  bool sorted = true;
  // Items may come in any order; an id named twice keeps the later item.
  auto putInOrder = [&] {
    if (sorted) return;
    std::stable_sort(items_.begin(), items_.end(), [](const auto& a, const auto& b) { return a->Id() < b->Id(); });
    auto last =
        std::unique(items_.rbegin(), items_.rend(), [](const auto& a, const auto& b) { return a->Id() == b->Id(); });
    items_.erase(items_.begin(), last.base());
  };
  try {
    count = ReadCount(reader);
    items_.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
      const int32_t id = ReadItemId(reader, i, count);
      if (!items_.empty() && id <= items_.back()->Id()) sorted = false;
      items_.push_back(CreateLoaded(id));
      try {
        items_.back()->LoadFrom(reader);
      } catch (EDamagedData& e) {
        // Items have no size of their own: nothing after a damaged item can be found again.
        items_.pop_back();
        ItemDamaged(e, id);
        throw;
      }
    }
    putInOrder();
  } catch (EDamagedData& e) {
    // The items read completely before the damage stay: a lenient load keeps them.
    putInOrder();
    if (count > 0)
      e.SetSalvaged(std::to_string(Count()) + " of the " + std::to_string(count) + " " +
                    (count == 1 ? std::string(ItemNoun()) : PluralNoun(ItemNoun())) +
                    (Count() == 1 ? " was" : " were") + " read before the damage");
    throw;
  } catch (...) {
    Clear();
    throw;
  }
}

void TCatalog::LoadFromStream(TStream& stream) {
  ParseRestOfStream(stream, [this](TByteReader& reader) { LoadFrom(reader); });
}

void TCatalog::SaveTo(Bytes& out, TCatalogVarData::Mode mode) {
  TByteWriter w(out);
  w.WriteInt(Count());
  for (auto& item : items_) {
    w.WriteInt(item->Id());
    item->SaveTo(out, mode);
  }
}

void TCatalog::SaveToStream(TStream& stream) {
  Bytes out;
  SaveTo(out);
  stream.WriteBuffer(out.data(), out.size());
}

int TCatalog::PasteFromClipboard(int format, int first) {
  std::optional<Bytes> block = Clipboard().GetBlock(format);
  if (!block) return 0;
  TClipboardBlock decoded = DecodeClipboardBlock(*block);
  if (decoded.itemCount > decoded.data.size()) throw EReadError();
  // Decode every item before touching the list: a damaged block changes nothing.
  std::vector<std::unique_ptr<TCatalogItem>> pasted;
  TByteReader reader(decoded.data.data(), decoded.data.size());
  for (uint32_t i = 0; i < decoded.itemCount; ++i) {
    pasted.push_back(CreateItem(0));
    pasted.back()->LoadFrom(reader);
  }
  int done = 0;
  for (size_t i = 0; i < pasted.size(); ++i) {
    int position = first + static_cast<int>(i);
    if (position + 1 > kMaxCatalogItems) break;
    Obtain(position + 1);
    if (TCatalogItem* target = ItemAt(position)) {
      target->Assign(*pasted[i]);
      ++done;
    }
  }
  return done;
}

void TCatalog::CopyToClipboard(int format, int first, int count) const {
  Bytes data;
  uint32_t n = 0;
  for (int position = std::max(0, first); position < first + count && position < Count(); ++position, ++n)
    items_[static_cast<size_t>(position)]->SaveTo(data, TCatalogVarData::Mode::Copy);
  Clipboard().SetBlock(format, EncodeClipboardBlock(n, data));
}

void LookupFailed(const char* message) {
  if (!QuietMode()) throw ELookupError(message);
}

// ---------------------------------------------------------------------------------------------
// Files

void LoadRecordBytes(const Bytes& data, const std::string& magic, TCatalogBaseItem& record) {
  TByteReader reader(data.data(), data.size());
  ExpectMagic(reader, magic);
  record.LoadFrom(reader);
  ExpectEnd(reader, "record");
}

void ExpectMagic(TByteReader& reader, const std::string& magic) {
  const size_t at = reader.Pos();
  int32_t length;
  // A file too short to hold a magic string is of another kind as well.
  if (!reader.TryReadInt(length) || length < 0 || static_cast<size_t>(length) > reader.Remaining() ||
      static_cast<size_t>(length) != magic.size() || std::memcmp(reader.Here(), magic.data(), magic.size()) != 0) {
    const uint8_t* start = reader.Here() - (reader.Pos() - at);
    const size_t shown = std::min<size_t>(16, reader.Remaining() + (reader.Pos() - at));
    throw EWrongMagic(magic, std::string(reinterpret_cast<const char*>(start), shown));
  }
  reader.Skip(magic.size());
}

Bytes SaveRecordBytes(const std::string& magic, TCatalogBaseItem& record) {
  Bytes out;
  TByteWriter w(out);
  w.WriteString(magic);
  record.SaveTo(out);
  return out;
}

}  // namespace tess
