#pragma once
// "Start Test" of the battle test window, without widgets: the settings go into the system record,
// the project's database file is kept in the scratch folder, the database being edited is saved
// for the runtime, the runtime runs the battle while the editor has given up the sound devices, and
// afterwards the file is put back exactly as it was (or removed when there was none), so a test
// commits nothing. Every way out, an exception included, takes the same clean-up.

#include <string>
#include <vector>

namespace tess {

class TLcfDataBase;
class TBattleTestSetup;

inline constexpr const char* kBackupFailedMessage = "Temporary file could not be created. Cannot execute test battle.";
inline constexpr const char* kRuntimeNotStartedMessage =
    "Process thread could not be created. Cannot execute test battle.";

// What the editor does for the test; tests fake it.
class TBattleTestPorts {
 public:
  virtual ~TBattleTestPorts() = default;
  // The audio front end lets go of the sound devices, and takes them back.
  virtual void ReleaseAudio() = 0;
  virtual void RestoreAudio() = 0;
  // The guarded save of the database into the project (it tells the author when it fails).
  virtual bool SaveDatabase() = 0;
  // Starts the runtime with words and waits until it has ended; false when it could not start, with
  // why in plain words (with the fix) in *why when it knows.
  virtual bool RunRuntime(const std::vector<std::string>& words, std::string* why) = 0;
  virtual void ShowError(const std::string& message) = 0;
};

enum class TBattleTestEnd { BackupFailed, SaveFailed, NotStarted, Ran };

// projectFolder and scratchFolder end in '/'; the work folder is scratchFolder + "BattleTest".
TBattleTestEnd RunBattleTest(TLcfDataBase& db, const TBattleTestSetup& setup, bool fullScreen,
                             const std::string& projectFolder, const std::string& scratchFolder,
                             TBattleTestPorts& ports);

}  // namespace tess
