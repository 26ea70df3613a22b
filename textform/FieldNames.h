#pragma once
// The names of the stored fields, by record class and chunk id: the member names of the records, the
// names a text form shows each chunk under. A record class's description gives the fields' ids,
// kinds and defaults; this table adds only their names and how a text shows a few of them.

#include <cstdint>
#include <typeinfo>

namespace tess {

enum class TFieldShape : uint8_t {
  Plain,
  Rows,    // a map layer: one array of cells per row, as wide as the record's width field
  Script,  // a packed event script: one object per line
};

struct TFieldName {
  int id;
  const char* name;
  TFieldShape shape = TFieldShape::Plain;
};

// The name of chunk id of records of the given class, or nullptr when the table has none.
const TFieldName* FindFieldName(const std::type_info& record, int id);

}  // namespace tess
