// Checking a whole project: files that fail and references that point nowhere.
#include <gtest/gtest.h>

#include <fstream>

#include "TestFolder.h"
#include "core/AtomicFile.h"
#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "project/ProjectCheck.h"

using namespace tess;

namespace {

// A project with a database of two tilesets and a tree of the root and maps 1 and 2.
void WriteProject(const std::string& folder) {
  TLcfDataBase db;
  db.tilesets.SetCount(2);
  db.system.formatVersion = TLcfSystem::kCurrentFormatVersion;
  db.SaveToFile(folder + kDataBaseFileName);
  TLcfMapTree tree;
  tree.AddNode(0, 0)->nodeType = TLcfMapTreeItem::kRoot;
  for (int32_t id : {1, 2}) tree.AddNode(0, id)->nodeType = TLcfMapTreeItem::kMap;
  tree.startPositions.SetMapId(TLcfMapStartPosition::kParty, 1);
  WriteFileAtomic(folder + kMapTreeFileName, tree.SaveToBytes());
  TLcfMap map;
  for (int32_t id : {1, 2}) {
    map.tilesetId = id;
    map.SaveToProject(folder, id);
  }
}

std::vector<std::string> Lines(const std::vector<TProjectProblem>& problems) {
  std::vector<std::string> lines;
  for (const TProjectProblem& p : problems) lines.push_back(p.file + ": " + p.message);
  return lines;
}

}  // namespace

TEST(ProjectCheck, SoundProjectHasNoProblems) {
  test::TTestFolder folder;
  WriteProject(folder.Path());
  EXPECT_EQ(Lines(CheckProject(folder.Path())), std::vector<std::string>{});
}

TEST(ProjectCheck, ReportsEachFailureAndDanglingReference) {
  test::TTestFolder folder;
  WriteProject(folder.Path());
  // Map 2 names a tileset the database lacks and holds two events outside its cells; map 3 is in the tree but has no
  // file; the ship starts on a map the tree lacks; a node meets a troop the database lacks.
  TLcfMap map;
  map.tilesetId = 7;
  map.SetWidth(20);
  map.events.Obtain(1)->x = 19;  // the last column: inside
  map.events.Obtain(2)->x = 20;
  map.events.Obtain(3)->y = -1;
  map.SaveToProject(folder.Path(), 2);
  TLcfMapTree tree;
  tree.LoadFromBytes(ReadWholeFile(folder / kMapTreeFileName));
  tree.AddNode(0, 3)->nodeType = TLcfMapTreeItem::kMap;
  tree.startPositions.SetMapId(TLcfMapStartPosition::kShip, 9);
  tree.FindById(1)->encounters.Obtain(1)->troopId = 4;
  WriteFileAtomic(folder / kMapTreeFileName, tree.SaveToBytes());

  std::vector<std::string> lines = Lines(CheckProject(folder.Path()));
  ASSERT_EQ(lines.size(), 6u) << ::testing::PrintToString(lines);
  EXPECT_EQ(lines[0], "TESS_RT.lmt: the start position of the ship names map 9, which the map tree lacks");
  EXPECT_EQ(lines[1], "TESS_RT.lmt: node 1 meets troop 4, which the database lacks");
  EXPECT_EQ(lines[2], "Map0002.lmu: the map's tileset 7 is one the database lacks");
  EXPECT_EQ(lines[3], "Map0002.lmu: event 2 stands at (20, 0), outside the map's 20 x 15 cells");
  EXPECT_EQ(lines[4], "Map0002.lmu: event 3 stands at (0, -1), outside the map's 20 x 15 cells");
  EXPECT_EQ(lines[5].substr(0, 13), "Map0003.lmu: ");
}

TEST(ProjectCheck, FilesThatFailToLoad) {
  test::TTestFolder folder;
  WriteProject(folder.Path());
  std::ofstream(folder / "TESS_RT.ldb") << "not a database";
  Bytes map = ReadWholeFile(folder / "Map0001.lmu");
  map.resize(map.size() / 2);
  WriteFileAtomic(folder / "Map0001.lmu", map);
  std::vector<std::string> lines = Lines(CheckProject(folder.Path()));
  ASSERT_EQ(lines.size(), 2u) << ::testing::PrintToString(lines);
  EXPECT_EQ(lines[0], "TESS_RT.ldb: the file is not a database (it starts with \"not a database\")");
  EXPECT_EQ(lines[1], "Map0001.lmu: damaged at byte 131: chunk 71 claims 600 bytes where 538 are left.");

  std::filesystem::remove(folder / "TESS_RT.lmt");
  lines = Lines(CheckProject(folder.Path()));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].substr(0, 13), "TESS_RT.lmt: ");
}
