#include "tessaly/EditorMain.h"

#include <QApplication>
#include <QBuffer>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "core/AtomicFile.h"
#include "core/ClipboardPort.h"
#include "core/FolderTree.h"
#include "core/InstallLayout.h"
#include "core/ProjectFolder.h"
#include "core/Version.h"
#include "editor/app/FormSplash.h"
#include "editor/app/ProjectManager.h"
#include "editor/events/EventCommandWindows.h"
#include "platform/QtClipboard.h"
#include "platform/RuntimePackage.h"
#include "platform/Settings.h"
#include "platform/ShellServices.h"
#include "platform/SingleInstance.h"
#include "tessaly/EditorApplication.h"
#include "tessaly/FormLcfMain.h"
#include "tessaly/ProjectOffer.h"
#include "tessaly/RecoveryOffer.h"
#include "ui/AppIcon.h"
#include "ui/QtMessagePort.h"

namespace tess {

namespace {

// The checks before the title is set use the fixed caption "Tessaly".
// Without a user to answer (the screenshot mode), messages go to the error output instead.
bool unattended = false;

void StartUpError(const QString& text) {
  if (unattended)
    std::fprintf(stderr, "Tessaly: %s\n", text.toLocal8Bit().constData());
  else
    QMessageBox::critical(nullptr, "Tessaly", text);
}

bool DisplayIsEnough() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return false;
  QSize size = screen->size();
  return screen->depth() >= 16 && size.width() >= 800 && size.height() >= 600;
}

}  // namespace

int RunEditor(int argc, char** argv) {
  TEditorApplication app(argc, argv);
  QApplication::setApplicationName("Tessaly");
  RegisterEventCommandWindows();
  QApplication::setApplicationVersion(QString::fromLatin1(kVersionText));
  QGuiApplication::setDesktopFileName(kAppId);
  QApplication::setWindowIcon(AppIcon());

  QCommandLineParser parser;
  parser.setApplicationDescription("Tessaly: the editor of tile-based role-playing games.");
  parser.addHelpOption();
  parser.addVersionOption();
  QCommandLineOption screenshot("screenshot", "Show the main window, save a picture of it to FILE and quit.", "FILE");
  parser.addOption(screenshot);
  parser.addPositionalArgument("project", "A project folder to open.");
  parser.process(app);
  unattended = parser.isSet(screenshot);
  // The project folder named on the command line, taken relative to the directory the editor was
  // started in: the main window makes the project base folder current when it is created.
  const QStringList words = parser.positionalArguments();
  // A file names the project that holds it: the desktop opens a project by its map tree file.
  QFileInfo projectArgument = words.isEmpty() ? QFileInfo() : QFileInfo(QFileInfo(words.first()).absoluteFilePath());
  if (projectArgument.isFile()) projectArgument = QFileInfo(projectArgument.absolutePath());

  // One editor per user: a second start brings the first one forward (offering the project folder
  // it names) and ends quietly.
  TSingleInstance instance;
  if (!instance.Acquire(words.isEmpty() ? QString() : QDir::cleanPath(projectArgument.absoluteFilePath()))) return 0;

  if (!DisplayIsEnough()) {
    StartUpError("A resolution of 800x600 and 16 bit color depth are required to run this program.");
    return 1;
  }
  // A screenshot run works on a copy of the user's settings, so that the project it shows does not
  // become the one the editor reopens next time.
  // Its folder carries this process's id, so that a run that is killed leaves nothing the next
  // one does not remove.
  TSettings userSettings;
  std::unique_ptr<TSettings> snapshot;
  struct TFolderGuard {
    std::string path;
    ~TFolderGuard() {
      if (!path.empty()) DeleteFolderTree(path);
    }
  } snapshotFolder;
  if (unattended) {
    snapshotFolder.path = MakeOwnedTempFolder("tessaly-snapshot");
    if (snapshotFolder.path.empty()) {
      StartUpError(
          QString::fromStdString("Cannot create a folder for the copy of the settings in " + TempFolder() + "."));
      return 1;
    }
    snapshot = std::make_unique<TSettings>(snapshotFolder.path + "values.ini", snapshotFolder.path + "placement.ini");
    snapshot->CopyFrom(userSettings);
  }
  TSettings& settings = snapshot ? *snapshot : userSettings;
  // The templates, the runtime package and the installer files: beside the program in the build
  // tree, in share/tessaly/ when installed.
  const std::string applicationFolder = EditorDataFolder(ApplicationFolder());
  const std::string rtp = RuntimePackageFolder(settings, applicationFolder);
  if (rtp.empty()) {
    StartUpError("The Tessaly RTP is not present or not registered.");
    return 1;
  }
  SetCurrentRuntimePackageFolder(rtp);
  settings.SetApplicationPath(applicationFolder);
  const std::string scratch = PrepareScratchFolder();

  TQtMessagePort messages;
  if (!unattended) SetMessagePort(&messages);
  TQtClipboard clipboard;
  SetClipboardPort(&clipboard);

  if (!parser.isSet(screenshot)) (new TFormSplash)->show();

  int status = 0;
  {
    TFormLcfMain window(settings, applicationFolder);
    // A later start brings this editor forward, and offers the project it was started with.
    QObject::connect(&instance, &TSingleInstance::activationRequested, &window, [&window](const QString& folder) {
      if (window.isMinimized()) window.showNormal();
      window.raise();
      window.activateWindow();
      // While a modal window is up (the database, a question) the project stays as it is.
      if (!folder.isEmpty() && !QApplication::activeModalWidget()) OfferProject(window, folder);
    });
    // Work left by an editor that died is offered first; a project recovered that way is the one
    // that opens. Without a user to ask, it stays kept.
    TRecoveryOffer recovery(window, settings, scratch);
    bool recovered = false;
    if (recovery.HasLeftWork() && !unattended) {
      window.show();
      recovered = recovery.Run();
    }
    // A project folder given on the command line opens as the Open Project dialog would: its
    // parent becomes the base folder.
    if (recovered) {
      // The recovered project is the open one.
    } else if (!words.isEmpty()) {
      const QFileInfo& folder = projectArgument;
      if (folder.isDir()) {
        try {
          window.Projects().OpenProjectAt(QFile::encodeName(QDir::cleanPath(folder.absoluteFilePath())).toStdString());
        } catch (...) {
          TEditorApplication::ReportException(std::current_exception());
        }
      } else {
        StartUpError(QString("The project folder \"%1\" does not exist.").arg(words.first()));
      }
    } else {
      try {
        window.Projects().ReopenLastProject();
      } catch (...) {
        // A project that cannot be reopened simply stays closed.
      }
    }
    window.UpdateCommandStates();
    window.show();

    if (parser.isSet(screenshot)) {
      const QString file = parser.value(screenshot);
      QTimer::singleShot(300, &window, [&window, file] {
        // Encoded in memory and saved like every other file of the editor.
        QByteArray encoded;
        QBuffer buffer(&encoded);
        const QString suffix = QFileInfo(file).suffix();
        bool saved = buffer.open(QIODevice::WriteOnly) &&
                     window.grab().save(&buffer, suffix.isEmpty() ? "PNG" : suffix.toLatin1().constData());
        if (saved) {
          std::string message;
          saved = TryWriteFileAtomic(QFile::encodeName(file).toStdString(), Bytes(encoded.begin(), encoded.end()),
                                     &message);
          if (!saved) std::fprintf(stderr, "%s\n", message.c_str());
        }
        QApplication::exit(saved ? 0 : 1);
      });
    }
    status = app.exec();
  }
  SetClipboardPort(nullptr);
  SetMessagePort(nullptr);
  return status;
}

}  // namespace tess
