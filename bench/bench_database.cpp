// Loading and saving a database of 5,000 entries in every list, every field set, as time and as a
// ratio (x_copy) against copying the same bytes in memory. Loads are measured into a fresh database
// and as a reload of the same file (clean battle animations are then only compared, not parsed);
// saves with every battle animation changed and with all of them clean.
//
// A second database has the shape of a large real project: 5,000 items and 5,000 monsters with
// names and mostly default fields, 300 battle animations of 25 frames, 3,900 named switches. Its
// records are many and small, so it measures the cost per record rather than per byte.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchReference.h"
#include "database/SampleDatabase.h"

using namespace tess;

namespace {

constexpr int kEntries = 5000;

TLcfDataBase& Generated() {
  static TLcfDataBase* db = [] {
    auto* d = new TLcfDataBase;
    sample::FillDatabase(*d, kEntries);
    return d;
  }();
  return *db;
}

const Bytes& Encoded() {
  static const Bytes bytes = Generated().SaveToMemory();
  return bytes;
}

TLcfDataBase& ProjectShaped() {
  static TLcfDataBase* db = [] {
    auto* d = new TLcfDataBase;
    d->system.formatVersion = TLcfSystem::kCurrentFormatVersion;
    d->items.SetCount(5000);
    for (int i = 0; i < d->items.Count(); ++i) {
      TLcfItemItem* item = d->items.ItemAt(i);
      item->name = "Item " + std::to_string(i + 1);
      item->description = "A thing to carry";
      item->itemType = static_cast<uint8_t>(i % 11);
      item->price = 10 * (i % 100);
    }
    d->monsters.SetCount(5000);
    for (int i = 0; i < d->monsters.Count(); ++i) {
      TLcfMonsterItem* monster = d->monsters.ItemAt(i);
      monster->name = "Monster " + std::to_string(i + 1);
      monster->monsterFile = "Slime";
      monster->maxHP = 50 + i % 900;
      monster->experience = i % 300;
    }
    d->animations.SetCount(300);
    for (int a = 0; a < d->animations.Count(); ++a) {
      TLcfAnimationItem* animation = d->animations.ItemAt(a);
      animation->name = "Animation " + std::to_string(a + 1);
      animation->animationFile = "Sword";
      animation->SetFrameCount(25);
      for (int f = 0; f < animation->frames.Count(); ++f) {
        TLcfAnimationCell& cells = animation->frames.ItemAt(f)->cells;
        cells.SetCount(kMaxCellsPerFrame);
        for (int c = 0; c < cells.Count(); ++c) {
          TLcfAnimationCellItem* cell = cells.ItemAt(c);
          cell->section = (f + c) % kAnimationSections;
          cell->x = (c * 37 + f * 11) % 200 - 100;
          cell->y = (c * 23 + f * 7) % 160 - 80;
          cell->zoom = 60 + (f * 5 + c) % 80;
          cell->red = 100 + c * 10;
          cell->transparency = (f * 3) % 60;
        }
      }
      for (int t = 1; t <= 6; ++t) {
        TLcfAnimationTimingItem* timing = animation->timings.Obtain(t);
        timing->frame = t * 3;
        timing->sound.name = "Blow";
        timing->flashScope = 1;
      }
    }
    d->switches.SetCount(3900);
    for (int i = 0; i < d->switches.Count(); ++i) d->switches.ItemAt(i)->name = "Switch " + std::to_string(i + 1);
    return d;
  }();
  return *db;
}

const Bytes& ProjectShapedEncoded() {
  static const Bytes bytes = ProjectShaped().SaveToMemory();
  return bytes;
}

// Loads src into a fresh database on every iteration, as opening a project does, and reports the
// load's processor time: MB/s and the ratio to copying the same bytes (x_copy). Destroying the
// loaded database afterwards is timed apart (destroy_ms).
void MeasureLoad(benchmark::State& state, const Bytes& src) {
  double loading = 0, destroying = 0;
  for (auto _ : state) {
    auto db = std::make_unique<TLcfDataBase>();
    const double start = bench::ThreadCpuSeconds();
    db->LoadFromMemory(src, true);
    const double loaded = bench::ThreadCpuSeconds();
    benchmark::DoNotOptimize(db->heroes.Count());
    db.reset();
    destroying += bench::ThreadCpuSeconds() - loaded;
    loading += loaded - start;
    state.SetIterationTime(loaded - start);
  }
  const double n = static_cast<double>(std::max<int64_t>(1, state.iterations()));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * src.size()));
  state.counters["MB"] = static_cast<double>(src.size()) / 1e6;
  state.counters["x_copy"] = loading / n / bench::CopySeconds(src.size());
  state.counters["destroy_ms"] = destroying / n * 1e3;
}

void BM_LoadProjectShapedDatabase(benchmark::State& state) { MeasureLoad(state, ProjectShapedEncoded()); }

void BM_LoadDatabase(benchmark::State& state) { MeasureLoad(state, Encoded()); }

void BM_ReloadDatabase(benchmark::State& state) {
  const Bytes& src = Encoded();
  TLcfDataBase db;
  db.LoadFromMemory(src, true);
  bench::TRatioTimer timer;
  for (auto _ : state) {
    db.LoadFromMemory(src, false);
    benchmark::DoNotOptimize(db.heroes.Count());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * src.size()));
  timer.Report(state, "x_copy", bench::CopySeconds(src.size()));
}

void BM_SaveDatabase(benchmark::State& state) {
  const Bytes& src = Encoded();
  TLcfDataBase db;
  db.LoadFromMemory(src, true);
  bench::TRatioTimer timer;
  for (auto _ : state) {
    for (int i = 0; i < db.animations.Count(); ++i) db.animations.ItemAt(i)->MarkDirty();
    Bytes out = db.SaveToMemory();
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * src.size()));
  timer.Report(state, "x_copy", bench::CopySeconds(src.size()));
}

void BM_SaveDatabaseCached(benchmark::State& state) {
  const Bytes& src = Encoded();
  TLcfDataBase db;
  db.LoadFromMemory(src, true);
  bench::TRatioTimer timer;
  for (auto _ : state) {
    Bytes out = db.SaveToMemory();
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * src.size()));
  timer.Report(state, "x_copy", bench::CopySeconds(src.size()));
}

}  // namespace

BENCHMARK(BM_LoadDatabase)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadProjectShapedDatabase)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReloadDatabase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveDatabase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveDatabaseCached)->Unit(benchmark::kMillisecond);
