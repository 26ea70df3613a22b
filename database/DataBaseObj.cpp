#include "database/DataBaseObj.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

#include "core/AtomicFile.h"
#include "core/CountText.h"
#include "core/MessagePort.h"
#include "core/PathUtils.h"
#include "core/QuietMode.h"

namespace tess {

namespace {

constexpr int32_t kFirstChunk = 11, kLastChunk = 32, kAnimationChunk = 19;
constexpr int32_t kNewFormatVersion = TLcfSystem::kCurrentFormatVersion;

// One top-level chunk: the list or the record it holds, and what damage messages call it.
struct TTopLevel {
  int32_t id;
  TCatalog* list;
  TCatalogBaseItem* record;
  const char* name;
};

constexpr const char* kAnimationsName = "battle animations";

// Every top-level chunk but the battle animations, which load and save through their caches.
std::vector<TTopLevel> TopLevel(TLcfDataBase& db) {
  return {{11, &db.heroes, nullptr, "heroes"},
          {12, &db.skills, nullptr, "skills"},
          {13, &db.items, nullptr, "items"},
          {14, &db.monsters, nullptr, "monsters"},
          {15, &db.troops, nullptr, "troops"},
          {16, &db.terrain, nullptr, "terrain"},
          {17, &db.attributes, nullptr, "attributes"},
          {18, &db.conditions, nullptr, "conditions"},
          {20, &db.tilesets, nullptr, "tilesets"},
          {21, nullptr, &db.vocabulary, "vocabulary"},
          {22, nullptr, &db.system, "system"},
          {23, &db.switches, nullptr, "switches"},
          {24, &db.variables, nullptr, "variables"},
          {25, &db.commonEvents, nullptr, "common events"},
          {29, nullptr, &db.battle, "battle layout"},
          {30, &db.classes, nullptr, "classes"},
          {32, &db.battlerAnimations, nullptr, "battler animations"}};
}

}  // namespace

namespace {
// The path of name in folder: the entry already there under any case, else the name as given.
std::string PathNoCase(const std::string& folder, const std::string& name) {
  return FindNameNoCase(folder, name).value_or(WithTrailingBackslash(folder) + name);
}
}  // namespace

TFileStamp FileStampOf(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) throw EFileError("Cannot open file \"" + path + "\". " + std::strerror(errno));
  return {static_cast<int64_t>(st.st_size),
          static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + static_cast<int64_t>(st.st_mtim.tv_nsec)};
}

TLcfDataBase::TLcfDataBase() {
  battle.SetTerrainList(&terrain);
  ResetDatabase();
}

void TLcfDataBase::ResetDatabase() {
  for (const TTopLevel& t : TopLevel(*this)) {
    if (t.list)
      t.list->SetCount(1);
    else
      t.record->Reset();
  }
  animations.SetCount(1);
  kept_.clear();
  stamp_ = {};
  damage_.Clear();
}

// ---------------------------------------------------------------------------------------------
// Loading

void TLcfDataBase::LoadFromMemory(const Bytes& data, bool resetMissing, bool keepPartial) {
  TByteReader reader(data.data(), data.size());
  ExpectMagic(reader, kDataBaseMagic);

  // Everything but the battle animations is parsed into a scratch database; nothing here changes
  // until the whole file has been read.
  auto scratch = std::make_unique<TLcfDataBase>();
  std::vector<TTopLevel> into = TopLevel(*scratch);
  bool present[kLastChunk + 1] = {};
  std::optional<TByteReader> animationBody;
  std::vector<TKeptChunk> kept;
  // The list part the damage lies in, which keeps the items read before it.
  const TTopLevel* damagedList = nullptr;

  // Takes the parts read completely; the others keep what they held, or are reset when
  // resetMissing is set.
  auto takeParts = [&] {
    if (!present[kAnimationChunk] && resetMissing) animations.SetCount(1);
    std::vector<TTopLevel> mine = TopLevel(*this);
    for (size_t i = 0; i < mine.size(); ++i) {
      if (!present[mine[i].id]) {
        if (!resetMissing) continue;
        if (mine[i].list)
          mine[i].list->SetCount(1);
        else
          mine[i].record->Reset();
      } else if (mine[i].list) {
        mine[i].list->Swap(*into[i].list);
      } else {
        mine[i].record->Assign(*into[i].record);
      }
    }
    std::stable_sort(kept.begin(), kept.end(), [](const TKeptChunk& a, const TKeptChunk& b) { return a.id < b.id; });
    kept_ = std::move(kept);
    lastSize_ = data.size();
  };
  // Keeps every clean animation whose bytes are unchanged; on error the list is as it was.
  auto loadAnimations = [&] {
    try {
      animations.LoadReusing(*animationBody);
      present[kAnimationChunk] = true;
    } catch (EDamagedData& e) {
      e.EnterPart(kAnimationsName);
      throw;
    }
  };

  try {
    // The top level is a run of chunks that ends with the data; it has no closing 0.
    while (!reader.AtEnd()) {
      const int64_t at = reader.Offset();
      int32_t id, size;
      if (!reader.TryReadInt(id)) throw EDamagedData("the data ends inside a chunk id", at);
      if (!reader.TryReadInt(size))
        throw EDamagedData("the data ends inside the size of chunk " + std::to_string(id), at);
      if (size < 0 || static_cast<size_t>(size) > reader.Remaining())
        throw EDamagedData("chunk " + std::to_string(id) + " claims " + std::to_string(size) + " bytes where " +
                               std::to_string(reader.Remaining()) + " are left",
                           at);
      // Each part reads only its own chunk's body, however damaged, and must end where it does.
      TByteReader body = reader.Part(static_cast<size_t>(size));
      auto member = std::find_if(into.begin(), into.end(), [id](const TTopLevel& t) { return t.id == id; });
      if (id == kAnimationChunk) {
        animationBody.emplace(body);
      } else if (member != into.end()) {
        try {
          if (member->list)
            member->list->LoadFrom(body);
          else
            member->record->LoadFrom(body);
          ExpectEnd(body, member->list ? "list" : "record");
        } catch (EDamagedData& e) {
          if (member->list) damagedList = &*member;
          e.EnterPart(member->name);
          throw;
        }
        present[id] = true;
      } else if (id > 0 && size > 0) {
        // A chunk this system does not use (or an unused one that holds data) is kept; the later
        // of two with the same id wins.
        std::erase_if(kept, [id](const TKeptChunk& k) { return k.id == id; });
        kept.push_back({id, Bytes(body.Here(), body.Here() + size)});
      }
      reader.Skip(static_cast<size_t>(size));
    }
    if (animationBody) loadAnimations();
  } catch (EDamagedData&) {
    if (keepPartial) {
      if (animationBody && !present[kAnimationChunk]) {
        try {
          loadAnimations();
        } catch (const EDamagedData&) {
          // The first damage found is the one reported.
        }
      }
      // A damaged list keeps the items read before the damage; one that kept none is reset.
      if (damagedList && damagedList->list->Count() > 0) present[damagedList->id] = true;
      takeParts();
    }
    throw;
  }
  takeParts();
}

void TLcfDataBase::LoadFromFile(const std::string& path) {
  damage_.Clear();
  const TFileStamp now = FileStampOf(path);
  const Bytes data = ReadWholeFile(path);
  const bool quiet = QuietMode();
  try {
    LoadFromMemory(data, !(now == stamp_), quiet);
    stamp_ = now;
  } catch (EDamagedData& e) {
    e.SetFile(path);
    if (!quiet) throw;
    damage_.Set(std::current_exception(), e.what(), path);
  } catch (const EReadError& e) {
    if (!quiet) throw;
    damage_.Set(std::current_exception(), e.what(), path);
  }
  // What a damaged file left in memory is not the file: a later load starts from a reset database.
  if (damage_) stamp_ = {};
}

bool TLcfDataBase::LoadDatabase(const std::string& projectFolder, std::string* error, TErrorWording wording) {
  try {
    LoadFromFile(PathNoCase(projectFolder, kDataBaseFileName));
    if (!damage_) return true;
    if (error) *error = damage_.Message();
  } catch (const ETessError& e) {
    if (error) *error = ErrorText(e, wording);
  } catch (const std::bad_alloc&) {
    if (error) *error = EOutOfMemory().what();
  }
  return false;
}

// ---------------------------------------------------------------------------------------------
// Saving

void TLcfDataBase::TrimForSave() {
  const TTrimLimits limits{conditions.Count(), attributes.Count()};
  for (int i = 0; i < heroes.Count(); ++i) heroes.ItemAt(i)->TrimForSave(limits);
  for (int i = 0; i < classes.Count(); ++i) classes.ItemAt(i)->TrimForSave(limits);
  for (int i = 0; i < skills.Count(); ++i) skills.ItemAt(i)->TrimForSave(limits);
  for (int i = 0; i < items.Count(); ++i) items.ItemAt(i)->TrimForSave(limits);
  for (int i = 0; i < monsters.Count(); ++i) monsters.ItemAt(i)->TrimForSave(limits);
}

Bytes TLcfDataBase::SaveToMemory(TCatalogVarData::Mode mode) {
  TrimForSave();
  Bytes out;
  // The file is about as large as it was the last time: room for it is made at once.
  out.reserve(lastSize_);
  TByteWriter w(out);
  w.WriteString(kDataBaseMagic);
  std::vector<TTopLevel> parts = TopLevel(*this);
  size_t nextKept = 0;
  auto writeKeptBelow = [&](int32_t id) {
    for (; nextKept < kept_.size() && kept_[nextKept].id < id; ++nextKept) {
      w.WriteInt(kept_[nextKept].id);
      w.WriteInt(static_cast<int32_t>(kept_[nextKept].body.size()));
      w.WriteBytes(kept_[nextKept].body.data(), kept_[nextKept].body.size());
    }
  };
  Bytes body;
  for (int32_t id = kFirstChunk; id <= kLastChunk; ++id) {
    writeKeptBelow(id);
    body.clear();
    auto part = std::find_if(parts.begin(), parts.end(), [id](const TTopLevel& t) { return t.id == id; });
    if (id == kAnimationChunk) {
      animations.SaveCached(body);
    } else if (part != parts.end()) {
      if (part->list)
        part->list->SaveTo(body, mode);
      else
        part->record->SaveTo(body, mode);
    } else if (nextKept < kept_.size() && kept_[nextKept].id == id) {
      body = kept_[nextKept++].body;  // an unused chunk that came with data
    }
    w.WriteInt(id);
    w.WriteInt(static_cast<int32_t>(body.size()));
    w.WriteBytes(body.data(), body.size());
  }
  writeKeptBelow(INT32_MAX);
  lastSize_ = out.size();
  return out;
}

void TLcfDataBase::SaveToFile(const std::string& path) {
  damage_.RefuseToOverwrite(path);
  const int32_t savesBefore = system.saveCount;
  Bytes data;
  try {
    data = SaveToMemory();
    WriteFileAtomic(path, data);
  } catch (...) {
    system.saveCount = savesBefore;
    throw;
  }
  // The stamp of the file as it now stands, after the rename.
  try {
    stamp_ = FileStampOf(path);
  } catch (const EFileError&) {
    stamp_ = {};  // unknown: the next load starts from a reset database
  }
}

bool TLcfDataBase::SaveDatabase(const std::string& projectFolder, const std::string& applicationFolder) {
  if (system.formatVersion < kNewFormatVersion) {
    bool ok = ShowMessageBox(kConvertQuestion, {TMessageIcon::Warning, TMessageButtons::YesNo}) == TMessageResult::Yes;
    for (const char* folder : {"Battle2", "BattleCharSet", "BattleWeapon", "Frame", "System2"}) {
      if (!ok) break;
      const std::string path = PathNoCase(projectFolder, folder);
      struct stat st;
      if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) continue;
      ok = ::mkdir(path.c_str(), 0777) == 0;
    }
    if (!ok) {
      ShowError(kCompileFailedMessage);
      return false;
    }
    // The newer format needs the newer runtime; whether the copy works is not essential to the
    // data and is not checked.
    try {
      WriteFileAtomic(PathNoCase(projectFolder, "TESS_RT.exe"),
                      ReadWholeFile(PathNoCase(applicationFolder, "TESS_RT.exe.dat")));
    } catch (const ETessError&) {
    }
  }
  const int32_t versionBefore = system.formatVersion;
  system.formatVersion = kNewFormatVersion;
  try {
    SaveToFile(PathNoCase(projectFolder, kDataBaseFileName));
  } catch (const ETessError& e) {
    system.formatVersion = versionBefore;
    ShowError(e.what());
    return false;
  }
  return true;
}

// ---------------------------------------------------------------------------------------------

std::string DescribeDatabase(const TLcfDataBase& db) {
  struct TPart {
    const char* one;
    const char* many;
    int count;
  };
  const TPart parts[] = {
      {"hero", "heroes", db.heroes.Count()},
      {"class", "classes", db.classes.Count()},
      {"skill", "skills", db.skills.Count()},
      {"item", "items", db.items.Count()},
      {"monster", "monsters", db.monsters.Count()},
      {"troop", "troops", db.troops.Count()},
      {"terrain", "terrain", db.terrain.Count()},
      {"tileset", "tilesets", db.tilesets.Count()},
      {"attribute", "attributes", db.attributes.Count()},
      {"condition", "conditions", db.conditions.Count()},
      {"battle animation", "battle animations", db.animations.Count()},
      {"battler animation", "battler animations", db.battlerAnimations.Count()},
      {"battle command", "battle commands", db.battle.commands.Count()},
      {"switch", "switches", db.switches.Count()},
      {"variable", "variables", db.variables.Count()},
      {"common event", "common events", db.commonEvents.Count()},
  };
  std::string out = "format " + std::to_string(db.system.formatVersion) + ", saved " +
                    CountText(db.system.saveCount, "time", "times");
  for (const TPart& part : parts) out += ", " + CountText(part.count, part.one, part.many);
  return out;
}

}  // namespace tess
