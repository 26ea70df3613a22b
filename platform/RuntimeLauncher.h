#pragma once
// Starts the game runtime (test play, battle test). A native executable runs directly; a Windows
// executable runs through a launcher program (wine when it is installed, or what the user set).

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

class QProcess;

namespace tess {

struct TLaunchPlan {
  QString program;
  QStringList arguments;
  QString workingDirectory;
};

class RuntimeLauncher {
 public:
  // True when the file starts like a Windows executable ("MZ").
  static bool IsWindowsExecutable(const QString& path);
  // The launcher for Windows executables: the given setting when not empty, else wine found on the
  // PATH, else empty (none configured).
  static QString WindowsLauncher(const QString& setting);

  // What to start for runtime with words, in workingDirectory. Empty with a reason in *why (in
  // plain words, with the fix) when the runtime is missing, empty, a native file not marked
  // executable, or a Windows program and no launcher is configured.
  static std::optional<TLaunchPlan> Plan(const QString& runtime, const std::vector<std::string>& words,
                                         const QString& workingDirectory, const QString& launcherSetting,
                                         QString* why = nullptr);

  // Starts the plan in process (inheriting the editor's environment); false when it cannot start.
  // With captureOutput, what the runtime prints (output and errors together) is read from the
  // process instead of going to the editor's own output.
  static bool Start(QProcess& process, const TLaunchPlan& plan, bool captureOutput = false);
};

}  // namespace tess
