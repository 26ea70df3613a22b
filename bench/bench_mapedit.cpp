// The map editing tools on a 500 x 500 map, each against copying both layers once in memory
// (x_copy: how many times the copy's time an operation takes): a whole-map autotile flood fill, one
// mouse move of an ellipse growing over a 200 x 200 area, one pen stamp during a stroke, and the
// memory of a 1,000-step history after 1,000 pen strokes.
#include <benchmark/benchmark.h>

#include "BenchReference.h"
#include "core/ClipboardPort.h"
#include "maps/MapEditController.h"

using namespace tess;

namespace {

constexpr int kSide = 500;
constexpr size_t kLayerBytes = size_t{kSide} * kSide * 2 * 2;

struct TBenchMap {
  TLcfMap map;
  TLcfMapEditUndoManager history;
  TMemoryClipboard clipboard;
  TMapEditController edit;

  TBenchMap() : edit(Sized(map), history, clipboard) {}
  static TLcfMap& Sized(TLcfMap& map) {
    map.SetWidth(kSide);
    map.SetHeight(kSide);
    std::fill(map.lower.cells.begin(), map.lower.cells.end(), uint16_t{5000});
    return map;
  }
  void Use(TEditTool tool, int chip) {
    edit.SetTool(tool);
    edit.SetCurrentChip(TEditMode::Lower, TLcfCurrentChip(chip));
  }
};

void BM_FloodFillWholeMap(benchmark::State& state) {
  TBenchMap b;
  b.Use(TEditTool::FloodFill, 4049);
  int round = 0;
  bench::TRatioTimer timer;
  for (auto _ : state) {
    // Each fill turns the whole map into another autotile block, so every cell changes.
    b.edit.SetCurrentChip(TEditMode::Lower, TLcfCurrentChip(4049 + 50 * (++round % 2)));
    b.edit.Press(TMouseButton::Left, TMapPointer::AtCell(250, 250), {});
    b.edit.Release(TMouseButton::Left, TMapPointer::AtCell(250, 250), {});
    benchmark::DoNotOptimize(b.map.lower.cells.data());
  }
  timer.Report(state, "x_copy", bench::CopySeconds(kLayerBytes));
}

void BM_EllipseGrowMove(benchmark::State& state) {
  TBenchMap b;
  b.Use(TEditTool::Ellipse, 4049);
  int step = 0;
  bench::TRatioTimer timer;
  for (auto _ : state) {
    if (step == 0) {
      state.PauseTiming();
      b.edit.Release(TMouseButton::Left, TMapPointer::AtCell(150, 150), {});
      b.edit.Press(TMouseButton::Left, TMapPointer::AtCell(150, 150), {});
      state.ResumeTiming();
    }
    // One mouse move: the ellipse grows by a cell each way until it covers 200 x 200 cells.
    ++step;
    b.edit.Move(TMapPointer::AtCell(150 + step, 150 + step), {});
    step %= 199;
    benchmark::DoNotOptimize(b.map.lower.cells.data());
  }
  timer.Report(state, "x_copy", bench::CopySeconds(kLayerBytes));
}

void BM_PenStamp(benchmark::State& state) {
  TBenchMap b;
  b.Use(TEditTool::Pen, 4049);
  b.edit.Press(TMouseButton::Left, TMapPointer::AtCell(0, 0), {});
  int cell = 0;
  bench::TRatioTimer timer;
  for (auto _ : state) {
    // Each move reaches the next cell of a serpentine, so every move stamps once.
    ++cell;
    const int row = (cell / kSide) % kSide, col = cell % kSide;
    b.edit.Move(TMapPointer::AtCell(row % 2 ? kSide - 1 - col : col, row), {});
    benchmark::DoNotOptimize(b.map.lower.cells.data());
  }
  b.edit.Release(TMouseButton::Left, TMapPointer::AtCell(0, 0), {});
  timer.Report(state, "x_copy", bench::CopySeconds(kLayerBytes));
}

void BM_HistoryOfThousandStrokes(benchmark::State& state) {
  for (auto _ : state) {
    TBenchMap b;
    b.history.SetDepth(TLcfMapEditUndoManager::kMaxDepth);
    b.Use(TEditTool::Pen, 4049);
    for (int i = 0; i < 1000; ++i) {
      // A stroke of 30 cells across the map.
      const int x = (i * 37) % 460, y = (i * 53) % kSide;
      b.edit.Press(TMouseButton::Left, TMapPointer::AtCell(x, y), {});
      b.edit.Move(TMapPointer::AtCell(x + 15, y + 3), {});
      b.edit.Release(TMouseButton::Left, TMapPointer::AtCell(x + 30, y), {});
    }
    state.counters["steps"] = b.history.Count();
    state.counters["history_MB"] = static_cast<double>(b.history.MemoryBytes()) / (1 << 20);
  }
}

}  // namespace

BENCHMARK(BM_FloodFillWholeMap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EllipseGrowMove)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PenStamp)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HistoryOfThousandStrokes)->Unit(benchmark::kMillisecond)->Iterations(1);
