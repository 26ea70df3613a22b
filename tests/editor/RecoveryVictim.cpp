// An editor that dies while its author edits: opens a project in the main window, makes one edit
// (a cell of map 1, or the first hero's name in the database window, which stays open) and runs
// until it is killed. The recovery test kills it with SIGKILL once its work is kept.
//   recovery-victim SCRATCH_FOLDER HOME_FOLDER BASE_FOLDER PROJECT map|newmap|database
#include <QApplication>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "audio/AudioHarmony.h"
#include "core/MessagePort.h"
#include "core/ProjectFolder.h"
#include "database/DataBaseObj.h"
#include "editor/app/ProjectManager.h"
#include "editor/database/FormDataBase.h"
#include "maps/MapProperties.h"
#include "platform/Settings.h"
#include "project/MapTreeCommands.h"
#include "tessaly/FormLcfMain.h"

using namespace tess;

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: recovery-victim SCRATCH HOME BASE PROJECT map|database\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QStandardPaths::setTestModeEnabled(true);
  SetAudioOutputFactory([] { return std::make_unique<TOfflineAudioOutput>(); });
  QApplication app(argc, argv);
  TScriptedMessages messages;
  TMessagePortScope port(&messages);

  const std::string scratch = argv[1], home = argv[2], mode = argv[5];
  SetScratchFolder(scratch);
  TSettings settings(home + "values.ini", home + "placement.ini");
  settings.SetProjectBasePath(argv[3]);
  TFormLcfMain window(settings, home);
  window.Projects().OpenProject(argv[4]);
  if (!window.Document().IsOpen()) return 1;
  // Never outlives a test that forgot it.
  QTimer::singleShot(60000, [] { std::_Exit(3); });

  if (mode == "newmap") {
    // A map added and drawn on, never saved: only the kept tree knows it.
    TMapTreeCommands commands(window.Document());
    TMapProperties properties;
    if (!commands.PrepareNewMap(0, properties) || !commands.NewMap(0, properties, 1)) return 6;
    window.Document().EditLayers([](TLcfMap& map) {
      map.lower.SetCell(2, 1, 5007);
      return TCellRect{2, 1, 1, 1};
    });
    return app.exec();
  }
  if (mode == "map") {
    window.Document().EditLayers([](TLcfMap& map) {
      map.lower.SetCell(4, 0, 5005);
      return TCellRect{4, 0, 1, 1};
    });
    return app.exec();
  }
  // The database window edits the document's database; its pages report each change.
  QTimer::singleShot(0, [&window] {
    auto* database = qobject_cast<TFormDataBase*>(QApplication::activeModalWidget());
    if (!database) std::_Exit(4);
    window.Document().DataBase().heroes.ItemAt(0)->name = "Killed";
    database->DataModified();
  });
  window.Execute(TMainCommand::Database);
  return 5;
}
