#include "core/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <set>

#include "core/Errors.h"

namespace tess {

namespace {

constexpr size_t kBufferSize = size_t{1} << 16;
constexpr size_t kCopyBlock = size_t{1} << 20;
constexpr int kMaxLinkHops = 40;   // as the kernel allows
constexpr size_t kRandomPart = 6;  // the XXXXXX of mkstemp

std::string Reason() { return std::strerror(errno); }

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The name before the random part of every temporary file of one target. Long names are cut so
// that the temporary name still fits in a folder entry.
std::string TempPrefix(const std::string& base) {
  const size_t room = NAME_MAX - 1 - (sizeof kSaveTempMark - 1) - kRandomPart;
  return "." + base.substr(0, std::min(base.size(), room)) + kSaveTempMark;
}

// The file a name stands for: symbolic links are followed one by one, so a link whose file does
// not exist yet names the file to create.
std::string FollowLinks(const std::string& path, std::string& error) {
  std::string current = path;
  for (int hops = 0;; ++hops) {
    struct stat st;
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    if (hops == kMaxLinkHops) {
      error = std::strerror(ELOOP);
      return {};
    }
    char link[PATH_MAX];
    const ssize_t n = ::readlink(current.c_str(), link, sizeof link - 1);
    if (n < 0) {
      error = Reason();
      return {};
    }
    const std::string to(link, static_cast<size_t>(n));
    if (to.empty() || to[0] == '/' || current.find('/') == std::string::npos)
      current = to;
    else
      current = FolderOf(current) + "/" + to;
  }
}

bool WriteAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

void SyncFolder(const std::string& folder) {
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return;
  ::fsync(dir);  // some file systems refuse this; the data themselves are already synced
  ::close(dir);
}

bool Older(const struct stat& st, int64_t seconds, int64_t nanoseconds) {
  return st.st_mtim.tv_sec < seconds || (st.st_mtim.tv_sec == seconds && st.st_mtim.tv_nsec < nanoseconds);
}

}  // namespace

bool IsSaveTemporaryName(const std::string& name) {
  const size_t mark = name.rfind(kSaveTempMark);
  return !name.empty() && name[0] == '.' && mark != std::string::npos && mark > 1 &&
         name.size() == mark + sizeof kSaveTempMark - 1 + kRandomPart;
}

TAtomicFile::TAtomicFile(const std::string& path, TWriteOptions options) : path_(path) {
  std::string error;
  target_ = FollowLinks(path, error);
  if (!error.empty()) Fail(error);
  folder_ = FolderOf(target_);
  const std::string base = BaseOf(target_);
  if (base.empty() || base == "." || base == "..") Fail("The name names no file.");

  struct stat old;
  const bool exists = ::stat(target_.c_str(), &old) == 0;
  if (exists) {
    if (!S_ISREG(old.st_mode)) Fail("It is not a regular file.");
    const int denied = ::access(target_.c_str(), W_OK) == 0 ? 0 : errno;
    // No option makes a read-only file system writable, and it is said as such.
    if (denied == EROFS) Fail(std::strerror(EROFS));
    const bool writable = (old.st_mode & 0222) != 0 && denied == 0;
    if (!writable && !options.replaceReadOnly) Fail(std::strerror(EACCES));
  }

  temp_ = folder_ + "/" + TempPrefix(base) + std::string(kRandomPart, 'X');
  fd_ = ::mkostemp(temp_.data(), O_CLOEXEC);
  if (fd_ < 0) {
    const std::string reason = Reason();
    temp_.clear();
    Fail(reason);
  }
  // The lock tells a later save's clean-up that this file belongs to a save still running.
  ::flock(fd_, LOCK_EX);
  struct stat made;
  if (::fstat(fd_, &made) == 0) {
    startSeconds_ = made.st_mtim.tv_sec;
    startNanoseconds_ = made.st_mtim.tv_nsec;
  }

  if (exists) {
    mode_t mode = old.st_mode & 07777;
    if ((old.st_uid != made.st_uid || old.st_gid != made.st_gid) && ::fchown(fd_, old.st_uid, old.st_gid) != 0)
      mode &= 0777;  // no set-id bits on a file of another owner
    ::fchmod(fd_, mode);
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd_, 0666 & ~mask);
  }
  buffer_.reserve(kBufferSize);
}

TAtomicFile::~TAtomicFile() { Abandon(); }

void TAtomicFile::Fail(const std::string& reason) {
  Abandon();
  throw EFileError("Cannot write file \"" + path_ + "\". " + reason);
}

size_t TAtomicFile::Read(void*, size_t) { return 0; }

size_t TAtomicFile::Write(const void* data, size_t count) {
  if (fd_ < 0 || finished_) Fail("The file is already closed.");
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  if (buffer_.size() + count > kBufferSize) {
    Flush();
    if (count >= kBufferSize) {
      if (!WriteAll(fd_, bytes, count)) Fail(Reason());
      position_ += static_cast<int64_t>(count);
      return count;
    }
  }
  buffer_.insert(buffer_.end(), bytes, bytes + count);
  position_ += static_cast<int64_t>(count);
  return count;
}

void TAtomicFile::Flush() {
  if (buffer_.empty()) return;
  if (!WriteAll(fd_, buffer_.data(), buffer_.size())) Fail(Reason());
  buffer_.clear();
}

int64_t TAtomicFile::Seek(int64_t offset, TSeekOrigin origin) {
  if (origin == TSeekOrigin::Current && offset == 0) return position_;
  if (fd_ < 0) Fail("The file is already closed.");
  Flush();
  const int whence = origin == TSeekOrigin::Begin ? SEEK_SET : origin == TSeekOrigin::Current ? SEEK_CUR : SEEK_END;
  const off_t at = ::lseek(fd_, offset, whence);
  if (at < 0) Fail(Reason());
  position_ = at;
  return at;
}

int64_t TAtomicFile::Size() {
  if (fd_ < 0) Fail("The file is already closed.");
  Flush();
  struct stat st;
  if (::fstat(fd_, &st) != 0) Fail(Reason());
  return std::max<int64_t>(st.st_size, position_);
}

void TAtomicFile::AppendFile(const std::string& source) {
  const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  std::string error;
  struct stat st;
  if (in < 0)
    error = Reason();
  else if (::fstat(in, &st) != 0)
    error = Reason();
  else if (!S_ISREG(st.st_mode))
    error = "It is not a regular file.";
  if (error.empty()) {
    std::unique_ptr<uint8_t[]> block(new uint8_t[kCopyBlock]);
    for (;;) {
      const ssize_t n = ::read(in, block.get(), kCopyBlock);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) error = Reason();
      if (n <= 0) break;
      try {
        Write(block.get(), static_cast<size_t>(n));
      } catch (...) {
        ::close(in);
        throw;
      }
    }
  }
  if (in >= 0) ::close(in);
  if (!error.empty()) {
    Abandon();
    throw EFileError("Cannot read file \"" + source + "\". " + error);
  }
}

void TAtomicFile::Finish() {
  if (finished_) return;
  if (fd_ < 0) Fail("The file is already closed.");
  Flush();
  if (::fsync(fd_) != 0) Fail(Reason());
  finished_ = true;
}

void TAtomicFile::Publish(bool syncFolder) {
  if (published_) return;
  Finish();
  if (::rename(temp_.c_str(), target_.c_str()) != 0) Fail(Reason());
  published_ = true;
  // The data were synced by Finish; a failure to close now loses nothing.
  ::close(fd_);
  fd_ = -1;
  if (syncFolder) SyncFolder(folder_);
  RemoveStaleTemporaries();
}

void TAtomicFile::Commit() { Publish(true); }

void TAtomicFile::Abandon() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!published_ && !temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
}

void TAtomicFile::RemoveStaleTemporaries() const {
  const std::string prefix = TempPrefix(BaseOf(target_));
  DIR* dir = ::opendir(folder_.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() != prefix.size() + kRandomPart || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string full = folder_ + "/" + name;
    const int fd = ::open(full.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat st;
    // A save that is still writing holds its lock; one that started after this one is not stale.
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && Older(st, startSeconds_, startNanoseconds_) &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0)
      ::unlink(full.c_str());
    ::close(fd);
  }
  ::closedir(dir);
}

TAtomicFile& TStagedCommit::Add(const std::string& path, TWriteOptions options) {
  files_.push_back(std::make_unique<TAtomicFile>(path, options));
  return *files_.back();
}

void TStagedCommit::AddCopy(const std::string& source, const std::string& path, TWriteOptions options) {
  Add(path, options).AppendFile(source);
}

void TStagedCommit::Commit() {
  try {
    for (auto& file : files_) file->Finish();
    std::set<std::string> folders;
    for (auto& file : files_) {
      file->Publish(false);
      folders.insert(file->Folder());
    }
    for (const std::string& folder : folders) SyncFolder(folder);
  } catch (...) {
    Abandon();
    throw;
  }
  files_.clear();
}

void TStagedCommit::Abandon() {
  for (auto& file : files_) file->Abandon();
  files_.clear();
}

void WriteFileAtomic(const std::string& path, const Bytes& data, TWriteOptions options) {
  TAtomicFile file(path, options);
  file.Append(data);
  file.Commit();
}

void WriteFileAtomic(const std::string& path, const std::string& data, TWriteOptions options) {
  TAtomicFile file(path, options);
  file.Append(data);
  file.Commit();
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

void CopyFileAtomic(const std::string& source, const std::string& path, TWriteOptions options) {
  // Renaming a copy over its own source would lose nothing, but a copy onto itself is never what
  // was meant.
  if (SameFile(source, path))
    throw EFileError("Cannot write file \"" + path + "\". It is the file to be copied itself.");
  TAtomicFile file(path, options);
  file.AppendFile(source);
  file.Commit();
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
