#include "core/ChunkDump.h"

#include <cstdio>

#include "core/StreamUtils.h"

namespace tess {

namespace {

constexpr int kMaxDepth = 24;

struct TDumper {
  std::string out;

  void Line(int depth, const std::string& text) {
    out.append(static_cast<size_t>(depth) * 2, ' ');
    out += text;
    out += '\n';
  }

  // True when [data, data+size) is exactly one record: chunks closed by 0 at the very end.
  static bool IsRecord(const uint8_t* data, size_t size, size_t* used = nullptr) {
    TByteReader r(data, size);
    try {
      for (;;) {
        int32_t id = r.ReadInt();
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
  static bool IsList(const uint8_t* data, size_t size) {
    TByteReader r(data, size);
    try {
      int32_t count = r.ReadInt();
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

  static std::string Hex(const uint8_t* data, size_t size) {
    std::string s;
    char buf[4];
    for (size_t i = 0; i < size && i < 24; ++i) {
      std::snprintf(buf, sizeof buf, "%02X ", data[i]);
      s += buf;
    }
    if (size > 24) s += "...";
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
  }

  void Record(const uint8_t* data, size_t size, int depth) {
    TByteReader r(data, size);
    for (;;) {
      int32_t id = r.ReadInt();
      if (id == 0) return;
      size_t len = r.ReadLength();
      const uint8_t* body = r.Here();
      r.Skip(len);
      Chunk(id, body, len, depth);
    }
  }

  void Chunk(int32_t id, const uint8_t* body, size_t len, int depth) {
    std::string head = "chunk " + std::to_string(id) + " size " + std::to_string(len);
    if (depth < kMaxDepth && len > 1 && IsList(body, len)) {
      TByteReader r(body, len);
      int32_t count = r.ReadInt();
      Line(depth, head + ": list of " + std::to_string(count));
      for (int32_t i = 0; i < count; ++i) {
        int32_t itemId = r.ReadInt();
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
        int32_t v = r.ReadInt();
        if (r.AtEnd()) tail = " = " + std::to_string(v);
      } catch (const EReadError&) {
      }
    }
    if (tail.empty() && len > 0) tail = ": " + Hex(body, len);
    Line(depth, head + tail);
  }
};

}  // namespace

std::string DumpChunks(const Bytes& data) {
  TDumper d;
  TByteReader r(data.data(), data.size());
  std::string magic = r.ReadString();
  d.Line(0, "magic \"" + magic + "\"");
  size_t used = 0;
  if (TDumper::IsRecord(r.Here(), r.Remaining(), &used)) {
    d.Record(r.Here(), used, 0);
    r.Skip(used);
  } else {
    throw EReadError();
  }
  if (!r.AtEnd()) d.Line(0, std::to_string(r.Remaining()) + " bytes after the record");
  return d.out;
}

}  // namespace tess
