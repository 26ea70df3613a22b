// The text form of a whole project: dump and load of a 600-map project (60 x 60 cells, 20 events of
// two pages on each map) with a database of 1,000 entries in every list, each against reading and
// writing the same binary files in the same run (x_binary: how many times that reference's time a
// dump or a load takes). The counters also give the seconds and the sizes of the text and the
// binaries.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "BenchReference.h"
#include "core/AtomicFile.h"
#include "core/PathUtils.h"
#include "database/DataBaseObj.h"
#include "database/SampleDatabase.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "textform/ProjectText.h"
#include "textform/TextForm.h"

using namespace tess;
namespace fs = std::filesystem;

namespace {

constexpr int kMaps = 600;
constexpr int kEntries = 1000;

struct TBenchProject {
  std::string root = (fs::temp_directory_path() / ("tess-bench-text-" + std::to_string(::getpid()))).string();
  std::string project = root + "/Game";
  std::string text = root + "/text";
  std::string copy = root + "/copy";
  ~TBenchProject() { fs::remove_all(root); }
};

uint64_t FolderBytes(const std::string& folder) {
  uint64_t total = 0;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file()) total += entry.file_size();
  return total;
}

TBenchProject& Project() {
  static TBenchProject* p = [] {
    auto* made = new TBenchProject;
    fs::create_directories(made->project);
    fs::create_directories(made->copy);
    TLcfDataBase db;
    sample::FillDatabase(db, kEntries);
    WriteFileAtomic(made->project + "/" + kDataBaseFileName, db.SaveToMemory(TCatalogVarData::Mode::Copy));
    TLcfMapTree tree;
    tree.AddNode(0, 0)->name = "Game";
    for (int id = 1; id <= kMaps; ++id) {
      TLcfMapTreeItem* node = tree.AddNode(0, id);
      node->nodeType = TLcfMapTreeItem::kMap;
      node->name = "Map " + std::to_string(id);
      TLcfMap map;
      map.SetWidth(60);
      map.SetHeight(60);
      for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x) map.lower.SetCell(x, y, static_cast<uint16_t>(5000 + (x * 3 + y * 5 + id) % 144));
      for (int e = 1; e <= 20; ++e) {
        TLcfEventItem* event = map.events.Obtain(e);
        event->name = DefaultEventName(e);
        event->x = e;
        event->y = id % 60;
        for (int page = 1; page <= 2; ++page) {
          TLcfEventPageItem* item = event->pages.Obtain(page);
          item->lines.InsertLine(0, std::make_unique<TLcfEventScriptLine>(10110, 0, "Good morning, traveller!"));
          item->lines.InsertLine(1, std::make_unique<TLcfEventScriptLine>(20110, 0, "The road east is closed."));
          for (int k = 0; k < 10; ++k)
            item->lines.InsertLine(2 + k,
                                   std::make_unique<TLcfEventScriptLine>(
                                       10230, 0, "", std::vector<int32_t>{0, 1 + (e + k) % 40, 1 + k % 3, 0, 0}));
        }
      }
      map.SaveToProject(made->project, id);
    }
    WriteFileAtomic(made->project + "/" + kMapTreeFileName, tree.SaveToBytes());
    if (!DumpProject(made->project, made->text, "windows-1252").Ok()) std::abort();
    return made;
  }();
  return *p;
}

// Reads every binary of the project and writes it into another folder: the reference.
void CopyBinaries(const TBenchProject& p) {
  for (const std::string& name : ListFolder(p.project))
    WriteFileAtomic(p.copy + "/" + name, ReadWholeFile(p.project + "/" + name));
}

double ReferenceSeconds(const TBenchProject& p) {
  return bench::MeasureSeconds([&] { CopyBinaries(p); }, 5);
}

// Times work after prepare, each round, and reports the mean against the reference.
template <class Prepare, class Work>
void Timed(benchmark::State& state, double reference, Prepare prepare, Work work) {
  double total = 0;
  for (auto _ : state) {
    prepare();
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(took.count());
    total += took.count();
  }
  state.counters["x_binary"] = total / static_cast<double>(state.iterations()) / reference;
}

void BM_DumpProject(benchmark::State& state) {
  TBenchProject& p = Project();
  const double reference = ReferenceSeconds(p);
  // Every text is written anew, as the first dump of a project writes them.
  Timed(
      state, reference, [&] { fs::remove_all(p.text); },
      [&] {
        if (!DumpProject(p.project, p.text, "windows-1252").Ok()) state.SkipWithError("dump failed");
      });
  state.counters["reference_s"] = reference;
  state.counters["text_MB"] = static_cast<double>(FolderBytes(p.text)) / 1e6;
  state.counters["binary_MB"] = static_cast<double>(FolderBytes(p.project)) / 1e6;
}

void BM_LoadProject(benchmark::State& state) {
  TBenchProject& p = Project();
  const double reference = ReferenceSeconds(p);
  // Every binary is written anew, into an empty project folder.
  Timed(
      state, reference,
      [&] {
        fs::remove_all(p.copy);
        fs::create_directories(p.copy);
      },
      [&] {
        if (!LoadProject(p.text, p.copy).Ok()) state.SkipWithError("load failed");
      });
  state.counters["reference_s"] = reference;
}

}  // namespace

BENCHMARK(BM_DumpProject)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();
BENCHMARK(BM_LoadProject)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();
