// Loads event pages whose script block is arbitrary bytes, as a map file holds them. A page that
// loads without damage saves the same block back and its lines pass the command shapes; damage is
// always named: a script line or the size chunk, at a byte inside the block.
#include <cstdlib>
#include <string>

#include "events/CommandShapes.h"
#include "events/LD_Event.h"

namespace {

using namespace tess;

Bytes PageRecord(const uint8_t* block, size_t size, int32_t sizeChunk) {
  Bytes record;
  TByteWriter w(record);
  Bytes sizeBody;
  TByteWriter(sizeBody).WriteInt(sizeChunk);
  w.WriteInt(51);
  w.WriteInt(static_cast<int32_t>(sizeBody.size()));
  record.insert(record.end(), sizeBody.begin(), sizeBody.end());
  w.WriteInt(52);
  w.WriteInt(static_cast<int32_t>(size));
  record.insert(record.end(), block, block + size);
  record.push_back(0);
  return record;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  // The first byte: 0 keeps the size chunk true, anything else makes it disagree by that much.
  const int32_t skew = data[0] == 0 ? 0 : static_cast<int8_t>(data[0]);
  const uint8_t* block = data + 1;
  const size_t length = size - 1;
  const Bytes record = PageRecord(block, length, static_cast<int32_t>(length) + skew);
  const int64_t blockStart = static_cast<int64_t>(record.size() - 1 - length);

  TLcfEventPageItem page;
  TByteReader reader(record.data(), record.size());
  try {
    page.LoadFrom(reader);
  } catch (const EDamagedData& e) {
    const std::string& problem = e.Problem();
    if (problem.rfind("script line ", 0) != 0 && problem.rfind("the script's size chunk", 0) != 0) std::abort();
    if (e.ChunkPath() != "chunk 52") std::abort();
    if (e.Offset() < blockStart || e.Offset() > blockStart + static_cast<int64_t>(length)) std::abort();
    return 0;
  }
  // A size chunk that disagrees with a block that holds lines is always damage; an empty block loses
  // nothing whatever size it claims.
  if (skew != 0 && length > 0) std::abort();
  if (CheckScriptShape(page.lines)) std::abort();
  // What loads whole saves the bytes it was loaded from.
  Bytes saved = page.Encoded();
  TByteReader r(saved.data(), saved.size());
  Bytes body;
  for (int32_t id = r.ReadInt(); id != 0; id = r.ReadInt()) {
    const size_t n = r.ReadLength();
    if (id == 52) body.assign(r.Here(), r.Here() + n);
    r.Skip(n);
  }
  if (body != Bytes(block, block + length)) std::abort();
  return 0;
}
