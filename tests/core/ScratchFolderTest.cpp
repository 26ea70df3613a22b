#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "../TestFolder.h"
#include "core/AtomicFile.h"
#include "core/FolderTree.h"
#include "core/ScratchFolder.h"

using namespace tess;
using namespace tess::test;

TEST(ScratchFolder, LeftWorkCopiesAreListedNotDeleted) {
  TTestFolder scratch;
  for (const char* name : {"Map0003.lmu", "MAP0001.LMU", "map0012.lmu", "Map.lmu", "Map0002.lmt", "notes.txt"})
    WriteFileAtomic(scratch / name, std::string("data"));
  std::filesystem::create_directories(scratch / "Map0004.lmu");
  auto left = FindLeftWorkCopies(scratch.Path());
  ASSERT_EQ(left.size(), 3u);
  EXPECT_EQ(left[0].mapId, 1);
  EXPECT_EQ(left[0].path, scratch / "MAP0001.LMU");
  EXPECT_EQ(left[1].mapId, 3);
  EXPECT_EQ(left[2].mapId, 12);
  EXPECT_EQ(left[2].size, 4);
  EXPECT_TRUE(std::filesystem::exists(scratch / "Map0003.lmu"));
  EXPECT_TRUE(FindLeftWorkCopies(scratch / "missing").empty());

  EXPECT_EQ(NotedScratchProject(scratch.Path()), "");
  NoteScratchProject("/home/me/Project1/", scratch.Path());
  EXPECT_EQ(NotedScratchProject(scratch.Path()), "/home/me/Project1/");
}

// A killed run leaves its temporary folder; the next run of the same kind removes it, and only
// the folders of processes that are gone.
TEST(OwnedTempFolder, FoldersOfProcessesThatAreGoneAreRemoved) {
  test::TTestFolder temp;
  const char* old = std::getenv("TMPDIR");
  const std::string saved = old ? old : "";
  ::setenv("TMPDIR", temp.Path().c_str(), 1);
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ASSERT_GT(child, 0);
  ::waitpid(child, nullptr, 0);  // its id now names no process
  const std::string gone = temp / ("tessaly-dungeon-" + std::to_string(child) + "-abc123");
  const std::string alive = temp / ("tessaly-dungeon-" + std::to_string(::getppid()) + "-abc123");
  const std::string other = temp / ("tessaly-pack-" + std::to_string(child) + "-abc123");
  const std::string notOurs = temp / "tessaly-dungeon-abc";
  for (const std::string& folder : {gone, alive, other, notOurs}) std::filesystem::create_directories(folder);
  WriteFileAtomic(gone + "/Map0001.lmu", std::string("copy"));

  const std::string made = MakeOwnedTempFolder("tessaly-dungeon");
  ASSERT_FALSE(made.empty());
  EXPECT_EQ(made.rfind(temp / ("tessaly-dungeon-" + std::to_string(::getpid()) + "-"), 0), 0u) << made;
  EXPECT_FALSE(std::filesystem::exists(gone));
  for (const std::string& folder : {alive, other, notOurs, made})
    EXPECT_TRUE(std::filesystem::exists(folder)) << folder;
  // Its own folder is never taken for an orphan.
  EXPECT_EQ(RemoveOrphanedTempFolders("tessaly-dungeon"), 0);
  if (old)
    ::setenv("TMPDIR", saved.c_str(), 1);
  else
    ::unsetenv("TMPDIR");
}
