#include "core/ProjectFolder.h"

#include "core/PathUtils.h"

namespace tess {

namespace {
std::string projectFolder;
std::string runtimePackageFolder;
std::string scratchFolder;
}  // namespace

const std::string& ProjectFolder() { return projectFolder; }
void SetProjectFolder(const std::string& folder) { projectFolder = WithTrailingBackslash(folder); }

const std::string& CurrentRuntimePackageFolder() { return runtimePackageFolder; }
void SetCurrentRuntimePackageFolder(const std::string& folder) { runtimePackageFolder = WithTrailingBackslash(folder); }

const std::string& ScratchFolder() { return scratchFolder; }
void SetScratchFolder(const std::string& folder) { scratchFolder = WithTrailingBackslash(folder); }

}  // namespace tess
