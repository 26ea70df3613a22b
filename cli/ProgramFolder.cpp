#include "cli/ProgramFolder.h"

#include <filesystem>

#include "core/InstallLayout.h"
#include "core/PathUtils.h"

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

}  // namespace tess::cli
