// Reads arbitrary bytes as an LHA archive and as a bare -lh5- stream. A readable archive must list
// and unpack without crashing; damaged input ends in a read error.
#include <cstdint>

#include "core/Errors.h"
#include "core/Lh5Codec.h"
#include "core/LhaArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tess;
  constexpr size_t kLimit = size_t{1} << 22;
  try {
    const Bytes archive(data, data + size);
    for (const TLhaEntry& e : ReadLhaDirectory(archive)) {
      try {
        ExtractLhaEntry(archive, e, kLimit);
      } catch (const EReadError&) {
      }
    }
  } catch (const EReadError&) {
  }
  if (size >= 3) {
    // The first three bytes give the decoded size.
    const size_t original = data[0] | (data[1] << 8) | (size_t{data[2]} << 16);
    try {
      Lh5Decompress(data + 3, size - 3, original, kLimit);
    } catch (const EReadError&) {
    }
  }
  return 0;
}
