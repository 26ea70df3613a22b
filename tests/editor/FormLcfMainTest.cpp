#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTimer>
#include <QToolBar>
#include <filesystem>

#include "EditorProject.h"
#include "MainWindowFixture.h"
#include "app/FormLcfMain.h"
#include "app/ProjectManager.h"
#include "core/AtomicFile.h"
#include "core/MessagePort.h"
#include "core/ProjectFolder.h"
#include "core/QuietMode.h"
#include "core/Stream.h"
#include "maps/LD_Map.h"
#include "media/WaveFile.h"
#include "media/audio/AudioHarmony.h"
#include "media/gui/EditorAudio.h"
#include "media/gui/FormSelMusic.h"
#include "platform/Settings.h"

using namespace tess;

namespace {

using MainWindow = test::TMainWindowFixture;

// An edit of one cell, as the map view makes them.
void EditCell(TFormLcfMain& window) {
  ASSERT_TRUE(window.Document().EditLayers([](TLcfMap& map) {
    map.lower.SetCell(0, 0, 5001);
    return TCellRect{0, 0, 1, 1};
  }));
}

void Resize(TFormLcfMain& window, int width) {
  ASSERT_TRUE(window.Document().EditMap([width](TLcfMap& map) { map.SetWidth(width); }));
}

}  // namespace

TEST_F(MainWindow, WithoutAProject) {
  TFormLcfMain window(settings, home.path().toStdString() + "/");
  EXPECT_EQ(window.minimumSize(), QSize(720, 573));
  EXPECT_EQ(window.windowTitle(), "Tessaly ");
  EXPECT_TRUE(window.Action(TMainCommand::NewProject)->isEnabled());
  EXPECT_TRUE(window.Action(TMainCommand::Exit)->isEnabled());
  EXPECT_FALSE(window.Action(TMainCommand::SaveMap)->isEnabled());
  EXPECT_FALSE(window.Action(TMainCommand::TestPlay)->isEnabled());
  EXPECT_FALSE(window.Action(TMainCommand::Database)->isEnabled());
  EXPECT_EQ(window.Action(TMainCommand::SaveMap)->shortcut(), QKeySequence("Ctrl+S"));
  EXPECT_TRUE(window.Document().CloseQuery());
}

TEST_F(MainWindow, OpeningRestoresModeAndZoomFromTheProject) {
  project.Make("[TESS_RT]\r\nGameTitle=Test\r\nMapEditMode=5\r\nMapEditZoom=2\r\n");
  auto window = OpenWindow();
  ASSERT_TRUE(window->Projects().IsOpen());
  EXPECT_EQ(ProjectFolder(), project.Folder());
  EXPECT_EQ(window->Document().EditMode(), TEditMode::Lower);  // out of range: the lower layer
  EXPECT_EQ(window->Document().Zoom(), TZoom::Quarter);
  EXPECT_EQ(window->Document().Tool(), TEditTool::Pen);
  EXPECT_TRUE(window->Action(TMainCommand::Zoom4)->isChecked());
  EXPECT_TRUE(window->Action(TMainCommand::ToolPen)->isChecked());
  EXPECT_EQ(window->StatusPanel(1)->text(), "Lower Layer Editing Mode");
  EXPECT_EQ(window->Document().Map().Id(), 1);
  EXPECT_EQ(window->Document().Map().width, 30);
  EXPECT_FALSE(window->Action(TMainCommand::NewProject)->isEnabled());
  EXPECT_TRUE(window->Action(TMainCommand::TestPlay)->isEnabled());
  EXPECT_FALSE(window->Action(TMainCommand::SaveMap)->isEnabled());
  // The commands follow the document's modified state by themselves.
  EditCell(*window);
  EXPECT_TRUE(window->Action(TMainCommand::SaveMap)->isEnabled());
  EXPECT_TRUE(window->Action(TMainCommand::RevertMap)->isEnabled());
}

TEST_F(MainWindow, CloseQueryPaths) {
  project.Make();
  auto window = OpenWindow();
  const std::string mapFile = project.Folder() + "Map0001.lmu";
  const Bytes before = ReadWholeFile(mapFile);

  // Cancel: stop, nothing written.
  Resize(*window, 31);
  messages.answers = {TMessageResult::Cancel};
  EXPECT_FALSE(window->Document().CloseQuery());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Map has changed since it was last saved.  Save it now?");
  EXPECT_EQ(ReadWholeFile(mapFile), before);

  // No: go on without saving anything.
  messages.answers = {TMessageResult::No};
  EXPECT_TRUE(window->Document().CloseQuery());
  EXPECT_EQ(ReadWholeFile(mapFile), before);

  // Yes: the map is saved and committed; the edit settings are written.
  messages.answers = {TMessageResult::Yes};
  EXPECT_TRUE(window->Document().CloseQuery());
  TLcfMap saved;
  saved.LoadFromProject(project.Folder(), 1);
  EXPECT_EQ(saved.width, 31);
  EXPECT_FALSE(window->Document().MapsModified());
  EXPECT_FALSE(window->Action(TMainCommand::SaveMap)->isEnabled());
  EXPECT_NE(ReadWholeFile(project.Folder() + "TESS_RT.ini").size(), 0u);

  // Yes, but the map cannot be written: stop, the edits stay.
  Resize(*window, 32);
  std::filesystem::remove(mapFile);
  std::filesystem::create_directory(mapFile);  // a folder where the file should go
  messages.answers = {TMessageResult::Yes};
  EXPECT_FALSE(window->Document().CloseQuery());
  EXPECT_TRUE(window->Document().MapsModified());
  std::filesystem::remove(mapFile);
}

TEST_F(MainWindow, ClosingWithoutChangesStillRewritesTheTree) {
  project.Make();
  auto window = OpenWindow();
  const std::string treeFile = project.Folder() + "TESS_RT.lmt";
  std::filesystem::remove(treeFile);
  EXPECT_TRUE(window->Document().CloseQuery());
  EXPECT_TRUE(std::filesystem::exists(treeFile));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MainWindow, TestPlayPassesTheWordsInTheProjectFolder) {
  project.Make();
  auto window = OpenWindow();
  struct Case {
    bool fullScreen, showTitle;
    const char* words;
  } cases[] = {{true, false, "TestPlay HideTitle FullScreen"}, {false, true, "TestPlay ShowTitle Window"}};
  for (const Case& c : cases) {
    window->Action(TMainCommand::FullScreen)->setChecked(c.fullScreen);
    window->Execute(TMainCommand::FullScreen);
    window->Action(TMainCommand::ShowTitle)->setChecked(c.showTitle);
    window->Execute(TMainCommand::ShowTitle);
    window->Execute(TMainCommand::TestPlay);
    std::string folder = QDir(QString::fromStdString(project.Folder())).canonicalPath().toStdString();
    EXPECT_EQ(project.RuntimeRecord(), folder + "\n" + c.words + "\n");
  }

  // Answering No to the save prompt abandons test play.
  std::filesystem::remove(project.Folder() + "runtime-record.txt");
  EditCell(*window);
  messages.answers = {TMessageResult::No};
  window->Execute(TMainCommand::TestPlay);
  EXPECT_EQ(project.RuntimeRecord(), "");

  // A runtime that cannot start shows the message and changes nothing.
  ASSERT_TRUE(window->Document().SaveMap());
  std::filesystem::remove(project.Folder() + "TESS_RT.exe");
  messages.shown.clear();
  window->Execute(TMainCommand::TestPlay);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Unable to test play due to a fatal error during project compilation.");
}

TEST_F(MainWindow, ListenToMusicOpensTheMusicPickerInListeningMode) {
  project.Make();
  auto window = OpenWindow();
  ASSERT_TRUE(window->Action(TMainCommand::ListenToMusic)->isEnabled());
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* picker = qobject_cast<TFormSelMusic*>(QApplication::activeModalWidget());
    seen = picker && picker->Listening() && picker->windowTitle() == "BGM";
    if (QApplication::activeModalWidget()) QApplication::activeModalWidget()->close();
  });
  window->Execute(TMainCommand::ListenToMusic);
  EXPECT_TRUE(seen);
}

TEST_F(MainWindow, TestPlayLetsGoOfTheSoundDevicesAndTakesThemBack) {
  project.Make();
  auto window = OpenWindow();
  ASSERT_TRUE(AudioAvailable());
  const std::string sound = home.filePath("beep.wav").toStdString();
  std::vector<int16_t> samples(44100, 5000);
  WriteFileAtomic(sound, EncodeWaveFile(samples.data(), samples.size(), 1, 22050));
  ASSERT_TRUE(AudioPlaySound(sound, 100, 100, 50));
  LastMusic().name = "Field";
  window->Execute(TMainCommand::TestPlay);
  EXPECT_NE(project.RuntimeRecord(), "");
  ASSERT_TRUE(AudioAvailable());
  EXPECT_FALSE(AudioFrontEnd()->SoundPlaying());  // a new front end
  EXPECT_NE(AudioFrontEnd()->Wave(), nullptr);
  EXPECT_EQ(LastMusic().name, "(OFF)");
  // The same when the runtime cannot start.
  std::filesystem::remove(project.Folder() + "TESS_RT.exe");
  window->Execute(TMainCommand::TestPlay);
  EXPECT_TRUE(AudioAvailable());
}

TEST_F(MainWindow, CommandsWithoutTheirWindowStayDisabled) {
  project.Make();
  auto window = OpenWindow();
  ASSERT_TRUE(window->Projects().IsOpen());
  EXPECT_TRUE(window->Action(TMainCommand::Database)->isEnabled());
  EXPECT_TRUE(window->Action(TMainCommand::ResourceManager)->isEnabled());
  EXPECT_TRUE(window->Action(TMainCommand::ListenToMusic)->isEnabled());
  EXPECT_FALSE(window->Action(TMainCommand::EventSearch)->isEnabled());
  // The tool bar has its groups in the table's order, a separator between each two.
  QList<QAction*> bar = window->findChild<QToolBar*>("MainToolBar")->actions();
  QStringList names;
  for (QAction* a : bar) names << (a->isSeparator() ? QString("|") : a->objectName());
  EXPECT_EQ(names.join(" ").toStdString(),
            "NewProject OpenProject SaveMap | Undo Redo | ModeLower ModeUpper ModeEvent | Zoom1 Zoom2 Zoom4 Zoom8 | "
            "ToolSelect ToolZoom ToolPen ToolRectangle ToolEllipse ToolFill | Database ResourceManager ListenToMusic "
            "EventSearch | TestPlay");
}

TEST_F(MainWindow, ShortcutsComeFromTheSettingsOverTheDefaults) {
  settings.WriteString("Shortcuts/SaveMap", "Ctrl+Shift+S");
  settings.WriteString("Shortcuts/TestPlay", "");
  TFormLcfMain window(settings, home.path().toStdString() + "/");
  EXPECT_EQ(window.Action(TMainCommand::SaveMap)->shortcut(), QKeySequence("Ctrl+Shift+S"));
  EXPECT_TRUE(window.Action(TMainCommand::TestPlay)->shortcut().isEmpty());
  EXPECT_EQ(window.Action(TMainCommand::RevertMap)->shortcut(), QKeySequence("Ctrl+R"));
}

TEST_F(MainWindow, ModeCommandsFollowTheDocument) {
  project.Make();
  auto window = OpenWindow();
  window->Execute(TMainCommand::ModeEvent);
  EXPECT_EQ(window->Document().EditMode(), TEditMode::Event);
  EXPECT_EQ(window->StatusPanel(1)->text(), "Event Editing Mode");
  EXPECT_FALSE(window->Action(TMainCommand::ToolPen)->isEnabled());
  // A view that changes the document is followed by the check marks.
  window->Document().SetEditMode(TEditMode::Upper);
  EXPECT_TRUE(window->Action(TMainCommand::ModeUpper)->isChecked());
  EXPECT_TRUE(window->Action(TMainCommand::ToolPen)->isEnabled());
  window->Document().SetZoom(TZoom::Eighth);
  EXPECT_TRUE(window->Action(TMainCommand::Zoom8)->isChecked());
  // Closing writes the mode and zoom into the project's settings.
  EXPECT_TRUE(window->Document().CloseQuery());
  const Bytes ini = ReadWholeFile(project.Folder() + "TESS_RT.ini");
  const std::string text(ini.begin(), ini.end());
  EXPECT_NE(text.find("MapEditMode=1"), std::string::npos) << text;
  EXPECT_NE(text.find("MapEditZoom=3"), std::string::npos) << text;
}
