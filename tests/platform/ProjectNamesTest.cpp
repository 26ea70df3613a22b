#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "PlatformTestUtils.h"
#include "core/MessagePort.h"
#include "core/PathUtils.h"
#include "platform/ProjectNames.h"
#include "platform/RuntimePackage.h"

using namespace tess;
using namespace tess::test;
namespace fs = std::filesystem;

namespace {

struct TScriptedPort {
  TScriptedMessages messages;
  TScriptedPort() { SetMessagePort(&messages); }
  ~TScriptedPort() { SetMessagePort(nullptr); }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& shown : messages.shown) texts.push_back(shown.text);
    return texts;
  }
};

struct TKeepCurrentDirectory {
  std::string saved = fs::current_path().string();
  ~TKeepCurrentDirectory() { [[maybe_unused]] int r = ::chdir(saved.c_str()); }
};

void MakeProject(const std::string& folder, const char* title = nullptr) {
  WriteText(folder + "/TESS_RT.exe", "runtime");
  if (title) WriteGameTitle(folder, title);
}

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

TEST(ProjectNames, DeletingAsksFirst) {
  TTempDir base("delete");
  TKeepCurrentDirectory keep;
  TScriptedPort port;
  MakeProject(base / "Doomed", "Title");
  ASSERT_EQ(::chdir((base / "Doomed").c_str()), 0);

  port.messages.answers = {TMessageResult::No};
  EXPECT_FALSE(AskDeleteProject(base.path.string(), "Doomed"));
  ASSERT_EQ(port.messages.shown.size(), 1u);
  EXPECT_EQ(port.messages.shown[0].text,
            "The project 'Doomed' is about to be deleted.  This cannot be reversed.  Really proceed?");
  EXPECT_EQ(port.messages.shown[0].style, (TMessageStyle{TMessageIcon::Warning, TMessageButtons::YesNo}));
  EXPECT_TRUE(IsFolder(base / "Doomed"));

  port.messages.answers = {TMessageResult::Yes};
  EXPECT_TRUE(AskDeleteProject(base.path.string(), "Doomed"));
  EXPECT_FALSE(fs::exists(base / "Doomed"));
  EXPECT_EQ(fs::current_path(), fs::canonical(base.path));
  // Never the base folder itself.
  EXPECT_FALSE(AskDeleteProject(base.path.string(), ""));
  EXPECT_FALSE(AskDeleteProject(base.path.string(), ".."));
  EXPECT_TRUE(IsFolder(base.path.string()));
}

TEST(ProjectNames, ProjectPathRules) {
  TTempDir base("path");
  TScriptedPort port;
  WriteText(base / "file", "x");
  const std::string folder = base.path.string();
  const struct {
    std::string text;
    bool acceptable;
  } cases[] = {
      {folder, true},      {folder + "/", true},      {"/", false},
      {"relative", false}, {folder + "/file", false}, {folder + "/missing", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(ProjectPathAcceptable(c.text), c.acceptable) << c.text;

  EXPECT_EQ(AcceptProjectPath(folder + "/./"), folder + "/");
  EXPECT_TRUE(port.messages.shown.empty());

  // A folder that does not exist is offered to be made, with its missing parents.
  port.messages.answers = {TMessageResult::No};
  EXPECT_FALSE(AcceptProjectPath(folder + "/new/deep"));
  EXPECT_FALSE(fs::exists(base / "new"));
  EXPECT_EQ(port.Texts(), std::vector<std::string>{kCreatePathQuestion});
  port.messages.answers = {TMessageResult::Yes};
  EXPECT_EQ(AcceptProjectPath(folder + "/new/deep"), folder + "/new/deep/");
  EXPECT_TRUE(IsFolder(base / "new/deep"));

  port.messages.shown.clear();
  port.messages.answers = {TMessageResult::Yes};
  EXPECT_FALSE(AcceptProjectPath(folder + "/file/below"));
  EXPECT_EQ(port.Texts(), (std::vector<std::string>{kCreatePathQuestion, kCannotCreatePathMessage}));
}
