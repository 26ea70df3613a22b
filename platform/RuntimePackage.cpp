#include "platform/RuntimePackage.h"

#include "core/PathUtils.h"
#include "platform/Settings.h"
#include "platform/ShellServices.h"

namespace tess {

std::string RuntimePackageFolder(TSettings& settings, const std::string& applicationFolder) {
  std::string folder = settings.RuntimePackagePath();
  if (folder.empty()) {
    auto rtp = FindNameNoCase(applicationFolder, "RTP");
    if (rtp && IsFolder(*rtp)) {
      folder = *rtp;
      settings.SetRuntimePackagePath(folder);
      settings.Sync();
    }
  }
  return WithTrailingBackslash(folder);
}

std::string RuntimePackageFolder() {
  TSettings settings;
  return RuntimePackageFolder(settings, ApplicationFolder());
}

}  // namespace tess
