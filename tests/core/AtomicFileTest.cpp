#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/AtomicFile.h"
#include "core/Errors.h"

using namespace tess;
namespace fs = std::filesystem;

namespace {
struct TempDir {
  fs::path path;
  TempDir() {
    path = fs::temp_directory_path() / ("tess-atomic-" + std::to_string(::getpid()));
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~TempDir() {
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(path);
  }
};
}  // namespace

TEST(AtomicFile, ReplacesWholeAndKeepsPermissionsAndLinks) {
  TempDir dir;
  std::string file = (dir.path / "a.bin").string();
  WriteFileAtomic(file, Bytes{1, 2, 3});
  EXPECT_EQ(ReadWholeFile(file), (Bytes{1, 2, 3}));
  ::chmod(file.c_str(), 0640);
  WriteFileAtomic(file, Bytes{4});
  EXPECT_EQ(ReadWholeFile(file), Bytes{4});
  struct stat st;
  ::stat(file.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);

  std::string link = (dir.path / "link.bin").string();
  fs::create_symlink(file, link);
  WriteFileAtomic(link, Bytes{5, 5});
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadWholeFile(file), (Bytes{5, 5}));
  // No temporary files are left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 2);
}

TEST(AtomicFile, FailureLeavesTheOldFileAndReports) {
  if (::geteuid() == 0) {
    // root writes into read-only folders; use a folder that does not exist instead.
  }
  TempDir dir;
  std::string missing = (dir.path / "no-such-folder" / "x.bin").string();
  EXPECT_THROW(WriteFileAtomic(missing, Bytes{1}), EFileError);
  std::string message;
  EXPECT_FALSE(TryWriteFileAtomic(missing, Bytes{1}, &message));
  EXPECT_NE(message.find("x.bin"), std::string::npos);

  // Renaming over a folder fails: the folder stays and no temporary file is left.
  std::string folder = (dir.path / "taken").string();
  fs::create_directories(folder + "/inside");
  EXPECT_THROW(WriteFileAtomic(folder, Bytes{1}), EFileError);
  EXPECT_TRUE(fs::is_directory(folder + "/inside"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

TEST(AtomicFile, CopiesWholeFilesAndNeverOntoThemselves) {
  TempDir dir;
  const std::string source = (dir.path / "source.bin").string(), copy = (dir.path / "copy.bin").string();
  Bytes big(3 << 20);
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<uint8_t>(i * 131 >> 7);
  WriteFileAtomic(source, big);
  ::chmod(source.c_str(), 0444);
  WriteFileAtomic(copy, Bytes{9});
  ::chmod(copy.c_str(), 0444);
  CopyFileAtomic(source, copy);
  EXPECT_EQ(ReadWholeFile(copy), big);
  struct stat st;
  ::stat(copy.c_str(), &st);
  EXPECT_TRUE(st.st_mode & S_IWUSR);  // a new file's permissions, not the source's or the old copy's

  // The same file under another name: refused, nothing truncated.
  const std::string hard = (dir.path / "hard.bin").string();
  fs::create_hard_link(source, hard);
  for (const std::string& onto : {source, hard, (dir.path / "." / "source.bin").string()}) {
    EXPECT_TRUE(SameFile(source, onto));
    EXPECT_THROW(CopyFileAtomic(source, onto), EFileError);
  }
  EXPECT_EQ(ReadWholeFile(source), big);
  EXPECT_FALSE(SameFile(source, copy));
  EXPECT_FALSE(SameFile(source, (dir.path / "none").string()));

  // A source that cannot be read leaves the destination as it was.
  EXPECT_THROW(CopyFileAtomic((dir.path / "none").string(), copy), EFileError);
  EXPECT_THROW(CopyFileAtomic(dir.path.string(), copy), EFileError);
  EXPECT_EQ(ReadWholeFile(copy), big);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 3);
}
