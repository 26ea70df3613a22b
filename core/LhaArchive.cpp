#include "core/LhaArchive.h"

#include <cstring>

#include "core/Errors.h"
#include "core/Lh5Codec.h"

namespace tess {

namespace {

// Level-2 header layout: size (2), method (5), packed size (4), original size (4), time (4),
// attribute (1), level (1), data CRC (2), system id (1), size of the first extended header (2).
constexpr size_t kLevel2BaseSize = 26;
// Windows NT: names keep their case on extraction (archives marked MS-DOS have all-capital names
// lower-cased by extractors).
constexpr uint8_t kSystemId = 'W';

enum : uint8_t {
  kExtCommon = 0x00,  // header CRC
  kExtFileName = 0x01,
  kExtFolderName = 0x02,  // folder names, each followed by 0xFF
  kExtAttribute = 0x40,   // MS-DOS attribute, 16 bits
};

void Put16(Bytes& b, uint32_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
void Set16(Bytes& b, size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}
uint32_t Get16(const uint8_t* p) { return p[0] | (p[1] << 8); }
uint32_t Get32(const uint8_t* p) { return Get16(p) | (Get16(p + 2) << 16); }

// Splits "a/b/c" into the folder part "a/b/" and the name "c".
void SplitPath(const std::string& path, std::string& folder, std::string& name) {
  const size_t slash = path.find_last_of('/');
  folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  name = slash == std::string::npos ? path : path.substr(slash + 1);
}

// Header names use 0xFF or a backslash between folders; ours use '/'.
std::string NormalizeName(std::string name) {
  for (char& ch : name)
    if (ch == '\\' || static_cast<uint8_t>(ch) == 0xFF) ch = '/';
  while (!name.empty() && name.back() == '/') name.pop_back();
  return name;
}

}  // namespace

void TLhaWriter::WriteEntry(const std::string& path, const char* method, const uint8_t* packed, size_t packedSize,
                            size_t originalSize, uint16_t crc, uint32_t mtime, bool directory) {
  if (packedSize > 0xFFFFFFFFu || originalSize > 0xFFFFFFFFu)
    throw EFileError("File too large for the archive: " + path);
  std::string folder, name;
  if (directory) {
    folder = path;
    while (!folder.empty() && folder.back() == '/') folder.pop_back();
    folder += '/';
  } else {
    SplitPath(path, folder, name);
  }
  for (char& ch : folder)
    if (ch == '/') ch = static_cast<char>(0xFF);

  Bytes h;
  Put16(h, 0);  // header size, set below
  h.insert(h.end(), method, method + 5);
  Put32(h, static_cast<uint32_t>(packedSize));
  Put32(h, static_cast<uint32_t>(originalSize));
  Put32(h, mtime);
  h.push_back(0x20);
  h.push_back(2);
  Put16(h, crc);
  h.push_back(kSystemId);

  // Extended headers: each is preceded by its size (type byte, data and the next size field).
  struct TExt {
    uint8_t type;
    std::string data;
  };
  std::vector<TExt> exts;
  exts.push_back({kExtCommon, std::string(2, '\0')});
  if (!directory) exts.push_back({kExtFileName, name});
  if (!folder.empty()) exts.push_back({kExtFolderName, folder});
  exts.push_back({kExtAttribute, std::string(directory ? "\x10\x00" : "\x20\x00", 2)});
  size_t crcAt = 0;
  for (const TExt& e : exts) {
    if (e.data.size() > 0xFFFF - 3) throw EFileError("Name too long for the archive: " + path);
    Put16(h, static_cast<uint32_t>(e.data.size() + 3));
    h.push_back(e.type);
    if (e.type == kExtCommon) crcAt = h.size();
    h.insert(h.end(), e.data.begin(), e.data.end());
  }
  Put16(h, 0);
  // A header whose size has a zero low byte would read as the end mark: pad it by one byte.
  if ((h.size() & 0xFF) == 0) h.push_back(0);
  if (h.size() > 0xFFFF) throw EFileError("Name too long for the archive: " + path);
  Set16(h, 0, static_cast<uint32_t>(h.size()));
  Set16(h, crcAt, Crc16(h.data(), h.size()));
  out_.WriteBuffer(h.data(), h.size());
  out_.WriteBuffer(packed, packedSize);
}

void TLhaWriter::AddFile(const std::string& path, const uint8_t* data, size_t size, uint32_t mtime, TLhaMethod method) {
  const uint16_t crc = Crc16(data, size);
  if (method != TLhaMethod::Stored && size > 0) {
    Bytes packed = Lh5Compress(data, size);
    if (method == TLhaMethod::Lh5 || packed.size() < size) {
      WriteEntry(path, "-lh5-", packed.data(), packed.size(), size, crc, mtime, false);
      return;
    }
  }
  WriteEntry(path, "-lh0-", data, size, size, crc, mtime, false);
}

void TLhaWriter::AddDirectory(const std::string& path, uint32_t mtime) {
  WriteEntry(path, "-lhd-", nullptr, 0, 0, 0, mtime, true);
}

namespace {

[[noreturn]] void Damaged(const std::string& what, uint64_t offset) { throw EDamagedArchive(what, offset); }

}  // namespace

std::vector<TLhaEntry> ReadLhaDirectory(const Bytes& archive) {
  std::vector<TLhaEntry> entries;
  const uint8_t* a = archive.data();
  const size_t total = archive.size();
  size_t pos = 0;
  while (pos < total && a[pos] != 0) {
    const size_t left = total - pos;
    const uint8_t* h = a + pos;
    if (left < 22) Damaged("the header is cut off", pos);
    TLhaEntry e;
    e.headerOffset = pos;
    e.method.assign(reinterpret_cast<const char*>(h + 2), 5);
    e.packedSize = Get32(h + 7);
    e.originalSize = Get32(h + 11);
    e.mtime = Get32(h + 15);
    e.level = h[20];
    std::string folder, name;
    size_t headerSize = 0;
    size_t extAt = 0, extSize = 0;  // first extended header and its size
    if (e.level == 0 || e.level == 1) {
      headerSize = static_cast<size_t>(h[0]) + 2;
      if (headerSize > left || headerSize < 24)
        Damaged("the header size " + std::to_string(headerSize) + " is wrong", pos);
      uint8_t sum = 0;
      for (size_t i = 2; i < headerSize; ++i) sum = static_cast<uint8_t>(sum + h[i]);
      if (sum != h[1]) Damaged("the header checksum is wrong", pos);
      const size_t nameLen = h[21];
      if (22 + nameLen + 2 > headerSize) Damaged("the name runs past the header", pos);
      name.assign(reinterpret_cast<const char*>(h + 22), nameLen);
      e.crc = static_cast<uint16_t>(Get16(h + 22 + nameLen));
      if (e.level == 1) {
        if (22 + nameLen + 2 + 3 > headerSize) Damaged("the header is too short for its level", pos);
        extAt = headerSize;
        extSize = Get16(h + headerSize - 2);
      }
    } else if (e.level == 2) {
      headerSize = Get16(h);
      if (headerSize > left || headerSize < kLevel2BaseSize)
        Damaged("the header size " + std::to_string(headerSize) + " is wrong", pos);
      e.crc = static_cast<uint16_t>(Get16(h + 21));
      extAt = kLevel2BaseSize;
      extSize = Get16(h + 24);
    } else {
      Damaged("the header level " + std::to_string(e.level) + " is unknown", pos);
    }

    // Walk the extended headers. For level 1 they follow the base header and count as packed data;
    // for level 2 they lie inside the header.
    const size_t extLimit = e.level == 2 ? headerSize : left;
    size_t at = extAt;
    size_t extTotal = 0;
    size_t crcAt = 0;
    while (extSize != 0) {
      if (extSize < 3 || extSize > extLimit - at) Damaged("an extended header runs past its header", pos + at);
      const uint8_t type = h[at];
      const std::string data(reinterpret_cast<const char*>(h + at + 1), extSize - 3);
      if (type == kExtCommon && data.size() >= 2) crcAt = at + 1;
      if (type == kExtFileName) name = data;
      if (type == kExtFolderName) folder = data;
      extTotal += extSize;
      at += extSize;
      extSize = Get16(h + at - 2);
    }
    if (e.level == 1) {
      if (extTotal > e.packedSize) Damaged("the extended headers are larger than the entry", pos);
      e.packedSize -= extTotal;
      headerSize = at;
    }
    if (e.level == 2 && crcAt) {
      Bytes copy(h, h + headerSize);
      copy[crcAt] = copy[crcAt + 1] = 0;
      if (Crc16(copy.data(), copy.size()) != Get16(h + crcAt)) Damaged("the header CRC is wrong", pos);
    }
    if (!folder.empty()) folder = NormalizeName(folder) + "/";
    e.path = NormalizeName(folder + name);
    e.directory = e.method == "-lhd-";
    e.dataOffset = pos + headerSize;
    if (e.packedSize > total - e.dataOffset) Damaged("the data of " + e.path + " run past the end", pos);
    pos = e.dataOffset + e.packedSize;
    entries.push_back(std::move(e));
  }
  if (pos >= total) Damaged("the end mark is missing", pos);
  return entries;
}

Bytes ExtractLhaEntry(const Bytes& archive, const TLhaEntry& entry, size_t maxOutput) {
  if (entry.dataOffset > archive.size() || entry.packedSize > archive.size() - entry.dataOffset)
    Damaged("the data of " + entry.path + " run past the end", entry.headerOffset);
  const uint8_t* packed = archive.data() + entry.dataOffset;
  const size_t packedSize = static_cast<size_t>(entry.packedSize);
  Bytes data;
  if (entry.method == "-lhd-") return data;
  if (entry.method == "-lh0-") {
    if (entry.packedSize != entry.originalSize)
      Damaged("the sizes of the stored " + entry.path + " differ", entry.headerOffset);
    data.assign(packed, packed + packedSize);
  } else if (entry.method == "-lh5-") {
    data = Lh5Decompress(packed, packedSize, static_cast<size_t>(entry.originalSize), maxOutput);
  } else {
    Damaged("the method " + entry.method + " of " + entry.path + " is unknown", entry.headerOffset);
  }
  if (Crc16(data.data(), data.size()) != entry.crc)
    Damaged("the CRC of " + entry.path + " is wrong", entry.headerOffset);
  return data;
}

}  // namespace tess
