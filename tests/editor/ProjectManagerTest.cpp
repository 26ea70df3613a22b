#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>

#include "editor/app/FormNewProject.h"
#include "editor/app/FormOpenProject.h"
#include "editor/app/FormProjectPath.h"
#include "editor/app/FormRenameProject.h"
#include "editor/app/ProjectManager.h"
#include "core/Errors.h"
#include "core/MessagePort.h"
#include "core/PathUtils.h"
#include "core/ProjectFolder.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "platform/RuntimePackage.h"
#include "platform/Settings.h"
#include "project/ProjectCreation.h"
#include "project/ProjectNames.h"
#include "tests/ProjectTemplates.h"
#include "tests/TestFolder.h"
#include "ui/FolderField.h"

using namespace tess;
namespace fs = std::filesystem;

namespace {

std::string CurrentDirectory() { return WithTrailingBackslash(fs::current_path().string()); }

// A base folder with its settings, templates and scratch folder, and a manager whose callbacks do
// what the main window's do to the files, counting the calls.
class ProjectManagerTest : public ::testing::Test {
 protected:
  ProjectManagerTest()
      : base(folder.Sub("projects")),
        app(folder.Sub("app")),
        scratch(folder.Sub("scratch")),
        settings(folder / "Tessaly.conf", folder / "Orvane.conf") {
    test::WriteProjectTemplates(app);
    settings.SetProjectBasePath(base);
    tree.scratchFolder = scratch;
    SetMessagePort(&messages);
  }
  ~ProjectManagerTest() override {
    SetMessagePort(nullptr);
    SetProjectFolder("");
    [[maybe_unused]] int r = ::chdir(savedDirectory.c_str());
  }

  TProjectManager::TCallbacks Callbacks() {
    TProjectManager::TCallbacks callbacks;
    callbacks.create = [this](const std::string& title) {
      ++created;
      return CreateProjectFiles(ProjectFolder(), title, app, tree, map);
    };
    callbacks.open = [this] {
      ++opened;
      if (openThrows) throw ETessError(kMapTreeCorrupt);
      return openSucceeds;
    };
    callbacks.close = [this] { ++closed; };
    callbacks.markCurrentFormat = [this] { ++marked; };
    return callbacks;
  }

  std::string savedDirectory = fs::current_path().string();
  test::TTestFolder folder;
  std::string base, app, scratch;
  TSettings settings;
  TScriptedMessages messages;
  TLcfMapTree tree;
  TLcfMap map;
  int created = 0, opened = 0, closed = 0, marked = 0;
  bool openSucceeds = true;
  bool openThrows = false;
};

}  // namespace

TEST_F(ProjectManagerTest, CreatingOpensTheNewProject) {
  TProjectManager manager(settings, app, Callbacks());
  EXPECT_EQ(CurrentDirectory(), base);
  fs::create_directories(base + "Quest");
  manager.CreateProject("Quest", "The Quest");

  EXPECT_TRUE(manager.IsOpen());
  EXPECT_EQ(manager.FolderName(), "Quest");
  EXPECT_EQ(ProjectFolder(), base + "Quest/");
  EXPECT_EQ(CurrentDirectory(), base + "Quest/");
  EXPECT_EQ(settings.OpenedProjectFolder(app), "Quest");
  EXPECT_EQ(ReadGameTitle(base + "Quest"), "The Quest");
  EXPECT_TRUE(IsFile(base + "Quest/Map0001.lmu"));
  EXPECT_FALSE(fs::exists(scratch + "Map0001.lmu"));
  EXPECT_EQ(created, 1);
  EXPECT_EQ(opened, 1);
  // A second project cannot be made while one is open.
  fs::create_directories(base + "Other");
  manager.CreateProject("Other", "Other");
  EXPECT_EQ(created, 1);
  EXPECT_EQ(settings.ReadString(TSettings::kApplicationPath, ""), app);
}

TEST_F(ProjectManagerTest, FailedCreationDeletesTheFolder) {
  TProjectManager manager(settings, app, Callbacks());
  // A material folder that exists already, and a project that cannot be opened afterwards.
  fs::create_directories(base + "Taken/Backdrop");
  fs::create_directories(base + "Unopenable");
  for (const char* name : {"Taken", "Unopenable"}) {
    openSucceeds = std::string(name) != "Unopenable";
    try {
      manager.CreateProject(name, "Title");
      ADD_FAILURE() << name;
    } catch (const ETessError& e) {
      EXPECT_STREQ(e.what(), "Project creation could not be completed.");
    }
    EXPECT_FALSE(fs::exists(base + name)) << name;
    EXPECT_FALSE(manager.IsOpen());
    EXPECT_EQ(ProjectFolder(), "");
    EXPECT_EQ(manager.FolderName(), "");
    EXPECT_EQ(CurrentDirectory(), base);
  }
  EXPECT_EQ(settings.OpenedProjectFolder(app), app);

  // Names that would make the folder to delete the base folder or one outside it are refused
  // before anything is touched.
  for (const char* name : {"", "..", "."}) EXPECT_THROW(manager.CreateProject(name, "T"), ETessError) << name;
  EXPECT_TRUE(IsFolder(base));
  EXPECT_TRUE(IsFolder(app));
}

TEST_F(ProjectManagerTest, OpenAndCloseKeepTheBookkeeping) {
  fs::create_directories(base + "Game");
  TProjectManager manager(settings, app, Callbacks());

  openSucceeds = false;
  manager.OpenProject("Game");
  EXPECT_FALSE(manager.IsOpen());
  EXPECT_EQ(CurrentDirectory(), base);
  EXPECT_EQ(ProjectFolder(), "");

  openSucceeds = true;
  openThrows = true;
  EXPECT_THROW(manager.OpenProject("Game"), ETessError);
  EXPECT_FALSE(manager.IsOpen());
  EXPECT_EQ(CurrentDirectory(), base);
  EXPECT_EQ(ProjectFolder(), "");

  openThrows = false;
  manager.OpenProject("missing");
  manager.OpenProject("");
  EXPECT_EQ(opened, 2);  // neither reached the callback

  manager.OpenProject("game");  // found in any case, remembered by its own name
  EXPECT_TRUE(manager.IsOpen());
  EXPECT_EQ(manager.FolderName(), "Game");
  EXPECT_EQ(ProjectFolder(), base + "Game/");
  EXPECT_EQ(CurrentDirectory(), base + "Game/");
  EXPECT_EQ(settings.OpenedProjectFolder(app), "Game");

  manager.CloseProject();
  EXPECT_EQ(closed, 1);
  EXPECT_FALSE(manager.IsOpen());
  EXPECT_EQ(ProjectFolder(), "");
  EXPECT_EQ(CurrentDirectory(), base);
  EXPECT_EQ(settings.OpenedProjectFolder(app), "");
  manager.CloseProject();
  EXPECT_EQ(closed, 1);
}

TEST_F(ProjectManagerTest, ReopensTheLastProjectOrNothing) {
  fs::create_directories(base + "Last");
  const struct {
    const char* stored;  // nullptr: the setting's default, the application folder's full path
    bool throws;
    bool opens;
  } cases[] = {{nullptr, false, false}, {"Gone", false, false}, {"Last", true, false}, {"Last", false, true}};
  for (const auto& c : cases) {
    if (c.stored)
      settings.SetOpenedProjectFolder(c.stored);
    else
      settings.WriteString(TSettings::kOpenedProjectFolder, app);
    openThrows = c.throws;
    TProjectManager manager(settings, app, Callbacks());
    manager.ReopenLastProject();
    EXPECT_EQ(manager.IsOpen(), c.opens) << (c.stored ? c.stored : "default");
    EXPECT_EQ(ProjectFolder(), c.opens ? base + "Last/" : "");
  }
}

TEST_F(ProjectManagerTest, NewProjectDialogProposesAFreeNameAndChecksIt) {
  fs::create_directories(base + "Project1");
  fs::create_directories(base + "Project3");
  TFormNewProject dialog(settings, nullptr);
  EXPECT_EQ(dialog.windowTitle(), "New Project");
  EXPECT_EQ(dialog.FolderEdit()->text(), "Project2");
  EXPECT_EQ(dialog.TitleEdit()->text(), "Untitled");
  EXPECT_EQ(dialog.FolderEdit()->maxLength(), 40);
  EXPECT_EQ(dialog.BaseFolder(), base);
  // The folder is shown in a box with a button beside it; either one opens the picker.
  EXPECT_EQ(dialog.PathField()->Path().toStdString(), base);
  EXPECT_EQ(dialog.PathField()->BrowseButton()->text(), "Browse...");
  int browsed = 0;
  QObject::connect(dialog.PathField(), &TFolderField::browseRequested, [&] { ++browsed; });
  // The picker that opens is closed again at once.
  auto closePicker = [] {
    QTimer::singleShot(0, [] {
      if (QWidget* picker = QApplication::activeModalWidget()) picker->close();
    });
  };
  closePicker();
  dialog.PathField()->BrowseButton()->click();
  closePicker();
  QTest::mouseClick(dialog.PathField()->Box(), Qt::LeftButton);
  EXPECT_EQ(browsed, 2);
  EXPECT_EQ(dialog.BaseFolder(), base);

  dialog.FolderEdit()->setText("a*b");
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  dialog.FolderEdit()->setText("Project1");
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, kIllegalNewNameMessage);
  EXPECT_EQ(messages.shown[1].text,
            std::string(kCannotCreateProjectFolderMessage) + "\nThe folder \"Project1\" exists already.");

  dialog.FolderEdit()->setText("Project2");
  dialog.TitleEdit()->setText("Caf\u00e9");
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(IsFolder(base + "Project2"));
  EXPECT_EQ(dialog.GameTitle(), "Caf\xe9");  // the game's code page

  // What the manager does after OK.
  TProjectManager manager(settings, app, Callbacks());
  manager.CreateProject(dialog.FolderName(), dialog.GameTitle());
  EXPECT_EQ(ReadGameTitle(base + "Project2"), "Caf\xe9");
}

TEST_F(ProjectManagerTest, OpenProjectDialogListsRenamesAndDeletes) {
  for (const char* name : {"Alpha", "Beta"}) {
    fs::create_directories(base + name);
    std::ofstream(base + name + "/TESS_RT.exe") << "runtime";
  }
  WriteGameTitle(base + "Beta", "Beta Game");
  fs::create_directories(base + "NotAProject");

  TFormOpenProject dialog(settings, nullptr);
  QTreeWidget* list = dialog.List();
  ASSERT_EQ(list->topLevelItemCount(), 2);
  EXPECT_EQ(list->headerItem()->text(0), "Directory");
  EXPECT_EQ(list->headerItem()->text(1), "Game");
  EXPECT_EQ(list->topLevelItem(1)->text(1), "Beta Game");
  EXPECT_EQ(dialog.Current()->folderName, "Alpha");  // the first entry is selected

  // Rename as the rename dialog does it, then refill on the new name.
  TFormRenameProject rename(base, "Beta", "Beta Game", &dialog);
  EXPECT_EQ(rename.windowTitle(), "Rename Project");
  rename.FolderEdit()->setText("Gamma");
  rename.accept();
  EXPECT_EQ(rename.result(), QDialog::Accepted);
  dialog.Refill(rename.NewFolderName());
  EXPECT_EQ(dialog.Current()->folderName, "Gamma");

  messages.answers = {TMessageResult::Yes};
  dialog.DeleteSelected();
  EXPECT_FALSE(fs::exists(base + "Gamma"));
  ASSERT_EQ(list->topLevelItemCount(), 1);

  dialog.OpenSelected();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.SelectedFolder(), "Alpha");
}

TEST_F(ProjectManagerTest, ProjectPathDialogEnablesOkOnlyForAnAbsoluteExistingFolder) {
  TFormProjectPath dialog(base, nullptr);
  EXPECT_EQ(dialog.windowTitle(), "Project Path");
  EXPECT_EQ(dialog.PathEdit()->maxLength(), 250);
  EXPECT_EQ(dialog.PathEdit()->text().toStdString() + "/", base);
  EXPECT_TRUE(dialog.OkButton()->isEnabled());
  const struct {
    std::string text;
    bool enabled;
  } cases[] = {{"/", false}, {"projects", false}, {base + "missing", false}, {app, true}};
  for (const auto& c : cases) {
    dialog.PathEdit()->setText(QString::fromStdString(c.text));
    EXPECT_EQ(dialog.OkButton()->isEnabled(), c.enabled) << c.text;
  }
  dialog.PathEdit()->setText(QString::fromStdString(base + "missing"));
  dialog.accept();  // OK is disabled: nothing happens
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  dialog.PathEdit()->setText(QString::fromStdString(app + "."));
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Chosen(), app);
  EXPECT_TRUE(messages.shown.empty());
}
