#include "core/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

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

void WriteAll(const std::string& path, const void* data, size_t size) {
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

  // Keep the old file's permissions; a new file gets the usual ones.
  struct stat st;
  mode_t mode;
  if (::stat(target.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ::fchmod(fd, mode);

  const char* p = static_cast<const char*>(data);
  size_t left = size;
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      abandon(Reason());
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
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

}  // namespace

void WriteFileAtomic(const std::string& path, const Bytes& data) { WriteAll(path, data.data(), data.size()); }

void WriteFileAtomic(const std::string& path, const std::string& data) { WriteAll(path, data.data(), data.size()); }

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
