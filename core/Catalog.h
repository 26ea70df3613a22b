#pragma once
// The catalog object model: records of numbered chunks and ordered lists of numbered records.
//
// A record describes its fields once, in DescribeChunks, by calling the field descriptor
// (TCatalogVarData) for each field in ascending chunk-id order with its kind, its write rule and its
// reset value. The descriptor does the rest: it resets, loads, saves, copies and compares every
// record through that one description. Fields start zeroed in their class; constructing a record
// resets it, so each default is written only in its description. Chunks whose id the record does not describe are kept
// with the record and written back in their place among the others, so files made by newer tools lose nothing.

#include <algorithm>
#include <bit>
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "core/Errors.h"
#include "core/RecordPool.h"
#include "core/Stream.h"
#include "core/StreamUtils.h"

namespace tess {

static_assert(std::endian::native == std::endian::little,
              "blocks of 16- and 32-bit elements are stored little-endian and copied as they are");

class TCatalogBaseItem;
class TCatalog;

// Most items a list may hold; pasting never creates an item numbered above it.
constexpr int32_t kMaxCatalogItems = 5000;

// What the elements of a block are: the chunk holds them little-endian, one after another. The
// chunk encoding needs only the byte size; a text form shows the elements as numbers.
enum class TElement : uint8_t { U8, I8, U16, I16, U32, I32 };

template <class T>
constexpr TElement ElementOf() {
  static_assert(std::is_integral_v<T> && sizeof(T) <= 4);
  if constexpr (sizeof(T) == 1) return std::is_signed_v<T> ? TElement::I8 : TElement::U8;
  if constexpr (sizeof(T) == 2) return std::is_signed_v<T> ? TElement::I16 : TElement::U16;
  return std::is_signed_v<T> ? TElement::I32 : TElement::U32;
}

constexpr size_t ElementSize(TElement e) {
  return e == TElement::U8 || e == TElement::I8 ? 1 : e == TElement::U16 || e == TElement::I16 ? 2 : 4;
}

// A resizable block of elements as the descriptor sees it: its byte size, its memory, a way to
// resize it to a given byte count (rounded down to whole elements), the contents a reset gives it
// (none: empty), and what its elements are.
struct TBlockRef {
  void* owner;
  size_t (*byteSize)(void* owner);
  uint8_t* (*data)(void* owner);
  void (*resize)(void* owner, size_t bytes);
  const void* resetData = nullptr;
  size_t resetBytes = 0;
  TElement element = TElement::U8;
};

template <class T>
TBlockRef MakeBlockRef(std::vector<T>& v, const T* reset = nullptr, size_t resetCount = 0) {
  static_assert(std::is_trivially_copyable_v<T>);
  return TBlockRef{&v,
                   [](void* o) { return static_cast<std::vector<T>*>(o)->size() * sizeof(T); },
                   [](void* o) { return reinterpret_cast<uint8_t*>(static_cast<std::vector<T>*>(o)->data()); },
                   [](void* o, size_t bytes) { static_cast<std::vector<T>*>(o)->assign(bytes / sizeof(T), T{}); },
                   reset,
                   resetCount * sizeof(T),
                   ElementOf<T>()};
}

// Gives a fixed block its reset contents (none: all bytes 0).
using TBlockReset = void (*)(void* data);
// Reads a fixed block from a chunk of another size than the block's, as files of the older format
// store it: returns whether it took the chunk (data is the block, already reset). A chunk it does not
// take is skipped.
using TOlderBlock = bool (*)(const uint8_t* body, size_t size, void* data);
// Gives a reset list's items what differs from their own defaults (none: nothing).
using TListReset = void (*)(TCatalog& list);

// The field descriptor. One object visits all fields of a record for one job (reset, load, save or
// copy); the record calls one method per field, in ascending chunk-id order. Each call states the
// field's kind, its write rule and its reset value, so every default is written in one place.
//
// Loading walks the description once: each field takes its chunk, or its reset value when the file
// lacks the chunk (or holds one it cannot take). Saving and copying change nothing in the record.
class TCatalogVarData {
 public:
  enum class Mode { Reset, Load, Save, Copy };

  explicit TCatalogVarData(Mode mode) : mode_(mode) {}
  virtual ~TCatalogVarData() = default;

  Mode GetMode() const { return mode_; }
  // True while loading: records prepare storage (size a block) before describing it, and derive
  // what they keep beside their fields from what was read.
  bool Reading() const { return mode_ == Mode::Load; }
  // True while writing, to a file or to a copy: records apply their write-only conditions.
  bool Writing() const { return mode_ == Mode::Save || mode_ == Mode::Copy; }
  // True only for a real save: save-time side effects (counters) happen only then.
  bool SavingToFile() const { return mode_ == Mode::Save; }
  // True while resetting: records reset what they keep beside their fields.
  bool Resetting() const { return mode_ == Mode::Reset; }

  // integer: written with its byte count, only when it differs from def; reset to reset (def for
  // nearly every field).
  virtual void Integer(int id, int32_t& field, int32_t def, int32_t reset) = 0;
  // integer written whatever its value.
  virtual void IntegerAlways(int id, int32_t& field, int32_t reset) = 0;
  // A further chunk for a field whose reset lies elsewhere (a field stored under two ids, or parts
  // of one value): written as an integer with default def, read when the chunk is there, never
  // reset.
  virtual void IntegerAlias(int id, int32_t& field, int32_t def) = 0;
  // flag: one raw byte, written only when it differs from the default; read only from size 1.
  virtual void Flag(int id, uint8_t& field, uint8_t def) = 0;
  // byte: one raw byte, always written; read only from size 1.
  virtual void Byte(int id, uint8_t& field, uint8_t reset) = 0;
  // bytes(N) and fixed arrays: always written; read when the chunk has exactly that size, or when
  // older takes a chunk of another size (files of the older format hold some blocks smaller).
  // Other sizes are skipped and the block keeps its reset value. element says what the block's
  // elements are.
  virtual void Fixed(int id, void* data, size_t bytes, TBlockReset reset, TOlderBlock older, TElement element) = 0;
  // array of 8/16/32-bit: always written with its current size; read by resizing to the chunk.
  virtual void Block(int id, TBlockRef block) = 0;
  // string: omitted when empty unless always is set; reset to reset (none: empty).
  virtual void String(int id, std::string& field, bool always, const char* reset) = 0;
  virtual void Record(int id, TCatalogBaseItem& record) = 0;
  // A reset list holds items 1..resetCount at their defaults, then init gives them what differs.
  virtual void List(int id, TCatalog& list, int resetCount, TListReset init) = 0;

  void Integer(int id, int32_t& field, int32_t def) { Integer(id, field, def, def); }
  void Byte(int id, uint8_t& field) { Byte(id, field, 0); }
  void Fixed(int id, void* data, size_t bytes) { Fixed(id, data, bytes, nullptr, nullptr, TElement::U8); }
  void Fixed(int id, void* data, size_t bytes, TBlockReset reset, TOlderBlock older) {
    Fixed(id, data, bytes, reset, older, TElement::U8);
  }
  void List(int id, TCatalog& list, int resetCount = 0) { List(id, list, resetCount, nullptr); }
  void String(int id, std::string& field) { String(id, field, false, nullptr); }
  void StringAlways(int id, std::string& field, const char* reset = nullptr) { String(id, field, true, reset); }
  template <class T, size_t N>
  void FixedArray(int id, T (&arr)[N], TBlockReset reset = nullptr, TOlderBlock older = nullptr) {
    static_assert(std::is_trivially_copyable_v<T>);
    Fixed(id, arr, sizeof(T) * N, reset, older, ElementOf<T>());
  }
  template <class T>
  void Array(int id, std::vector<T>& v) {
    Block(id, MakeBlockRef(v));
  }
  // An array whose reset holds the given elements.
  template <class T, size_t N>
  void Array(int id, std::vector<T>& v, const T (&reset)[N]) {
    Block(id, MakeBlockRef(v, reset, N));
  }
  // Loading: a chunk id that is there with another size than bytes is damage, though the field
  // skips it. The rest of the record is still read; the damage is raised once it has been, naming
  // the chunk and its offset. expected completes "the chunk holds N bytes where ..." ("a map of
  // 30 x 15 cells takes 900"). Nothing in the other modes, nor when the chunk is absent.
  virtual void RequireSize(int /*id*/, size_t /*bytes*/, const std::string& /*expected*/) {}
  // A count chunk that says how many elements the array chunk described next holds: written as the
  // array's size at the time, so that it always matches what is written; read into count. A text
  // form leaves it out and derives it from the array.
  virtual void Count(int id, int32_t& count, size_t elements) {
    if (!Writing()) return Integer(id, count, 0);
    int32_t n = static_cast<int32_t>(elements);
    Integer(id, n, 0);
  }

 protected:
  Mode mode_;
};

// Constructs a record without resetting it: for a record that is about to be loaded, since a load
// resets the record itself and builds no default contents for what the file provides.
struct TUnreset {};

// A chunk a record does not describe, kept as it was read.
struct TRawChunk {
  int32_t id;
  Bytes body;
};

class TCatalogBaseItem {
 public:
  TCatalogBaseItem() = default;
  virtual ~TCatalogBaseItem() = default;
  // Records made on their own come from the record pool.
  static void* operator new(size_t size) { return AllocateRecord(size); }
  static void operator delete(void* block, size_t size) { FreeRecord(block, size); }
  TCatalogBaseItem(const TCatalogBaseItem&) = delete;
  TCatalogBaseItem& operator=(const TCatalogBaseItem&) = delete;

  // Describes every field, in ascending chunk-id order.
  virtual void DescribeChunks(TCatalogVarData& v) = 0;

  // Sets every field to its reset value. Concrete classes call it from their constructor. Classes
  // that keep state beside their fields (caches, marks) extend it for that state only: the fields
  // take their reset values from the description, and a load resets them as it takes the chunks.
  virtual void Reset();
  // Makes this record a copy of source (same class expected): its fields and kept chunks. Save-time
  // side effects do not happen on a copy.
  virtual void Assign(const TCatalogBaseItem& source);

  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream);
  // The in-memory forms used by every loader and saver.
  void LoadFrom(TByteReader& reader);
  void SaveTo(Bytes& out, TCatalogVarData::Mode mode = TCatalogVarData::Mode::Save);

  // The record's bytes as a copy would write them; equal bytes mean equal records.
  Bytes Encoded() const;
  bool SameAs(const TCatalogBaseItem& other) const { return Encoded() == other.Encoded(); }

  // Loads the record from another source than chunk bytes (a text form): source, a descriptor in
  // Load mode, gives every field its value or its reset; unknown are the chunks the record does
  // not describe, in ascending id order, kept as a load from bytes keeps them. The record's checks
  // after a load run as they do after LoadFrom.
  void LoadThrough(TCatalogVarData& source, std::vector<TRawChunk> unknown);

  // Private clipboard blocks holding this one record.
  bool PasteFromClipboard(int format);
  void CopyToClipboard(int format) const;

  const std::vector<TRawChunk>& UnknownChunks() const;

 protected:
  // Called at the end of every load, after all chunks were taken: records check what the file
  // said against each other here (counts against arrays, sizes against blocks).
  virtual void AfterLoad() {}

 private:
  friend class TChunkLoader;
  friend class TChunkSaver;
  // Kept chunks are rare: a record that has none spends one pointer on them.
  std::unique_ptr<std::vector<TRawChunk>> unknown_;
};

class TCatalogItem : public TCatalogBaseItem {
 public:
  int32_t Id() const { return id_; }
  void SetId(int32_t id) { id_ = id; }

  std::string name;

 protected:
  int32_t id_ = 0;
};

class TCatalog {
 public:
  TCatalog() = default;
  virtual ~TCatalog() { Clear(); }
  TCatalog(const TCatalog&) = delete;
  TCatalog& operator=(const TCatalog&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  TCatalogItem* ItemAt(int index) const;
  TCatalogItem* FindById(int32_t id) const;
  // Position of the item with this id, or -1.
  int IndexOfId(int32_t id) const;
  TCatalogItem* Obtain(int32_t id);
  TCatalogItem* Append();
  // Appends an item that is about to be loaded (LoadFrom or LoadThrough resets it); its id must be
  // larger than the last item's.
  TCatalogItem* AppendLoaded(int32_t id);
  TCatalogItem* InsertAt(int32_t id);
  void Delete(int32_t id);
  void Remove(int32_t id);
  void Clear();
  // Exchanges the items of two catalogs of the same class: how a list parsed on the side is put in
  // place at once, or handed back unchanged.
  void Swap(TCatalog& other);
  void SetCount(int n);
  bool Resize(int n);
  // Sorts by compare (a strict weak order), then renumbers the items 1..Count in their new order.
  template <class Compare>
  void Sort(Compare compare) {
    std::stable_sort(items_.begin(), items_.end(), [&](const auto& a, const auto& b) { return compare(*a, *b); });
    Renumber();
  }

  virtual void Assign(const TCatalog& source);
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream);
  // Reads the count and the items. A damaged list raises EDamagedData (naming the item it lies in,
  // and how many items were read before it) and keeps the items read completely before the damage;
  // the damaged item and those after it are lost. The reader stops after the last item: whoever
  // confines the list to a chunk checks that the chunk ends there.
  void LoadFrom(TByteReader& reader);
  void SaveTo(Bytes& out, TCatalogVarData::Mode mode = TCatalogVarData::Mode::Save);

  // Loads the items of a clipboard block into list positions first, first+1, ...; returns how many
  // were pasted. A damaged block raises and changes nothing.
  int PasteFromClipboard(int format, int first);
  void CopyToClipboard(int format, int first, int count) const;

 protected:
  // Creates a fresh item of the catalog's item class with this id, already reset.
  virtual std::unique_ptr<TCatalogItem> CreateItem(int32_t id) const = 0;
  // Creates an item with this id that is about to be loaded, which resets it; it need not be reset
  // yet.
  virtual std::unique_ptr<TCatalogItem> CreateLoaded(int32_t id) const { return CreateItem(id); }
  // The owned items, for catalogs that load their items in their own way (keeping some of them
  // across a reload). They must keep the order invariant: ascending ids, no id twice.
  std::vector<std::unique_ptr<TCatalogItem>>& Items() { return items_; }
  // What damage messages call an item of this list ("event 7") and the list itself (none: it is
  // named by its items, or by its chunk).
  virtual const char* ItemNoun() const { return "item"; }
  virtual const char* ListName() const { return nullptr; }
  // The pieces of reading a list, for catalogs that read their items in their own way. ReadCount
  // takes the count and checks it against the bytes left; ReadItemId takes the id of item index
  // (from 0) of count; ItemDamaged names the item in an error that passes up from it.
  static int32_t ReadCount(TByteReader& reader);
  static int32_t ReadItemId(TByteReader& reader, int32_t index, int32_t count);
  void ItemDamaged(EDamagedData& e, int32_t id) const { e.EnterItem(ItemNoun(), id); }
  // Exchanges the items with another catalog of the same item class: lets a catalog parse into a
  // fresh one and take its items only when the whole parse succeeded.
  void SwapItems(TCatalog& other) { items_.swap(other.items_); }

 private:
  friend class TChunkLoader;
  friend class TChunkSaver;
  void Renumber();
  size_t LowerBound(int32_t id) const;
  std::vector<std::unique_ptr<TCatalogItem>> items_;
};

// Throws the lookup error with message unless quiet mode is on.
void LookupFailed(const char* message);

// A catalog of TItem with the typed lookups that name the missing kind of thing.
template <class TItem>
class TCatalogOf : public TCatalog {
 public:
  // noun: what damage messages call an item ("hero 3").
  explicit TCatalogOf(const char* missingMessage, const char* noun = "item")
      : missingMessage_(missingMessage), noun_(noun) {}

  TItem* ItemAt(int index) const { return static_cast<TItem*>(TCatalog::ItemAt(index)); }
  TItem* FindById(int32_t id) const { return static_cast<TItem*>(TCatalog::FindById(id)); }
  TItem* Obtain(int32_t id) { return static_cast<TItem*>(TCatalog::Obtain(id)); }
  TItem* Append() { return static_cast<TItem*>(TCatalog::Append()); }
  TItem* InsertAt(int32_t id) { return static_cast<TItem*>(TCatalog::InsertAt(id)); }
  template <class Compare>
  void Sort(Compare compare) {
    TCatalog::Sort([&](const TCatalogItem& a, const TCatalogItem& b) {
      return compare(static_cast<const TItem&>(a), static_cast<const TItem&>(b));
    });
  }

  // Typed lookups: by list position and by id. Outside quiet mode a miss raises the message.
  TItem* ItemByIndex(int index) const {
    TItem* item = ItemAt(index);
    if (!item) LookupFailed(missingMessage_);
    return item;
  }
  TItem* ItemById(int32_t id) const {
    TItem* item = FindById(id);
    if (!item) LookupFailed(missingMessage_);
    return item;
  }

 protected:
  std::unique_ptr<TCatalogItem> CreateItem(int32_t id) const override {
    auto item = std::make_unique<TItem>();
    item->SetId(id);
    item->Reset();
    return item;
  }
  const char* ItemNoun() const override { return noun_; }
  std::unique_ptr<TCatalogItem> CreateLoaded(int32_t id) const override {
    std::unique_ptr<TItem> item;
    if constexpr (std::is_constructible_v<TItem, TUnreset>)
      item = std::make_unique<TItem>(TUnreset{});
    else
      item = std::make_unique<TItem>();
    item->SetId(id);
    return item;
  }

 private:
  const char* missingMessage_;
  const char* noun_;
};

// Parses a chunk-encoded file's bytes: the magic string, then the record, which must end where the
// file does. A file of another kind raises EWrongMagic, damage EDamagedData.
void LoadRecordBytes(const Bytes& data, const std::string& magic, TCatalogBaseItem& record);
// Checks that a reader confined to a record's or a list's chunk (or to a file) stands at its end;
// raises EDamagedData naming the bytes that follow what.
void ExpectEnd(const TByteReader& reader, const char* what);
// Reads a file's magic string; raises EWrongMagic when it is not magic (or the file is too short to
// hold one).
void ExpectMagic(TByteReader& reader, const std::string& magic);
// The bytes of a file: magic string, then the record.
Bytes SaveRecordBytes(const std::string& magic, TCatalogBaseItem& record);

}  // namespace tess
