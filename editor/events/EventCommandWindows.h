#pragma once
// Registers the hand-written command windows with the command dialog registry. The editor and the
// form check call it once at start; every other command opens the window its parameter schema
// describes, or none.

namespace tess {

void RegisterEventCommandWindows();

}  // namespace tess
