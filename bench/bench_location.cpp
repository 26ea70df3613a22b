// Opening "Select Location" to shown (offscreen) on a map tree of 1,000 maps with a 500 x 500 map
// selected, read from its file as a map other than the current one is. Reported in milliseconds
// and against building and showing an empty dialog with its buttons in the same run (x_empty).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <chrono>
#include <cstdlib>

#include "BenchReference.h"
#include "BenchWindows.h"
#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "ui/DialogButtons.h"
#include "ui/pickers/FormSelLocation.h"

using namespace tess;

namespace {

constexpr int kMaps = 1000;
constexpr int kBigMap = 500;
constexpr int32_t kSelected = 777;

void BM_OpenSelectLocation(benchmark::State& state) {
  bench::OffscreenApp();
  QTemporaryDir folder;
  const std::string path = folder.path().toStdString() + "/";
  TLcfDataBase database;
  database.ResetDatabase();
  TLcfMapTree tree;
  tree.projectFolder = tree.scratchFolder = path;
  tree.AddNode(0, 0)->name = "World";
  // Ten regions of a hundred maps each, some nested deeper.
  for (int32_t id = 1; id <= kMaps; ++id) {
    const int32_t parent = id % 100 == 1 ? 0 : (id % 7 == 0 ? id - 1 : id - id % 100 + 1);
    TLcfMapTreeItem* node = tree.AddNode(parent, id);
    node->nodeType = TLcfMapTreeItem::kMap;
    node->name = "Map " + std::to_string(id);
    node->expanded = 1;
  }
  tree.currentId = 1;
  TLcfMap big;
  big.SetWidth(kBigMap);
  big.SetHeight(kBigMap);
  for (int y = 0; y < kBigMap; ++y)
    for (int x = 0; x < kBigMap; ++x) big.lower.SetCell(x, y, 5000 + (x + y) % 144);
  big.SaveToProject(path, kSelected);
  TLocationSources sources{&database, &tree, nullptr};

  const double empty = bench::EmptyDialogSeconds();
  int64_t rounds = 0;
  const auto start = std::chrono::steady_clock::now();
  bench::TRatioTimer timer;
  for (auto _ : state) {
    TFormSelLocation picker(nullptr, sources, {kSelected, 250, 250, 0}, true);
    bench::ShowAndClose(picker);
    if (!picker.HasCell()) state.SkipWithError("the map did not open");
    ++rounds;
  }
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  state.counters["ms"] = took.count() / static_cast<double>(std::max<int64_t>(1, rounds));
  timer.Report(state, "x_empty", empty);
}

}  // namespace

BENCHMARK(BM_OpenSelectLocation)->Unit(benchmark::kMillisecond);
