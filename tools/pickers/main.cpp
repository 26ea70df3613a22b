// tessaly-pickers PROJECT_DIR [--rtp-folder PATH] [--open CAPTION [--name NAME] [--cell N]
//                 [--screenshot OUT.png]]
//
// Opens a window with one button per material picker on the project. A picker opens on the values
// it last confirmed in this run (at first on none), and what it returns after OK is listed below
// the buttons. With --open it opens that picker at once on NAME and cell N; with --screenshot it
// saves the picker's window as a picture instead of showing it and exits.

#include <QApplication>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>
#include <functional>
#include <memory>

#include "core/InstallLayout.h"
#include "core/PathUtils.h"
#include "core/ProjectFolder.h"
#include "database/DataBaseObj.h"
#include "maps/GR_ChipSet.h"
#include "platform/RuntimePackage.h"
#include "platform/ShellServices.h"
#include "ui/pickers/FormSelBattle.h"
#include "ui/pickers/FormSelBattler.h"
#include "ui/pickers/FormSelChar.h"
#include "ui/pickers/FormSelEvChar.h"
#include "ui/pickers/FormSelFace.h"
#include "ui/pickers/FormSelMonster.h"
#include "ui/pickers/FormSelMovie.h"
#include "ui/pickers/FormSelPlainPicture.h"
#include "ui/pickers/FormSelSystem.h"
#include "ui/pickers/FormSelTiles.h"

using namespace tess;

namespace {

struct TProject {
  TLcfDataBase database;
  TLcfChipSetGraphic tileset;  // the first tileset's, for the tile pickers
};

struct TPickerKind {
  const char* caption;
  std::function<std::unique_ptr<TFormSelMaterial>(TProject&)> make;
  // What the picker returns besides the name and cell, as text.
  std::function<std::string(TFormSelMaterial&)> modes;
};

template <class T>
T& As(TFormSelMaterial& f) {
  return static_cast<T&>(f);
}

std::vector<TPickerKind> Kinds() {
  auto none = [](TFormSelMaterial&) { return std::string(); };
  auto plain = [](auto tag) {
    using T = decltype(tag);
    return [](TProject&) -> std::unique_ptr<TFormSelMaterial> { return std::make_unique<T>(); };
  };
  return {
      {"Select Sprite", plain(TFormSelChar()), none},
      {"Select Event Graphic",
       [](TProject& p) -> std::unique_ptr<TFormSelMaterial> {
         auto f = std::make_unique<TFormSelEvChar>();
         f->SetTileset(&p.tileset);
         return f;
       },
       [](TFormSelMaterial& f) {
         auto& e = As<TFormSelEvChar>(f);
         return "facing " + std::to_string(e.facing) + ", pattern " + std::to_string(e.pattern);
       }},
      {"Select Face Graphic", plain(TFormSelFace()), none},
      {"Select Tileset", plain(TFormSelChipSet()), none},
      {"Select Title Screen", plain(TFormSelTitle()), none},
      {"Select Game Over Screen", plain(TFormSelGameOver()), none},
      {"Select Frame", plain(TFormSelAccessory()), none},
      {"Select System Graphic", plain(TFormSelSystem()),
       [](TFormSelMaterial& f) {
         auto& s = As<TFormSelSystem>(f);
         return "wallpaper " + std::to_string(s.wallpaper) + ", font " + std::to_string(s.font);
       }},
      {"Select Battle Graphic",
       [](TProject&) -> std::unique_ptr<TFormSelMaterial> { return std::make_unique<TFormSelSystem>(nullptr, true); },
       none},
      {"Select Parallax Background", plain(TFormSelPanorama()), none},
      {"Select Battle Background", plain(TFormSelBackdrop()), none},
      {"Select Image File", plain(TFormSelPicture()), none},
      {"Select Monster Graphic", plain(TFormSelMonster()),
       [](TFormSelMaterial& f) { return "hue " + std::to_string(As<TFormSelMonster>(f).hue); }},
      {"Select Battle Animation", plain(TFormSelBattle()),
       [](TFormSelMaterial& f) { return "folder " + std::to_string(As<TFormSelBattle>(f).folderIndex); }},
      {"Select Pose", plain(TFormSelCBAStandard()), none},
      {"Select Weapon", plain(TFormSelCBAWeapon()), none},
      {"Select Movie File", plain(TFormSelMovie()), none},
      {"Replace Chip",
       [](TProject& p) -> std::unique_ptr<TFormSelMaterial> {
         auto f = std::make_unique<TFormSelReplChip>();
         f->SetTileset(&p.tileset);
         return f;
       },
       none},
      {"Select Map",
       [](TProject& p) -> std::unique_ptr<TFormSelMaterial> {
         auto f = std::make_unique<TFormSelMap>(nullptr, 0);
         f->SetTileset(p.database.tilesets.FindById(1));
         return f;
       },
       [](TFormSelMaterial& f) {
         auto& m = As<TFormSelMap>(f);
         return "column " + std::to_string(m.column) + ", row " + std::to_string(m.row);
       }},
  };
}

std::string RuntimePackageFor(const std::string& given) {
  if (!given.empty()) return WithTrailingBackslash(given);
  const std::string registered = RuntimePackageFolder();
  if (!registered.empty()) return registered;
  // The editor's own package.
  const auto rtp = FindNameNoCase(EditorDataFolder(ApplicationFolder()), "RTP");
  return rtp && IsFolder(*rtp) ? WithTrailingBackslash(*rtp) : std::string();
}

std::string Describe(const TPickerKind& kind, TFormSelMaterial& f) {
  std::string text = std::string(kind.caption) + ": \"" + f.materialName + "\", cell " + std::to_string(f.cellIndex);
  const std::string modes = kind.modes(f);
  return modes.empty() ? text : text + ", " + modes;
}

int Usage() {
  std::fprintf(stderr,
               "usage: tessaly-pickers PROJECT_DIR [--rtp-folder PATH] [--open CAPTION [--name NAME] [--cell N] "
               "[--screenshot OUT.png]]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  std::string projectArg, rtpArg, open, name, screenshot;
  int cell = 0;
  const QStringList args = app.arguments();
  for (int i = 1; i < args.size(); ++i) {
    const QString a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--rtp-folder" && hasValue)
      rtpArg = args[++i].toStdString();
    else if (a == "--open" && hasValue)
      open = args[++i].toStdString();
    else if (a == "--name" && hasValue)
      name = args[++i].toStdString();
    else if (a == "--cell" && hasValue)
      cell = args[++i].toInt();
    else if (a == "--screenshot" && hasValue)
      screenshot = args[++i].toStdString();
    else if (a.startsWith("--") || !projectArg.empty())
      return Usage();
    else
      projectArg = a.toStdString();
  }
  if (projectArg.empty()) return Usage();
  const std::string project =
      WithTrailingBackslash(QDir(QString::fromStdString(projectArg)).absolutePath().toStdString());
  if (!IsFolder(project)) {
    std::fprintf(stderr, "tessaly-pickers: %s is not a folder\n", projectArg.c_str());
    return 1;
  }
  SetProjectFolder(project);
  SetCurrentRuntimePackageFolder(RuntimePackageFor(rtpArg));

  TProject p;
  std::string why;
  if (!p.database.LoadDatabase(project, &why))
    std::fprintf(stderr, "tessaly-pickers: %s: %s; the tile pickers stay blank\n", kDataBaseFileName, why.c_str());
  p.tileset.SetTileset(p.database.tilesets.FindById(1));
  const std::vector<TPickerKind> kinds = Kinds();

  if (!open.empty()) {
    for (const TPickerKind& kind : kinds) {
      if (open != kind.caption) continue;
      std::unique_ptr<TFormSelMaterial> picker = kind.make(p);
      picker->materialName = name;
      picker->cellIndex = cell;
      if (screenshot.empty()) {
        const int result = picker->exec();
        std::printf("%s\n", result == QDialog::Accepted ? Describe(kind, *picker).c_str() : "cancelled");
        return 0;
      }
      picker->Prepare();
      picker->show();
      app.processEvents();
      if (!picker->grab().save(QString::fromStdString(screenshot))) {
        std::fprintf(stderr, "tessaly-pickers: %s could not be written\n", screenshot.c_str());
        return 1;
      }
      std::printf("%s\n", screenshot.c_str());
      return 0;
    }
    std::fprintf(stderr, "tessaly-pickers: no picker is called \"%s\"\n", open.c_str());
    return 2;
  }

  QWidget window;
  window.setWindowTitle("Material Pickers");
  auto* grid = new QGridLayout;
  auto* log = new QPlainTextEdit(&window);
  log->setReadOnly(true);
  log->setPlaceholderText("What each picker returns after OK is listed here.");
  for (size_t i = 0; i < kinds.size(); ++i) {
    auto* button = new QPushButton(QString::fromLatin1(kinds[i].caption), &window);
    grid->addWidget(button, static_cast<int>(i / 3), static_cast<int>(i % 3));
    QObject::connect(button, &QPushButton::clicked, &window, [&, i] {
      std::unique_ptr<TFormSelMaterial> picker = kinds[i].make(p);
      picker->OpenOnLastConfirmed();
      if (picker->exec() == QDialog::Accepted)
        log->appendPlainText(QString::fromStdString(Describe(kinds[i], *picker)));
    });
  }
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(new QLabel(QString::fromStdString("Project: " + project), &window));
  layout->addLayout(grid);
  layout->addWidget(log, 1);
  window.resize(640, 420);
  window.show();
  return app.exec();
}
