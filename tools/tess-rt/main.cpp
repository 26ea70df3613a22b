#include <unistd.h>

#include <QApplication>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/tess-rt/RuntimeWindow.h"
#include "tools/tess-rt/TestRuntime.h"

namespace {

// A window needs a display; a run from a script, a test or a terminal without one only prints.
// TESS_RT_NO_WINDOW=1 asks for no window on a display too.
bool WindowWanted() {
  const char* none = std::getenv("TESS_RT_NO_WINDOW");
  if (none && std::strcmp(none, "0") != 0 && *none) return false;
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && std::strcmp(platform, "offscreen") == 0) return false;
  return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}

}  // namespace

// The game runtime is started with the project folder as its current directory.
int main(int argc, char** argv) {
  std::string folder = ".";
  if (char* cwd = ::getcwd(nullptr, 0)) {
    folder = cwd;
    ::free(cwd);
  }
  const std::vector<std::string> words(argv + 1, argv + argc);
  std::ostringstream out, err;
  const int status = tess::RunTestRuntime(words, folder, out, err);
  std::cout << out.str() << std::flush;
  std::cerr << err.str() << std::flush;
  if (!WindowWanted()) return status;

  QApplication app(argc, argv);
  QApplication::setApplicationName("Tessaly test runtime");
  const std::string report = out.str() + err.str();
  int problems = status == 0 ? 0 : 1;
  if (const size_t at = report.rfind("result: "); at != std::string::npos && status == 1)
    problems = std::max(1, std::atoi(report.c_str() + at + 8));
  // Started by the editor (its words) and sound: the window goes by itself after a few seconds.
  const bool autoClose = status == 0 && !words.empty();
  tess::TRuntimeWindow window(QString::fromStdString(folder), QString::fromStdString(report), problems, autoClose);
  window.show();
  app.exec();
  return status;
}
