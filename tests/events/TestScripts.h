#pragma once
// Test helper: a script written out line by line.

#include <initializer_list>

#include "events/LD_EventScript.h"

namespace tess::test {

inline TLcfEventScriptList Script(std::initializer_list<TLcfEventScriptLine> lines) {
  TLcfEventScriptList s;
  for (const TLcfEventScriptLine& l : lines) s.AppendLine(l);
  return s;
}

}  // namespace tess::test
