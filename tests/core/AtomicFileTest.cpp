#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>

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
  std::string operator/(const std::string& name) const { return (path / name).string(); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(path)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

mode_t ModeOf(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 ? st.st_mode : 0;
}

std::string Text(const std::string& path) {
  const Bytes data = ReadWholeFile(path);
  return std::string(data.begin(), data.end());
}

std::string Error(const std::function<void()>& save) {
  try {
    save();
  } catch (const EFileError& e) {
    return e.what();
  }
  return "no error";
}

// Sets a file's modification time seconds from now (negative: in the past).
void Age(const std::string& path, int seconds) {
  const timespec now{static_cast<time_t>(::time(nullptr) + seconds), 0};
  const timespec times[2] = {now, now};
  ::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW);
}
}  // namespace

TEST(AtomicFile, ReplacesWholeAndKeepsPermissionsAndLinks) {
  TempDir dir;
  const std::string file = dir / "a.bin";
  WriteFileAtomic(file, Bytes{1, 2, 3});
  EXPECT_EQ(ReadWholeFile(file), (Bytes{1, 2, 3}));
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(ModeOf(file) & 0777, 0666 & ~mask);
  ::chmod(file.c_str(), 0640);
  WriteFileAtomic(file, Bytes{4});
  EXPECT_EQ(ReadWholeFile(file), Bytes{4});
  EXPECT_EQ(ModeOf(file) & 0777, 0640u);

  const std::string link = dir / "link.bin";
  fs::create_symlink("a.bin", link);  // relative to the link's folder
  WriteFileAtomic(link, Bytes{5, 5});
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadWholeFile(file), (Bytes{5, 5}));
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"a.bin", "link.bin"}));  // nothing left behind
}

TEST(AtomicFile, DanglingLinksAreWrittenThroughAndLoopsRefused) {
  TempDir dir;
  fs::create_directories(dir.path / "sub");
  // A chain of links whose last one names a file that does not exist yet.
  fs::create_symlink("sub/two", dir / "one");
  fs::create_symlink((dir.path / "sub" / "target.lmu").string(), dir / "sub/two");
  WriteFileAtomic(dir / "one", std::string("made"));
  EXPECT_TRUE(fs::is_symlink(dir / "one"));
  EXPECT_TRUE(fs::is_symlink(dir / "sub/two"));
  EXPECT_EQ(Text(dir / "sub/target.lmu"), "made");

  fs::create_symlink("loop-b", dir / "loop-a");
  fs::create_symlink("loop-a", dir / "loop-b");
  EXPECT_NE(Error([&] { WriteFileAtomic(dir / "loop-a", std::string("x")); }).find("Too many levels of symbolic links"),
            std::string::npos);
  // A link into a folder that does not exist cannot be written through.
  fs::create_symlink("nowhere/file", dir / "lost");
  EXPECT_NE(Error([&] { WriteFileAtomic(dir / "lost", std::string("x")); }).find("No such file"), std::string::npos);
  EXPECT_TRUE(fs::is_symlink(dir / "lost"));
}

TEST(AtomicFile, RefusesReadOnlyAndOddTargetsUnlessAsked) {
  TempDir dir;
  const std::string locked = dir / "locked.ini";
  WriteFileAtomic(locked, std::string("old"));
  ::chmod(locked.c_str(), 0444);
  EXPECT_EQ(Error([&] { WriteFileAtomic(locked, std::string("new")); }),
            "Cannot write file \"" + locked + "\". Permission denied");
  EXPECT_EQ(Text(locked), "old");
  WriteFileAtomic(locked, std::string("new"), {.replaceReadOnly = true});
  EXPECT_EQ(Text(locked), "new");
  EXPECT_EQ(ModeOf(locked) & 0777, 0444u);  // still read-only

  fs::create_directories(dir.path / "taken" / "inside");
  ::mkfifo((dir / "pipe").c_str(), 0666);
  for (const char* name : {"taken", "pipe"}) {
    const std::string message = Error([&] { WriteFileAtomic(dir / name, Bytes{1}, {.replaceReadOnly = true}); });
    EXPECT_NE(message.find("It is not a regular file."), std::string::npos) << name;
  }
  EXPECT_TRUE(fs::is_directory(dir.path / "taken" / "inside"));
  EXPECT_TRUE(fs::is_fifo(dir.path / "pipe"));

  const std::string missing = dir / "no-such-folder/x.bin";
  std::string message;
  EXPECT_FALSE(TryWriteFileAtomic(missing, Bytes{1}, &message));
  EXPECT_NE(message.find("x.bin\". No such file or directory"), std::string::npos) << message;
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"locked.ini", "pipe", "taken"}));
}

TEST(AtomicFile, StreamsUnderARecognisableNameUntilCommitted) {
  TempDir dir;
  const std::string file = dir / "Map0001.lmu";
  WriteFileAtomic(file, std::string("old"));
  {
    TAtomicFile out(file);
    const Bytes block(200000, 7);  // more than the file's buffer
    out.Append(std::string("head"));
    out.Append(block);
    EXPECT_EQ(out.Position(), 200004);
    EXPECT_EQ(out.Size(), 200004);
    EXPECT_EQ(Text(file), "old");
    EXPECT_EQ(out.TempPath().rfind(dir / ".Map0001.lmu.tess-save-", 0), 0u) << out.TempPath();
    EXPECT_EQ(fs::file_size(out.TempPath()), 200004u);
    out.Commit();
  }
  EXPECT_EQ(fs::file_size(file), 200004u);
  {
    TAtomicFile dropped(file);
    dropped.Append(std::string("never"));
  }
  EXPECT_EQ(fs::file_size(file), 200004u);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"Map0001.lmu"});

  // A name as long as a folder entry allows still gets a temporary file.
  const std::string longName = dir / std::string(255, 'n');
  WriteFileAtomic(longName, std::string("long"));
  EXPECT_EQ(Text(longName), "long");

  // Copies stream from their source.
  CopyFileAtomic(file, dir / "copy.lmu");
  EXPECT_EQ(ReadWholeFile(dir / "copy.lmu"), ReadWholeFile(file));
  EXPECT_NE(Error([&] { CopyFileAtomic(dir / "missing", dir / "copy.lmu"); }).find("Cannot read file"),
            std::string::npos);
  EXPECT_EQ(ReadWholeFile(dir / "copy.lmu"), ReadWholeFile(file));
}

TEST(AtomicFile, NextSuccessfulSaveRemovesWhatKilledSavesLeft) {
  TempDir dir;
  const std::string file = dir / "TESS_RT.ldb";
  WriteFileAtomic(file, std::string("first"));

  // A save killed half-way leaves its temporary file.
  const pid_t child = ::fork();
  if (child == 0) {
    TAtomicFile out(file);
    out.Append(Bytes(100000, 1));
    out.Finish();
    ::kill(::getpid(), SIGKILL);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  std::vector<std::string> left = dir.Names();
  ASSERT_EQ(left.size(), 2u);
  EXPECT_EQ(left[0].rfind(".TESS_RT.ldb.tess-save-", 0), 0u) << left[0];
  Age(dir / left[0], -60);

  // Others that must stay: a newer one, one held by a save still running, another file's, and one
  // whose name only looks similar.
  auto stale = [&](const std::string& name, int age) {
    WriteFileAtomic(dir / name, std::string("x"));
    Age(dir / name, age);
  };
  stale(".TESS_RT.ldb.tess-save-newer1", 3600);
  stale(".TESS_RT.ldb.tess-save-locked", -60);
  stale(".TESS_RT.lmt.tess-save-other1", -60);
  stale(".TESS_RT.ldb.tess-save-toolong", -60);
  const int held = ::open((dir / ".TESS_RT.ldb.tess-save-locked").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);

  // A save that fails removes nothing.
  ::chmod(file.c_str(), 0444);
  EXPECT_THROW(WriteFileAtomic(file, std::string("refused")), EFileError);
  EXPECT_EQ(dir.Names().size(), 6u);
  ::chmod(file.c_str(), 0644);

  WriteFileAtomic(file, std::string("second"));
  ::close(held);
  EXPECT_EQ(Text(file), "second");
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{".TESS_RT.ldb.tess-save-locked", ".TESS_RT.ldb.tess-save-newer1",
                                                   ".TESS_RT.ldb.tess-save-toolong", ".TESS_RT.lmt.tess-save-other1",
                                                   "TESS_RT.ldb"}));
}

TEST(StagedCommit, PutsEveryFileInPlaceOrNone) {
  TempDir dir;
  WriteFileAtomic(dir / "Setup.ini", std::string("old ini"));
  WriteFileAtomic(dir / "Game.lzh", std::string("old archive"));
  WriteFileAtomic(dir / "source", std::string("archive"));
  {
    TStagedCommit commit;
    commit.Add(dir / "Setup.ini").Append(std::string("new ini"));
    commit.AddCopy(dir / "source", dir / "Game.lzh");
    EXPECT_EQ(Text(dir / "Setup.ini"), "old ini");
    commit.Commit();
    EXPECT_TRUE(commit.Empty());
  }
  EXPECT_EQ(Text(dir / "Setup.ini"), "new ini");
  EXPECT_EQ(Text(dir / "Game.lzh"), "archive");

  // One file that cannot be written: the files staged before it are dropped, every target stays.
  ::chmod((dir / "Game.lzh").c_str(), 0444);
  {
    TStagedCommit commit;
    commit.Add(dir / "Setup.ini").Append(std::string("newer ini"));
    EXPECT_THROW(commit.AddCopy(dir / "source", dir / "Game.lzh"), EFileError);
  }
  EXPECT_EQ(Text(dir / "Setup.ini"), "new ini");
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"Game.lzh", "Setup.ini", "source"}));
}

TEST(AtomicFile, CopiesWholeFilesAndNeverOntoThemselves) {
  TempDir dir;
  const std::string source = (dir.path / "source.bin").string(), copy = (dir.path / "copy.bin").string();
  Bytes big(3 << 20);
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<uint8_t>(i * 131 >> 7);
  WriteFileAtomic(source, big);
  ::chmod(source.c_str(), 0444);
  CopyFileAtomic(source, copy);
  EXPECT_EQ(ReadWholeFile(copy), big);
  struct stat st;
  ::stat(copy.c_str(), &st);
  EXPECT_TRUE(st.st_mode & S_IWUSR);  // a new file's permissions, not the source's
  // An old copy keeps its permissions; a read-only one is replaced only when the caller asks.
  WriteFileAtomic(copy, Bytes{9});
  ::chmod(copy.c_str(), 0440);
  EXPECT_THROW(CopyFileAtomic(source, copy), EFileError);
  EXPECT_EQ(ReadWholeFile(copy), Bytes{9});
  CopyFileAtomic(source, copy, {.replaceReadOnly = true});
  EXPECT_EQ(ReadWholeFile(copy), big);
  ::stat(copy.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0440u);
  ::chmod(copy.c_str(), 0644);

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
