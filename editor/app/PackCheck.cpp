#include "editor/app/PackCheck.h"

#include <vector>

#include "editor/app/ProjectOpenReport.h"
#include "core/CountText.h"
#include "core/MessagePort.h"
#include "core/QuietMode.h"
#include "platform/WaitCursor.h"
#include "project/ProjectCheck.h"

namespace tess {

bool ConfirmPackingProblems(const std::string& projectFolder, QWidget* owner) {
  std::vector<TProjectProblem> problems;
  {
    TWaitCursor wait;
    TQuietModeScope strict(false);
    problems = CheckProject(projectFolder);
  }
  if (problems.empty()) return true;
  const std::string head = "The project has " +
                           CountText(static_cast<long long>(problems.size()), "problem", "problems") +
                           "; the game may stumble on " + (problems.size() == 1 ? "it" : "them") + ":";
  const std::string text = ProblemSummary(head, problems) + "\n" + kPackProblemsQuestion;
  const TMessageResult answer = Messages().ShowDetailedMessageBox(
      text, ProblemLines(problems), {TMessageIcon::Warning, TMessageButtons::YesNo, true}, owner);
  return answer == TMessageResult::Yes;
}

}  // namespace tess
