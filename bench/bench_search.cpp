// The event search over every map of a 600-map project on disk (20 events of two pages on each
// map, every command of the map chooser among them): a switch search and a text search, each
// against reading the same map files' bytes in the same run (x_read: how many times the reading's
// time the search takes).
//
// The project is written into TESS_BENCH_SEARCH_PROJECT=DIR when it is set (and kept there), to
// time `tessaly-cli search DIR --switch N` as a whole command; else into a temporary folder.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "BenchReference.h"
#include "core/AtomicFile.h"
#include "core/Stream.h"
#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "project/EventSearch.h"
#include "script/EventCommandLines.h"
#include "script/EventCommands.h"

using namespace tess;

namespace {

constexpr int kMaps = 600;
constexpr int kEventsPerMap = 20;
constexpr int kPagesPerEvent = 2;
constexpr int kCommandsPerPage = 12;

struct TProject {
  std::string folder;
  bool temporary = false;
  TLcfDataBase db;
  TLcfMapTree tree;
  size_t bytes = 0;
  ~TProject() {
    if (temporary) std::filesystem::remove_all(folder);
  }
};

void NameAll(TCatalog& list, int count, const std::string& stem) {
  list.Resize(count);
  for (int i = 0; i < count; ++i) list.ItemAt(i)->name = stem + " " + std::to_string(i + 1);
}

// A page's script: a two-line message, then commands from the chooser with their ids varied.
void FillScript(TLcfEventScriptList& script, int seed) {
  const auto codes = MapChooserCodes();
  int at = 0;
  script.InsertLine(at++, std::make_unique<TLcfEventScriptLine>(10110, 0, "Good morning, traveller!"));
  script.InsertLine(at++, std::make_unique<TLcfEventScriptLine>(20110, 0, "The road east is closed today."));
  for (int j = 0; j < kCommandsPerPage; ++j) {
    TLcfEventScriptList command = NewCommandLines(codes[static_cast<size_t>((seed * 7 + j * 13) % codes.size())]);
    for (int32_t& param : command.LineAt(0)->params)
      if (param >= 1 && param < 100) param = 1 + (seed + j * 11 + param) % 40;
    for (int i = 0; i < command.Count(); ++i)
      script.InsertLine(at++, std::make_unique<TLcfEventScriptLine>(*command.LineAt(i)));
  }
}

TProject& Project() {
  static const std::unique_ptr<TProject> project = [] {
    auto owned = std::make_unique<TProject>();
    TProject& p = *owned;
    if (const char* dir = std::getenv("TESS_BENCH_SEARCH_PROJECT")) {
      p.folder = std::string(dir) + "/";
    } else {
      p.folder =
          (std::filesystem::temp_directory_path() / ("tess-bench-search-" + std::to_string(::getpid()))).string() + "/";
      p.temporary = true;
    }
    std::filesystem::create_directories(p.folder);
    p.db.ResetDatabase();
    p.db.system.formatVersion = 2003;
    NameAll(p.db.switches, 500, "Switch");
    NameAll(p.db.variables, 500, "Variable");
    NameAll(p.db.commonEvents, 50, "Common");
    for (int i = 0; i < p.db.commonEvents.Count(); ++i) FillScript(p.db.commonEvents.ItemAt(i)->lines, i);
    p.db.SaveToFile(p.folder + kDataBaseFileName);
    p.tree.projectFolder = p.folder;
    p.tree.AddNode(0, 0)->name = "Game";
    for (int id = 1; id <= kMaps; ++id) {
      TLcfMapTreeItem* node = p.tree.AddNode(0, id);
      node->nodeType = TLcfMapTreeItem::kMap;
      node->name = "Map " + std::to_string(id);
      TLcfMap map;
      map.SetWidth(60);
      map.SetHeight(60);
      for (int e = 1; e <= kEventsPerMap; ++e) {
        TLcfEventItem* event = map.events.Obtain(e);
        event->name = DefaultEventName(e);
        event->x = e;
        event->y = id % 60;
        for (int page = 1; page <= kPagesPerEvent; ++page)
          FillScript(event->pages.Obtain(page)->lines, id * 31 + e * 3 + page);
      }
      map.SaveToProject(p.folder, id);
      p.bytes += map.SaveToBytes().size();
    }
    WriteFileAtomic(p.folder + kMapTreeFileName, p.tree.SaveToBytes());
    return owned;
  }();
  return *project;
}

// Reading every map file's bytes, as the search must at the least.
double ReadSeconds(const TProject& p) {
  return bench::MeasureSeconds(
      [&] {
        size_t total = 0;
        for (int id = 1; id <= kMaps; ++id) total += ReadWholeFile(PathInFolder(p.folder, MapFileName(id))).size();
        benchmark::DoNotOptimize(total);
      },
      5);
}

void Search(benchmark::State& state, TSearchQuery query) {
  const TProject& p = Project();
  const double reference = ReadSeconds(p);
  const TSearchSource source{&p.db, &p.tree, p.folder, p.folder, {}};
  query.scope = TSearchScope::AllMaps;
  int matches = 0;
  bench::TRatioTimer timer;
  for (auto _ : state) matches = RunEventSearch(source, query).matches;
  timer.Report(state, "x_read", reference);
  state.counters["matches"] = matches;
  state.counters["MB_maps"] = static_cast<double>(p.bytes) / 1e6;
  state.counters["read_ms"] = reference * 1e3;
}

TSearchQuery Query(TSearchKind kind, int32_t id, std::string text) {
  TSearchQuery query;
  query.kind = kind;
  query.id = id;
  query.text = std::move(text);
  return query;
}

void BM_SwitchSearchAllMaps(benchmark::State& state) { Search(state, Query(TSearchKind::Switch, 7, "")); }
BENCHMARK(BM_SwitchSearchAllMaps)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TextSearchAllMaps(benchmark::State& state) { Search(state, Query(TSearchKind::Text, 0, "ROAD EAST")); }
BENCHMARK(BM_TextSearchAllMaps)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole map loader on the same files, for comparison with the scan.
void BM_LoadEveryMap(benchmark::State& state) {
  const TProject& p = Project();
  const double reference = ReadSeconds(p);
  TLcfMap map;
  bench::TRatioTimer timer;
  for (auto _ : state)
    for (int id = 1; id <= kMaps; ++id) map.LoadFromProject(p.folder, id);
  timer.Report(state, "x_read", reference);
}
BENCHMARK(BM_LoadEveryMap)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
