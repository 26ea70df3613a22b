#include <gtest/gtest.h>

#include <filesystem>

#include "ProjectRunFixture.h"
#include "TestChunks.h"
#include "TestFolder.h"
#include "core/AtomicFile.h"
#include "core/MessagePort.h"
#include "core/QuietMode.h"
#include "project/ProjectDocument.h"
#include "tests/ProjectTemplates.h"
#include "tests/SampleProject.h"

using namespace tess;
using namespace tess::test;
namespace fs = std::filesystem;

namespace {

struct Document : TProjectRun {
  TProjectDocument document{base.Path()};
  // What the document told its listeners.
  int opened = 0, closed = 0, mapChanges = 0;
  std::vector<TCellRect> regions;  // the bounds of each change
  std::vector<bool> modified;

  void SetUp() override {
    document.projectOpened.Connect([this] { ++opened; });
    document.projectClosed.Connect([this] { ++closed; });
    document.mapChanged.Connect([this] { ++mapChanges; });
    document.cellsChanged.Connect([this](const TChangedCells& c) { regions.push_back(c.bounds); });
    document.modifiedChanged.Connect([this](bool m) { modified.push_back(m); });
  }
  void Open(const std::string& ini = kSampleIni) {
    WriteSampleProject(folder, ini);
    ASSERT_TRUE(document.Open(folder, scratch));
  }
  bool Paint(int x, int y, int id) {
    return document.EditLayers([=](TLcfMap& map) {
      map.lower.SetCell(x, y, id);
      return TCellRect{x, y, 1, 1};
    });
  }
  int SavedCell(int x, int y) {
    TLcfMap saved;
    saved.LoadFromProject(folder, 1);
    return saved.lower.GetCell(x, y);
  }
};

}  // namespace

TEST_F(Document, OpensTheProjectWithItsModeAndZoom) {
  Open("[TESS_RT]\r\nGameTitle=Test\r\nMapEditMode=1\r\nMapEditZoom=7\r\n");
  EXPECT_TRUE(document.IsOpen());
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(document.Map().Id(), 1);
  EXPECT_EQ(document.Map().width, 30);
  EXPECT_EQ(document.CurrentMapName(), "MAP0001");
  EXPECT_EQ(document.EditMode(), TEditMode::Upper);
  EXPECT_EQ(document.Zoom(), TZoom::Full);  // out of range
  EXPECT_EQ(document.Tool(), TEditTool::Pen);
  EXPECT_FALSE(document.MapsModified());
  EXPECT_TRUE(messages.shown.empty());

  document.Close();
  EXPECT_FALSE(document.IsOpen());
  EXPECT_EQ(closed, 1);
  EXPECT_EQ(document.Map().Id(), 0);
  EXPECT_FALSE(document.MapTree().HasNodes());
  EXPECT_TRUE(document.CurrentMapName().empty());
}

TEST_F(Document, ATreeWithoutRootOpensNothing) {
  WriteSampleProject(folder);
  TLcfMapTree rootless;
  rootless.AddNode(0, 1)->nodeType = TLcfMapTreeItem::kMap;
  WriteFileAtomic(folder + "TESS_RT.lmt", rootless.SaveToBytes());
  try {
    document.Open(folder, scratch);
    FAIL() << "a tree without root opened";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), kMapTreeCorrupt);
  }
  EXPECT_FALSE(document.IsOpen());
  EXPECT_FALSE(document.MapTree().HasNodes());
  EXPECT_EQ(document.Map().Id(), 0);
  EXPECT_EQ(opened, 0);
}

TEST_F(Document, AnEditMarksTheMapModifiedAndSavingCommitsIt) {
  Open();
  ASSERT_TRUE(Paint(3, 4, 5005));
  EXPECT_EQ(regions, std::vector<TCellRect>{(TCellRect{3, 4, 1, 1})});
  EXPECT_TRUE(document.MapsModified());
  EXPECT_EQ(modified, std::vector<bool>{true});
  // A second edit changes nothing about the modified state: no second signal.
  ASSERT_TRUE(Paint(4, 4, 5006));
  EXPECT_EQ(modified, std::vector<bool>{true});

  EXPECT_TRUE(document.SaveMap());
  EXPECT_FALSE(document.MapsModified());
  EXPECT_EQ(modified, (std::vector<bool>{true, false}));
  EXPECT_EQ(SavedCell(3, 4), 5005);
  EXPECT_EQ(SavedCell(4, 4), 5006);
  // The work copy was committed and is gone.
  EXPECT_FALSE(fs::exists(scratch + "Map0001.lmu"));
}

TEST_F(Document, LeavingAModifiedMapKeepsItsWorkCopy) {
  Open();
  ASSERT_TRUE(Paint(0, 0, 5010));
  document.SelectNode(0);  // the root: no map
  EXPECT_EQ(document.Map().Id(), 0);
  EXPECT_TRUE(fs::exists(scratch + "Map0001.lmu"));
  EXPECT_TRUE(document.MapTree().FindById(1)->pending);
  EXPECT_TRUE(document.MapsModified());  // the pending work copy
  EXPECT_EQ(SavedCell(0, 0), 0);
  EXPECT_FALSE(Paint(0, 0, 5011)) << "no map to edit";

  // Coming back loads the work copy with the edit.
  document.SelectNode(1);
  EXPECT_EQ(document.Map().lower.GetCell(0, 0), 5010);
  EXPECT_TRUE(document.SaveMap());
  EXPECT_EQ(SavedCell(0, 0), 5010);
}

TEST_F(Document, RevertAsksThenDropsEveryEdit) {
  Open();
  ASSERT_TRUE(Paint(1, 1, 5020));
  document.SelectNode(0);
  document.SelectNode(1);
  ASSERT_TRUE(Paint(2, 2, 5021));

  messages.answers = {TMessageResult::No};
  document.RevertMap();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, kRevertMapQuestion);
  EXPECT_EQ(document.Map().lower.GetCell(2, 2), 5021);

  int reloaded = 0;
  document.treeReloaded.Connect([&] { ++reloaded; });
  messages.answers = {TMessageResult::Yes};
  document.RevertMap();
  EXPECT_EQ(reloaded, 1);
  EXPECT_FALSE(document.MapsModified());
  EXPECT_EQ(document.Map().Id(), 1);
  EXPECT_EQ(document.Map().lower.GetCell(1, 1), 0);
  EXPECT_EQ(document.Map().lower.GetCell(2, 2), 0);
  EXPECT_FALSE(fs::exists(scratch + "Map0001.lmu"));
  EXPECT_EQ(modified.back(), false);
}

TEST_F(Document, CloseQueryAnswers) {
  const struct {
    TMessageResult answer;
    bool goesOn;
    int savedCell;  // the project file's cell afterwards
    bool modifiedAfter;
  } cases[] = {
      {TMessageResult::Cancel, false, 0, true},
      {TMessageResult::No, true, 0, true},
      {TMessageResult::Yes, true, 5030, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.answer));
    Open();
    ASSERT_TRUE(Paint(5, 5, 5030));
    messages.shown.clear();
    messages.answers = {c.answer};
    EXPECT_EQ(document.CloseQuery(), c.goesOn);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, kSaveMapQuestion);
    EXPECT_EQ(messages.shown[0].style, (TMessageStyle{TMessageIcon::Question, TMessageButtons::YesNoCancel}));
    EXPECT_EQ(SavedCell(5, 5), c.savedCell);
    EXPECT_EQ(document.MapsModified(), c.modifiedAfter);
    // The mode and zoom are written whenever closing goes on.
    const Bytes ini = ReadWholeFile(folder + "TESS_RT.ini");
    EXPECT_EQ(std::string(ini.begin(), ini.end()).find("MapEditMode=0") != std::string::npos, c.goesOn);
    document.Close();
  }
}

TEST_F(Document, AFailedWriteKeepsTheEditsAndSaysSo) {
  Open();
  ASSERT_TRUE(Paint(6, 6, 5040));
  // A folder where the map file should go.
  fs::remove(folder + "Map0001.lmu");
  fs::create_directory(folder + "Map0001.lmu");
  messages.answers = {TMessageResult::Yes};
  EXPECT_FALSE(document.CloseQuery());
  EXPECT_TRUE(document.MapsModified());
  ASSERT_EQ(messages.shown.size(), 2u);  // the question, then the failure
  EXPECT_EQ(messages.shown[1].style.icon, TMessageIcon::Error);
  EXPECT_EQ(document.Map().lower.GetCell(6, 6), 5040);

  // Once the file can be written again, the same edits are saved.
  fs::remove(folder + "Map0001.lmu");
  EXPECT_TRUE(document.SaveMap());
  EXPECT_EQ(SavedCell(6, 6), 5040);
}

TEST_F(Document, SavePromptBeforeTestPlay) {
  Open();
  EXPECT_TRUE(document.SavePrompt()) << "nothing to save: no question";
  EXPECT_TRUE(messages.shown.empty());
  ASSERT_TRUE(Paint(7, 7, 5050));
  messages.answers = {TMessageResult::No};
  EXPECT_FALSE(document.SavePrompt());
  EXPECT_EQ(messages.shown.back().style, (TMessageStyle{TMessageIcon::Question, TMessageButtons::YesNo}));
  messages.answers = {TMessageResult::Yes};
  EXPECT_TRUE(document.SavePrompt());
  EXPECT_EQ(SavedCell(7, 7), 5050);
}

TEST_F(Document, AReadOnlyMapIsNeitherEditedNorSaved) {
  Open();
  document.SetMapReadOnly(true);
  EXPECT_FALSE(Paint(8, 8, 5060));
  EXPECT_FALSE(document.EditMap([](TLcfMap& map) { map.SetWidth(10); }));
  EXPECT_FALSE(document.MapsModified());
  EXPECT_EQ(document.Map().width, 30);
  EXPECT_TRUE(document.SaveMap());
  EXPECT_EQ(SavedCell(8, 8), 0);
  // Another map selected and back: the map is loaded afresh and editable.
  document.SelectNode(0);
  document.SelectNode(1);
  EXPECT_FALSE(document.MapReadOnly());
  EXPECT_TRUE(Paint(8, 8, 5060));
}

TEST_F(Document, UndoTakesTheMapBackToItsCleanMark) {
  Open();
  ASSERT_TRUE(Paint(1, 2, 5070));
  ASSERT_TRUE(Paint(1, 3, 5071));
  EXPECT_TRUE(document.CanUndo());
  regions.clear();
  ASSERT_TRUE(document.Undo());
  EXPECT_EQ(document.Map().lower.GetCell(1, 3), 0);
  EXPECT_EQ(document.Map().lower.GetCell(1, 2), 5070);
  EXPECT_EQ(regions, std::vector<TCellRect>{(TCellRect{0, 0, 30, 20})});
  EXPECT_TRUE(document.MapsModified());
  ASSERT_TRUE(document.Undo());
  // Back at the state last saved: nothing to save, without any flag being reset by hand.
  EXPECT_FALSE(document.MapsModified());
  EXPECT_EQ(modified, (std::vector<bool>{true, false}));
  ASSERT_TRUE(document.Redo());
  EXPECT_TRUE(document.MapsModified());
  EXPECT_EQ(document.Map().lower.GetCell(1, 2), 5070);

  // Saving empties the history; the saved state is clean.
  EXPECT_TRUE(document.SaveMap());
  EXPECT_FALSE(document.CanUndo());
  EXPECT_FALSE(document.Undo());
  EXPECT_EQ(SavedCell(1, 2), 5070);
}

TEST_F(Document, TheEventModeEmptiesTheHistoryButKeepsTheEdits) {
  Open();
  ASSERT_TRUE(Paint(2, 2, 5080));
  int stateChanges = 0;
  document.editStateChanged.Connect([&] { ++stateChanges; });
  document.SetEditMode(TEditMode::Event);
  EXPECT_EQ(stateChanges, 1);
  EXPECT_FALSE(document.CanUndo());
  EXPECT_TRUE(document.MapsModified());
  // Edits besides the layers count as well, and leave the layers' history alone.
  ASSERT_TRUE(document.SaveMap());
  ASSERT_TRUE(document.EditMap([](TLcfMap& map) { map.panoramaName = "Sky"; }));
  EXPECT_TRUE(document.MapsModified());
  EXPECT_GT(mapChanges, 0);
  ASSERT_TRUE(document.SaveMap());
  TLcfMap saved;
  saved.LoadFromProject(folder, 1);
  EXPECT_EQ(saved.panoramaName, "Sky");
  EXPECT_FALSE(document.MapsModified());
}

TEST_F(Document, ANewProjectOpensWithItsFirstMapClean) {
  WriteProjectTemplates(base.Path());
  ASSERT_TRUE(document.CreateFiles(folder, scratch, "Quest"));
  ASSERT_TRUE(document.Open(folder, scratch));
  EXPECT_EQ(document.Map().Id(), 1);
  EXPECT_EQ(document.Map().width, 100);
  EXPECT_FALSE(document.MapsModified());
  ASSERT_TRUE(Paint(0, 0, 5090));
  EXPECT_TRUE(document.MapsModified());
  ASSERT_TRUE(document.Undo());
  EXPECT_FALSE(document.MapsModified());
}

TEST_F(Document, CreationThatCannotCopyTheTemplatesSaysWhy) {
  // No templates beside the editor.
  EXPECT_FALSE(document.CreateFiles(folder, scratch, "Quest"));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].style.icon, TMessageIcon::Error);
  EXPECT_FALSE(document.IsOpen());
}

TEST_F(Document, AMapThatCannotBeStoredStaysSelected) {
  Open();
  ASSERT_TRUE(Paint(9, 9, 5100));
  // A folder where the work copy should go.
  fs::create_directory(scratch + "Map0001.lmu");
  document.SelectNode(0);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].style.icon, TMessageIcon::Error);
  EXPECT_EQ(document.MapTree().currentId, 1);
  EXPECT_EQ(document.Map().Id(), 1);
  EXPECT_EQ(document.Map().lower.GetCell(9, 9), 5100);
  EXPECT_TRUE(document.MapsModified());
  fs::remove(scratch + "Map0001.lmu");
  EXPECT_TRUE(document.SaveMap());
  EXPECT_EQ(SavedCell(9, 9), 5100);
}

TEST_F(Document, AMapThatCannotBeReadIsNamedAndTheMapBeforeStaysAsItWas) {
  Open();
  TLcfMapTreeItem* broken = document.MapTree().AddNode(0, 2);
  broken->nodeType = TLcfMapTreeItem::kMap;
  broken->name = "Broken Cave";
  // No file at all: nothing to show.
  ASSERT_TRUE(Paint(4, 4, 5004));
  ASSERT_TRUE(Paint(4, 5, 5005));

  document.SelectNode(2);
  ASSERT_EQ(messages.shown.size(), 1u);
  const std::string& text = messages.shown[0].text;
  EXPECT_EQ(messages.shown[0].style.icon, TMessageIcon::Error);
  EXPECT_EQ(text.rfind("The map 2 \"Broken Cave\" (Map0002.lmu) could not be loaded.\n", 0), 0u) << text;
  // The map before stays selected with its edits and its undo history.
  EXPECT_EQ(document.MapTree().currentId, 1);
  EXPECT_EQ(document.CurrentMapName(), "MAP0001");
  EXPECT_EQ(document.Map().Id(), 1);
  EXPECT_EQ(document.Map().lower.GetCell(4, 5), 5005);
  EXPECT_TRUE(document.MapsModified());
  ASSERT_TRUE(document.CanUndo());
  ASSERT_TRUE(document.Undo());
  EXPECT_EQ(document.Map().lower.GetCell(4, 5), 0);
  EXPECT_EQ(document.Map().lower.GetCell(4, 4), 5004);
}

TEST_F(Document, ADamagedMapOpensReadOnlyAndIsNotSavedOverItsFile) {
  Open();
  TLcfMapTreeItem* node = document.MapTree().AddNode(0, 2);
  node->nodeType = TLcfMapTreeItem::kMap;
  node->name = "Cave";
  TLcfMap cave;
  cave.SetWidth(20);
  cave.SetHeight(15);
  Bytes bytes = cave.SaveToBytes();
  bytes.insert(bytes.end(), {0x01, 0x02});  // bytes after the record's end
  WriteFileAtomic(folder + "Map0002.lmu", bytes);

  document.SelectNode(2);
  ASSERT_EQ(messages.shown.size(), 1u);
  const std::string& text = messages.shown[0].text;
  EXPECT_EQ(text.rfind("The map 2 \"Cave\" (Map0002.lmu) is damaged and opens read-only.\n", 0), 0u) << text;
  EXPECT_NE(text.find("Map0002.lmu"), text.rfind("Map0002.lmu")) << "the damage names its file: " << text;
  EXPECT_EQ(document.MapTree().currentId, 2);
  EXPECT_TRUE(document.MapDamaged());
  EXPECT_TRUE(document.MapReadOnly());
  EXPECT_EQ(document.Map().width, 20);
  // Nothing changes it, and no save writes it back.
  EXPECT_FALSE(Paint(1, 1, 5001));
  document.SetMapReadOnly(false);
  EXPECT_TRUE(document.MapReadOnly());
  EXPECT_FALSE(document.MapsModified());
  EXPECT_TRUE(document.SaveMap());
  document.SelectNode(1);
  document.SelectNode(2);
  EXPECT_EQ(ReadWholeFile(folder + "Map0002.lmu"), bytes);

  // The author's choice: what could be read is kept and saved over the file.
  document.DiscardDamagedData();
  EXPECT_FALSE(document.MapReadOnly());
  EXPECT_TRUE(document.MapsModified());
  EXPECT_TRUE(Paint(1, 1, 5001));
  EXPECT_TRUE(document.SaveMap());
  TLcfMap saved;
  saved.LoadFromProject(folder, 2);
  EXPECT_FALSE(saved.LoadDamage());
  EXPECT_EQ(saved.lower.GetCell(1, 1), 5001);
}

namespace {

// A map of 25 x 18 cells with five events whose file says it holds six: what could be read is the
// cells and the five events.
Bytes DamagedCave() {
  TLcfMap cave;
  cave.SetWidth(25);
  cave.SetHeight(18);
  cave.lower.SetCell(24, 17, 5009);
  for (int i = 1; i <= 5; ++i) cave.events.Append()->x = i;
  Bytes file = cave.SaveToBytes();
  const size_t magic = 1 + std::string(kMapMagic).size();
  Bytes record =
      RewriteChunk(Bytes(file.begin() + static_cast<ptrdiff_t>(magic), file.end()), {{81}}, [](const Bytes& events) {
        Bytes more = events;
        more[0] = 6;
        return more;
      });
  file.resize(magic);
  file.insert(file.end(), record.begin(), record.end());
  return file;
}

}  // namespace

TEST_F(Document, SaveAsNewMapKeepsWhatCouldBeReadBesideTheDamagedMap) {
  WriteSampleProject(folder);
  {
    TLcfMapTree tree;
    tree.LoadFromBytes(ReadWholeFile(folder + "TESS_RT.lmt"));
    TLcfMapTreeItem* cave = tree.AddNode(1, 2);
    cave->nodeType = TLcfMapTreeItem::kMap;
    cave->name = "Cave";
    cave->musicType = 2;
    cave->music.name = "Dungeon";
    cave->encounters.Append()->troopId = 4;
    WriteFileAtomic(folder + "TESS_RT.lmt", tree.SaveToBytes());
  }
  const Bytes damaged = DamagedCave();
  WriteFileAtomic(folder + "Map0002.lmu", damaged);
  ASSERT_TRUE(document.Open(folder, scratch));
  document.SelectNode(2);
  ASSERT_TRUE(document.MapDamaged());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find("5 of the 6 events were read before the damage."), std::string::npos)
      << messages.shown[0].text;
  EXPECT_NE(messages.shown[0].text.find("\"Save As New Map\""), std::string::npos) << messages.shown[0].text;
  messages.shown.clear();

  // A new map that cannot be written adds nothing, and the damaged map stays as it was.
  fs::remove_all(scratch);
  WriteFileAtomic(scratch.substr(0, scratch.size() - 1), Bytes{1});
  EXPECT_EQ(document.SaveAsNewMap(), 0);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].style.icon, TMessageIcon::Error);
  EXPECT_EQ(document.MapTree().Count(), 3);
  EXPECT_TRUE(document.MapDamaged());
  EXPECT_FALSE(document.MapsModified());
  fs::remove(scratch.substr(0, scratch.size() - 1));
  fs::create_directories(scratch);
  messages.shown.clear();

  ASSERT_EQ(document.SaveAsNewMap(), 3);
  EXPECT_EQ(ReadWholeFile(folder + "Map0002.lmu"), damaged);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].style.icon, TMessageIcon::Information);
  EXPECT_EQ(messages.shown[0].text,
            "What could be read of the map 2 \"Cave\" was saved as the map 3 \"Cave (recovered)\" (Map0003.lmu). "
            "Map0002.lmu was left as it is.");
  // The new map is the current one, editable and saved; the damaged map is still in the tree.
  EXPECT_EQ(document.MapTree().currentId, 3);
  EXPECT_EQ(document.Map().Id(), 3);
  EXPECT_FALSE(document.MapDamaged());
  EXPECT_TRUE(document.CanEditMap());
  EXPECT_FALSE(document.MapsModified());
  EXPECT_EQ(document.SaveAsNewMap(), 0);

  TLcfMap saved;
  saved.LoadFromProject(folder, 3);
  EXPECT_FALSE(saved.LoadDamage());
  EXPECT_EQ(saved.width, 25);
  EXPECT_EQ(saved.lower.GetCell(24, 17), 5009);
  ASSERT_EQ(saved.events.Count(), 5);
  EXPECT_EQ(saved.events.ItemAt(4)->x, 5);
  TLcfMapTree tree;
  tree.LoadFromBytes(ReadWholeFile(folder + "TESS_RT.lmt"));
  ASSERT_NE(tree.FindById(2), nullptr);
  const TLcfMapTreeItem* recovered = tree.FindById(3);
  ASSERT_NE(recovered, nullptr);
  EXPECT_EQ(recovered->name, "Cave (recovered)");
  EXPECT_EQ(recovered->parentId, 1);
  EXPECT_EQ(recovered->depth, tree.FindById(2)->depth);  // beside the damaged map
  EXPECT_TRUE(recovered->IsMap());
  EXPECT_EQ(recovered->music.name, "Dungeon");
  EXPECT_EQ(recovered->encounters.ItemAt(0)->troopId, 4);
  EXPECT_EQ(tree.OrderIndexOf(3), 3);

  // The damaged map opens read-only again: its file is as it was.
  document.SelectNode(2);
  EXPECT_TRUE(document.MapDamaged());
  EXPECT_EQ(RecoveredMapName("Cave (recovered)"), "Cave (recovered)");
}

// A tileset whose picture cannot be drawn is named once per project session, with the file and
// what is wrong, however often its maps open.
TEST_F(Document, AMissingTilesetPictureIsReportedOnce) {
  WriteSampleProject(folder);
  TLcfDataBase db;
  ASSERT_TRUE(db.LoadDatabase(folder));
  db.tilesets.FindById(1)->chipSetFile = "Gone";
  db.SaveToFile(folder + "TESS_RT.ldb");
  ASSERT_TRUE(document.Open(folder, scratch));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find("ChipSet/Gone: no such picture"), std::string::npos) << messages.shown[0].text;
  EXPECT_EQ(messages.shown[0].style.icon, TMessageIcon::Warning);
  document.SelectNode(0);
  document.SelectNode(1);
  EXPECT_EQ(messages.shown.size(), 1u);
  document.Close();
  ASSERT_TRUE(document.Open(folder, scratch));
  EXPECT_EQ(messages.shown.size(), 2u);
}
