#pragma once

namespace tess {

// The process-wide switch that makes catalog lookups return none instead of raising, and lets the
// editor's file loaders fall back leniently. The main window turns it on and never off.
bool QuietMode();
void SetQuietMode(bool on);
// A thread of its own (a check running in the background while the editor stays quiet) may set
// its own state, which overrides the process-wide one on that thread only.
void SetThreadQuietMode(bool on);

// Sets quiet mode for the life of the scope and restores the previous state afterwards.
class TQuietModeScope {
 public:
  explicit TQuietModeScope(bool on) : previous_(QuietMode()) { SetQuietMode(on); }
  ~TQuietModeScope() { SetQuietMode(previous_); }
  TQuietModeScope(const TQuietModeScope&) = delete;
  TQuietModeScope& operator=(const TQuietModeScope&) = delete;

 private:
  bool previous_;
};

}  // namespace tess
