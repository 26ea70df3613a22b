#pragma once
// LHA archives: writing entries with level-2 headers and -lh5- compressed data, and reading
// archives with level 0, 1 and 2 headers.

#include <cstdint>
#include <string>
#include <vector>

#include "core/Errors.h"
#include "core/Stream.h"

namespace tess {

enum class TLhaMethod {
  Auto,    // -lh5-, or stored when compression does not make the data smaller
  Stored,  // -lh0-
  Lh5,     // -lh5- even when the result is larger
};

// The sizes of a level-2 header are 32-bit: no member, and no archive read back into memory, may
// be larger.
inline constexpr uint64_t kMaxArchiveMemberSize = 0xFFFFFFFFull;
inline constexpr uint64_t kMaxArchiveSize = 0xFFFFFFFFull;

// A damaged archive: what is wrong, and at which byte of the archive the entry begins.
class EDamagedArchive : public EReadError {
 public:
  EDamagedArchive(const std::string& what, uint64_t offset)
      : EReadError("The archive is damaged at byte " + std::to_string(offset) + ": " + what + ".") {}
};

// Writes an archive entry by entry to a stream. Paths inside the archive use '/' between folders.
class TLhaWriter {
 public:
  explicit TLhaWriter(TStream& out) : out_(out) {}

  void AddFile(const std::string& path, const uint8_t* data, size_t size, uint32_t mtime,
               TLhaMethod method = TLhaMethod::Auto);
  void AddFile(const std::string& path, const Bytes& data, uint32_t mtime, TLhaMethod method = TLhaMethod::Auto) {
    AddFile(path, data.data(), data.size(), mtime, method);
  }
  void AddDirectory(const std::string& path, uint32_t mtime);
  // Copies an entry's header and data bytes as they are (an entry of an archive being updated).
  void AddRaw(const uint8_t* data, size_t size) { out_.WriteBuffer(data, size); }
  // Writes the end mark; the stream then holds a complete archive.
  void Finish() { out_.WriteByte(0); }

 private:
  void WriteEntry(const std::string& path, const char* method, const uint8_t* packed, size_t packedSize,
                  size_t originalSize, uint16_t crc, uint32_t mtime, bool directory);
  TStream& out_;
};

// One entry of an archive as read from its header.
struct TLhaEntry {
  std::string path;    // folders separated by '/'; a folder entry has no trailing '/'
  std::string method;  // five characters, e.g. "-lh5-"
  uint8_t level = 0;
  bool directory = false;
  uint64_t packedSize = 0;
  uint64_t originalSize = 0;
  uint16_t crc = 0;
  uint32_t mtime = 0;       // seconds since 1970 for level 2 headers, else the header's MS-DOS stamp
  size_t headerOffset = 0;  // where the entry's header starts in the archive
  size_t dataOffset = 0;    // where its packed data starts
};

// Lists the entries of an archive held in memory. Damaged headers raise EDamagedArchive; every size
// is checked against the bytes present.
std::vector<TLhaEntry> ReadLhaDirectory(const Bytes& archive);

// Unpacks one entry and checks its CRC; raises EDamagedArchive for an unknown method or a wrong
// CRC, and "Stream read error." for damaged packed data or an original size above maxOutput.
Bytes ExtractLhaEntry(const Bytes& archive, const TLhaEntry& entry, size_t maxOutput = size_t{1} << 30);

}  // namespace tess
