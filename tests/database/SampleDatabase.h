#pragma once
// Builds databases for tests, the benchmark and the fuzz seeds: every field of every record set to
// a value other than its default, reached through the records' own field descriptions so that no
// field is forgotten.

#include <algorithm>
#include <string>

#include "core/ContentDamage.h"
#include "database/DataBaseObj.h"

namespace tess::sample {

// A field visitor that writes a non-default value into every field it is shown, and fills nested
// records and lists (two items each) the same way.
class TFieldFiller final : public TCatalogVarData {
 public:
  explicit TFieldFiller(int seed) : TCatalogVarData(Mode::Load), seed_(seed) {}

  void Integer(int id, int32_t& field, int32_t def, int32_t) override { field = def + 1 + (id + seed_) % 7; }
  void IntegerAlways(int id, int32_t& field, int32_t reset) override { field = reset + 1 + (id + seed_) % 7; }
  void IntegerAlias(int id, int32_t& field, int32_t def) override { field = def + 1 + (id + seed_) % 7; }
  void Flag(int, uint8_t& field, uint8_t def) override { field = def ? 0 : 1; }
  void Byte(int id, uint8_t& field, uint8_t) override { field = static_cast<uint8_t>(1 + (id + seed_) % 3); }
  void Fixed(int id, void* data, size_t bytes, TBlockReset, TOlderBlock, TElement) override {
    auto* p = static_cast<uint8_t*>(data);
    for (size_t i = 0; i < bytes; ++i) p[i] = static_cast<uint8_t>(i * 31 + id + seed_ + 1);
  }
  void Block(int, TBlockRef block) override {
    // Also a valid packed script (a line of the unknown code 11 and text "abc", then the end
    // line), and its first elements are no array's neutral value.
    static const uint8_t pattern[] = {11, 0, 3, 'a', 'b', 'c', 0, 0, 0, 0, 0};
    block.resize(block.owner, sizeof pattern);
    size_t n = block.byteSize(block.owner);
    std::copy_n(pattern, n, block.data(block.owner));
  }
  void String(int id, std::string& field, bool, const char*) override {
    field = "Text " + std::to_string(id) + "/" + std::to_string(seed_);
  }
  void Record(int id, TCatalogBaseItem& record) override {
    TFieldFiller inner(seed_ + id);
    record.DescribeChunks(inner);
  }
  void List(int id, TCatalog& list, int, TListReset) override { FillList(list, 2, seed_ + id); }

  static void FillList(TCatalog& list, int count, int seed) {
    list.SetCount(count);
    for (int i = 0; i < count; ++i) {
      TFieldFiller filler(seed + i);
      list.ItemAt(i)->DescribeChunks(filler);
    }
  }

 private:
  int seed_;
};

// Fills every list of the database with count items and every record, all fields non-default.
inline void FillDatabase(TLcfDataBase& db, int count) {
  // The records are filled in memory, field by field, not read from a file: a script's size field
  // gets a value of its own, as every field does, and is no file's claim about its block.
  TRecordCopyScope inMemory;
  TCatalog* lists[] = {&db.heroes,     &db.classes,           &db.skills,   &db.items,      &db.monsters,
                       &db.troops,     &db.terrain,           &db.tilesets, &db.attributes, &db.conditions,
                       &db.animations, &db.battlerAnimations, &db.switches, &db.variables,  &db.commonEvents};
  int seed = 0;
  for (TCatalog* list : lists) TFieldFiller::FillList(*list, count, seed += 100);
  TCatalogBaseItem* records[] = {&db.battle, &db.vocabulary, &db.system};
  for (TCatalogBaseItem* record : records) {
    TFieldFiller filler(seed += 100);
    record->DescribeChunks(filler);
  }
  db.system.formatVersion = TLcfSystem::kCurrentFormatVersion;
  // Counts that govern arrays stay within them, as loading would make them.
  db.system.partySize = std::min<int32_t>(db.system.partySize, static_cast<int32_t>(db.system.partyMembers.size()));
  db.system.menuCommandCount =
      std::min<int32_t>(db.system.menuCommandCount, static_cast<int32_t>(db.system.menuCommands.size()));
}

}  // namespace tess::sample
