#pragma once
// At start: the work an editor that died left behind is offered back, one project at a time. The
// question names the project, each map with the time of its edits, and the database window's
// edits; "Recover" opens the project with that work as unsaved changes (pending maps that "Save
// Map" commits, the database window open on its edits), "Discard" deletes it, and "Later" keeps
// it for the next start. Nothing is written into a project without the author saving it.

#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "project/WorkRecovery.h"

namespace tess {

class TFormLcfMain;
class TSettings;

enum class TRecoveryAnswer { Recover, Discard, Later };

class TRecoveryOffer {
 public:
  // Collects what was left in the scratch folder (CollectLeftWork); call it before a project is
  // opened.
  TRecoveryOffer(TFormLcfMain& window, TSettings& settings, const std::string& scratchFolder);

  bool HasLeftWork() const { return !sets_.empty(); }
  const std::vector<TLeftWork>& Sets() const { return sets_; }
  // The question for one set.
  QString Question(const TLeftWork& set) const;

  // Asks about each set, the newest first, until one is recovered (the rest stay for the next
  // start). Returns whether a project was opened.
  bool Run();

  // Asks the author; by default a message box with the three buttons. Tests answer here.
  std::function<TRecoveryAnswer(const QString& question)> ask;

 private:
  bool Recover(TLeftWork& set);

  TFormLcfMain& window_;
  TSettings& settings_;
  std::vector<TLeftWork> sets_;
};

}  // namespace tess
