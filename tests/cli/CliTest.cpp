#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>

#include "core/AtomicFile.h"
#include "core/StreamUtils.h"
#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "media/PictureFile.h"
#include "media/WaveFile.h"
#include "platform/RuntimePackage.h"
#include "project/ProjectNames.h"
#include "tests/TestFolder.h"
#include "tests/cli/CliRun.h"

using namespace tess;
using namespace tess::test;
using TRun = TCliRun;

TEST(Cli, HelpVersionAndUnknownCommands) {
  TRun help = RunCliWords({"--help"});
  EXPECT_EQ(help.status, 0);
  // One column: every command's usage line, with every option it takes.
  for (const char* usage : {"\n  chunks FILE\n", "\n  new DIR [--title TITLE] [--app-folder PATH]\n",
                            "\n  new-database FILE\n", "[--force]\n", "\n  --version\n"})
    EXPECT_NE(help.out.find(usage), std::string::npos) << usage;
  EXPECT_EQ(RunCliWords({"--version"}).status, 0);
  EXPECT_EQ(RunCliWords({}).status, 2);
  TRun unknown = RunCliWords({"frobnicate"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("frobnicate"), std::string::npos);
}

TEST(Cli, ChunksReportsDamageInOneLine) {
  test::TTestFolder dir;
  const std::string good = dir / "good.bin";
  Bytes data;
  TByteWriter w(data);
  w.WriteString("LcfMapUnit");
  w.WriteBytes("\x01\x01\x14\x00", 4);
  WriteFileAtomic(good, data);
  TRun ok = RunCliWords({"chunks", good});
  EXPECT_EQ(ok.status, 0);
  EXPECT_EQ(ok.out, "magic \"LcfMapUnit\"\nchunk 1 size 1 = 20\n");

  data.pop_back();
  const std::string bad = dir / "bad.bin";
  WriteFileAtomic(bad, data);
  TRun broken = RunCliWords({"chunks", bad});
  EXPECT_EQ(broken.status, 1);
  EXPECT_EQ(broken.out, "magic \"LcfMapUnit\"\nchunk 1 size 1 = 20\n");
  EXPECT_EQ(broken.err, "tessaly-cli: " + bad + ": the record ends without its closing 0 at byte 14\n");
  EXPECT_EQ(RunCliWords({"chunks", dir / "missing"}).status, 1);
}

TEST(Cli, ConvertWritesTheFormatOfTheTargetName) {
  auto dir = std::filesystem::temp_directory_path() / ("tess-cli-conv-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  TBitmap pic(5, 3, TPixelFormat::Indexed8);
  pic.Palette() = {TRgb{1, 2, 3}, TRgb{200, 100, 50}};
  pic.Row(1)[2] = 1;
  const std::string bmp = (dir / "a.bmp").string(), png = (dir / "a.PNG").string(), xyz = (dir / "b.xyz").string();
  SavePictureFile(pic, bmp);
  EXPECT_EQ(RunCliWords({"convert", bmp, png}).status, 0);
  EXPECT_EQ(RunCliWords({"convert", png, xyz}).status, 0);
  EXPECT_EQ(ReadWholeFile(png)[1], 'P');
  EXPECT_EQ(ReadWholeFile(xyz)[0], 'X');
  TBitmap back;
  LoadPictureFile(back, xyz);
  EXPECT_EQ(back.Pixel(2, 1), (TRgb{200, 100, 50}));

  WriteFileAtomic(bmp, Bytes{'B', 'M', 1, 2, 3});
  TRun damaged = RunCliWords({"convert", bmp, png});
  EXPECT_EQ(damaged.status, 1);
  EXPECT_EQ(damaged.err, "tessaly-cli: " + bmp + ": Invalid bitmap image.\n");
  EXPECT_EQ(ReadWholeFile(png)[1], 'P');  // the old target stays
  EXPECT_EQ(RunCliWords({"convert", bmp}).status, 2);
  std::filesystem::remove_all(dir);
}

TEST(Cli, CheckLoadsAWholeProject) {
  auto dir = std::filesystem::temp_directory_path() / ("tess-cli-check-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  TRun missing = RunCliWords({"check", dir.string(), "--rtp-folder", ""});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.out.find("TESS_RT.ldb: "), std::string::npos);
  EXPECT_NE(missing.out.find("2 problems"), std::string::npos);
  EXPECT_EQ(RunCliWords({"check"}).status, 2);
  std::filesystem::remove_all(dir);
}

TEST(Cli, InfoAndRoundTripByMagicString) {
  auto dir = std::filesystem::temp_directory_path() / ("tess-cli-kinds-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  auto path = [&](const char* name) { return (dir / name).string(); };

  TLcfMap map;
  map.SetWidth(40);
  map.events.Obtain(3)->pages.Append();
  WriteFileAtomic(path("some.name"), map.SaveToBytes());
  TLcfMapTree tree;
  tree.AddNode(0, 0);
  tree.AddNode(0, 1)->nodeType = TLcfMapTreeItem::kMap;
  tree.AddNode(1, 2)->nodeType = TLcfMapTreeItem::kArea;
  WriteFileAtomic(path("tree.bin"), tree.SaveToBytes());

  TRun info = RunCliWords({"info", path("some.name")});
  EXPECT_EQ(info.status, 0);
  EXPECT_EQ(info.out.rfind("map, ", 0), 0u) << info.out;
  EXPECT_NE(info.out.find("40 x 15 cells"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("1 event (2 pages"), std::string::npos) << info.out;
  info = RunCliWords({"info", path("tree.bin")});
  EXPECT_EQ(info.status, 0);
  EXPECT_NE(info.out.find("map tree, "), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("3 nodes (1 map, 1 area"), std::string::npos) << info.out;

  for (const char* name : {"some.name", "tree.bin"}) {
    TRun copy = RunCliWords({"roundtrip", path(name), path("copy")});
    EXPECT_EQ(copy.status, 0) << copy.err;
    EXPECT_EQ(ReadWholeFile(path("copy")), ReadWholeFile(path(name)));
  }

  // Damage, another kind of file, and wrong usage: a status and one line.
  Bytes cut = map.SaveToBytes();
  cut.resize(cut.size() - 10);
  WriteFileAtomic(path("cut.lmu"), cut);
  WriteFileAtomic(path("other"), std::string("\x05Other\x00", 7));
  WriteFileAtomic(path("copy"), std::string("kept"));
  for (auto words : std::vector<std::vector<std::string>>{{"info", path("cut.lmu")},
                                                          {"roundtrip", path("cut.lmu"), path("copy")},
                                                          {"info", path("other")},
                                                          {"info", path("missing")}}) {
    TRun bad = RunCliWords(words);
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(std::count(bad.err.begin(), bad.err.end(), '\n'), 1) << bad.err;
  }
  EXPECT_EQ(ReadWholeFile(path("copy")).size(), 4u);
  EXPECT_NE(RunCliWords({"info", path("other")}).err.find("unknown kind of file (magic \"Other\")"), std::string::npos);
  // Bytes that would drive the terminal are shown in hex.
  WriteFileAtomic(path("escape"), std::string("\x07\x1b[2J\"\\x\x00", 9));
  EXPECT_EQ(RunCliWords({"info", path("escape")}).err,
            "tessaly-cli: " + path("escape") + ": unknown kind of file (magic \"\\x1B[2J\\x22\\x5Cx\")\n");
  WriteFileAtomic(path("binary"), std::string("\x8f\xff\xff\xff\x7f\x01", 6));
  EXPECT_EQ(RunCliWords({"info", path("binary")}).err,
            "tessaly-cli: " + path("binary") +
                ": unknown kind of file (it starts with \"\\x8F\\xFF\\xFF\\xFF\\x7F\\x01\")\n");
  EXPECT_EQ(RunCliWords({"roundtrip", path("cut.lmu")}).status, 2);
  std::filesystem::remove_all(dir);
}

TEST(Cli, InfoAndRoundTripOfDatabases) {
  auto dir = std::filesystem::temp_directory_path() / ("tess-cli-db-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::string file = (dir / "TESS_RT.ldb").string(), copy = (dir / "copy.ldb").string();
  TLcfDataBase db;
  db.heroes.SetCount(3);
  db.animations.ItemAt(0)->name = "Slash";
  db.SaveToFile(file);
  TRun info = RunCliWords({"info", file});
  EXPECT_EQ(info.status, 0) << info.err;
  EXPECT_EQ(info.out.rfind("database, ", 0), 0u) << info.out;
  EXPECT_NE(info.out.find("saved 1 time, 3 heroes, 1 class,"), std::string::npos) << info.out;
  TRun trip = RunCliWords({"roundtrip", file, copy});
  EXPECT_EQ(trip.status, 0) << trip.err;
  EXPECT_EQ(ReadWholeFile(copy), ReadWholeFile(file));
  Bytes cut = ReadWholeFile(file);
  cut.resize(cut.size() - 5);
  WriteFileAtomic(file, cut);
  EXPECT_EQ(RunCliWords({"info", file}).status, 1);
  std::filesystem::remove_all(dir);
}

TEST(Cli, ArchivePacksAndLists) {
  auto dir = std::filesystem::temp_directory_path() / ("tess-cli-lha-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir / "My Game" / "Music");
  WriteFileAtomic((dir / "My Game" / "TESS_RT.ini").string(), std::string("[TESS_RT]\r\nGameTitle=T\r\n"));
  const std::string archive = (dir / "My Game.lzh").string();
  TRun packed =
      RunCliWords({"archive", "a", "-r2", "-d", archive, (dir / "My Game").string() + "/", "TESS_RT.ini", "Music"});
  EXPECT_EQ(packed.status, 0) << packed.err;
  TRun listed = RunCliWords({"archive-list", archive});
  EXPECT_EQ(listed.status, 0);
  EXPECT_EQ(listed.out, "-lh0- 24 24 TESS_RT.ini\n-lhd- 0 0 Music/\n");
  EXPECT_EQ(RunCliWords({"archive", "a", archive, "-x"}).status, 1);
  // A named file that is not there is passed over, and the command says so and fails.
  TRun missing = RunCliWords({"archive", "a", archive, (dir / "My Game").string() + "/", "TESS_RT.ini", "Gone.png"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("Skipped Gone.png (not found)"), std::string::npos) << missing.err;
  // Names are read below their folder: neither an absolute path nor a parent reference leaves it.
  for (const std::string& name : {(dir / "My Game" / "TESS_RT.ini").string(), std::string("../My Game.lzh")}) {
    TRun outside = RunCliWords({"archive", "a", archive, (dir / "My Game").string() + "/", name});
    EXPECT_EQ(outside.status, 1) << name;
  }
  std::filesystem::remove_all(dir);
}

TEST(Cli, NewProjectPassesTheCheckAndTheRuntimeFindsItSound) {
  test::TTestFolder folder;
  const std::string project = folder / "Made by cli";
  // The real programs: the tool finds the templates beside the editor by itself, and the project's
  // runtime is the stand-in copied from there.
  const TRun made = RunShell("'" TESS_BINARY_DIR "/cli/tessaly-cli' new '" + project + "' --title 'Cli Game'");
  ASSERT_EQ(made.status, 0) << made.out;
  EXPECT_EQ(made.out, "created " + project + "/\n");
  EXPECT_EQ(ReadGameTitle(project), "Cli Game");

  const TRun check = RunCliWords({"check", project, "--rtp-folder", TESS_BINARY_DIR "/app/RTP"});
  EXPECT_EQ(check.status, 0) << check.out;
  EXPECT_EQ(check.out, "ok\n");

  // The starter database draws the first map from the runtime package's tileset: no cell is blank.
  const TRun rendered = RunCliWords(
      {"render-map", project, "1", folder / "first.png", "--zoom", "4", "--rtp-folder", TESS_BINARY_DIR "/app/RTP"});
  ASSERT_EQ(rendered.status, 0) << rendered.err;
  TBitmap first;
  LoadPictureFile(first, folder / "first.png");
  const int cell = 32 / 4;
  ASSERT_EQ(first.Width(), 100 * cell);
  int blank = 0;
  for (int cy = 0; cy < 100; ++cy)
    for (int cx = 0; cx < 100; ++cx) {
      bool drawn = false;
      for (int y = 0; y < cell && !drawn; ++y)
        for (int x = 0; x < cell && !drawn; ++x) drawn = first.Pixel(cell * cx + x, cell * cy + y) != TRgb{0, 0, 0};
      blank += drawn ? 0 : 1;
    }
  EXPECT_EQ(blank, 0);
  TLcfDataBase db;
  ASSERT_TRUE(db.LoadDatabase(project + "/"));
  EXPECT_EQ(db.tilesets.FindById(1)->chipSetFile, "Field");
  EXPECT_FALSE(db.heroes.FindById(1)->charSetFile.empty());
  EXPECT_FALSE(db.heroes.FindById(1)->faceSetFile.empty());
  EXPECT_EQ(db.system.partySize, 1);

  const TRun played = RunShell("cd '" + project + "' && TESS_RT_NO_WINDOW=1 ./TESS_RT.exe TestPlay HideTitle Window");
  EXPECT_EQ(played.status, 0) << played.out;
  EXPECT_NE(played.out.find("title: Cli Game"), std::string::npos) << played.out;
  EXPECT_NE(played.out.find("result: sound"), std::string::npos) << played.out;
  EXPECT_TRUE(std::filesystem::exists(project + "/tess-rt.log"));
}

TEST(Cli, NewProjectRefusesWhatTheDialogRefuses) {
  test::TTestFolder folder;
  const std::string app = TESS_BINARY_DIR "/app/";
  // The title is stored in the game's code page.
  TRun made = RunCliWords({"new", folder / "Cafe", "--title", "Caf\xc3\xa9", "--app-folder", app});
  ASSERT_EQ(made.status, 0) << made.err;
  EXPECT_EQ(ReadGameTitle(folder / "Cafe"), "Caf\xe9");
  // In the project's code page, or refused when the code page cannot hold it.
  made = RunCliWords(
      {"new", folder / "Quest", "--title", "\xe5\x8b\x87\xe8\x80\x85", "--app-folder", app, "--encoding", "Shift_JIS"});
  ASSERT_EQ(made.status, 0) << made.err;
  EXPECT_EQ(ReadGameTitle(folder / "Quest"), "\x97\x45\x8e\xd2");

  const struct {
    std::vector<std::string> words;
    int status;
    const char* message;
  } cases[] = {
      {{"new"}, 2, "usage: tessaly-cli new DIR"},
      {{"new", folder / "X", "--title"}, 2, "usage: tessaly-cli new DIR"},
      {{"new", folder / "X", "--title", std::string(41, 'x'), "--app-folder", app}, 2, "at most 40 characters"},
      {{"new", folder / "X", "--title", "\xe5\x8b\x87", "--app-folder", app}, 2, "cannot be stored in windows-1252"},
      {{"new", folder / "Cafe", "--app-folder", app},
       1,
       "The project directory could not be created.\ntessaly-cli: The folder \"Cafe\" exists already."},
      {{"new", folder / "a:b", "--app-folder", app}, 1, "Directory name contains illegal characters."},
      {{"new", folder / "NoTemplates", "--app-folder", folder / "nowhere/"},
       1,
       "Project creation could not be completed.\ntessaly-cli: The template TESS_RT.exe.dat is missing"},
  };
  for (const auto& c : cases) {
    const TRun run = RunCliWords(c.words);
    EXPECT_EQ(run.status, c.status) << c.words.back();
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "NoTemplates"));
  EXPECT_FALSE(std::filesystem::exists(folder / "X"));
}

TEST(Cli, PackMakesAGameDiskFolder) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("tess-cli-pack-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  const fs::path project = dir / "Hero Quest";
  fs::create_directories(project / "CharSet");
  fs::create_directories(dir / "rtp" / "Sound");
  WriteFileAtomic((project / "TESS_RT.exe").string(), std::string("runtime"));
  WriteFileAtomic((project / "TESS_RT.ini").string(), std::string("[TESS_RT]\r\nGameTitle=Quest\r\n"));
  WriteFileAtomic((project / "Map0001.lmu").string(), std::string("LcfMapUnit"));
  WriteFileAtomic((dir / "rtp" / "Sound" / "Hit.wav").string(), std::string("RIFF"));

  // The project has no database and a damaged map: it is not packed without --force.
  TRun refused =
      RunCliWords({"pack", project.string(), (dir / "disk").string(), "--rtp-folder", (dir / "rtp").string()});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("TESS_RT.ldb: "), std::string::npos) << refused.err;
  EXPECT_NE(refused.err.find("; it is not packed (--force packs it anyway)"), std::string::npos) << refused.err;
  EXPECT_FALSE(fs::exists(dir / "disk"));

  TRun run = RunCliWords(
      {"pack", project.string(), (dir / "disk").string(), "--rtp-folder", (dir / "rtp").string(), "--force"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("] Packing the project and the runtime package\n"), std::string::npos);
  EXPECT_NE(run.out.find("Gamedisk was successfully created.\n"), std::string::npos);
  EXPECT_TRUE(fs::is_regular_file(dir / "disk" / "Hero Quest.lzh"));
  TRun list = RunCliWords({"archive-list", (dir / "disk" / "Hero Quest.lzh").string()});
  EXPECT_NE(list.out.find(" Sound/Hit.wav\n"), std::string::npos);
  EXPECT_NE(list.out.find(" Map0001.lmu\n"), std::string::npos);

  // A failed pack says why and leaves no destination it made itself.
  TRun failed = RunCliWords(
      {"pack", project.string(), (dir / "disk2").string(), "--rtp-folder", (dir / "no").string(), "--force"});
  EXPECT_EQ(failed.status, 1);
  EXPECT_NE(failed.err.find("Gamedisk creation was cancelled."), std::string::npos);
  EXPECT_FALSE(fs::exists(dir / "disk2"));
  // A destination that cannot be made is refused with the system's reason, not called missing.
  TRun blocked = RunCliWords({"pack", project.string(), (project / "TESS_RT.ini" / "disk").string(), "--force"});
  EXPECT_EQ(blocked.status, 1);
  EXPECT_NE(
      blocked.err.find("cannot make the folder " + (project / "TESS_RT.ini" / "disk").string() + ": Not a directory"),
      std::string::npos)
      << blocked.err;
  EXPECT_EQ(RunCliWords({"pack", project.string()}).status, 2);
  fs::remove_all(dir);
}

// A new project whose first tileset draws from the runtime package's Field picture, so that
// its maps can be shaped and generated.
static void NewProjectOnField(const std::string& project) {
  ASSERT_EQ(RunCliWords({"new", project, "--app-folder", TESS_BINARY_DIR "/app/"}).status, 0);
  TLcfDataBase db;
  ASSERT_TRUE(db.LoadDatabase(project + "/"));
  db.tilesets.Obtain(1)->chipSetFile = "Field";
  db.SaveToFile(project + "/TESS_RT.ldb");
}

TEST(Cli, FixupRepairsWrongShapesAndLeavesFixedMapsAlone) {
  test::TTestFolder folder;
  const std::string project = folder / "Shapes";
  const std::string rtp = TESS_BINARY_DIR "/app/RTP";
  ASSERT_NO_FATAL_FAILURE(NewProjectOnField(project));
  // A script wrote a 3 x 3 autotile block into the water without shapes.
  TLcfMap map;
  map.LoadFromProject(project + "/", 1);
  for (int y = 4; y < 7; ++y)
    for (int x = 4; x < 7; ++x) map.lower.SetCell(x, y, 4000);
  map.SaveToProject(project + "/", 1);
  const int32_t saves = map.saveCount;

  const std::string out = folder / "Out.lmu";
  TRun toOut = RunCliWords({"fixup", project, "1", "--out", out, "--rtp-folder", rtp});
  ASSERT_EQ(toOut.status, 0) << toOut.err;
  // Eight cells of the block and the sixteen water cells around it.
  EXPECT_EQ(toOut.out, "24 cells changed\nwritten to " + out + "\n");
  TLcfMap fixed;
  fixed.LoadFromFile(out);
  const int expected[3][3] = {{4034, 4020, 4036}, {4016, 4000, 4024}, {4040, 4028, 4038}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(fixed.lower.GetCell(4 + x, 4 + y), expected[y][x]);
  EXPECT_EQ(fixed.lower.GetCell(3, 3), 4);  // water: the autotile on its south-east differs
  EXPECT_EQ(fixed.lower.GetCell(0, 0), 0);
  map.LoadFromProject(project + "/", 1);
  EXPECT_EQ(map.lower.GetCell(4, 4), 4000);  // --out leaves the project's file alone

  TRun inPlace = RunCliWords({"fixup", project, "1", "--rtp-folder", rtp});
  ASSERT_EQ(inPlace.status, 0) << inPlace.err;
  map.LoadFromProject(project + "/", 1);
  EXPECT_EQ(map.lower.cells, fixed.lower.cells);
  EXPECT_EQ(map.saveCount, saves + 1);
  TRun again = RunCliWords({"fixup", project, "1", "--rtp-folder", rtp});
  EXPECT_EQ(again.out, "0 cells changed\n");
  map.LoadFromProject(project + "/", 1);
  EXPECT_EQ(map.saveCount, saves + 1);  // nothing changed, nothing written

  // With --ctrl the map's edge is a border: the water along it takes edge shapes.
  TRun ctrl = RunCliWords({"fixup", project, "1", "--ctrl", "--out", out, "--rtp-folder", rtp});
  ASSERT_EQ(ctrl.status, 0);
  fixed.LoadFromFile(out);
  EXPECT_EQ(fixed.lower.GetCell(0, 0), 34);

  struct TCase {
    std::vector<std::string> words;
    int status;
    const char* err;
  };
  const TCase failures[] = {
      {{"fixup", project}, 2, "usage: tessaly-cli fixup"},
      {{"fixup", project, "0"}, 2, "usage: tessaly-cli fixup"},
      {{"fixup", project, "1", "--bogus"}, 2, "usage: tessaly-cli fixup"},
      {{"fixup", project, "9", "--rtp-folder", rtp}, 1, "the map tree has no map 9"},
      {{"fixup", project, "1", "--rtp-folder", folder / "nowhere"}, 1, "nowhere is not a folder"},
      {{"fixup", folder / "none", "1"}, 1, "is not a folder"},
  };
  for (const TCase& c : failures) {
    TRun run = RunCliWords(c.words);
    EXPECT_EQ(run.status, c.status) << c.err;
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
  }
}
TEST(Cli, DungeonRegeneratesAGeneratorMapInPlace) {
  test::TTestFolder folder;
  const std::string project = folder / "Caves";
  const std::string rtp = TESS_BINARY_DIR "/app/RTP";
  ASSERT_NO_FATAL_FAILURE(NewProjectOnField(project));
  TLcfMap map;
  map.LoadFromProject(project + "/", 1);
  map.useGenerator = 1;
  map.generatorStyle = 3;
  map.generatorTiles[0] = 5001;  // ceiling
  map.generatorTiles[3] = 5002;  // floor A
  map.useFloorB = map.useFloorC = 0;
  map.SaveToProject(project + "/", 1);

  auto generated = [&](const std::string& seed) {
    TRun run = RunCliWords({"dungeon", project, "1", "--seed", seed, "--rtp-folder", rtp});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "map 1 generated with seed " + seed + "\nwritten to " + project + "/Map0001.lmu\n");
    TLcfMap read;
    read.LoadFromProject(project + "/", 1);
    return read.lower.cells;
  };
  const auto first = generated("5");
  EXPECT_EQ(first[0], 5001);
  EXPECT_EQ(first[static_cast<size_t>(5 * map.width + 5)], 5002);  // open room: floor inside
  EXPECT_EQ(generated("5"), first);
  TRun fresh = RunCliWords({"dungeon", project, "1", "--rtp-folder", rtp});
  EXPECT_EQ(fresh.status, 0) << fresh.err;
  EXPECT_NE(fresh.out.find("map 1 generated with seed "), std::string::npos);

  map.LoadFromProject(project + "/", 1);
  map.useGenerator = 0;
  map.SaveToProject(project + "/", 1);
  struct TCase {
    std::vector<std::string> words;
    int status;
    const char* err;
  };
  const TCase failures[] = {
      {{"dungeon", project, "1", "--rtp-folder", rtp}, 1, "does not use the random dungeon generator"},
      {{"dungeon", project, "7", "--rtp-folder", rtp}, 1, "the map tree has no map 7"},
      {{"dungeon", project, "1", "--seed", "x"}, 2, "usage: tessaly-cli dungeon"},
      {{"dungeon", project, "1", "--seed", "4294967296"}, 2, "usage: tessaly-cli dungeon"},
      {{"dungeon", project}, 2, "usage: tessaly-cli dungeon"},
      {{"dungeon", folder / "none", "1"}, 1, "is not a folder"},
  };
  for (const TCase& c : failures) {
    TRun run = RunCliWords(c.words);
    EXPECT_EQ(run.status, c.status) << c.err;
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
  }
}

namespace {

// tessaly-cli play: rendering through the front end into a wave file, without a sound device.
TRun Play(std::vector<std::string> words) {
  words.insert(words.begin(), "play");
  return RunCliWords(words);
}

// Half a second of a 22050 Hz tone, one channel.
std::string WriteTone(const test::TTestFolder& dir) {
  std::vector<int16_t> samples(11025);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = int16_t(12000 * std::sin(double(i) * 0.1));
  const std::string path = dir / "tone.wav";
  WriteFileAtomic(path, EncodeWaveFile(samples.data(), samples.size(), 1, 22050));
  return path;
}

double Peak(const TPcmData& pcm, int channel) {
  int peak = 0;
  for (size_t i = size_t(channel); i < pcm.samples.size(); i += 2) peak = std::max(peak, std::abs(int(pcm.samples[i])));
  return peak / 32768.0;
}

}  // namespace

TEST(CliPlay, RendersSoundsAndMusicAsTheyWouldBeHeard) {
  test::TTestFolder dir;
  const std::string tone = WriteTone(dir), out = dir / "out.wav";
  struct TCase {
    std::vector<std::string> options;
    double seconds;  // of the rendering, within one block of 1024 frames
    double leftPeak, rightPeak;
  };
  const double thirtyDb = std::pow(10.0, -1.5);
  const TCase cases[] = {
      {{"--sound"}, 0.5, 0.366, 0.366},                               // a sound effect to its end
      {{"--sound", "--tempo", "200"}, 0.25, 0.366, 0.366},            // twice as fast
      {{"--sound", "--balance", "0"}, 0.5, 0.366, 0.366 * thirtyDb},  // to the left
      {{"--seconds", "1.5"}, 1.5, 0.366, 0.366},                      // music loops
      {{}, 1.0, 0.366, 0.366},                                        // to its first loop, and the tail
      {{"--volume", "50", "--seconds", "1"}, 1.0, 0.366 * std::pow(10.0, -0.875), 0.366 * std::pow(10.0, -0.875)},
  };
  for (const TCase& c : cases) {
    std::vector<std::string> words = {tone, "--render", out};
    words.insert(words.end(), c.options.begin(), c.options.end());
    const TRun run = Play(words);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("rendered to " + out), std::string::npos) << run.out;
    const TPcmData heard = ReadWaveFile(out);
    EXPECT_EQ(heard.sampleRate, 44100);
    EXPECT_EQ(heard.channels, 2);
    EXPECT_NEAR(double(heard.Frames()) / 44100, c.seconds, 1024.0 / 44100) << run.out;
    EXPECT_NEAR(Peak(heard, 0), c.leftPeak, 0.01) << run.out;
    EXPECT_NEAR(Peak(heard, 1), c.rightPeak, 0.01) << run.out;
    // The header, written last, states the size of what was streamed before it.
    const Bytes bytes = ReadWholeFile(out);
    EXPECT_EQ(bytes.size(), 44 + heard.Frames() * 4);
    const uint32_t riffSize = bytes[4] | bytes[5] << 8 | bytes[6] << 16 | uint32_t(bytes[7]) << 24;
    EXPECT_EQ(riffSize, bytes.size() - 8);
  }
  EXPECT_THROW(WaveHeaderFor(size_t{1} << 30, 2, 44100), ETessError);  // 4 GiB of stereo frames
  EXPECT_EQ(WaveHeaderFor((size_t{UINT32_MAX} - 36) / 4, 2, 44100).size(), 44u);
}

TEST(CliPlay, BadWordsAndFilesThatDoNotPlay) {
  test::TTestFolder dir;
  const std::string tone = WriteTone(dir);
  for (const std::vector<std::string>& words : {std::vector<std::string>{},
                                                {tone, "--volume", "101"},
                                                {tone, "--tempo", "0"},
                                                {tone, "--seconds", "-1"},
                                                {tone, "--seconds", "3600.5", "--render", dir / "x.wav"},
                                                {tone, "--balance"},
                                                {tone, "--loud"},
                                                {tone, tone}})
    EXPECT_EQ(Play(words).status, 2);
  const TRun missing = Play({dir / "missing.wav", "--render", dir / "x.wav"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("missing.wav"), std::string::npos);
  // A file that no player takes says what is wrong with it.
  WriteFileAtomic(dir / "cut.wav", std::string("RIFF\x10\0\0\0WAVEfmt ", 16));
  WriteFileAtomic(dir / "text.wav", std::string("just words"));
  WriteFileAtomic(dir / "ima.wav", std::string("RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\x11\0\1\0\x22\x56\0\0\0\0\0\0"
                                               "\x00\1\4\0data\0\0\0\0",
                                               44));
  for (const auto& [file, says] : {std::pair{"cut.wav", "Invalid wave file: the file has no \"fmt \" chunk"},
                                   {"text.wav", "Invalid wave file: not a RIFF file"},
                                   {"ima.wav", "Invalid wave file: unsupported format tag 0x11 (IMA ADPCM)"}}) {
    const TRun bad = Play({dir / file, "--sound", "--render", dir / "x.wav"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find(says), std::string::npos) << bad.err;
  }
}
