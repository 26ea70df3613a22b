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

class TSettings;

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

  // The runtime test play and the battle test start: the program the settings name as the game
  // runtime, else the project's own TESS_RT.exe (projectFolder ends in '/').
  static QString ChosenRuntime(const TSettings& settings, const std::string& projectFolder);
  // Plan for ChosenRuntime with the launcher the settings name, in the project folder.
  static std::optional<TLaunchPlan> PlanForProject(const TSettings& settings, const std::string& projectFolder,
                                                   const std::vector<std::string>& words, QString* why = nullptr);
  // The plan as a command line to show the author: the program and each argument, quoted when it
  // holds a blank.
  static QString CommandLineText(const TLaunchPlan& plan);

  // Starts the plan in process (inheriting the editor's environment); false when it cannot start.
  // With captureOutput, what the runtime prints (output and errors together) is read from the
  // process instead of going to the editor's own output.
  static bool Start(QProcess& process, const TLaunchPlan& plan, bool captureOutput = false);
};

}  // namespace tess
