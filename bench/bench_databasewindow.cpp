// The database window on a database of 5,000 heroes and 5,000 classes with odd values: opening it
// at the hero tab until the page is shown, and switching the hero page from hero 1 to hero 5,000.
// Each is reported in milliseconds and as a ratio (x_empty) against making and showing an empty
// page on the same database in the same run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "BenchReference.h"
#include "BenchWindows.h"
#include "database/HeroSampleDatabase.h"
#include "editor/database/FormDataBase.h"
#include "editor/database/FormDataBaseBase.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"

using namespace tess;

namespace {

constexpr int kEntries = 5000;

struct TBenchWindow {
  TLcfDataBase database;
  TLcfMapTree tree;
  TLcfMap map;
  TBenchWindow() { sample::FillHeroDatabase(database, kEntries); }
};

TBenchWindow& Bench() {
  bench::OffscreenApp();
  static TBenchWindow* bench = new TBenchWindow;
  return *bench;
}

// Making and showing an empty page: the reference.
double EmptyPageSeconds() {
  TBenchWindow& b = Bench();
  return bench::MeasureSeconds(
      [&] {
        TDataBasePageContext context{b.database, b.tree, b.map, [] {}, 0};
        auto page = std::make_unique<TFormDataBaseBase>(context);
        page->resize(800, 560);
        page->show();
        QApplication::processEvents();
      },
      20);
}

void ReportMs(benchmark::State& state, double seconds, double reference) {
  state.counters["ms"] = seconds * 1000;
  state.counters["x_empty"] = seconds / reference;
  state.counters["empty_ms"] = reference * 1000;
}

void BM_OpenAtHeroTab(benchmark::State& state) {
  TBenchWindow& b = Bench();
  const double reference = EmptyPageSeconds();
  double total = 0;
  int64_t rounds = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    auto window = std::make_unique<TFormDataBase>(b.database, b.tree, b.map, "/nonexistent/", "/nonexistent/", nullptr);
    window->show();
    QApplication::processEvents();
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    total += took.count();
    ++rounds;
    state.PauseTiming();
    window.reset();
    state.ResumeTiming();
  }
  ReportMs(state, total / static_cast<double>(std::max<int64_t>(1, rounds)), reference);
}
BENCHMARK(BM_OpenAtHeroTab)->Unit(benchmark::kMillisecond)->Iterations(8);

void BM_SwitchHero1To5000(benchmark::State& state) {
  TBenchWindow& b = Bench();
  const double reference = EmptyPageSeconds();
  auto window = std::make_unique<TFormDataBase>(b.database, b.tree, b.map, "/nonexistent/", "/nonexistent/", nullptr);
  window->show();
  QApplication::processEvents();
  TFormDataBaseBase* page = window->Page();
  double total = 0;
  int64_t rounds = 0;
  for (auto _ : state) {
    page->ShowEntry(0);
    QApplication::processEvents();
    auto start = std::chrono::steady_clock::now();
    page->ShowEntry(kEntries - 1);
    QApplication::processEvents();
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    total += took.count();
    ++rounds;
  }
  ReportMs(state, total / static_cast<double>(std::max<int64_t>(1, rounds)), reference);
}
BENCHMARK(BM_SwitchHero1To5000)->Unit(benchmark::kMillisecond)->Iterations(30);

}  // namespace
