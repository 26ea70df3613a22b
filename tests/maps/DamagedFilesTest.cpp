// Damaged maps, map trees and databases: a record ends exactly at its closing 0 and a list exactly
// after its last item, and whatever breaks that is reported with the chunk path and the byte offset.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "TestChunks.h"
#include "TestFolder.h"
#include "core/AtomicFile.h"
#include "core/MessagePort.h"
#include "core/QuietMode.h"
#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"

using namespace tess;
using namespace tess::test;

namespace {

// Where part first occurs in data.
int64_t Find(const Bytes& data, const Bytes& part) {
  auto it = std::search(data.begin(), data.end(), part.begin(), part.end());
  EXPECT_NE(it, data.end());
  return it - data.begin();
}

// A map of eight events; event 7 has two pages, and its page 2 a graphic no other page has, a
// script line and a move route command.
Bytes SampleMapFile() {
  TLcfMap map;
  for (int i = 1; i <= 8; ++i) {
    TLcfEventItem* event = map.events.Append();
    event->name = DefaultEventName(i);
    event->x = i;
  }
  map.lower.SetCell(3, 4, 5005);
  map.upper.SetCell(19, 14, 10007);
  TLcfEventItem* seventh = map.events.FindById(7);
  TLcfEventPageItem* page = seventh->pages.Append();
  page->graphicName = "Unique72";
  page->lines.InsertLine(0, std::make_unique<TLcfEventScriptLine>(10110, 0, "Hello"));
  page->moveRoute.AppendCommand();
  return map.SaveToBytes();
}

// The bytes of a map file whose record is changed by change.
Bytes MapFile(const std::function<Bytes(const Bytes& record)>& change) {
  Bytes file = SampleMapFile();
  const size_t magic = 1 + std::string(kMapMagic).size();
  Bytes record = change(Bytes(file.begin() + static_cast<ptrdiff_t>(magic), file.end()));
  file.resize(magic);
  file.insert(file.end(), record.begin(), record.end());
  return file;
}

// Where the body of top-level chunk id of a map file begins.
int64_t MapChunkBody(const Bytes& file, int32_t id) {
  TByteReader r(file.data(), file.size());
  r.ReadString();
  for (int32_t at = r.ReadInt(); at != 0; at = r.ReadInt()) {
    const size_t size = r.ReadLength();
    if (at == id) return static_cast<int64_t>(r.Pos());
    r.Skip(size);
  }
  ADD_FAILURE() << "no chunk " << id;
  return -1;
}

// The sample map file whose record says it is 30 columns wide, its layers still 20 x 15.
Bytes WiderThanItsLayers() {
  return MapFile([](const Bytes& r) {
    std::vector<TChunk> chunks = TopChunks(r);
    chunks.insert(chunks.begin(), TChunk{2, {30}});
    return EncodeChunks(chunks);
  });
}

// The body of event 7's page list, as saved.
Bytes PagesOfEvent7() {
  const Bytes file = SampleMapFile();
  const std::vector<TListItem> events = ListItems(FindChunk(TopChunks(file, 11), 81)->body);
  return FindChunk(TopChunks(events[6].record), 5)->body;
}

// The map file with the page count of event 7 (2) changed, its sizes kept true.
Bytes WithPageCount(uint8_t count) {
  return MapFile([count](const Bytes& r) {
    return RewriteChunk(r, {{81, 7}, {5}}, [count](const Bytes& pages) {
      Bytes changed = pages;
      changed[0] = count;
      return changed;
    });
  });
}

const Bytes kMarker = {0xFE, 0xFD, 0xFC};
// The script chunks of event 7's page 2: its size (14 bytes: the line of code 10110 and the end
// line) and the start of its block.
const Bytes kScriptChunks = {51, 1, 14, 52, 14};

struct TDamageCase {
  const char* what;
  std::function<Bytes()> damaged;
  std::function<void(const Bytes&)> load;
  const char* problem;                          // part of the problem
  const char* path;                             // nullptr: not checked
  std::function<int64_t(const Bytes&)> offset;  // nullptr: only checked to lie inside the file
};

void LoadMap(const Bytes& file) {
  TLcfMap map;
  map.LoadFromBytes(file);
}

void LoadTree(const Bytes& file) {
  TLcfMapTree tree;
  tree.LoadFromBytes(file);
}

void LoadDatabase(const Bytes& file) {
  TLcfDataBase db;
  db.LoadFromMemory(file, true);
}

Bytes SampleTree() {
  TLcfMapTree tree;
  tree.AddNode(0, 0);
  tree.AddNode(0, 1)->nodeType = TLcfMapTreeItem::kMap;
  tree.AddNode(1, 2)->nodeType = TLcfMapTreeItem::kMap;
  tree.startPositions.SetMapId(TLcfMapStartPosition::kParty, 1);
  return tree.SaveToBytes();
}

// Where the sample tree's order (3 entries: 0, 1, 2) begins: its count.
int64_t OrderOfSampleTree(const Bytes& file) {
  const Bytes order = {3, 0, 1};
  return std::find_end(file.begin(), file.end(), order.begin(), order.end()) - file.begin();
}

// The sample tree with the last entry of its order (node 2) replaced by id.
Bytes TreeWithLastOrderEntry(uint8_t id) {
  Bytes file = SampleTree();
  file[static_cast<size_t>(OrderOfSampleTree(file) + 3)] = id;
  return file;
}

}  // namespace

TEST(DamagedFiles, EachLoadNamesTheChunkPathAndTheOffset) {
  const TDamageCase cases[] = {
      {"bytes after a record's end",
       [&] {
         return MapFile([](const Bytes& r) {
           return RewriteChunk(r, {{81, 7}, {5, 2}, {41}}, [](const Bytes& body) {
             Bytes more = body;
             more.insert(more.end(), kMarker.begin(), kMarker.end());
             return more;
           });
         });
       },
       LoadMap, "3 bytes follow the end of the record", "map events > event 7 > page 2 > chunk 41",
       [](const Bytes& file) { return Find(file, kMarker); }},
      {"a record's end missing",
       [&] {
         return MapFile([](const Bytes& r) {
           return RewriteChunk(r, {{81, 7}, {5, 2}},
                               [](const Bytes& page) { return Bytes(page.begin(), page.end() - 1); });
         });
       },
       LoadMap, "the record ends without its closing 0", "map events > event 7 > page 2",
       [](const Bytes& file) {
         Bytes pages = PagesOfEvent7();
         pages.pop_back();
         return Find(file, pages) + static_cast<int64_t>(pages.size());
       }},
      {"a byte run inserted inside an event",
       [] {
         Bytes file = SampleMapFile();
         const int64_t at = Find(file, Bytes{'E', 'V', '0', '0', '0', '7'});
         file.insert(file.begin() + at + 2, {1, 2, 3, 4});
         return file;
       },
       LoadMap, "", nullptr, nullptr},
      {"a list count too high", [] { return WithPageCount(3); }, LoadMap, "the list ends after 2 of its 3 items",
       "map events > event 7 > chunk 5",
       [](const Bytes& file) {
         Bytes pages = PagesOfEvent7();
         pages[0] = 3;
         return Find(file, pages) + static_cast<int64_t>(pages.size());
       }},
      {"a list count too low", [] { return WithPageCount(1); }, LoadMap, "bytes follow the end of the list",
       "map events > event 7 > chunk 5",
       [](const Bytes& file) {
         Bytes pages = PagesOfEvent7();
         const std::vector<TListItem> items = ListItems(pages);
         pages[0] = 1;
         return Find(file, pages) + 1 + 1 + static_cast<int64_t>(items[0].record.size());
       }},
      {"a chunk size past its parent",
       [] {
         Bytes file = SampleMapFile();
         // Page 2's script block claims 100 bytes more than its page holds.
         file[Find(file, kScriptChunks) + 4] = 114;
         return file;
       },
       LoadMap, "chunk 52 claims 114 bytes where 15 are left", "map events > event 7 > page 2",
       [](const Bytes& file) {
         return Find(file, Bytes{51, 1, 14, 52}) + 3;
       }},
      {"bytes after the end of a map",
       [] {
         Bytes file = SampleMapFile();
         file.insert(file.end(), kMarker.begin(), kMarker.end());
         return file;
       },
       LoadMap, "3 bytes follow the end of the record", "", [](const Bytes& file) { return Find(file, kMarker); }},
      {"bytes after a database list",
       [] {
         TLcfDataBase db;
         db.heroes.SetCount(3);
         Bytes file = db.SaveToMemory();
         return RewriteDataBaseChunk(file, 11, [](const Bytes& list) {
           Bytes more = list;
           more.insert(more.end(), kMarker.begin(), kMarker.end());
           return more;
         });
       },
       LoadDatabase, "3 bytes follow the end of the list", "heroes",
       [](const Bytes& file) { return Find(file, kMarker); }},
      {"a database hero's skill list count too high",
       [] {
         TLcfDataBase db;
         db.heroes.ItemAt(0)->skills.SetCount(2);
         Bytes file = db.SaveToMemory();
         return RewriteDataBaseChunk(file, 11, [](const Bytes& list) {
           std::vector<TListItem> heroes = ListItems(list);
           heroes[0].record = RewriteChunk(heroes[0].record, {{63}}, [](const Bytes& skills) {
             Bytes more = skills;
             more[0] = 5;
             return more;
           });
           return EncodeList(heroes);
         });
       },
       LoadDatabase, "the list claims 5 items where at most", "heroes > hero 1 > chunk 63", nullptr},
      {"a database record's end missing",
       [] {
         TLcfDataBase db;
         return RewriteDataBaseChunk(db.SaveToMemory(), 22,
                                     [](const Bytes& system) { return Bytes(system.begin(), system.end() - 1); });
       },
       LoadDatabase, "the record ends without its closing 0", "system",
       [](const Bytes& file) {
         const std::vector<TChunk> chunks = DataBaseChunks(file);
         const Bytes& system = FindChunk(chunks, 22)->body;
         return Find(file, system) + static_cast<int64_t>(system.size());
       }},
      {"a database chunk past the end of the file",
       [] {
         TLcfDataBase db;
         Bytes file = db.SaveToMemory();
         file.insert(file.end(), {40, 10, 1, 2});
         return file;
       },
       LoadDatabase, "chunk 40 claims 10 bytes where 2 are left", "",
       [](const Bytes& file) { return static_cast<int64_t>(file.size() - 4); }},
      {"bytes after a map tree",
       [] {
         Bytes file = SampleTree();
         file.insert(file.end(), kMarker.begin(), kMarker.end());
         return file;
       },
       LoadTree, "3 bytes follow the end of the start positions", "",
       [](const Bytes& file) { return Find(file, kMarker); }},
      {"a map tree order count too high",
       [] {
         Bytes file = SampleTree();
         // The order (0, 1, 2) says it has 9 entries where 8 bytes follow: its 3 entries, the
         // current node and the start positions.
         const Bytes order = {3, 0, 1, 2};
         file[static_cast<size_t>(std::find_end(file.begin(), file.end(), order.begin(), order.end()) - file.begin())] =
             9;
         return file;
       },
       LoadTree, "the order claims 9 entries", "node order", nullptr},
      {"a map tree order entry that names no node", [] { return TreeWithLastOrderEntry(7); }, LoadTree,
       "entry 3 names node 7, which the tree does not hold", "node order",
       [](const Bytes& file) { return OrderOfSampleTree(file) + 3; }},
      {"a map tree order entry that repeats a node", [] { return TreeWithLastOrderEntry(1); }, LoadTree,
       "entry 3 names node 1 a second time", "node order",
       [](const Bytes& file) { return OrderOfSampleTree(file) + 3; }},
      {"a lower layer shorter than the map",
       [] {
         return MapFile([](const Bytes& r) {
           return RewriteChunk(r, {{71}}, [](const Bytes& cells) { return Bytes(cells.begin(), cells.end() - 2); });
         });
       },
       LoadMap, "the chunk holds 598 bytes where a map of 20 x 15 cells takes 600", "chunk 71",
       [](const Bytes& file) { return MapChunkBody(file, 71); }},
      {"an upper layer longer than the map",
       [] {
         return MapFile([](const Bytes& r) {
           return RewriteChunk(r, {{72}}, [](const Bytes& cells) {
             Bytes more = cells;
             more.insert(more.end(), 40, 0x27);
             return more;
           });
         });
       },
       LoadMap, "the chunk holds 640 bytes where a map of 20 x 15 cells takes 600", "chunk 72",
       [](const Bytes& file) { return MapChunkBody(file, 72); }},
      {"an integer chunk longer than its value",
       [] {
         return MapFile([](const Bytes& r) {
           std::vector<TChunk> chunks = TopChunks(r);
           chunks.insert(chunks.begin(), TChunk{2, {20, 0}});
           return EncodeChunks(chunks);
         });
       },
       LoadMap, "the chunk holds 2 bytes where its integer takes 1", "chunk 2",
       [](const Bytes& file) { return MapChunkBody(file, 2); }},
      {"a map wider than its layers", WiderThanItsLayers, LoadMap,
       "the chunk holds 600 bytes where a map of 30 x 15 cells takes 900", "chunk 71",
       [](const Bytes& file) { return MapChunkBody(file, 71); }},
  };
  for (const TDamageCase& c : cases) {
    SCOPED_TRACE(c.what);
    const Bytes file = c.damaged();
    try {
      c.load(file);
      ADD_FAILURE() << "loaded";
    } catch (const EDamagedData& e) {
      EXPECT_NE(e.Problem().find(c.problem), std::string::npos) << e.what();
      if (c.path) {
        EXPECT_EQ(e.ChunkPath(), c.path) << e.what();
      }
      if (c.offset) {
        EXPECT_EQ(e.Offset(), c.offset(file)) << e.what();
      } else {
        EXPECT_GE(e.Offset(), 0) << e.what();
        EXPECT_LE(e.Offset(), static_cast<int64_t>(file.size())) << e.what();
      }
      EXPECT_NE(std::string(e.what()).find("at byte " + std::to_string(e.Offset())), std::string::npos);
    }
  }
}

TEST(DamagedFiles, FileLoadersNameTheFileAndChangeNothing) {
  TTestFolder folder;
  // A map tree and a database with bytes after their end, a map with a page list count too low.
  Bytes tree = SampleTree();
  tree.push_back(0);
  WriteFileAtomic(folder / kMapTreeFileName, tree);
  TLcfDataBase source;
  Bytes db = source.SaveToMemory();
  db = RewriteDataBaseChunk(db, 13, [](const Bytes& list) {
    Bytes more = list;
    more.push_back(7);
    return more;
  });
  WriteFileAtomic(folder / kDataBaseFileName, db);

  TLcfMapTree loaded;
  loaded.projectFolder = folder.Path();
  loaded.AddNode(0, 0);
  try {
    loaded.LoadTree();
    ADD_FAILURE();
  } catch (const EDamagedData& e) {
    EXPECT_EQ(e.File(), folder / kMapTreeFileName);
    EXPECT_EQ(std::string(e.what()), "File \"" + (folder / kMapTreeFileName) + "\" is damaged at byte " +
                                         std::to_string(tree.size() - 1) +
                                         ": 1 byte follows the end of the start positions.");
  }
  EXPECT_EQ(loaded.Count(), 1);

  TLcfDataBase database;
  database.items.ItemAt(0)->name = "Kept";
  std::string error;
  EXPECT_FALSE(database.LoadDatabase(folder.Path(), &error));
  EXPECT_EQ(error.rfind("File \"" + (folder / kDataBaseFileName) + "\" is damaged at byte ", 0), 0u) << error;
  EXPECT_NE(error.find("(items): 1 byte follows the end of the list."), std::string::npos) << error;
  EXPECT_EQ(database.items.ItemAt(0)->name, "Kept");
  EXPECT_FALSE(database.LoadDamage());
}

TEST(DamagedFiles, QuietModeKeepsTheDatabasePartsReadBeforeTheDamage) {
  TTestFolder folder;
  TScriptedMessages messages;
  TMessagePortScope port(&messages);
  TLcfDataBase source;
  source.system.formatVersion = TLcfSystem::kCurrentFormatVersion;
  source.heroes.SetCount(4);
  source.monsters.SetCount(6);
  source.switches.SetCount(9);
  Bytes file = source.SaveToMemory();
  // The monster list (chunk 14) claims 7 items; heroes, skills and items come before it.
  file = RewriteDataBaseChunk(file, 14, [](const Bytes& list) {
    Bytes more = list;
    more[0] = 7;
    return more;
  });
  WriteFileAtomic(folder / kDataBaseFileName, file);

  TQuietModeScope quiet(true);
  TLcfDataBase db;
  std::string error;
  EXPECT_FALSE(db.LoadDatabase(folder.Path(), &error));
  ASSERT_TRUE(db.LoadDamage());
  EXPECT_EQ(error, db.LoadDamage().Message());
  EXPECT_NE(error.find("(monsters): the list ends after 6 of its 7 items."), std::string::npos) << error;
  EXPECT_NE(error.find(" 6 of the 7 monsters were read before the damage."), std::string::npos) << error;
  EXPECT_EQ(db.heroes.Count(), 4);    // read before the damage
  EXPECT_EQ(db.monsters.Count(), 6);  // the damaged list keeps the items read before the damage
  EXPECT_EQ(db.switches.Count(), 1);  // the parts after it are reset
  // What was read is not saved over the damaged file.
  EXPECT_FALSE(db.SaveDatabase(folder.Path(), folder.Path()));
  EXPECT_EQ(ReadWholeFile(folder / kDataBaseFileName), file);
  db.ClearLoadDamage();
  db.system.formatVersion = TLcfSystem::kCurrentFormatVersion;
  EXPECT_TRUE(db.SaveDatabase(folder.Path(), folder.Path()));
  EXPECT_NE(ReadWholeFile(folder / kDataBaseFileName), file);
}

TEST(DamagedFiles, QuietModeKeepsWhatTheMapHeldBeforeAndAroundTheDamage) {
  struct TCase {
    const char* what;
    std::function<Bytes()> damaged;
    int events;            // events kept: those before the damaged one, or all of them
    const char* salvaged;  // the message's note on them (nullptr: none)
    int width;
    bool lowerKept;  // the lower layer's cells were taken
  };
  auto inEvent7 = [](const std::vector<TChunkStep>& path, std::function<Bytes(const Bytes&)> change) {
    return [=] { return MapFile([=](const Bytes& r) { return RewriteChunk(r, path, change); }); };
  };
  const char* const sixOfEight = "6 of the 8 events were read before the damage";
  const TCase cases[] = {
      {"bytes after a page's condition",
       inEvent7({{81, 7}, {5, 2}, {41}},
                [](const Bytes& body) {
                  Bytes more = body;
                  more.push_back(9);
                  return more;
                }),
       6, sixOfEight, 20, true},
      {"a page's end missing",
       inEvent7({{81, 7}, {5, 2}}, [](const Bytes& page) { return Bytes(page.begin(), page.end() - 1); }), 6,
       sixOfEight, 20, true},
      {"a page count too high", [] { return WithPageCount(3); }, 6, sixOfEight, 20, true},
      {"a page count too low", [] { return WithPageCount(1); }, 6, sixOfEight, 20, true},
      {"a lower layer of the wrong size",
       [] {
         return MapFile([](const Bytes& r) {
           return RewriteChunk(r, {{71}}, [](const Bytes& cells) { return Bytes(cells.begin(), cells.end() - 2); });
         });
       },
       8, nullptr, 20, false},
      {"a map wider than its layers", WiderThanItsLayers, 8, nullptr, 30, false},
  };
  TTestFolder folder;
  TQuietModeScope quiet(true);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = folder / "Map0001.lmu";
    const Bytes file = c.damaged();
    WriteFileAtomic(path, file);
    TLcfMap map;
    map.LoadFromFile(path);
    ASSERT_TRUE(map.LoadDamage());
    const std::string& message = map.LoadDamage().Message();
    if (c.salvaged) {
      EXPECT_NE(message.find(std::string(" ") + c.salvaged + "."), std::string::npos) << message;
    } else {
      EXPECT_EQ(message.find("were read before"), std::string::npos) << message;
    }
    ASSERT_EQ(map.events.Count(), c.events);
    for (int i = 0; i < c.events; ++i) {
      EXPECT_EQ(map.events.ItemAt(i)->Id(), i + 1);
      EXPECT_EQ(map.events.ItemAt(i)->x, i + 1);
    }
    if (c.events == 8) {
      EXPECT_EQ(map.events.FindById(7)->pages.ItemAt(1)->graphicName, "Unique72");
    }
    EXPECT_EQ(map.width, c.width);
    EXPECT_EQ(map.lower.width, c.width);
    EXPECT_EQ(map.lower.cells.size(), static_cast<size_t>(c.width) * 15u);
    EXPECT_EQ(map.lower.GetCell(3, 4), c.lowerKept ? 5005 : 0);
    EXPECT_EQ(map.upper.GetCell(19, 14), c.width == 20 ? 10007 : 10000);
    // What could be read saves elsewhere and loads back clean; the damaged file is refused.
    EXPECT_THROW(map.SaveToFile(path), EFileError);
    map.SaveToFile(folder / "kept.lmu");
    TLcfMap kept;
    kept.LoadFromFile(folder / "kept.lmu");
    EXPECT_FALSE(kept.LoadDamage());
    EXPECT_EQ(kept.events.Count(), c.events);
    EXPECT_EQ(ReadWholeFile(path), file);
  }
}

TEST(DamagedFiles, EveryLayerSizeAValidFileCanHoldLoads) {
  // A file always holds layers of width x height cells; the size chunks are omitted at 20 and 15.
  const struct { int width, height; } sizes[] = {{20, 15}, {20, 500}, {500, 15}, {500, 500}, {37, 41}, {1, 1}};
  for (const auto& size : sizes) {
    SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
    TLcfMap map;
    map.SetWidth(size.width);
    map.SetHeight(size.height);
    for (int y = 0; y < size.height; ++y)
      for (int x = 0; x < size.width; ++x) {
        map.lower.SetCell(x, y, 5000 + (x * 7 + y) % 144);
        map.upper.SetCell(x, y, 10000 + (x + y * 3) % 144);
      }
    const Bytes file = map.SaveToBytes();
    const std::vector<TChunk> chunks = TopChunks(file, 1 + std::string(kMapMagic).size());
    EXPECT_EQ(FindChunk(chunks, 2) != nullptr, size.width != 20);
    EXPECT_EQ(FindChunk(chunks, 3) != nullptr, size.height != 15);
    TLcfMap back;
    back.LoadFromBytes(file);
    EXPECT_EQ(back.width, size.width);
    EXPECT_EQ(back.height, size.height);
    EXPECT_TRUE(
        std::equal(back.lower.cells.begin(), back.lower.cells.end(), map.lower.cells.begin(), map.lower.cells.end()));
    EXPECT_TRUE(
        std::equal(back.upper.cells.begin(), back.upper.cells.end(), map.upper.cells.begin(), map.upper.cells.end()));
    EXPECT_EQ(back.SaveToBytes(), file);
  }
}
