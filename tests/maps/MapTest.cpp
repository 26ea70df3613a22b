#include <gtest/gtest.h>

#include <filesystem>

#include "TestChunks.h"
#include "TestFolder.h"
#include "core/AtomicFile.h"
#include "core/QuietMode.h"
#include "maps/LD_Map.h"

using namespace tess;
using namespace tess::test;

namespace {

// A map with a value other than the default in every field.
void FillEveryField(TLcfMap& m) {
  m.tilesetId = 3;
  m.SetWidth(27);
  m.SetHeight(19);
  m.SetScrollType(3);
  m.usePanorama = 1;
  m.panoramaName = "Sky";
  m.panoramaScrollH = m.panoramaScrollV = m.panoramaAutoH = m.panoramaAutoV = 1;
  m.panoramaSpeedH = -8;
  m.panoramaSpeedV = 7;
  m.useGenerator = 1;
  m.generatorStyle = 3;
  m.topLevel = 1;
  m.generatorValueA = 11;
  m.generatorValueB = -12;
  m.generatorChoice1 = 13;
  m.generatorChoice2 = 14;
  m.generatorChoice3 = 15;
  m.passageSize = 1;
  m.roomWidth = 6;
  m.roomHeight = 5;
  m.surroundWithWalls = m.useUpperWall = m.useFloorB = m.useFloorC = m.useObstacleB = m.useObstacleC = 0;
  for (int i = 0; i < 9; ++i) m.generatorChips[i] = i + 1, m.generatorChipVariants[i] = -i;
  for (int i = 0; i < 18; ++i) m.generatorTiles[i] = static_cast<uint16_t>(5000 + i);
  for (int y = 0; y < m.height; ++y)
    for (int x = 0; x < m.width; ++x) {
      m.lower.SetCell(x, y, (x * 31 + y) % 5144);
      m.upper.SetCell(x, y, 10000 + (x + y) % 144);
    }
  TLcfEventItem* e = m.events.Obtain(4);
  e->name = "Chest";
  e->x = 26;
  e->y = 18;
  e->pages.ItemAt(0)->lines.InsertLine(
      0, std::make_unique<TLcfEventScriptLine>(10110, 0, "Found it", std::vector<int32_t>{}));
  m.saveCount = 41;
}

}  // namespace

TEST(MapLayer, GetCellWrapsOnlyLoopingDirections) {
  TLcfMap map;
  map.lower.SetCell(19, 0, 7);
  map.lower.SetCell(0, 14, 8);
  struct Case {
    int scroll, x, y, expected;
  } cases[] = {
      {0, -1, 0, -1}, {2, -1, 0, 7},  {3, -1, 0, 7},  {1, -1, 0, -1}, {2, 39, 0, 7},    {2, -20001, 0, 7},
      {1, 0, -1, 8},  {2, 0, -1, -1}, {3, 20, 29, 8}, {0, 20, 0, -1}, {3, -20, -16, 8}, {0, 19, 0, 7},
  };
  for (const Case& c : cases) {
    map.SetScrollType(c.scroll);
    EXPECT_EQ(map.lower.GetCell(c.x, c.y), c.expected) << c.scroll << " " << c.x << "," << c.y;
  }
  // A looping layer without cells answers at once.
  TLcfMapLayer empty(nullptr, 0);
  empty.loopH = empty.loopV = true;
  EXPECT_EQ(empty.GetCell(-5, 3), -1);
  empty.SetCell(0, 0, 1);
}

TEST(MapLayer, ResizeKeepsTheCommonRectangle) {
  TLcfMap map;
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 20; ++x) map.upper.SetCell(x, y, 10001 + x + y * 20);
  map.upper.Resize(25, 10);
  EXPECT_EQ(map.upper.cells.size(), 250u);
  EXPECT_EQ(map.upper.GetCell(19, 9), 10001 + 19 + 9 * 20);
  EXPECT_EQ(map.upper.GetCell(0, 0), 10001);
  EXPECT_EQ(map.upper.GetCell(20, 0), 10000);
  EXPECT_EQ(map.upper.GetCell(24, 9), 10000);
  map.upper.Resize(-3, 4);
  EXPECT_EQ(map.upper.width, 0);
  EXPECT_TRUE(map.upper.cells.empty());
}

TEST(Map, ResetMapWritesItsFixedChunks) {
  TTestFolder folder;
  TLcfMap map;
  map.SaveToFile(folder / "Map0001.lmu");
  Bytes file = ReadWholeFile(folder / "Map0001.lmu");
  auto chunks = TopChunks(file, 11);
  EXPECT_EQ(ChunkIds(chunks), (std::vector<int32_t>{11, 50, 60, 61, 62, 71, 72, 81, 91}));
  EXPECT_EQ(FindChunk(chunks, 11)->body, Bytes{0});
  EXPECT_EQ(FindChunk(chunks, 50)->body, Bytes{2});
  EXPECT_EQ(FindChunk(chunks, 60)->body.size(), 36u);
  EXPECT_EQ(FindChunk(chunks, 62)->body.size(), 36u);
  EXPECT_EQ(FindChunk(chunks, 71)->body, Bytes(600, 0));
  EXPECT_EQ(FindChunk(chunks, 72)->body.size(), 600u);
  EXPECT_EQ(FindChunk(chunks, 72)->body[0], 10000 & 0xFF);
  EXPECT_EQ(FindChunk(chunks, 72)->body[1], 10000 >> 8);
  EXPECT_EQ(FindChunk(chunks, 81)->body, Bytes{0});
  EXPECT_EQ(FindChunk(chunks, 91)->body, Bytes{1});
  map.SaveToFile(folder / "Map0001.lmu");
  EXPECT_EQ(map.saveCount, 2);
}

TEST(Map, EveryFieldRoundTripsToTheSameBytes) {
  TLcfMap map;
  FillEveryField(map);
  Bytes once = map.SaveToBytes();
  TLcfMap back;
  back.LoadFromBytes(once);
  EXPECT_EQ(back.SaveToBytes(), once);
  EXPECT_EQ(back.lower.cells, map.lower.cells);
  EXPECT_TRUE(back.lower.loopH && back.upper.loopV);
  EXPECT_EQ(back.events.ItemById(4)->pages.ItemAt(0)->lines.LineAt(0)->text, "Found it");
  // Every chunk the record knows is present, so no field was left at its default.
  auto ids = ChunkIds(TopChunks(once, 11));
  EXPECT_EQ(ids.size(), 36u);
}

TEST(Map, LargeMapWithManyEventsRoundTrips) {
  TLcfMap map;
  map.SetWidth(500);
  map.SetHeight(500);
  for (size_t i = 0; i < map.lower.cells.size(); ++i) {
    map.lower.cells[i] = static_cast<uint16_t>(i % 5144);
    map.upper.cells[i] = static_cast<uint16_t>(10000 + i % 144);
  }
  for (int id = 1; id <= 2000; ++id) {
    TLcfEventItem* e = map.events.Obtain(id);
    e->name = DefaultEventName(id);
    e->x = id % 500;
    e->y = id / 4;
    TLcfEventPageItem* page = e->pages.ItemAt(0);
    page->graphicName = "People1";
    page->lines.InsertLine(0, std::make_unique<TLcfEventScriptLine>(10110, 0, "Hello", std::vector<int32_t>{}));
  }
  Bytes once = map.SaveToBytes();
  TLcfMap back;
  back.LoadFromBytes(once);
  EXPECT_EQ(back.events.Count(), 2000);
  EXPECT_EQ(back.SaveToBytes(), once);
}

TEST(Map, LayersAlwaysHoldTheMapSize) {
  // Chunk 2 says 30 columns; chunk 71 still holds 20 x 15 cells: damage, and what a lenient load
  // keeps of it has blank layers of the map's size.
  TLcfMap small;
  small.lower.SetCell(0, 0, 5000);
  Bytes bytes = small.SaveToBytes();
  TLcfMap map;
  Bytes header;
  TByteWriter w(header);
  w.WriteString(kMapMagic);
  w.WriteInt(2);
  w.WriteSizedInt(30);
  bytes.erase(bytes.begin(), bytes.begin() + 11);
  bytes.insert(bytes.begin(), header.begin(), header.end());
  EXPECT_THROW(map.LoadFromBytes(bytes), EDamagedData);
  EXPECT_THROW(LoadRecordBytes(bytes, kMapMagic, map), EDamagedData);
  EXPECT_EQ(map.width, 30);
  EXPECT_EQ(map.lower.cells.size(), 450u);
  EXPECT_EQ(map.lower.GetCell(0, 0), 0);
  EXPECT_EQ(map.upper.GetCell(29, 14), 10000);
}

TEST(Map, SavingWritesLayersAtTheMapSizeWithoutResizingThem) {
  TLcfMap map;
  map.lower.SetCell(19, 14, 5001);
  map.width = 25;  // set directly, without resizing the layers
  TLcfMap back;
  back.LoadFromBytes(map.SaveToBytes());
  EXPECT_EQ(map.lower.width, 20);
  EXPECT_EQ(back.lower.cells.size(), 25u * 15u);
  EXPECT_EQ(back.lower.GetCell(19, 14), 5001);
  EXPECT_EQ(back.lower.GetCell(24, 14), 0);
  EXPECT_EQ(back.upper.GetCell(24, 0), 10000);
}

TEST(Map, AbsurdSizesAreRejected) {
  struct Case {
    int32_t width, height;
  } cases[] = {{0, 15}, {20, 0}, {-1, 15}, {20, -500}, {4097, 4097}, {1 << 20, 1 << 20}, {INT32_MAX, 2}};
  for (const Case& c : cases) {
    Bytes bytes;
    TByteWriter w(bytes);
    w.WriteString(kMapMagic);
    w.WriteInt(2);
    w.WriteSizedInt(c.width);
    w.WriteInt(3);
    w.WriteSizedInt(c.height);
    w.WriteByte(0);
    TLcfMap map;
    EXPECT_THROW(map.LoadFromBytes(bytes), EReadError) << c.width << " x " << c.height;
    EXPECT_EQ(map.width * map.height, static_cast<int>(map.lower.cells.size()));
  }
  // The largest accepted size.
  Bytes bytes;
  TByteWriter w(bytes);
  w.WriteString(kMapMagic);
  w.WriteInt(2);
  w.WriteSizedInt(4096);
  w.WriteInt(3);
  w.WriteSizedInt(4096);
  w.WriteByte(0);
  TLcfMap map;
  map.LoadFromBytes(bytes);
  EXPECT_EQ(map.upper.cells.size(), size_t{1} << 24);
}

TEST(Map, FilesAreFoundInAnyCaseAndKeepTheirName) {
  TTestFolder project;
  TLcfMap map;
  FillEveryField(map);
  map.SaveToFile(project / "MAP0007.LMU");
  TLcfMap back;
  back.LoadFromProject(project.Path(), 7);
  EXPECT_EQ(back.Id(), 7);
  EXPECT_EQ(back.panoramaName, "Sky");
  back.SaveToProject(project.Path(), 7);
  EXPECT_FALSE(std::filesystem::exists(project / "Map0007.lmu"));
  EXPECT_EQ(back.saveCount, map.saveCount + 1);
  TLcfMap::DeleteProjectFile(project.Path(), 7);
  EXPECT_TRUE(std::filesystem::is_empty(project.Path()));
  TLcfMap::DeleteProjectFile(project.Path(), 7);  // missing: ignored
}

TEST(Map, FailedLoadsAreReportedAndLeaveNothingHalfLoaded) {
  TTestFolder folder;
  TLcfMap good;
  FillEveryField(good);
  Bytes bytes = good.SaveToBytes();
  WriteFileAtomic(folder / "Map0002.lmu", Bytes(bytes.begin(), bytes.end() - 40));
  Bytes wrong = bytes;
  wrong[1] = 'X';
  WriteFileAtomic(folder / "Map0003.lmu", wrong);

  TLcfMap map;
  FillEveryField(map);
  EXPECT_THROW(map.LoadFromProject(folder.Path(), 1), EFileError);
  EXPECT_EQ(map.Id(), 1);
  EXPECT_EQ(map.width, 0);
  EXPECT_TRUE(map.lower.cells.empty());
  EXPECT_EQ(map.events.Count(), 0);
  EXPECT_THROW(map.LoadFromProject(folder.Path(), 2), EReadError);
  EXPECT_EQ(map.events.Count(), 0);
  try {
    map.LoadFromProject(folder.Path(), 3);
    ADD_FAILURE();
  } catch (const EWrongMagic& e) {
    EXPECT_STREQ(e.what(), "Event script referenced a \"shigunechi\" that does not exist.");
  }
  // An unloaded map is never written over a file.
  EXPECT_THROW(map.SaveToProject(folder.Path(), 2), EFileError);
  EXPECT_EQ(ReadWholeFile(folder / "Map0002.lmu").size(), bytes.size() - 40);
}

TEST(Map, QuietModeKeepsWhatCouldBeReadAndTheDamage) {
  TTestFolder folder;
  TLcfMap good;
  FillEveryField(good);
  const Bytes bytes = good.SaveToBytes();
  // Cut inside the event list: everything before it is whole.
  const Bytes cut(bytes.begin(), bytes.end() - 40);
  WriteFileAtomic(folder / "Map0002.lmu", cut);
  Bytes wrong = bytes;
  wrong[1] = 'X';
  WriteFileAtomic(folder / "Map0003.lmu", wrong);

  TQuietModeScope quiet(true);
  TLcfMap map;
  EXPECT_THROW(map.LoadFromProject(folder.Path(), 1), EFileError);  // a missing file still raises
  EXPECT_FALSE(map.LoadDamage());

  map.LoadFromProject(folder.Path(), 2);
  ASSERT_TRUE(map.LoadDamage());
  EXPECT_NE(map.LoadDamage().Message().find("Map0002.lmu\" is damaged at byte "), std::string::npos)
      << map.LoadDamage().Message();
  EXPECT_THROW(map.LoadDamage().Raise(), EDamagedData);
  EXPECT_EQ(map.Id(), 2);
  EXPECT_EQ(map.width, good.width);
  EXPECT_EQ(map.lower.cells, good.lower.cells);
  EXPECT_EQ(map.panoramaName, good.panoramaName);
  // What was read is not written over the damaged file; saved as another map it may be.
  EXPECT_THROW(map.SaveToProject(folder.Path(), 2), EFileError);
  EXPECT_EQ(ReadWholeFile(folder / "Map0002.lmu"), cut);
  map.SaveToProject(folder.Path(), 5);
  EXPECT_TRUE(std::filesystem::exists(folder / "Map0005.lmu"));
  map.ClearLoadDamage();
  map.SaveToProject(folder.Path(), 2);
  EXPECT_NE(ReadWholeFile(folder / "Map0002.lmu"), cut);

  map.LoadFromProject(folder.Path(), 3);
  ASSERT_TRUE(map.LoadDamage());
  EXPECT_EQ(map.LoadDamage().Message(), "Event script referenced a \"shigunechi\" that does not exist.");
  EXPECT_EQ(map.width, 20);
  EXPECT_EQ(map.events.Count(), 0);
  map.LoadFromProject(folder.Path(), 5);
  EXPECT_FALSE(map.LoadDamage());
}

TEST(Map, FailedWriteKeepsTheCount) {
  TLcfMap map;
  EXPECT_THROW(map.SaveToFile("/nonexistent-folder/Map0001.lmu"), EFileError);
  EXPECT_EQ(map.saveCount, 0);
}

TEST(Map, UnknownTilesetBecomesOne) {
  TTestFolder folder;
  TLcfMap map;
  map.tilesetId = 99;
  map.SaveWorkCopy(folder.Path(), 5);
  TLcfMap back;
  back.tilesetExists = [](int32_t id) { return id >= 1 && id <= 10; };
  back.LoadWorkCopy(folder.Path(), 5);
  EXPECT_EQ(back.tilesetId, 1);
  back.tilesetId = 10;
  back.RefreshTileset();
  EXPECT_EQ(back.tilesetId, 10);
  TLcfMap::DeleteWorkCopy(folder.Path(), 5);
  EXPECT_FALSE(std::filesystem::exists(folder / "Map0005.lmu"));
}
