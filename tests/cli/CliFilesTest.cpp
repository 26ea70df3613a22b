// The tool on real and damaged files: whole chunk trees, damage that every verb names, inputs that
// are no data files, and the pictures a project names.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "core/AtomicFile.h"
#include "core/StreamUtils.h"
#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "media/CorvidXyz.h"
#include "media/PictureFile.h"
#include "tests/ProjectTemplates.h"
#include "tests/TestFolder.h"
#include "tests/cli/CliRun.h"

using namespace tess;
using namespace tess::test;
namespace fs = std::filesystem;

namespace {

const std::string kApp = TESS_BINARY_DIR "/app/";

// The lines of a listing that are not indented: the magic and the top level.
std::vector<std::string> TopLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (!line.empty() && line[0] != ' ') lines.push_back(line);
  return lines;
}

// A new project on templates in the reset state, whose database names no picture.
std::string NewProject(const TTestFolder& dir, const std::string& name) {
  const std::string app = dir.Sub("app");
  WriteProjectTemplates(app);
  const TCliRun made = RunCliWords({"new", dir / name, "--app-folder", app});
  EXPECT_EQ(made.status, 0) << made.err;
  return dir / name + "/";
}

// A map with two small events.
Bytes SampleMap() {
  TLcfMap map;
  map.SetWidth(30);
  for (int32_t id : {1, 2}) {
    TLcfEventItem* event = map.events.Obtain(id);
    event->name = "EV000" + std::to_string(id);
    event->x = id;
    event->pages.Append();
  }
  return map.SaveToBytes();
}

// Where the body of one top-level chunk of a record lies.
struct TSpan {
  size_t begin, end;
};
TSpan ChunkBody(const Bytes& file, size_t recordStart, int32_t id) {
  TByteReader r(file.data(), file.size());
  r.SetPos(recordStart);
  for (;;) {
    const int32_t at = r.ReadInt();
    if (at == 0) throw std::logic_error("no chunk " + std::to_string(id));
    const size_t size = r.ReadLength();
    if (at == id) return {r.Pos(), r.Pos() + size};
    r.Skip(size);
  }
}

// The file with the body of one top-level chunk replaced and its size written anew, so that the
// damage lies inside the body only.
Bytes WithChunkBody(const Bytes& file, size_t recordStart, int32_t id, const Bytes& body) {
  const TSpan span = ChunkBody(file, recordStart, id);
  Bytes out(file.begin(), file.begin() + static_cast<ptrdiff_t>(span.begin));
  // Drop the old size: it sits just before the body.
  size_t sizeStart = span.begin - 1;
  while (sizeStart > 0 && (out[sizeStart - 1] & 0x80)) --sizeStart;
  out.resize(sizeStart);
  TByteWriter w(out);
  w.WriteInt(static_cast<int32_t>(body.size()));
  w.WriteBytes(body.data(), body.size());
  out.insert(out.end(), file.begin() + static_cast<ptrdiff_t>(span.end), file.end());
  return out;
}

size_t MagicSize(const Bytes& file) { return 1u + file[0]; }

struct TDamaged {
  const char* name;
  Bytes bytes;
};

// The damages of the table: to the file's end, and inside the event list.
std::vector<TDamaged> DamagedMaps() {
  const Bytes map = SampleMap();
  const size_t start = MagicSize(map);
  const TSpan events = ChunkBody(map, start, 81);
  const Bytes body(map.begin() + static_cast<ptrdiff_t>(events.begin),
                   map.begin() + static_cast<ptrdiff_t>(events.end));
  // Event 1's record starts after the count and its id; its first chunk is [id][size][data].
  const size_t firstChunkSize = 3;
  const size_t afterFirstChunk = firstChunkSize + 1 + body[firstChunkSize + 1];
  EXPECT_EQ(body[0], 2);

  std::vector<TDamaged> cases;
  Bytes after = map;
  after.insert(after.end(), {0x01, 0x01, 0x05});
  cases.push_back({"bytes after the map's end", after});
  cases.push_back({"the map's end missing", Bytes(map.begin(), map.end() - 1)});
  Bytes inserted = body;
  inserted.insert(inserted.begin() + static_cast<ptrdiff_t>(afterFirstChunk), 4, 0);
  cases.push_back({"bytes inserted inside an event", WithChunkBody(map, start, 81, inserted)});
  Bytes high = body, low = body;
  high[0] = 3;
  low[0] = 1;
  cases.push_back({"event count too high", WithChunkBody(map, start, 81, high)});
  cases.push_back({"event count too low", WithChunkBody(map, start, 81, low)});
  // The first chunk's size replaced by one that runs past the end of the list.
  Bytes past(body.begin(), body.begin() + static_cast<ptrdiff_t>(firstChunkSize));
  TByteWriter(past).WriteInt(static_cast<int32_t>(body.size()));
  past.insert(past.end(), body.begin() + static_cast<ptrdiff_t>(firstChunkSize) + 1, body.end());
  cases.push_back({"a chunk's size past its parent", WithChunkBody(map, start, 81, past)});
  const TSpan lower = ChunkBody(map, start, 71);
  const Bytes shortLayer(map.begin() + static_cast<ptrdiff_t>(lower.begin),
                         map.begin() + static_cast<ptrdiff_t>(lower.end) - 2);
  cases.push_back({"a layer smaller than the map", WithChunkBody(map, start, 71, shortLayer)});
  return cases;
}

}  // namespace

TEST(CliChunks, ShowTheWholeTreeOfEachKindOfFile) {
  // The reset database the build makes: the magic and every top-level chunk from 11 to 32, in a
  // run that ends with the file.
  const TCliRun db = RunCliWords({"chunks", kApp + "TESS_RT.ldb.dat"});
  ASSERT_EQ(db.status, 0) << db.err;
  const std::vector<std::string> top = TopLines(db.out);
  ASSERT_EQ(top.size(), 23u) << db.out;
  EXPECT_EQ(top[0], "magic \"LcfDataBase\"");
  for (int id = 11; id <= 32; ++id) EXPECT_EQ(top[id - 10].rfind("chunk " + std::to_string(id) + " size ", 0), 0u);
  for (int id : {26, 27, 28, 31}) EXPECT_EQ(top[id - 10], "chunk " + std::to_string(id) + " size 0");
  EXPECT_NE(db.out.find("\nchunk 11 size "), std::string::npos);
  EXPECT_NE(db.out.find(": list of 1\n  item 1\n    chunk "), std::string::npos);  // nesting shown
  EXPECT_EQ(top[12].find(": record"), top[12].size() - 8) << top[12];              // the system

  // A new project's map tree: its four parts.
  TTestFolder dir;
  const std::string project = NewProject(dir, "Fresh");
  const TCliRun tree = RunCliWords({"chunks", project + "TESS_RT.lmt"});
  ASSERT_EQ(tree.status, 0) << tree.err;
  EXPECT_EQ(TopLines(tree.out),
            (std::vector<std::string>{"magic \"LcfMapTree\"", "nodes: list of 2", "order: 2 integers: 0 1",
                                      "current node = 1", "start positions: record"}));
  EXPECT_NE(tree.out.find("  item 1\n    chunk 1 size 7: \"MAP0001\"\n"), std::string::npos) << tree.out;

  // Files built here.
  WriteFileAtomic(dir / "events.lmu", SampleMap());
  const TCliRun map = RunCliWords({"chunks", dir / "events.lmu"});
  EXPECT_EQ(map.status, 0) << map.err;
  EXPECT_NE(map.out.find("\nchunk 81 size "), std::string::npos);
  EXPECT_NE(map.out.find(": list of 2\n  item 1\n    chunk 1 size 6: \"EV0001\"\n"), std::string::npos) << map.out;
  TLcfDataBase items;
  items.items.SetCount(30);
  items.SaveToFile(dir / "items.ldb");
  const TCliRun listed = RunCliWords({"chunks", dir / "items.ldb"});
  EXPECT_EQ(listed.status, 0) << listed.err;
  EXPECT_EQ(TopLines(listed.out).size(), 23u);
  EXPECT_NE(listed.out.find("\nchunk 13 size "), std::string::npos);
  EXPECT_NE(listed.out.find(": list of 30\n"), std::string::npos);
}

TEST(CliDamage, EveryVerbNamesTheDamageAndWritesNothing) {
  TTestFolder dir;
  std::vector<TDamaged> cases = DamagedMaps();
  {
    // A map tree whose order count is too high, a database whose item count is too low.
    TLcfMapTree tree;
    tree.AddNode(0, 0);
    tree.AddNode(0, 1)->nodeType = TLcfMapTreeItem::kMap;
    Bytes bytes = tree.SaveToBytes();
    TByteReader r(bytes.data(), bytes.size());
    r.SetPos(MagicSize(bytes));
    const int32_t count = r.ReadInt();
    for (int32_t i = 0; i < count; ++i) {
      r.ReadInt();
      while (r.ReadInt() != 0) r.Skip(r.ReadLength());
    }
    const size_t order = r.Pos();
    ASSERT_EQ(bytes[order], 2);  // the order: 0, 1
    Bytes stranger = bytes, twice = bytes;
    stranger[order + 2] = 5;
    cases.push_back({"an order entry that names no node", stranger});
    twice[order + 2] = 0;
    cases.push_back({"an order entry that names a node twice", twice});
    bytes[order] += 1;
    cases.push_back({"order count too high", bytes});
    TLcfDataBase db;
    db.items.SetCount(3);
    Bytes data = db.SaveToMemory();
    const TSpan items = ChunkBody(data, MagicSize(data), 13);
    data[items.begin] = 2;
    cases.push_back({"item count too low", data});
  }
  for (const TDamaged& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = dir / "damaged", out = dir / "out";
    WriteFileAtomic(file, c.bytes);
    fs::remove(out);
    const TCliRun info = RunCliWords({"info", file});
    EXPECT_EQ(info.status, 1) << info.out;
    EXPECT_NE(info.err.find(file + ": damaged "), std::string::npos) << info.err;
    EXPECT_NE(info.err.find(" at byte "), std::string::npos) << info.err;
    const TCliRun trip = RunCliWords({"roundtrip", file, out});
    EXPECT_EQ(trip.status, 1);
    EXPECT_NE(trip.err.find(file + ": damaged "), std::string::npos) << trip.err;
    EXPECT_FALSE(fs::exists(out));
    const TCliRun chunks = RunCliWords({"chunks", file});
    EXPECT_EQ(chunks.status, 1) << chunks.out;
    EXPECT_NE(chunks.err.find(file + ": "), std::string::npos) << chunks.err;
  }
}

TEST(CliDamage, CheckListsEveryDamagedMap) {
  TTestFolder dir;
  const std::string project = NewProject(dir, "Damaged");
  const std::vector<TDamaged> cases = DamagedMaps();
  TLcfMapTree tree;
  tree.LoadFromBytes(ReadWholeFile(project + "TESS_RT.lmt"));
  for (size_t i = 0; i < cases.size(); ++i) {
    const int32_t id = static_cast<int32_t>(i) + 2;
    tree.AddNode(0, id)->nodeType = TLcfMapTreeItem::kMap;
    WriteFileAtomic(project + MapFileName(id), cases[i].bytes);
  }
  WriteFileAtomic(project + "TESS_RT.lmt", tree.SaveToBytes());
  const TCliRun check = RunCliWords({"check", project, "--rtp-folder", ""});
  EXPECT_EQ(check.status, 1);
  for (size_t i = 0; i < cases.size(); ++i)
    EXPECT_NE(("\n" + check.out).find("\n" + MapFileName(static_cast<int32_t>(i) + 2) + ": damaged at byte "),
              std::string::npos)
        << cases[i].name << "\n"
        << check.out;
  EXPECT_EQ(check.out.find("Map0001.lmu"), std::string::npos) << check.out;
  EXPECT_NE(check.out.find(std::to_string(cases.size()) + " problems\n"), std::string::npos) << check.out;
}

TEST(CliFiles, RefusesWhatIsNoDataFileBeforeReadingIt) {
  TTestFolder dir;
  const std::string fifo = dir / "fifo", big = dir / "big.lmu", folder = dir.Sub("folder");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);  // opened for reading, it would wait for ever
  {
    // 300 MB that take no room, behind a real magic string.
    Bytes head = SampleMap();
    WriteFileAtomic(big, head);
    ASSERT_EQ(::truncate(big.c_str(), off_t{300} << 20), 0);
  }
  const struct {
    std::string file;
    const char* message;
  } cases[] = {
      {"/dev/zero", "It is not a regular file."},
      {fifo, "It is not a regular file."},
      {folder, "It is a folder."},
      {big, "It holds 314,572,800 bytes; files above 268,435,456 bytes are refused."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    for (const std::vector<std::string>& words :
         std::vector<std::vector<std::string>>{{"info", c.file},
                                               {"chunks", c.file},
                                               {"roundtrip", c.file, dir / "out"},
                                               {"convert", c.file, dir / "out.png"}}) {
      const TCliRun run = RunCliWords(words);
      EXPECT_EQ(run.status, 1) << words[0];
      EXPECT_NE(run.err.find(c.message), std::string::npos) << words[0] << ": " << run.err;
    }
  }
  EXPECT_FALSE(fs::exists(dir / "out"));
  EXPECT_FALSE(fs::exists(dir / "out.png"));

  // A picture whose header promises more than its body holds.
  TBitmap picture(320, 240, TPixelFormat::Indexed8);
  Bytes xyz = EncodeXyz(picture);
  xyz[4] = 0x00, xyz[5] = 0x80;  // 32,768 wide
  WriteFileAtomic(dir / "wide.xyz", xyz);
  const TCliRun wide = RunCliWords({"convert", dir / "wide.xyz", dir / "wide.png"});
  EXPECT_EQ(wide.status, 1);
  EXPECT_EQ(wide.err, "tessaly-cli: " + dir / "wide.xyz" + ": Invalid XYZ Image\n");
  EXPECT_FALSE(fs::exists(dir / "wide.png"));
}

TEST(CliCheck, DecodesEveryPictureAndHoldsItToItsFolderRule) {
  TTestFolder dir;
  const std::string project = NewProject(dir, "Pictured");
  const std::string rtp = dir.Sub("rtp");
  fs::create_directories(rtp + "Monster");
  fs::create_directories(rtp + "ChipSet");
  TBitmap good(8, 8, TPixelFormat::Indexed8);
  SavePictureFile(good, rtp + "Monster/Slime.png");
  WriteFileAtomic(rtp + "ChipSet/World.png", std::string("\x89PNG placeholder"));
  WriteFileAtomic(project + "CharSet/Hero.bmp", std::string("stub"));
  Bytes shortXyz = EncodeXyz(good);
  shortXyz[6] = 200;  // taller than the body
  WriteFileAtomic(project + "CharSet/Villager.xyz", shortXyz);
  // Pictures that decode but break their folder's rule: named or not, each is reported with what
  // it has and what its folder takes.
  SavePictureFile(TBitmap(320, 240, TPixelFormat::Rgb24), project + "Title/Opening.png");
  SavePictureFile(TBitmap(700, 10, TPixelFormat::Indexed8), project + "Picture/Big.png");
  SavePictureFile(TBitmap(640, 480, TPixelFormat::Indexed8), project + "Picture/Fits.png");

  TLcfDataBase db;
  db.LoadFromFile(project + "TESS_RT.ldb");
  db.heroes.ItemAt(0)->charSetFile = "Hero";
  db.heroes.ItemAt(0)->faceSetFile = "Faces";  // nowhere
  db.monsters.ItemAt(0)->monsterFile = "Slime";
  db.tilesets.ItemAt(0)->chipSetFile = "World";
  db.system.titleName = "Opening";
  db.SaveToFile(project + "TESS_RT.ldb");
  TLcfMap map;
  map.LoadFromProject(project, 1);
  map.events.Obtain(1)->pages.ItemAt(0)->graphicName = "Villager";
  map.SaveToProject(project, 1);

  const TCliRun check = RunCliWords({"check", project, "--rtp-folder", rtp});
  EXPECT_EQ(check.status, 1);
  EXPECT_EQ(check.out,
            "CharSet/Hero.bmp: Invalid bitmap image. (named by hero 1 in TESS_RT.ldb)\n"
            "CharSet/Villager.xyz: Invalid XYZ Image (named by event 1 page 1 in Map0001.lmu)\n" +
                rtp + "ChipSet/World.png: Invalid PNG Image (named by tileset 1 in TESS_RT.ldb)\n" +
                "TESS_RT.ldb: hero 1 names the picture FaceSet/Faces, which neither the project nor the runtime "
                "package has\n" +
                rtp +
                "Monster/Slime.png: the picture is 8 x 8 pixels; Monster takes a width of 16 to 200 and a height of "
                "16 to 240 (named by monster 1 in TESS_RT.ldb)\n"
                "Title/Opening.png: the picture has 24 bits per pixel; Title takes 8-bit palette pictures (named by "
                "the title screen in TESS_RT.ldb)\n"
                "Picture/Big.png: the picture is 700 x 10 pixels; Picture takes at most 640 x 480\n"
                "7 problems\n");
  // Without a runtime package the package's pictures are missing too.
  const TCliRun alone = RunCliWords({"check", project, "--rtp-folder", ""});
  EXPECT_NE(alone.out.find("TESS_RT.ldb: monster 1 names the picture Monster/Slime, which the project lacks (no "
                           "runtime package is registered)\n"),
            std::string::npos)
      << alone.out;
}

// A project file that is empty or of another kind is named with what it is, by every verb that
// reads a project; a map id that names an area or nothing says so; a runtime package folder that
// is not there is named.
TEST(CliFiles, EveryProjectVerbSaysWhatAFileIs) {
  TTestFolder dir;
  const std::string good = NewProject(dir, "Good");
  TLcfMapTree tree;
  tree.LoadFromBytes(ReadWholeFile(good + "TESS_RT.lmt"));
  TLcfMapTreeItem* area = tree.AddNode(1, 2);
  area->nodeType = TLcfMapTreeItem::kArea;
  WriteFileAtomic(good + "TESS_RT.lmt", tree.SaveToBytes());

  const struct {
    const char* file;
    std::string bytes;
    std::string said;
  } files[] = {
      {"TESS_RT.ldb", "", "TESS_RT.ldb: the file is empty"},
      {"TESS_RT.ldb", "\x0aLcfMapTree", "TESS_RT.ldb: the file is not a database (it starts with \"\\x0aLcfMapTree\")"},
      {"TESS_RT.lmt", "PK\x03\x04", "TESS_RT.lmt: the file is not a map tree (it starts with \"PK\\x03\\x04\")"},
      {"Map0001.lmu", "", "Map0001.lmu: the file is empty"},
  };
  const std::vector<std::vector<std::string>> verbs = {{"check", "P", "--rtp-folder", ""},
                                                       {"events", "P"},
                                                       {"render-map", "P", "1", dir / "out.png"},
                                                       {"fixup", "P", "1", "--out", dir / "out.lmu"}};
  auto run = [](std::vector<std::string> words, const std::string& project) {
    words[1] = project;
    return RunCliWords(words);
  };
  for (const auto& f : files) {
    SCOPED_TRACE(f.said);
    const std::string project = dir.Sub("p");
    fs::remove_all(project);
    fs::copy(good, project, fs::copy_options::recursive);
    WriteFileAtomic(project + "/" + f.file, Bytes(f.bytes.begin(), f.bytes.end()));
    for (const auto& words : verbs) {
      // The map tree is read only by the verbs that show the whole project or its start positions.
      if (words[0] != "check" && words[0] != "events" && std::string(f.file) == "TESS_RT.lmt") continue;
      const TCliRun r = run(words, project);
      EXPECT_EQ(r.status, 1) << words[0];
      EXPECT_NE((r.out + r.err).find(f.said), std::string::npos) << words[0] << ": " << r.out << r.err;
    }
  }
  EXPECT_FALSE(fs::exists(dir / "out.lmu"));

  for (const char* id : {"2", "7"}) {
    const std::string said =
        id == std::string("2") ? "map 2 is an area, which has no cells of its own" : "the map tree has no map 7";
    for (const std::vector<std::string>& words :
         std::vector<std::vector<std::string>>{{"render-map", good, id, dir / "area.png"},
                                               {"fixup", good, id},
                                               {"events", good, "--map", id},
                                               {"dungeon", good, id}}) {
      const TCliRun r = RunCliWords(words);
      EXPECT_EQ(r.status, 1) << words[0];
      EXPECT_EQ(r.err, "tessaly-cli: " + said + "\n") << words[0];
    }
  }
  for (const std::vector<std::string>& words :
       std::vector<std::vector<std::string>>{{"check", good},
                                             {"render-map", good, "1", dir / "x.png"},
                                             {"fixup", good, "1"},
                                             {"pack", good, dir / "disk"}}) {
    std::vector<std::string> named = words;
    named.insert(named.end(), {"--rtp-folder", dir / "no-such-package"});
    const TCliRun r = RunCliWords(named);
    EXPECT_EQ(r.status, 1) << words[0];
    // The game disk says it in its own words, as the editor's window does.
    EXPECT_EQ(r.err, words[0] == "pack"
                         ? "tessaly-cli: Gamedisk creation was cancelled. The runtime package folder \"" +
                               dir / "no-such-package" + "/\" does not exist.\n"
                         : "tessaly-cli: --rtp-folder " + dir / "no-such-package" + " is not a folder\n")
        << words[0];
  }
}
