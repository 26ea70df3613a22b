#include "platform/RuntimeLauncher.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "platform/Settings.h"

namespace tess {

bool RuntimeLauncher::IsWindowsExecutable(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  return file.read(2) == "MZ";
}

QString RuntimeLauncher::WindowsLauncher(const QString& setting) {
  if (!setting.trimmed().isEmpty()) return setting.trimmed();
  return QStandardPaths::findExecutable("wine");
}

std::optional<TLaunchPlan> RuntimeLauncher::Plan(const QString& runtime, const std::vector<std::string>& words,
                                                 const QString& workingDirectory, const QString& launcherSetting,
                                                 QString* why) {
  QFileInfo info(runtime);
  if (!info.isFile()) {
    if (why)
      *why = QString(
                 "The game runtime \"%1\" is missing. Copy the runtime into the project again, or name "
                 "another program with Game > Game Runtime.")
                 .arg(runtime);
    return std::nullopt;
  }
  // Said in plain words with the fix, rather than as the system's "Permission denied" later.
  if (info.size() == 0) {
    if (why)
      *why = QString(
                 "The game runtime \"%1\" is an empty file, so it cannot be started. Copy the runtime into "
                 "the project again (the editor's folder holds it as TESS_RT.exe.dat), or name another program "
                 "with Game > Game Runtime.")
                 .arg(runtime);
    return std::nullopt;
  }
  if (!IsWindowsExecutable(runtime) && !info.isExecutable()) {
    if (why)
      *why = QString(
                 "The game runtime \"%1\" is not marked as a program that may be run. Mark it executable "
                 "(chmod +x \"%1\") and start again.")
                 .arg(runtime);
    return std::nullopt;
  }
  TLaunchPlan plan;
  plan.workingDirectory = workingDirectory;
  for (const std::string& word : words) plan.arguments << QString::fromStdString(word);
  if (IsWindowsExecutable(runtime)) {
    QString launcher = WindowsLauncher(launcherSetting);
    if (launcher.isEmpty()) {
      if (why)
        *why =
            "The game runtime is a Windows program and no launcher for Windows programs is configured. "
            "Install wine, or name a launcher with Game > Game Runtime.";
      return std::nullopt;
    }
    plan.program = launcher;
    plan.arguments.prepend(info.absoluteFilePath());
  } else {
    plan.program = info.absoluteFilePath();
  }
  return plan;
}

QString RuntimeLauncher::ChosenRuntime(const TSettings& settings, const std::string& projectFolder) {
  const QString chosen = QString::fromStdString(settings.ReadString(TSettings::kGameRuntime, "")).trimmed();
  return chosen.isEmpty() ? QString::fromStdString(projectFolder + "TESS_RT.exe") : chosen;
}

std::optional<TLaunchPlan> RuntimeLauncher::PlanForProject(const TSettings& settings, const std::string& projectFolder,
                                                           const std::vector<std::string>& words, QString* why) {
  return Plan(ChosenRuntime(settings, projectFolder), words, QString::fromStdString(projectFolder),
              QString::fromStdString(settings.ReadString(TSettings::kRuntimeLauncher, "")), why);
}

QString RuntimeLauncher::CommandLineText(const TLaunchPlan& plan) {
  QStringList parts;
  for (const QString& part : QStringList(plan.program) + plan.arguments)
    parts << (part.contains(' ') || part.isEmpty() ? '"' + part + '"' : part);
  return parts.join(' ');
}

bool RuntimeLauncher::Start(QProcess& process, const TLaunchPlan& plan, bool captureOutput) {
  process.setProgram(plan.program);
  process.setArguments(plan.arguments);
  process.setWorkingDirectory(plan.workingDirectory);
  process.setProcessChannelMode(captureOutput ? QProcess::MergedChannels : QProcess::ForwardedChannels);
  process.start();
  return process.waitForStarted(10000);
}

}  // namespace tess
