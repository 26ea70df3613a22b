#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "../TestFolder.h"
#include "core/AtomicFile.h"
#include "core/Errors.h"
#include "core/FileLookup.h"
#include "core/ScratchFolder.h"

using namespace tess;
using namespace tess::test;

namespace {

// Sets an environment variable for one scope.
class TEnv {
 public:
  TEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old, had_ = true;
    if (value)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  }
  ~TEnv() {
    if (had_)
      ::setenv(name_, old_.c_str(), 1);
    else
      ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

}  // namespace

TEST(ScratchFolder, PerUserLocation) {
  TTestFolder runtime;
  {
    TEnv env("XDG_RUNTIME_DIR", runtime.Path().c_str());
    EXPECT_EQ(ScratchFolder(), runtime.Path() + "TESS_TEMP/");
  }
  TEnv env("XDG_RUNTIME_DIR", nullptr);
  TEnv temp("TMPDIR", runtime.Path().c_str());
  EXPECT_EQ(ScratchFolder(), runtime.Path() + "TESS_TEMP-" + std::to_string(::geteuid()) + "/");
  TEnv relative("XDG_RUNTIME_DIR", "relative/dir");
  EXPECT_NE(ScratchFolder().find("TESS_TEMP-"), std::string::npos);
}

TEST(ScratchFolder, PreparedPrivateAndRefusedWhenUnsafe) {
  TTestFolder base;
  std::string folder = base / "TESS_TEMP";
  EXPECT_EQ(PrepareScratchFolder(folder), folder + "/");
  struct stat st;
  ASSERT_EQ(::stat(folder.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0700u);
  ::chmod(folder.c_str(), 0755);
  PrepareScratchFolder(folder);
  ::stat(folder.c_str(), &st);
  EXPECT_EQ(st.st_mode & 07777, 0700u);

  // A link or a file where the folder should be is refused, not followed.
  std::string target = base.Sub("elsewhere");
  std::string link = base / "linked";
  ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
  EXPECT_THROW(PrepareScratchFolder(link), EFileError);
  WriteFileAtomic(base / "plain", std::string("x"));
  EXPECT_THROW(PrepareScratchFolder(base / "plain"), EFileError);
}

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
  ClearScratchFolder(scratch.Path());
  EXPECT_TRUE(std::filesystem::is_empty(scratch.Path()));
}

TEST(FileLookup, ExactNameFirstThenAnyCase) {
  TTestFolder folder;
  WriteFileAtomic(folder / "MAP0001.LMU", std::string("a"));
  EXPECT_EQ(FindFileNoCase(folder.Path(), "Map0001.lmu"), folder / "MAP0001.LMU");
  EXPECT_EQ(PathNoCase(folder.Path(), "Map0001.lmu"), folder / "MAP0001.LMU");
  EXPECT_EQ(FindFileNoCase(folder.Path(), "Map0002.lmu"), "");
  EXPECT_EQ(PathNoCase(folder.Path(), "Map0002.lmu"), folder / "Map0002.lmu");
  WriteFileAtomic(folder / "Map0001.lmu", std::string("b"));
  EXPECT_EQ(FindFileNoCase(folder.Path(), "Map0001.lmu"), folder / "Map0001.lmu");
  EXPECT_EQ(WithTrailingSlash("/a"), "/a/");
  EXPECT_EQ(WithTrailingSlash("/a/"), "/a/");
}
