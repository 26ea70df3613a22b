// Decodes arbitrary bytes as a packed move route, the block that moves an event or the party. A
// route that decodes must encode to a block that decodes to the same commands.
#include <cstdlib>
#include <vector>

#include "events/LD_MoveRoute.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tess;
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
