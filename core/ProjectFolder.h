#pragma once
// The process-wide folders every layer builds file names from. The editor sets them: the project
// folder while a project is open, the runtime package folder and the scratch folder at start.

#include <string>

namespace tess {

// The open project's folder with a trailing '/'; empty when no project is open.
const std::string& ProjectFolder();
void SetProjectFolder(const std::string& folder);

// The runtime package folder that material lookups use, with a trailing '/'; empty when there is
// none.
const std::string& CurrentRuntimePackageFolder();
void SetCurrentRuntimePackageFolder(const std::string& folder);

// The scratch folder TESS_TEMP with a trailing '/': map work copies, the game disk and battle test
// work folders. Empty until the editor has prepared it.
const std::string& ScratchFolder();
void SetScratchFolder(const std::string& folder);

// Keeps the three folders above for the life of the scope and restores them afterwards, whatever
// was set in between.
class TProcessFoldersScope {
 public:
  TProcessFoldersScope()
      : project_(ProjectFolder()), runtimePackage_(CurrentRuntimePackageFolder()), scratch_(ScratchFolder()) {}
  ~TProcessFoldersScope() {
    SetProjectFolder(project_);
    SetCurrentRuntimePackageFolder(runtimePackage_);
    SetScratchFolder(scratch_);
  }
  TProcessFoldersScope(const TProcessFoldersScope&) = delete;
  TProcessFoldersScope& operator=(const TProcessFoldersScope&) = delete;

 private:
  std::string project_, runtimePackage_, scratch_;
};

}  // namespace tess
