#pragma once
// The parameter lists the form checks of the command windows try on every code: every parameter at
// the most negative and the most positive stored value, every one just outside its row's range on
// either side, an older line without parameters and one with a single parameter. Lines never carry
// more parameters than their command has: a longer line is damage when loaded.

#include <climits>
#include <cstdint>
#include <vector>

#include "script/CommandSchema.h"
#include "script/EventCommands.h"

namespace tess::test {

inline std::vector<std::vector<int32_t>> EdgeParameterSets(int32_t code) {
  const int count = FindEventCommand(code)->paramCount;
  std::vector<std::vector<int32_t>> sets = {
      std::vector<int32_t>(count, INT32_MIN), std::vector<int32_t>(count, INT32_MAX), {}};
  if (count > 1) sets.push_back({1});
  if (const TCommandSchema* schema = FindCommandSchema(code)) {
    std::vector<int32_t> above(count), below(count);
    for (const TFieldRow& row : schema->rows)
      if (row.index >= 0 && row.index < count) {
        above[row.index] = row.max + 1;
        below[row.index] = row.min - 1;
      }
    sets.push_back(above);
    sets.push_back(below);
  }
  return sets;
}

}  // namespace tess::test
