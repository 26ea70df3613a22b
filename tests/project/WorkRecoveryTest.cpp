#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "ProjectRunFixture.h"
#include "TestFolder.h"
#include "core/AtomicFile.h"
#include "core/MessagePort.h"
#include "core/QuietMode.h"
#include "core/ScratchFolder.h"
#include "project/ProjectDocument.h"
#include "project/WorkRecovery.h"
#include "tests/SampleProject.h"

using namespace tess;
using namespace tess::test;
namespace fs = std::filesystem;

namespace {

// One run of the editor over the sample project, with the scratch folder the runs share.
struct Recovery : TProjectRun {
  void SetUp() override { WriteSampleProject(folder); }

  static void Paint(TProjectDocument& document, int x, int id) {
    ASSERT_TRUE(document.EditLayers([=](TLcfMap& map) {
      map.lower.SetCell(x, 0, id);
      return TCellRect{x, 0, 1, 1};
    }));
  }
  int SavedCell(int x) {
    TLcfMap saved;
    saved.LoadFromProject(folder, 1);
    return saved.lower.GetCell(x, 0);
  }
  // A run that edits map 1 and the first hero's name, keeps both as the editor does, and dies
  // without cleaning up.
  void DieWhileEditing() {
    TProjectDocument document(base.Path());
    ASSERT_TRUE(document.Open(folder, scratch));
    NoteScratchProject(folder, scratch);
    Paint(document, 3, 5001);
    KeepUnsavedMap(scratch, document.Map());
    TLcfDataBase& database = document.DataBase();
    ASSERT_GT(database.heroes.Count(), 0);
    database.heroes.ItemAt(0)->name = "Recovered";
    KeepUnsavedDatabase(scratch, database.SaveToMemory(TCatalogVarData::Mode::Copy));
  }
  // Recovers set into a fresh run over the project and checks that nothing reached the document;
  // returns what was reported.
  std::vector<std::string> RecoverNothing(TLeftWork& set) {
    TProjectDocument document(base.Path());
    EXPECT_TRUE(document.Open(folder, scratch));
    const std::string heroName = document.DataBase().heroes.ItemAt(0)->name;
    const TRecovered recovered = RecoverLeftWork(set, document);
    EXPECT_TRUE(recovered.maps.empty());
    EXPECT_FALSE(recovered.database);
    EXPECT_FALSE(document.MapsModified());
    EXPECT_EQ(document.DataBase().heroes.ItemAt(0)->name, heroName);
    return recovered.failures;
  }
};

}  // namespace

// The work of a run that died comes back as unsaved changes; nothing reaches the project's files
// before "Save Map", and the next run's own work copies start from a clean scratch folder.
TEST_F(Recovery, LeftWorkBecomesPendingChangesOfItsProject) {
  DieWhileEditing();
  const Bytes databaseOnDisk = ReadWholeFile(folder + "TESS_RT.ldb");

  std::vector<TLeftWork> sets = CollectLeftWork(scratch);
  ASSERT_EQ(sets.size(), 1u);
  TLeftWork& set = sets[0];
  EXPECT_EQ(set.projectFolder, folder);
  ASSERT_EQ(set.maps.size(), 1u);
  EXPECT_EQ(set.maps[0].mapId, 1);
  EXPECT_TRUE(set.maps[0].unsaved);
  EXPECT_GT(set.maps[0].modifiedTime, 0);
  EXPECT_FALSE(set.databasePath.empty());
  // Moved out of the way of the next run.
  EXPECT_TRUE(FindLeftWorkCopies(scratch).empty());
  EXPECT_FALSE(fs::exists(scratch + "Unsaved/TESS_RT.ldb"));
  // "Later": found again by the next start.
  EXPECT_EQ(CollectLeftWork(scratch).size(), 1u);

  TProjectDocument document(base.Path());
  ASSERT_TRUE(document.Open(folder, scratch));
  const TRecovered recovered = RecoverLeftWork(set, document);
  EXPECT_TRUE(recovered.failures.empty());
  EXPECT_EQ(recovered.maps, std::vector<int32_t>{1});
  EXPECT_TRUE(recovered.database);
  EXPECT_EQ(document.Map().lower.GetCell(3, 0), 5001);
  EXPECT_TRUE(document.MapsModified());
  EXPECT_EQ(document.DataBase().heroes.ItemAt(0)->name, "Recovered");
  // Nothing was written into the project; the set is gone, its database is this run's now.
  EXPECT_EQ(SavedCell(3), 0);
  EXPECT_EQ(ReadWholeFile(folder + "TESS_RT.ldb"), databaseOnDisk);
  EXPECT_FALSE(fs::exists(set.folder));
  EXPECT_TRUE(fs::exists(scratch + "Unsaved/TESS_RT.ldb"));

  ASSERT_TRUE(document.SaveMap());
  EXPECT_EQ(SavedCell(3), 5001);
  EXPECT_FALSE(document.MapsModified());
}

// A stored work copy of a map left earlier and the unsaved edits made on it later: the edits win,
// and both files go once they are recovered.
TEST_F(Recovery, UnsavedEditsSupersedeTheStoredWorkCopyOfTheSameMap) {
  {
    TProjectDocument document(base.Path());
    ASSERT_TRUE(document.Open(folder, scratch));
    NoteScratchProject(folder, scratch);
    Paint(document, 1, 5002);
    document.Map().SaveWorkCopy(scratch, 1);
    Paint(document, 2, 5003);
    KeepUnsavedMap(scratch, document.Map());
  }
  std::vector<TLeftWork> sets = CollectLeftWork(scratch);
  ASSERT_EQ(sets.size(), 1u);
  ASSERT_EQ(sets[0].maps.size(), 1u);
  EXPECT_TRUE(sets[0].maps[0].unsaved);

  TProjectDocument document(base.Path());
  ASSERT_TRUE(document.Open(folder, scratch));
  const TRecovered recovered = RecoverLeftWork(sets[0], document);
  EXPECT_TRUE(recovered.failures.empty());
  EXPECT_EQ(document.Map().lower.GetCell(1, 0), 5002);
  EXPECT_EQ(document.Map().lower.GetCell(2, 0), 5003);
  EXPECT_FALSE(fs::exists(sets[0].folder));
}

// Work kept before the project's file was saved again (by a later run, or for another map that took
// the same id) would bring back what that save replaced: it is named and kept, not adopted.
TEST_F(Recovery, WorkOlderThanTheProjectsFileIsNotAdopted) {
  DieWhileEditing();
  std::vector<TLeftWork> sets = CollectLeftWork(scratch);
  ASSERT_EQ(sets.size(), 1u);
  ASSERT_EQ(sets[0].maps.size(), 1u);
  const auto later = fs::last_write_time(sets[0].maps[0].path) + std::chrono::seconds(10);
  fs::last_write_time(folder + "Map0001.lmu", later);
  fs::last_write_time(folder + "TESS_RT.ldb", later);
  const Bytes mapOnDisk = ReadWholeFile(folder + "Map0001.lmu");

  EXPECT_EQ(RecoverNothing(sets[0]),
            (std::vector<std::string>{"Map0001.lmu: the project's map was saved after this work was kept",
                                      "TESS_RT.ldb: the project's database was saved after this work was kept"}));
  EXPECT_EQ(ReadWholeFile(folder + "Map0001.lmu"), mapOnDisk);
  // Kept for Discard.
  sets = CollectLeftWork(scratch);
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(sets[0].maps.size(), 1u);
  EXPECT_FALSE(sets[0].databasePath.empty());
}

// Work that cannot be recovered is named and kept; nothing half-loaded reaches the document.
TEST_F(Recovery, WhatFailsToLoadIsReportedAndKept) {
  const std::string unsaved = scratch + "Unsaved/";
  fs::create_directories(unsaved);
  NoteScratchProject(folder, scratch);
  WriteFileAtomic(unsaved + "Map0001.lmu", std::string("LcfMapUnit damaged"));
  WriteFileAtomic(unsaved + "TESS_RT.ldb", std::string("not a database"));
  TLcfMap other;
  other.SetWidth(20);
  other.SetHeight(15);
  WriteFileAtomic(scratch + "Map0009.lmu", other.SaveToBytes());  // the tree has no map 9

  std::vector<TLeftWork> sets = CollectLeftWork(scratch);
  ASSERT_EQ(sets.size(), 1u);
  ASSERT_EQ(sets[0].maps.size(), 2u);

  const std::vector<std::string> failures = RecoverNothing(sets[0]);
  ASSERT_EQ(failures.size(), 3u);
  EXPECT_NE(failures[1].find("Map0009.lmu: the project has no such map"), std::string::npos);

  // Still there for another try, or for Discard.
  sets = CollectLeftWork(scratch);
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(sets[0].maps.size(), 2u);
  EXPECT_FALSE(sets[0].databasePath.empty());
  DiscardLeftWork(sets[0]);
  EXPECT_TRUE(CollectLeftWork(scratch).empty());
}

// Each crash makes a set of its own, offered the newest first; a clean run leaves none.
TEST_F(Recovery, SetsOfSeveralCrashesStaySeparate) {
  DieWhileEditing();
  std::vector<TLeftWork> first = CollectLeftWork(scratch);
  ASSERT_EQ(first.size(), 1u);
  // Older than anything of the next crash.
  fs::last_write_time(first[0].maps[0].path, fs::file_time_type::clock::now() - std::chrono::hours(2));
  fs::last_write_time(first[0].databasePath, fs::file_time_type::clock::now() - std::chrono::hours(2));

  {
    TProjectDocument document(base.Path());
    ASSERT_TRUE(document.Open(folder, scratch));
    NoteScratchProject(folder, scratch);
    Paint(document, 7, 5004);
    KeepUnsavedMap(scratch, document.Map());
  }
  const std::vector<TLeftWork> sets = CollectLeftWork(scratch);
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_NE(sets[0].folder, sets[1].folder);
  EXPECT_TRUE(sets[0].databasePath.empty());  // the newer one
  EXPECT_FALSE(sets[1].databasePath.empty());
  EXPECT_GT(sets[0].Time(), sets[1].Time());

  // A run that keeps and then forgets its work leaves nothing to offer.
  for (const TLeftWork& set : sets) DiscardLeftWork(set);
  {
    TProjectDocument document(base.Path());
    ASSERT_TRUE(document.Open(folder, scratch));
    Paint(document, 7, 5004);
    KeepUnsavedMap(scratch, document.Map());
    KeepUnsavedDatabase(scratch, document.DataBase().SaveToMemory(TCatalogVarData::Mode::Copy));
    DropUnsavedMaps(scratch);
    DropUnsavedDatabase(scratch);
  }
  EXPECT_TRUE(CollectLeftWork(scratch).empty());
}
