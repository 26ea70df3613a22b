#include "editor/app/ProjectOpenReport.h"

#include <algorithm>
#include <exception>

#include "core/CountText.h"
#include "core/MessagePort.h"
#include "core/QuietMode.h"
#include "platform/WaitCursor.h"

namespace tess {

namespace {

// The message shows this many problems; the details hold them all.
constexpr size_t kShownProblems = 10;

// Keeps what would have been shown, so that one message can say it all.
class THeldMessages final : public MessagePort {
 public:
  TMessageResult ShowMessageBox(const std::string& text, TMessageStyle style, void*) override {
    texts.push_back(text);
    return NegativeAnswer(style.buttons);
  }
  std::vector<std::string> texts;
};

}  // namespace

std::string ProblemSummary(const std::string& headLine, const std::vector<TProjectProblem>& problems) {
  const size_t shown = std::min(problems.size(), kShownProblems);
  std::string text =
      headLine + "\n\n" + ProblemLines(std::vector<TProjectProblem>(problems.begin(), problems.begin() + shown));
  if (problems.size() > shown) text += "...\n";
  return text;
}

bool OpenReportingProblems(const std::string& projectFolder, const std::function<bool()>& open, QWidget* owner) {
  std::vector<TProjectProblem> problems;
  {
    TWaitCursor wait;
    // The editor's quiet mode would let damage pass unseen; the check must see it.
    TQuietModeScope strict(false);
    problems = CheckProject(projectFolder);
  }
  if (problems.empty()) return open();

  THeldMessages held;
  bool opened = false;
  {
    TMessagePortScope scope(&held);
    try {
      opened = open();
    } catch (const std::exception& e) {
      held.texts.push_back(e.what());
    }
  }
  std::string head = "The project has " + CountText(static_cast<long long>(problems.size()), "problem", "problems") +
                     (opened ? ":" : " and was not opened:");
  // What loading said besides the list: a map that opens read-only, a tree without its root.
  std::string text = ProblemSummary(head, problems);
  for (const std::string& said : held.texts) text += "\n" + said + "\n";
  Messages().ShowDetailedMessageBox(text, ProblemLines(problems),
                                    {opened ? TMessageIcon::Warning : TMessageIcon::Error, TMessageButtons::Ok}, owner);
  return opened;
}

}  // namespace tess
