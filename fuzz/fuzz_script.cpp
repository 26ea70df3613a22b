// Decodes arbitrary bytes as a packed event script and as a packed move route, the two blocks every
// event page carries. A block that decodes must encode to a block that decodes to the same lines
// (or commands) and encodes to the same bytes again; pasting the lines into a script keeps it whole.
#include <cstdlib>
#include <vector>

#include "events/LD_EventScript.h"
#include "events/LD_MoveRoute.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tess;
  TLcfEventScriptList script;
  try {
    script.DecodeFrom(data, size);
    Bytes once;
    script.EncodeTo(once);
    TLcfEventScriptList again;
    if (!again.DecodeFrom(once) || !(again == script)) std::abort();
    Bytes twice;
    again.EncodeTo(twice);
    if (twice != once) std::abort();
    if (script.Count() > 0 && script.Count() <= 4096) {
      TLcfEventScriptList target = script;
      target.InsertLinesFrom(target.Count() / 2, script, 1);
      if (target.Count() != 2 * script.Count()) std::abort();
    }
  } catch (const ETessError&) {
  }
  try {
    std::vector<TLcfMoveRouteItem> commands;
    TLcfMoveRoute::DecodeCommands(data, size, commands);
    Bytes once;
    TLcfMoveRoute::EncodeCommands(commands, once);
    std::vector<TLcfMoveRouteItem> again;
    if (!TLcfMoveRoute::DecodeCommands(once.data(), once.size(), again) || again != commands) std::abort();
  } catch (const ETessError&) {
  }
  return 0;
}
