#pragma once
// The one way files are saved: each file is either wholly replaced or left as it was, and a group of
// files can be put in place together.
//
// A save writes into a temporary file in the target's folder, named ".NAME.tess-save-XXXXXX" so it
// can be told apart from anything else; the file is flushed to the disk, renamed over the target,
// and the folder is synced so that the rename itself survives a crash. Rules every save follows:
// - A symbolic link at the target, live or dangling, is written through: the file it names is
//   replaced (or created) and the link stays a link.
// - The target keeps its permissions and, where the system allows, its owner. A new file gets the
//   usual permissions of a new file (0666 less the umask).
// - A target nobody may write (mode 0444, say) is refused with "Permission denied" unless the
//   caller asks to replace it; the replacement then keeps the old permissions.
// - A target that is not a regular file (a folder, a device, a FIFO) is refused.
// - After a save succeeds, temporary files of the same target left behind by saves that died
//   (older than this one and held by no running save) are removed.
// Failures raise EFileError naming the file and the reason; the old file is then untouched and the
// temporary file removed.

#include <memory>
#include <string>
#include <vector>

#include "core/Stream.h"

namespace tess {

struct TWriteOptions {
  // Replace a target that has no write permission instead of refusing it.
  bool replaceReadOnly = false;
};

// The part every temporary file of a save carries after the target's name.
inline constexpr const char kSaveTempMark[] = ".tess-save-";
// Whether a folder entry is the temporary file of a save (one that died leaves it behind until the
// next save of its target): such files are never taken for data.
bool IsSaveTemporaryName(const std::string& name);

// One file being saved. It is a write-only stream: Write takes everything or raises EFileError, and
// Seek and Size work on what was written so far. Nothing reaches the target before Commit; a file
// that is destroyed uncommitted is abandoned.
class TAtomicFile final : public TStream {
 public:
  explicit TAtomicFile(const std::string& path, TWriteOptions options = {});
  ~TAtomicFile() override;
  TAtomicFile(const TAtomicFile&) = delete;
  TAtomicFile& operator=(const TAtomicFile&) = delete;

  size_t Read(void* buffer, size_t count) override;  // reads nothing
  size_t Write(const void* buffer, size_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override;

  void Append(const Bytes& data) { Write(data.data(), data.size()); }
  void Append(const std::string& data) { Write(data.data(), data.size()); }
  // Appends the whole content of a file, block by block.
  void AppendFile(const std::string& source);

  // Finish and Publish in one.
  void Commit();
  // Removes the temporary file; the target stays as it was. Never raises.
  void Abandon();

  // The two halves of Commit, for staged commits: Finish puts the data on the disk under the
  // temporary name; Publish renames it over the target and syncs the folder unless told not to.
  void Finish();
  void Publish(bool syncFolder = true);

  const std::string& Path() const { return path_; }      // as the caller named it
  const std::string& Target() const { return target_; }  // the file really replaced, links followed
  const std::string& Folder() const { return folder_; }
  const std::string& TempPath() const { return temp_; }

 private:
  [[noreturn]] void Fail(const std::string& reason);
  void Flush();
  void RemoveStaleTemporaries() const;

  std::string path_, target_, folder_, temp_;
  int fd_ = -1;
  bool finished_ = false, published_ = false;
  int64_t startSeconds_ = 0, startNanoseconds_ = 0;
  std::vector<uint8_t> buffer_;
  int64_t position_ = 0;  // of the next byte, counting what is still in the buffer
};

// Files saved together: each is written through Add's file; Commit first puts every file's data on
// the disk and only then renames them into place, so a failure while writing leaves every target
// as it was. Files not committed are abandoned when the commit is destroyed.
class TStagedCommit {
 public:
  TAtomicFile& Add(const std::string& path, TWriteOptions options = {});
  // Adds a copy of source under path.
  void AddCopy(const std::string& source, const std::string& path, TWriteOptions options = {});
  void Commit();
  void Abandon();
  bool Empty() const { return files_.empty(); }

 private:
  std::vector<std::unique_ptr<TAtomicFile>> files_;
};

// A whole file saved in one call.
void WriteFileAtomic(const std::string& path, const Bytes& data, TWriteOptions options = {});
void WriteFileAtomic(const std::string& path, const std::string& data, TWriteOptions options = {});
// A copy of source saved as path the same way, read a block at a time. The copy takes nothing of
// the source's permissions (a read-only source gives a writable new file). Copying a file onto
// itself (the same file under another name) is refused with EFileError, and so is a source that
// cannot be read or is not a regular file.
void CopyFileAtomic(const std::string& source, const std::string& path, TWriteOptions options = {});
// True when both names lead to the same existing file.
bool SameFile(const std::string& a, const std::string& b);

// The same, reporting failure through the return value and message instead of raising.
bool TryWriteFileAtomic(const std::string& path, const Bytes& data, std::string* message = nullptr);

}  // namespace tess
