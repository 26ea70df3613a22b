// The troop page on a troop with 100 battle event pages of 1,000 lines each: making the page and
// showing that troop until it is on screen, in milliseconds and as a ratio (x_empty) against making
// and showing an empty page on the same database in the same run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <memory>

#include "BenchReference.h"
#include "BenchWindows.h"
#include "database/TroopSampleDatabase.h"
#include "editor/database/FormDataBaseBase.h"
#include "editor/database/FormEDMonGroup.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"

using namespace tess;

namespace {

struct TBenchTroops {
  TLcfDataBase database;
  TLcfMapTree tree;
  TLcfMap map;
  TBenchTroops() {
    database.ResetDatabase();
    sample::FillTroopDatabase(database, 50, 1, 100, 1000);
  }
};

TBenchTroops& Bench() {
  bench::OffscreenApp();
  static TBenchTroops* bench = new TBenchTroops;
  return *bench;
}

template <class Make>
double ShownSeconds(Make make, int rounds) {
  return bench::MeasureSeconds(
      [&] {
        std::unique_ptr<QWidget> page(make());
        page->resize(800, 560);
        page->show();
        QApplication::processEvents();
      },
      rounds);
}

void BM_OpenTroopWith100PagesOf1000Lines(benchmark::State& state) {
  TBenchTroops& b = Bench();
  TDataBasePageContext context{b.database, b.tree, b.map, [] {}, 5};
  const double reference = ShownSeconds([&] { return new TFormDataBaseBase(context); }, 20);
  double seconds = 0;
  for (auto _ : state) seconds = ShownSeconds([&] { return new TFormEDMonGroup(context); }, 5);
  state.counters["ms"] = seconds * 1000;
  state.counters["x_empty"] = seconds / reference;
  state.counters["empty_ms"] = reference * 1000;
}
BENCHMARK(BM_OpenTroopWith100PagesOf1000Lines)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
