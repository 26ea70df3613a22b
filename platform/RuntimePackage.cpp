#include "platform/RuntimePackage.h"

#include "core/PathUtils.h"
#include "platform/ProfileFile.h"
#include "platform/Settings.h"
#include "platform/ShellServices.h"

namespace tess {

namespace {
constexpr const char* kIniName = "TESS_RT.ini";
constexpr const char* kSection = "TESS_RT";
constexpr const char* kGameTitle = "GameTitle";
}  // namespace

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

std::string ReadGameTitle(const std::string& projectFolder) {
  return TProfileFile(WithTrailingBackslash(projectFolder) + kIniName).ReadString(kSection, kGameTitle, "Untitled");
}

void WriteGameTitle(const std::string& projectFolder, const std::string& title) {
  TProfileFile ini(WithTrailingBackslash(projectFolder) + kIniName);
  ini.WriteString(kSection, kGameTitle, title);
  ini.Save();
}

}  // namespace tess
