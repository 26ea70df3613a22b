// The event editor on the largest event a map holds (100 pages, a 10,000-line script on the first),
// to shown (offscreen), against building and showing an empty dialog with its buttons in the same
// run (x_empty); and switching between two pages (pages 2 and 3, and pages 1 and 2 with the long
// script on 1), against the same empty dialog.
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
#include "editor/events/FormEDEvent.h"
#include "maps/LD_Map.h"
#include "ui/DialogButtons.h"

using namespace tess;

namespace {

struct TBigEvent {
  TLcfDataBase database;
  TLcfMap map;
  TLcfEventItem event;
  TBigEvent() {
    database.ResetDatabase();
    event.Reset();
    event.SetId(1);
    for (int p = 1; p <= 100; ++p) event.pages.Obtain(p)->condition.flags = 0x7F;
    TLcfEventScriptList& lines = event.pages.ItemAt(0)->lines;
    lines.ClearLines();
    for (int i = 0; i < 10000; ++i) lines.AppendLine(TLcfEventScriptLine(10110, 0, "Line " + std::to_string(i)));
    lines.AppendLine(TLcfEventScriptLine(0, 0));
  }
  TEventEditorContext Context() {
    TEventEditorContext c;
    c.database = &database;
    c.map = &map;
    return c;
  }
};

TBigEvent& Big() {
  static TBigEvent* big = new TBigEvent;
  return *big;
}

void BM_OpenEventEditor(benchmark::State& state) {
  bench::OffscreenApp();
  RegisterEventCommandWindows();
  TBigEvent& big = Big();
  const double empty = bench::EmptyDialogSeconds();
  int64_t rounds = 0;
  const auto start = std::chrono::steady_clock::now();
  bench::TRatioTimer timer;
  for (auto _ : state) {
    TFormEDEvent window(big.Context(), big.event, false, nullptr);
    bench::ShowAndClose(window);
    ++rounds;
  }
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  state.counters["ms"] = took.count() / static_cast<double>(std::max<int64_t>(1, rounds));
  timer.Report(state, "x_empty", empty);
}

// state.range(0): the first of the two pages; 0 switches onto and off the 10,000-line script.
void BM_SwitchPages(benchmark::State& state) {
  bench::OffscreenApp();
  TBigEvent& big = Big();
  const int first = static_cast<int>(state.range(0));
  TFormEDEvent window(big.Context(), big.event, false, nullptr);
  window.show();
  QApplication::processEvents();
  const double empty = bench::EmptyDialogSeconds();
  int64_t rounds = 0;
  const auto start = std::chrono::steady_clock::now();
  bench::TRatioTimer timer;
  for (auto _ : state) {
    // Between two pages: what stepping through a large event costs.
    window.ShowPage(first + static_cast<int>(rounds % 2));
    QApplication::processEvents();
    ++rounds;
  }
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  state.counters["ms"] = took.count() / static_cast<double>(std::max<int64_t>(1, rounds));
  timer.Report(state, "x_empty", empty);
}

}  // namespace

BENCHMARK(BM_OpenEventEditor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchPages)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
