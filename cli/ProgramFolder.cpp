#include "cli/ProgramFolder.h"

#include <filesystem>
#include <ostream>

#include "core/InstallLayout.h"
#include "core/PathUtils.h"
#include "core/ProjectFolder.h"
#include "platform/RuntimePackage.h"
#include "platform/Settings.h"

namespace tess::cli {

namespace fs = std::filesystem;

std::string ProgramFolder() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : WithTrailingBackslash(exe.parent_path().string());
}

std::string AbsoluteFolder(const std::string& path) {
  return WithTrailingBackslash(fs::absolute(fs::path(path)).lexically_normal().string());
}

std::string EditorFolder() { return EditorDataFolder(ProgramFolder()); }

std::string UseProjectFolder(const std::string& argument, const std::string* runtimePackage, std::ostream& err) {
  const std::string project = AbsoluteFolder(argument);
  if (!IsFolder(project)) {
    err << "tessaly-cli: " << argument << " is not a folder\n";
    return {};
  }
  SetProjectFolder(project);
  std::string package;
  if (runtimePackage) {
    if (!NamedRuntimePackageExists(*runtimePackage, err)) return {};
    package = *runtimePackage;
  } else {
    TSettings settings;
    package = RuntimePackageFolder(settings, EditorFolder());
  }
  SetCurrentRuntimePackageFolder(package.empty() ? std::string() : AbsoluteFolder(package));
  return project;
}

bool NamedRuntimePackageExists(const std::string& folder, std::ostream& err) {
  // An empty name asks for no runtime package at all.
  if (folder.empty() || IsFolder(AbsoluteFolder(folder))) return true;
  err << "tessaly-cli: --rtp-folder " << folder << " is not a folder\n";
  return false;
}

}  // namespace tess::cli
