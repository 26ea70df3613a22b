#include "core/FieldRow.h"

#include <cstring>

namespace tess {

const TFieldRow* FindFieldRow(std::span<const TFieldRow> rows, const char* key) {
  if (!key) return nullptr;
  for (const TFieldRow& row : rows)
    if (std::strcmp(row.key, key) == 0) return &row;
  return nullptr;
}

}  // namespace tess
