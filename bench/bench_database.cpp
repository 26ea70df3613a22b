// Loading and saving a database of 5,000 entries in every list, every field set, as time and as a
// ratio (x_copy) against copying the same bytes in memory. Loads are measured into a fresh database
// and as a reload of the same file (clean battle animations are then only compared, not parsed);
// saves with every battle animation changed and with all of them clean.
#include <benchmark/benchmark.h>

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

void BM_LoadDatabase(benchmark::State& state) {
  const Bytes& src = Encoded();
  bench::TRatioTimer timer;
  for (auto _ : state) {
    TLcfDataBase db;
    db.LoadFromMemory(src, true);
    benchmark::DoNotOptimize(db.heroes.Count());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * src.size()));
  state.counters["MB"] = static_cast<double>(src.size()) / 1e6;
  timer.Report(state, "x_copy", bench::CopySeconds(src.size()));
}

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

BENCHMARK(BM_LoadDatabase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReloadDatabase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveDatabase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveDatabaseCached)->Unit(benchmark::kMillisecond);
