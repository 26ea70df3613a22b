#pragma once
// The editor's settings between sessions: one set of named values in the user's configuration
// (organisation "Velmont", application "Tessaly"), and the window placements in a second set
// ("Ostara", "Orvane") under the window's name followed by "_Placement". Booleans are stored as
// the text "0" or "1"; any integer text other than 0 reads as true, a missing or unreadable value
// as the default. Values are read and written when asked, never cached.

#include <memory>
#include <string>

class QSettings;

namespace tess {

class TSettings {
 public:
  // The user's settings.
  TSettings();
  // Settings kept in two given files (tests, or a portable installation).
  TSettings(const std::string& valuesFile, const std::string& placementFile);
  ~TSettings();
  TSettings(const TSettings&) = delete;
  TSettings& operator=(const TSettings&) = delete;

  // Value names.
  static constexpr const char* kRuntimePackagePath = "RuntimePackagePath";
  static constexpr const char* kFullScreenFlag = "FullScreenFlag";
  static constexpr const char* kShowTitleFlag = "ShowTitleFlag";
  static constexpr const char* kProjectBasePath = "ProjectBasePath";
  static constexpr const char* kOpenedProjectFolder = "OpenedProjectFolder";
  static constexpr const char* kApplicationPath = "ApplicationPath";
  static constexpr const char* kIncludeRtpOption = "IncludeRtpOption";
  static constexpr const char* kMaterialPath = "MaterialPath";
  // The program test play and the battle test start instead of the project's runtime (empty: the
  // project's own), and the launcher of Windows programs (empty: wine when it is installed).
  static constexpr const char* kGameRuntime = "GameRuntime";
  static constexpr const char* kRuntimeLauncher = "RuntimeLauncher";

  std::string ReadString(const char* name, const std::string& def) const;
  void WriteString(const char* name, const std::string& value);
  bool ReadBool(const char* name, bool def) const;
  void WriteBool(const char* name, bool value);
  bool Contains(const char* name) const;

  // The typed values with their defaults. applicationFolder is the default of the opened project.
  std::string RuntimePackagePath() const { return ReadString(kRuntimePackagePath, ""); }
  void SetRuntimePackagePath(const std::string& v) { WriteString(kRuntimePackagePath, v); }
  bool FullScreenFlag() const { return ReadBool(kFullScreenFlag, true); }
  void SetFullScreenFlag(bool v) { WriteBool(kFullScreenFlag, v); }
  bool ShowTitleFlag() const { return ReadBool(kShowTitleFlag, false); }
  void SetShowTitleFlag(bool v) { WriteBool(kShowTitleFlag, v); }
  std::string ProjectBasePath(const std::string& def) const { return ReadString(kProjectBasePath, def); }
  void SetProjectBasePath(const std::string& v) { WriteString(kProjectBasePath, v); }
  std::string OpenedProjectFolder(const std::string& applicationFolder) const {
    return ReadString(kOpenedProjectFolder, applicationFolder);
  }
  void SetOpenedProjectFolder(const std::string& v) { WriteString(kOpenedProjectFolder, v); }
  void SetApplicationPath(const std::string& v) { WriteString(kApplicationPath, v); }
  bool IncludeRtpOption() const { return ReadBool(kIncludeRtpOption, false); }
  void SetIncludeRtpOption(bool v) { WriteBool(kIncludeRtpOption, v); }
  std::string MaterialPath() const { return ReadString(kMaterialPath, ""); }
  void SetMaterialPath(const std::string& v) { WriteString(kMaterialPath, v); }

  // The code page a project's text is shown in, kept per project folder (the folder's full path,
  // however it was named); empty when none was chosen yet.
  std::string ProjectCodePage(const std::string& projectFolder) const;
  void SetProjectCodePage(const std::string& projectFolder, const std::string& codePage);

  // A window's saved placement (the bytes the window layer produced), empty when there is none.
  std::string ReadPlacement(const std::string& windowName) const;
  void WritePlacement(const std::string& windowName, const std::string& placement);

  // Writes pending changes to disk now.
  void Sync();
  // Takes every value and placement of other (a run that must not change the user's settings works
  // on a copy).
  void CopyFrom(const TSettings& other);

 private:
  std::unique_ptr<QSettings> values_;
  std::unique_ptr<QSettings> placements_;
};

}  // namespace tess
