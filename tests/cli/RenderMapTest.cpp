#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <random>
#include <sstream>

#include "cli/CliCommands.h"
#include "cli/RenderMapCommand.h"
#include "core/AtomicFile.h"
#include "core/ProjectFolder.h"
#include "database/DataBaseObj.h"
#include "maps/CellMarker.h"
#include "maps/GR_CharSet.h"
#include "maps/GR_ChipSet.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "maps/MapDrawing.h"
#include "media/BoardPicture.h"
#include "media/PictureFile.h"
#include "tests/TestFolder.h"
#include "tests/cli/CliRun.h"
#include "tools/rtpgen/DemoProject.h"
#include "tools/rtpgen/RuntimePackage.h"

using namespace tess;
namespace fs = std::filesystem;

namespace {

using TRun = test::TCliRun;
TRun Cli(const std::vector<std::string>& words) { return test::RunCliWords(words); }

TBitmap NoiseTileset(uint32_t seed) {
  TBitmap b(480, 256, TPixelFormat::Indexed8);
  std::mt19937 rng(seed);
  for (int i = 0; i < 256; ++i)
    b.Palette().push_back(TRgb{static_cast<uint8_t>(rng()), static_cast<uint8_t>(rng()), static_cast<uint8_t>(rng())});
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 480; ++x) b.Row(y)[x] = static_cast<uint8_t>(rng() % 4 == 0 ? 0 : rng());
  for (int y = 128; y < 144; ++y)
    for (int x = 288; x < 304; ++x) b.Row(y)[x] = 0;  // upper chip 0, the empty tile
  return b;
}

// A project of one database with two tilesets (the second on a picture that is missing) and maps
// written by the tests.
class RenderMap : public ::testing::Test {
 protected:
  void SetUp() override {
    project_ = folder_.Path() + "Game/";
    fs::create_directories(project_ + "ChipSet");
    fs::create_directories(project_ + "Panorama");
    SavePictureFile(NoiseTileset(1), project_ + "ChipSet/Noise.png");
    TLcfDataBase db;
    db.ResetDatabase();
    db.tilesets.SetCount(2);
    db.tilesets.FindById(1)->chipSetFile = "Noise";
    db.tilesets.FindById(1)->waterSpeed = 1;
    db.tilesets.FindById(2)->chipSetFile = "Gone";
    db.SaveToFile(project_ + kDataBaseFileName);
  }
  void TearDown() override {
    SetProjectFolder("");
    SetCurrentRuntimePackageFolder("");
  }

  // A map of every kind of tile, row after row, on both layers.
  TLcfMap& MakeMap(int width, int height, int tileset = 1) {
    map_.SetWidth(width);
    map_.SetHeight(height);
    map_.tilesetId = tileset;
    map_.usePanorama = 0;
    static const int kinds[] = {0, 1049, 2050, 3000, 3100, 4046, 4550, 5000, 5143, 777, 1999};
    for (size_t i = 0; i < map_.lower.cells.size(); ++i) {
      map_.lower.cells[i] = static_cast<uint16_t>(kinds[(i * 7 + i / width) % std::size(kinds)]);
      map_.upper.cells[i] = static_cast<uint16_t>(i % 5 == 0 ? 10000 + (i % 144) : 10000);
    }
    return map_;
  }
  void SaveMap(int id) { map_.SaveToProject(project_, id); }

  // The map drawn whole onto one board through the drawing routine, as the reference.
  TBitmap DrawnWhole(int cellSize, int counter, TCorvidSheet* panorama = nullptr) {
    SetProjectFolder(project_);
    TLcfDataBase db;
    EXPECT_TRUE(db.LoadDatabase(project_));
    TLcfChipSetGraphic graphic;
    graphic.SetTileset(db.tilesets.FindById(map_.tilesetId));
    TCorvidBoard board;
    board.SetSize(map_.width * cellSize, map_.height * cellSize);
    TMapDrawOptions options;
    options.cellSize = cellSize;
    options.counter = counter;
    DrawMapCells(board, {0, 0}, map_, {0, 0, map_.width, map_.height}, graphic, panorama, options);
    return BoardToBitmap(board);
  }

  static bool SamePixels(const TBitmap& a, const TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
      for (int x = 0; x < a.Width(); ++x)
        if (!(a.Pixel(x, y) == b.Pixel(x, y))) return false;
    return true;
  }

  TBitmap Output(const std::string& name) {
    TBitmap b;
    LoadPictureFile(b, folder_ / name);
    return b;
  }

  test::TTestFolder folder_;
  std::string project_;
  TLcfMap map_;
};

}  // namespace

TEST_F(RenderMap, DrawsTheWholeMapInBandsAsTheDrawingRoutineDoes) {
  // Tall enough at 1/1 for several bands; every zoom, and an animation counter.
  MakeMap(70, 130);
  SaveMap(1);
  const struct {
    const char* zoom;
    int cellSize;
    const char* frame;
    int counter;
  } cases[] = {{"1", 32, "0", 0}, {"2", 16, "13", 13}, {"4", 8, "0", 0}, {"8", 4, "150", 150}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.zoom);
    const TRun run = Cli({"render-map", project_, "1", folder_ / "out.png", "--zoom", c.zoom, "--frame", c.frame,
                          "--rtp-folder", folder_.Sub("NoRtp")});
    ASSERT_EQ(run.status, 0) << run.err;
    const TBitmap out = Output("out.png");
    EXPECT_EQ(out.Format(), TPixelFormat::Indexed8);  // one tileset: its colours fit a palette
    EXPECT_TRUE(SamePixels(out, DrawnWhole(c.cellSize, c.counter)));
  }
}

// The picture takes the format its extension names; any other name is refused, and the project's
// data files are never written over.
TEST_F(RenderMap, WritesTheFormatItsExtensionNamesAndNothingElse) {
  MakeMap(20, 15);
  SaveMap(1);
  const Bytes mapFile = ReadWholeFile(project_ + "Map0001.lmu");
  const struct {
    const char* name;
    int status;
    std::optional<TPictureFormat> format;
  } cases[] = {{"a.png", 0, TPictureFormat::Png}, {"b.BMP", 0, TPictureFormat::Bmp}, {"c.xyz", 1, std::nullopt},
               {"noextension", 1, std::nullopt},  {"Map0001.lmu", 1, std::nullopt},  {"TESS_RT.ldb", 1, std::nullopt}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const bool inProject = std::string(c.name).find("TESS_RT") == 0 || std::string(c.name).find("Map") == 0;
    const std::string out = inProject ? project_ + c.name : folder_ / c.name;
    const TRun run = Cli({"render-map", project_, "1", out, "--rtp-folder", folder_.Sub("NoRtp")});
    EXPECT_EQ(run.status, c.status) << run.err;
    if (c.format) {
      const Bytes written = ReadWholeFile(out);
      EXPECT_EQ(PictureFormatOfData(written.data(), written.size()), *c.format);
    } else {
      EXPECT_NE(run.err.find("name it .png or .bmp"), std::string::npos) << run.err;
    }
  }
  EXPECT_EQ(ReadWholeFile(project_ + "Map0001.lmu"), mapFile);
  // Nor a picture of the project's material folders.
  std::filesystem::create_directories(project_ + "Picture");
  WriteFileAtomic(project_ + "Picture/Shot.png", mapFile);
  const TRun shot =
      Cli({"render-map", project_, "1", project_ + "Picture/Shot.png", "--rtp-folder", folder_.Sub("NoRtp")});
  EXPECT_EQ(shot.status, 1);
  EXPECT_NE(shot.err.find("is a picture of the project; it is not written over"), std::string::npos) << shot.err;
  EXPECT_EQ(ReadWholeFile(project_ + "Picture/Shot.png"), mapFile);
}

TEST_F(RenderMap, MoreColoursThanAPaletteHoldsGiveATrueColourPicture) {
  MakeMap(20, 15);
  map_.usePanorama = 1;
  map_.panoramaName = "Sky";
  SaveMap(2);
  TBitmap sky = NoiseTileset(2);
  TBitmap skyPicture(320, 240, TPixelFormat::Indexed8);
  skyPicture.Palette() = sky.Palette();
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 320; ++x) skyPicture.Row(y)[x] = static_cast<uint8_t>(x + y);
  SavePictureFile(skyPicture, project_ + "Panorama/Sky.png");
  const TRun run = Cli({"render-map", project_, "2", folder_ / "sky.png", "--zoom", "2"});
  ASSERT_EQ(run.status, 0) << run.err;
  const TBitmap out = Output("sky.png");
  EXPECT_EQ(out.Format(), TPixelFormat::Rgb24);
  TCorvidSheet panorama;
  SetProjectFolder(project_);
  EXPECT_EQ(LoadMapPanorama(panorama, "Sky"), "");
  EXPECT_TRUE(SamePixels(out, DrawnWhole(16, 0, &panorama)));
}

TEST_F(RenderMap, MissingPicturesAreNamedTheirCellsStripedAndTheStatusOne) {
  MakeMap(10, 8, 2);  // tileset 2's picture is missing
  SaveMap(3);
  map_.usePanorama = 1;
  map_.panoramaName = "Nowhere";
  map_.tilesetId = 1;
  SaveMap(4);
  MakeMap(10, 8, 7);  // names a tileset the database lacks: the map falls back to tileset 1
  SaveMap(5);

  TRun run = Cli({"render-map", project_, "3", folder_ / "a.png", "--zoom", "4"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("ChipSet/Gone"), std::string::npos) << run.err;
  // Never a dark map: every cell shows the placeholder.
  const TBitmap striped = Output("a.png");
  EXPECT_EQ(striped.Width(), 80);
  for (int y = 0; y < striped.Height(); ++y)
    for (int x = 0; x < striped.Width(); ++x) ASSERT_NE(striped.Pixel(x, y), (TRgb{0, 0, 0})) << x << "," << y;

  run = Cli({"render-map", project_, "4", folder_ / "b.png"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Panorama/Nowhere"), std::string::npos) << run.err;

  run = Cli({"render-map", project_, "5", folder_ / "c.png"});
  EXPECT_EQ(run.status, 0) << run.err;
  map_.tilesetId = 1;
  EXPECT_TRUE(SamePixels(Output("c.png"), DrawnWhole(32, 0)));
}

TEST_F(RenderMap, LayersAndRefusals) {
  MakeMap(6, 4);
  SaveMap(1);
  TRun run = Cli({"render-map", project_, "1", folder_ / "upper.png", "--layers", "upper"});
  ASSERT_EQ(run.status, 0) << run.err;
  const TBitmap upper = Output("upper.png");
  EXPECT_EQ(upper.Pixel(40, 5), (TRgb{0, 0, 0}));  // cell (1, 0) has only the empty upper chip
  run = Cli({"render-map", project_, "1", folder_ / "lower.png", "--layers", "lower"});
  ASSERT_EQ(run.status, 0) << run.err;

  const struct {
    std::vector<std::string> words;
    int status;
    const char* errorHas;
  } refusals[] = {
      {{"render-map", project_, "1"}, 2, "usage"},
      {{"render-map", project_, "one", folder_ / "x.png"}, 2, "usage"},
      {{"render-map", project_, "0", folder_ / "x.png"}, 2, "usage"},
      {{"render-map", project_, "1", folder_ / "x.png", "--zoom", "3"}, 2, "--zoom"},
      {{"render-map", project_, "1", folder_ / "x.png", "--frame", "-1"}, 2, "--frame"},
      {{"render-map", project_, "1", folder_ / "x.png", "--layers", "middle"}, 2, "--layers"},
      {{"render-map", project_, "1", folder_ / "x.png", "--layers", "lower,event"}, 2, "--layers"},
      {{"render-map", project_, "1", folder_ / "x.png", "--colour"}, 2, "usage"},
      {{"render-map", folder_ / "nothing", "1", folder_ / "x.png"}, 1, "not a folder"},
      {{"render-map", project_, "9", folder_ / "x.png"}, 1, "Map0009.lmu"},
  };
  for (const auto& r : refusals) {
    run = Cli(r.words);
    EXPECT_EQ(run.status, r.status) << r.errorHas;
    EXPECT_NE(run.err.find(r.errorHas), std::string::npos) << run.err;
  }
  EXPECT_FALSE(fs::exists(folder_ / "x.png"));

  // A damaged map and a damaged database are named and nothing is written.
  Bytes damaged = ReadWholeFile(project_ + "Map0001.lmu");
  damaged.resize(damaged.size() / 2);
  WriteFileAtomic(project_ + "Map0001.lmu", damaged);
  run = Cli({"render-map", project_, "1", folder_ / "x.png"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Map0001.lmu"), std::string::npos) << run.err;
  WriteFileAtomic(project_ + kDataBaseFileName, std::string("LcfDataBase"));
  run = Cli({"render-map", project_, "1", folder_ / "x.png"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find(kDataBaseFileName), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(folder_ / "x.png"));
}

TEST_F(RenderMap, TheEventLayerShowsEventsAndStartPositionsAsTheDrawingRoutineDoes) {
  MakeMap(12, 9);
  fs::create_directories(project_ + "CharSet");
  SavePictureFile(NoiseTileset(5), project_ + "CharSet/Hero.png");  // cut to 288 x 256
  auto place = [&](int id, int x, int y, const std::string& sheet, int index) {
    TLcfEventItem* e = map_.events.Obtain(id);
    e->x = x, e->y = y;
    e->pages.ItemAt(0)->graphicName = sheet;
    e->pages.ItemAt(0)->graphicIndex = index;
  };
  place(1, 2, 2, "Hero", 5);
  place(2, 4, 3, "", 20);  // an upper tile
  place(3, 6, 6, "Hero", 0);
  SaveMap(1);
  TLcfMapTree tree;
  tree.AddNode(0, 0);
  tree.AddNode(0, 1)->nodeType = TLcfMapTreeItem::kMap;
  tree.startPositions.SetMapId(TLcfMapStartPosition::kParty, 1);
  tree.startPositions.SetX(TLcfMapStartPosition::kParty, 6);
  tree.startPositions.SetY(TLcfMapStartPosition::kParty, 6);  // over event 3
  WriteFileAtomic(project_ + kMapTreeFileName, tree.SaveToBytes());

  for (int cellSize : {32, 16, 8}) {
    SCOPED_TRACE(cellSize);
    const std::string zoom = std::to_string(32 / cellSize);
    TRun run = Cli({"render-map", project_, "1", folder_ / "events.png", "--zoom", zoom, "--layers",
                    "lower,upper,events", "--rtp-folder", folder_.Sub("NoRtp")});
    ASSERT_EQ(run.status, 0) << run.err;

    // The reference: the map drawn whole, then each marker over its cell.
    SetProjectFolder(project_);
    TLcfDataBase db;
    ASSERT_TRUE(db.LoadDatabase(project_));
    TLcfChipSetGraphic graphic;
    graphic.SetTileset(db.tilesets.FindById(1));
    TLcfCharSetGraphic charSets;
    charSets.Refresh(map_.events);
    TCellMarkerPainter painter;
    TCorvidBoard board;
    board.SetSize(map_.width * cellSize, map_.height * cellSize);
    TMapDrawOptions options;
    options.cellSize = cellSize;
    DrawMapCells(board, {0, 0}, map_, {0, 0, map_.width, map_.height}, graphic, nullptr, options);
    painter.DrawCellMarker(board, 2 * cellSize, 2 * cellSize, cellSize, 1, map_.events.FindById(1), charSets, graphic,
                           TMarkerStyle::Picture);
    painter.DrawCellMarker(board, 4 * cellSize, 3 * cellSize, cellSize, 2, map_.events.FindById(2), charSets, graphic,
                           TMarkerStyle::Picture);
    painter.DrawCellMarker(board, 6 * cellSize, 6 * cellSize, cellSize, 60001, nullptr, charSets, graphic,
                           TMarkerStyle::Picture);
    const TBitmap out = Output("events.png");
    EXPECT_TRUE(SamePixels(out, BoardToBitmap(board)));
    EXPECT_FALSE(SamePixels(out, DrawnWhole(cellSize, 0)));
  }

  // A sheet that is missing is named; its event shows the event mark.
  place(4, 8, 1, "Ghost", 0);
  SaveMap(1);
  TRun run = Cli({"render-map", project_, "1", folder_ / "ghost.png", "--layers", "events,lower"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("CharSet/Ghost"), std::string::npos) << run.err;
  EXPECT_TRUE(fs::exists(folder_ / "ghost.png"));

  // A map tree that cannot be read costs the start positions only.
  WriteFileAtomic(project_ + kMapTreeFileName, std::string("LcfMapTree"));
  fs::remove(project_ + "CharSet/Hero.png");
  SavePictureFile(NoiseTileset(5), project_ + "CharSet/Ghost.png");
  run = Cli({"render-map", project_, "1", folder_ / "notree.png", "--layers", "lower,upper,events"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find(kMapTreeFileName), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("CharSet/Hero"), std::string::npos) << run.err;
}

TEST(RenderMapDemo, EveryMapOfTheDemoProjectRenders) {
  test::TTestFolder folder;
  const std::string rtp = folder.Path() + "RTP/";
  rtp::WriteRuntimePackage(rtp);
  const std::string project = folder.Path() + "DemoGame/";
  rtp::WriteDemoProject(project, TESS_BINARY_DIR "/app");
  TLcfMapTree tree;
  tree.projectFolder = project;
  tree.LoadTree();
  int maps = 0;
  for (int i = 0; i < tree.Count(); ++i) {
    const TLcfMapTreeItem* node = tree.ItemAt(i);
    if (!node->IsMap()) continue;
    SCOPED_TRACE(node->Id());
    const std::string out = folder / ("map" + std::to_string(node->Id()) + ".png");
    const TRun run = Cli({"render-map", project, std::to_string(node->Id()), out, "--rtp-folder", rtp});
    EXPECT_EQ(run.status, 0) << run.err;
    // With the events: every sheet the demo's events name is in the runtime package.
    const TRun withEvents = Cli({"render-map", project, std::to_string(node->Id()), folder / "events.png", "--layers",
                                 "lower,upper,events", "--rtp-folder", rtp});
    EXPECT_EQ(withEvents.status, 0) << withEvents.err;
    TLcfMap map;
    map.LoadFromProject(project, node->Id());
    TBitmap picture;
    LoadPictureFile(picture, out);
    EXPECT_EQ(picture.Width(), map.width * 32);
    EXPECT_EQ(picture.Height(), map.height * 32);
    ++maps;
  }
  EXPECT_GE(maps, 3);
  SetProjectFolder("");
  SetCurrentRuntimePackageFolder("");
}
