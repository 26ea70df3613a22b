#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/Errors.h"
#include "core/PathUtils.h"
#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "project/ProjectCheck.h"
#include "project/ProjectCreation.h"
#include "project/ProjectNames.h"
#include "tests/ProjectTemplates.h"
#include "tests/TempDir.h"

using namespace tess;
using namespace tess::test;
namespace fs = std::filesystem;

namespace {

struct TCreationFolders {
  TTempDir root{"creation"};
  std::string app = root / "tessaly/";
  std::string base = root / "projects/";
  std::string scratch = root / "scratch/";
  TCreationFolders() {
    fs::create_directories(app);
    fs::create_directories(base);
    fs::create_directories(scratch);
    WriteProjectTemplates(app);
  }
};

}  // namespace

TEST(ProjectCreation, WritesTheFirstFilesAndCommitsMapOne) {
  TCreationFolders f;
  const std::string project = f.base + "Quest/";
  fs::create_directories(project);
  TLcfMapTree tree;
  tree.scratchFolder = f.scratch;
  // Leftovers of the project the editor held before must not reach the new one.
  tree.AddNode(0, 7);
  tree.deletedIds = {3};
  tree.startPositions.SetMapId(TLcfMapStartPosition::kParty, 7);
  TLcfMap map;
  map.SetWidth(20);

  std::string why;
  ASSERT_TRUE(CreateProjectFiles(project, "Quest of Tests", f.app, tree, map, &why)) << why;
  EXPECT_TRUE(tree.projectFolder.empty());  // the tree keeps its own setting

  std::vector<std::string> expected = MaterialFolderNames();
  expected.insert(expected.end(), {"Map0001.lmu", "TESS_RT.exe", "TESS_RT.ini", "TESS_RT.ldb", "TESS_RT.lmt"});
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(ListFolder(project), expected);
  EXPECT_EQ(MaterialFolderNames().size(), 19u);
  EXPECT_EQ(ReadText(project + "TESS_RT.exe"), kRuntimeTemplateText);
  struct stat st {};
  ASSERT_EQ(::stat((project + "TESS_RT.exe").c_str(), &st), 0);
  EXPECT_NE(st.st_mode & S_IXUSR, 0u) << "the runtime must stay executable";
  EXPECT_EQ(ReadText(project + "TESS_RT.ldb"), ReadText(f.app + "TESS_RT.ldb.dat"));
  EXPECT_EQ(ReadGameTitle(project), "Quest of Tests");
  // The work copy was committed and is gone.
  EXPECT_TRUE(ListFolder(f.scratch).empty());

  TLcfMap loaded;
  loaded.LoadFromProject(project, 1);
  EXPECT_EQ(loaded.width, 100);
  EXPECT_EQ(loaded.height, 100);

  TLcfMapTree reread;
  reread.projectFolder = project;
  reread.scratchFolder = f.scratch;
  reread.LoadTree();
  ASSERT_EQ(reread.Count(), 2);
  EXPECT_EQ(reread.order, (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(reread.currentId, 1);
  EXPECT_EQ(reread.startPositions.MapId(TLcfMapStartPosition::kParty), 0);
  const TLcfMapTreeItem* root = reread.FindById(0);
  EXPECT_EQ(root->nodeType, TLcfMapTreeItem::kRoot);
  EXPECT_EQ(root->name, "Quest of Tests");
  EXPECT_EQ(root->depth, 0);
  const TLcfMapTreeItem* first = reread.FindById(1);
  EXPECT_EQ(first->name, "MAP0001");
  EXPECT_EQ(first->parentId, 0);
  EXPECT_EQ(first->depth, 1);
  EXPECT_EQ(first->nodeType, TLcfMapTreeItem::kMap);
  EXPECT_EQ(first->musicType, 1);
  EXPECT_EQ(first->backdropType, 1);
  EXPECT_EQ(first->teleport, 1);
  EXPECT_EQ(first->escape, 1);
  EXPECT_EQ(first->save, 1);
  EXPECT_EQ(first->encounterSteps, 25);
  EXPECT_FALSE(tree.IsModified());
  EXPECT_TRUE(CheckProject(project).empty());
}

TEST(ProjectCreation, StopsAtTheFirstFolderOrTemplateThatFails) {
  TCreationFolders f;
  const struct {
    const char* existing;  // a folder already in the project
    bool removeTemplate;
    const char* reasonPart;
  } cases[] = {
      {"Backdrop", false, "Backdrop"},
      {"backdrop", false, "Backdrop"},  // the same folder on a case-blind system
      {"Frame", false, "Frame"},
      {nullptr, true, "TESS_RT.exe.dat"},
  };
  for (const auto& c : cases) {
    const std::string project = f.base + "Failing/";
    fs::remove_all(project);
    fs::create_directories(project);
    if (c.existing) fs::create_directories(project + c.existing);
    const std::string app = c.removeTemplate ? f.root / "empty-app/" : f.app;
    fs::create_directories(app);
    TLcfMapTree tree;
    tree.scratchFolder = f.scratch;
    TLcfMap map;
    std::string why;
    EXPECT_FALSE(CreateProjectFiles(project, "T", app, tree, map, &why)) << c.reasonPart;
    EXPECT_NE(why.find(c.reasonPart), std::string::npos) << why;
    // Nothing after the failing step was written.
    EXPECT_FALSE(fs::exists(project + "TESS_RT.exe")) << c.reasonPart;
    EXPECT_FALSE(fs::exists(project + "TESS_RT.lmt")) << c.reasonPart;
  }
}

TEST(ProjectCreation, NewProjectIsInTheCurrentFormatAndFailuresLeaveNothing) {
  TCreationFolders f;
  const std::string project = CreateNewProject(f.base, "Fresh", "Fresh Game", f.app);
  EXPECT_EQ(project, f.base + "Fresh/");
  EXPECT_TRUE(CheckProject(project).empty());
  TLcfDataBase database;
  ASSERT_TRUE(database.LoadDatabase(project));
  EXPECT_EQ(database.system.formatVersion, TLcfSystem::kCurrentFormatVersion);

  const struct {
    const char* name;
    std::string app;
    const char* message;
  } failures[] = {
      {"Fresh", f.app, kCannotCreateProjectFolderMessage},
      {"Bad?Name", f.app, kIllegalNewNameMessage},
      {"NoTemplates", f.root / "nowhere/", kCreationFailedMessage},
  };
  for (const auto& c : failures) {
    std::string why;
    try {
      CreateNewProject(f.base, c.name, "T", c.app, &why);
      ADD_FAILURE() << c.name;
    } catch (const ETessError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
  // The failed creation deleted its folder; the existing project was left alone.
  EXPECT_EQ(ListFolder(f.base), std::vector<std::string>{"Fresh"});
  EXPECT_TRUE(CheckProject(project).empty());
}
