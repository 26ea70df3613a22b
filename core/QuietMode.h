#pragma once

namespace tess {

// The process-wide switch that makes catalog lookups return none instead of raising, and lets the
// editor's file loaders fall back leniently. The main window turns it on and never off.
bool QuietMode();
void SetQuietMode(bool on);

}  // namespace tess
