#pragma once
// A readable listing of the raw chunk tree of any chunk-encoded file, for looking at real files.

#include <string>
#include <vector>

#include "core/Stream.h"

namespace tess {

// What follows a file's magic string, part by part. A database is one run of chunks that ends with
// the file; a map is one record closed by 0; a map tree is a list, a list of integers, an integer
// and a record.
struct TFilePart {
  enum Kind { Record, ChunkRun, List, IntegerList, Integer };
  Kind kind;
  const char* label = "";  // shown in front of the part; empty: nothing
};
using TFileLayout = std::vector<TFilePart>;

struct TChunkDump {
  // The magic string, then one line per part and chunk: id, size and either the nested chunks
  // (when the body parses exactly as a record or a list of records), the integer value, the text
  // (when every byte is printable) or the first bytes in hex.
  std::string text;
  // Empty when the file has exactly the layout; otherwise where and how it departs from it. The
  // text then holds everything before that point.
  std::string damage;
};

TChunkDump DumpChunks(const Bytes& data, const TFileLayout& layout);
// For a file of no known layout: a record when the file is one, else a run of chunks.
TChunkDump DumpChunks(const Bytes& data);

}  // namespace tess
