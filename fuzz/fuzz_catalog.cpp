// Decodes records and catalogs from arbitrary bytes; a successful decode must save and reload to the
// same bytes.
#include <cstdlib>

#include "core/ChunkDump.h"
#include "core/ClipboardPort.h"
#include "core/SampleRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tess;
  using namespace tess::sample;
  try {
    TByteReader r(data, size);
    TWideRecord record;
    record.LoadFrom(r);
    Bytes once;
    record.SaveTo(once, TCatalogVarData::Mode::Copy);
    TWideRecord again;
    TByteReader r2(once.data(), once.size());
    again.LoadFrom(r2);
    Bytes twice;
    again.SaveTo(twice, TCatalogVarData::Mode::Copy);
    if (once != twice) std::abort();
  } catch (const ETessError&) {
  }
  try {
    TByteReader r(data, size);
    TWideList list;
    list.LoadFrom(r);
  } catch (const ETessError&) {
  }
  try {
    Bytes block(data, data + size);
    Clipboard().SetBlock(578, block);
    TWideList list;
    list.SetCount(2);
    list.PasteFromClipboard(578, 4990);
  } catch (const ETessError&) {
  }
  try {
    DumpChunks(Bytes(data, data + size));
  } catch (const ETessError&) {
  }
  return 0;
}
