#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "FakeMapTreeView.h"
#include "TestChunks.h"
#include "TestFolder.h"
#include "core/AtomicFile.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"

using namespace tess;
using namespace tess::test;

namespace {

// A tree built through AddNode: (parent, id, type) in order.
struct TNodeSpec {
  int32_t parent, id;
  uint8_t type;
};

void Build(TLcfMapTree& tree, std::initializer_list<TNodeSpec> nodes) {
  for (const TNodeSpec& n : nodes) {
    tree.AddNode(n.parent, n.id)->nodeType = n.type;
    tree.ItemById(n.id)->name = "N" + std::to_string(n.id);
  }
}

void WriteMap(const std::string& path, int width) {
  TLcfMap map;
  map.SetWidth(width);
  map.SaveToFile(path);
}

}  // namespace

TEST(MapTree, FirstTreeOfANewProject) {
  TTestFolder project, scratch;
  TLcfMapTree tree;
  tree.projectFolder = project.Path();
  tree.scratchFolder = scratch.Path();
  // The steps of creating a project.
  tree.ClearTree();
  TLcfMapTreeItem* root = tree.AddNode(0, 0);
  root->nodeType = TLcfMapTreeItem::kRoot;
  root->name = "My Game";
  tree.currentId = 0;
  tree.SaveTree();
  TLcfMapTreeItem* first = tree.AddNode(0, 1);
  first->nodeType = TLcfMapTreeItem::kMap;
  first->name = "MAP0001";
  first->musicType = first->backdropType = 1;
  first->teleport = first->escape = first->save = 1;
  first->encounterSteps = 25;
  first->pending = true;
  TLcfMap map;
  map.SetWidth(100);
  map.SetHeight(100);
  map.SaveWorkCopy(scratch.Path(), 1);
  tree.currentId = 1;
  EXPECT_TRUE(tree.IsModified());
  tree.SaveTree();
  EXPECT_FALSE(tree.IsModified());

  EXPECT_FALSE(std::filesystem::exists(scratch / "Map0001.lmu"));
  TLcfMap saved;
  saved.LoadFromProject(project.Path(), 1);
  EXPECT_EQ(saved.width, 100);
  EXPECT_EQ(saved.saveCount, 2);  // once as a work copy, once committed

  Bytes file = ReadWholeFile(project / "TESS_RT.lmt");
  TByteReader r(file.data(), file.size());
  EXPECT_EQ(r.ReadString(), "LcfMapTree");
  EXPECT_EQ(r.ReadInt(), 2);
  EXPECT_EQ(r.ReadInt(), 0);
  auto rootChunks = TopChunks(file, r.Pos());
  // The root, added as its own parent, is one level deeper than it started; created nodes have
  // 0 encounter steps, which differs from the stored default and is written.
  EXPECT_EQ(ChunkIds(rootChunks), (std::vector<int32_t>{1, 3, 4, 11, 12, 21, 31, 32, 33, 41, 44, 51}));
  EXPECT_EQ(FindChunk(rootChunks, 3)->body, Bytes{1});
  EXPECT_EQ(FindChunk(rootChunks, 44)->body, Bytes{0});
  EXPECT_EQ(FindChunk(rootChunks, 51)->body, Bytes(16, 0));

  TLcfMapTree back;
  back.LoadFromBytes(file);
  EXPECT_EQ(back.order, (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(back.currentId, 1);
  EXPECT_EQ(back.ItemById(1)->parentId, 0);
  EXPECT_EQ(back.ItemById(1)->depth, 2);
  EXPECT_EQ(back.ItemById(1)->encounterSteps, 25);
  EXPECT_EQ(back.ItemById(0)->name, "My Game");
  EXPECT_EQ(back.CurrentNode()->name, "MAP0001");
  // The file ends with order (2: 0, 1), the current id 1 and the empty start positions record.
  EXPECT_EQ(Bytes(file.end() - 5, file.end()), (Bytes{2, 0, 1, 1, 0}));
}

TEST(MapTree, DeletingASubtreeDeletesItsMapFilesAtSave) {
  TTestFolder project, scratch;
  TLcfMapTree tree;
  tree.projectFolder = project.Path();
  tree.scratchFolder = scratch.Path();
  Build(tree, {{0, 0, 0}, {0, 1, 1}, {1, 2, 1}, {1, 3, 1}, {2, 4, 2}, {0, 5, 1}});
  for (int id : {1, 2, 3, 5}) WriteMap(project / MapFileName(id), 20);
  tree.startPositions.SetMapId(TLcfMapStartPosition::kParty, 1);
  tree.startPositions.SetX(TLcfMapStartPosition::kParty, 4);
  tree.startPositions.SetMapId(TLcfMapStartPosition::kShip, 2);
  tree.DeleteNode(1);
  EXPECT_EQ(tree.deletedIds, (std::vector<int32_t>{1, 2, 4, 3}));
  EXPECT_EQ(tree.order, (std::vector<int32_t>{0, 5}));
  EXPECT_EQ(tree.Count(), 2);
  EXPECT_EQ(tree.startPositions.MapId(TLcfMapStartPosition::kParty), 0);
  EXPECT_EQ(tree.startPositions.X(TLcfMapStartPosition::kParty), 0);
  EXPECT_EQ(tree.startPositions.MapId(TLcfMapStartPosition::kShip), 2);  // on a child: stays
  EXPECT_TRUE(tree.IsModified());

  // A deleted id added again keeps its new file.
  tree.AddNode(0, 3)->nodeType = TLcfMapTreeItem::kMap;
  EXPECT_EQ(tree.deletedIds, (std::vector<int32_t>{1, 2, 4}));
  tree.SaveTree();
  EXPECT_TRUE(tree.deletedIds.empty());
  EXPECT_FALSE(std::filesystem::exists(project / "Map0001.lmu"));
  EXPECT_FALSE(std::filesystem::exists(project / "Map0002.lmu"));
  EXPECT_TRUE(std::filesystem::exists(project / "Map0003.lmu"));
  EXPECT_TRUE(std::filesystem::exists(project / "Map0005.lmu"));
}

TEST(MapTree, AddNodePlacesAfterTheParentsSubtree) {
  TLcfMapTree tree;
  // 0 at depth 0 in a loaded tree; 1 and its child 2, then 3.
  tree.Obtain(0);
  tree.order = {0};
  Build(tree, {{0, 1, 1}, {1, 2, 1}, {2, 4, 1}, {0, 3, 1}});
  EXPECT_EQ(tree.order, (std::vector<int32_t>{0, 1, 2, 4, 3}));
  EXPECT_EQ(tree.ItemById(4)->depth, 3);
  // Under 2, whose subtree is followed by a shallower node: the new node goes before 3, not to
  // the end.
  tree.AddNode(2, 6);
  EXPECT_EQ(tree.order, (std::vector<int32_t>{0, 1, 2, 4, 6, 3}));
  tree.AddNode(7, 8);  // unknown parent: at the end
  EXPECT_EQ(tree.order.back(), 8);
  tree.AddNode(3, 6);  // a node added again moves
  EXPECT_EQ(tree.order, (std::vector<int32_t>{0, 1, 2, 4, 3, 6, 8}));
  EXPECT_EQ(tree.OrderIndexOf(6), 5);
  EXPECT_EQ(tree.OrderIndexOf(9), -1);
}

TEST(MapTree, SaveNeverCommitsAMissingOrDamagedWorkCopy) {
  TTestFolder project, scratch;
  TLcfMapTree tree;
  tree.projectFolder = project.Path();
  tree.scratchFolder = scratch.Path();
  Build(tree, {{0, 0, 0}, {0, 1, 1}, {0, 2, 1}, {0, 3, 1}, {3, 4, 2}});
  for (int id : {1, 2, 3}) WriteMap(project / MapFileName(id), 20);
  WriteMap(scratch / "Map0001.lmu", 33);  // good
  Bytes broken = ReadWholeFile(scratch / "Map0001.lmu");
  broken.resize(broken.size() / 2);
  WriteFileAtomic(scratch / "Map0002.lmu", broken);  // damaged; Map0003 has none
  for (int id : {1, 2, 3}) tree.ItemById(id)->pending = true;
  tree.MarkPending(4);  // an area: its map (3) is marked
  EXPECT_THROW(tree.SaveTree(), EFileError);

  TLcfMap map;
  map.LoadFromProject(project.Path(), 1);
  EXPECT_EQ(map.width, 33);
  EXPECT_FALSE(tree.ItemById(1)->pending);
  for (int id : {2, 3}) {
    map.LoadFromProject(project.Path(), id);
    EXPECT_EQ(map.width, 20) << id;
    EXPECT_TRUE(tree.ItemById(id)->pending) << id;
  }
  EXPECT_TRUE(std::filesystem::exists(scratch / "Map0002.lmu"));
  EXPECT_TRUE(tree.IsModified());
  // The tree itself was saved.
  TLcfMapTree back;
  back.projectFolder = project.Path();
  back.LoadTree();
  EXPECT_EQ(back.Count(), 5);
}

TEST(MapTree, EmptyTreeSavesNothing) {
  TTestFolder project;
  WriteFileAtomic(project / "TESS_RT.lmt", std::string("old"));
  TLcfMapTree tree;
  tree.projectFolder = project.Path();
  tree.deletedIds = {1};
  tree.SaveTree();
  EXPECT_EQ(ReadWholeFile(project / "TESS_RT.lmt").size(), 3u);
}

TEST(MapTree, LoadDiscardsWorkCopiesOnlyAfterAGoodParse) {
  TTestFolder project, scratch;
  TLcfMapTree tree;
  tree.projectFolder = project.Path();
  tree.scratchFolder = scratch.Path();
  Build(tree, {{0, 0, 0}, {0, 1, 1}, {0, 2, 1}});
  tree.SaveTree();
  Bytes good = ReadWholeFile(project / "TESS_RT.lmt");
  tree.ItemById(2)->pending = true;
  tree.deletedIds = {7};
  WriteMap(scratch / "Map0002.lmu", 20);
  WriteMap(scratch / "Map0009.lmu", 20);  // not this tree's: left alone

  // A damaged file changes nothing.
  WriteFileAtomic(project / "TESS_RT.lmt", Bytes(good.begin(), good.end() - 3));
  EXPECT_THROW(tree.LoadTree(), EReadError);
  EXPECT_TRUE(tree.ItemById(2)->pending);
  EXPECT_EQ(tree.Count(), 3);
  EXPECT_TRUE(std::filesystem::exists(scratch / "Map0002.lmu"));
  Bytes wrong = good;
  wrong[3] = 'x';
  WriteFileAtomic(project / "TESS_RT.lmt", wrong);
  EXPECT_THROW(tree.LoadTree(), EWrongMagic);

  WriteFileAtomic(project / "tess_rt.LMT", good);  // found whatever its case
  std::filesystem::remove(project / "TESS_RT.lmt");
  tree.LoadTree();
  EXPECT_FALSE(tree.IsModified());
  EXPECT_FALSE(std::filesystem::exists(scratch / "Map0002.lmu"));
  EXPECT_TRUE(std::filesystem::exists(scratch / "Map0009.lmu"));
  tree.SaveTree();
  EXPECT_TRUE(std::filesystem::exists(project / "tess_rt.LMT"));
  EXPECT_FALSE(std::filesystem::exists(project / "TESS_RT.lmt"));
}

TEST(MapTree, TreeWithoutRootFailsTheRootTest) {
  TLcfMapTree tree;
  Bytes file;
  TByteWriter w(file);
  w.WriteString("LcfMapTree");
  w.WriteInt(0);  // no nodes
  w.WriteInt(0);  // empty order
  w.WriteInt(0);
  w.WriteByte(0);
  tree.LoadFromBytes(file);
  try {
    tree.RequireRoot();
    ADD_FAILURE();
  } catch (const ETessError& e) {
    EXPECT_STREQ(e.what(), "The map tree data is corrupt.");
  }
}

TEST(MapTree, AnOrderNamingAStrangerOrANodeTwiceChangesNothing) {
  TLcfMapTree tree;
  Build(tree, {{0, 0, 0}, {0, 1, 1}, {0, 2, 1}});
  TLcfMapTree back;
  back.LoadFromBytes(tree.SaveToBytes());
  for (const std::vector<int32_t>& damaged : {std::vector<int32_t>{0, 1, 9, 2}, std::vector<int32_t>{0, 1, 2, 1}}) {
    tree.order = damaged;
    EXPECT_THROW(back.LoadFromBytes(tree.SaveToBytes()), EDamagedData);
    EXPECT_EQ(back.order, (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(back.Count(), 3);
  }
  // A huge order length is refused before anything is reserved.
  TLcfMapTree nodesOnly;
  Build(nodesOnly, {{0, 0, 0}});
  Bytes cut = nodesOnly.SaveToBytes();
  cut.resize(cut.size() - 4);  // order length, id 0, current id, start positions
  TByteWriter tail(cut);
  tail.WriteInt(0x7FFFFFF);
  tail.WriteBytes("\0\0\0", 3);
  EXPECT_THROW(back.LoadFromBytes(cut), EReadError);
  EXPECT_EQ(back.order, (std::vector<int32_t>{0, 1, 2}));
}

TEST(MapTree, EveryFieldAndAThousandNodesRoundTrip) {
  TLcfMapTree tree;
  tree.AddNode(0, 0)->name = "Game";
  for (int id = 1; id <= 1000; ++id) {
    TLcfMapTreeItem* n = tree.AddNode(id <= 10 ? 0 : (id % 10) + 1, id);
    n->nodeType = id % 7 == 0 ? TLcfMapTreeItem::kArea : TLcfMapTreeItem::kMap;
    n->name = "Map " + std::to_string(id);
    n->scrollX = id * 32;
    n->scrollY = -id;
    n->expanded = 1;
    n->musicType = 2;
    n->music.name = "Town";
    n->music.fadeIn = 1000;
    n->backdropType = 2;
    n->backdropName = "Grass";
    n->teleport = 2;
    n->escape = 1;
    n->save = 2;
    n->encounters.Append()->troopId = id;
    n->encounterSteps = 999;
    n->areaRect[0] = 1, n->areaRect[1] = 2, n->areaRect[2] = 30, n->areaRect[3] = -4;
  }
  tree.currentId = 77;
  for (int slot = 0; slot < 4; ++slot) {
    tree.startPositions.SetMapId(slot, slot + 1);
    tree.startPositions.SetX(slot, 10 * slot + 1);
    tree.startPositions.SetY(slot, 10 * slot + 2);
  }
  Bytes once = tree.SaveToBytes();
  TLcfMapTree back;
  back.LoadFromBytes(once);
  EXPECT_EQ(back.SaveToBytes(), once);
  EXPECT_EQ(back.Count(), 1001);
  EXPECT_EQ(back.startPositions.Y(3), 32);
  EXPECT_EQ(back.ItemById(500)->encounters.ItemAt(0)->troopId, 500);
  EXPECT_EQ(back.order, tree.order);
}

TEST(MapTreeView, BuildsFromOrderAndHangsStraysUnderTheRoot) {
  struct Case {
    const char* what;
    std::vector<TNodeSpec> nodes;  // created directly: parent, id, type
    std::vector<int32_t> order;
    bool areas;
    std::string shape;
  } cases[] = {
      {"plain", {{0, 0, 0}, {0, 1, 1}, {1, 2, 1}, {1, 3, 2}, {0, 4, 1}}, {0, 1, 2, 3, 4}, true, "0(1(2 3) 4)"},
      {"areas hidden", {{0, 0, 0}, {0, 1, 1}, {1, 2, 1}, {1, 3, 2}, {0, 4, 1}}, {0, 1, 2, 3, 4}, false, "0(1(2) 4)"},
      {"order misses nodes", {{0, 0, 0}, {0, 1, 1}, {1, 2, 1}, {0, 4, 1}}, {0, 4}, true, "0(4 1(2))"},
      {"unknown parent", {{0, 0, 0}, {0, 1, 1}, {9, 2, 1}}, {0, 1, 2}, true, "0(1 2)"},
      {"own parent", {{0, 0, 0}, {0, 1, 1}, {2, 2, 1}}, {0, 2, 1}, true, "0(1 2)"},
      {"cycle", {{0, 0, 0}, {3, 2, 1}, {2, 3, 1}, {0, 1, 1}}, {0, 1, 2, 3}, true, "0(1 3(2))"},
      {"child before parent", {{0, 0, 0}, {1, 2, 1}, {0, 1, 1}}, {0, 2, 1, 9, 1}, true, "0(1(2))"},
      {"no root", {{5, 1, 1}, {1, 2, 1}}, {1, 2}, true, "1(2)"},
  };
  for (const Case& c : cases) {
    TLcfMapTree tree;
    for (const TNodeSpec& n : c.nodes) {
      TLcfMapTreeItem* item = tree.Obtain(n.id);
      item->parentId = n.parent;
      item->nodeType = n.type;
      item->depth = n.id == 0 ? 0 : 1;
    }
    tree.order = c.order;
    TFakeView view;
    tree.BuildView(view, c.areas);
    EXPECT_EQ(view.Shape(), c.shape) << c.what;
  }
}

TEST(MapTreeView, SyncTakesStructureFromTheView) {
  TLcfMapTree tree;
  Build(tree, {{0, 0, 0}, {0, 1, 1}, {1, 2, 1}, {1, 3, 2}, {0, 4, 1}});
  tree.ItemById(1)->expanded = 1;
  tree.currentId = 2;
  TFakeView view;
  tree.BuildView(view, true);
  EXPECT_TRUE(view.Find(1)->expanded);
  EXPECT_FALSE(view.Find(4)->expanded);
  EXPECT_EQ(view.Find(3)->image, 2);
  EXPECT_EQ(view.Find(3)->caption, "N3");
  tree.SelectCurrentInView(view);
  EXPECT_EQ(view.selected, view.Find(2));

  view.Move(1, 4);  // drag map 1 with its children under map 4
  view.Find(4)->expanded = true;
  tree.SyncOrderFromView(view);
  EXPECT_EQ(tree.order, (std::vector<int32_t>{0, 4, 1, 2, 3}));
  EXPECT_EQ(tree.ItemById(1)->parentId, 4);
  EXPECT_EQ(tree.ItemById(2)->depth, 3);
  EXPECT_EQ(tree.ItemById(0)->depth, 0);
  EXPECT_EQ(tree.ItemById(4)->expanded, 1);

  // A view without areas keeps them in order after their map.
  TFakeView noAreas;
  tree.BuildView(noAreas, false);
  tree.SyncOrderFromView(noAreas);
  EXPECT_EQ(tree.order, (std::vector<int32_t>{0, 4, 1, 2, 3}));
  tree.DeleteNode(1);
  EXPECT_EQ(tree.order, (std::vector<int32_t>{0, 4}));
}

TEST(MapTree, LeftWorkCopiesAreAdoptedForMapsOnly) {
  TLcfMapTree tree;
  Build(tree, {{0, 0, 0}, {0, 1, 1}, {1, 2, 2}, {0, 3, 1}});
  EXPECT_EQ(tree.AdoptWorkCopies({1, 2, 3, 8}), (std::vector<int32_t>{1, 3}));
  EXPECT_TRUE(tree.ItemById(3)->pending);
  EXPECT_FALSE(tree.ItemById(2)->pending);
  EXPECT_EQ(tree.OwningMap(2), tree.ItemById(1));
  EXPECT_EQ(tree.OwningMap(0), nullptr);
  // Areas whose parents form a cycle have no map.
  tree.ItemById(2)->parentId = 2;
  EXPECT_EQ(tree.OwningMap(2), nullptr);
}

TEST(MapTree, MoveNodeCarriesItsSubtree) {
  TLcfMapTree tree;
  tree.Obtain(0);
  tree.order = {0};
  Build(tree, {{0, 1, 1}, {1, 2, 1}, {2, 3, 2}, {0, 4, 1}, {4, 5, 1}});
  ASSERT_EQ(tree.order, (std::vector<int32_t>{0, 1, 2, 3, 4, 5}));
  EXPECT_TRUE(tree.MoveNode(2, 5));
  EXPECT_EQ(tree.order, (std::vector<int32_t>{0, 1, 4, 5, 2, 3}));
  EXPECT_EQ(tree.ItemById(2)->parentId, 5);
  EXPECT_EQ(tree.ItemById(2)->depth, 3);
  EXPECT_EQ(tree.ItemById(3)->depth, 4);
  EXPECT_TRUE(tree.MoveNode(4, 1));
  EXPECT_EQ(tree.order, (std::vector<int32_t>{0, 1, 4, 5, 2, 3}));
  EXPECT_EQ(tree.ItemById(3)->depth, 5);
  // Refused: into its own subtree, the root, unknown nodes.
  const std::vector<int32_t> before = tree.order;
  EXPECT_FALSE(tree.MoveNode(4, 3));
  EXPECT_FALSE(tree.MoveNode(4, 4));
  EXPECT_FALSE(tree.MoveNode(0, 1));
  EXPECT_FALSE(tree.MoveNode(9, 1));
  EXPECT_FALSE(tree.MoveNode(1, 9));
  EXPECT_EQ(tree.order, before);
  TFakeView view;
  tree.BuildView(view, true);
  EXPECT_EQ(view.Shape(), "0(1(4(5(2(3)))))");
}
