#include "editor/app/ProjectOpenReport.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <exception>
#include <future>

#include "core/CountText.h"
#include "core/MessagePort.h"
#include "core/QuietMode.h"
#include "platform/WaitCursor.h"

namespace tess {

namespace {

// The message shows this many problems; the details hold them all.
constexpr size_t kShownProblems = 10;
// A check this short shows no progress window.
constexpr int kQuietCheckMs = 400;

// Keeps what would have been shown, so that one message can say it all.
class THeldMessages final : public MessagePort {
 public:
  TMessageResult ShowMessageBox(const std::string& text, TMessageStyle style, void*) override {
    texts.push_back(text);
    return NegativeAnswer(style.buttons);
  }
  std::vector<std::string> texts;
};

// Runs the check on a thread of its own, so that a project of hundreds of large maps keeps the
// editor painting; a progress window counts the maps when the check takes a while.
std::vector<TProjectProblem> CheckInBackground(const std::string& projectFolder, QWidget* owner) {
  std::atomic<int> done{0}, total{0};
  auto check = std::async(std::launch::async, [&] {
    // The editor's quiet mode would let damage pass unseen; the check must see it.
    SetThreadQuietMode(false);
    TProjectVisitor visitor;
    visitor.progress = [&](int d, int t) {
      total = t;
      done = d;
    };
    return CheckProject(projectFolder, visitor);
  });
  TWaitCursor wait;
  if (check.wait_for(std::chrono::milliseconds(kQuietCheckMs)) != std::future_status::ready) {
    QProgressDialog progress("Checking the project's maps...", QString(), 0, 0, owner);
    progress.setWindowTitle(QApplication::applicationName());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setCancelButton(nullptr);
    progress.setAutoClose(false);
    progress.show();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      if (total > 0) {
        progress.setMaximum(total);
        progress.setValue(done);
        progress.setLabelText(QString("Checking map %1 of %2...").arg(done.load()).arg(total.load()));
      }
      if (check.wait_for(std::chrono::seconds(0)) == std::future_status::ready) loop.quit();
    });
    poll.start(50);
    loop.exec();
  }
  return check.get();
}

}  // namespace

std::string ProblemSummary(const std::string& headLine, const std::vector<TProjectProblem>& problems) {
  const size_t shown = std::min(problems.size(), kShownProblems);
  std::string text =
      headLine + "\n\n" + ProblemLines(std::vector<TProjectProblem>(problems.begin(), problems.begin() + shown));
  if (problems.size() > shown) text += "...\n";
  return text;
}

bool OpenReportingProblems(const std::string& projectFolder, const std::function<bool()>& open, QWidget* owner) {
  const std::vector<TProjectProblem> problems = CheckInBackground(projectFolder, owner);
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
