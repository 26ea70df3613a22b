#include <gtest/gtest.h>
#include <signal.h>

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "EditorProject.h"
#include "core/AtomicFile.h"
#include "core/MessagePort.h"
#include "core/ProjectFolder.h"
#include "core/QuietMode.h"
#include "core/ScratchFolder.h"
#include "database/DataBaseObj.h"
#include "editor/app/ProjectManager.h"
#include "editor/app/UnsavedWorkKeeper.h"
#include "editor/database/FormDataBase.h"
#include "maps/LD_Map.h"
#include "platform/Settings.h"
#include "project/WorkRecovery.h"
#include "tessaly/FormLcfMain.h"
#include "tessaly/RecoveryOffer.h"

using namespace tess;
namespace fs = std::filesystem;

namespace {

struct Recovery : ::testing::Test {
  TQuietModeScope quiet{false};
  TProcessFoldersScope folders;
  TScriptedMessages messages;
  TMessagePortScope port{&messages};
  QTemporaryDir home;
  std::string homeFolder = home.path().toStdString() + "/";
  std::string scratch = homeFolder + "scratch/";
  TSettings settings{homeFolder + "values.ini", homeFolder + "placement.ini"};
  test::TEditorProject project;
  std::string savedDir = QDir::currentPath().toStdString();

  void SetUp() override {
    fs::create_directories(scratch);
    SetScratchFolder(scratch);
    settings.SetProjectBasePath(project.base.path().toStdString() + "/");
    project.Make();
  }
  void TearDown() override { QDir::setCurrent(QString::fromStdString(savedDir)); }

  // Work left as an editor that died leaves it: map 1 with a changed cell.
  void LeaveMapWork() {
    NoteScratchProject(project.Folder(), scratch);
    TLcfMap map;
    map.LoadFromProject(project.Folder(), 1);
    map.lower.SetCell(2, 0, 5006);
    KeepUnsavedMap(scratch, map);
  }
  int SavedCell(int x) {
    TLcfMap saved;
    saved.LoadFromProject(project.Folder(), 1);
    return saved.lower.GetCell(x, 0);
  }
  // Starts the editor that is killed while it edits and waits until its work is kept.
  void KillWhileEditing(const std::string& mode, const std::string& keptFile, int signal = SIGKILL) {
    QProcess victim;
    victim.setProcessChannelMode(QProcess::ForwardedChannels);
    victim.start(TESS_RECOVERY_VICTIM,
                 {QString::fromStdString(scratch), QString::fromStdString(homeFolder), project.base.path() + "/",
                  QString::fromStdString(project.name), QString::fromStdString(mode)});
    ASSERT_TRUE(victim.waitForStarted());
    const std::string kept = scratch + keptFile;
    for (int i = 0; i < 300 && !fs::exists(kept) && victim.state() == QProcess::Running; ++i) QTest::qWait(100);
    ASSERT_TRUE(fs::exists(kept)) << "the editor kept nothing; it ended with " << victim.exitCode();
    ASSERT_EQ(::kill(static_cast<pid_t>(victim.processId()), signal), 0);
    ASSERT_TRUE(victim.waitForFinished());
    if (signal == SIGKILL) {
      EXPECT_EQ(victim.exitStatus(), QProcess::CrashExit);
    } else {
      // A logout or a kill ends the editor cleanly, and its work stays.
      EXPECT_EQ(victim.exitStatus(), QProcess::NormalExit);
      EXPECT_EQ(victim.exitCode(), 0);
      EXPECT_TRUE(fs::exists(kept));
    }
  }
  // The next start: the question is asked, answered with answer, and recorded.
  bool StartAgain(TFormLcfMain& window, TRecoveryAnswer answer, QString* asked = nullptr) {
    TRecoveryOffer offer(window, settings, scratch);
    if (!offer.HasLeftWork()) return false;
    offer.ask = [&](const QString& question) {
      if (asked) *asked = question;
      return answer;
    };
    return offer.Run();
  }
};

}  // namespace

// An editor killed with SIGKILL while a map is edited: the next start offers the work, and
// "Recover" makes it a pending map that "Save Map" commits.
TEST_F(Recovery, AMapEditSurvivesSigkill) {
  KillWhileEditing("map", "Unsaved/Map0001.lmu");
  EXPECT_EQ(SavedCell(4), 0);

  TFormLcfMain window(settings, homeFolder);
  QString question;
  ASSERT_TRUE(StartAgain(window, TRecoveryAnswer::Recover, &question));
  EXPECT_NE(question.indexOf("Project: \"Test\" in " + QString::fromStdString(project.Folder()).chopped(1)), -1)
      << question.toStdString();
  EXPECT_NE(question.indexOf("Map0001 \"MAP0001\", changed 20"), -1) << question.toStdString();
  EXPECT_EQ(question.indexOf("Database"), -1);
  ASSERT_TRUE(window.Document().IsOpen());
  EXPECT_EQ(window.Document().Map().lower.GetCell(4, 0), 5005);
  EXPECT_TRUE(window.Document().MapsModified());
  EXPECT_EQ(SavedCell(4), 0);
  EXPECT_TRUE(window.Action(TMainCommand::SaveMap)->isEnabled());
  window.Execute(TMainCommand::SaveMap);
  EXPECT_EQ(SavedCell(4), 5005);
  EXPECT_TRUE(CollectLeftWork(scratch).empty());
}

// SIGTERM and SIGHUP end the editor cleanly in the middle of an edit; the edit comes back at the
// next start as after a crash.
TEST_F(Recovery, SigtermAndSighupKeepTheEdit) {
  for (int signal : {SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal);
    KillWhileEditing("map", "Unsaved/Map0001.lmu", signal);
    TFormLcfMain window(settings, homeFolder);
    ASSERT_TRUE(StartAgain(window, TRecoveryAnswer::Recover));
    EXPECT_EQ(window.Document().Map().lower.GetCell(4, 0), 5005);
    // What came back is an edit like any other: Undo takes it back, and nothing is left to save.
    ASSERT_TRUE(window.Action(TMainCommand::Undo)->isEnabled());
    window.Execute(TMainCommand::Undo);
    EXPECT_EQ(window.Document().Map().lower.GetCell(4, 0), 0);
    EXPECT_FALSE(window.Document().MapsModified());
    window.Execute(TMainCommand::Redo);
    EXPECT_EQ(window.Document().Map().lower.GetCell(4, 0), 5005);
    EXPECT_TRUE(window.Document().MapsModified());
    window.Document().DiscardWorkCopies();
    window.Keeper().Forget();
  }
}

// A map added after the last save comes back with its place in the tree and its cells.
TEST_F(Recovery, ANewMapThatWasNeverSavedComesBack) {
  KillWhileEditing("newmap", "Unsaved/Map0002.lmu");
  TFormLcfMain window(settings, homeFolder);
  ASSERT_TRUE(StartAgain(window, TRecoveryAnswer::Recover));
  const TLcfMapTreeItem* node = window.Document().MapTree().FindById(2);
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->name, "MAP0002");
  window.Document().SelectNode(2);
  EXPECT_EQ(window.Document().Map().lower.GetCell(2, 1), 5007);
  window.Execute(TMainCommand::SaveMap);
  TLcfMap saved;
  saved.LoadFromProject(project.Folder(), 2);
  EXPECT_EQ(saved.lower.GetCell(2, 1), 5007);
  EXPECT_TRUE(CollectLeftWork(scratch).empty());
}

// The database window's edits of an editor killed with SIGKILL come back in the database window,
// not applied yet; Apply saves them.
TEST_F(Recovery, ADatabaseEditSurvivesSigkill) {
  KillWhileEditing("database", "Unsaved/TESS_RT.ldb");
  TLcfDataBase onDisk;
  ASSERT_TRUE(onDisk.LoadDatabase(project.Folder()));
  const std::string oldName = onDisk.heroes.ItemAt(0)->name;
  ASSERT_NE(oldName, "Killed");

  TFormLcfMain window(settings, homeFolder);
  bool shown = false;
  QTimer::singleShot(0, [&] {
    auto* database = qobject_cast<TFormDataBase*>(QApplication::activeModalWidget());
    ASSERT_NE(database, nullptr);
    shown = true;
    EXPECT_TRUE(database->ApplyEnabled());
    EXPECT_EQ(window.Document().DataBase().heroes.ItemAt(0)->name, "Killed");
    EXPECT_TRUE(database->Apply());
    database->reject();
  });
  QString question;
  ASSERT_TRUE(StartAgain(window, TRecoveryAnswer::Recover, &question));
  EXPECT_NE(question.indexOf("Database, changed 20"), -1) << question.toStdString();
  EXPECT_TRUE(shown);
  ASSERT_TRUE(onDisk.LoadDatabase(project.Folder()));
  EXPECT_EQ(onDisk.heroes.ItemAt(0)->name, "Killed");
  EXPECT_TRUE(CollectLeftWork(scratch).empty());
}

// "Later" keeps the work and opens nothing; "Discard" deletes it. Neither touches the project.
TEST_F(Recovery, LaterKeepsAndDiscardDeletes) {
  LeaveMapWork();
  TFormLcfMain window(settings, homeFolder);
  EXPECT_FALSE(StartAgain(window, TRecoveryAnswer::Later));
  EXPECT_FALSE(window.Document().IsOpen());
  EXPECT_EQ(CollectLeftWork(scratch).size(), 1u);
  EXPECT_FALSE(StartAgain(window, TRecoveryAnswer::Discard));
  EXPECT_TRUE(CollectLeftWork(scratch).empty());
  EXPECT_EQ(SavedCell(2), 0);
}

// Work whose project is gone cannot be recovered: the author is told, and it stays kept.
TEST_F(Recovery, WorkOfAProjectThatIsGoneStaysKept) {
  LeaveMapWork();
  fs::remove_all(project.Folder());
  TFormLcfMain window(settings, homeFolder);
  EXPECT_FALSE(StartAgain(window, TRecoveryAnswer::Recover));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find("is not there any more"), std::string::npos) << messages.shown[0].text;
  EXPECT_EQ(CollectLeftWork(scratch).size(), 1u);
}

// A clean close leaves nothing behind to be offered.
TEST_F(Recovery, ACleanCloseLeavesNothing) {
  {
    TFormLcfMain window(settings, homeFolder);
    window.Projects().OpenProject(project.name);
    ASSERT_TRUE(window.Document().EditLayers([](TLcfMap& map) {
      map.lower.SetCell(1, 1, 5001);
      return TCellRect{1, 1, 1, 1};
    }));
    QTest::qWait(TUnsavedWorkKeeper::kDelayMs + 300);
    EXPECT_TRUE(fs::exists(scratch + "Unsaved/Map0001.lmu"));
    messages.answers.push_back(TMessageResult::No);  // do not save the map
    window.close();
  }
  EXPECT_TRUE(CollectLeftWork(scratch).empty());
  EXPECT_EQ(SavedCell(1), 0);
}
