#include "editor/app/RuntimeRun.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <cstdio>

#include "editor/app/FormProcessWait.h"

namespace tess {

namespace {

// A report file is read only as far back as a message can use.
constexpr qint64 kLogTailBytes = 64 * 1024;

// The last lines of the report the runtime wrote into its folder during this run; nothing when the
// file is missing or older than the run.
void ReadFreshLog(const QString& folder, const QDateTime& started, TRuntimeOutcome& outcome) {
  const QString path = QDir(folder).filePath(QString::fromLatin1(kRuntimeLogName));
  const QFileInfo info(path);
  // Modification times may be kept to the second only.
  if (!info.isFile() || info.lastModified() < started.addSecs(-1)) return;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return;
  if (file.size() > kLogTailBytes) file.seek(file.size() - kLogTailBytes);
  const QByteArray bytes = file.read(kLogTailBytes);
  TOutputTail tail;
  tail.Append(bytes.constData(), static_cast<size_t>(bytes.size()));
  outcome.log = tail.Lines();
  outcome.logPath = QFile::encodeName(info.absoluteFilePath()).toStdString();
}

}  // namespace

TRuntimeOutcome RunRuntimeWaiting(const std::optional<TLaunchPlan>& plan, const QString& whyNoPlan,
                                  const QString& caption, const QString& heading, QWidget* owner) {
  TRuntimeOutcome outcome;
  if (!plan) {
    outcome.end = TRuntimeEnd::NotStarted;
    outcome.whyNotStarted = whyNoPlan.toStdString();
    return outcome;
  }
  const QDateTime started = QDateTime::currentDateTime();
  QProcess process;
  TOutputTail output;
  // Read as it comes, so a runtime that prints much never fills the editor's memory; it still
  // reaches the terminal the editor was started from.
  QObject::connect(&process, &QProcess::readyReadStandardOutput, [&process, &output] {
    const QByteArray bytes = process.readAllStandardOutput();
    output.Append(bytes.constData(), static_cast<size_t>(bytes.size()));
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
  });
  if (!RuntimeLauncher::Start(process, *plan, true)) {
    outcome.end = TRuntimeEnd::NotStarted;
    outcome.whyNotStarted =
        (QString("%1 could not be started: %2").arg(plan->program, process.errorString())).toStdString();
    return outcome;
  }
  TFormProcessWait wait(process, caption, heading, owner);
  wait.WaitModal();
  process.waitForFinished(-1);
  const QByteArray rest = process.readAllStandardOutput();
  output.Append(rest.constData(), static_cast<size_t>(rest.size()));
  outcome.end = process.exitStatus() == QProcess::CrashExit ? TRuntimeEnd::Crashed : TRuntimeEnd::Exited;
  outcome.exitCode = process.exitCode();
  outcome.output = output.Lines();
  ReadFreshLog(plan->workingDirectory, started, outcome);
  return outcome;
}

}  // namespace tess
