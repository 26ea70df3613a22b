#include "core/NameEncoding.h"

#include <cstdio>
#include <mutex>

namespace tess {

namespace {

std::mutex converterMutex;
std::shared_ptr<const TNameConverter> converter;

// The installed converter, kept alive for the caller (a background check may read names while the
// editor switches projects).
std::shared_ptr<const TNameConverter> Converter() {
  std::lock_guard<std::mutex> lock(converterMutex);
  return converter;
}

// Length of the UTF-8 sequence at bytes[i], or 0 when none starts there.
size_t Utf8SequenceLength(const std::string& bytes, size_t i) {
  const auto b = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
  const unsigned char c = b(i);
  if (c < 0x80) return 1;
  size_t length;
  unsigned int lowest;
  if (c >= 0xC2 && c <= 0xDF) {
    length = 2;
    lowest = 0x80;
  } else if (c >= 0xE0 && c <= 0xEF) {
    length = 3;
    lowest = 0x800;
  } else if (c >= 0xF0 && c <= 0xF4) {
    length = 4;
    lowest = 0x10000;
  } else {
    return 0;
  }
  if (i + length > bytes.size()) return 0;
  unsigned int code = c & (0x7F >> length);
  for (size_t k = 1; k < length; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (b(i + k) & 0x3F);
  }
  if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

std::string Hex(unsigned char c) {
  char text[4];
  std::snprintf(text, sizeof text, "%02X", c);
  return text;
}

// UTF-8 text as it is, every byte outside a UTF-8 sequence as "\xNN".
std::string EscapeNonUtf8(const std::string& bytes) {
  std::string out;
  for (size_t i = 0; i < bytes.size();) {
    const size_t length = Utf8SequenceLength(bytes, i);
    if (length == 0) {
      out += "\\x" + Hex(static_cast<unsigned char>(bytes[i]));
      ++i;
    } else {
      out.append(bytes, i, length);
      i += length;
    }
  }
  return out;
}

}  // namespace

const TNameConverter* CurrentNameConverter() { return Converter().get(); }

void SetNameConverter(std::shared_ptr<const TNameConverter> next) {
  std::lock_guard<std::mutex> lock(converterMutex);
  converter = std::move(next);
}

bool IsValidUtf8(const std::string& bytes) {
  for (size_t i = 0; i < bytes.size();) {
    const size_t length = Utf8SequenceLength(bytes, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

bool IsAscii(const std::string& bytes) {
  for (char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

std::vector<std::string> DiskNameCandidates(const std::string& stored) {
  std::vector<std::string> names;
  if (!IsAscii(stored)) {
    if (auto c = Converter()) {
      if (auto text = c->ToUtf8(stored); text && *text != stored) names.push_back(*text);
    }
  }
  names.push_back(stored);
  return names;
}

std::string StoredNameOf(const std::string& diskName) {
  if (IsAscii(diskName) || !IsValidUtf8(diskName)) return diskName;
  auto c = Converter();
  if (!c) return diskName;
  auto bytes = c->FromUtf8(diskName);
  // Only a name that reads back as itself is taken: a best fit would name another file.
  if (!bytes) return diskName;
  auto back = c->ToUtf8(*bytes);
  return back && *back == diskName ? *bytes : diskName;
}

std::string StoredPathOf(const std::string& diskPath) {
  std::string out;
  size_t start = 0;
  while (true) {
    const size_t slash = diskPath.find('/', start);
    out += StoredNameOf(diskPath.substr(start, slash == std::string::npos ? std::string::npos : slash - start));
    if (slash == std::string::npos) break;
    out += '/';
    start = slash + 1;
  }
  return out;
}

std::string DiskNameOf(const std::string& name) {
  if (IsValidUtf8(name)) return name;
  if (auto c = Converter()) {
    if (auto text = c->ToUtf8(name)) return *text;
  }
  return name;
}

std::string ShownName(const std::string& stored) {
  if (IsAscii(stored)) return stored;
  if (auto c = Converter()) {
    if (auto text = c->ToUtf8(stored)) return *text;
  }
  return EscapeNonUtf8(stored);
}

std::string ShownPath(const std::string& path) {
  if (IsValidUtf8(path)) return path;
  // Each part on its own: a folder named in UTF-8 may hold a file named with the raw bytes.
  auto c = Converter();
  std::string out;
  size_t start = 0;
  while (true) {
    const size_t slash = path.find('/', start);
    const std::string part = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
    std::optional<std::string> text;
    if (!IsValidUtf8(part) && c) text = c->ToUtf8(part);
    out += IsValidUtf8(part) ? part : text ? *text : EscapeNonUtf8(part);
    if (slash == std::string::npos) break;
    out += '/';
    start = slash + 1;
  }
  return out;
}

std::string DescribeMissingName(const std::string& stored) {
  std::string text = ShownName(stored);
  if (IsAscii(stored)) return text;
  text += " (bytes";
  for (char c : stored) text += " " + Hex(static_cast<unsigned char>(c));
  return text + ")";
}

}  // namespace tess
