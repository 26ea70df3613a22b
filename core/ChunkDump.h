#pragma once
// A readable listing of the raw chunk tree of any chunk-encoded file, for looking at real files.

#include <string>

#include "core/Stream.h"

namespace tess {

// The magic string, then one line per chunk: id, size and either the nested chunks (when the body
// parses exactly as a record or a list of records), the integer value, or the first bytes in hex.
std::string DumpChunks(const Bytes& data);

}  // namespace tess
