#pragma once
// Seekable byte streams: the memory and file streams every loader and saver works on.

#include <cstdint>
#include <string>
#include <vector>

namespace tess {

using Bytes = std::vector<uint8_t>;

enum class TSeekOrigin { Begin, Current, End };

class TStream {
 public:
  virtual ~TStream() = default;
  // Reads up to count bytes; returns how many were read (fewer only at the end).
  virtual size_t Read(void* buffer, size_t count) = 0;
  // Writes up to count bytes; returns how many were taken.
  virtual size_t Write(const void* buffer, size_t count) = 0;
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
  virtual int64_t Size() = 0;

  int64_t Position() { return Seek(0, TSeekOrigin::Current); }
  void SetPosition(int64_t pos) { Seek(pos, TSeekOrigin::Begin); }
  int64_t Remaining() { return Size() - Position(); }

  // Exact reads and writes: raise "Stream read error." / "Stream write error." when short.
  void ReadBuffer(void* buffer, size_t count);
  void WriteBuffer(const void* buffer, size_t count);
  uint8_t ReadByte();
  void WriteByte(uint8_t b) { WriteBuffer(&b, 1); }
};

// A growable block of memory with a position. Writing past the end grows the block.
class TMemoryStream final : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(Bytes data) : data_(std::move(data)) {}

  size_t Read(void* buffer, size_t count) override;
  size_t Write(const void* buffer, size_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(data_.size()); }

  void Clear() {
    data_.clear();
    pos_ = 0;
  }
  void SetSize(size_t n) {
    data_.resize(n);
    if (pos_ > n) pos_ = n;
  }
  const Bytes& Data() const { return data_; }
  Bytes& Data() { return data_; }
  Bytes TakeData() {
    pos_ = 0;
    return std::move(data_);
  }
  size_t Pos() const { return pos_; }

 private:
  Bytes data_;
  size_t pos_ = 0;
};

// Larger than any file of a real project: data files and pictures above it are refused before
// they are read.
inline constexpr uint64_t kMaxDataFileSize = uint64_t{256} << 20;

// Whole-file helpers. ReadWholeFile raises EFileError when the file cannot be read, is not a
// regular file (a folder, a device or a FIFO, which is never opened for reading), or is larger
// than limit bytes; the message names the file and, for a file too large, its size.
Bytes ReadWholeFile(const std::string& path, uint64_t limit = kMaxDataFileSize);
bool FileExists(const std::string& path);

}  // namespace tess
