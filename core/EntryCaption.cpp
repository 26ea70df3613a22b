#include "core/EntryCaption.h"

#include <cstdio>

namespace tess {

std::string EntryCaption(int32_t id, const std::string& name, TEmptyName empty) {
  char number[16];
  std::snprintf(number, sizeof number, "%.4d", static_cast<int>(id));
  if (name.empty() && empty == TEmptyName::Bare) return number;
  return std::string(number) + ":" + name;
}

}  // namespace tess
