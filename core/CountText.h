#pragma once
// A number with its noun in the right number: "1 hero", "0 heroes", "2 heroes".

#include <string>

namespace tess {

inline std::string CountText(long long count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace tess
