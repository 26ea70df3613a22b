#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "core/MessagePort.h"
#include "core/PathUtils.h"
#include "platform/ProjectFolders.h"
#include "project/ProjectNames.h"
#include "tests/ProjectFolderHelpers.h"

using namespace tess;
using namespace tess::test;
namespace fs = std::filesystem;

TEST(ProjectFolders, DeletingAsksFirst) {
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

TEST(ProjectFolders, ProjectPathRules) {
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
