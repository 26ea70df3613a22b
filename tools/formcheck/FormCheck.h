#pragma once
// The form check: every window that edits stored values, opened on what a project holds and
// accepted untouched, must give back exactly what it was given. Each check writes one summary line,
// then the first differences with their place, and returns whether nothing changed.

#include <ostream>
#include <string>

namespace tess {

struct TFormCheckResult {
  int checked = 0;  // command lines, database entries or events
  int identical = 0;
  int changed = 0;
  int notOpened = 0;    // without a window yet
  bool failed = false;  // the project could not be read
  bool Passed() const { return !failed && changed == 0; }
};

// Every line of every script (map events, common events, troop pages) in its command's window.
TFormCheckResult CheckCommands(const std::string& projectFolder, std::ostream& out, int shownDifferences = 20);
// Every entry of every database page; the database must save to the bytes it saved to before.
TFormCheckResult CheckDatabase(const std::string& projectFolder, std::ostream& out, int shownDifferences = 20);
// Every event of every map in the event editor; every map must save to its bytes.
TFormCheckResult CheckEvents(const std::string& projectFolder, std::ostream& out, int shownDifferences = 20);

}  // namespace tess
