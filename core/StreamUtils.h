#pragma once
// The five chunk stream operations, and the in-memory reader and writer that the catalog model
// uses for speed. Both sides share one encoder and one decoder.

#include <cstdint>
#include <cstring>
#include <string>

#include "core/Errors.h"
#include "core/Stream.h"

namespace tess {

// Number of bytes (1..5) that the compressed form of value takes.
inline int EncodedIntSize(int32_t value) {
  uint32_t v = static_cast<uint32_t>(value);
  int n = 1;
  for (int k = 1; k <= 4; ++k)
    if (v >> (7 * k)) n = k + 1;
  return n;
}

// Decodes one compressed integer from a byte source; bits shifted out at the top fall away, so
// redundant leading groups from other producers read back as the value.
template <class NextByte>
inline int32_t DecodeInt(NextByte&& next) {
  uint32_t r = 0;
  uint8_t b;
  do {
    b = next();
    r = (r << 7) + (b & 0x7Fu);
  } while (b & 0x80);
  return static_cast<int32_t>(r);
}

// Writes the compressed form into out (at least 5 bytes); returns the byte count.
inline int EncodeInt(int32_t value, uint8_t* out) {
  uint32_t v = static_cast<uint32_t>(value);
  int n = EncodedIntSize(value);
  for (int j = n - 1; j >= 1; --j) *out++ = static_cast<uint8_t>(((v >> (7 * j)) & 0x7F) | 0x80);
  *out = static_cast<uint8_t>(v & 0x7F);
  return n;
}

int32_t ReadInt(TStream& stream);
void WriteInt(TStream& stream, int32_t value);
void WriteSizedInt(TStream& stream, int32_t value);
std::string ReadString(TStream& stream);
void WriteString(TStream& stream, const std::string& text);

// Reads from a block of memory it does not own. Every read is bounds-checked and raises
// "Stream read error." when the block ends first. A reader may be confined to a part of a larger
// block (a chunk's body within a file); its offsets then count from the start of the whole.
class TByteReader {
 public:
  TByteReader(const uint8_t* data, size_t size) : TByteReader(data, size, data) {}
  TByteReader(const uint8_t* data, size_t size, const uint8_t* origin)
      : begin_(data), cur_(data), end_(data + size), origin_(origin) {}

  // A reader of the next size bytes (which must be there), with the same origin.
  TByteReader Part(size_t size) const { return TByteReader(cur_, size, origin_); }
  // A reader of size bytes at data, a place inside the whole block, with the same origin.
  TByteReader PartAt(const uint8_t* data, size_t size) const { return TByteReader(data, size, origin_); }
  // Where the reader stands, from the start of the whole block.
  int64_t Offset() const { return cur_ - origin_; }
  int64_t OffsetOf(const uint8_t* p) const { return p - origin_; }

  size_t Pos() const { return static_cast<size_t>(cur_ - begin_); }
  size_t Size() const { return static_cast<size_t>(end_ - begin_); }
  size_t Remaining() const { return static_cast<size_t>(end_ - cur_); }
  bool AtEnd() const { return cur_ == end_; }
  const uint8_t* Here() const { return cur_; }
  void SetPos(size_t pos) {
    if (pos > Size()) throw EReadError();
    cur_ = begin_ + pos;
  }
  void Skip(size_t n) {
    if (n > Remaining()) throw EReadError();
    cur_ += n;
  }

  uint8_t ReadByte() {
    if (cur_ == end_) throw EReadError();
    return *cur_++;
  }
  int32_t ReadInt() {
    // Most integers of a file (chunk ids and sizes) take one byte.
    if (cur_ != end_ && !(*cur_ & 0x80)) return *cur_++;
    return DecodeInt([this] { return ReadByte(); });
  }
  // Reads one integer; false, with the reader where it was, when the block ends inside it.
  bool TryReadInt(int32_t& value) {
    if (cur_ != end_ && !(*cur_ & 0x80)) {
      value = *cur_++;
      return true;
    }
    const uint8_t* p = cur_;
    while (p != end_ && (*p & 0x80)) ++p;
    if (p == end_) return false;
    value = ReadInt();
    return true;
  }
  // A length or size read from input: negative or past the end is a read error.
  size_t ReadLength() {
    int32_t n = ReadInt();
    if (n < 0 || static_cast<size_t>(n) > Remaining()) throw EReadError();
    return static_cast<size_t>(n);
  }
  std::string ReadString() {
    size_t n = ReadLength();
    std::string s(reinterpret_cast<const char*>(cur_), n);
    cur_ += n;
    return s;
  }
  void ReadBytes(void* out, size_t n) {
    if (n > Remaining()) throw EReadError();
    if (n) std::memcpy(out, cur_, n);
    cur_ += n;
  }
  uint16_t ReadU16() {
    uint8_t b[2];
    ReadBytes(b, 2);
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
  }
  uint32_t ReadU32() {
    uint8_t b[4];
    ReadBytes(b, 4);
    return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) | (static_cast<uint32_t>(b[2]) << 16) |
           (static_cast<uint32_t>(b[3]) << 24);
  }

 private:
  const uint8_t* begin_;
  const uint8_t* cur_;
  const uint8_t* end_;
  const uint8_t* origin_;
};

// Appends to a byte buffer it does not own.
class TByteWriter {
 public:
  explicit TByteWriter(Bytes& out) : out_(out) {}

  Bytes& Buffer() { return out_; }
  size_t Size() const { return out_.size(); }
  void WriteByte(uint8_t b) { out_.push_back(b); }
  void WriteBytes(const void* data, size_t n) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    out_.insert(out_.end(), bytes, bytes + n);
  }
  void WriteInt(int32_t value) {
    uint8_t tmp[5];
    WriteBytes(tmp, static_cast<size_t>(EncodeInt(value, tmp)));
  }
  void WriteSizedInt(int32_t value) {
    uint8_t tmp[6];
    int n = EncodeInt(value, tmp + 1);
    tmp[0] = static_cast<uint8_t>(n);
    WriteBytes(tmp, static_cast<size_t>(n) + 1);
  }
  void WriteString(const std::string& s) {
    WriteInt(static_cast<int32_t>(s.size()));
    WriteBytes(s.data(), s.size());
  }
  void WriteU16(uint16_t v) {
    uint8_t b[2] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
    WriteBytes(b, 2);
  }
  void WriteU32(uint32_t v) {
    uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
                    static_cast<uint8_t>(v >> 24)};
    WriteBytes(b, 4);
  }

 private:
  Bytes& out_;
};

}  // namespace tess
