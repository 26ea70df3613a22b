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
  // The raw listing takes anything; it reports damage instead of raising.
  const Bytes bytes(data, data + size);
  DumpChunks(bytes);
  DumpChunks(bytes, {{TFilePart::List, "nodes"},
                     {TFilePart::IntegerList, "order"},
                     {TFilePart::Integer, "current"},
                     {TFilePart::Record, "start"}});
  return 0;
}
