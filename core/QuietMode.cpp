#include "core/QuietMode.h"

namespace tess {
namespace {
bool quietMode = false;
}

bool QuietMode() { return quietMode; }
void SetQuietMode(bool on) { quietMode = on; }

}  // namespace tess
