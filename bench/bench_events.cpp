// Rendering every script line of a 600-map project (20 events of two pages on each map, every
// command of the map chooser among them), as lines per second and against copying the same
// lines' packed bytes (x_copy: how many times the copy's time rendering takes).
//
// With TESS_BENCH_EVENTS_PROJECT=DIR the project is also written into DIR, to time
// `tessaly-cli events DIR` on it as a whole command.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "BenchReference.h"
#include "core/AtomicFile.h"
#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "script/EventCommandLines.h"
#include "script/EventScriptConverter.h"

using namespace tess;

namespace {

constexpr int kMaps = 600;
constexpr int kEventsPerMap = 20;
constexpr int kPagesPerEvent = 2;
constexpr int kCommandsPerPage = 12;

struct TProject {
  TLcfDataBase db;
  TLcfMapTree tree;
  std::vector<std::unique_ptr<TLcfMap>> maps;
  size_t lines = 0;
  size_t packedBytes = 0;
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
    TLcfEventScriptLine& opener = *command.LineAt(0);
    // Ids and counts (the parameters that start at 1) name different entries; modes stay.
    for (int32_t& param : opener.params)
      if (param >= 1 && param < 100) param = 1 + (seed + j * 11 + param) % 40;
    for (int i = 0; i < command.Count(); ++i)
      script.InsertLine(at++, std::make_unique<TLcfEventScriptLine>(*command.LineAt(i)));
  }
}

TProject& Project() {
  static TProject* project = [] {
    auto* p = new TProject;
    p->db.ResetDatabase();
    p->db.system.formatVersion = 2003;
    NameAll(p->db.switches, 500, "Switch");
    NameAll(p->db.variables, 500, "Variable");
    NameAll(p->db.heroes, 50, "Hero");
    NameAll(p->db.items, 200, "Item");
    NameAll(p->db.skills, 200, "Skill");
    NameAll(p->db.troops, 200, "Troop");
    NameAll(p->db.conditions, 20, "Condition");
    NameAll(p->db.commonEvents, 50, "Common");
    p->tree.AddNode(0, 0)->name = "Game";
    for (int id = 1; id <= kMaps; ++id) {
      TLcfMapTreeItem* node = p->tree.AddNode(0, id);
      node->nodeType = TLcfMapTreeItem::kMap;
      node->name = "Map " + std::to_string(id);
      auto map = std::make_unique<TLcfMap>();
      map->SetWidth(60);
      map->SetHeight(60);
      for (int e = 1; e <= kEventsPerMap; ++e) {
        TLcfEventItem* event = map->events.Obtain(e);
        event->name = DefaultEventName(e);
        event->x = e;
        event->y = id % 60;
        for (int page = 1; page <= kPagesPerEvent; ++page) {
          TLcfEventPageItem* item = event->pages.Obtain(page);
          FillScript(item->lines, id * 31 + e * 3 + page);
          Bytes packed;
          item->lines.EncodeTo(packed);
          p->lines += static_cast<size_t>(item->lines.Count());
          p->packedBytes += packed.size();
        }
      }
      p->maps.push_back(std::move(map));
    }
    if (const char* dir = std::getenv("TESS_BENCH_EVENTS_PROJECT")) {
      const std::string folder = std::string(dir) + "/";
      std::filesystem::create_directories(folder);
      p->db.SaveToFile(folder + kDataBaseFileName);
      WriteFileAtomic(folder + kMapTreeFileName, p->tree.SaveToBytes());
      for (int id = 1; id <= kMaps; ++id) p->maps[static_cast<size_t>(id - 1)]->SaveToProject(folder, id);
    }
    return p;
  }();
  return *project;
}

// Renders every line of every page with the map event editor's context, as a pane does.
size_t RenderAll(const TProject& p, std::string& out) {
  TEventScriptConverter converter(p.db);
  converter.MapTree = &p.tree;
  size_t bytes = 0;
  for (const auto& map : p.maps) {
    converter.Map = map.get();
    for (int e = 0; e < map->events.Count(); ++e) {
      const TLcfEventItem* event = map->events.ItemAt(e);
      converter.EventId = static_cast<uint32_t>(event->Id());
      converter.Event = event;
      for (int page = 0; page < event->pages.Count(); ++page) {
        const TLcfEventScriptList& lines = event->pages.ItemAt(page)->lines;
        for (int i = 0; i < lines.Count(); ++i) {
          out.clear();
          converter.AppendLineText(out, *lines.LineAt(i));
          bytes += out.size();
        }
      }
    }
  }
  return bytes;
}

void BM_RenderProjectScripts(benchmark::State& state) {
  const TProject& p = Project();
  const double reference = bench::CopySeconds(p.packedBytes);
  std::string out;
  bench::TRatioTimer timer;
  for (auto _ : state) benchmark::DoNotOptimize(RenderAll(p, out));
  timer.Report(state, "x_copy", reference);
  state.counters["lines"] = static_cast<double>(p.lines);
  state.counters["lines_per_s"] = benchmark::Counter(
      static_cast<double>(p.lines) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RenderProjectScripts)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
