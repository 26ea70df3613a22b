#include "core/ChunkDump.h"

#include <algorithm>
#include <cstdio>

#include "core/StreamUtils.h"

namespace tess {

namespace {

constexpr int kMaxDepth = 24;
constexpr size_t kShownBytes = 24;
constexpr size_t kShownText = 64;
constexpr size_t kShownIntegers = 64;

// The file departs from its layout; the message says where.
struct TDamage {
  std::string message;
};

std::string Hex(const uint8_t* data, size_t size) {
  std::string s;
  char buf[4];
  for (size_t i = 0; i < size && i < kShownBytes; ++i) {
    std::snprintf(buf, sizeof buf, "%02X ", data[i]);
    s += buf;
  }
  if (size > kShownBytes) s += "...";
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

bool Printable(const uint8_t* data, size_t size) {
  for (size_t i = 0; i < size; ++i)
    if (data[i] < 0x20 || data[i] > 0x7E) return false;
  return size > 0;
}

// True when [data, data+size) starts with one record (chunks closed by 0); used says how long it
// is. Without used, the record must fill the block exactly.
bool IsRecord(const uint8_t* data, size_t size, size_t* used = nullptr) {
  TByteReader r(data, size);
  try {
    for (;;) {
      const int32_t id = r.ReadInt();
      if (id == 0) break;
      if (id < 0) return false;
      r.Skip(r.ReadLength());
    }
  } catch (const EReadError&) {
    return false;
  }
  if (used) *used = r.Pos();
  return used ? true : r.AtEnd();
}

// True when the body is exactly a count and that many (id, record) pairs.
bool IsList(const uint8_t* data, size_t size) {
  TByteReader r(data, size);
  try {
    const int32_t count = r.ReadInt();
    if (count < 0 || static_cast<size_t>(count) > size) return false;
    for (int32_t i = 0; i < count; ++i) {
      if (r.ReadInt() < 0) return false;
      size_t used = 0;
      if (!IsRecord(r.Here(), r.Remaining(), &used)) return false;
      r.Skip(used);
    }
  } catch (const EReadError&) {
    return false;
  }
  return r.AtEnd() && size > 0;
}

class TDumper {
 public:
  explicit TDumper(const Bytes& data) : r_(data.data(), data.size()) {}

  TChunkDump Run(const TFileLayout& layout) {
    TChunkDump dump;
    try {
      std::string magic;
      try {
        magic = r_.ReadString();
      } catch (const EReadError&) {
        throw TDamage{"the file does not start with a magic string"};
      }
      Line(0, "magic \"" + magic + "\"");
      for (const TFilePart& part : layout) Part(part);
      if (!r_.AtEnd())
        throw TDamage{std::to_string(r_.Remaining()) + " bytes after the end of the data at byte " +
                      std::to_string(r_.Pos())};
    } catch (const TDamage& d) {
      dump.damage = d.message;
    }
    dump.text = std::move(out_);
    return dump;
  }

 private:
  void Line(int depth, const std::string& text) {
    out_.append(static_cast<size_t>(depth) * 2, ' ');
    out_ += text;
    out_ += '\n';
  }

  [[noreturn]] void Damage(const std::string& what, size_t at) const {
    std::string where;
    for (const std::string& step : path_) where += (where.empty() ? "" : " > ") + step;
    throw TDamage{(where.empty() ? "" : where + ": ") + what + " at byte " + std::to_string(at)};
  }

  int32_t ReadInt(const std::string& what) {
    const size_t at = r_.Pos();
    try {
      return r_.ReadInt();
    } catch (const EReadError&) {
      Damage(what + " is cut off by the end of the file", at);
    }
  }

  // A count of things that each take at least one byte.
  int32_t ReadCount(const std::string& what) {
    const size_t at = r_.Pos();
    const int32_t count = ReadInt(what);
    if (count < 0 || static_cast<size_t>(count) > r_.Remaining())
      Damage(what + " " + std::to_string(count) + " is more than the bytes that follow", at);
    return count;
  }

  // One chunk of a top-level record or run: its header, then its body as far as it parses.
  // Returns false at the closing 0.
  bool TopChunk(int depth) {
    const size_t at = r_.Pos();
    const int32_t id = ReadInt("a chunk id");
    if (id == 0) return false;
    if (id < 0) Damage("chunk id " + std::to_string(id) + " is negative", at);
    path_.push_back("chunk " + std::to_string(id));
    const int32_t size = ReadInt("the chunk's size");
    if (size < 0 || static_cast<size_t>(size) > r_.Remaining())
      Damage("its size " + std::to_string(size) + " runs past the end of the file, " + std::to_string(r_.Remaining()) +
                 " bytes after it",
             at);
    path_.pop_back();
    Chunk(id, r_.Here(), static_cast<size_t>(size), depth);
    r_.Skip(static_cast<size_t>(size));
    return true;
  }

  void TopRecord(int depth) {
    for (;;) {
      if (r_.AtEnd()) Damage("the record ends without its closing 0", r_.Pos());
      if (!TopChunk(depth)) return;
    }
  }

  void Part(const TFilePart& part) {
    const std::string label = *part.label ? std::string(part.label) + ": " : std::string();
    if (*part.label) path_.push_back(part.label);
    switch (part.kind) {
      case TFilePart::Record:
        if (*part.label) Line(0, label + "record");
        TopRecord(*part.label ? 1 : 0);
        break;
      case TFilePart::ChunkRun:
        if (*part.label) Line(0, label + "chunks");
        while (!r_.AtEnd()) TopChunk(*part.label ? 1 : 0);
        break;
      case TFilePart::List: {
        const int32_t count = ReadCount("the item count");
        Line(0, label + "list of " + std::to_string(count));
        for (int32_t i = 0; i < count; ++i) {
          path_.push_back("item " + std::to_string(i + 1));
          const int32_t id = ReadInt("the item id");
          path_.back() += " (id " + std::to_string(id) + ")";
          Line(1, "item " + std::to_string(id));
          TopRecord(2);
          path_.pop_back();
        }
        break;
      }
      case TFilePart::IntegerList: {
        const int32_t count = ReadCount("the count");
        std::string values;
        for (int32_t i = 0; i < count; ++i) {
          const int32_t v = ReadInt("integer " + std::to_string(i + 1));
          if (static_cast<size_t>(i) < kShownIntegers)
            values += " " + std::to_string(v);
          else if (static_cast<size_t>(i) == kShownIntegers)
            values += " ...";
        }
        Line(0, label + std::to_string(count) + " integers" + (count ? ":" : "") + values);
        break;
      }
      case TFilePart::Integer:
        Line(0, std::string(part.label) + (*part.label ? " = " : "= ") + std::to_string(ReadInt("the integer")));
        break;
    }
    if (*part.label) path_.pop_back();
  }

  // Nested records, as far as the bodies parse exactly; they are bounded by their chunk, so they
  // are only shown, never damage of the file's layout.
  void Record(const uint8_t* data, size_t size, int depth) {
    TByteReader r(data, size);
    for (;;) {
      const int32_t id = r.ReadInt();
      if (id == 0) return;
      const size_t len = r.ReadLength();
      const uint8_t* body = r.Here();
      r.Skip(len);
      Chunk(id, body, len, depth);
    }
  }

  void Chunk(int32_t id, const uint8_t* body, size_t len, int depth) {
    const std::string head = "chunk " + std::to_string(id) + " size " + std::to_string(len);
    if (depth < kMaxDepth && len > 1 && IsList(body, len)) {
      TByteReader r(body, len);
      const int32_t count = r.ReadInt();
      Line(depth, head + ": list of " + std::to_string(count));
      for (int32_t i = 0; i < count; ++i) {
        const int32_t itemId = r.ReadInt();
        size_t used = 0;
        IsRecord(r.Here(), r.Remaining(), &used);
        Line(depth + 1, "item " + std::to_string(itemId));
        Record(r.Here(), used, depth + 2);
        r.Skip(used);
      }
      return;
    }
    if (depth < kMaxDepth && len > 1 && IsRecord(body, len)) {
      Line(depth, head + ": record");
      Record(body, len, depth + 1);
      return;
    }
    std::string tail;
    if (len >= 1 && len <= 5) {
      TByteReader r(body, len);
      try {
        const int32_t v = r.ReadInt();
        if (r.AtEnd()) tail = " = " + std::to_string(v);
      } catch (const EReadError&) {
      }
    }
    if (tail.empty() && Printable(body, len)) {
      const std::string text(reinterpret_cast<const char*>(body), std::min(len, kShownText));
      tail = ": \"" + text + (len > kShownText ? "\"..." : "\"");
    }
    if (tail.empty() && len > 0) tail = ": " + Hex(body, len);
    Line(depth, head + tail);
  }

  TByteReader r_;
  std::string out_;
  std::vector<std::string> path_;
};

}  // namespace

TChunkDump DumpChunks(const Bytes& data, const TFileLayout& layout) { return TDumper(data).Run(layout); }

TChunkDump DumpChunks(const Bytes& data) {
  TChunkDump asRecord = DumpChunks(data, {{TFilePart::Record}});
  if (asRecord.damage.empty()) return asRecord;
  TChunkDump asRun = DumpChunks(data, {{TFilePart::ChunkRun}});
  return asRun.damage.empty() ? asRun : asRecord;
}

}  // namespace tess
