// Opening command windows on a large database, to shown (offscreen): Item Management and
// Conditional Branch with 5,000 items, heroes, skills, conditions, switches and variables. Each is
// reported in milliseconds and against building and showing an empty dialog with its buttons in
// the same run (x_empty).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QVBoxLayout>
#include <chrono>
#include <cstdlib>

#include "BenchReference.h"
#include "BenchWindows.h"
#include "database/DataBaseObj.h"
#include "editor/events/EventCommandWindows.h"
#include "script/EventScriptConverter.h"
#include "ui/DialogButtons.h"
#include "ui/script/CommandDialogs.h"
#include "ui/script/FormEvCmdBase.h"

using namespace tess;

namespace {

constexpr int kEntries = 5000;

template <class Catalog>
void Fill(Catalog& catalog, const char* prefix) {
  catalog.SetCount(kEntries);
  for (int i = 0; i < kEntries; ++i) catalog.ItemAt(i)->name = prefix + std::to_string(i + 1);
}

const TLcfDataBase& Big() {
  static TLcfDataBase* database = [] {
    auto* d = new TLcfDataBase;
    d->ResetDatabase();
    Fill(d->items, "Item ");
    Fill(d->heroes, "Hero ");
    Fill(d->skills, "Skill ");
    Fill(d->conditions, "Condition ");
    Fill(d->switches, "Switch ");
    Fill(d->variables, "Variable ");
    return d;
  }();
  return *database;
}

void OpenCommand(benchmark::State& state, int32_t code) {
  bench::OffscreenApp();
  RegisterEventCommandWindows();
  TEventScriptConverter converter(Big());
  TCommandDialogContext context{converter, nullptr};
  const double empty = bench::EmptyDialogSeconds();
  int64_t rounds = 0;
  const auto start = std::chrono::steady_clock::now();
  bench::TRatioTimer timer;
  for (auto _ : state) {
    std::unique_ptr<TFormEvCmdBase> window = MakeCommandDialog(code, {}, context);
    bench::ShowAndClose(*window);
    ++rounds;
  }
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  state.counters["ms"] = took.count() / static_cast<double>(std::max<int64_t>(1, rounds));
  timer.Report(state, "x_empty", empty);
}

void BM_OpenItemManagement(benchmark::State& state) { OpenCommand(state, 10320); }
void BM_OpenConditionalBranch(benchmark::State& state) { OpenCommand(state, 12010); }

}  // namespace

BENCHMARK(BM_OpenItemManagement)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenConditionalBranch)->Unit(benchmark::kMillisecond);
