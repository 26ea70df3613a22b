// Loads database files from arbitrary bytes. A file that loads must save, and the saved file must
// load and save again to the same bytes, whether it is loaded into a fresh database or reloaded over
// the one that saved it (where clean battle animations are kept by their cached bytes). The
// computations that read lists from the file (alignment, placement, flashes) must stay in bounds.
#include <cstdlib>

#include "database/DataBaseObj.h"

using namespace tess;

namespace {

// A save counts itself; the comparisons are of the data only.
Bytes SaveUncounted(TLcfDataBase& db) { return db.SaveToMemory(TCatalogVarData::Mode::Copy); }

void Exercise(TLcfDataBase& db) {
  TAlignmentContext context{&db.battle, db.system.troopPreviewTerrain, &db.monsters, [](int32_t id) {
                              return TGraphicSize{(id % 7) * 70, (id % 5) * 70};
                            }};
  for (int i = 0; i < db.troops.Count() && i < 16; ++i) db.troops.ItemAt(i)->AutoAlign(context);
  for (int i = 0; i < db.animations.Count() && i < 16; ++i) {
    TLcfAnimationItem* a = db.animations.ItemAt(i);
    if (a->FrameCount() <= 10000) BuildFlashTimeline(*a);
  }
  if (TLcfAnimationItem* a = db.animations.ItemAt(0); a && a->FrameCount() <= 10000) {
    a->InsertFrame(0);
    a->DeleteFrame(a->FrameCount() - 1);
    a->SetScope(a->scope ? 0 : 1, INT32_MAX);
    if (TLcfAnimationPatternItem* frame = a->frames.ItemAt(0)) {
      frame->AddCell();
      frame->IncrementCell(0);
      frame->DecrementCell(1);
      frame->DeleteCell(0);
    }
  }
  if (db.heroes.Count() > 0 && db.classes.Count() > 0 && db.conditions.Count() <= 5000 && db.attributes.Count() <= 5000)
    ApplyClassToHero(*db.classes.ItemAt(0), *db.heroes.ItemAt(0), db.conditions.Count(), db.attributes.Count());
  for (int t = 0; t <= db.terrain.Count() && t < 16; ++t)
    for (int count = 0; count <= 9; ++count) {
      db.battle.PlaceHeroX(count, count - 1, 24, t);
      db.battle.PlaceMonsterY(count, count, t);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TLcfDataBase db;
  try {
    db.LoadFromMemory(Bytes(data, data + size), true);
  } catch (const ETessError&) {
    return 0;
  }
  Exercise(db);
  Bytes once = db.SaveToMemory();

  TLcfDataBase second;
  second.LoadFromMemory(once, true);
  Bytes twice = SaveUncounted(second);
  TLcfDataBase third;
  third.LoadFromMemory(twice, true);
  if (SaveUncounted(third) != twice) std::abort();

  // Reloading over the database that saved the bytes gives the same database.
  second.LoadFromMemory(twice, true);
  if (SaveUncounted(second) != twice) std::abort();
  return 0;
}
