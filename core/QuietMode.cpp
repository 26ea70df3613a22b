#include "core/QuietMode.h"

namespace tess {
namespace {
bool quietMode = false;
thread_local int threadQuietMode = -1;  // -1: the process-wide state
}  // namespace

bool QuietMode() { return threadQuietMode < 0 ? quietMode : threadQuietMode == 1; }
void SetQuietMode(bool on) { quietMode = on; }
void SetThreadQuietMode(bool on) { threadQuietMode = on ? 1 : 0; }

}  // namespace tess
