#include "project/ProfileFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <charconv>
#include <cstring>

#include "core/AtomicFile.h"
#include "core/Errors.h"
#include "core/PathUtils.h"

namespace tess {

namespace {

constexpr size_t npos = std::string::npos;

std::string Trim(const std::string& s) {
  const size_t b = s.find_first_not_of(" \t");
  if (b == npos) return {};
  const size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

// The section name of a header line, or nothing for other lines.
std::optional<std::string> SectionName(const std::string& line) {
  const std::string t = Trim(line);
  if (t.empty() || t[0] != '[') return std::nullopt;
  const size_t close = t.find(']');
  return Trim(t.substr(1, close == npos ? npos : close - 1));
}

// The key of a "key=value" line, or nothing for comments and other lines.
std::optional<std::string> KeyName(const std::string& line) {
  const std::string t = Trim(line);
  if (t.empty() || t[0] == ';' || t[0] == '[') return std::nullopt;
  const size_t eq = line.find('=');
  if (eq == npos) return std::nullopt;
  return Trim(line.substr(0, eq));
}

}  // namespace

TProfileFile::TProfileFile(const std::string& path) : path_(path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == npos ? path : path.substr(slash + 1);
    auto found = FindNameNoCase(folder, name);
    if (!found) return;
    path_ = *found;
  }
  const Bytes bytes = ReadWholeFile(path_);
  Parse(std::string(bytes.begin(), bytes.end()));
}

void TProfileFile::Parse(const std::string& text) {
  bool sawCrLf = false, sawLf = false;
  size_t start = 0;
  while (start < text.size()) {
    size_t nl = text.find('\n', start);
    TLine line;
    if (nl == npos) {
      line.text = text.substr(start);
      start = text.size();
    } else {
      size_t end = nl;
      if (end > start && text[end - 1] == '\r') {
        --end;
        line.ending = "\r\n";
        sawCrLf = true;
      } else {
        line.ending = "\n";
        sawLf = true;
      }
      line.text = text.substr(start, end - start);
      start = nl + 1;
    }
    lines_.push_back(std::move(line));
  }
  newline_ = sawCrLf || !sawLf ? "\r\n" : "\n";
}

size_t TProfileFile::FindSection(const std::string& section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    auto name = SectionName(lines_[i].text);
    if (name && EqualsNoCase(*name, section)) return i;
  }
  return npos;
}

size_t TProfileFile::SectionEnd(size_t header) const {
  size_t i = header + 1;
  while (i < lines_.size() && !SectionName(lines_[i].text)) ++i;
  return i;
}

size_t TProfileFile::FindKey(const std::string& section, const std::string& key) const {
  const size_t header = FindSection(section);
  if (header == npos) return npos;
  const size_t end = SectionEnd(header);
  for (size_t i = header + 1; i < end; ++i) {
    auto name = KeyName(lines_[i].text);
    if (name && EqualsNoCase(*name, key)) return i;
  }
  return npos;
}

std::optional<std::string> TProfileFile::Read(const std::string& section, const std::string& key) const {
  const size_t i = FindKey(section, key);
  if (i == npos) return std::nullopt;
  const std::string& line = lines_[i].text;
  std::string value = Trim(line.substr(line.find('=') + 1));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
  return value;
}

std::string TProfileFile::ReadString(const std::string& section, const std::string& key, const std::string& def) const {
  auto value = Read(section, key);
  return value ? *value : def;
}

int TProfileFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
  auto value = Read(section, key);
  if (!value || value->empty()) return def;
  const char* first = value->data();
  const char* last = first + value->size();
  if (*first == '+') ++first;
  int result = 0;
  auto [end, ec] = std::from_chars(first, last, result);
  if (ec != std::errc() || end != last) return def;
  return result;
}

bool TProfileFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
  auto value = Read(section, key);
  if (!value) return def;
  int n = 0;
  auto [end, ec] = std::from_chars(value->data(), value->data() + value->size(), n);
  if (ec != std::errc() || end != value->data() + value->size()) return def;
  return n != 0;
}

void TProfileFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  const size_t at = FindKey(section, key);
  if (at != npos) {
    lines_[at].text = *KeyName(lines_[at].text) + "=" + value;
    return;
  }
  // The line before any new text must end in a line break.
  if (!lines_.empty() && lines_.back().ending.empty()) lines_.back().ending = newline_;
  const size_t header = FindSection(section);
  if (header == npos) {
    if (!lines_.empty() && !Trim(lines_.back().text).empty()) lines_.push_back({"", newline_});
    lines_.push_back({"[" + section + "]", newline_});
    lines_.push_back({key + "=" + value, newline_});
    return;
  }
  // After the section's last line that is not blank.
  size_t insert = SectionEnd(header);
  while (insert > header + 1 && Trim(lines_[insert - 1].text).empty()) --insert;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert), TLine{key + "=" + value, newline_});
}

void TProfileFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TProfileFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TProfileFile::DeleteKey(const std::string& section, const std::string& key) {
  const size_t at = FindKey(section, key);
  if (at == npos) return;
  // A last line without a line break passes that state to the line before it.
  if (at + 1 == lines_.size() && at > 0 && lines_[at].ending.empty()) lines_[at - 1].ending.clear();
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(at));
}

std::string TProfileFile::Text() const {
  std::string text;
  for (const TLine& line : lines_) text += line.text + line.ending;
  return text;
}

void TProfileFile::Save() const { WriteFileAtomic(path_, Text()); }

}  // namespace tess
