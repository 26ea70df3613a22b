#include <gtest/gtest.h>

#include <filesystem>

#include "ProjectRunFixture.h"
#include "TestFolder.h"
#include "core/ClipboardPort.h"
#include "core/MessagePort.h"
#include "core/QuietMode.h"
#include "maps/MapClipboard.h"
#include "maps/MapProperties.h"
#include "project/MapTreeCommands.h"
#include "project/ProjectDocument.h"
#include "tests/SampleProject.h"

using namespace tess;
using namespace tess::test;
namespace fs = std::filesystem;

namespace {

struct TreeCommands : TProjectRun {
  TMemoryClipboard clipboard;
  TClipboardPortScope clipboardScope{&clipboard};
  TProjectDocument document{base.Path()};
  TMapTreeCommands commands{document};
  int treeChanges = 0;

  void SetUp() override {
    WriteSampleProject(folder);
    ASSERT_TRUE(document.Open(folder, scratch));
    document.treeChanged.Connect([this] { ++treeChanges; });
  }
  TLcfMapTree& Tree() { return document.MapTree(); }
  // A new map under parent with the proposed values; returns its id.
  int32_t AddMap(int32_t parent, const std::string& name = "") {
    TMapProperties p;
    if (!commands.PrepareNewMap(parent, p)) return 0;
    if (!name.empty()) p.name = name;
    return commands.NewMap(parent, p, 1) ? p.mapId : 0;
  }
  void AddEvent(int x, int y) {
    TLcfEventItem* e = document.Map().events.Append();
    e->x = x;
    e->y = y;
  }
};

}  // namespace

TEST_F(TreeCommands, NewMapTakesTheFirstFreeId) {
  ASSERT_EQ(AddMap(0), 2);
  ASSERT_EQ(AddMap(0), 3);
  ASSERT_EQ(AddMap(0), 4);
  document.SelectNode(1);
  commands.DeleteNode(3);
  TMapProperties p;
  ASSERT_TRUE(commands.PrepareNewMap(1, p));
  EXPECT_EQ(p.mapId, 3);
  EXPECT_EQ(p.name, "MAP0003");
  EXPECT_FALSE(p.parentIsRoot);
  ASSERT_TRUE(commands.NewMap(1, p, 1));
  EXPECT_EQ(Tree().currentId, 3);
  EXPECT_EQ(Tree().FindById(3)->parentId, 1);
  EXPECT_EQ(Tree().FindById(3)->name, "MAP0003");
  EXPECT_TRUE(Tree().FindById(3)->pending);
  EXPECT_EQ(document.Map().Id(), 3);
  EXPECT_EQ(document.Map().width, 20);
  EXPECT_EQ(document.Map().height, 15);
  EXPECT_GT(treeChanges, 0);
  EXPECT_TRUE(document.MapsModified());
  // Saved and read back, the map and its node are there.
  ASSERT_TRUE(document.SaveMap());
  TLcfMap saved;
  saved.LoadFromProject(folder, 3);
  EXPECT_EQ(saved.width, 20);
  EXPECT_EQ(saved.topLevel, 0);
}

TEST_F(TreeCommands, NoNewMapWhenEveryIdIsTaken) {
  // Every id taken, by maps under the root. Built directly: AddNode looks for the root's subtree end
  // on every call, which makes ten thousand of them slow under the sanitizers.
  for (int32_t id = 2; id <= kMaxMapId; ++id) {
    TLcfMapTreeItem* node = Tree().Obtain(id);
    node->parentId = 0;
    node->depth = Tree().FindById(0)->depth + 1;
    node->nodeType = TLcfMapTreeItem::kMap;
    Tree().order.push_back(id);
  }
  TMapProperties p;
  EXPECT_FALSE(commands.PrepareNewMap(0, p));
  std::string name;
  TCellRect rect;
  EXPECT_EQ(commands.PrepareNewArea(1, name, rect), 0);
  ASSERT_TRUE(commands.CopyMap(1));
  EXPECT_EQ(commands.PasteMap(0), 0);
  EXPECT_EQ(Tree().Count(), kMaxMapId + 1);
}

TEST_F(TreeCommands, PasteRenamesNumberedMapsOnly) {
  const struct {
    const char* name;
    const char* pasted;
  } cases[] = {{"MAP0007", "MAP0012"}, {"Town", "Town"}, {"MAP00x7", "MAP00x7"}};
  for (int32_t id = 2; id <= 11; ++id) Tree().AddNode(0, id)->nodeType = TLcfMapTreeItem::kMap;
  for (const auto& c : cases) {
    document.SelectNode(1);
    Tree().FindById(1)->name = c.name;
    document.Map().lower.SetCell(2, 3, 5010);
    ASSERT_TRUE(commands.CopyMap(1));
    const int32_t id = commands.PasteMap(1);
    ASSERT_EQ(id, 12) << c.name;
    EXPECT_EQ(Tree().FindById(12)->name, c.pasted);
    EXPECT_EQ(Tree().FindById(12)->parentId, 1);
    EXPECT_EQ(Tree().FindById(12)->depth, Tree().FindById(1)->depth + 1);
    EXPECT_TRUE(Tree().FindById(12)->pending);
    EXPECT_EQ(document.Map().Id(), 12);
    EXPECT_EQ(document.Map().lower.GetCell(2, 3), 5010);
    document.SelectNode(1);
    commands.DeleteNode(12);
  }
}

TEST_F(TreeCommands, ADamagedBlockAddsNothing) {
  ASSERT_TRUE(commands.CopyMap(1));
  Bytes block = *clipboard.GetBlock(kMapClipboardFormat);
  block.resize(block.size() - 3);
  clipboard.SetBlock(kMapClipboardFormat, block);
  const int before = Tree().Count();
  EXPECT_THROW(commands.PasteMap(0), std::exception);
  EXPECT_EQ(Tree().Count(), before);
  EXPECT_EQ(Tree().currentId, 1);
  EXPECT_FALSE(fs::exists(scratch + "Map0002.lmu"));
}

TEST_F(TreeCommands, TheDropRules) {
  const int32_t a = AddMap(1);  // 2 under 1
  const int32_t b = AddMap(a);  // 3 under 2
  document.SelectNode(1);
  std::string name;
  TCellRect rect;
  const int32_t area = commands.PrepareNewArea(1, name, rect);
  ASSERT_TRUE(commands.CreateArea(1, area, name, rect, TLcfEncount()));
  const int32_t other = AddMap(0);  // top level

  EXPECT_FALSE(commands.DropNode(area, other));  // an area onto another map
  EXPECT_FALSE(commands.DropNode(1, b));         // a map onto its descendant
  EXPECT_FALSE(commands.DropNode(1, 1));         // onto itself
  EXPECT_FALSE(commands.DropNode(other, area));  // onto an area
  EXPECT_FALSE(commands.DropNode(0, other));     // the root stays
  EXPECT_EQ(Tree().FindById(area)->parentId, 1);
  EXPECT_EQ(Tree().FindById(1)->parentId, 0);

  ASSERT_TRUE(document.SaveMap());
  EXPECT_FALSE(document.MapsModified());
  EXPECT_TRUE(commands.DropNode(b, 0));  // onto the root: a top-level map
  EXPECT_EQ(Tree().FindById(b)->parentId, 0);
  EXPECT_EQ(Tree().FindById(b)->depth, Tree().FindById(1)->depth);
  EXPECT_TRUE(document.MapsModified());
  EXPECT_TRUE(commands.DropNode(area, 1));  // an area on its own map: moved last
  EXPECT_TRUE(commands.DropNode(other, a));
  EXPECT_EQ(Tree().FindById(other)->depth, Tree().FindById(1)->depth + 2);
  // The order survives saving and reading the tree.
  ASSERT_TRUE(document.SaveMap());
  TLcfMapTree read;
  read.projectFolder = folder;
  read.LoadTree();
  EXPECT_EQ(read.FindById(b)->parentId, 0);
  EXPECT_EQ(read.FindById(other)->parentId, a);
  EXPECT_EQ(read.order, Tree().order);
}

TEST_F(TreeCommands, ShrinkingDropsEventsAndThePartyStartOutside) {
  AddEvent(3, 3);
  AddEvent(25, 4);
  AddEvent(4, 17);
  Tree().startPositions.partyMapId = 1;
  Tree().startPositions.partyX = 22;
  Tree().startPositions.partyY = 2;
  TMapProperties p;
  ASSERT_TRUE(commands.PrepareMapProperties(1, p));
  EXPECT_EQ(p.width, 30);
  EXPECT_TRUE(p.parentIsRoot);
  p.width = 20;
  p.height = 15;
  p.name = "Field";
  ASSERT_TRUE(commands.ApplyMapProperties(1, p, 1));
  EXPECT_EQ(document.Map().width, 20);
  ASSERT_EQ(document.Map().events.Count(), 1);
  EXPECT_EQ(document.Map().events.ItemAt(0)->x, 3);
  EXPECT_EQ(Tree().startPositions.partyMapId, 0);
  EXPECT_EQ(Tree().FindById(1)->name, "Field");
  EXPECT_EQ(document.CurrentMapName(), "Field");
  EXPECT_TRUE(document.MapsModified());
  ASSERT_TRUE(document.SaveMap());
  TLcfMap saved;
  saved.LoadFromProject(folder, 1);
  EXPECT_EQ(saved.width, 20);
  EXPECT_EQ(saved.events.Count(), 1);
}

TEST_F(TreeCommands, AGeneratorMapIsGeneratedAsOneUndoStep) {
  TMapProperties p;
  ASSERT_TRUE(commands.PrepareMapProperties(1, p));
  p.useGenerator = 1;
  p.generatorStyle = 3;
  p.SetSlotCell(kSlotFloorA, {0, 3});
  ASSERT_TRUE(commands.ApplyMapProperties(1, p, 9));
  TLcfMap& map = document.Map();
  EXPECT_EQ(map.lower.GetCell(5, 5), 5000);  // open room: floor A inside
  // The preview shows what OK makes from the same seed.
  TLcfMap preview;
  commands.PreviewMap(p, 9, preview);
  EXPECT_EQ(preview.lower.cells, map.lower.cells);

  ASSERT_TRUE(commands.GenerateDungeon(10));
  const auto generated = map.lower.cells;
  ASSERT_TRUE(document.Undo());
  EXPECT_NE(map.lower.cells, generated);
  EXPECT_EQ(map.lower.GetCell(5, 5), 5000);
  // A map without the generator is left alone.
  map.useGenerator = 0;
  EXPECT_FALSE(commands.GenerateDungeon(11));
}

TEST_F(TreeCommands, AreasAreCreatedEditedAndCentred) {
  std::string name;
  TCellRect rect;
  const int32_t id = commands.PrepareNewArea(1, name, rect);
  ASSERT_EQ(id, 2);
  EXPECT_EQ(name, "AREA0002");
  EXPECT_EQ(rect, (TCellRect{0, 0, 30, 20}));
  TLcfEncount encounters;
  encounters.Append()->troopId = 4;
  ASSERT_TRUE(commands.CreateArea(1, id, name, {10, 4, 10, 4}, encounters));
  TLcfMapTreeItem* area = Tree().FindById(id);
  EXPECT_TRUE(area->IsArea());
  EXPECT_EQ(area->parentId, 1);
  EXPECT_EQ((std::vector<int>(area->areaRect, area->areaRect + 4)), (std::vector<int>{10, 4, 20, 8}));
  EXPECT_EQ(area->encounters.ItemAt(0)->troopId, 4);
  EXPECT_TRUE(document.MapsModified());

  document.SelectNode(1);
  commands.SelectNode(id, 400, 300);
  EXPECT_EQ(Tree().currentId, id);
  EXPECT_EQ(document.Map().Id(), 1);  // the area's map
  EXPECT_EQ(area->scrollX, 480 - 200);
  EXPECT_EQ(area->scrollY, 192 - 150);
  EXPECT_EQ(Tree().FindById(1)->scrollX, 480 - 200);  // the map view opens the map there

  ASSERT_TRUE(commands.SetAreaProperties(id, "Lake", {0, 0, 3, 3}, TLcfEncount()));
  EXPECT_EQ(area->name, "Lake");
  EXPECT_EQ(area->areaRect[2], 3);
  EXPECT_EQ(area->encounters.Count(), 0);
  EXPECT_FALSE(commands.SetAreaProperties(1, "x", {}, TLcfEncount()));  // a map is no area
}

TEST_F(TreeCommands, DeletingAMapTakesItsSubtreeAndStartPositions) {
  const int32_t a = AddMap(1);
  const int32_t b = AddMap(a);
  document.Map().lower.SetCell(0, 0, 5005);  // unsaved edits of b
  Tree().startPositions.shipMapId = a;
  document.SelectNode(a);
  EXPECT_EQ(DeleteNodeQuestion(Tree().FindById(a)->name), "MAP0002 will be deleted.  Proceed?");
  ASSERT_TRUE(commands.DeleteNode(a));
  EXPECT_FALSE(Tree().FindById(a));
  EXPECT_FALSE(Tree().FindById(b));
  EXPECT_EQ(Tree().currentId, 1);
  EXPECT_EQ(document.Map().Id(), 1);
  EXPECT_EQ(Tree().startPositions.shipMapId, 0);
  EXPECT_FALSE(fs::exists(scratch + "Map0003.lmu"));
  EXPECT_FALSE(commands.DeleteNode(0));
  ASSERT_TRUE(document.SaveMap());
  EXPECT_FALSE(fs::exists(folder + "Map0002.lmu"));
}

TEST_F(TreeCommands, ShiftMapMovesEventsAndUndoBringsThemBack) {
  AddEvent(1, 1);
  document.Map().lower.SetCell(1, 1, 5007);
  Tree().startPositions.partyMapId = 1;
  Tree().startPositions.partyX = 29;
  Tree().startPositions.partyY = 0;
  ASSERT_TRUE(commands.ShiftMap(3, -2));
  EXPECT_EQ(document.Map().lower.GetCell(4, 19), 5007);
  EXPECT_EQ(document.Map().events.ItemAt(0)->x, 4);
  EXPECT_EQ(document.Map().events.ItemAt(0)->y, 19);
  EXPECT_EQ(Tree().startPositions.partyX, 2);
  EXPECT_EQ(Tree().startPositions.partyY, 18);
  EXPECT_TRUE(Tree().FindById(1)->pending);
  ASSERT_TRUE(document.Undo());
  EXPECT_EQ(document.Map().lower.GetCell(1, 1), 5007);
  EXPECT_EQ(document.Map().events.ItemAt(0)->x, 1);
  EXPECT_EQ(Tree().startPositions.partyX, 29);
  ASSERT_TRUE(document.Redo());
  EXPECT_EQ(document.Map().events.ItemAt(0)->y, 19);
}
