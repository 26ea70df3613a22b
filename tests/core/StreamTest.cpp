#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "core/AtomicFile.h"
#include "core/Errors.h"
#include "core/Stream.h"

using namespace tess;
namespace fs = std::filesystem;

// Whole-file reads look at what they are given before they read it: nothing that is not a regular
// file is opened, and nothing larger than the limit is read.
TEST(ReadWholeFile, RefusesWhatIsNoFileAndWhatIsTooLarge) {
  const fs::path dir = fs::temp_directory_path() / ("tess-read-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "folder");
  const std::string small = (dir / "small").string(), huge = (dir / "huge").string(), fifo = (dir / "fifo").string();
  WriteFileAtomic(small, std::string("0123456789"));
  ::mkfifo(fifo.c_str(), 0666);  // opening it for reading would wait for a writer forever
  {
    // Sparse: 300 MB that take no room.
    const int fd = ::open(huge.c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_EQ(::ftruncate(fd, off_t{300} << 20), 0);
    ::close(fd);
  }
  const struct {
    std::string path;
    uint64_t limit;
    const char* message;  // empty: read
  } cases[] = {
      {small, 10, ""},
      {small, 9, "It holds 10 bytes; files above 9 bytes are refused."},
      {huge, kMaxDataFileSize, "It holds 314,572,800 bytes; files above 268,435,456 bytes are refused."},
      {fifo, kMaxDataFileSize, "It is not a regular file."},
      {"/dev/zero", kMaxDataFileSize, "It is not a regular file."},
      {(dir / "folder").string(), kMaxDataFileSize, "It is a folder."},
      {(dir / "missing").string(), kMaxDataFileSize, "No such file or directory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    try {
      const Bytes data = ReadWholeFile(c.path, c.limit);
      EXPECT_STREQ(c.message, "");
      EXPECT_EQ(std::string(data.begin(), data.end()), "0123456789");
    } catch (const EFileError& e) {
      const std::string what = e.what();
      EXPECT_NE(*c.message, '\0') << what;
      EXPECT_NE(what.find(c.message), std::string::npos) << what;
      EXPECT_NE(what.find("\"" + c.path + "\""), std::string::npos) << what;
    }
  }
  fs::remove_all(dir);
}
