// The text form: every file the tests can make comes back byte for byte through its text, texts that
// cannot be stored are refused where they are wrong, and an edit is a small diff.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

#include "TestChunks.h"
#include "TestFolder.h"
#include "core/AtomicFile.h"
#include "core/PathUtils.h"
#include "database/DataBaseObj.h"
#include "database/SampleDatabase.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "textform/ProjectText.h"
#include "textform/StoredText.h"
#include "textform/TextForm.h"

using namespace tess;
using namespace tess::test;
namespace fs = std::filesystem;

namespace {

std::string AsText(const Bytes& b) { return std::string(b.begin(), b.end()); }

// What a load and a save of a file give (the reference of every round trip).
Bytes LoadAndSave(const Bytes& file) {
  TByteReader r(file.data(), file.size());
  const std::string magic = r.ReadString();
  if (magic == kDataBaseMagic) {
    TLcfDataBase db;
    db.LoadFromMemory(file, true);
    return db.SaveToMemory(TCatalogVarData::Mode::Copy);
  }
  if (magic == kMapTreeMagic) {
    TLcfMapTree tree;
    tree.LoadFromBytes(file);
    return tree.SaveToBytes();
  }
  TLcfMap map;
  map.LoadFromBytes(file);
  return map.SaveToBytes();
}

// Binary -> printed text -> parsed -> binary.
Bytes ThroughText(const Bytes& file, const std::string& codePage, std::string* printed = nullptr) {
  const std::string text = FileToText(file, codePage);
  if (printed) *printed = text;
  return TextToFile(text, "file.json");
}

// ------------------------------------------------------------------ files the tests make

Bytes WithRecordOf(const Bytes& file, const std::string& magic, const std::function<Bytes(const Bytes&)>& change) {
  const size_t at = 1 + magic.size();
  Bytes record = change(Bytes(file.begin() + static_cast<ptrdiff_t>(at), file.end()));
  Bytes out(file.begin(), file.begin() + static_cast<ptrdiff_t>(at));
  out.insert(out.end(), record.begin(), record.end());
  return out;
}

// A map with events of two pages, scripts, move routes, a changed size and cells.
Bytes SampleMap() {
  TLcfMap map;
  map.SetWidth(23);
  map.SetHeight(17);
  map.SetScrollType(3);
  for (int i = 1; i <= 5; ++i) {
    TLcfEventItem* event = map.events.Append();
    event->name = DefaultEventName(i);
    event->x = i;
    event->y = 16 - i;
    TLcfEventPageItem* page = event->pages.Append();
    page->graphicName = "People";
    page->condition.heroId = 0;  // written, since it differs from the 1 a reset condition holds
    page->lines.InsertLine(0, std::make_unique<TLcfEventScriptLine>(10110, 0, "Hello " + std::to_string(i)));
    page->lines.InsertLine(1, std::make_unique<TLcfEventScriptLine>(10310, 0, "", std::vector<int32_t>{0, 1, -5}));
    page->moveRoute.AppendCommand();
  }
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 23; ++x) map.lower.SetCell(x, y, static_cast<uint16_t>(5000 + (x * 7 + y) % 144));
  map.upper.SetCell(22, 16, 10007);
  return map.SaveToBytes();
}

// The room height stored as 1, which a save leaves out and a load then reads as 2.
Bytes MapWithStoredRoomHeight() {
  return WithRecordOf(SampleMap(), kMapMagic, [](const Bytes& record) {
    std::vector<TChunk> chunks = TopChunks(record);
    chunks.push_back(TChunk{50, {1}});
    std::stable_sort(chunks.begin(), chunks.end(), [](const TChunk& a, const TChunk& b) { return a.id < b.id; });
    return EncodeChunks(chunks);
  });
}

Bytes SampleTree() {
  TLcfMapTree tree;
  tree.AddNode(0, 0)->name = "Game";
  tree.AddNode(0, 1)->nodeType = TLcfMapTreeItem::kMap;
  TLcfMapTreeItem* area = tree.AddNode(1, 3);
  area->nodeType = TLcfMapTreeItem::kArea;
  area->areaRect[2] = 5;
  area->encounters.Obtain(2)->troopId = 4;
  TLcfMapTreeItem* map = tree.AddNode(1, 2);
  map->nodeType = TLcfMapTreeItem::kMap;
  map->music.name = "Theme";
  map->encounters.Obtain(1)->troopId = 0;  // reads back as 1 when left out
  tree.currentId = 2;
  tree.startPositions.SetMapId(TLcfMapStartPosition::kParty, 1);
  tree.startPositions.SetX(TLcfMapStartPosition::kParty, 4);
  return tree.SaveToBytes();
}

Bytes FilledDataBase(int count) {
  TLcfDataBase db;
  sample::FillDatabase(db, count);
  return db.SaveToMemory(TCatalogVarData::Mode::Copy);
}

// An older-format database: curves of 50 levels, which a load widens.
Bytes OlderDataBase() {
  TLcfDataBase old;
  old.system.formatVersion = 2000;
  Bytes older(2 * kParameterCount * kOlderMaxHeroLevel, 3);
  Bytes file = old.SaveToMemory(TCatalogVarData::Mode::Copy);
  for (int32_t top : {11, 30})
    file = RewriteDataBaseChunk(file, top, [&](const Bytes& list) {
      std::vector<TListItem> items = ListItems(list);
      items[0].record = RewriteChunk(items[0].record, {{31}}, [&](const Bytes&) { return older; });
      return EncodeList(items);
    });
  return file;
}

// Chunks no record describes: in a map, in an event page deep inside it, at the database's top
// level (inside and past the parts' range) and in a hero.
Bytes MapWithUnknownChunks() {
  return WithRecordOf(SampleMap(), kMapMagic, [](const Bytes& record) {
    std::vector<TChunk> chunks = TopChunks(record);
    chunks.insert(chunks.begin() + 3, TChunk{9, {1, 2, 3}});
    chunks.push_back(TChunk{200, {}});
    Bytes out = EncodeChunks(chunks);
    return RewriteChunk(out, {{81, 2}, {5, 1}}, [](const Bytes& page) {
      std::vector<TChunk> c = TopChunks(page);
      c.push_back(TChunk{99, {0xFF, 0x00}});
      return EncodeChunks(c);
    });
  });
}

Bytes DataBaseWithUnknownChunks() {
  std::vector<TChunk> chunks = DataBaseChunks(FilledDataBase(2));
  for (TChunk& c : chunks)
    if (c.id == 26) c.body = {7, 7};
  chunks.push_back(TChunk{40, {1}});
  Bytes file = EncodeDataBase(chunks);
  return RewriteDataBaseChunk(file, 11, [](const Bytes& list) {
    std::vector<TListItem> items = ListItems(list);
    std::vector<TChunk> c = TopChunks(items[1].record);
    c.insert(c.begin() + 1, TChunk{6, {0x42}});
    items[1].record = EncodeChunks(c);
    return EncodeList(items);
  });
}

// A script packed by another tool: the line's code in a longer form than ours (0x80 0x05 for 5).
// A load keeps such a block as it was, and so must its text.
Bytes MapWithLongScript() {
  return WithRecordOf(SampleMap(), kMapMagic, [](const Bytes& record) {
    return RewriteChunk(record, {{81, 1}, {5, 1}}, [](const Bytes& page) {
      std::vector<TChunk> c = TopChunks(page);
      for (TChunk& chunk : c) {
        if (chunk.id == 51) chunk.body = {9};
        if (chunk.id == 52) chunk.body = {0x80, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
      }
      return EncodeChunks(c);
    });
  });
}

// A battle animation whose chunks another tool wrote out of order: kept as it was read.
Bytes DataBaseWithOddAnimation() {
  return RewriteDataBaseChunk(FilledDataBase(1), 19, [](const Bytes& list) {
    std::vector<TListItem> items = ListItems(list);
    std::vector<TChunk> c = TopChunks(items[0].record);
    std::reverse(c.begin(), c.end());
    items[0].record = EncodeChunks(c);
    return EncodeList(items);
  });
}

// Names in a code page, with bytes it cannot map: a lone lead byte at the end, an unassigned byte,
// the escape character itself.
Bytes DataBaseInCodePage(const std::string& text) {
  TLcfDataBase db;
  db.heroes.ItemAt(0)->name = text;
  db.heroes.ItemAt(0)->title = text + "\x81";
  db.switches.Obtain(3)->name =
      "\x1B"
      "x41\xFF" +
      text;
  db.commonEvents.ItemAt(0)->lines.InsertLine(0, std::make_unique<TLcfEventScriptLine>(10110, 0, text + "\x80"));
  return db.SaveToMemory(TCatalogVarData::Mode::Copy);
}

struct TFileCase {
  std::string what;
  Bytes file;
  std::string codePage = "windows-1252";
  std::vector<std::string> shown = {};  // what the text must hold
};

std::vector<TFileCase> Files() {
  std::vector<TFileCase> files = {
      {"reset database",
       [] {
         TLcfDataBase db;
         return db.SaveToMemory(TCatalogVarData::Mode::Copy);
       }()},
      {"database with every field set", FilledDataBase(3)},
      {"older-format database", OlderDataBase()},
      {"database with unknown chunks",
       DataBaseWithUnknownChunks(),
       "windows-1252",
       {"\"#26\": \"0707\"", "\"#40\": \"01\"", "\"#6\": \"42\""}},
      {"database with an animation kept as read", DataBaseWithOddAnimation(), "windows-1252", {"\"#stored\": \""}},
      {"Shift_JIS database",
       DataBaseInCodePage("\x83\x65\x83\x58\x83\x67\x81\x40\x96\xbc"),
       "Shift_JIS",
       {"テスト　名", "\\u001bx81", "\\u001b\\u001bx41\\u001bxff"}},
      {"GBK database", DataBaseInCodePage("\xc4\xe3\xba\xc3\xca\xc0\xbd\xe7"), "GBK"},
      {"Shift_JIS bytes read as windows-1252", DataBaseInCodePage("\x83\x65\x81\x40"), "windows-1252"},
      {"map", SampleMap()},
      {"map storing a value a load reads otherwise", MapWithStoredRoomHeight()},
      {"reset map", TLcfMap().SaveToBytes()},
      {"map with unknown chunks",
       MapWithUnknownChunks(),
       "windows-1252",
       {"\"#9\": \"010203\"", "\"#200\": \"\"", "\"#99\": \"ff00\""}},
      {"map with a script kept as read", MapWithLongScript(), "windows-1252", {"\"#52 stored\": \"8005"}},
      {"map tree", SampleTree()},
  };
  // The demo project, when the build made it.
  const std::string demo = TESS_BINARY_DIR "/demo/DemoGame";
  for (const std::string& name : ListFolder(demo)) {
    const std::string lower = name.substr(name.size() >= 4 ? name.size() - 4 : 0);
    if (lower == ".ldb" || lower == ".lmt" || lower == ".lmu")
      files.push_back({"demo " + name, ReadWholeFile(demo + "/" + name)});
  }
  return files;
}

}  // namespace

TEST(TextForm, EveryFileComesBackAsALoadAndASaveWriteIt) {
  for (const TFileCase& c : Files()) {
    SCOPED_TRACE(c.what);
    const Bytes expected = LoadAndSave(c.file);
    std::string text;
    Bytes back;
    try {
      back = ThroughText(c.file, c.codePage, &text);
    } catch (const ETessError& e) {
      ADD_FAILURE() << e.what();
      continue;
    }
    EXPECT_TRUE(back == expected) << text.substr(0, 2000);
    for (const std::string& shown : c.shown) EXPECT_NE(text.find(shown), std::string::npos) << shown;
    // Every field has its name.
    EXPECT_EQ(text.find("\"chunk#"), std::string::npos) << text.substr(text.find("\"chunk#"), 40);
    // Where a load and a save settle the file, the text of the bytes written is the text they came
    // from.
    if (LoadAndSave(expected) == expected) {
      EXPECT_EQ(FileToText(back, c.codePage), text);
    }
  }
}

TEST(TextForm, StoredTextKeepsEveryByteInEveryCodePage) {
  std::mt19937 random(7);
  for (const char* codePage : {"windows-1252", "Shift_JIS", "GBK", "Big5", "EUC-KR", "windows-1251"}) {
    TStoredText stored(codePage);
    for (int round = 0; round < 300; ++round) {
      std::string bytes(random() % 12, '\0');
      for (char& b : bytes) b = static_cast<char>(random() % 4 == 0 ? 0x1B + random() % 3 : 0x40 + random() % 0xC0);
      const std::string utf8 = stored.ToUtf8(bytes);
      std::string back;
      TStoredTextError error;
      ASSERT_TRUE(stored.FromUtf8(utf8, back, error)) << codePage << ": " << error.problem;
      ASSERT_EQ(back, bytes) << codePage;
    }
  }
  TStoredText japanese("Shift_JIS");
  EXPECT_EQ(japanese.ToUtf8("\x83\x65\x83\x58\x83\x67"), "テスト");
  EXPECT_EQ(japanese.ToUtf8("A\x81"), "A\x1Bx81");
  EXPECT_EQ(japanese.ToUtf8("\x1B"), "\x1B\x1B");
}

namespace {

struct TRefusal {
  const char* what;
  std::function<std::string(std::string)> change;  // of the printed text of the sample map
  const char* path;                                // of the refused value
  const char* problem;                             // part of the message
  int line;                                        // 0: the line holding marker; -1: the line before it; else this line
  const char* marker;
};

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

int LineOf(const std::string& text, const std::string& marker) {
  const size_t at = text.find(marker);
  return at == std::string::npos
             ? -1
             : 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<ptrdiff_t>(at), '\n'));
}

}  // namespace

TEST(TextForm, RefusedTextsNameFileLineColumnAndField) {
  const std::string text = FileToText(SampleMap(), "windows-1252");
  const TRefusal refusals[] = {
      {"a syntax error", [](std::string t) { return Replace(t, "\"tilesetId#1\": 1,", "\"tilesetId#1\": 1,,"); }, "",
       "syntax error", 0, "tilesetId#1"},
      {"a wrong type", [](std::string t) { return Replace(t, "\"tilesetId#1\": 1", "\"tilesetId#1\": \"one\""); },
       "tilesetId#1", "a whole number is expected", 0, "\"one\""},
      {"an unknown field", [](std::string t) { return Replace(t, "\"tilesetId#1\"", "\"tileset#1\""); }, "tileset#1",
       "chunk 1 is the field tilesetId#1", 0, "tileset#1"},
      {"a name without its chunk", [](std::string t) { return Replace(t, "\"tilesetId#1\"", "\"tilesetId\""); },
       "tilesetId", "names no field", 0, "\"tilesetId\""},
      {"a flag out of its range",
       [](std::string t) { return Replace(t, "\"usePanorama#31\": 0", "\"usePanorama#31\": 256"); }, "usePanorama#31",
       "256 lies outside 0 to 255", 0, "256"},
      {"an integer out of its range",
       [](std::string t) { return Replace(t, "\"tilesetId#1\": 1", "\"tilesetId#1\": 2147483648"); }, "tilesetId#1",
       "lies outside", 0, "2147483648"},
      {"a cell out of its range", [](std::string t) { return Replace(t, "[5000,", "[65536,"); }, "lowerLayer#71/0/0",
       "65536 lies outside 0 to 65535", 0, "[65536"},
      {"a row of the wrong length", [](std::string t) { return Replace(t, "[5000,", "[5000,5000,"); },
       "lowerLayer#71/0", "the row has 24 cells where the map is 23 wide", 0, "[5000,5000,"},
      {"a map of no size", [](std::string t) { return Replace(t, "\"width#2\": 23", "\"width#2\": 0"); }, "width#2",
       "is not one a map can have", 0, "\"width#2\""},
      {"ids out of order", [](std::string t) { return Replace(t, "\"id\": 2,", "\"id\": 1 ,"); },
       "events#81/0/pages#5/1/id", "ids ascend", 0, "\"id\": 1 ,"},
      {"a script line member",
       [](std::string t) { return Replace(t, "\"code\":10310,\"depth\":0", "\"code\":10310,\"indent\":0"); },
       "events#81/0/pages#5/1/script#52/1/indent", "no member \"indent\"", 0, "\"indent\":0"},
      {"a missing field", [](std::string t) { return Replace(t, "  \"tilesetId#1\": 1,\n", ""); }, "tilesetId#1",
       "the text lacks this member", 1, nullptr},
      {"a field under another field's chunk",
       [](std::string t) { return Replace(t, "\"width#2\"", "\"scriptSize#2\""); }, "scriptSize#2",
       "chunk 2 is the field width#2", 0, "scriptSize#2"},
  };
  for (const TRefusal& r : refusals) {
    SCOPED_TRACE(r.what);
    const std::string changed = r.change(text);
    try {
      TextToFile(changed, "maps/Map0007.json");
      ADD_FAILURE() << "taken";
    } catch (const ETextFormError& e) {
      EXPECT_EQ(e.File(), "maps/Map0007.json");
      EXPECT_EQ(e.Path(), r.path);
      EXPECT_NE(e.Problem().find(r.problem), std::string::npos) << e.what();
      const int line = r.marker ? LineOf(changed, r.marker) + std::min(r.line, 0) : r.line;
      EXPECT_EQ(e.Line(), line) << e.what();
      EXPECT_GE(e.Column(), 1);
      EXPECT_NE(std::string(e.what()).find("maps/Map0007.json:" + std::to_string(line) + ":"), std::string::npos);
    }
  }
}

namespace {

// The lines of b that a differs in: the count of lines removed plus added, by a longest common
// subsequence of the lines (the texts are small).
int ChangedLines(const std::string& a, const std::string& b) {
  auto lines = [](const std::string& t) {
    std::vector<std::string> out;
    std::istringstream in(t);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
  };
  const auto x = lines(a), y = lines(b);
  std::vector<std::vector<int>> common(x.size() + 1, std::vector<int>(y.size() + 1));
  for (size_t i = x.size(); i-- > 0;)
    for (size_t j = y.size(); j-- > 0;)
      common[i][j] = x[i] == y[j] ? common[i + 1][j + 1] + 1 : std::max(common[i + 1][j], common[i][j + 1]);
  return static_cast<int>(x.size() + y.size()) - 2 * common[0][0];
}

}  // namespace

TEST(TextForm, AnEditIsASmallDiff) {
  // A changed cell, an event's message and a hero's name: one line out and one in, each.
  const std::string map = FileToText(SampleMap(), "windows-1252");
  TLcfMap edited;
  edited.LoadFromBytes(SampleMap());
  edited.lower.SetCell(4, 6, 5100);
  EXPECT_EQ(ChangedLines(map, FileToText(edited.SaveToBytes(), "windows-1252")), 2);
  edited.LoadFromBytes(SampleMap());
  edited.events.FindById(3)->pages.ItemAt(0)->lines.LineAt(0)->text = "Good evening";
  EXPECT_EQ(ChangedLines(map, FileToText(edited.SaveToBytes(), "windows-1252")), 2);
  TLcfDataBase db;
  const std::string before = FileToText(db.SaveToMemory(TCatalogVarData::Mode::Copy), "windows-1252");
  db.heroes.ItemAt(0)->name = "Mira";
  EXPECT_EQ(ChangedLines(before, FileToText(db.SaveToMemory(TCatalogVarData::Mode::Copy), "windows-1252")), 2);
}

namespace {

struct TProjectFolder {
  TTestFolder dir;
  std::string project = dir / "Game";
  std::string text = dir / "text";
  TProjectFolder() {
    fs::create_directories(project);
    WriteFileAtomic(project + "/TESS_RT.ldb", FilledDataBase(2));
    WriteFileAtomic(project + "/TESS_RT.lmt", SampleTree());
    WriteFileAtomic(project + "/Map0001.lmu", SampleMap());
    WriteFileAtomic(project + "/Map0002.lmu", MapWithUnknownChunks());
  }
};

}  // namespace

TEST(ProjectText, DumpAndLoadWriteOnlyWhatChanged) {
  TProjectFolder f;
  TProjectTextReport dumped = DumpProject(f.project, f.text, "windows-1252");
  ASSERT_TRUE(dumped.Ok()) << dumped.failures[0];
  EXPECT_EQ(dumped.files, 18 + 1 + 2);
  EXPECT_TRUE(fs::exists(f.text + "/database/heroes.json"));
  EXPECT_TRUE(fs::exists(f.text + "/maps/Map0002.json"));

  // Unchanged texts write nothing; the files are as a load and a save leave them.
  for (const char* name : {"TESS_RT.ldb", "TESS_RT.lmt", "Map0001.lmu", "Map0002.lmu"})
    WriteFileAtomic(f.project + "/" + name, LoadAndSave(ReadWholeFile(f.project + "/" + name)));
  TProjectTextReport loaded = LoadProject(f.text, f.project);
  ASSERT_TRUE(loaded.Ok()) << loaded.failures[0];
  EXPECT_TRUE(loaded.written.empty());
  EXPECT_EQ(loaded.unchanged, 4);

  // A changed hero writes the database alone.
  const std::string heroes = f.text + "/database/heroes.json";
  std::string text(AsText(ReadWholeFile(heroes)));
  WriteFileAtomic(heroes, Replace(text, "\"Text 1/100\"", "\"Mira\""));
  loaded = LoadProject(f.text, f.project);
  ASSERT_TRUE(loaded.Ok()) << loaded.failures[0];
  EXPECT_EQ(loaded.written, std::vector<std::string>{"TESS_RT.ldb"});
  TLcfDataBase db;
  db.LoadFromMemory(ReadWholeFile(f.project + "/TESS_RT.ldb"), true);
  EXPECT_EQ(db.heroes.ItemAt(0)->name, "Mira");

  // A dump after a map was deleted drops its text.
  fs::remove(f.project + "/Map0002.lmu");
  dumped = DumpProject(f.project, f.text, "windows-1252");
  EXPECT_EQ(dumped.removed, std::vector<std::string>{"maps/Map0002.json"});
}

TEST(ProjectText, ABrokenTextWritesNothing) {
  TProjectFolder f;
  ASSERT_TRUE(DumpProject(f.project, f.text, "windows-1252").Ok());
  // One good change, and one text refused: neither is written.
  const std::string map = f.text + "/maps/Map0001.json";
  WriteFileAtomic(map, Replace(AsText(ReadWholeFile(map)), "\"Hello 1\"", "\"Goodbye\""));
  const std::string system = f.text + "/database/system.json";
  const std::string broken = Replace(AsText(ReadWholeFile(system)), "\"saveCount#91\": ", "\"saveCount#91\": \"x\" ");
  WriteFileAtomic(system, broken);
  const Bytes before = ReadWholeFile(f.project + "/Map0001.lmu");
  TProjectTextReport loaded = LoadProject(f.text, f.project);
  ASSERT_EQ(loaded.failures.size(), 2u);
  EXPECT_EQ(loaded.failures[0].rfind("database/system.json:" + std::to_string(LineOf(broken, "\"x\"")) + ":", 0), 0u)
      << loaded.failures[0];
  EXPECT_EQ(loaded.failures[1], "nothing was written");
  EXPECT_TRUE(loaded.written.empty());
  EXPECT_EQ(ReadWholeFile(f.project + "/Map0001.lmu"), before);
}

TEST(ProjectText, AFileThatCannotBeWrittenLeavesEveryFileAsItWas) {
  TProjectFolder f;
  ASSERT_TRUE(DumpProject(f.project, f.text, "windows-1252").Ok());
  const std::string map = f.text + "/maps/Map0001.json", heroes = f.text + "/database/heroes.json";
  WriteFileAtomic(map, Replace(AsText(ReadWholeFile(map)), "\"Hello 1\"", "\"Goodbye\""));
  WriteFileAtomic(heroes, Replace(AsText(ReadWholeFile(heroes)), "\"Text 1/100\"", "\"Mira\""));
  // The map's file refuses to be replaced: the database, though it could be, is not written either.
  const Bytes db = ReadWholeFile(f.project + "/TESS_RT.ldb"), lmu = ReadWholeFile(f.project + "/Map0001.lmu");
  fs::permissions(f.project + "/Map0001.lmu", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const TProjectTextReport loaded = LoadProject(f.text, f.project);
  ASSERT_EQ(loaded.failures.size(), 2u);
  EXPECT_NE(loaded.failures[0].find("Map0001.lmu"), std::string::npos) << loaded.failures[0];
  EXPECT_EQ(loaded.failures[1], "nothing was written");
  EXPECT_TRUE(loaded.written.empty());
  EXPECT_EQ(ReadWholeFile(f.project + "/TESS_RT.ldb"), db);
  EXPECT_EQ(ReadWholeFile(f.project + "/Map0001.lmu"), lmu);
}
