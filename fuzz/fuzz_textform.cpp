// Feeds arbitrary text to the text form's loader. A text it takes gives a file that loads, and
// whose own text converts back to what a load and a save of that file write: the loader never
// takes a text it cannot write back.
#include <cstdlib>

#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "textform/TextForm.h"

namespace {

using namespace tess;

Bytes LoadAndSave(const Bytes& file) {
  TByteReader r(file.data(), file.size());
  const std::string magic = r.ReadString();
  if (magic == kDataBaseMagic) {
    TLcfDataBase db;
    db.LoadFromMemory(file, true);
    return db.SaveToMemory(TCatalogVarData::Mode::Copy);
  }
  if (magic == kMapTreeMagic) {
    TLcfMapTree tree;
    tree.LoadFromBytes(file);
    return tree.SaveToBytes();
  }
  TLcfMap map;
  map.LoadFromBytes(file);
  return map.SaveToBytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  Bytes bytes;
  std::string codePage;
  try {
    bytes = TextToFile(text, "fuzz.json");
    codePage = ParseText(text, "fuzz.json")["codePage"].get<std::string>();
  } catch (const ETessError&) {
    return 0;  // refused, with file, line and column
  }
  try {
    const Bytes expected = LoadAndSave(bytes);
    if (TextToFile(FileToText(bytes, codePage), "again.json") != expected) std::abort();
  } catch (const ETessError&) {
    std::abort();  // a text was taken whose file does not load, or whose text does not
  }
  return 0;
}
