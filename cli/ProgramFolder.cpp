#include "cli/ProgramFolder.h"

#include <filesystem>

#include "core/PathUtils.h"

namespace tess::cli {

std::string ProgramFolder() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : WithTrailingBackslash(exe.parent_path().string());
}

}  // namespace tess::cli
