#include "core/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "core/Errors.h"

namespace tess {

namespace {

std::string Reason() { return std::strerror(errno); }

[[noreturn]] void Fail(const std::string& path, const std::string& reason) {
  throw EFileError("Cannot write file \"" + path + "\". " + reason);
}

// The file the name really stands for: a symbolic link is replaced through its target.
std::string ResolveTarget(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved)) return resolved;
  }
  return path;
}

// Writes everything to fd; false with errno set on failure.
bool WriteFully(int fd, const void* data, size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd, p, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// Fills a temporary file in path's folder through fill (which returns an error text, empty on
// success), flushes it and renames it over path. keepMode keeps an old file's permissions; else
// the file gets those of a new one.
void WriteThrough(const std::string& path, const std::function<std::string(int fd)>& fill, bool keepMode) {
  const std::string target = ResolveTarget(path);
  const size_t slash = target.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temp = folder + "/." + base + ".XXXXXX";
  int fd = ::mkstemp(temp.data());
  if (fd < 0) Fail(path, Reason());

  auto abandon = [&](const std::string& reason) {
    ::close(fd);
    ::unlink(temp.c_str());
    Fail(path, reason);
  };

  struct stat st;
  mode_t mode;
  if (keepMode && ::stat(target.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ::fchmod(fd, mode);

  const std::string failure = fill(fd);
  if (!failure.empty()) abandon(failure);
  if (::fsync(fd) != 0) abandon(Reason());
  if (::close(fd) != 0) {
    ::unlink(temp.c_str());
    Fail(path, Reason());
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    std::string reason = Reason();
    ::unlink(temp.c_str());
    Fail(path, reason);
  }
  // Make the rename itself durable.
  int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

void WriteAll(const std::string& path, const void* data, size_t size) {
  // Keep the old file's permissions; a new file gets the usual ones.
  WriteThrough(
      path, [&](int fd) { return WriteFully(fd, data, size) ? std::string() : Reason(); }, true);
}

}  // namespace

void WriteFileAtomic(const std::string& path, const Bytes& data) { WriteAll(path, data.data(), data.size()); }

void WriteFileAtomic(const std::string& path, const std::string& data) { WriteAll(path, data.data(), data.size()); }

bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

void CopyFileAtomic(const std::string& source, const std::string& path) {
  if (SameFile(source, path)) Fail(path, "It is the file to be copied itself.");
  const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) throw EFileError("Cannot open file \"" + source + "\". " + Reason());
  try {
    WriteThrough(
        path,
        [&](int fd) -> std::string {
          std::vector<char> buffer(1 << 20);
          for (;;) {
            const ssize_t n = ::read(in, buffer.data(), buffer.size());
            if (n == 0) return {};
            if (n < 0) {
              if (errno == EINTR) continue;
              return "Cannot read \"" + source + "\". " + Reason();
            }
            if (!WriteFully(fd, buffer.data(), static_cast<size_t>(n))) return Reason();
          }
        },
        false);
  } catch (...) {
    ::close(in);
    throw;
  }
  ::close(in);
}

bool TryWriteFileAtomic(const std::string& path, const Bytes& data, std::string* message) {
  try {
    WriteFileAtomic(path, data);
    return true;
  } catch (const EFileError& e) {
    if (message) *message = e.what();
    return false;
  }
}

}  // namespace tess
