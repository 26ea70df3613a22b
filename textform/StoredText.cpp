#include "textform/StoredText.h"

#include <strings.h>

#include <cerrno>
#include <stdexcept>

namespace tess {

namespace {

constexpr char kEsc = '\x1B';

// The converter's name of a code page the editor offers. The Windows code pages are the ones game
// files are written in (the East Asian names stand for their Windows variants).
std::string IconvName(const std::string& codePage) {
  static const struct {
    const char* name;
    const char* iconv;
  } kNames[] = {{"Shift_JIS", "CP932"}, {"GBK", "CP936"}, {"Big5", "CP950"}, {"EUC-KR", "CP949"}};
  for (const auto& n : kNames)
    if (strcasecmp(codePage.c_str(), n.name) == 0) return n.iconv;
  if (strncasecmp(codePage.c_str(), "windows-", 8) == 0) return "CP" + codePage.substr(8);
  return codePage;
}

const char kHex[] = "0123456789abcdef";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void AppendEscape(std::string& out, unsigned char byte) {
  out += kEsc;
  out += 'x';
  out += kHex[byte >> 4];
  out += kHex[byte & 15];
}

bool AllPlainAscii(const std::string& s) {
  for (unsigned char c : s)
    if (c >= 0x80 || c == 0x1B) return false;
  return true;
}

// The number of bytes of the UTF-8 character that starts with c.
size_t Utf8Length(unsigned char c) { return c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2; }

}  // namespace

TStoredText::TStoredText(const std::string& codePage) : codePage_(codePage) {
  const std::string name = IconvName(codePage);
  toUtf8_ = iconv_open("UTF-8", name.c_str());
  fromUtf8_ = iconv_open(name.c_str(), "UTF-8");
  if (toUtf8_ == reinterpret_cast<iconv_t>(-1) || fromUtf8_ == reinterpret_cast<iconv_t>(-1)) {
    if (toUtf8_ != reinterpret_cast<iconv_t>(-1)) iconv_close(toUtf8_);
    if (fromUtf8_ != reinterpret_cast<iconv_t>(-1)) iconv_close(fromUtf8_);
    throw std::invalid_argument("unknown code page \"" + codePage + "\"");
  }
}

TStoredText::~TStoredText() {
  iconv_close(toUtf8_);
  iconv_close(fromUtf8_);
}

bool TStoredText::Convert(iconv_t cd, const char* in, size_t size, std::string& out) const {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  out.resize(size * 4 + 8);
  char* src = const_cast<char*>(in);
  size_t left = size;
  char* dst = out.data();
  size_t room = out.size();
  if (iconv(cd, &src, &left, &dst, &room) == static_cast<size_t>(-1) ||
      iconv(cd, nullptr, nullptr, &dst, &room) == static_cast<size_t>(-1)) {
    out.clear();
    return false;
  }
  out.resize(out.size() - room);
  return left == 0;
}

std::string TStoredText::ToUtf8(const std::string& stored) const {
  if (AllPlainAscii(stored)) return stored;
  std::string whole, back;
  if (stored.find(kEsc) == std::string::npos && Convert(toUtf8_, stored.data(), stored.size(), whole) &&
      Convert(fromUtf8_, whole.data(), whole.size(), back) && back == stored)
    return whole;
  // Character by character: each takes the shortest run of bytes that converts to one character
  // and back to the same bytes; a byte that starts none is escaped.
  std::string out, one;
  for (size_t i = 0; i < stored.size();) {
    const unsigned char c = static_cast<unsigned char>(stored[i]);
    if (c == 0x1B) {
      out += kEsc;
      out += kEsc;
      ++i;
      continue;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    size_t taken = 0;
    for (size_t n = 1; n <= 4 && i + n <= stored.size() && !taken; ++n) {
      if (!Convert(toUtf8_, stored.data() + i, n, one) || one.empty() || Utf8Length(one[0]) != one.size()) continue;
      if (static_cast<unsigned char>(one[0]) < 0x80 || one == "\x1B") continue;
      if (Convert(fromUtf8_, one.data(), one.size(), back) && back.compare(0, std::string::npos, stored, i, n) == 0) {
        out += one;
        taken = n;
      }
    }
    if (!taken) {
      AppendEscape(out, c);
      taken = 1;
    }
    i += taken;
  }
  return out;
}

bool TStoredText::FromUtf8(const std::string& utf8, std::string& stored, TStoredTextError& error) const {
  stored.clear();
  if (AllPlainAscii(utf8)) {
    stored = utf8;
    return true;
  }
  std::string part;
  size_t start = 0;
  auto flush = [&](size_t end) {
    if (end == start) return true;
    if (AllPlainAscii(utf8.substr(start, end - start))) {
      stored.append(utf8, start, end - start);
      return true;
    }
    if (Convert(fromUtf8_, utf8.data() + start, end - start, part)) {
      stored += part;
      return true;
    }
    // Find the character that does not convert, to name it.
    for (size_t i = start; i < end;) {
      const size_t n = std::min(Utf8Length(static_cast<unsigned char>(utf8[i])), end - i);
      if (!Convert(fromUtf8_, utf8.data() + i, n, part)) {
        error.problem =
            "the text holds \"" + utf8.substr(i, n) + "\", which the code page " + codePage_ + " cannot store";
        return false;
      }
      i += n;
    }
    error.problem = "the text cannot be stored in the code page " + codePage_;
    return false;
  };
  for (size_t i = 0; i < utf8.size();) {
    if (utf8[i] != kEsc) {
      ++i;
      continue;
    }
    if (!flush(i)) return false;
    if (i + 1 < utf8.size() && utf8[i + 1] == kEsc) {
      stored += kEsc;
      i += 2;
    } else if (i + 3 < utf8.size() && utf8[i + 1] == 'x' && HexValue(utf8[i + 2]) >= 0 && HexValue(utf8[i + 3]) >= 0) {
      stored += static_cast<char>(HexValue(utf8[i + 2]) * 16 + HexValue(utf8[i + 3]));
      i += 4;
    } else {
      error.problem =
          "the text holds an escape (U+001B) that is neither \\u001b\\u001b nor \\u001bx and two hex digits";
      return false;
    }
    start = i;
  }
  return flush(utf8.size());
}

}  // namespace tess
