#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/ProjectFolder.h"
#include "platform/ShellServices.h"
#include "tests/TempDir.h"

using namespace tess;
using namespace tess::test;
namespace fs = std::filesystem;

TEST(ShellServices, DeleteFolderTreeNeverFollowsLinks) {
  TTempDir dir("delete");
  WriteText(dir / "outside/keep.txt", "keep");
  WriteText(dir / "outside/inner/keep2.txt", "keep");
  WriteText(dir / "victim/a.txt", "a");
  ::chmod((dir / "victim/a.txt").c_str(), 0444);
  WriteText(dir / "victim/.hidden/b.txt", "b");
  WriteText(dir / "victim/locked/c.txt", "c");
  ::chmod((dir / "victim/locked").c_str(), 0555);
  fs::create_symlink(dir / "outside", dir / "victim/linkedFolder");
  fs::create_symlink(dir / "outside/keep.txt", dir / "victim/linkedFile");
  fs::create_symlink(dir / "victim", dir / "victim/loop");

  EXPECT_TRUE(DeleteFolderTree(dir / "victim"));
  EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "victim")));
  EXPECT_EQ(ReadText(dir / "outside/keep.txt"), "keep");
  EXPECT_EQ(ReadText(dir / "outside/inner/keep2.txt"), "keep");

  // A project that is a link to a folder elsewhere: only the link goes, even named with a
  // trailing separator.
  fs::create_symlink(dir / "outside", dir / "linkedProject");
  EXPECT_TRUE(DeleteFolderTree(dir / "linkedProject/"));
  EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "linkedProject")));
  EXPECT_EQ(ReadText(dir / "outside/keep.txt"), "keep");

  EXPECT_TRUE(DeleteFolderTree(dir / "never existed"));
  EXPECT_FALSE(DeleteFolderTree(dir / "outside/keep.txt"));  // a file is not a folder tree
  EXPECT_TRUE(fs::exists(dir / "outside/keep.txt"));
}

TEST(ShellServices, WindowPlacementStaysOnScreen) {
  const QRect screen(0, 0, 1024, 768);
  const QRect right(1024, 0, 800, 600);  // a second screen
  const struct {
    QRect frame, area, expected;
  } cases[] = {
      {{100, 100, 300, 200}, screen, {100, 100, 300, 200}},
      {{900, 700, 300, 200}, screen, {724, 568, 300, 200}},
      {{-50, -20, 100, 100}, screen, {0, 0, 100, 100}},
      {{100, 50, 1200, 900}, screen, {0, 0, 1200, 900}},  // wider than the screen: x = 0
      {{1700, 10, 300, 200}, right, {1524, 10, 300, 200}},
      {{900, 10, 300, 200}, right, {1024, 10, 300, 200}},
  };
  for (const auto& c : cases) EXPECT_EQ(KeepOnScreen(c.frame, c.area), c.expected) << c.frame.x();
  EXPECT_EQ(CenterOnOwner({200, 100}, {100, 100, 401, 301}, screen), QRect(200, 200, 200, 100));
  EXPECT_EQ(CenterOnOwner({200, 100}, {900, 700, 100, 50}, screen), QRect(824, 668, 200, 100));
  EXPECT_EQ(PlaceInOwner({200, 100}, {104, 130}, 16, 8, screen), QRect(120, 138, 200, 100));
}

TEST(ShellServices, ScratchFolderIsPrivateAndNeverALink) {
  TTempDir dir("scratch");
  const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
  qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(dir / "run"));
  fs::create_directories(dir / "run");
  EXPECT_EQ(PrepareScratchFolder(), dir / "run/TESS_TEMP/");
  EXPECT_EQ(ScratchFolder(), dir / "run/TESS_TEMP/");
  struct stat st;
  ASSERT_EQ(::stat((dir / "run/TESS_TEMP").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  // Left-over work copies are kept for recovery.
  WriteText(dir / "run/TESS_TEMP/Map0001.lmu", "work");
  EXPECT_EQ(PrepareScratchFolder(), dir / "run/TESS_TEMP/");
  EXPECT_EQ(ReadText(dir / "run/TESS_TEMP/Map0001.lmu"), "work");

  fs::create_directories(dir / "run2");
  fs::create_directories(dir / "elsewhere");
  fs::create_symlink(dir / "elsewhere", dir / "run2/TESS_TEMP");
  qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(dir / "run2"));
  EXPECT_EQ(PrepareScratchFolder(), "");
  if (saved.isNull())
    qunsetenv("XDG_RUNTIME_DIR");
  else
    qputenv("XDG_RUNTIME_DIR", saved);
  SetScratchFolder("");
}
