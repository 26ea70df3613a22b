#include "app/EditorMain.h"

#include <QCommandLineParser>
#include <QTimer>

#include "app/EditorApplication.h"
#include "app/FormLcfMain.h"
#include "app/QtMessagePort.h"
#include "core/ClipboardPort.h"
#include "core/Version.h"
#include "platform/QtClipboard.h"

namespace tess {

int RunEditor(int argc, char** argv) {
  TEditorApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(kApplicationTitle).trimmed());
  QApplication::setApplicationVersion(QString::fromLatin1(kVersionText));

  QCommandLineParser parser;
  parser.setApplicationDescription("Tessaly: the editor of tile-based role-playing games.");
  parser.addHelpOption();
  parser.addVersionOption();
  QCommandLineOption screenshot("screenshot", "Show the main window, save a picture of it to FILE and quit.", "FILE");
  parser.addOption(screenshot);
  parser.addPositionalArgument("project", "A project folder to open.");
  parser.process(app);

  TQtClipboard clipboard;
  SetClipboardPort(&clipboard);
  TQtMessagePort messages;
  SetMessagePort(&messages);

  TFormLcfMain window;
  window.show();

  if (parser.isSet(screenshot)) {
    const QString file = parser.value(screenshot);
    QTimer::singleShot(1500, &window, [&window, file] {
      bool saved = window.grab().save(file);
      QApplication::exit(saved ? 0 : 1);
    });
  }
  int status = app.exec();
  SetClipboardPort(nullptr);
  SetMessagePort(nullptr);
  return status;
}

}  // namespace tess
