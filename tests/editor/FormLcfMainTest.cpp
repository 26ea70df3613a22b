#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <filesystem>

#include "EditorProject.h"
#include "MainWindowFixture.h"
#include "audio/AudioHarmony.h"
#include "core/AtomicFile.h"
#include "core/MessagePort.h"
#include "core/ProjectFolder.h"
#include "core/QuietMode.h"
#include "core/Stream.h"
#include "editor/app/FormGameRuntime.h"
#include "editor/app/FormProcessWait.h"
#include "editor/app/PackCheck.h"
#include "editor/app/ProjectManager.h"
#include "maps/LD_Map.h"
#include "media/WaveFile.h"
#include "platform/RuntimeReport.h"
#include "platform/Settings.h"
#include "tessaly/FormLcfMain.h"
#include "tessaly/ProjectOffer.h"
#include "ui/EditorAudio.h"
#include "ui/QtMessagePort.h"
#include "ui/pickers/FormSelMusic.h"

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

// Puts two bytes after the end of a map file's record; returns the damaged file's bytes.
Bytes DamageMapFile(const std::string& file) {
  Bytes bytes = ReadWholeFile(file);
  bytes.insert(bytes.end(), {0x07, 0x00});
  WriteFileAtomic(file, bytes);
  return bytes;
}

void Resize(TFormLcfMain& window, int width) {
  ASSERT_TRUE(window.Document().EditMap([width](TLcfMap& map) { map.SetWidth(width); }));
}

}  // namespace

TEST_F(MainWindow, WithoutAProject) {
  TFormLcfMain window(settings, home.path().toStdString() + "/");
  EXPECT_EQ(window.minimumSize(), QSize(720, 573));
  EXPECT_EQ(window.windowTitle(), "Tessaly");
  EXPECT_TRUE(window.Action(TMainCommand::NewProject)->isEnabled());
  EXPECT_TRUE(window.Action(TMainCommand::Exit)->isEnabled());
  EXPECT_FALSE(window.Action(TMainCommand::SaveMap)->isEnabled());
  EXPECT_FALSE(window.Action(TMainCommand::TestPlay)->isEnabled());
  EXPECT_FALSE(window.Action(TMainCommand::Database)->isEnabled());
  EXPECT_EQ(window.Action(TMainCommand::SaveMap)->shortcut(), QKeySequence("Ctrl+S"));
  EXPECT_EQ(window.Action(TMainCommand::NewProject)->shortcut(), QKeySequence("Ctrl+N"));
  EXPECT_EQ(window.Action(TMainCommand::OpenProject)->shortcut(), QKeySequence("Ctrl+O"));
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
  EXPECT_EQ(messages.shown[0].text.rfind("Unable to test play due to a fatal error during project compilation.\n\n", 0),
            0u);
}

// Game > Game Runtime names the program test play starts instead of the project's runtime; the
// window shows the command line as it stands, and a runtime that cannot run is named with the fix.
TEST_F(MainWindow, TheGameRuntimeSettingChoosesWhatTestPlayStarts) {
  project.Make();
  auto window = OpenWindow();
  const std::string mine = home.filePath("my runtime").toStdString(), empty = home.filePath("empty").toStdString();
  WriteFileAtomic(mine, std::string("#!/bin/sh\n{ echo mine; echo \"$@\"; } > runtime-record.txt\n"));
  std::filesystem::permissions(mine, std::filesystem::perms::owner_all);
  WriteFileAtomic(empty, std::string());
  std::filesystem::permissions(empty, std::filesystem::perms::owner_all);
  const struct {
    std::string typed;  // empty: accepted untouched
    const char *preview, *record, *message;
  } cases[] = {
      {"", "/TESS_RT.exe TestPlay HideTitle FullScreen", "TestPlay HideTitle FullScreen\n", nullptr},
      {mine, "my runtime\" TestPlay HideTitle FullScreen", "mine\nTestPlay HideTitle FullScreen\n", nullptr},
      {empty, "is an empty file", "", "Game > Game Runtime"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    QString preview;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<TFormGameRuntime*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      if (!c.typed.empty()) dialog->RuntimeEdit()->setText(QString::fromStdString(c.typed));
      preview = dialog->Preview();
      dialog->accept();
    });
    window->Execute(TMainCommand::GameRuntime);
    EXPECT_TRUE(preview.contains(c.preview)) << preview.toStdString();
    EXPECT_EQ(settings.Contains(TSettings::kGameRuntime), !c.typed.empty());
    EXPECT_FALSE(settings.Contains(TSettings::kRuntimeLauncher));
    std::filesystem::remove(project.Folder() + "runtime-record.txt");
    messages.shown.clear();
    window->Execute(TMainCommand::TestPlay);
    const std::string record = project.RuntimeRecord();
    EXPECT_TRUE(record.ends_with(c.record)) << record;
    ASSERT_EQ(messages.shown.size(), c.message ? 1u : 0u);
    if (c.message) {
      EXPECT_EQ(messages.shown[0].text.rfind(kTestPlayFailedMessage, 0), 0u);
      EXPECT_NE(messages.shown[0].text.find(c.message), std::string::npos) << messages.shown[0].text;
    }
  }
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
  EXPECT_TRUE(window->Action(TMainCommand::EventSearch)->isEnabled());
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

namespace {

// A runtime script in place of the recording one.
void WriteRuntime(const test::TEditorProject& project, const std::string& body) {
  const std::string runtime = project.Folder() + "TESS_RT.exe";
  WriteFileAtomic(runtime, "#!/bin/sh\n" + body);
  std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
}

}  // namespace

TEST_F(MainWindow, TheTitleNamesTheGameAndTheMapAndMarksModifiedMaps) {
  project.Make("[TESS_RT]\r\nGameTitle=Tessaly Demo\r\n");
  auto window = OpenWindow();
  EXPECT_EQ(window->windowTitle(), "Tessaly - Tessaly Demo - MAP0001[*]");
  EXPECT_FALSE(window->isWindowModified());
  // The tree's root shows the title the settings file holds.
  EXPECT_EQ(window->Document().MapTree().FindById(0)->name, "Tessaly Demo");
  EditCell(*window);
  EXPECT_TRUE(window->isWindowModified());
  window->Document().SelectNode(0);
  EXPECT_EQ(window->windowTitle(), "Tessaly - Tessaly Demo[*]");
  ASSERT_TRUE(window->Document().SaveMap());
  EXPECT_FALSE(window->isWindowModified());
  messages.answers = {TMessageResult::No};
  window->Execute(TMainCommand::CloseProject);
  EXPECT_EQ(window->windowTitle(), "Tessaly");
}

TEST_F(MainWindow, TestPlayReportsARuntimeThatFails) {
  project.Make();
  auto window = OpenWindow();
  // A clean exit says nothing.
  WriteRuntime(project, "echo all well\nexit 0\n");
  window->Execute(TMainCommand::TestPlay);
  EXPECT_TRUE(messages.shown.empty());

  // The wait window names what runs while the runtime runs.
  WriteRuntime(project, "sleep 1\nfor i in 1 2 3 4 5 6 7 8 9 10; do echo line $i; done\necho broken >&2\nexit 3\n");
  QString caption, heading;
  QTimer::singleShot(300, [&] {
    if (auto* wait = qobject_cast<TFormProcessWait*>(QApplication::activeModalWidget())) {
      caption = wait->windowTitle();
      if (auto* label = wait->findChild<QLabel*>("Heading")) heading = label->text();
    }
  });
  window->Execute(TMainCommand::TestPlay);
  EXPECT_EQ(caption, "Test Play");
  EXPECT_EQ(heading, "Test Play: Test");
  ASSERT_EQ(messages.shown.size(), 1u);
  const std::string& text = messages.shown[0].text;
  EXPECT_EQ(messages.shown[0].style.icon, TMessageIcon::Error);
  EXPECT_EQ(text.rfind("The game runtime ended with exit status 3.", 0), 0u) << text;
  // The message shows the last lines, the details all of them.
  EXPECT_NE(text.find("line 10\nbroken"), std::string::npos) << text;
  EXPECT_EQ(text.find("line 1\n"), std::string::npos) << text;
  EXPECT_EQ(messages.shown[0].details.rfind("line 1\nline 2\n", 0), 0u) << messages.shown[0].details;

  // A runtime that prints nothing: its report file tells.
  messages.shown.clear();
  WriteRuntime(project, "printf 'loading\\nMap0001.lmu: Stream read error.\\n' > tess-rt.log\nexit 1\n");
  window->Execute(TMainCommand::TestPlay);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find("Its report ends with:\nloading\nMap0001.lmu: Stream read error."),
            std::string::npos)
      << messages.shown[0].text;
  EXPECT_NE(messages.shown[0].details.find("tess-rt.log"), std::string::npos) << messages.shown[0].details;

  // A runtime that cannot be started keeps the message it always had, followed by why and the fix.
  messages.shown.clear();
  std::filesystem::permissions(project.Folder() + "TESS_RT.exe", std::filesystem::perms::owner_read);
  window->Execute(TMainCommand::TestPlay);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text.rfind("Unable to test play due to a fatal error during project compilation.", 0),
            0u);
  EXPECT_NE(messages.shown[0].text.find("chmod +x"), std::string::npos) << messages.shown[0].text;
}

TEST_F(MainWindow, ADamagedProjectIsPackedOnlyWhenTheAuthorSaysSo) {
  project.Make();
  EXPECT_TRUE(ConfirmPackingProblems(project.Folder(), nullptr));
  EXPECT_TRUE(messages.shown.empty());

  WriteFileAtomic(project.Folder() + "Map0001.lmu", std::string("\x0aLcfMapUnit\x01\x05", 13));
  messages.answers = {TMessageResult::No};
  EXPECT_FALSE(ConfirmPackingProblems(project.Folder(), nullptr));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(messages.shown[0].style.destructive);
  EXPECT_NE(messages.shown[0].text.find("Map0001.lmu: "), std::string::npos) << messages.shown[0].text;
  EXPECT_NE(messages.shown[0].text.find(kPackProblemsQuestion), std::string::npos);
  EXPECT_NE(messages.shown[0].details.find("Map0001.lmu: "), std::string::npos);
  messages.answers = {TMessageResult::Yes};
  EXPECT_TRUE(ConfirmPackingProblems(project.Folder(), nullptr));
}

TEST_F(MainWindow, ASecondStartOffersItsProject) {
  project.Make();
  TFormLcfMain window(settings, home.path().toStdString() + "/");
  const QString folder = QString::fromStdString(project.Folder());
  // No: nothing opens.
  messages.answers = {TMessageResult::No};
  EXPECT_FALSE(OfferProject(window, folder));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].style.buttons, TMessageButtons::YesNo);
  EXPECT_NE(messages.shown[0].text.find(project.name), std::string::npos) << messages.shown[0].text;
  EXPECT_FALSE(window.Projects().IsOpen());
  // Yes opens it, and its parent becomes the base folder.
  messages.answers = {TMessageResult::Yes};
  EXPECT_TRUE(OfferProject(window, folder));
  EXPECT_TRUE(window.Projects().IsOpen());
  EXPECT_EQ(settings.ProjectBasePath(""), project.base.path().toStdString() + "/");
  // The project open already: nothing is asked.
  messages.shown.clear();
  EXPECT_TRUE(OfferProject(window, folder + "/"));
  EXPECT_TRUE(messages.shown.empty());

  // Another project: the question says this one closes.
  test::TEditorProject other;
  other.name = "Other";
  other.Make();
  messages.answers = {TMessageResult::Yes};
  EXPECT_TRUE(OfferProject(window, QString::fromStdString(other.Folder())));
  EXPECT_NE(messages.shown[0].text.find("Close the project"), std::string::npos) << messages.shown[0].text;
  EXPECT_EQ(ProjectFolder(), other.Folder());
  // A folder that is gone is named.
  messages.shown.clear();
  EXPECT_FALSE(OfferProject(window, home.filePath("gone")));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].style.icon, TMessageIcon::Error);
}

TEST(MessageBoxes, DestructiveQuestionsDefaultToNoAndDetailsUnfold) {
  const struct {
    TMessageStyle style;
    QMessageBox::StandardButton defaultButton;
  } cases[] = {
      {{TMessageIcon::Warning, TMessageButtons::YesNo, true}, QMessageBox::No},
      {{TMessageIcon::Question, TMessageButtons::YesNoCancel, true}, QMessageBox::No},
      {{TMessageIcon::Question, TMessageButtons::YesNo, false}, QMessageBox::NoButton},
  };
  for (const auto& c : cases) {
    auto box = TQtMessagePort::BuildBox("Really?", "", c.style, nullptr);
    const QAbstractButton* expected = c.defaultButton == QMessageBox::NoButton ? nullptr : box->button(c.defaultButton);
    EXPECT_EQ(box->defaultButton(), expected);
    EXPECT_TRUE(box->detailedText().isEmpty());
  }
  auto box = TQtMessagePort::BuildBox("Failed.", "line 1\nline 2", {TMessageIcon::Error, TMessageButtons::Ok}, nullptr);
  EXPECT_EQ(box->detailedText(), "line 1\nline 2");
  EXPECT_EQ(box->windowTitle(), "Tessaly ");
}

TEST_F(MainWindow, ADamagedMapOpensReadOnlyAndSaveMapCannotWriteItBack) {
  project.Make();
  const std::string file = project.Folder() + "Map0001.lmu";
  const Bytes bytes = DamageMapFile(file);
  auto window = OpenWindow();
  ASSERT_TRUE(window->Projects().IsOpen());
  // One message: the list of problems, then that the map opens read-only.
  ASSERT_EQ(messages.shown.size(), 1u);
  const std::string& text = messages.shown[0].text;
  EXPECT_NE(text.find("Map0001.lmu: "), std::string::npos) << text;
  EXPECT_NE(text.find("is damaged and opens read-only."), std::string::npos) << text;
  EXPECT_TRUE(window->Document().MapReadOnly());
  EXPECT_FALSE(window->Action(TMainCommand::SaveMap)->isEnabled());
  EXPECT_TRUE(window->Action(TMainCommand::DiscardDamagedData)->isEnabled());
  window->Execute(TMainCommand::SaveMap);
  EXPECT_TRUE(window->Document().CloseQuery());
  EXPECT_EQ(ReadWholeFile(file), bytes);

  // Discarding asks first (No by default); Yes makes the map the author's to save.
  messages.shown.clear();
  messages.answers = {TMessageResult::No};
  window->Execute(TMainCommand::DiscardDamagedData);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(messages.shown[0].style.destructive);
  EXPECT_TRUE(window->Document().MapReadOnly());
  messages.answers = {TMessageResult::Yes};
  window->Execute(TMainCommand::DiscardDamagedData);
  EXPECT_FALSE(window->Document().MapReadOnly());
  EXPECT_TRUE(window->Action(TMainCommand::SaveMap)->isEnabled());
  window->Execute(TMainCommand::SaveMap);
  EXPECT_NE(ReadWholeFile(file), bytes);
  TLcfMap saved;
  saved.LoadFromProject(project.Folder(), 1);
  EXPECT_FALSE(saved.LoadDamage());
}

TEST_F(MainWindow, SaveAsNewMapLeavesTheDamagedFileAsItIs) {
  project.Make();
  const std::string file = project.Folder() + "Map0001.lmu";
  const Bytes bytes = DamageMapFile(file);
  auto window = OpenWindow();
  ASSERT_TRUE(window->Document().MapDamaged());
  ASSERT_TRUE(window->Action(TMainCommand::SaveAsNewMap)->isEnabled());
  EXPECT_EQ(window->Action(TMainCommand::SaveAsNewMap)->text(), "Save As New Map");
  messages.shown.clear();

  window->Execute(TMainCommand::SaveAsNewMap);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].style.icon, TMessageIcon::Information) << messages.shown[0].text;
  EXPECT_EQ(ReadWholeFile(file), bytes);
  // The new map is the one shown, and it is saved: nothing is left to save or to discard.
  EXPECT_EQ(window->Document().Map().Id(), 2);
  EXPECT_FALSE(window->Document().MapReadOnly());
  EXPECT_FALSE(window->Action(TMainCommand::SaveAsNewMap)->isEnabled());
  EXPECT_FALSE(window->Action(TMainCommand::DiscardDamagedData)->isEnabled());
  EXPECT_FALSE(window->Action(TMainCommand::SaveMap)->isEnabled());
  TLcfMap saved;
  saved.LoadFromProject(project.Folder(), 2);
  EXPECT_FALSE(saved.LoadDamage());
  EXPECT_EQ(saved.width, window->Document().Map().width);
  const TLcfMapTreeItem* node = window->Document().MapTree().FindById(2);
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->name, "MAP0001 (recovered)");
  EXPECT_TRUE(window->Document().CloseQuery());
  EXPECT_EQ(ReadWholeFile(file), bytes);
}

// Size, position and the maximised state come back at the next start; the first start shows the
// whole tool bar.
TEST_F(MainWindow, ThePlacementIsKept) {
  {
    TFormLcfMain first(settings, home.path().toStdString() + "/");
    const QToolBar* bar = first.findChild<QToolBar*>("MainToolBar");
    ASSERT_NE(bar, nullptr);
    const int screenWidth = first.screen()->availableGeometry().width();
    EXPECT_GE(first.width(), std::min(bar->sizeHint().width(), screenWidth));
    first.setGeometry(120, 90, 1000, 700);
  }
  {
    TFormLcfMain second(settings, home.path().toStdString() + "/");
    EXPECT_EQ(second.size(), QSize(1000, 700));
    EXPECT_EQ(second.pos(), QPoint(120, 90));
    second.setWindowState(Qt::WindowMaximized);
  }
  TFormLcfMain third(settings, home.path().toStdString() + "/");
  EXPECT_TRUE(third.windowState() & Qt::WindowMaximized);
}
