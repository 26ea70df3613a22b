#pragma once
// Event scripts: numbered command lines stored as one packed byte block, and the page base that
// map event pages, common events and troop battle pages share.
//
// A packed line is its code, its indent, its string and its parameter count followed by the
// parameters, each integer in the compressed form of the chunk streams. The block has no count and
// no terminator: its byte length delimits it.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/Catalog.h"

namespace tess {

class TLcfEventScriptLine {
 public:
  TLcfEventScriptLine() = default;
  TLcfEventScriptLine(int32_t code, int32_t indent, std::string text = {}, std::vector<int32_t> params = {})
      : code(code), indent(indent), text(std::move(text)), params(std::move(params)) {}

  int32_t code = 0;  // event command code; 0 ends the script
  int32_t indent = 0;
  std::string text;
  std::vector<int32_t> params;

  int ParamCount() const { return static_cast<int>(params.size()); }
  // Resizes the parameters; new ones are 0.
  void SetParamCount(int n) { params.resize(static_cast<size_t>(n < 0 ? 0 : n), 0); }
  // 0 when i is out of range.
  int32_t Param(int i) const { return i >= 0 && i < ParamCount() ? params[static_cast<size_t>(i)] : 0; }
  // Ignored when i is out of range.
  void SetParam(int i, int32_t value) {
    if (i >= 0 && i < ParamCount()) params[static_cast<size_t>(i)] = value;
  }
  void CopyFrom(const TLcfEventScriptLine& line) { *this = line; }

  bool operator==(const TLcfEventScriptLine&) const = default;
};

class TLcfEventScriptList {
 public:
  TLcfEventScriptList() = default;
  TLcfEventScriptList(const TLcfEventScriptList& other) { Assign(other); }
  TLcfEventScriptList& operator=(const TLcfEventScriptList& other) {
    Assign(other);
    return *this;
  }

  int Count() const { return static_cast<int>(lines_.size()); }
  // The line at index, or none outside the script.
  TLcfEventScriptLine* LineAt(int index) const {
    return index >= 0 && index < Count() ? lines_[static_cast<size_t>(index)].get() : nullptr;
  }
  // Takes ownership of line and returns it.
  TLcfEventScriptLine* AppendLine(std::unique_ptr<TLcfEventScriptLine> line);
  TLcfEventScriptLine* AppendLine(const TLcfEventScriptLine& line);
  // Inserts before index (0..Count); outside that range the line is appended.
  TLcfEventScriptLine* InsertLine(int index, std::unique_ptr<TLcfEventScriptLine> line);
  // Ignored outside the script.
  void DeleteLine(int index);
  // Deletes count lines from index on; the range is cut to the script.
  void DeleteLines(int index, int count);
  void ClearLines() { lines_.clear(); }
  void Assign(const TLcfEventScriptList& other);

  // Pastes copies of the source's lines at position, re-indented so that the first pasted line
  // takes the indent of the line at position (or of the last line when position is the end) plus
  // indentOffset, and the others keep their nesting relative to it. Requires
  // 0 <= position <= Count and a non-empty source: a violation is a programming error
  // (std::logic_error) and changes nothing.
  void InsertLinesFrom(int position, const TLcfEventScriptList& source, int indentOffset);

  // Replaces the lines by those of a packed block. A block that ends inside a line, or whose counts
  // and lengths exceed the bytes present, raises "Stream read error." and leaves the lines as they
  // were. Returns whether the block was in the shortest encoding (the one EncodeTo writes).
  bool DecodeFrom(const uint8_t* data, size_t size);
  bool DecodeFrom(const Bytes& block) { return DecodeFrom(block.data(), block.size()); }
  // Replaces block by the packed lines.
  void EncodeTo(Bytes& block) const;

  bool operator==(const TLcfEventScriptList& other) const;

 private:
  std::vector<std::unique_ptr<TLcfEventScriptLine>> lines_;
};

// The common base of map event pages, common events and troop battle pages: a script kept both as
// its packed block (the stored form) and decoded into lines (the form every editor works on).
class TLcfBaseEventPageItem : public TCatalogItem {
 public:
  int32_t scriptSize = 4;  // byte length of scriptBytes as loaded
  Bytes scriptBytes;       // the packed block as last loaded
  TLcfEventScriptList lines;

 protected:
  // Describes the two script chunks under the ids the concrete record uses. Writing packs the
  // lines; reading decodes the block right after it is taken (a damaged block raises); a reset
  // page holds the empty script, one end line.
  void DescribeScript(TCatalogVarData& v, int sizeId, int blockId);

 private:
  // A loaded block in a longer encoding than ours is kept together with our encoding of it, so a
  // page whose lines were not changed saves the bytes it was loaded from.
  Bytes loadedBlock_;
  Bytes loadedBlockRepacked_;
};

}  // namespace tess
