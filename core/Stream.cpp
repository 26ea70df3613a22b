#include "core/Stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/Errors.h"

namespace tess {

namespace {

// "1,048,576"
std::string Grouped(uint64_t n) {
  std::string digits = std::to_string(n), out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

std::string TooLargeText(uint64_t size, uint64_t limit, bool atLeast = false) {
  return std::string("It holds ") + (atLeast ? "at least " : "") + Grouped(size) + " bytes; files above " +
         Grouped(limit) + " bytes are refused.";
}

}  // namespace

void TStream::ReadBuffer(void* buffer, size_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError();
}

void TStream::WriteBuffer(const void* buffer, size_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError();
}

uint8_t TStream::ReadByte() {
  uint8_t b;
  ReadBuffer(&b, 1);
  return b;
}

size_t TMemoryStream::Read(void* buffer, size_t count) {
  size_t n = pos_ < data_.size() ? std::min(count, data_.size() - pos_) : 0;
  if (n) std::memcpy(buffer, data_.data() + pos_, n);
  pos_ += n;
  return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count) {
  if (count == 0) return 0;
  if (pos_ + count > data_.size()) data_.resize(pos_ + count);
  std::memcpy(data_.data() + pos_, buffer, count);
  pos_ += count;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t base = origin == TSeekOrigin::Begin     ? 0
                 : origin == TSeekOrigin::Current ? static_cast<int64_t>(pos_)
                                                  : static_cast<int64_t>(data_.size());
  int64_t target = base + offset;
  if (target < 0) target = 0;
  pos_ = static_cast<size_t>(target);
  return target;
}

Bytes ReadWholeFile(const std::string& path, uint64_t limit) {
  auto fail = [&](const std::string& reason) -> Bytes {
    throw EFileError("Cannot read file \"" + path + "\". " + reason);
  };
  // Looked at before it is opened: opening a FIFO for reading would wait for a writer.
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    const std::string reason = std::strerror(errno);
    throw EFileError("Cannot open file \"" + path + "\". " + reason);
  }
  if (!S_ISREG(st.st_mode)) return fail(S_ISDIR(st.st_mode) ? "It is a folder." : "It is not a regular file.");
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    const std::string reason = std::strerror(errno);
    throw EFileError("Cannot open file \"" + path + "\". " + reason);
  }
  struct TCloser {
    int fd;
    ~TCloser() { ::close(fd); }
  } closer{fd};
  // The name may have been swapped for something else since it was looked at.
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return fail("It is not a regular file.");
  const uint64_t size = static_cast<uint64_t>(st.st_size);
  if (size > limit) return fail(TooLargeText(size, limit));
  Bytes data(static_cast<size_t>(size));
  size_t got = 0;
  for (;;) {
    if (got < data.size()) {
      const ssize_t n = ::read(fd, data.data() + got, data.size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return fail(std::strerror(errno));
      if (n == 0) break;  // it shrank
      got += static_cast<size_t>(n);
      continue;
    }
    // Read as far as its size said: it may have grown since, or report no size at all.
    uint8_t more[4096];
    const ssize_t n = ::read(fd, more, sizeof more);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return fail(std::strerror(errno));
    if (n == 0) break;
    if (got + static_cast<uint64_t>(n) > limit) return fail(TooLargeText(got + static_cast<uint64_t>(n), limit, true));
    data.resize(static_cast<size_t>(std::min<uint64_t>(limit, std::max<uint64_t>(2 * got, got + 65536))));
    std::memcpy(data.data() + got, more, static_cast<size_t>(n));
    got += static_cast<size_t>(n);
  }
  data.resize(got);
  return data;
}

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace tess
