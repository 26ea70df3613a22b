#include "events/LD_EventScript.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "core/ContentDamage.h"
#include "events/CommandShapes.h"

namespace tess {

TLcfEventScriptLine* TLcfEventScriptList::AppendLine(std::unique_ptr<TLcfEventScriptLine> line) {
  lines_.push_back(std::move(line));
  return lines_.back().get();
}

TLcfEventScriptLine* TLcfEventScriptList::AppendLine(const TLcfEventScriptLine& line) {
  return AppendLine(std::make_unique<TLcfEventScriptLine>(line));
}

TLcfEventScriptLine* TLcfEventScriptList::InsertLine(int index, std::unique_ptr<TLcfEventScriptLine> line) {
  if (index < 0 || index > Count()) index = Count();
  auto it = lines_.insert(lines_.begin() + index, std::move(line));
  return it->get();
}

void TLcfEventScriptList::DeleteLine(int index) {
  if (index >= 0 && index < Count()) lines_.erase(lines_.begin() + index);
}

void TLcfEventScriptList::DeleteLines(int index, int count) {
  const int first = std::clamp(index, 0, Count());
  const int last = std::clamp(index + std::max(count, 0), first, Count());
  lines_.erase(lines_.begin() + first, lines_.begin() + last);
}

void TLcfEventScriptList::Assign(const TLcfEventScriptList& other) {
  if (&other == this) return;
  std::vector<std::unique_ptr<TLcfEventScriptLine>> copy;
  copy.reserve(other.lines_.size());
  for (const auto& line : other.lines_) copy.push_back(std::make_unique<TLcfEventScriptLine>(*line));
  lines_ = std::move(copy);
}

void TLcfEventScriptList::InsertLinesFrom(int position, const TLcfEventScriptList& source, int indentOffset) {
  if (position < 0 || position > Count()) throw std::logic_error("InsertLinesFrom: position outside the script");
  if (source.Count() == 0) throw std::logic_error("InsertLinesFrom: nothing to insert");
  // Pasting a script into itself reads the source while inserting: copy it first.
  std::vector<std::unique_ptr<TLcfEventScriptLine>> pasted;
  pasted.reserve(source.lines_.size());
  const int64_t base = Count() == 0 ? 0 : lines_[static_cast<size_t>(std::min(position, Count() - 1))]->indent;
  const int64_t first = source.lines_.front()->indent;
  for (const auto& line : source.lines_) {
    auto copy = std::make_unique<TLcfEventScriptLine>(*line);
    // Indents read from a damaged file can be anything; the sum must not overflow.
    copy->indent =
        static_cast<int32_t>(std::clamp<int64_t>(base + indentOffset + (line->indent - first), INT32_MIN, INT32_MAX));
    pasted.push_back(std::move(copy));
  }
  lines_.insert(lines_.begin() + position, std::make_move_iterator(pasted.begin()),
                std::make_move_iterator(pasted.end()));
}

namespace {

using TDecodedLines = std::vector<std::unique_ptr<TLcfEventScriptLine>>;

// Decodes a packed block into lines. A damaged block raises EContentDamage naming the line and its
// first byte; starts, when given, receives where each line begins. With checkCounts a line that
// carries more parameters than its code does is damage too (ParamCountFault). Returns whether the
// block was in the shortest encoding.
bool DecodeLines(const uint8_t* data, size_t size, TDecodedLines& decoded, std::vector<uint32_t>* starts,
                 bool checkCounts) {
  std::vector<uint32_t> lineStarts;
  TByteReader r(data, size);
  bool shortest = true;
  while (!r.AtEnd()) {
    const size_t start = r.Pos();
    const std::string which = "script line " + std::to_string(decoded.size() + 1);
    // Each line must lie whole within the block: a length or count that reaches past it, or a
    // block that ends inside a line, is damage at the line's first byte.
    auto read = [&](const char* what) {
      int32_t value;
      const size_t at = r.Pos();
      if (!r.TryReadInt(value))
        throw EContentDamage(which + " ends inside its " + what + " at the end of the script",
                             static_cast<int64_t>(start));
      // A longer form than the value needs, or a five-byte form whose first byte carries bits
      // beyond 32, packs back to other bytes: the block is then kept as it was read.
      const size_t used = r.Pos() - at;
      if (used != static_cast<size_t>(EncodedIntSize(value)) || (used == 5 && (data[at] & 0x70) != 0)) shortest = false;
      return value;
    };
    auto line = std::make_unique<TLcfEventScriptLine>();
    line->code = read("code");
    line->indent = read("depth");
    const int32_t length = read("text length");
    if (length < 0 || static_cast<size_t>(length) > r.Remaining())
      throw EContentDamage(which + " (code " + std::to_string(line->code) + ") has a text of " +
                               std::to_string(length) + " bytes where " + std::to_string(r.Remaining()) +
                               " are left in the script",
                           static_cast<int64_t>(start));
    line->text.assign(reinterpret_cast<const char*>(r.Here()), static_cast<size_t>(length));
    // No editor's text holds a 0 byte, while the lines after a text whose length grew do (their
    // depths and counts): such a text swallowed them. One 0 byte at the very end is what writers of
    // terminated strings leave, and is kept.
    const size_t zero = line->text.find('\0');
    if (checkCounts && zero != std::string::npos && zero + 1 != line->text.size())
      throw EContentDamage(
          which + " (code " + std::to_string(line->code) + ") has a 0 byte in its text: its length has changed",
          static_cast<int64_t>(start));
    r.Skip(static_cast<size_t>(length));
    const int32_t count = read("parameter count");
    // A count beyond what the code carries is read before its parameters are, so that the line
    // whose count changed is the one named rather than a later one its parameters ran into.
    if (checkCounts) {
      if (std::string problem = ParamCountFault(line->code, count); !problem.empty())
        throw EContentDamage(which + " (code " + std::to_string(line->code) + "): " + problem,
                             static_cast<int64_t>(start));
    }
    // Every parameter takes at least one byte.
    if (count < 0 || static_cast<size_t>(count) > r.Remaining())
      throw EContentDamage(which + " (code " + std::to_string(line->code) + ") has " + std::to_string(count) +
                               " parameters where " + std::to_string(r.Remaining()) + " bytes are left in the script",
                           static_cast<int64_t>(start));
    line->params.resize(static_cast<size_t>(count));
    for (int32_t& p : line->params) p = read("parameters");
    decoded.push_back(std::move(line));
    lineStarts.push_back(static_cast<uint32_t>(start));
  }
  if (starts) *starts = std::move(lineStarts);
  return shortest;
}

}  // namespace

bool TLcfEventScriptList::DecodeFrom(const uint8_t* data, size_t size) {
  TDecodedLines decoded;
  const bool shortest = DecodeLines(data, size, decoded, nullptr, false);
  lines_ = std::move(decoded);
  return shortest;
}

void TLcfEventScriptList::EncodeTo(Bytes& block) const {
  block.clear();
  TByteWriter w(block);
  for (const auto& line : lines_) {
    w.WriteInt(line->code);
    w.WriteInt(line->indent);
    w.WriteString(line->text);
    w.WriteInt(line->ParamCount());
    for (int32_t p : line->params) w.WriteInt(p);
  }
}

bool TLcfEventScriptList::operator==(const TLcfEventScriptList& other) const {
  if (Count() != other.Count()) return false;
  for (size_t i = 0; i < lines_.size(); ++i)
    if (!(*lines_[i] == *other.lines_[i])) return false;
  return true;
}

// ---------------------------------------------------------------------------------------------

void TLcfBaseEventPageItem::DescribeScript(TCatalogVarData& v, int sizeId, int blockId) {
  if (v.Writing()) {
    // The lines are the page's script; the block is written as they pack now, or as it was loaded
    // when they pack to what it was loaded as.
    Bytes packed;
    lines.EncodeTo(packed);
    if (!loadedBlock_.empty() && packed == loadedBlockRepacked_) packed = loadedBlock_;
    v.Count(sizeId, scriptSize, packed.size());
    v.Array(blockId, packed);
    return;
  }
  // The empty script is one end line: four bytes 0.
  static const uint8_t kEmptyScript[] = {0, 0, 0, 0};
  if (!v.Reading()) {
    v.Integer(sizeId, scriptSize, 0, 4);
    v.Array(blockId, scriptBytes, kEmptyScript);
  } else {
    // The size chunk is checked against the block only when the file has it. Reading it into two
    // different starting values tells whether it is there: only a chunk that is there overwrites
    // both with the same value (a negative size is damage like any other wrong size).
    int32_t stored = 0, again = 1;
    v.IntegerAlias(sizeId, stored, 0);
    v.IntegerAlias(sizeId, again, 0);
    const bool hasSize = stored == again;
    scriptSize = hasSize ? stored : 4;
    v.Array(blockId, scriptBytes, kEmptyScript);
    if (hasSize && !CopyingRecord() && (stored < 0 || static_cast<size_t>(stored) != scriptBytes.size()))
      throw EContentDamage("the script's size chunk " + std::to_string(sizeId) + " says " + std::to_string(stored) +
                               " bytes where its block holds " + std::to_string(scriptBytes.size()),
                           0);
  }
  loadedBlock_.clear();
  loadedBlockRepacked_.clear();
  if (v.Resetting()) {
    lines.ClearLines();
    lines.AppendLine(TLcfEventScriptLine());
    return;
  }
  if (!v.Reading()) return;
  std::vector<uint32_t> starts;
  TDecodedLines decoded;
  const bool shortest = DecodeLines(scriptBytes.data(), scriptBytes.size(), decoded, &starts, !CopyingRecord());
  lines.ClearLines();
  for (auto& line : decoded) lines.AppendLine(std::move(line));
  if (!shortest) {
    loadedBlock_ = scriptBytes;
    lines.EncodeTo(loadedBlockRepacked_);
  }
  // Lines that decode but do not form whole commands are what a changed length or count makes of
  // the lines after it: damage, named by the line where the structure breaks.
  if (CopyingRecord()) return;
  if (const TScriptFault fault = CheckScriptShape(lines)) {
    const TLcfEventScriptLine& line = *lines.LineAt(fault.line);
    throw EContentDamage(
        "script line " + std::to_string(fault.line + 1) + " (code " + std::to_string(line.code) + "): " + fault.problem,
        starts[static_cast<size_t>(fault.line)]);
  }
}

}  // namespace tess
