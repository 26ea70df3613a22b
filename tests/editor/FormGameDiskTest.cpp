#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "editor/app/FormGameDisk.h"
#include "core/MessagePort.h"
#include "core/ProjectFolder.h"
#include "platform/Settings.h"
#include "tests/editor/Widgets.h"

using namespace tess;
using test::ButtonNamed;
namespace fs = std::filesystem;

namespace {

struct TFolder {
  fs::path path = fs::temp_directory_path() / ("tess-editor-gamedisk-" + std::to_string(::getpid()));
  TFolder() {
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~TFolder() { fs::remove_all(path); }
  std::string Sub(const std::string& name) const {
    fs::create_directories(path / name);
    return (path / name).string() + "/";
  }
};

}  // namespace

TEST(FormGameDisk, BeginMakesTheDiskAndRemembersTheOption) {
  TFolder folder;
  const std::string project = folder.Sub("Quest");
  std::ofstream(project + "TESS_RT.exe") << "runtime";
  std::ofstream(project + "TESS_RT.ini") << "[TESS_RT]\r\nGameTitle=Quest\r\n";
  const std::string dest = folder.Sub("disk");
  TProcessFoldersScope folders;
  SetProjectFolder(project);
  SetScratchFolder(folder.Sub("TESS_TEMP"));
  TSettings settings((folder.path / "values.ini").string(), (folder.path / "placement.ini").string());
  settings.SetIncludeRtpOption(true);

  TFormGameDisk dialog(settings, nullptr);
  EXPECT_EQ(dialog.windowTitle(), "Create Gamedisk");
  EXPECT_TRUE(dialog.IncludeRuntimePackage());
  dialog.findChild<QCheckBox*>()->setChecked(false);
  QPushButton* begin = ButtonNamed(dialog, "Begin");
  ASSERT_NE(begin, nullptr);
  dialog.SetDiskPath("");
  EXPECT_FALSE(begin->isEnabled());
  dialog.SetDiskPath(QString::fromStdString(dest));
  EXPECT_TRUE(begin->isEnabled());

  TScriptedMessages messages;
  {
    TMessagePortScope port(&messages);
    dialog.show();
    begin->click();
  }

  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  ASSERT_EQ(messages.shown.size(), 1u);
  // Nothing after "successfully" about installer files our package does not ship.
  EXPECT_EQ(messages.shown[0].text, "Gamedisk was successfully created.");
  EXPECT_TRUE(fs::is_regular_file(dest + "Quest.lzh"));
  EXPECT_TRUE(fs::is_regular_file(dest + "Setup.ini"));
  EXPECT_FALSE(settings.IncludeRtpOption());
  EXPECT_FALSE(fs::exists(folder.path / "TESS_TEMP" / "GameDisk"));
}

TEST(FormSelectPath, AcceptsFoldersAndKeepsTheTextInStep) {
  TFolder folder;
  const std::string there = folder.Sub("there");
  TFormSelectPath dialog(QString::fromStdString(there), nullptr);
  EXPECT_EQ(dialog.windowTitle(), "Select Path");
  EXPECT_TRUE(dialog.CanAccept());
  dialog.SetText("relative/path");
  EXPECT_FALSE(dialog.CanAccept());
  dialog.SetText("//server/share");
  EXPECT_FALSE(dialog.CanAccept());
  dialog.SetText(QString::fromStdString(there + "../there"));
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Path().toStdString(), there);
}
