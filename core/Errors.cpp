#include "core/Errors.h"

namespace tess {

std::string EWrongMagic::Plain() const {
  if (!known_) return what();
  if (start_.empty()) return "the file is empty";
  const std::string kind = expected_ == "LcfDataBase"  ? "a database"
                           : expected_ == "LcfMapTree" ? "a map tree"
                           : expected_ == "LcfMapUnit" ? "a map"
                                                       : "a " + expected_ + " file";
  // The first bytes as text, with what does not print as \xNN.
  std::string shown;
  for (unsigned char c : start_) {
    if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') {
      shown += static_cast<char>(c);
    } else {
      static const char kHex[] = "0123456789abcdef";
      shown += "\\x";
      shown += kHex[c >> 4];
      shown += kHex[c & 15];
    }
  }
  return "the file is not " + kind + " (it starts with \"" + shown + "\")";
}

EDamagedData::EDamagedData(std::string problem, int64_t offset)
    : EReadError("Stream read error."), problem_(std::move(problem)), offset_(offset) {
  Compose();
}

std::string EDamagedData::ChunkPath() const {
  std::string path;
  for (auto it = path_.rbegin(); it != path_.rend(); ++it) {
    if (!path.empty()) path += " > ";
    path += *it;
  }
  return path;
}

namespace {
// " at byte N (path): problem." and what was read before it.
std::string WhereAndWhat(int64_t offset, const std::string& path, const std::string& problem,
                         const std::string& salvaged) {
  std::string text = offset >= 0 ? " at byte " + std::to_string(offset) : std::string();
  if (!path.empty()) text += " (" + path + ")";
  text += ": " + problem + ".";
  if (!salvaged.empty()) text += " " + salvaged + ".";
  return text;
}
}  // namespace

std::string EDamagedData::Detail() const { return "damaged" + WhereAndWhat(offset_, ChunkPath(), problem_, salvaged_); }

void EDamagedData::SetOffset(int64_t offset) {
  offset_ = offset;
  Compose();
}

void EDamagedData::SetFile(const std::string& file) {
  file_ = file;
  Compose();
}

void EDamagedData::EnterChunk(int32_t id) {
  path_.push_back("chunk " + std::to_string(id));
  inItem_ = false;
  Compose();
}

void EDamagedData::EnterList(int32_t id, const char* name) {
  if (name)
    path_.push_back(name);
  else if (!inItem_)
    path_.push_back("chunk " + std::to_string(id));
  inItem_ = false;
  Compose();
}

void EDamagedData::EnterItem(const char* noun, int32_t id) {
  path_.push_back(std::string(noun) + " " + std::to_string(id));
  inItem_ = true;
  Compose();
}

void EDamagedData::EnterPart(const char* name) {
  path_.push_back(name);
  inItem_ = false;
  Compose();
}

void EDamagedData::SetSalvaged(std::string salvaged) {
  salvaged_ = std::move(salvaged);
  Compose();
}

void EDamagedData::Compose() {
  const std::string where = WhereAndWhat(offset_, ChunkPath(), problem_, salvaged_);
  message_ = file_.empty() ? "Damaged data" + where : "File \"" + file_ + "\" is damaged" + where;
}

}  // namespace tess
