// Loading and saving a 500 x 500 map with 2,000 events, the same map without events, and a map tree
// of 1,000 nodes, each against copying the same number of bytes in memory (x_copy: how many times
// the copy's time an operation takes).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "BenchReference.h"
#include "core/AtomicFile.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"

using namespace tess;

namespace {

void MakeMap(TLcfMap& map, int events) {
  map.SetWidth(500);
  map.SetHeight(500);
  for (size_t i = 0; i < map.lower.cells.size(); ++i) {
    map.lower.cells[i] = static_cast<uint16_t>(i % 5144);
    map.upper.cells[i] = static_cast<uint16_t>(10000 + i % 144);
  }
  for (int id = 1; id <= events; ++id) {
    TLcfEventItem* e = map.events.Obtain(id);
    e->name = DefaultEventName(id);
    e->x = id % 500;
    e->y = id / 4;
    TLcfEventPageItem* page = e->pages.ItemAt(0);
    page->graphicName = "People1";
    page->graphicIndex = id % 8;
    page->moveType = 6;
    page->moveRoute.AppendCommand({.code = 1});
    page->moveRoute.AppendCommand({.code = 23});
    page->lines.InsertLine(
        0, std::make_unique<TLcfEventScriptLine>(10110, 0, "Good morning, traveller.", std::vector<int32_t>{}));
    page->lines.InsertLine(1, std::make_unique<TLcfEventScriptLine>(10220, 0, "", std::vector<int32_t>{0, 0, 0, 1, 0}));
  }
}

const Bytes& MapBytes() {
  static const Bytes bytes = [] {
    TLcfMap map;
    MakeMap(map, 2000);
    return map.SaveToBytes();
  }();
  return bytes;
}

const Bytes& LayerOnlyBytes() {
  static const Bytes bytes = [] {
    TLcfMap map;
    MakeMap(map, 0);
    return map.SaveToBytes();
  }();
  return bytes;
}

const Bytes& TreeBytes() {
  static const Bytes bytes = [] {
    TLcfMapTree tree;
    tree.AddNode(0, 0)->name = "Game";
    for (int id = 1; id <= 999; ++id) {
      TLcfMapTreeItem* n = tree.AddNode(id <= 20 ? 0 : (id % 20) + 1, id);
      n->nodeType = id % 9 == 0 ? TLcfMapTreeItem::kArea : TLcfMapTreeItem::kMap;
      n->name = "Map " + std::to_string(id);
      n->musicType = 2;
      n->music.name = "Town1";
      n->encounters.Append()->troopId = id % 50 + 1;
      n->scrollX = id * 32;
    }
    return tree.SaveToBytes();
  }();
  return bytes;
}

template <class TModel>
void Load(benchmark::State& state, const Bytes& src) {
  bench::TRatioTimer timer;
  for (auto _ : state) {
    TModel model;
    model.LoadFromBytes(src);
    benchmark::DoNotOptimize(&model);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * src.size()));
  timer.Report(state, "x_copy", bench::CopySeconds(src.size()));
}

// The editor keeps one map object and loads each selected map into it.
template <class TModel>
void Reload(benchmark::State& state, const Bytes& src) {
  TModel model;
  model.LoadFromBytes(src);
  bench::TRatioTimer timer;
  for (auto _ : state) {
    model.LoadFromBytes(src);
    benchmark::DoNotOptimize(&model);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * src.size()));
  timer.Report(state, "x_copy", bench::CopySeconds(src.size()));
}

template <class TModel>
void Save(benchmark::State& state, const Bytes& src) {
  TModel model;
  model.LoadFromBytes(src);
  bench::TRatioTimer timer;
  for (auto _ : state) {
    Bytes out = model.SaveToBytes();
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * src.size()));
  timer.Report(state, "x_copy", bench::CopySeconds(src.size()));
}

void BM_MapLoad(benchmark::State& state) { Load<TLcfMap>(state, MapBytes()); }
void BM_MapSave(benchmark::State& state) { Save<TLcfMap>(state, MapBytes()); }
void BM_MapReload(benchmark::State& state) { Reload<TLcfMap>(state, MapBytes()); }
void BM_MapLayersOnlyLoad(benchmark::State& state) { Load<TLcfMap>(state, LayerOnlyBytes()); }
void BM_MapLayersOnlyReload(benchmark::State& state) { Reload<TLcfMap>(state, LayerOnlyBytes()); }
void BM_MapLayersOnlySave(benchmark::State& state) { Save<TLcfMap>(state, LayerOnlyBytes()); }
void BM_MapTreeLoad(benchmark::State& state) { Load<TLcfMapTree>(state, TreeBytes()); }
void BM_MapTreeSave(benchmark::State& state) { Save<TLcfMapTree>(state, TreeBytes()); }

// From a file: reading it whole, then parsing.
void BM_MapLoadFromFile(benchmark::State& state) {
  std::string path =
      (std::filesystem::temp_directory_path() / ("tess-bench-" + std::to_string(::getpid()) + ".lmu")).string();
  WriteFileAtomic(path, MapBytes());
  bench::TRatioTimer timer;
  for (auto _ : state) {
    TLcfMap map;
    map.LoadFromFile(path);
    benchmark::DoNotOptimize(&map);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * MapBytes().size()));
  timer.Report(state, "x_copy", bench::CopySeconds(MapBytes().size()));
  std::filesystem::remove(path);
}

}  // namespace

BENCHMARK(BM_MapLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapReload)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapSave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapLayersOnlyLoad)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MapLayersOnlyReload)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MapLayersOnlySave)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MapLoadFromFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapTreeLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapTreeSave)->Unit(benchmark::kMillisecond);
