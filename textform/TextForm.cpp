#include "textform/TextForm.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>
#include <typeinfo>

#include "core/Catalog.h"
#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "script/EventScriptConverter.h"
#include "textform/FieldNames.h"
#include "textform/StoredText.h"

namespace tess {

namespace {

constexpr const char* kFileMember = "file";
constexpr const char* kCodePageMember = "codePage";
constexpr const char* kStoredMember = "#stored";

const char kHexDigits[] = "0123456789abcdef";

std::string Hex(const uint8_t* data, size_t size) {
  std::string out(size * 2, '0');
  for (size_t i = 0; i < size; ++i) {
    out[2 * i] = kHexDigits[data[i] >> 4];
    out[2 * i + 1] = kHexDigits[data[i] & 15];
  }
  return out;
}
std::string Hex(const Bytes& b) { return Hex(b.data(), b.size()); }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool FromHex(const std::string& text, Bytes& out) {
  if (text.size() % 2) return false;
  out.resize(text.size() / 2);
  for (size_t i = 0; i < out.size(); ++i) {
    const int hi = HexDigit(text[2 * i]), lo = HexDigit(text[2 * i + 1]);
    if (hi < 0 || lo < 0) return false;
    out[i] = static_cast<uint8_t>(hi * 16 + lo);
  }
  return true;
}

// "name#id", the member a field stands under.
std::string FieldKey(const std::type_info& type, int id) {
  const TFieldName* n = FindFieldName(type, id);
  return std::string(n ? n->name : "chunk") + "#" + std::to_string(id);
}

TFieldShape ShapeOf(const std::type_info& type, int id) {
  const TFieldName* n = FindFieldName(type, id);
  return n ? n->shape : TFieldShape::Plain;
}

// A member key split: "name#12" a field, "#12" a kept chunk, "#12 stored" the stored bytes of
// field 12, anything else not a chunk.
struct TKey {
  enum Kind { Field, Kept, Stored, Other } kind = Other;
  int id = 0;
  std::string_view name;  // into the key parsed
};

TKey ParseKey(const std::string& key) {
  TKey k;
  const size_t hash = key.find('#');
  if (hash == std::string::npos) return k;
  size_t end = hash + 1;
  int64_t id = 0;
  while (end < key.size() && key[end] >= '0' && key[end] <= '9' && id < 1000000) id = id * 10 + (key[end++] - '0');
  if (end == hash + 1 || id <= 0 || id > std::numeric_limits<int32_t>::max()) return k;
  k.id = static_cast<int>(id);
  k.name = std::string_view(key).substr(0, hash);
  const std::string rest = key.substr(end);
  if (rest.empty())
    k.kind = hash == 0 ? TKey::Kept : TKey::Field;
  else if (rest == " stored" && hash == 0)
    k.kind = TKey::Stored;
  return k;
}

std::string JoinPath(const std::vector<std::string>& path) {
  std::string out;
  for (const std::string& p : path) {
    if (!out.empty()) out += '/';
    out += p;
  }
  return out;
}

int64_t ElementAt(const uint8_t* p, TElement e) {
  switch (e) {
    case TElement::U8:
      return p[0];
    case TElement::I8:
      return static_cast<int8_t>(p[0]);
    case TElement::U16:
      return static_cast<uint16_t>(p[0] | p[1] << 8);
    case TElement::I16:
      return static_cast<int16_t>(p[0] | p[1] << 8);
    case TElement::U32:
      return static_cast<uint32_t>(p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24);
    case TElement::I32:
      return static_cast<int32_t>(p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24);
  }
  return 0;
}

void ElementRange(TElement e, int64_t& lo, int64_t& hi) {
  switch (e) {
    case TElement::U8:
      lo = 0, hi = 255;
      return;
    case TElement::I8:
      lo = -128, hi = 127;
      return;
    case TElement::U16:
      lo = 0, hi = 65535;
      return;
    case TElement::I16:
      lo = -32768, hi = 32767;
      return;
    case TElement::U32:
      lo = 0, hi = 4294967295;
      return;
    case TElement::I32:
      lo = std::numeric_limits<int32_t>::min(), hi = std::numeric_limits<int32_t>::max();
      return;
  }
}

void PutElement(uint8_t* p, TElement e, int64_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  const size_t n = ElementSize(e);
  for (size_t i = 0; i < n; ++i) p[i] = static_cast<uint8_t>(u >> (8 * i));
}

// Appends a member to an object being built: its keys are unique by construction, so no search for
// an earlier member of the same name is needed (a search per member makes building a record of
// many fields quadratic).
template <class TValue>
void Add(TJson& object, std::string key, TValue&& value) {
  object.get_ref<TJson::object_t&>().emplace_back(std::move(key), TJson(std::forward<TValue>(value)));
}

TJson Numbers(const uint8_t* data, size_t count, TElement e) {
  TJson a = TJson::array();
  auto& v = a.get_ref<TJson::array_t&>();
  v.reserve(count);
  const size_t step = ElementSize(e);
  for (size_t i = 0; i < count; ++i) v.emplace_back(ElementAt(data + i * step, e));
  return a;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Errors

namespace {
std::string ErrorText(const std::string& file, int line, int column, const std::string& path,
                      const std::string& problem) {
  std::string text = file;
  if (line > 0) text += ":" + std::to_string(line) + ":" + std::to_string(column);
  text += ": ";
  if (!path.empty()) text += path + ": ";
  return text + problem;
}
}  // namespace

ETextFormError::ETextFormError(std::string file, int line, int column, std::string path, std::string problem)
    : ETessError(ErrorText(file, line, column, path, problem)),
      file_(std::move(file)),
      line_(line),
      column_(column),
      path_(std::move(path)),
      problem_(std::move(problem)) {}

const char* TextFileKindName(TTextFileKind kind) {
  switch (kind) {
    case TTextFileKind::DataBase:
      return "database";
    case TTextFileKind::MapTree:
      return "map tree";
    case TTextFileKind::Map:
      return "map";
  }
  return "";
}

const std::vector<TDataBasePart>& DataBaseParts() {
  static const std::vector<TDataBasePart> parts = {{11, "heroes"},       {12, "skills"},     {13, "items"},
                                                   {14, "monsters"},     {15, "troops"},     {16, "terrain"},
                                                   {17, "attributes"},   {18, "conditions"}, {19, "battleAnimations"},
                                                   {20, "tilesets"},     {21, "vocabulary"}, {22, "system"},
                                                   {23, "switches"},     {24, "variables"},  {25, "commonEvents"},
                                                   {29, "battleLayout"}, {30, "classes"},    {32, "battlerAnimations"}};
  return parts;
}

namespace {

// A database part's list or record.
struct TPartRef {
  TCatalog* list = nullptr;
  TCatalogBaseItem* record = nullptr;
};

TPartRef PartOf(TLcfDataBase& db, int32_t id) {
  switch (id) {
    case 11:
      return {&db.heroes};
    case 12:
      return {&db.skills};
    case 13:
      return {&db.items};
    case 14:
      return {&db.monsters};
    case 15:
      return {&db.troops};
    case 16:
      return {&db.terrain};
    case 17:
      return {&db.attributes};
    case 18:
      return {&db.conditions};
    case 19:
      return {&db.animations};
    case 20:
      return {&db.tilesets};
    case 21:
      return {nullptr, &db.vocabulary};
    case 22:
      return {nullptr, &db.system};
    case 23:
      return {&db.switches};
    case 24:
      return {&db.variables};
    case 25:
      return {&db.commonEvents};
    case 29:
      return {nullptr, &db.battle};
    case 30:
      return {&db.classes};
    case 32:
      return {&db.battlerAnimations};
  }
  return {};
}

const TDataBasePart* FindPart(int32_t id) {
  for (const TDataBasePart& p : DataBaseParts())
    if (p.id == id) return &p;
  return nullptr;
}

// One top-level chunk of a database file.
struct TTopChunk {
  int32_t id;
  Bytes body;
};

std::vector<TTopChunk> TopChunks(const Bytes& file) {
  TByteReader r(file.data(), file.size());
  ExpectMagic(r, kDataBaseMagic);
  std::vector<TTopChunk> chunks;
  while (!r.AtEnd()) {
    int32_t id = r.ReadInt();
    int32_t size = r.ReadInt();
    if (size < 0 || static_cast<size_t>(size) > r.Remaining()) throw EReadError();
    chunks.push_back({id, Bytes(r.Here(), r.Here() + size)});
    r.Skip(static_cast<size_t>(size));
  }
  return chunks;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Binary to text

namespace {

class TTextWriter;

// What a writer needs while it walks a file: the strings' code page and the script renderer with
// its editing context.
struct TWriteState {
  const TStoredText& stored;
  TEventScriptConverter converter;
  bool render = true;  // false: the lines' "text" is left out (a text made only to be compared)
};

TJson RecordJson(TWriteState& state, TCatalogBaseItem& record);
TJson ListJson(TWriteState& state, TCatalog& list);

// Walks a record as a copy saves it and puts each field into a JSON object.
class TTextWriter final : public TCatalogVarData {
 public:
  TTextWriter(TWriteState& state, TJson& out, const std::type_info& type, const std::vector<TRawChunk>& kept)
      : TCatalogVarData(Mode::Copy), state_(state), out_(out), type_(type), kept_(kept) {}

  void Integer(int id, int32_t& field, int32_t, int32_t) override { Put(id, field); }
  void IntegerAlways(int id, int32_t& field, int32_t) override { Put(id, field); }
  void IntegerAlias(int id, int32_t& field, int32_t) override { Put(id, field); }
  // Counts follow from their arrays; the text leaves them out.
  void Count(int id, int32_t&, size_t) override { KeptBelow(id); }
  void Flag(int id, uint8_t& field, uint8_t) override { Put(id, field); }
  void Byte(int id, uint8_t& field, uint8_t) override { Put(id, field); }
  void Fixed(int id, void* data, size_t bytes, TBlockReset, TOlderBlock, TElement element) override {
    KeptBelow(id);
    const auto* p = static_cast<const uint8_t*>(data);
    const size_t count = bytes / ElementSize(element);
    if (ShapeOf(type_, id) == TFieldShape::Rows) {
      const int64_t width = WidthField();
      if (width > 0 && count % static_cast<size_t>(width) == 0) {
        TJson rows = TJson::array();
        const size_t w = static_cast<size_t>(width);
        for (size_t row = 0; row < count / w; ++row)
          rows.push_back(Numbers(p + row * w * ElementSize(element), w, element));
        Add(out_, FieldKey(type_, id), std::move(rows));
        return;
      }
    }
    Add(out_, FieldKey(type_, id), Numbers(p, count, element));
  }
  void Block(int id, TBlockRef block) override {
    KeptBelow(id);
    const uint8_t* p = block.data(block.owner);
    const size_t bytes = block.byteSize(block.owner);
    if (ShapeOf(type_, id) == TFieldShape::Script) return Script(id, p, bytes);
    Add(out_, FieldKey(type_, id), Numbers(p, bytes / ElementSize(block.element), block.element));
  }
  void String(int id, std::string& field, bool, const char*) override { Put(id, state_.stored.ToUtf8(field)); }
  void Record(int id, TCatalogBaseItem& record) override {
    KeptBelow(id);
    Add(out_, FieldKey(type_, id), RecordJson(state_, record));
  }
  void List(int id, TCatalog& list, int, TListReset) override {
    KeptBelow(id);
    Add(out_, FieldKey(type_, id), ListJson(state_, list));
  }

  void Finish() { KeptBelow(std::numeric_limits<int>::max()); }

 private:
  template <class T>
  void Put(int id, T value) {
    KeptBelow(id);
    Add(out_, FieldKey(type_, id), value);
  }
  // The kept chunks stand where a save writes them: before the first described field above them.
  void KeptBelow(int id) {
    for (; next_ < kept_.size() && kept_[next_].id < id; ++next_)
      Add(out_, "#" + std::to_string(kept_[next_].id), Hex(kept_[next_].body));
  }
  int64_t WidthField() const {
    for (auto it = out_.begin(); it != out_.end(); ++it)
      if (it.key().rfind("width#", 0) == 0 && it->is_number_integer()) return it->get<int64_t>();
    return 0;
  }
  void Script(int id, const uint8_t* data, size_t size) {
    TLcfEventScriptList lines;
    bool shortest = false;
    try {
      shortest = lines.DecodeFrom(data, size);
    } catch (const EReadError&) {
      // A block the model holds as it was read, though no line can be read from it.
      Add(out_, FieldKey(type_, id), TJson::array());
      Add(out_, "#" + std::to_string(id) + " stored", Hex(data, size));
      return;
    }
    TJson array = TJson::array();
    std::string rendered;
    for (int i = 0; i < lines.Count(); ++i) {
      const TLcfEventScriptLine& line = *lines.LineAt(i);
      TJson entry = TJson::object();
      entry["code"] = line.code;
      entry["depth"] = line.indent;
      entry["string"] = state_.stored.ToUtf8(line.text);
      entry["parameters"] = line.params;
      if (state_.render) {
        rendered.clear();
        state_.converter.AppendLineText(rendered, line);
        entry["text"] = state_.stored.ToUtf8(rendered);
      }
      array.push_back(std::move(entry));
    }
    Add(out_, FieldKey(type_, id), std::move(array));
    if (!shortest) Add(out_, "#" + std::to_string(id) + " stored", Hex(data, size));
  }

  TWriteState& state_;
  TJson& out_;
  const std::type_info& type_;
  const std::vector<TRawChunk>& kept_;
  size_t next_ = 0;
};

void WriteFields(TWriteState& state, TCatalogBaseItem& record, TJson& out) {
  TTextWriter writer(state, out, typeid(record), record.UnknownChunks());
  record.DescribeChunks(writer);
  writer.Finish();
}

TJson RecordJson(TWriteState& state, TCatalogBaseItem& record) {
  TJson out = TJson::object();
  WriteFields(state, record, out);
  return out;
}

// Sets the renderer's context for the scripts inside item, and puts it back afterwards.
class TContextScope {
 public:
  TContextScope(TEventScriptConverter& c, TCatalogItem& item) : c_(c), saved_(c) {
    if (auto* event = dynamic_cast<TLcfEventItem*>(&item)) {
      c.Event = event;
      c.EventId = static_cast<uint32_t>(event->Id());
    } else if (auto* troop = dynamic_cast<TLcfMonGroupItem*>(&item)) {
      c.Troop = troop;
    }
  }
  ~TContextScope() {
    c_.Event = saved_.Event;
    c_.EventId = saved_.EventId;
    c_.Troop = saved_.Troop;
  }

 private:
  TEventScriptConverter& c_;
  TEventScriptConverter saved_;
};

TJson ItemJson(TWriteState& state, TCatalogItem& item) {
  TContextScope scope(state.converter, item);
  TJson out = TJson::object();
  Add(out, "id", item.Id());
  WriteFields(state, item, out);
  return out;
}

TJson ListJson(TWriteState& state, TCatalog& list) {
  TJson out = TJson::array();
  out.get_ref<TJson::array_t&>().reserve(static_cast<size_t>(list.Count()));
  for (int i = 0; i < list.Count(); ++i) out.push_back(ItemJson(state, *list.ItemAt(i)));
  return out;
}

TJson Header(TTextFileKind kind, const TStoredText& stored) {
  TJson out = TJson::object();
  out[kFileMember] = TextFileKindName(kind);
  out[kCodePageMember] = stored.CodePage();
  return out;
}

const TLcfDataBase& EmptyDataBase() {
  static const TLcfDataBase db;
  return db;
}

TJson DataBaseJsonOf(TWriteState& state, TLcfDataBase& db);
TJson MapTreeJsonOf(TWriteState& state, TLcfMapTree& tree);
TJson MapJsonOf(TWriteState& state, TLcfMap& map);

}  // namespace

TTextForm::TTextForm(const std::string& codePage, TTextContext context)
    : stored_(std::make_unique<TStoredText>(codePage)), context_(context) {}

TTextForm::~TTextForm() = default;

TJson TTextForm::DataBaseJson(TLcfDataBase& db) {
  TWriteState state{*stored_, TEventScriptConverter(context_.database ? *context_.database : db)};
  state.converter.MapTree = context_.tree;
  return DataBaseJsonOf(state, db);
}

TJson TTextForm::MapTreeJson(TLcfMapTree& tree) {
  TWriteState state{*stored_, TEventScriptConverter(context_.database ? *context_.database : EmptyDataBase())};
  return MapTreeJsonOf(state, tree);
}

TJson TTextForm::MapJson(TLcfMap& map) {
  TWriteState state{*stored_, TEventScriptConverter(context_.database ? *context_.database : EmptyDataBase())};
  state.converter.MapTree = context_.tree;
  return MapJsonOf(state, map);
}

namespace {

TJson DataBaseJsonOf(TWriteState& state, TLcfDataBase& db) {
  const TStoredText* stored_ = &state.stored;
  // The save gives the order of the parts, the chunks kept beside them and the battle animations'
  // stored bytes; the fields come from the model, which the save has trimmed.
  const Bytes saved = db.SaveToMemory(TCatalogVarData::Mode::Copy);
  TJson out = Header(TTextFileKind::DataBase, *stored_);
  for (const TTopChunk& chunk : TopChunks(saved)) {
    const TDataBasePart* part = FindPart(chunk.id);
    if (!part) {
      if (!chunk.body.empty()) out["#" + std::to_string(chunk.id)] = Hex(chunk.body);
      continue;
    }
    const std::string key = std::string(part->name) + "#" + std::to_string(part->id);
    TPartRef ref = PartOf(db, part->id);
    if (ref.record) {
      out[key] = RecordJson(state, *ref.record);
      continue;
    }
    TJson list = ListJson(state, *ref.list);
    if (part->id == 19) {
      // An animation kept as it was read saves its stored bytes; where they are not what its fields
      // give, they come along.
      TByteReader r(chunk.body.data(), chunk.body.size());
      const int32_t count = r.ReadInt();
      TLcfAnimationItem scratch;
      for (int32_t i = 0; i < count && static_cast<size_t>(i) < list.size(); ++i) {
        r.ReadInt();
        const size_t start = r.Pos();
        scratch.LoadFrom(r);
        const Bytes stored(chunk.body.begin() + static_cast<ptrdiff_t>(start),
                           chunk.body.begin() + static_cast<ptrdiff_t>(r.Pos()));
        Bytes canonical;
        scratch.SaveTo(canonical, TCatalogVarData::Mode::Copy);
        if (canonical != stored) list[static_cast<size_t>(i)][kStoredMember] = Hex(stored);
      }
    }
    out[key] = std::move(list);
  }
  return out;
}

TJson MapTreeJsonOf(TWriteState& state, TLcfMapTree& tree) {
  const TStoredText* stored_ = &state.stored;
  TJson out = Header(TTextFileKind::MapTree, *stored_);
  out["nodes"] = ListJson(state, tree);
  out["order"] = tree.order;
  out["currentNode"] = tree.currentId;
  out["startPositions"] = RecordJson(state, tree.startPositions);
  return out;
}

TJson MapJsonOf(TWriteState& state, TLcfMap& map) {
  const TStoredText* stored_ = &state.stored;
  state.converter.Map = &map;
  TJson out = Header(TTextFileKind::Map, *stored_);
  WriteFields(state, map, out);
  return out;
}

}  // namespace

TJson TTextForm::FileJson(const Bytes& file) {
  TByteReader r(file.data(), file.size());
  std::string magic;
  try {
    magic = r.ReadString();
  } catch (const EReadError&) {
    throw EWrongMagic();
  }
  if (magic == kDataBaseMagic) {
    TLcfDataBase db;
    db.LoadFromMemory(file, true);
    return DataBaseJson(db);
  }
  if (magic == kMapTreeMagic) {
    TLcfMapTree tree;
    tree.LoadFromBytes(file);
    return MapTreeJson(tree);
  }
  if (magic == kMapMagic) {
    TLcfMap map;
    map.LoadFromBytes(file);
    return MapJson(map);
  }
  throw EWrongMagic();
}

// ---------------------------------------------------------------------------------------------
// Text to binary

namespace {

[[noreturn]] void Refuse(const std::vector<std::string>& path, std::string problem) {
  throw TTextFieldError{path, std::move(problem)};
}

const char* TypeName(const TJson& j) {
  switch (j.type()) {
    case TJson::value_t::null:
      return "null";
    case TJson::value_t::object:
      return "an object";
    case TJson::value_t::array:
      return "an array";
    case TJson::value_t::string:
      return "a string";
    case TJson::value_t::boolean:
      return "true or false";
    case TJson::value_t::number_float:
      return "a fraction";
    default:
      return "a number";
  }
}

// An integer value of a text within lo..hi.
int64_t IntegerIn(const TJson& j, int64_t lo, int64_t hi, const std::vector<std::string>& path) {
  int64_t v;
  if (j.is_number_unsigned()) {
    const uint64_t u = j.get<uint64_t>();
    if (u > static_cast<uint64_t>(hi))
      Refuse(path, std::to_string(u) + " lies outside " + std::to_string(lo) + " to " + std::to_string(hi));
    v = static_cast<int64_t>(u);
  } else if (j.is_number_integer()) {
    v = j.get<int64_t>();
  } else {
    Refuse(path, std::string("a whole number is expected, not ") + TypeName(j));
  }
  if (v < lo || v > hi)
    Refuse(path, std::to_string(v) + " lies outside " + std::to_string(lo) + " to " + std::to_string(hi));
  return v;
}

constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();

struct TReadState {
  const TStoredText& stored;
  std::vector<std::string> path;
};

void LoadRecord(TReadState& state, const TJson& object, TCatalogBaseItem& record, bool topLevel = false);
void LoadList(TReadState& state, const TJson& array, TCatalog& list);

// The script lines of a text, packed.
Bytes PackScript(TReadState& state, const TJson& array, TLcfEventScriptList& lines) {
  if (!array.is_array())
    Refuse(state.path, std::string("an array of script lines is expected, not ") + TypeName(array));
  lines.ClearLines();
  for (size_t i = 0; i < array.size(); ++i) {
    state.path.push_back(std::to_string(i));
    const TJson& entry = array[i];
    if (!entry.is_object()) Refuse(state.path, std::string("a script line is an object, not ") + TypeName(entry));
    TLcfEventScriptLine line;
    bool seen[4] = {};
    for (auto it = entry.begin(); it != entry.end(); ++it) {
      state.path.push_back(it.key());
      if (it.key() == "code") {
        line.code = static_cast<int32_t>(IntegerIn(*it, kInt32Min, kInt32Max, state.path));
        seen[0] = true;
      } else if (it.key() == "depth") {
        line.indent = static_cast<int32_t>(IntegerIn(*it, kInt32Min, kInt32Max, state.path));
        seen[1] = true;
      } else if (it.key() == "string") {
        if (!it->is_string()) Refuse(state.path, std::string("a string is expected, not ") + TypeName(*it));
        TStoredTextError error;
        if (!state.stored.FromUtf8(it->get_ref<const std::string&>(), line.text, error))
          Refuse(state.path, error.problem);
        seen[2] = true;
      } else if (it.key() == "parameters") {
        if (!it->is_array()) Refuse(state.path, std::string("an array of numbers is expected, not ") + TypeName(*it));
        for (size_t p = 0; p < it->size(); ++p) {
          state.path.push_back(std::to_string(p));
          line.params.push_back(static_cast<int32_t>(IntegerIn((*it)[p], kInt32Min, kInt32Max, state.path)));
          state.path.pop_back();
        }
        seen[3] = true;
      } else if (it.key() != "text") {
        Refuse(state.path, "a script line has no member \"" + it.key() + "\"");
      }
      state.path.pop_back();
    }
    for (int k = 0; k < 4; ++k)
      if (!seen[k])
        Refuse(state.path, std::string("the script line lacks \"") +
                               (const char*[]){"code", "depth", "string", "parameters"}[k] + "\"");
    lines.AppendLine(line);
    state.path.pop_back();
  }
  Bytes packed;
  lines.EncodeTo(packed);
  return packed;
}

// Gives a record's fields their values from a JSON object, as loading gives them from chunks.
class TTextReader final : public TCatalogVarData {
 public:
  struct TMember {
    int id;
    TKey::Kind kind;
    std::string_view name;
    const TJson* value;
    const std::string* key;
    bool used = false;
  };

  TTextReader(TReadState& state, const TJson& object, const std::type_info& type, bool topLevel)
      : TCatalogVarData(Mode::Load), state_(state), type_(type) {
    for (auto it = object.begin(); it != object.end(); ++it) {
      const std::string& key = it.key();
      if (topLevel && (key == kFileMember || key == kCodePageMember)) continue;
      if (key == "id" || key == kStoredMember) continue;  // read by the list
      TKey k = ParseKey(key);
      if (k.kind == TKey::Other) {
        state_.path.push_back(key);
        Refuse(state_.path, "\"" + key + "\" names no field (fields are NAME#CHUNK)");
      }
      members_.push_back({k.id, k.kind, k.name, &*it, &key});
    }
    std::stable_sort(members_.begin(), members_.end(),
                     [](const TMember& a, const TMember& b) { return a.id != b.id ? a.id < b.id : a.kind < b.kind; });
    for (size_t i = 1; i < members_.size(); ++i)
      if (members_[i].id == members_[i - 1].id && members_[i].kind == members_[i - 1].kind) {
        state_.path.push_back(*members_[i].key);
        Refuse(state_.path, "chunk " + std::to_string(members_[i].id) + " stands here a second time");
      }
  }

  // The kept chunks the object holds, in ascending id order.
  std::vector<TRawChunk> KeptChunks() {
    std::vector<TRawChunk> kept;
    for (TMember& m : members_) {
      if (m.kind != TKey::Kept) continue;
      state_.path.push_back(*m.key);
      if (!m.value->is_string())
        Refuse(state_.path, std::string("a kept chunk is a hex string, not ") + TypeName(*m.value));
      TRawChunk c{m.id, {}};
      if (!FromHex(m.value->get_ref<const std::string&>(), c.body))
        Refuse(state_.path, "a kept chunk is an even number of hex digits");
      state_.path.pop_back();
      m.used = true;
      kept.push_back(std::move(c));
    }
    return kept;
  }

  // After the walk: every member was a field of the record, and no kept chunk has a field's id.
  void CheckAllUsed() {
    for (const TMember& m : members_) {
      if (m.used && m.kind != TKey::Kept) continue;
      if (m.kind == TKey::Kept) {
        if (std::binary_search(described_.begin(), described_.end(), m.id)) {
          state_.path.push_back(*m.key);
          Refuse(state_.path, "chunk " + std::to_string(m.id) + " is the field " + FieldKey(type_, m.id));
        }
        continue;
      }
      state_.path.push_back(*m.key);
      if (m.kind == TKey::Stored) Refuse(state_.path, "chunk " + std::to_string(m.id) + " has no stored bytes");
      if (std::binary_search(described_.begin(), described_.end(), m.id))
        Refuse(state_.path, "this count follows from the array after it and stands in no text");
      Refuse(state_.path, "this record has no field \"" + *m.key + "\"");
    }
  }

  void Integer(int id, int32_t& field, int32_t, int32_t reset) override {
    const TJson* v = Take(id);
    field = v ? Int32(id, *v) : reset;
  }
  void IntegerAlways(int id, int32_t& field, int32_t reset) override { Integer(id, field, 0, reset); }
  void IntegerAlias(int id, int32_t& field, int32_t) override {
    if (const TJson* v = Take(id)) field = Int32(id, *v);
  }
  void Count(int id, int32_t& count, size_t) override {
    Described(id);
    count = 0;
    pendingCount_ = &count;
  }
  void Flag(int id, uint8_t& field, uint8_t def) override {
    const TJson* v = Take(id);
    field = v ? static_cast<uint8_t>(Ranged(id, *v, 0, 255)) : def;
  }
  void Byte(int id, uint8_t& field, uint8_t reset) override {
    const TJson* v = Take(id);
    field = v ? static_cast<uint8_t>(Ranged(id, *v, 0, 255)) : reset;
  }
  void Fixed(int id, void* data, size_t bytes, TBlockReset reset, TOlderBlock, TElement element) override {
    const TJson* v = Take(id);
    if (!v) {
      if (reset)
        reset(data);
      else
        std::memset(data, 0, bytes);
      return;
    }
    Bytes values = Elements(id, *v, element, bytes / ElementSize(element));
    std::memcpy(data, values.data(), bytes);
  }
  void Block(int id, TBlockRef block) override {
    const TJson* v = Take(id);
    Bytes values;
    if (!v) {
      values.assign(static_cast<const uint8_t*>(block.resetData),
                    static_cast<const uint8_t*>(block.resetData) + block.resetBytes);
    } else if (ShapeOf(type_, id) == TFieldShape::Script) {
      values = ScriptBytes(id, *v);
    } else {
      values = Elements(id, *v, block.element, SIZE_MAX);
    }
    block.resize(block.owner, values.size());
    const size_t n = std::min(block.byteSize(block.owner), values.size());
    if (n) std::memcpy(block.data(block.owner), values.data(), n);
    if (pendingCount_) {
      *pendingCount_ = static_cast<int32_t>(values.size() / ElementSize(block.element));
      pendingCount_ = nullptr;
    }
  }
  void String(int id, std::string& field, bool, const char* reset) override {
    const TJson* v = Take(id);
    if (!v) {
      if (reset)
        field = reset;
      else
        field.clear();
      return;
    }
    Enter(id);
    if (!v->is_string()) Refuse(state_.path, std::string("a string is expected, not ") + TypeName(*v));
    TStoredTextError error;
    if (!state_.stored.FromUtf8(v->get_ref<const std::string&>(), field, error)) Refuse(state_.path, error.problem);
    Leave();
  }
  void Record(int id, TCatalogBaseItem& record) override {
    const TJson* v = Take(id);
    if (!v) return record.Reset();
    Enter(id);
    LoadRecord(state_, *v, record);
    Leave();
  }
  void List(int id, TCatalog& list, int resetCount, TListReset init) override {
    const TJson* v = Take(id);
    if (!v) {
      if (resetCount > 0)
        list.SetCount(resetCount);
      else
        list.Clear();
      if (init) init(list);
      return;
    }
    Enter(id);
    LoadList(state_, *v, list);
    Leave();
  }

 private:
  void Described(int id) {
    if (described_.empty() || described_.back() < id)
      described_.push_back(id);
    else if (!std::binary_search(described_.begin(), described_.end(), id))
      described_.insert(std::lower_bound(described_.begin(), described_.end(), id), id);
  }
  TMember* Find(int id, TKey::Kind kind) {
    auto it = std::lower_bound(members_.begin(), members_.end(), id, [](const TMember& m, int v) { return m.id < v; });
    for (; it != members_.end() && it->id == id; ++it)
      if (it->kind == kind) return &*it;
    return nullptr;
  }
  // The value of field id, or none; a member of the right chunk under another name is refused.
  const TJson* Take(int id) {
    Described(id);
    TMember* m = Find(id, TKey::Field);
    if (!m) return nullptr;
    const TFieldName* named = FindFieldName(type_, id);
    if (m->name != (named ? named->name : "chunk")) {
      state_.path.push_back(*m->key);
      Refuse(state_.path, "chunk " + std::to_string(id) + " is the field " + FieldKey(type_, id));
    }
    m->used = true;
    current_ = m;
    return m->value;
  }
  void Enter(int id) { state_.path.push_back(FieldKey(type_, id)); }
  void Leave() { state_.path.pop_back(); }
  int32_t Int32(int id, const TJson& v) { return static_cast<int32_t>(Ranged(id, v, kInt32Min, kInt32Max)); }
  int64_t Ranged(int id, const TJson& v, int64_t lo, int64_t hi) {
    Enter(id);
    const int64_t value = IntegerIn(v, lo, hi, state_.path);
    Leave();
    return value;
  }
  // The elements of an array field (or of a map layer's rows) as stored bytes; expected: how many a
  // fixed block holds (SIZE_MAX: any number).
  Bytes Elements(int id, const TJson& v, TElement element, size_t expected) {
    Enter(id);
    if (!v.is_array()) Refuse(state_.path, std::string("an array of numbers is expected, not ") + TypeName(v));
    int64_t lo = 0, hi = 0;
    ElementRange(element, lo, hi);
    const size_t size = ElementSize(element);
    Bytes out;
    auto put = [&](const TJson& e, size_t index) {
      state_.path.push_back(std::to_string(index));
      const int64_t value = IntegerIn(e, lo, hi, state_.path);
      state_.path.pop_back();
      out.resize(out.size() + size);
      PutElement(out.data() + out.size() - size, element, value);
    };
    if (ShapeOf(type_, id) == TFieldShape::Rows) {
      const int64_t width = IntegerMember("width"), height = IntegerMember("height");
      if (static_cast<int64_t>(v.size()) != height)
        Refuse(state_.path, "the layer has " + std::to_string(v.size()) + " rows where the map is " +
                                std::to_string(height) + " high");
      out.reserve(static_cast<size_t>(std::max<int64_t>(0, width * height)) * size);
      for (size_t row = 0; row < v.size(); ++row) {
        state_.path.push_back(std::to_string(row));
        const TJson& r = v[row];
        if (!r.is_array()) Refuse(state_.path, std::string("a row is an array of tile ids, not ") + TypeName(r));
        if (static_cast<int64_t>(r.size()) != width)
          Refuse(state_.path, "the row has " + std::to_string(r.size()) + " cells where the map is " +
                                  std::to_string(width) + " wide");
        const auto& cells = r.get_ref<const TJson::array_t&>();
        for (size_t x = 0; x < cells.size(); ++x) put(cells[x], x);
        state_.path.pop_back();
      }
    } else {
      if (expected != SIZE_MAX && v.size() != expected)
        Refuse(state_.path, "the array holds " + std::to_string(v.size()) + " elements where the field holds " +
                                std::to_string(expected));
      out.reserve(v.size() * size);
      const auto& elements = v.get_ref<const TJson::array_t&>();
      for (size_t i = 0; i < elements.size(); ++i) put(elements[i], i);
    }
    Leave();
    return out;
  }
  // An integer member of this object by its field name (the map's width and height), 0 without one.
  int64_t IntegerMember(const char* name) const {
    for (const TMember& m : members_)
      if (m.kind == TKey::Field && m.name == name && m.value->is_number_integer()) return m.value->get<int64_t>();
    return 0;
  }
  // A script's packed block: the stored bytes when they hold the lines the text gives, else the
  // lines packed anew.
  Bytes ScriptBytes(int id, const TJson& v) {
    Enter(id);
    TLcfEventScriptList lines;
    Bytes packed = PackScript(state_, v, lines);
    Leave();
    TMember* stored = Find(id, TKey::Stored);
    if (!stored) return packed;
    stored->used = true;
    state_.path.push_back(*stored->key);
    Bytes bytes;
    if (!stored->value->is_string() || !FromHex(stored->value->get_ref<const std::string&>(), bytes))
      Refuse(state_.path, "stored bytes are an even number of hex digits");
    state_.path.pop_back();
    TLcfEventScriptList storedLines;
    try {
      storedLines.DecodeFrom(bytes);
    } catch (const EReadError&) {
      // Bytes that hold no lines stand for an empty array of lines only.
      return v.empty() ? bytes : packed;
    }
    return storedLines == lines ? bytes : packed;
  }

  TReadState& state_;
  const std::type_info& type_;
  std::vector<TMember> members_;
  std::vector<int> described_;
  TMember* current_ = nullptr;
  int32_t* pendingCount_ = nullptr;
};

void LoadRecord(TReadState& state, const TJson& object, TCatalogBaseItem& record, bool topLevel) {
  if (!object.is_object()) Refuse(state.path, std::string("a record is an object, not ") + TypeName(object));
  TTextReader reader(state, object, typeid(record), topLevel);
  std::vector<TRawChunk> kept = reader.KeptChunks();
  const size_t depth = state.path.size();
  try {
    record.LoadThrough(reader, std::move(kept));
  } catch (const EDamagedData& e) {
    // What the model itself refuses while loading (a map of a size no map can have).
    state.path.resize(std::min(state.path.size(), depth));
    Refuse(state.path, e.Problem());
  } catch (const EReadError& e) {
    state.path.resize(std::min(state.path.size(), depth));
    Refuse(state.path, e.what());
  }
  reader.CheckAllUsed();
}

void LoadList(TReadState& state, const TJson& array, TCatalog& list) {
  if (!array.is_array()) Refuse(state.path, std::string("a list is an array of objects, not ") + TypeName(array));
  list.Clear();
  int64_t last = std::numeric_limits<int64_t>::min();
  for (size_t i = 0; i < array.size(); ++i) {
    state.path.push_back(std::to_string(i));
    const TJson& item = array[i];
    if (!item.is_object()) Refuse(state.path, std::string("a list item is an object, not ") + TypeName(item));
    auto id = item.find("id");
    if (id == item.end()) Refuse(state.path, "the item has no \"id\"");
    state.path.push_back("id");
    const int64_t value = IntegerIn(*id, kInt32Min, kInt32Max, state.path);
    if (value <= last)
      Refuse(state.path, "ids ascend through a list: " + std::to_string(value) + " follows " + std::to_string(last));
    state.path.pop_back();
    last = value;
    LoadRecord(state, item, *list.AppendLoaded(static_cast<int32_t>(value)));
    state.path.pop_back();
  }
}

const std::string& StringMember(const TJson& text, const char* name, const std::vector<std::string>& at) {
  auto it = text.find(name);
  if (it == text.end() || !it->is_string()) Refuse(at, std::string("the text has no \"") + name + "\" string");
  return it->get_ref<const std::string&>();
}

constexpr const char* kNotWrittenBack = "the model does not keep this as the text gives it";

// The first value where a text and the text of the model made from it differ (script lines' "text"
// aside): its path and what differs. Members may stand in any order.
bool FirstDifference(const TJson& a, const TJson& b, std::vector<std::string>& path, std::string& problem) {
  if (a.type() != b.type() && !(a.is_number_integer() && b.is_number_integer())) {
    problem = kNotWrittenBack;
    return true;
  }
  if (a.is_object()) {
    size_t compared = 0;
    for (auto it = a.begin(); it != a.end(); ++it) {
      if (it.key() == "text") continue;
      path.push_back(it.key());
      auto other = b.find(it.key());
      if (other == b.end()) {
        problem = "the model does not keep this member";
        return true;
      }
      if (FirstDifference(*it, *other, path, problem)) return true;
      path.pop_back();
      ++compared;
    }
    for (auto it = b.begin(); it != b.end(); ++it) {
      if (it.key() == "text" || a.contains(it.key())) continue;
      path.push_back(it.key());
      problem = "the text lacks this member";
      return true;
    }
    return false;
  }
  if (a.is_array()) {
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
      path.push_back(std::to_string(i));
      if (FirstDifference(a[i], b[i], path, problem)) return true;
      path.pop_back();
    }
    if (a.size() != b.size()) {
      problem = kNotWrittenBack;
      return true;
    }
    return false;
  }
  if (a != b) {
    problem = kNotWrittenBack;
    return true;
  }
  return false;
}

// Refuses a text whose model shows otherwise than the text: a value the model does not keep.
void ExpectSameText(const TJson& text, const TJson& made) {
  std::vector<std::string> path;
  std::string problem;
  if (FirstDifference(text, made, path, problem)) Refuse(path, problem);
}

TWriteState CompareState(const TReadState& state) {
  return TWriteState{state.stored, TEventScriptConverter(EmptyDataBase()), false};
}

Bytes DataBaseBytes(TReadState& state, const TJson& text) {
  auto db = std::make_unique<TLcfDataBase>();
  struct TKept {
    int32_t id;
    Bytes body;
  };
  std::vector<TKept> kept;
  std::vector<const TJson*> animations;
  bool present[40] = {};
  for (auto it = text.begin(); it != text.end(); ++it) {
    if (it.key() == kFileMember || it.key() == kCodePageMember) continue;
    state.path.push_back(it.key());
    const TKey k = ParseKey(it.key());
    const TDataBasePart* part = k.kind == TKey::Field || k.kind == TKey::Kept ? FindPart(k.id) : nullptr;
    if (k.kind == TKey::Kept && !part) {
      Bytes body;
      if (!it->is_string() || !FromHex(it->get_ref<const std::string&>(), body))
        Refuse(state.path, "a kept chunk is a hex string of an even number of digits");
      if (body.empty()) Refuse(state.path, "a kept chunk holds data");
      kept.push_back({k.id, std::move(body)});
    } else if (k.kind == TKey::Field && part && k.name == part->name) {
      if (present[part->id]) Refuse(state.path, "the database holds " + it.key() + " twice");
      present[part->id] = true;
      TPartRef ref = PartOf(*db, part->id);
      if (ref.record)
        LoadRecord(state, *it, *ref.record);
      else
        LoadList(state, *it, *ref.list);
      if (part->id == 19)
        for (const TJson& item : *it) animations.push_back(&item);
    } else {
      Refuse(state.path, "the database has no part \"" + it.key() + "\"");
    }
    state.path.pop_back();
  }
  for (const TDataBasePart& part : DataBaseParts())
    if (!present[part.id])
      Refuse(state.path, std::string("the database lacks its part ") + part.name + "#" + std::to_string(part.id));
  std::sort(kept.begin(), kept.end(), [](const TKept& a, const TKept& b) { return a.id < b.id; });

  // The file as a save writes it: every chunk from 11 to 32, the kept ones in their places.
  Bytes out;
  TByteWriter w(out);
  w.WriteString(kDataBaseMagic);
  size_t nextKept = 0;
  auto keptBelow = [&](int32_t id) {
    for (; nextKept < kept.size() && kept[nextKept].id < id; ++nextKept) {
      w.WriteInt(kept[nextKept].id);
      w.WriteInt(static_cast<int32_t>(kept[nextKept].body.size()));
      w.WriteBytes(kept[nextKept].body.data(), kept[nextKept].body.size());
    }
  };
  Bytes body;
  for (int32_t id = 11; id <= 32; ++id) {
    keptBelow(id);
    body.clear();
    const TPartRef ref = PartOf(*db, id);
    if (id == 19) {
      TByteWriter b(body);
      b.WriteInt(db->animations.Count());
      for (int i = 0; i < db->animations.Count(); ++i) {
        TLcfAnimationItem* item = db->animations.ItemAt(i);
        b.WriteInt(item->Id());
        Bytes canonical;
        item->SaveTo(canonical, TCatalogVarData::Mode::Copy);
        Bytes use = canonical;
        auto stored = animations[static_cast<size_t>(i)]->find(kStoredMember);
        if (stored != animations[static_cast<size_t>(i)]->end()) {
          state.path = {"battleAnimations#19", std::to_string(i), kStoredMember};
          Bytes bytes;
          if (!stored->is_string() || !FromHex(stored->get_ref<const std::string&>(), bytes))
            Refuse(state.path, "stored bytes are an even number of hex digits");
          TLcfAnimationItem scratch;
          Bytes again;
          try {
            TByteReader r(bytes.data(), bytes.size());
            scratch.LoadFrom(r);
            ExpectEnd(r, "record");
            scratch.SaveTo(again, TCatalogVarData::Mode::Copy);
          } catch (const EReadError& e) {
            Refuse(state.path, std::string("the stored bytes are damaged: ") + e.what());
          }
          if (again == canonical) use = bytes;
          state.path.clear();
        }
        body.insert(body.end(), use.begin(), use.end());
      }
    } else if (ref.list) {
      ref.list->SaveTo(body, TCatalogVarData::Mode::Copy);
    } else if (ref.record) {
      ref.record->SaveTo(body, TCatalogVarData::Mode::Copy);
    } else if (nextKept < kept.size() && kept[nextKept].id == id) {
      body = kept[nextKept++].body;
    }
    w.WriteInt(id);
    w.WriteInt(static_cast<int32_t>(body.size()));
    w.WriteBytes(body.data(), body.size());
  }
  keptBelow(std::numeric_limits<int32_t>::max());

  // Taken only when the database saves these bytes again.
  auto again = std::make_unique<TLcfDataBase>();
  try {
    again->LoadFromMemory(out, true);
  } catch (const EDamagedData& e) {
    Refuse({}, e.Problem());
  }
  TWriteState compare = CompareState(state);
  ExpectSameText(text, DataBaseJsonOf(compare, *again));
  return out;
}

Bytes MapTreeBytes(TReadState& state, const TJson& text) {
  TLcfMapTree tree;
  auto member = [&](const char* name) -> const TJson& {
    auto it = text.find(name);
    if (it == text.end()) Refuse(state.path, std::string("the map tree lacks \"") + name + "\"");
    return *it;
  };
  for (auto it = text.begin(); it != text.end(); ++it) {
    const std::string& k = it.key();
    if (k != kFileMember && k != kCodePageMember && k != "nodes" && k != "order" && k != "currentNode" &&
        k != "startPositions")
      Refuse({k}, "the map tree has no part \"" + k + "\"");
  }
  state.path = {"nodes"};
  LoadList(state, member("nodes"), tree);
  state.path = {"order"};
  const TJson& order = member("order");
  if (!order.is_array()) Refuse(state.path, std::string("an array of node ids is expected, not ") + TypeName(order));
  for (size_t i = 0; i < order.size(); ++i) {
    state.path.push_back(std::to_string(i));
    tree.order.push_back(static_cast<int32_t>(IntegerIn(order[i], kInt32Min, kInt32Max, state.path)));
    state.path.pop_back();
  }
  state.path = {"currentNode"};
  tree.currentId = static_cast<int32_t>(IntegerIn(member("currentNode"), kInt32Min, kInt32Max, state.path));
  state.path = {"startPositions"};
  LoadRecord(state, member("startPositions"), tree.startPositions);
  state.path.clear();
  Bytes out = tree.SaveToBytes();
  TLcfMapTree again;
  try {
    again.LoadFromBytes(out);
  } catch (const EDamagedData& e) {
    Refuse({"order"}, e.Problem());
  }
  TWriteState compare = CompareState(state);
  ExpectSameText(text, MapTreeJsonOf(compare, tree));
  return out;
}

Bytes MapBytes(TReadState& state, const TJson& text) {
  // The size a map can have, checked where the text states it.
  const std::string widthKey = FieldKey(typeid(TLcfMap), 2), heightKey = FieldKey(typeid(TLcfMap), 3);
  auto dimension = [&](const std::string& key, int64_t reset) {
    auto it = text.find(key);
    return it != text.end() && it->is_number_integer() ? it->get<int64_t>() : reset;
  };
  const int64_t width = dimension(widthKey, 20), height = dimension(heightKey, 15);
  if (width <= 0 || height <= 0 || width * height > kMaxMapCells)
    Refuse({width <= 0 || height > 0 ? widthKey : heightKey},
           "the map's size, " + std::to_string(width) + " x " + std::to_string(height) + ", is not one a map can have");
  TLcfMap map;
  LoadRecord(state, text, map, true);
  Bytes out = map.SaveToBytes();
  TLcfMap again;
  try {
    again.LoadFromBytes(out);
  } catch (const EDamagedData& e) {
    Refuse({}, e.Problem());
  }
  TWriteState compare = CompareState(state);
  ExpectSameText(text, MapJsonOf(compare, map));
  return out;
}

}  // namespace

Bytes TTextForm::FileBytes(const TJson& text) {
  if (!text.is_object()) Refuse({}, std::string("a text form is an object, not ") + TypeName(text));
  const std::string& kind = StringMember(text, kFileMember, {});
  const std::string& codePage = StringMember(text, kCodePageMember, {});
  std::unique_ptr<TStoredText> own;
  const TStoredText* stored = stored_.get();
  if (codePage != stored_->CodePage()) {
    try {
      own = std::make_unique<TStoredText>(codePage);
    } catch (const std::invalid_argument&) {
      Refuse({kCodePageMember}, "unknown code page \"" + codePage + "\"");
    }
    stored = own.get();
  }
  TReadState state{*stored, {}};
  if (kind == TextFileKindName(TTextFileKind::DataBase)) return DataBaseBytes(state, text);
  if (kind == TextFileKindName(TTextFileKind::MapTree)) return MapTreeBytes(state, text);
  if (kind == TextFileKindName(TTextFileKind::Map)) return MapBytes(state, text);
  Refuse({kFileMember}, "\"" + kind + "\" is no kind of file (database, map tree, map)");
}

// ---------------------------------------------------------------------------------------------
// Printing

namespace {

bool IsScalar(const TJson& j) { return !j.is_structured(); }

bool ScalarArray(const TJson& j) {
  return j.is_array() && std::all_of(j.begin(), j.end(), [](const TJson& e) { return IsScalar(e); });
}

// A small flat object stays on one line: a script line, an encounter, a music reference.
bool OneLineObject(const TJson& j) {
  if (!j.is_object() || j.size() > 6) return false;
  for (auto it = j.begin(); it != j.end(); ++it)
    if (!IsScalar(*it) && !ScalarArray(*it)) return false;
  return true;
}

void Print(const TJson& j, std::string& out, int indent) {
  if (IsScalar(j) || (j.is_array() && ScalarArray(j)) || OneLineObject(j) || j.empty()) {
    out += j.dump(-1, ' ', false, TJson::error_handler_t::strict);
    return;
  }
  const std::string pad(static_cast<size_t>(indent + 2), ' ');
  if (j.is_array()) {
    out += "[\n";
    for (size_t i = 0; i < j.size(); ++i) {
      out += pad;
      Print(j[i], out, indent + 2);
      out += i + 1 < j.size() ? ",\n" : "\n";
    }
  } else {
    out += "{\n";
    size_t i = 0;
    for (auto it = j.begin(); it != j.end(); ++it, ++i) {
      out += pad;
      out += TJson(it.key()).dump();
      out += ": ";
      Print(*it, out, indent + 2);
      out += i + 1 < j.size() ? ",\n" : "\n";
    }
  }
  out.append(static_cast<size_t>(indent), ' ');
  out += j.is_array() ? ']' : '}';
}

}  // namespace

std::string PrintText(const TJson& text) {
  std::string out;
  Print(text, out, 0);
  out += '\n';
  return out;
}

// ---------------------------------------------------------------------------------------------
// Parsing and locating

namespace {

std::pair<int, int> LineColumn(const std::string& text, size_t offset) {
  offset = std::min(offset, text.size());
  int line = 1;
  size_t lineStart = 0;
  for (size_t i = 0; i < offset; ++i)
    if (text[i] == '\n') {
      ++line;
      lineStart = i + 1;
    }
  return {line, static_cast<int>(offset - lineStart) + 1};
}

// An iterator over the text that notes the last character the parser took.
struct TTrackingIterator {
  using iterator_category = std::forward_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = const char&;

  const char* p;
  const char** last;
  reference operator*() const {
    *last = p;
    return *p;
  }
  TTrackingIterator& operator++() {
    ++p;
    return *this;
  }
  TTrackingIterator operator++(int) {
    TTrackingIterator t = *this;
    ++p;
    return t;
  }
  bool operator==(const TTrackingIterator& o) const { return p == o.p; }
  bool operator!=(const TTrackingIterator& o) const { return p != o.p; }
};

// Walks the text's values and stops at the one the path names, noting where the parser stood.
class TLocator final : public nlohmann::json_sax<TJson> {
 public:
  TLocator(const std::vector<std::string>& target, const char** last) : target_(target), last_(last) {}

  bool null() override { return Value(); }
  bool boolean(bool) override { return Value(); }
  bool number_integer(number_integer_t) override { return Value(); }
  bool number_unsigned(number_unsigned_t) override { return Value(); }
  bool number_float(number_float_t, const string_t&) override { return Value(); }
  bool string(string_t&) override { return Value(); }
  bool binary(binary_t&) override { return Value(); }
  bool start_object(std::size_t) override { return Open(false); }
  bool key(string_t& key) override {
    frames_.back().key = key;
    return true;
  }
  bool end_object() override { return Close(); }
  bool start_array(std::size_t) override { return Open(true); }
  bool end_array() override { return Close(); }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override { return false; }

  const char* Found() const { return found_; }

 private:
  struct TFrame {
    bool array;
    size_t index = 0;
    std::string key;
  };
  bool AtTarget() const {
    if (frames_.size() != target_.size()) return false;
    for (size_t i = 0; i < frames_.size(); ++i) {
      const std::string here = frames_[i].array ? std::to_string(frames_[i].index) : frames_[i].key;
      if (here != target_[i]) return false;
    }
    return true;
  }
  bool Value() {
    if (AtTarget()) {
      found_ = *last_;
      return false;
    }
    Next();
    return true;
  }
  bool Open(bool array) {
    if (AtTarget()) {
      found_ = *last_;
      return false;
    }
    frames_.push_back({array, 0, {}});
    return true;
  }
  bool Close() {
    frames_.pop_back();
    Next();
    return true;
  }
  void Next() {
    if (!frames_.empty() && frames_.back().array) ++frames_.back().index;
  }

  const std::vector<std::string>& target_;
  const char** last_;
  std::vector<TFrame> frames_;
  const char* found_ = nullptr;
};

// The start of the value token that ends at or just before offset.
size_t TokenStart(const std::string& text, size_t at) {
  if (text.empty()) return 0;
  size_t i = std::min(at, text.size() - 1);
  auto ends = [](char c) {
    return c == '"' || c == '{' || c == '[' || std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '+' ||
           c == '-';
  };
  while (i > 0 && !ends(text[i])) --i;
  if (text[i] == '{' || text[i] == '[') return i;
  if (text[i] == '"') {
    for (size_t j = i; j-- > 0;) {
      if (text[j] != '"') continue;
      size_t slashes = 0;
      for (size_t k = j; k-- > 0 && text[k] == '\\';) ++slashes;
      if (slashes % 2 == 0) return j;
    }
    return 0;
  }
  while (i > 0 && (std::isalnum(static_cast<unsigned char>(text[i - 1])) || text[i - 1] == '.' || text[i - 1] == '+' ||
                   text[i - 1] == '-'))
    --i;
  return i;
}

}  // namespace

std::pair<int, int> LocateInText(const std::string& text, const std::vector<std::string>& path) {
  const char* last = text.data();
  TLocator locator(path, &last);
  TTrackingIterator first{text.data(), &last}, end{text.data() + text.size(), &last};
  TJson::sax_parse(first, end, &locator);
  if (!locator.Found()) return {0, 0};
  return LineColumn(text, TokenStart(text, static_cast<size_t>(locator.Found() - text.data())));
}

ETextFormError LocatedError(const std::string& text, const std::string& fileName, const TTextFieldError& error) {
  auto [line, column] = LocateInText(text, error.path);
  if (line == 0 && !error.path.empty()) {
    // A member the text lacks: the object that should hold it.
    std::vector<std::string> parent(error.path.begin(), error.path.end() - 1);
    std::tie(line, column) = LocateInText(text, parent);
  }
  if (line == 0) line = column = 1;
  return ETextFormError(fileName, line, column, JoinPath(error.path), error.problem);
}

TJson ParseText(const std::string& text, const std::string& fileName) {
  try {
    return TJson::parse(text);
  } catch (const TJson::parse_error& e) {
    const size_t at = e.byte > 0 ? e.byte - 1 : 0;
    auto [line, column] = LineColumn(text, at);
    std::string problem = e.what();
    // "[json.exception.parse_error.101] parse error at line 3, column 5: syntax error while parsing ..."
    const size_t colon = problem.find(": ");
    if (colon != std::string::npos) problem = problem.substr(colon + 2);
    throw ETextFormError(fileName, line, column, "", problem);
  }
}

Bytes TextToFile(const std::string& text, const std::string& fileName) {
  TJson json = ParseText(text, fileName);
  try {
    TTextForm form("windows-1252");
    return form.FileBytes(json);
  } catch (const TTextFieldError& e) {
    throw LocatedError(text, fileName, e);
  }
}

std::string FileToText(const Bytes& file, const std::string& codePage, TTextContext context) {
  TTextForm form(codePage, context);
  return PrintText(form.FileJson(file));
}

}  // namespace tess
