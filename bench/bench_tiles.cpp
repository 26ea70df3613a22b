// Drawing maps through the tileset graphic: a 1920 x 1080 rectangle of a map at 1/1, and a whole
// 500 x 500 map at 1/4 and 1/8, each against copying the same number of board bytes (x_copy: how
// many times the copy's time the drawing takes); and tessaly-cli render-map of that map as a whole
// command, from loading the project to the written picture.
//
// The project is made in a temporary folder and removed afterwards; with TESS_BENCH_FOLDER set it
// is made there and kept, so the command can also be timed from outside.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <sstream>

#include "BenchReference.h"
#include "cli/CliCommands.h"
#include "core/ProjectFolder.h"
#include "database/DataBaseObj.h"
#include "database/LD_ChipSet.h"
#include "maps/GR_ChipSet.h"
#include "maps/LD_Map.h"
#include "maps/MapDrawing.h"
#include "media/PictureFile.h"
#include "tools/rtpgen/RuntimePackage.h"
#include "tools/rtpgen/TilesetArt.h"

using namespace tess;
namespace fs = std::filesystem;

namespace {

constexpr int kMapSide = 500;

// A map of the field tileset as authors fill one: mostly ground chips, with water and autotile
// areas in every shape, and objects on a fifth of the upper layer.
void FillMap(TLcfMap& map) {
  map.SetWidth(kMapSide);
  map.SetHeight(kMapSide);
  std::mt19937 rng(5);
  for (size_t i = 0; i < map.lower.cells.size(); ++i) {
    const int x = static_cast<int>(i % kMapSide), y = static_cast<int>(i / kMapSide);
    const int area = (x / 25 + y / 25) % 5;
    int id = 5000 + static_cast<int>(rng() % 12);
    if (area == 1) id = static_cast<int>(rng() % 3) * 1000 + static_cast<int>(rng() % 47);
    if (area == 2) id = 4000 + 50 * static_cast<int>(rng() % 12) + static_cast<int>(rng() % 47);
    map.lower.cells[i] = static_cast<uint16_t>(id);
    map.upper.cells[i] = static_cast<uint16_t>(rng() % 5 == 0 ? 10001 + rng() % 143 : 10000);
  }
}

struct TBigProject {
  std::string folder;
  bool keep = false;
  TLcfMap map;

  TBigProject() {
    const char* given = std::getenv("TESS_BENCH_FOLDER");
    keep = given && *given;
    folder = keep ? std::string(given)
                  : (fs::temp_directory_path() / ("tess-bench-tiles-" + std::to_string(::getpid()))).string();
    folder += "/";
    fs::create_directories(folder + "ChipSet");
    SavePictureFile(rtp::ToBitmap(rtp::AssembleTileset(rtp::DrawFieldTileset())), folder + "ChipSet/Field.png");
    TLcfDataBase db;
    db.ResetDatabase();
    db.tilesets.SetCount(1);
    db.tilesets.FindById(1)->chipSetFile = "Field";
    db.SaveToFile(folder + kDataBaseFileName);
    FillMap(map);
    map.SaveToProject(folder, 1);
    SetProjectFolder(folder);
    SetCurrentRuntimePackageFolder("");
  }
  ~TBigProject() {
    std::error_code ec;
    if (!keep) fs::remove_all(folder, ec);
  }
};

TBigProject& Project() {
  static TBigProject project;
  return project;
}

TLcfChipSetGraphic& Graphic() {
  static TLcfChipSetGraphic graphic;
  static bool loaded = false;
  if (!loaded) {
    Project();
    TLcfChipSetItem tileset;
    tileset.chipSetFile = "Field";
    graphic.SetTileset(&tileset);
    loaded = true;
  }
  return graphic;
}

void DrawMapBench(benchmark::State& state, int cellSize, const TRect& cells, int boardW, int boardH) {
  const TLcfMap& map = Project().map;
  TLcfChipSetGraphic& graphic = Graphic();
  TCorvidBoard board;
  board.SetSize(boardW, boardH);
  TMapDrawOptions options;
  options.cellSize = cellSize;
  const TPoint origin{-cells.left * cellSize, -cells.top * cellSize};
  auto draw = [&] {
    DrawMapCells(board, origin, map, cells, graphic, nullptr, options);
    benchmark::DoNotOptimize(board.Bits());
  };
  draw();  // the scaled tiles are made once per size
  // Best of several rounds on both sides, so a busy machine does not decide the ratio.
  state.counters["x_copy"] =
      bench::MeasureSeconds(draw, 10) / bench::CopySeconds(static_cast<size_t>(boardW) * boardH * 2);
  for (auto _ : state) draw();
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(cells.Width()) * cells.Height());
}

void BM_DrawRectangle1920x1080At1to1(benchmark::State& state) {
  // 60 x 34 cells (the last row cut by the board's edge), from the middle of the map.
  DrawMapBench(state, 32, Bounds(200, 200, 60, 34), 1920, 1080);
}

void BM_DrawWholeMap(benchmark::State& state) {
  const int cellSize = static_cast<int>(state.range(0));
  state.SetLabel(cellSize == 8 ? "1/4" : "1/8");
  DrawMapBench(state, cellSize, Bounds(0, 0, kMapSide, kMapSide), kMapSide * cellSize, kMapSide * cellSize);
}

void BM_RenderMapCommand(benchmark::State& state) {
  const std::string zoom = std::to_string(state.range(0));
  state.SetLabel("--zoom " + zoom);
  const std::string out = Project().folder + "render.png";
  const std::vector<std::string> words = {"render-map",   Project().folder, "1", out, "--zoom", zoom,
                                          "--rtp-folder", Project().folder};
  for (auto _ : state) {
    std::ostringstream text, err;
    if (cli::RunCli(words, text, err) != 0) state.SkipWithError(err.str().c_str());
  }
  state.counters["kB"] = static_cast<double>(fs::file_size(out)) / 1000;
}

}  // namespace

BENCHMARK(BM_DrawRectangle1920x1080At1to1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawWholeMap)->Arg(8)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderMapCommand)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);
