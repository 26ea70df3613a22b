#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "core/MessagePort.h"
#include "core/PathUtils.h"
#include "project/ProjectNames.h"
#include "tests/ProjectFolderHelpers.h"

using namespace tess;
using namespace tess::test;
namespace fs = std::filesystem;

namespace {

ino_t Inode(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st.st_ino;
}

}  // namespace

TEST(ProjectNames, ProposesTheSmallestFreeNumber) {
  const struct {
    std::vector<std::string> folders;
    std::vector<std::string> files;
    const char* proposed;
  } cases[] = {
      {{}, {}, "Project1"},
      {{"Project1", "Project3"}, {}, "Project2"},
      // Another case is the same name for a game copied to a case-blind system; a file blocks too.
      {{"project1"}, {"Project2"}, "Project3"},
      {{"Project2", "Project10"}, {}, "Project1"},
  };
  for (const auto& c : cases) {
    TTempDir base("propose");
    for (const auto& f : c.folders) fs::create_directories(base / f);
    for (const auto& f : c.files) WriteText(base / f, "x");
    EXPECT_EQ(ProposeNewProjectName(base.path.string()), c.proposed) << c.folders.size();
  }
}

TEST(ProjectNames, ForbiddenCharactersAndHiddenNames) {
  for (const char* bad : {"a\\b", "a/b", "c:", "why?", "star*", "<x", "x>", "a|b", "say\"hi\""}) {
    EXPECT_TRUE(HasForbiddenCharacters(bad)) << bad;
    EXPECT_FALSE(IsAllowedFolderName(bad)) << bad;
  }
  for (const char* good : {"Project1", "My Game", "Spiel-Ä", "a.b", "x'y"}) EXPECT_TRUE(IsAllowedFolderName(good));
  // Folders whose names begin with "." are never listed as projects, so none is made.
  for (const char* hidden : {".game", ".", ".."}) {
    EXPECT_FALSE(HasForbiddenCharacters(hidden));
    EXPECT_FALSE(IsAllowedFolderName(hidden));
  }
}

TEST(ProjectNames, ListsOnlyFoldersHoldingTheRuntime) {
  TTempDir base("list");
  MakeProject(base / "beta", "Beta Quest");
  MakeProject(base / "Alpha");                       // no settings: "Untitled"
  WriteText(base / "Gamma/tess_rt.EXE", "runtime");  // found in any case
  // Everything but the runtime is not enough.
  WriteText(base / "NoRuntime/TESS_RT.ldb", "db");
  WriteText(base / "NoRuntime/TESS_RT.lmt", "tree");
  WriteText(base / "NoRuntime/Map0001.lmu", "map");
  fs::create_directories(base / "FolderNamedRuntime/TESS_RT.exe");
  MakeProject(base / ".hidden", "Hidden");
  WriteText(base / "TESS_RT.exe", "a file in the base folder");

  const std::vector<TProjectEntry> projects = ListProjects(base.path.string());
  ASSERT_EQ(projects.size(), 3u);
  EXPECT_EQ(projects[0].folderName, "Alpha");
  EXPECT_EQ(projects[0].gameTitle, "Untitled");
  EXPECT_EQ(projects[1].folderName, "beta");
  EXPECT_EQ(projects[1].gameTitle, "Beta Quest");
  EXPECT_EQ(projects[2].folderName, "Gamma");
  EXPECT_TRUE(ListProjects(base / "missing").empty());
}

TEST(ProjectNames, NewProjectFolderMessages) {
  TTempDir base("newfolder");
  TScriptedPort port;
  fs::create_directories(base / "Taken");
  const struct {
    const char* name;
    bool accepted;
    const char* message;
  } cases[] = {
      {"Bad:Name", false, kIllegalNewNameMessage},
      {"", false, kCannotCreateProjectFolderMessage},
      {"Taken", false, kCannotCreateProjectFolderMessage},
      {"taken", false, kCannotCreateProjectFolderMessage},
      {"Fresh", true, nullptr},
  };
  for (const auto& c : cases) {
    port.messages.shown.clear();
    EXPECT_EQ(AcceptNewProjectFolder(base.path.string(), c.name), c.accepted) << c.name;
    if (c.message) {
      EXPECT_EQ(port.Texts(), std::vector<std::string>{c.message}) << c.name;
    } else {
      EXPECT_TRUE(port.messages.shown.empty());
    }
  }
  EXPECT_TRUE(IsFolder(base / "Fresh"));
  EXPECT_FALSE(IsFolder(base / "taken"));
}

TEST(ProjectNames, RenamingTheTitleOnlyRenamesNothing) {
  TTempDir base("retitle");
  TScriptedPort port;
  MakeProject(base / "Game", "Old Title");
  const ino_t before = Inode(base / "Game");
  EXPECT_TRUE(AcceptRenameProject(base.path.string(), "Game", "Game", "New Title"));
  EXPECT_TRUE(port.messages.shown.empty());
  EXPECT_EQ(ReadGameTitle(base / "Game"), "New Title");
  EXPECT_EQ(Inode(base / "Game"), before);
  EXPECT_EQ(ListFolder(base.path.string()), std::vector<std::string>{"Game"});
}

TEST(ProjectNames, RenamingNeverReplacesAFolder) {
  TTempDir base("rename");
  TScriptedPort port;
  MakeProject(base / "Game", "Title");
  fs::create_directories(base / "Empty");  // rename(2) alone would silently replace it
  fs::create_directories(base / "other");
  const struct {
    const char* newName;
    bool accepted;
    const char* message;
  } cases[] = {
      {"Empty", false, kCannotRenameMessage},
      {"OTHER", false, kCannotRenameMessage},  // the same name as another folder in another case
      {"Bad|Name", false, kIllegalRenameMessage},
      {".Hidden", false, kIllegalRenameMessage},
  };
  for (const auto& c : cases) {
    port.messages.shown.clear();
    EXPECT_EQ(AcceptRenameProject(base.path.string(), "Game", c.newName, "Title"), c.accepted) << c.newName;
    EXPECT_EQ(port.Texts(), std::vector<std::string>{c.message}) << c.newName;
    EXPECT_TRUE(IsFile(base / "Game/TESS_RT.exe")) << c.newName;
  }
  EXPECT_TRUE(IsFolder(base / "Empty"));
  EXPECT_TRUE(IsFolder(base / "other"));

  // A change of case alone is allowed, and the title follows the folder.
  EXPECT_TRUE(AcceptRenameProject(base.path.string(), "Game", "GAME", "Renamed"));
  EXPECT_TRUE(IsFile(base / "GAME/TESS_RT.exe"));
  EXPECT_FALSE(fs::exists(base / "Game"));
  EXPECT_EQ(ReadGameTitle(base / "GAME"), "Renamed");
  EXPECT_TRUE(RenameProjectFolder(base.path.string(), "GAME", "Moved"));
  EXPECT_FALSE(RenameProjectFolder(base.path.string(), "Missing", "Elsewhere"));
}
