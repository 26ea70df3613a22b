#include "project/BattleTestRun.h"

#include <filesystem>
#include <system_error>

#include "core/PathUtils.h"
#include "database/BattleTestSetup.h"
#include "database/DataBaseObj.h"

namespace tess {

namespace fs = std::filesystem;

namespace {

// The clean-up every way out takes, as far as the test got.
struct TBattleTestCleanup {
  TBattleTestPorts& ports;
  fs::path work;
  fs::path database;
  fs::path kept;
  bool workMade = false;
  bool existed = false;
  bool audioReleased = false;
  bool saved = false;

  ~TBattleTestCleanup() {
    std::error_code ignored;
    if (saved) {
      if (existed)
        fs::copy_file(kept, database, fs::copy_options::overwrite_existing, ignored);
      else
        fs::remove(database, ignored);
    }
    if (audioReleased) ports.RestoreAudio();
    if (workMade) fs::remove_all(work, ignored);
  }
};

}  // namespace

TBattleTestEnd RunBattleTest(TLcfDataBase& db, const TBattleTestSetup& setup, bool fullScreen,
                             const std::string& projectFolder, const std::string& scratchFolder,
                             TBattleTestPorts& ports) {
  setup.WriteTo(db.system);
  const std::string file = FindNameNoCase(projectFolder, kDataBaseFileName).value_or(projectFolder + kDataBaseFileName);
  TBattleTestCleanup cleanup{ports, fs::path(scratchFolder) / "BattleTest", fs::path(file), {}};
  cleanup.kept = cleanup.work / kDataBaseFileName;

  std::error_code error;
  fs::remove_all(cleanup.work, error);
  cleanup.workMade = true;
  fs::create_directories(cleanup.work, error);
  cleanup.existed = fs::exists(cleanup.database);
  if (cleanup.existed &&
      (error || !fs::copy_file(cleanup.database, cleanup.kept, fs::copy_options::overwrite_existing, error) || error)) {
    ports.ShowError(kBackupFailedMessage);
    return TBattleTestEnd::BackupFailed;
  }
  ports.ReleaseAudio();
  cleanup.audioReleased = true;
  if (!ports.SaveDatabase()) return TBattleTestEnd::SaveFailed;
  cleanup.saved = true;
  std::string why;
  if (!ports.RunRuntime(setup.Words(fullScreen), &why)) {
    ports.ShowError(why.empty() ? std::string(kRuntimeNotStartedMessage) : kRuntimeNotStartedMessage + ("\n\n" + why));
    return TBattleTestEnd::NotStarted;
  }
  return TBattleTestEnd::Ran;
}

}  // namespace tess
