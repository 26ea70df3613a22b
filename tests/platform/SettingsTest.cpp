#include <gtest/gtest.h>

#include "platform/RuntimePackage.h"
#include "platform/Settings.h"
#include "project/ProjectNames.h"
#include "tests/TempDir.h"

using namespace tess;
using namespace tess::test;

namespace {
struct TSettingsFiles {
  TTempDir dir{"settings"};
  std::string values = dir / "Tessaly.conf";
  std::string placements = dir / "Orvane.conf";
};
}  // namespace

TEST(Settings, RuntimePackageFallsBackToTheApplicationsRtpFolderAndRemembersIt) {
  TSettingsFiles files;
  const std::string app = files.dir / "tessaly/";
  std::filesystem::create_directories(app);
  {
    TSettings settings(files.values, files.placements);
    EXPECT_EQ(RuntimePackageFolder(settings, app), "");  // no RTP folder: start-up refuses
    EXPECT_FALSE(settings.Contains(TSettings::kRuntimePackagePath));
    std::filesystem::create_directories(app + "RTP");
    EXPECT_EQ(RuntimePackageFolder(settings, app), app + "RTP/");
  }
  // The fallback was written to disk, without a trailing separator.
  TSettings reopened(files.values, files.placements);
  EXPECT_EQ(reopened.RuntimePackagePath(), app + "RTP");

  // A registered folder wins and is not checked for existence.
  reopened.SetRuntimePackagePath("/nowhere/Package");
  EXPECT_EQ(RuntimePackageFolder(reopened, app), "/nowhere/Package/");
}

TEST(Settings, BooleansAreTextAndMissingValuesTakeTheirDefaults) {
  TSettingsFiles files;
  TSettings settings(files.values, files.placements);
  EXPECT_TRUE(settings.FullScreenFlag());
  EXPECT_FALSE(settings.ShowTitleFlag());
  EXPECT_FALSE(settings.IncludeRtpOption());
  EXPECT_EQ(settings.ProjectBasePath("/app/"), "/app/");
  EXPECT_EQ(settings.OpenedProjectFolder("/app/"), "/app/");
  EXPECT_EQ(settings.MaterialPath(), "");
  const struct {
    const char* text;
    bool value;
  } cases[] = {{"0", false}, {"1", true}, {"2", true}, {"-1", true}, {" 0 ", false}, {"yes", true}, {"", true}};
  for (const auto& c : cases) {
    settings.WriteString(TSettings::kFullScreenFlag, c.text);
    EXPECT_EQ(settings.FullScreenFlag(), c.value) << c.text;  // unreadable text: the default, true
  }
  settings.SetShowTitleFlag(true);
  EXPECT_EQ(settings.ReadString(TSettings::kShowTitleFlag, ""), "1");

  const std::string placement("\x2c\0\0\0\x01\xff", 6);
  settings.WritePlacement("FormLcfMain", placement);
  settings.Sync();
  TSettings reopened(files.values, files.placements);
  EXPECT_EQ(reopened.ReadPlacement("FormLcfMain"), placement);
  EXPECT_EQ(reopened.ReadPlacement("FormOther"), "");
  EXPECT_EQ(reopened.ReadString(TSettings::kShowTitleFlag, ""), "1");
}

TEST(Settings, GameTitleLivesInTheProjectsIni) {
  TTempDir dir("title");
  const std::string project = dir / "Game/";
  std::filesystem::create_directories(project);
  EXPECT_EQ(ReadGameTitle(project), "Untitled");
  WriteText(project + "Tess_Rt.Ini", "[TESS_RT]\r\nMapEditMode=1\r\n");
  WriteGameTitle(project, "The Tale of Tessaly");
  EXPECT_EQ(ReadGameTitle(project), "The Tale of Tessaly");
  EXPECT_EQ(ReadText(project + "Tess_Rt.Ini"), "[TESS_RT]\r\nMapEditMode=1\r\nGameTitle=The Tale of Tessaly\r\n");
}
