// The battle animation preview: drawing one frame of 16 cels (two frames' worth, each cel
// magnified, transparent and colour-cast) and the share of one core that playing at 30 frames a
// second takes, each against copying the 320 x 240 board in the same run (x_copy); and opening the
// "Animations" page on an animation of 9,999 frames against making and showing an empty page.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "BenchReference.h"
#include "BenchWindows.h"
#include "database/AnimationGraphic.h"
#include "database/AnimationPageKit.h"
#include "database/DataBaseObj.h"
#include "editor/database/FormDataBase.h"
#include "editor/database/FormDataBaseBase.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"

using namespace tess;

namespace {

// A graphic holding a 480 x 480 sheet of 25 sections and an animation whose frame 0 has 16 cels.
struct TBenchGraphic {
  TLcfAnimationItem animation;
  TLcfAnimationGraphic graphic;
  TCorvidBoard board, copy;
  TBenchGraphic() {
    animation.SetFrameCount(1);
    TLcfAnimationCell& cells = animation.frames.ItemAt(0)->cells;
    for (int c = 0; c < 16; ++c) {
      TLcfAnimationCellItem* cell = cells.Append();
      cell->section = c;
      cell->x = c * 20 - 150;
      cell->y = (c % 4) * 30 - 40;
      cell->zoom = 60 + c * 10;
      cell->transparency = c % 3 ? 0 : 40;
      cell->red = 100 + (c % 2) * 50;
    }
    graphic.SetAnimation(&animation);
    TCorvidSheet& sheet = graphic.Sheet();
    sheet.SetSize(480, 480);
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 480; ++x) sheet.Row(y)[x] = static_cast<uint8_t>((x / 6 + y / 6) % 256);
    for (int i = 0; i < 256; ++i)
      sheet.palette[static_cast<size_t>(i)] = {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2), 0};
    sheet.UpdatePalette16();
    board.SetSize(kPreviewWidth, kPreviewHeight);
    copy.SetSize(kPreviewWidth, kPreviewHeight);
  }
  double CopyBoardSeconds() {
    return bench::MeasureSeconds([&] { copy.CopyBoard(0, 0, Bounds(0, 0, kPreviewWidth, kPreviewHeight), board); },
                                 200);
  }
};

TBenchGraphic& Graphic() {
  static TBenchGraphic* g = new TBenchGraphic;
  return *g;
}

void BM_DrawFrameOf16Cels(benchmark::State& state) {
  TBenchGraphic& g = Graphic();
  const double reference = g.CopyBoardSeconds();
  double seconds = 0;
  for (auto _ : state) seconds = bench::MeasureSeconds([&] { g.graphic.DrawFrame(g.board, 0); }, 200);
  state.counters["ms"] = seconds * 1000;
  state.counters["x_copy"] = seconds / reference;
  state.counters["copy_ms"] = reference * 1000;
}
BENCHMARK(BM_DrawFrameOf16Cels)->Iterations(3);

// Playing draws 30 frames a second: the share of one core is 30 times a frame's CPU time.
void BM_PlayAt30FramesASecond(benchmark::State& state) {
  TBenchGraphic& g = Graphic();
  const double reference = g.CopyBoardSeconds();
  double share = 0;
  for (auto _ : state) {
    const double start = bench::ThreadCpuSeconds();
    for (int i = 0; i < 300; ++i) g.graphic.DrawFrame(g.board, i % 3 - 1);  // the frame and the empty ones around it
    const double perFrame = (bench::ThreadCpuSeconds() - start) / 300;
    share = perFrame * 30;
    state.counters["x_copy"] = perFrame / reference;
  }
  state.counters["core_percent"] = share * 100;
}
BENCHMARK(BM_PlayAt30FramesASecond)->Iterations(3);

struct TBenchWindow {
  TLcfDataBase database;
  TLcfMapTree tree;
  TLcfMap map;
  TBenchWindow() {
    database.ResetDatabase();
    database.animations.SetCount(1);
    TLcfAnimationItem* a = database.animations.ItemAt(0);
    a->SetFrameCount(9999);
    for (int f = 0; f < 9999; f += 3) a->frames.ItemAt(f)->AddCell();
  }
};

TBenchWindow& Window() {
  bench::OffscreenApp();
  static TBenchWindow* bench = new TBenchWindow;
  return *bench;
}

void BM_OpenAnimationPageOn9999Frames(benchmark::State& state) {
  TBenchWindow& b = Window();
  constexpr int kTabAnimations = 8;
  auto timeMaking = [&](int tab, bool empty) {
    return bench::MeasureSeconds(
        [&] {
          TDataBasePageContext context{b.database, b.tree, b.map, [] {}, tab};
          auto window =
              std::make_unique<TFormDataBase>(b.database, b.tree, b.map, "/nonexistent/", "/nonexistent/", nullptr);
          std::unique_ptr<TFormDataBaseBase> page(empty ? new TFormDataBaseBase(context)
                                                        : window->MakePage(tab, nullptr));
          page->resize(800, 560);
          page->show();
          QApplication::processEvents();
        },
        5);
  };
  double seconds = 0, reference = 0;
  for (auto _ : state) {
    reference = timeMaking(0, true);
    seconds = timeMaking(kTabAnimations, false);
  }
  state.counters["ms"] = seconds * 1000;
  state.counters["x_empty"] = seconds / reference;
  state.counters["empty_ms"] = reference * 1000;
}
BENCHMARK(BM_OpenAnimationPageOn9999Frames)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
