#include "core/Stream.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/Errors.h"

namespace tess {

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

TFileStream::TFileStream(const std::string& path, TFileMode mode) {
  file_ = std::fopen(path.c_str(), mode == TFileMode::Read ? "rb" : "w+b");
  if (!file_) throw EFileError("Cannot open file \"" + path + "\". " + std::strerror(errno));
}

TFileStream::~TFileStream() {
  if (file_) std::fclose(file_);
}

size_t TFileStream::Read(void* buffer, size_t count) { return std::fread(buffer, 1, count, file_); }

size_t TFileStream::Write(const void* buffer, size_t count) { return std::fwrite(buffer, 1, count, file_); }

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  int whence = origin == TSeekOrigin::Begin ? SEEK_SET : origin == TSeekOrigin::Current ? SEEK_CUR : SEEK_END;
  if (!(origin == TSeekOrigin::Current && offset == 0)) std::fseek(file_, offset, whence);
  return std::ftell(file_);
}

int64_t TFileStream::Size() {
  long here = std::ftell(file_);
  std::fseek(file_, 0, SEEK_END);
  long size = std::ftell(file_);
  std::fseek(file_, here, SEEK_SET);
  return size;
}

Bytes ReadWholeFile(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) throw EFileError("Cannot open file \"" + path + "\". " + std::strerror(errno));
  Bytes data;
  uint8_t chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) data.insert(data.end(), chunk, chunk + n);
  bool failed = std::ferror(f);
  std::fclose(f);
  if (failed) throw EFileError("Cannot read file \"" + path + "\".");
  return data;
}

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace tess
