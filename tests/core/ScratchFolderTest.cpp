#include <gtest/gtest.h>

#include <filesystem>

#include "../TestFolder.h"
#include "core/AtomicFile.h"
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
