#include "app/FormLcfMain.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

#include "app/FormProcessWait.h"
#include "app/ProjectManager.h"
#include "app/WindowPlacement.h"
#include "core/MessagePort.h"
#include "core/ProjectFolder.h"
#include "core/QuietMode.h"
#include "core/Version.h"
#include "dbeditor/FormDataBase.h"
#include "maps/gui/MapTreeWidget.h"
#include "media/audio/AudioHarmony.h"
#include "media/gui/EditorAudio.h"
#include "media/gui/FormMaterialBase.h"
#include "media/gui/FormSelMusic.h"
#include "platform/ProfileFile.h"
#include "platform/ProjectCreation.h"
#include "platform/RuntimeLauncher.h"
#include "platform/Settings.h"
#include "platform/TextCodec.h"
#include "platform/WaitCursor.h"
#include "ui/CommandIcons.h"

namespace tess {

namespace {

struct TToolBarEntry {
  TMainCommand command;
  TIconShape icon;
};

// Tool-bar buttons in order; a separator follows each group.
const std::vector<std::vector<TToolBarEntry>> kToolBar = {
    {{TMainCommand::NewProject, TIconShape::NewProject},
     {TMainCommand::OpenProject, TIconShape::OpenProject},
     {TMainCommand::SaveMap, TIconShape::Save}},
    {{TMainCommand::Undo, TIconShape::Undo}},
    {{TMainCommand::ModeLower, TIconShape::LowerLayer},
     {TMainCommand::ModeUpper, TIconShape::UpperLayer},
     {TMainCommand::ModeEvent, TIconShape::EventLayer}},
    {{TMainCommand::Zoom1, TIconShape::Zoom1},
     {TMainCommand::Zoom2, TIconShape::Zoom2},
     {TMainCommand::Zoom4, TIconShape::Zoom4},
     {TMainCommand::Zoom8, TIconShape::Zoom8}},
    {{TMainCommand::ToolSelect, TIconShape::Select},
     {TMainCommand::ToolZoom, TIconShape::Zoom},
     {TMainCommand::ToolPen, TIconShape::Pen},
     {TMainCommand::ToolRectangle, TIconShape::Rectangle},
     {TMainCommand::ToolEllipse, TIconShape::Ellipse},
     {TMainCommand::ToolFill, TIconShape::Fill}},
    {{TMainCommand::Database, TIconShape::Database},
     {TMainCommand::ResourceManager, TIconShape::Resources},
     {TMainCommand::ListenToMusic, TIconShape::Music},
     {TMainCommand::EventSearch, TIconShape::Search}},
    {{TMainCommand::TestPlay, TIconShape::Play}},
};

constexpr TMainCommand kModes[] = {TMainCommand::ModeLower, TMainCommand::ModeUpper, TMainCommand::ModeEvent};
constexpr TMainCommand kZooms[] = {TMainCommand::Zoom1, TMainCommand::Zoom2, TMainCommand::Zoom4, TMainCommand::Zoom8};
constexpr TMainCommand kTools[] = {TMainCommand::ToolSelect,    TMainCommand::ToolZoom,    TMainCommand::ToolPen,
                                   TMainCommand::ToolRectangle, TMainCommand::ToolEllipse, TMainCommand::ToolFill};

}  // namespace

namespace {
constexpr const char* kIniSection = "TESS_RT";
constexpr const char* kRuntimeName = "TESS_RT.exe";
// The program that starts a Windows runtime (empty: wine when it is installed).
constexpr const char* kRuntimeLauncherSetting = "RuntimeLauncher";
constexpr const char* kSaveQuestion = "Map has changed since it was last saved.  Save it now?";

std::string IniPath() { return ProjectFolder() + "TESS_RT.ini"; }

}  // namespace

TFormLcfMain::TFormLcfMain(TSettings& settings, std::string applicationFolder, QWidget* parent)
    : QMainWindow(parent), settings_(settings), applicationFolder_(std::move(applicationFolder)) {
  // Inside the editor, lookups of missing entries return none instead of raising.
  SetQuietMode(true);
  StartEditorAudio();
  setObjectName("FormLcfMain");
  setWindowTitle(QString::fromLatin1(kApplicationTitle));
  setMinimumSize(720, 573);
  fullScreen_ = settings_.FullScreenFlag();
  showTitle_ = settings_.ShowTitleFlag();
  BuildActions();
  BuildMenus();
  BuildToolBar();
  BuildStatusBar();
  BuildPanes();
  resize(800, 600);
  map_.tilesetExists = [this](int32_t id) { return database_.tilesets.FindById(id) != nullptr; };
  map_.Unload();
  TProjectManager::TCallbacks callbacks;
  callbacks.create = [this](const std::string& title) {
    std::string why;
    bool made = CreateProjectFiles(ProjectFolder(), title, applicationFolder_, mapTree_, map_, &why);
    if (!made && !why.empty()) ShowError(why, this);
    return made;
  };
  callbacks.open = [this] { return OpenCallback(); };
  callbacks.markCurrentFormat = [this] {
    // A new project is in the current data format from the start.
    database_.system.formatVersion = 2003;
    database_.SaveDatabase(ProjectFolder(), applicationFolder_);
  };
  callbacks.close = [this] { CloseCallback(); };
  projects_ = std::make_unique<TProjectManager>(settings_, applicationFolder_, std::move(callbacks));
  UpdateCommandStates();
}

TFormLcfMain::~TFormLcfMain() {
  AudioShutDown();
  projects_.reset();
  settings_.SetFullScreenFlag(fullScreen_);
  settings_.SetShowTitleFlag(showTitle_);
}

bool TFormLcfMain::MapsModified() const { return map_.modified || mapTree_.IsModified(); }

bool TFormLcfMain::OpenCallback() {
  std::string error;
  if (!database_.LoadDatabase(ProjectFolder(), &error)) {
    ShowError(error, this);
    return false;
  }
  try {
    mapTree_.LoadTree();
    mapTree_.RequireRoot();
  } catch (...) {
    CloseCallback();
    throw;
  }
  treePane_->blockSignals(true);
  mapTree_.BuildView(*treePane_, true);
  treePane_->blockSignals(false);
  int32_t current = mapTree_.FindById(mapTree_.currentId) ? mapTree_.currentId : 0;
  if (!treePane_->SelectId(current)) LoadSelectedMap(current);

  TProfileFile ini(IniPath());
  SetEditMode(ModeFromSetting(ini.ReadInteger(kIniSection, "MapEditMode", 0)));
  SetZoom(ZoomFromSetting(ini.ReadInteger(kIniSection, "MapEditZoom", 0)));
  SetTool(2);
  // The manager counts the project as open once this returns; the commands follow it already now.
  openingOrClosing_ = 1;
  UpdateCommandStates();
  openingOrClosing_ = 0;
  return true;
}

void TFormLcfMain::CloseCallback() {
  database_.ResetDatabase();
  treePane_->blockSignals(true);
  treePane_->Clear();
  treePane_->blockSignals(false);
  mapTree_.ClearTree();
  mapTree_.deletedIds.clear();
  mapTree_.currentId = 0;
  map_.Unload();
  map_.modified = false;
  currentMapName_.clear();
  statusPanels_[1]->clear();
  statusPanels_[2]->clear();
  openingOrClosing_ = -1;
  UpdateCommandStates();
  openingOrClosing_ = 0;
}

void TFormLcfMain::StoreCurrentMap() {
  // A modified map is kept as a work copy; the next save of the tree commits it.
  if (!map_.modified || map_.Id() <= 0) return;
  map_.SaveWorkCopy(map_.Id());
  mapTree_.MarkPending(map_.Id());
  map_.modified = false;
}

void TFormLcfMain::LoadSelectedMap(int32_t id) {
  mapTree_.currentId = id;
  TLcfMapTreeItem* node = mapTree_.FindById(id);
  TLcfMapTreeItem* owner = mapTree_.OwningMap(id);
  currentMapName_ = !node || id == 0 ? std::string() : node->IsArea() && owner ? owner->name : node->name;
  if (!owner) {
    map_.Unload();
  } else if (owner->Id() != map_.Id() || map_.width == 0) {
    // The work copy holds the newer edits when there is one.
    try {
      if (owner->pending)
        map_.LoadWorkCopy(owner->Id());
      else
        map_.LoadFromProject(owner->Id());
    } catch (const std::exception& e) {
      map_.Unload();
      ShowError(e.what(), this);
    }
  }
  UpdateMapStatus();
  UpdateCommandStates();
}

void TFormLcfMain::SelectNode(int32_t id) {
  if (!projects_->IsOpen() && !mapTree_.HasNodes()) return;
  TLcfMapTreeItem* owner = mapTree_.OwningMap(id);
  if (!owner || owner->Id() != map_.Id()) StoreCurrentMap();
  LoadSelectedMap(id);
}

void TFormLcfMain::UpdateMapStatus() {
  QString text = TextCodec::Current().ToUnicode(currentMapName_);
  if (map_.width > 0 && map_.Id() > 0) text += QString("  %1 x %2").arg(map_.width).arg(map_.height);
  statusPanels_[2]->setText(text);
}

bool TFormLcfMain::SaveMap() {
  {
    TWaitCursor wait;
    try {
      if (map_.modified && map_.Id() > 0) {
        map_.SaveWorkCopy(map_.Id());
        mapTree_.MarkPending(map_.Id());
        map_.modified = false;
      }
      mapTree_.SaveTree();
    } catch (const std::exception& e) {
      ShowError(e.what(), this);
    }
  }
  UpdateCommandStates();
  return !MapsModified();
}

void TFormLcfMain::RevertMap() {
  if (AskYesNo("Map data will revert to the last time it was saved.  Proceed?", this) != TMessageResult::Yes) return;
  TWaitCursor wait;
  int32_t current = mapTree_.currentId;
  map_.modified = false;
  mapTree_.LoadTree();
  mapTree_.currentId = mapTree_.FindById(current) ? current : 0;
  treePane_->blockSignals(true);
  mapTree_.BuildView(*treePane_, true);
  treePane_->blockSignals(false);
  map_.Unload();
  treePane_->SelectId(mapTree_.currentId);
  LoadSelectedMap(mapTree_.currentId);
}

bool TFormLcfMain::CloseQuery() {
  if (!projects_->IsOpen()) return true;
  if (MapsModified()) {
    TMessageResult answer = ShowMessageBox(kSaveQuestion, {TMessageIcon::Question, TMessageButtons::YesNoCancel}, this);
    if (answer == TMessageResult::Cancel) return false;
    if (answer == TMessageResult::Yes && !SaveMap()) return false;
  } else {
    // The tree file also keeps the current node and the expanded states.
    try {
      mapTree_.SaveTree();
    } catch (const std::exception& e) {
      ShowError(e.what(), this);
    }
  }
  SaveEditSettings();
  return true;
}

void TFormLcfMain::SaveEditSettings() {
  try {
    TProfileFile ini(IniPath());
    ini.WriteInteger(kIniSection, "MapEditMode", editMode_);
    ini.WriteInteger(kIniSection, "MapEditZoom", zoom_);
    ini.Save();
  } catch (const std::exception&) {
    // The settings file cannot be written: closing goes on without it.
  }
}

bool TFormLcfMain::SavePrompt() {
  if (!MapsModified()) return true;
  if (AskYesNo(kSaveQuestion, this) != TMessageResult::Yes) return false;
  return SaveMap();
}

void TFormLcfMain::TestPlay() {
  if (!SavePrompt()) return;
  UpdateCommandStates();
  // The game gets the sound devices while it runs; the audio front end comes back afterwards,
  // whatever happens.
  TAudioReleasedForGame audioReleased;
  lastTestPlayWords_ = TestPlayWords(showTitle_, fullScreen_);
  QString why;
  auto plan = RuntimeLauncher::Plan(QString::fromStdString(ProjectFolder() + kRuntimeName), lastTestPlayWords_,
                                    QString::fromStdString(ProjectFolder()),
                                    QString::fromStdString(settings_.ReadString(kRuntimeLauncherSetting, "")), &why);
  QProcess process;
  if (!plan || !RuntimeLauncher::Start(process, *plan)) {
    ShowError("Unable to test play due to a fatal error during project compilation.", this);
    return;
  }
  TFormProcessWait wait(process, "Test Play", this);
  wait.WaitModal();
  process.waitForFinished(-1);
}

void TFormLcfMain::BuildActions() {
  auto* modes = new QActionGroup(this);
  auto* zooms = new QActionGroup(this);
  auto* tools = new QActionGroup(this);
  for (const TMainCommandInfo& info : MainCommands()) {
    auto* action = new QAction(QString::fromLatin1(info.caption), this);
    if (*info.shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(info.shortcut)));
    action->setCheckable(info.checkable);
    action->setStatusTip(action->text());
    TMainCommand command = info.command;
    connect(action, &QAction::triggered, this, [this, command] { Execute(command); });
    actions_[command] = action;
  }
  for (TMainCommand c : kModes) modes->addAction(actions_[c]);
  for (TMainCommand c : kZooms) zooms->addAction(actions_[c]);
  for (TMainCommand c : kTools) tools->addAction(actions_[c]);
  actions_[TMainCommand::FullScreen]->setChecked(fullScreen_);
  actions_[TMainCommand::ShowTitle]->setChecked(showTitle_);
  actions_[kModes[editMode_]]->setChecked(true);
  actions_[kZooms[zoom_]]->setChecked(true);
  actions_[kTools[tool_]]->setChecked(true);
}

void TFormLcfMain::BuildMenus() {
  std::map<QString, QMenu*> menus;
  for (const TMainCommandInfo& info : MainCommands()) {
    if (!*info.menu) continue;
    QStringList path = QString::fromLatin1(info.menu).split('/');
    QString key;
    QMenu* menu = nullptr;
    for (const QString& part : path) {
      key += "/" + part;
      auto it = menus.find(key);
      if (it == menus.end()) {
        QMenu* created = menu ? menu->addMenu(part) : menuBar()->addMenu(part);
        it = menus.emplace(key, created).first;
      }
      menu = it->second;
    }
    if (info.command == TMainCommand::Exit || info.command == TMainCommand::About ||
        info.command == TMainCommand::FullScreen || info.command == TMainCommand::Database)
      menu->addSeparator();
    menu->addAction(actions_[info.command]);
  }
}

void TFormLcfMain::BuildToolBar() {
  QToolBar* bar = addToolBar("Tools");
  bar->setObjectName("MainToolBar");
  bar->setMovable(false);
  bar->setIconSize(QSize(24, 24));
  for (const auto& group : kToolBar) {
    for (const TToolBarEntry& entry : group) {
      QAction* action = actions_[entry.command];
      action->setIcon(CommandIcon(entry.icon));
      bar->addAction(action);
    }
    if (&group != &kToolBar.back()) bar->addSeparator();
  }
}

void TFormLcfMain::BuildStatusBar() {
  for (int i = 0; i < 3; ++i) {
    statusPanels_[i] = new QLabel(this);
    statusPanels_[i]->setObjectName(QString("StatusPanel%1").arg(i));
    statusBar()->addPermanentWidget(statusPanels_[i], i == 0 ? 3 : 2);
  }
  // Panel 0 shows the long hint of what is under the mouse.
  connect(statusBar(), &QStatusBar::messageChanged, this,
          [this](const QString& text) { statusPanels_[0]->setText(text); });
}

void TFormLcfMain::BuildPanes() {
  auto* split = new QSplitter(Qt::Horizontal, this);
  split->setObjectName("MainSplitter");
  auto* left = new QSplitter(Qt::Vertical, split);
  left->setObjectName("LeftSplitter");
  auto* palette = new QLabel("Tile palette", left);
  palette->setObjectName("ChipSelectorPane");
  palette->setAlignment(Qt::AlignCenter);
  palette->setMinimumWidth(200);
  treePane_ = new TMapTreeWidget(left);
  treePane_->setObjectName("MapTreePane");
  connect(treePane_, &TMapTreeWidget::NodeSelected, this, [this](int32_t id) { SelectNode(id); });
  auto* editor = new QLabel("Map", split);
  editor->setObjectName("MapEditorPane");
  editor->setAlignment(Qt::AlignCenter);
  editor->setAutoFillBackground(true);
  left->setSizes({280, 220});
  split->setSizes({256, 544});
  split->setStretchFactor(1, 1);
  setCentralWidget(split);
}

TMainState TFormLcfMain::State() const {
  TMainState state;
  state.projectOpen = openingOrClosing_ > 0 || (openingOrClosing_ == 0 && projects_ && projects_->IsOpen());
  state.mapsModified = MapsModified();
  state.tileLayerMode = editMode_ != 2;
  return state;
}

void TFormLcfMain::UpdateCommandStates() {
  TMainState state = State();
  for (const TMainCommandInfo& info : MainCommands()) actions_[info.command]->setEnabled(IsEnabled(info.rule, state));
  statusPanels_[1]->setText(state.projectOpen ? QString::fromLatin1(ModeStatusText(editMode_)) : QString());
}

void TFormLcfMain::SetEditMode(int mode) {
  editMode_ = ModeFromSetting(mode);
  actions_[kModes[editMode_]]->setChecked(true);
  UpdateCommandStates();
}

void TFormLcfMain::SetZoom(int zoomIndex) {
  zoom_ = ZoomFromSetting(zoomIndex);
  actions_[kZooms[zoom_]]->setChecked(true);
}

void TFormLcfMain::SetTool(int tool) {
  tool_ = tool >= 0 && tool < 6 ? tool : 2;
  actions_[kTools[tool_]]->setChecked(true);
}

void TFormLcfMain::Execute(TMainCommand command) {
  switch (command) {
    case TMainCommand::NewProject:
      projects_->RunNewProjectDialog(this);
      break;
    case TMainCommand::OpenProject:
      projects_->RunOpenProjectDialog(this);
      break;
    case TMainCommand::CloseProject:
      if (CloseQuery()) projects_->CloseProject();
      break;
    case TMainCommand::CreateGamedisk:
      if (SavePrompt()) projects_->RunGameDiskDialog(this);
      break;
    case TMainCommand::SaveMap:
      SaveMap();
      break;
    case TMainCommand::RevertMap:
      RevertMap();
      break;
    case TMainCommand::TestPlay:
      TestPlay();
      break;
    case TMainCommand::Database: {
      // The battle test of the database window reads the flag.
      settings_.SetFullScreenFlag(fullScreen_);
      TFormDataBase window(database_, mapTree_, map_, ProjectFolder(), applicationFolder_, this);
      window.exec();
      map_.RefreshTileset();
      break;
    }
    case TMainCommand::ResourceManager: {
      TFormMaterialBase window(settings_, ProjectFolder(), CurrentRuntimePackageFolder(), this);
      window.exec();
      break;
    }
    case TMainCommand::ListenToMusic: {
      TFormSelMusic picker(this, true);
      CenterOnOwnerWindow(&picker);
      picker.exec();
      break;
    }
    case TMainCommand::Exit:
      close();
      break;
    case TMainCommand::ModeLower:
      SetEditMode(0);
      break;
    case TMainCommand::ModeUpper:
      SetEditMode(1);
      break;
    case TMainCommand::ModeEvent:
      SetEditMode(2);
      break;
    case TMainCommand::Zoom1:
      SetZoom(0);
      break;
    case TMainCommand::Zoom2:
      SetZoom(1);
      break;
    case TMainCommand::Zoom4:
      SetZoom(2);
      break;
    case TMainCommand::Zoom8:
      SetZoom(3);
      break;
    case TMainCommand::ToolSelect:
      SetTool(0);
      break;
    case TMainCommand::ToolZoom:
      SetTool(1);
      break;
    case TMainCommand::ToolPen:
      SetTool(2);
      break;
    case TMainCommand::ToolRectangle:
      SetTool(3);
      break;
    case TMainCommand::ToolEllipse:
      SetTool(4);
      break;
    case TMainCommand::ToolFill:
      SetTool(5);
      break;
    case TMainCommand::FullScreen:
      fullScreen_ = actions_[command]->isChecked();
      break;
    case TMainCommand::ShowTitle:
      showTitle_ = actions_[command]->isChecked();
      break;
    case TMainCommand::HelpContents:
      ShowHelp();
      break;
    case TMainCommand::About:
      ShowAbout();
      break;
    default:
      break;
  }
  UpdateCommandStates();
}

void TFormLcfMain::ShowHelp() {
  // The manual is installed beside the program.
  QString page = QDir(QCoreApplication::applicationDirPath()).filePath("manual/index.html");
  if (!QFileInfo::exists(page) || !QDesktopServices::openUrl(QUrl::fromLocalFile(page)))
    QMessageBox::information(this, QString::fromLatin1(kApplicationTitle),
                             QString("The manual could not be opened. It is the file %1.").arg(page));
}

void TFormLcfMain::ShowAbout() {
  QMessageBox::about(this, "About",
                     QString("<h3>Tessaly</h3><p>Version %1</p><p>An editor of tile-based role-playing games: "
                             "maps, events, the game database, materials and test play.</p>")
                         .arg(QString::fromLatin1(kVersionText)));
}

void TFormLcfMain::closeEvent(QCloseEvent* event) {
  if (!CloseQuery()) {
    event->ignore();
    return;
  }
  // Work copies of maps the user chose not to save are dropped; the project stays the one to reopen.
  if (projects_->IsOpen()) mapTree_.DiscardWorkCopies();
  AudioShutDown();
  event->accept();
}

}  // namespace tess
