#pragma once

namespace tess {
// Runs the editor: argc/argv as given to main. Returns the process exit status.
int RunEditor(int argc, char** argv);
}  // namespace tess
