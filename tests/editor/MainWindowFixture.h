#pragma once
// A fixture for tests of the main window: the settings in a temporary home, the scratch folder, the
// project folder and quiet mode put back after each test, scripted messages, and the sample project.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <memory>

#include "EditorProject.h"
#include "tessaly/FormLcfMain.h"
#include "editor/app/ProjectManager.h"
#include "core/MessagePort.h"
#include "core/ProjectFolder.h"
#include "core/QuietMode.h"
#include "platform/Settings.h"

namespace tess::test {

struct TMainWindowFixture : ::testing::Test {
  // The window turns quiet mode on and the project manager sets the project folder: both are put
  // back after each test, as are the message port and the scratch folder.
  TQuietModeScope quiet{false};
  TProcessFoldersScope folders;
  TScriptedMessages messages;
  TMessagePortScope port{&messages};
  QTemporaryDir home;
  TSettings settings{home.filePath("values.ini").toStdString(), home.filePath("placement.ini").toStdString()};
  test::TEditorProject project;
  std::string savedDir = QDir::currentPath().toStdString();

  void SetUp() override {
    std::string scratch = home.filePath("scratch").toStdString() + "/";
    std::filesystem::create_directories(scratch);
    SetScratchFolder(scratch);
    settings.SetProjectBasePath(project.base.path().toStdString() + "/");
  }
  void TearDown() override { QDir::setCurrent(QString::fromStdString(savedDir)); }
  std::unique_ptr<TFormLcfMain> OpenWindow() {
    auto window = std::make_unique<TFormLcfMain>(settings, home.path().toStdString() + "/");
    window->Projects().OpenProject(project.name);
    return window;
  }
};

}  // namespace tess::test
