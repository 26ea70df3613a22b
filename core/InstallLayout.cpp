#include "core/InstallLayout.h"

#include <filesystem>

#include "core/PathUtils.h"

namespace tess {

namespace {

constexpr const char* kDatabaseTemplate = "TESS_RT.ldb.dat";

bool HoldsTemplates(const std::string& folder) { return IsFile(folder + kDatabaseTemplate); }

// folder + relative made normal ("bin/../share" becomes "share"), with a trailing '/'.
std::string Below(const std::string& folder, const std::string& relative) {
  return WithTrailingBackslash(std::filesystem::path(folder + relative).lexically_normal().string());
}

}  // namespace

std::string EditorDataFolder(const std::string& programFolder) {
  const std::string program = WithTrailingBackslash(programFolder);
  if (program.empty() || HoldsTemplates(program)) return program;
  // The tools of the build tree lie one or two folders below it (cli/, tools/tess-rt/).
  for (const char* candidate : {"../app/", "../../app/", "../share/tessaly/"}) {
    const std::string folder = Below(program, candidate);
    if (HoldsTemplates(folder)) return folder;
  }
  return program;
}

std::string ManualFolder(const std::string& programFolder) {
  const std::string program = WithTrailingBackslash(programFolder);
  const std::string beside = EditorDataFolder(program) + "manual/";
  if (IsFile(beside + "index.html")) return beside;
  const std::string installed = Below(program, std::string("../") + kInstalledManualFolder);
  return IsFile(installed + "index.html") ? installed : beside;
}

}  // namespace tess
