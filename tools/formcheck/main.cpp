// tessaly-formcheck commands|database|events PROJECT_DIR
//
// Opens every window that edits what the project holds (each command line in its dialog, each
// database entry in its page, each event in the event editor), accepts it untouched and checks
// that it gave back exactly what it was given. Prints one summary line, then the first differences
// with their place; exits 1 when anything changed or the project could not be read.

#include <QApplication>
#include <QStandardPaths>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "tools/formcheck/FormCheck.h"

int main(int argc, char** argv) {
  if (argc != 3 || (std::strcmp(argv[1], "commands") != 0 && std::strcmp(argv[1], "database") != 0 &&
                    std::strcmp(argv[1], "events") != 0)) {
    std::cerr << "usage: tessaly-formcheck commands|database|events PROJECT_DIR\n";
    return 2;
  }
  // The windows are never shown to anyone.
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  // Under the tests no real profile is read or written.
  if (std::getenv("TESS_TEST")) QStandardPaths::setTestModeEnabled(true);
  const std::string verb = argv[1];
  const tess::TFormCheckResult result = verb == "commands"   ? tess::CheckCommands(argv[2], std::cout)
                                        : verb == "database" ? tess::CheckDatabase(argv[2], std::cout)
                                                             : tess::CheckEvents(argv[2], std::cout);
  return result.Passed() ? 0 : 1;
}
