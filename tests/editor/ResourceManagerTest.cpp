#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>

#include "EditorProject.h"
#include "tessaly/FormLcfMain.h"
#include "editor/app/ProjectManager.h"
#include "core/AtomicFile.h"
#include "core/MessagePort.h"
#include "core/ProjectFolder.h"
#include "media/PictureFile.h"
#include "editor/media/FormMaterialBase.h"
#include "editor/media/FormMaterialBase2.h"
#include "editor/media/MaterialDialogs.h"
#include "platform/Settings.h"
#include "tests/editor/Widgets.h"

using namespace tess;
using test::ButtonNamed;
namespace fs = std::filesystem;

namespace {

TBitmap Picture(int w, int h) {
  TBitmap b(w, h, TPixelFormat::Indexed8);
  for (int i = 0; i < 256; ++i) b.Palette().push_back(TRgb{static_cast<uint8_t>(i), 10, 20});
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Row(y)[x] = static_cast<uint8_t>((x / 4 + y) % 9);
  return b;
}

// Answers the window's questions for files and colours from fields, and records what it was asked.
class TFakeDialogs : public TMaterialDialogPort {
 public:
  QString ChooseImportFile(QWidget*, const TMaterialFolder& kind, const QString& folder) override {
    askedKind = kind.name;
    askedFolder = folder;
    return importFile;
  }
  QString ChooseExportFile(QWidget*, const TMaterialFolder&, const QString& folder, const QString& proposedName,
                           const QString& extension) override {
    askedFolder = folder;
    proposed = proposedName + "." + extension;
    return exportFile;
  }
  std::optional<int> ChooseTransparent(QWidget*, const TBitmap&) override { return transparent; }

  QString importFile, exportFile, askedKind, askedFolder, proposed;
  std::optional<int> transparent = 0;
};

struct ResourceManager : ::testing::Test {
  QTemporaryDir home;
  TSettings settings{home.filePath("values.ini").toStdString(), home.filePath("placement.ini").toStdString()};
  TScriptedMessages messages;
  TFakeDialogs dialogs;
  std::string project = home.filePath("Game").toStdString() + "/";
  std::string rtp = home.filePath("RTP").toStdString() + "/";
  std::string outside = home.filePath("art").toStdString() + "/";

  void SetUp() override {
    SetMessagePort(&messages);
    for (const std::string& f : {project + "CharSet", project + "Music", rtp + "CharSet", rtp + "ChipSet", outside})
      fs::create_directories(f);
    SavePictureFile(Picture(288, 256), project + "CharSet/Hero.png");
    SavePictureFile(Picture(288, 256), rtp + "CharSet/People.png");
    SavePictureFile(Picture(480, 256), rtp + "ChipSet/Field.png");
  }
  void TearDown() override { SetMessagePort(nullptr); }
  int Folder(const char* name) { return ResourceFolderIndex(name); }
};

}  // namespace

TEST(MaterialDialogs, FilterListsBecomeNameFilters) {
  const struct {
    QString list;
    QStringList filters;
  } cases[] = {
      {"Movie Files (*.avi;*.mpg)|*.avi;*.mpg|", {"Movie Files (*.avi *.AVI *.mpg *.MPG)"}},
      {"MIDI Files (*.mid)|*.mid| Wave Files (*.wav)|*.wav| MP3 Files (*.mp3)|*.mp3|",
       {"MIDI Files (*.mid *.MID)", "Wave Files (*.wav *.WAV)", "MP3 Files (*.mp3 *.MP3)"}},
      {"Bitmap Images (*.bmp)|*.bmp| PNG Images (*.png)|*.png|",
       {"Bitmap Images (*.bmp *.BMP)", "PNG Images (*.png *.PNG)"}},
      {"Broken|", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(NameFiltersOf(c.list), c.filters) << c.list.toStdString();
  EXPECT_EQ(ExtensionOfFilter("PNG Images (*.png *.PNG)"), "png");
  EXPECT_EQ(ExtensionOfFilter("All files"), "");

  // The filters and default extensions each folder kind asks with.
  QString extension;
  const TMaterialFolder music{"Music", TMaterialKind::Music};
  const TMaterialFolder chipSet{"ChipSet", TMaterialKind::Picture};
  EXPECT_EQ(ExportFilter(music, "wav", &extension), "Wave Files (*.wav)|*.wav|");
  EXPECT_EQ(extension, ".wav");
  EXPECT_EQ(ExportFilter(music, "mp3", &extension), "MP3 Files (*.mp3)|*.mp3|");
  EXPECT_EQ(ExportFilter(chipSet, "png", &extension).left(14), "Bitmap Images ");
  EXPECT_EQ(extension, ".bmp");
  EXPECT_EQ(ImportFilter(music, &extension).left(10), "MIDI Files");
  EXPECT_EQ(extension, ".mid");
}

TEST(MaterialDialogs, PicturePreviewShowsWhatTheCodecsRead) {
  QTemporaryDir dir;
  const std::string png = dir.filePath("Hero.png").toStdString();
  SavePictureFile(Picture(288, 256), png);
  WriteFileAtomic(dir.filePath("broken.png").toStdString(), std::string("\x89PNG not really"));
  TOpenPictureDialogEx dialog(nullptr, "Import Resource");
  EXPECT_EQ(dialog.windowTitle(), "Import Resource");
  dialog.ShowPictureOf(QString::fromStdString(png));
  EXPECT_EQ(dialog.PictureCaption(), "Picture (288x256)");
  EXPECT_EQ(dialog.Preview()->Picture().size(), QSize(288, 256));
  for (const QString& none : {dir.filePath("broken.png"), dir.filePath("missing.png"), dir.path()}) {
    dialog.ShowPictureOf(none);
    EXPECT_EQ(dialog.PictureCaption(), "Picture");
    EXPECT_TRUE(dialog.Preview()->Picture().isNull());
  }
  EXPECT_NE(dialog.findChild<QWidget*>("PicturePanel"), nullptr);
}

TEST_F(ResourceManager, ListsFoldersAndEntriesAndEnablesTheCommands) {
  TFormMaterialBase window(settings, project, rtp, nullptr, &dialogs);
  EXPECT_EQ(window.windowTitle(), "Resource Manager");
  window.SelectFolder(Folder("CharSet"));
  EXPECT_EQ(window.Entries(), (QStringList{"Hero", "People <RTP>"}));
  QPushButton* exportButton = ButtonNamed(window, "Export");
  QPushButton* deleteButton = ButtonNamed(window, "Delete");
  ASSERT_TRUE(exportButton && deleteButton);
  EXPECT_FALSE(exportButton->isEnabled());
  window.SelectEntry("People <RTP>");
  EXPECT_TRUE(exportButton->isEnabled());
  EXPECT_FALSE(deleteButton->isEnabled());  // a runtime package entry is never deleted
  window.SelectEntry("Hero");
  EXPECT_TRUE(deleteButton->isEnabled());
  QGroupBox* importAs = window.findChild<QGroupBox*>();
  EXPECT_TRUE(importAs->isEnabled());
  window.SelectFolder(Folder("Music"));
  EXPECT_FALSE(importAs->isEnabled());
  EXPECT_TRUE(window.Entries().isEmpty());
  EXPECT_FALSE(exportButton->isEnabled());
}

TEST_F(ResourceManager, ImportExportAndDeleteThroughTheWindow) {
  settings.SetMaterialPath(outside);
  SavePictureFile(Picture(288, 256), outside + "Zed.bmp");
  for (int i = 0; i < 20; ++i) SavePictureFile(Picture(288, 256), project + "CharSet/A" + std::to_string(i) + ".png");
  {
    TFormMaterialBase window(settings, project, rtp, nullptr, &dialogs);
    window.SelectFolder(Folder("CharSet"));
    window.SetImportAs(TImportFormat::Xyz);
    dialogs.importFile = QString::fromStdString(outside + "Zed.bmp");
    dialogs.transparent = 3;
    window.Import();
    EXPECT_EQ(dialogs.askedKind, "CharSet");
    EXPECT_TRUE(fs::equivalent(dialogs.askedFolder.toStdString(), outside));
    EXPECT_TRUE(fs::exists(project + "CharSet/Zed.xyz"));
    EXPECT_EQ(window.SelectedEntry(), "Zed");  // the imported material is selected
    TBitmap stored;
    LoadPictureFile(stored, project + "CharSet/Zed.xyz");
    EXPECT_EQ(stored.Palette()[0], Picture(1, 1).Palette()[3]);

    // A failed import says why and writes nothing.
    SavePictureFile(Picture(100, 100), outside + "Tiny.bmp");
    dialogs.importFile = QString::fromStdString(outside + "Tiny.bmp");
    window.Import();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Invalid image size.");
    EXPECT_FALSE(fs::exists(project + "CharSet/Tiny.xyz"));

    // Export proposes the material's name; the chosen name decides the format.
    window.SelectEntry("People <RTP>");
    dialogs.exportFile = QString::fromStdString(outside + "people.png");
    window.Export();
    EXPECT_EQ(dialogs.proposed, "People.png");
    EXPECT_EQ(PictureFormatOfData(ReadWholeFile(outside + "people.png").data(), 8), TPictureFormat::Png);

    // Delete asks with the file's name.
    window.SelectEntry("Hero");
    messages.answers = {TMessageResult::No, TMessageResult::Yes};
    window.Delete();
    EXPECT_TRUE(fs::exists(project + "CharSet/Hero.png"));
    window.Delete();
    EXPECT_FALSE(fs::exists(project + "CharSet/Hero.png"));
    EXPECT_EQ(messages.shown.back().text, "Are you sure you want to delete 'Hero.png'?");
    EXPECT_FALSE(window.Entries().contains("Hero"));
  }
  // The folder, the import format and the dialogs' folder are remembered.
  EXPECT_TRUE(fs::equivalent(settings.MaterialPath(), outside));
  TFormMaterialBase again(settings, project, rtp, nullptr, &dialogs);
  EXPECT_EQ(again.FolderIndex(), Folder("CharSet"));
  EXPECT_EQ(again.ImportAs(), TImportFormat::Xyz);
  again.SetImportAs(TImportFormat::Png);
}

TEST_F(ResourceManager, TrueColourImportAsksBeforeConverting) {
  TBitmap rgb(288, 256, TPixelFormat::Rgb24);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 288; ++x) rgb.Row(y)[3 * x] = static_cast<uint8_t>(x % 5 * 40);
  SavePictureFile(rgb, outside + "Deep.png");
  TFormMaterialBase window(settings, project, rtp, nullptr, &dialogs);
  window.SelectFolder(Folder("CharSet"));
  dialogs.importFile = QString::fromStdString(outside + "Deep.png");
  messages.answers = {TMessageResult::No};
  window.Import();
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text,
            "\"Deep.png\" is a true-colour picture of 5 colours. Convert it to a 256-colour palette picture?");
  EXPECT_EQ(messages.shown[1].text, "Invalid color depth.");
  messages.answers = {TMessageResult::Yes};
  window.Import();
  EXPECT_EQ(messages.shown.size(), 3u);
  TBitmap stored;
  LoadPictureFile(stored, project + "CharSet/Deep.png");
  EXPECT_EQ(stored.Format(), TPixelFormat::Indexed8);
  EXPECT_EQ(stored.Pixel(3, 7), rgb.Pixel(3, 7));
}

TEST(TransparentChooser, ClickChoosesTheColourUnderTheMouseAtTheZoom) {
  TBitmap picture = Picture(40, 30);
  picture.Row(10)[20] = 77;
  picture.Palette()[77] = TRgb{200, 50, 150};
  TFormMaterialBase2 chooser(picture, nullptr);
  EXPECT_EQ(chooser.windowTitle(), "Preview");
  EXPECT_EQ(chooser.ChosenIndex(), 0);
  chooser.SetZoom(2);
  QWidget* view = nullptr;
  for (QWidget* w : chooser.findChildren<QWidget*>())
    if (w->size() == QSize(80, 60)) view = w;
  ASSERT_NE(view, nullptr);
  QMouseEvent right(QEvent::MouseButtonPress, QPointF(41, 21), QPointF(41, 21), Qt::RightButton, Qt::RightButton,
                    Qt::NoModifier);
  QApplication::sendEvent(view, &right);
  EXPECT_EQ(chooser.ChosenIndex(), 0);
  QMouseEvent left(QEvent::MouseButtonPress, QPointF(41, 21), QPointF(41, 21), Qt::LeftButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(view, &left);
  EXPECT_EQ(chooser.ChosenIndex(), 77);
  EXPECT_EQ(chooser.IndexAt(QPoint(80, 0)), -1);

  // The chosen colour blinks between its own and the blink colour.
  const QRgb own = qRgb(200, 50, 150), blinked = qRgb(180, 80, 130);
  const QRgb first = chooser.Shown().color(77);
  chooser.Blink();
  const QRgb second = chooser.Shown().color(77);
  EXPECT_NE(first, second);
  EXPECT_TRUE((first == own && second == blinked) || (first == blinked && second == own));
  EXPECT_EQ(chooser.Shown().color(76), qRgb(76, 10, 20));

  chooser.SetZoom(9);
  EXPECT_EQ(chooser.Zoom(), 4);
  EXPECT_FALSE(ButtonNamed(chooser, "Zoom In")->isEnabled());
  ButtonNamed(chooser, "Zoom Out")->click();
  EXPECT_EQ(chooser.Zoom(), 3);
  chooser.SetZoom(0);
  EXPECT_EQ(chooser.Zoom(), 1);
  EXPECT_FALSE(ButtonNamed(chooser, "Zoom Out")->isEnabled());
}

TEST(ResourceManagerCommand, TheMainWindowOpensIt) {
  QTemporaryDir home;
  TSettings settings{home.filePath("values.ini").toStdString(), home.filePath("placement.ini").toStdString()};
  test::TEditorProject project;
  project.Make();
  settings.SetProjectBasePath(project.base.path().toStdString() + "/");
  const std::string scratch = home.filePath("scratch").toStdString() + "/";
  fs::create_directories(scratch);
  SetScratchFolder(scratch);
  TScriptedMessages messages;
  SetMessagePort(&messages);
  const QString savedDir = QDir::currentPath();
  {
    TFormLcfMain window(settings, home.path().toStdString() + "/");
    window.Projects().OpenProject(project.name);
    QString seen;
    QTimer::singleShot(0, [&] {
      if (auto* open = qobject_cast<TFormMaterialBase*>(QApplication::activeModalWidget())) {
        seen = open->windowTitle();
        open->reject();
      }
    });
    window.Execute(TMainCommand::ResourceManager);
    EXPECT_EQ(seen, "Resource Manager");
  }
  SetMessagePort(nullptr);
  SetScratchFolder("");
  QDir::setCurrent(savedDir);
}
