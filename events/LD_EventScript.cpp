#include "events/LD_EventScript.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace tess {

namespace {

// Reads one compressed integer and notes whether it used more bytes than needed.
int32_t ReadTracked(TByteReader& r, bool& shortest) {
  size_t start = r.Pos();
  int32_t value = r.ReadInt();
  if (r.Pos() - start != static_cast<size_t>(EncodedIntSize(value))) shortest = false;
  return value;
}

}  // namespace

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

bool TLcfEventScriptList::DecodeFrom(const uint8_t* data, size_t size) {
  std::vector<std::unique_ptr<TLcfEventScriptLine>> decoded;
  TByteReader r(data, size);
  bool shortest = true;
  while (!r.AtEnd()) {
    auto line = std::make_unique<TLcfEventScriptLine>();
    line->code = ReadTracked(r, shortest);
    line->indent = ReadTracked(r, shortest);
    int32_t length = ReadTracked(r, shortest);
    if (length < 0 || static_cast<size_t>(length) > r.Remaining()) throw EReadError();
    line->text.assign(reinterpret_cast<const char*>(r.Here()), static_cast<size_t>(length));
    r.Skip(static_cast<size_t>(length));
    int32_t count = ReadTracked(r, shortest);
    // Every parameter takes at least one byte.
    if (count < 0 || static_cast<size_t>(count) > r.Remaining()) throw EReadError();
    line->params.resize(static_cast<size_t>(count));
    for (int32_t& p : line->params) p = ReadTracked(r, shortest);
    decoded.push_back(std::move(line));
  }
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
  v.Integer(sizeId, scriptSize, 0, 4);
  v.Array(blockId, scriptBytes, kEmptyScript);
  loadedBlock_.clear();
  loadedBlockRepacked_.clear();
  if (v.Resetting()) {
    lines.ClearLines();
    lines.AppendLine(TLcfEventScriptLine());
  } else if (!lines.DecodeFrom(scriptBytes)) {
    loadedBlock_ = scriptBytes;
    lines.EncodeTo(loadedBlockRepacked_);
  }
}

}  // namespace tess
