// The tileset page's passability drag: the left button pressed on the first entry and dragged
// across every entry of the layer, each entry repainted and its cell drawn again (the tile through
// the tileset graphic and its mark), against copying the whole tile grid's board (x_copy: how many
// times the copy's time one cell's paint and redraw takes). ms_per_cell is the absolute figure the
// page has to stay under (2 ms).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "BenchReference.h"
#include "core/ProjectFolder.h"
#include "database/ChipSetRules.h"
#include "maps/ChipSetFlagBoard.h"
#include "maps/GR_ChipSet.h"
#include "media/PictureFile.h"
#include "tools/rtpgen/RuntimePackage.h"
#include "tools/rtpgen/TilesetArt.h"

using namespace tess;
namespace fs = std::filesystem;

namespace {

struct TTilesetFolder {
  std::string folder;
  TTilesetFolder() {
    folder = (fs::temp_directory_path() / ("tess-bench-flags-" + std::to_string(::getpid()))).string() + "/";
    fs::create_directories(folder + "ChipSet");
    SavePictureFile(rtp::ToBitmap(rtp::AssembleTileset(rtp::DrawFieldTileset())), folder + "ChipSet/Field.png");
    SetProjectFolder(folder);
    SetCurrentRuntimePackageFolder("");
  }
  ~TTilesetFolder() {
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
};

void BM_PassabilityDragAcrossTileset(benchmark::State& state) {
  static TTilesetFolder project;
  const TChipSetTool tool = state.range(0) ? TChipSetTool::UpperPassability : TChipSetTool::LowerPassability;
  state.SetLabel(state.range(0) ? "upper layer" : "lower layer");
  TLcfChipSetItem tileset;
  tileset.chipSetFile = "Field";
  TLcfChipSetGraphic graphic;
  graphic.SetTileset(&tileset);
  if (!graphic.pictureError.empty()) state.SkipWithError(graphic.pictureError.c_str());
  TChipSetFlagBoard board;
  board.SetTool(tool);
  board.Draw(tileset, &graphic);
  const int entries = ToolEntryCount(tool);
  TChipSetToolEdit edit;
  edit.tool = tool;
  bool left = true;
  auto drag = [&] {
    // Alternate buttons so every round changes every entry.
    edit.Press(tileset, 1, left, 0, 0, TChipSetFlagBoard::kCell);
    board.DrawCell(tileset, &graphic, 1);
    for (int i = 2; i < entries; ++i)
      if (edit.Drag(tileset, i)) board.DrawCell(tileset, &graphic, i);
    edit.Release();
    left = !left;
    benchmark::DoNotOptimize(board.Board().Bits());
  };
  const TCorvidBoard& b = board.Board();
  const double copy = bench::CopySeconds(static_cast<size_t>(b.Stride()) * b.Height());
  const double perCell = bench::MeasureSeconds(drag, 10) / (entries - 1);
  state.counters["x_copy"] = perCell / copy;
  state.counters["ms_per_cell"] = perCell * 1000;
  for (auto _ : state) drag();
  state.SetItemsProcessed(state.iterations() * (entries - 1));
}

}  // namespace

BENCHMARK(BM_PassabilityDragAcrossTileset)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
