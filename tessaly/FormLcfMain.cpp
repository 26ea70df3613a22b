#include "tessaly/FormLcfMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QToolBar>
#include <QUrl>

#include "audio/AudioHarmony.h"
#include "core/InstallLayout.h"
#include "core/MessagePort.h"
#include "core/ProjectFolder.h"
#include "core/QuietMode.h"
#include "core/Version.h"
#include "editor/app/FormGameRuntime.h"
#include "editor/app/FormTextEncoding.h"
#include "editor/app/PackCheck.h"
#include "editor/app/ProjectManager.h"
#include "editor/app/ProjectOpenReport.h"
#include "editor/app/RuntimeRun.h"
#include "editor/app/UnsavedWorkKeeper.h"
#include "editor/database/FormDataBase.h"
#include "editor/database/FormDataBaseBase.h"
#include "editor/events/FormEDEvent.h"
#include "editor/events/FormFindResult.h"
#include "editor/maps/FormChipSelector.h"
#include "editor/maps/FormMapEditor.h"
#include "editor/maps/FormMapEvents.h"
#include "editor/maps/FormMapTree.h"
#include "editor/media/FormMaterialBase.h"
#include "maps/ChipPalette.h"
#include "platform/RuntimeLauncher.h"
#include "platform/Settings.h"
#include "platform/ShellServices.h"
#include "platform/TerminationSignals.h"
#include "platform/TextCodec.h"
#include "platform/WaitCursor.h"
#include "project/StoredNames.h"
#include "tessaly/MainActions.h"
#include "tessaly/MainWindowTitle.h"
#include "ui/EditorAudio.h"
#include "ui/WindowPlacement.h"
#include "ui/pickers/FormSelMusic.h"
#include "ui/script/ScriptEditor.h"
#include "ui/script/ScriptListBox.h"

namespace tess {

namespace {
// Whether the map editor draws lines along the cells, and how many edits can be undone.
constexpr const char* kShowGridSetting = "ShowMapGrid";
constexpr const char* kUndoDepthSetting = "UndoHistoryDepth";

int UndoDepthOf(const TSettings& settings) {
  const QString text = QString::fromStdString(settings.ReadString(kUndoDepthSetting, ""));
  bool ok = false;
  const int depth = text.toInt(&ok);
  return ok ? std::clamp(depth, 1, TLcfMapEditUndoManager::kMaxDepth) : TLcfMapEditUndoManager::kDefaultDepth;
}
}  // namespace

TFormLcfMain::TFormLcfMain(TSettings& settings, std::string applicationFolder, QWidget* parent)
    : QMainWindow(parent),
      settings_(settings),
      applicationFolder_(std::move(applicationFolder)),
      document_(applicationFolder_),
      encoding_(settings) {
  // Inside the editor, lookups of missing entries return none instead of raising.
  SetQuietMode(true);
  StartEditorAudio();
  setObjectName("FormLcfMain");
  setWindowTitle(MainWindowTitle({}, {}, false));
  setMinimumSize(720, 573);
  fullScreen_ = settings_.FullScreenFlag();
  showTitle_ = settings_.ShowTitleFlag();
  document_.SetMessageOwner(this);
  BuildActions();
  BuildMainStatusBar(*this, statusPanels_);
  BuildPanes();
  AddPaneToggles();
  findResult_ = new TFormFindResult(document_, this);
  findResult_->onOpenPlace = [this](const TSearchPlace& place) { OpenSearchPlace(place); };
  ConnectDocument();
  keeper_ = new TUnsavedWorkKeeper(document_, this);
  document_.SetUndoDepth(UndoDepthOf(settings_));
  const bool grid = settings_.ReadBool(kShowGridSetting, false);
  actions_[TMainCommand::ShowGrid]->setChecked(grid);
  mapEditor_->SetGridVisible(grid);
  // The placement kept from the last session, or on the first start wide enough for the tool bar.
  const auto* bar = findChild<QToolBar*>("MainToolBar");
  RestorePlacement(*this, settings_, bar ? bar->sizeHint().width() + 16 : 0);
  // A logout or a kill ends the editor at once: the unsaved work stays in the scratch folder and
  // is offered at the next start, as after a crash, but nothing is lost to the last moment.
  auto* termination = new TTerminationSignals(this);
  connect(termination, &TTerminationSignals::requested, this, [this](int) { EndKeepingWork(); });
  TProjectManager::TCallbacks callbacks;
  callbacks.create = [this](const std::string& title) {
    return document_.CreateFiles(ProjectFolder(), ScratchFolder(), title);
  };
  // A project with damaged files says so once, listing them all.
  callbacks.open = [this] {
    return OpenReportingProblems(
        ProjectFolder(), [this] { return OpenDocument(); }, this);
  };
  callbacks.markCurrentFormat = [this] { document_.MarkCurrentFormat(); };
  callbacks.close = [this] { document_.Close(); };
  projects_ = std::make_unique<TProjectManager>(settings_, applicationFolder_, std::move(callbacks));
  UpdateCommandStates();
}

TFormLcfMain::~TFormLcfMain() {
  KeepPlacement(*this, settings_);
  AudioShutDown();
  projects_.reset();
  // The panes follow the document's signals and leave them when they go: they go while the
  // document is still there.
  delete mapEvents_;
  delete centralWidget();
  settings_.SetFullScreenFlag(fullScreen_);
  settings_.SetShowTitleFlag(showTitle_);
}

// ---------------------------------------------------------------------------------------------
// Following the document

void TFormLcfMain::ConnectDocument() {
  document_.projectOpened.Connect([this] {
    ShowTree();
    findResult_->UpdateControls();
  });
  document_.treeReloaded.Connect([this] { ShowTree(); });
  document_.treeChanged.Connect([this] { ShowTree(); });
  document_.projectClosed.Connect([this] {
    statusPanels_[1]->clear();
    statusPanels_[2]->clear();
    UpdateCommandStates();
    findResult_->UpdateControls();
  });
  document_.mapChanged.Connect([this] {
    ShowPalette();
    UpdateMapStatus();
    UpdateCommandStates();
  });
  document_.modifiedChanged.Connect([this](bool) { UpdateCommandStates(); });
  // Undo follows the history, which every edit changes.
  document_.cellsChanged.Connect([this](const TChangedCells&) { UpdateCommandStates(); });
  document_.editStateChanged.Connect([this] {
    ShowEditState();
    ShowPalette();
    UpdateMapStatus();
  });
  document_.onChipPicked = [this](TEditMode mode) { ShowPickedChip(mode); };
}

void TFormLcfMain::ShowPalette() {
  const TLcfMap& map = document_.Map();
  const bool shown = document_.IsOpen() && map.Id() > 0 && map.width > 0;
  chipSelector_->SetTileset(&document_.ChipSet(), shown);
  // The mode's block is taken again when the mode changed (selectionChanged follows).
  chipSelector_->SetMode(document_.IsOpen() ? document_.EditMode() : TEditMode::None);
}

void TFormLcfMain::TakePaletteBlock() {
  const TEditMode mode = chipSelector_->Mode();
  if (mode == TEditMode::None) return;
  if (const std::optional<TLcfCurrentChip> chip = chipSelector_->CurrentChip()) document_.SetCurrentChip(mode, *chip);
}

void TFormLcfMain::ShowPickedChip(TEditMode mode) {
  if (mode != chipSelector_->Mode()) return;
  const TLcfCurrentChip& chip = document_.Editor().State().CurrentChip();
  const TCellPoint cell =
      chip.width == 1 && chip.height == 1 ? PaletteCellOf(mode, chip.Cell(0, 0)) : TCellPoint{-1, -1};
  chipSelector_->SetSelection(cell.x >= 0 ? TCellRect{cell.x, cell.y, 1, 1} : TCellRect{-1, -1, 0, 0});
}

bool TFormLcfMain::OpenDocument() {
  const bool kept = encoding_.UseKept(ProjectFolder());
  if (!document_.Open(ProjectFolder(), ScratchFolder())) return false;
  if (!kept) {
    // The first opening: the names were shown in the default code page until the guess.
    const std::string told = encoding_.Settle(document_.ProjectPath(), document_.DataBase(), document_.MapTree());
    ShowNamesAgain();
    if (!told.empty()) ShowInformation(told, this);
  }
  return true;
}

void TFormLcfMain::ShowTree() {
  // The document has selected the node already; the tree window rebuilds itself.
  UpdateMapStatus();
  UpdateCommandStates();
}

void TFormLcfMain::ShowNamesAgain() {
  // Names are stored as bytes: a new code page shows them anew in the tree and the title.
  treePane_->RebuildView();
  ShowTree();
}

void TFormLcfMain::CheckEditState() {
  actions_[ModeCommand(document_.EditMode())]->setChecked(true);
  actions_[ZoomCommand(document_.Zoom())]->setChecked(true);
  actions_[ToolCommand(document_.Tool())]->setChecked(true);
}

void TFormLcfMain::ShowEditState() {
  CheckEditState();
  UpdateCommandStates();
}

void TFormLcfMain::UpdateMapStatus() {
  const TLcfMap& map = document_.Map();
  QString text = TextCodec::Current().ToUnicode(document_.CurrentMapName());
  const TCellPoint cell = mapEditor_->StatusCell();
  if (map.Id() > 0 && cell.x >= 0 && cell.y >= 0 && cell.x < map.width && cell.y < map.height) {
    text += QString::asprintf(" (%.3d,%.3d)", cell.x, cell.y);
    // The tile of the layer being edited, as the map file stores it.
    if (document_.EditMode() == TEditMode::Lower) text += QString(" %1").arg(map.lower.GetCell(cell.x, cell.y));
    if (document_.EditMode() == TEditMode::Upper) text += QString(" %1").arg(map.upper.GetCell(cell.x, cell.y));
    // What stands on the cell in the event mode.
    if (document_.EditMode() == TEditMode::Event) {
      const std::string name = mapEditor_->EventManager().ObjectNameAt(cell.x, cell.y);
      if (!name.empty()) text += " " + TextCodec::Current().ToUnicode(name);
    }
  }
  statusPanels_[2]->setText(text);
}

TMainState TFormLcfMain::State() const {
  TMainState state;
  state.projectOpen = document_.IsOpen();
  state.mapDamaged = document_.MapDamaged();
  state.mapsModified = document_.MapsModified();
  state.canUndo = document_.CanUndo();
  state.canRedo = document_.CanRedo();
  state.tileLayerMode = IsTileLayer(document_.EditMode());
  return state;
}

void TFormLcfMain::UpdateCommandStates() {
  const TMainState state = State();
  for (const TMainCommandInfo& info : MainCommands()) actions_[info.command]->setEnabled(IsEnabled(info.rule, state));
  statusPanels_[1]->setText(state.projectOpen ? QString::fromLatin1(ModeStatusText(document_.EditMode())) : QString());
  const TextCodec& codec = TextCodec::Current();
  setWindowTitle(MainWindowTitle(codec.ToUnicode(document_.GameTitle()), codec.ToUnicode(document_.CurrentMapName()),
                                 state.projectOpen));
  setWindowModified(state.projectOpen && state.mapsModified);
}

// ---------------------------------------------------------------------------------------------
// Commands

void TFormLcfMain::Execute(TMainCommand command) {
  const TMainCommandInfo& info = CommandInfo(command);
  if (info.handler) info.handler(*this, actions_[command]->isChecked());
  UpdateCommandStates();
}

void TFormLcfMain::RunNewProject() { projects_->RunNewProjectDialog(this); }

void TFormLcfMain::RunOpenProject() { projects_->RunOpenProjectDialog(this); }

void TFormLcfMain::RunCloseProject() {
  if (document_.CloseQuery()) projects_->CloseProject();
}

void TFormLcfMain::RunCreateGamedisk() {
  if (document_.SavePrompt() && ConfirmPackingProblems(document_.ProjectPath(), this))
    projects_->RunGameDiskDialog(this);
}

void TFormLcfMain::RunTextEncoding() {
  TFormTextEncoding dialog(CollectStoredNames(document_.DataBase(), document_.MapTree()), TextCodec::Current().Name(),
                           this);
  if (dialog.exec() != QDialog::Accepted || dialog.CodePage() == TextCodec::Current().Name()) return;
  encoding_.Choose(document_.ProjectPath(), dialog.CodePage());
  ShowNamesAgain();
}

void TFormLcfMain::RunGameRuntime() {
  const QString runtime = QString::fromStdString(settings_.ReadString(TSettings::kGameRuntime, ""));
  const QString launcher = QString::fromStdString(settings_.ReadString(TSettings::kRuntimeLauncher, ""));
  TFormGameRuntime dialog(runtime, launcher, document_.ProjectPath(), TestPlayWords(showTitle_, fullScreen_), this);
  if (dialog.exec() != QDialog::Accepted) return;
  // Only what the author changed is written.
  if (dialog.Runtime() != runtime) settings_.WriteString(TSettings::kGameRuntime, dialog.Runtime().toStdString());
  if (dialog.Launcher() != launcher)
    settings_.WriteString(TSettings::kRuntimeLauncher, dialog.Launcher().toStdString());
  settings_.Sync();
}

void TFormLcfMain::RunExit() { close(); }

void TFormLcfMain::RunSaveMap() {
  TWaitCursor wait;
  document_.SaveMap();
}

void TFormLcfMain::RunSaveAsNewMap() {
  TWaitCursor wait;
  document_.SaveAsNewMap();
}

void TFormLcfMain::RunDiscardDamagedData() {
  if (AskYesNoDestructive(kDiscardDamageQuestion, this) == TMessageResult::Yes) document_.DiscardDamagedData();
}

void TFormLcfMain::RunRevertMap() {
  if (!document_.ConfirmRevert()) return;
  TWaitCursor wait;
  document_.Revert();
}

void TFormLcfMain::RunDatabase() { ShowDatabase(false); }

void TFormLcfMain::ShowDatabase(bool recovered) {
  // The battle test of the database window reads the flag.
  settings_.SetFullScreenFlag(fullScreen_);
  TFormDataBase window(document_.DataBase(), document_.MapTree(), document_.Map(), document_.ProjectPath(),
                       applicationFolder_, this, &settings_);
  if (recovered) window.DataModified();
  window.exec();
  document_.DataBaseChanged();
}

void TFormLcfMain::RunResourceManager() {
  TFormMaterialBase window(settings_, document_.ProjectPath(), CurrentRuntimePackageFolder(), this);
  window.exec();
}

void TFormLcfMain::RunListenToMusic() {
  TFormSelMusic picker(this, true);
  CenterOnOwnerWindow(&picker);
  picker.exec();
}

void TFormLcfMain::RunEventSearch() {
  findResult_->show();
  findResult_->raise();
  findResult_->activateWindow();
  findResult_->UpdateControls();
}

void TFormLcfMain::OpenSearchPlace(const TSearchPlace& place) {
  if (!document_.IsOpen()) return;
  if (place.kind == TSearchPlace::TKind::CommonEvent) {
    settings_.SetFullScreenFlag(fullScreen_);
    TFormDataBase window(document_.DataBase(), document_.MapTree(), document_.Map(), document_.ProjectPath(),
                         applicationFolder_, this, &settings_);
    for (int tab = 0; tab < TFormDataBase::kTabCount; ++tab)
      if (std::string_view(TFormDataBase::TabCaption(tab)) == "Common Event") window.SelectTab(tab);
    if (TFormDataBaseBase* page = window.Page()) {
      const int index = document_.DataBase().commonEvents.IndexOfId(place.eventId);
      if (index >= 0) page->ShowEntry(index);
      if (auto* script = page->findChild<TScriptEditor*>(); script && place.line >= 0) {
        script->Model().SetItemIndex(place.line);
        script->List()->SyncWithModel();
        script->List()->setFocus();
      }
    }
    window.exec();
    document_.DataBaseChanged();
    return;
  }
  if (document_.MapTree().currentId != place.mapId) document_.SelectNode(place.mapId);
  // A map that cannot be loaded has been named in a message; the tree keeps its node.
  if (document_.Map().Id() != place.mapId || place.kind != TSearchPlace::TKind::MapEvent) return;
  if (document_.EditMode() != TEditMode::Event) SetEditMode(TEditMode::Event);
  // The event may have moved since the search.
  const TLcfEventItem* event = document_.Map().events.ItemById(place.eventId);
  mapEditor_->CentreCursorOn(event ? TCellPoint{event->x, event->y} : TCellPoint{place.x, place.y});
  activateWindow();
  mapEditor_->setFocus();
}

void TFormLcfMain::RunTestPlay() {
  if (!document_.SavePrompt()) return;
  UpdateCommandStates();
  // The game gets the sound devices while it runs; the audio front end comes back afterwards,
  // whatever happens.
  TAudioReleasedForGame audioReleased;
  lastTestPlayWords_ = TestPlayWords(showTitle_, fullScreen_);
  QString why;
  auto plan = RuntimeLauncher::PlanForProject(settings_, document_.ProjectPath(), lastTestPlayWords_, &why);
  const TRuntimeOutcome outcome =
      RunRuntimeWaiting(plan, why, "Test Play", TextCodec::Current().ToUnicode(document_.GameTitle()), this);
  // A clean exit says nothing; anything else shows how the runtime ended and what it said.
  if (const auto message = RuntimeFailureMessage(outcome)) ShowErrorWithDetails(message->text, message->details, this);
}

void TFormLcfMain::RunHelpContents() {
  const QString page = QString::fromStdString(ManualFolder(ApplicationFolder()) + "index.html");
  if (!QFileInfo::exists(page) || !QDesktopServices::openUrl(QUrl::fromLocalFile(page)))
    QMessageBox::information(this, QString::fromLatin1(kApplicationTitle),
                             QString("The manual could not be opened. It is the file %1.").arg(page));
}

void TFormLcfMain::RunAbout() {
  QMessageBox::about(this, "About",
                     QString("<h3>Tessaly</h3><p>Version %1</p><p>An editor of tile-based role-playing games: "
                             "maps, events, the game database, materials and test play.</p>")
                         .arg(QString::fromLatin1(kVersionText)));
}

void TFormLcfMain::RunUndo() { document_.Undo(); }

void TFormLcfMain::RunRedo() { document_.Redo(); }

void TFormLcfMain::RunUndoDepth() {
  bool ok = false;
  const int depth = QInputDialog::getInt(this, QString::fromLatin1(kApplicationTitle),
                                         "How many edits of a map can be undone:", document_.History().Depth(), 1,
                                         TLcfMapEditUndoManager::kMaxDepth, 1, &ok);
  if (!ok) return;
  document_.SetUndoDepth(depth);
  settings_.WriteString(kUndoDepthSetting, std::to_string(depth));
}

void TFormLcfMain::SetGridVisible(bool on) {
  mapEditor_->SetGridVisible(on);
  settings_.WriteBool(kShowGridSetting, on);
}

void TFormLcfMain::SetEditMode(TEditMode mode) {
  TWaitCursor wait;
  document_.SetEditMode(mode);
}

void TFormLcfMain::SetZoom(TZoom zoom) {
  TWaitCursor wait;
  document_.SetZoom(zoom);
}

void TFormLcfMain::SetTool(TEditTool tool) { document_.SetTool(tool); }

void TFormLcfMain::SetFullScreen(bool on) { fullScreen_ = on; }

void TFormLcfMain::SetShowTitle(bool on) { showTitle_ = on; }

void TFormLcfMain::EndKeepingWork() {
  // What the author has not saved yet goes to the scratch folder now; the event loops end without
  // the close question, which nobody would be there to answer.
  keeper_->KeepNow();
  QApplication::exit(0);
}

void TFormLcfMain::closeEvent(QCloseEvent* event) {
  if (!document_.CloseQuery()) {
    event->ignore();
    return;
  }
  // Work copies of maps the user chose not to save are dropped; the project stays the one to reopen.
  if (document_.IsOpen()) document_.DiscardWorkCopies();
  keeper_->Forget();
  AudioShutDown();
  event->accept();
}

// ---------------------------------------------------------------------------------------------
// Layout

void TFormLcfMain::BuildActions() {
  actions_ = BuildMainActions(*this, settings_, [this](TMainCommand command) { Execute(command); });
  actions_[TMainCommand::FullScreen]->setChecked(fullScreen_);
  actions_[TMainCommand::ShowTitle]->setChecked(showTitle_);
  CheckEditState();
  BuildMainMenus(*this, actions_);
  BuildMainToolBar(*this, actions_);
}

void TFormLcfMain::AddPaneToggles() {
  // The map events pane is shown and hidden from the Map menu.
  for (QMenu* menu : menuBar()->findChildren<QMenu*>())
    if (menu->title() == "Map" && menu->parentWidget() == menuBar()) {
      menu->addSeparator();
      QAction* toggle = mapEvents_->toggleViewAction();
      toggle->setObjectName("ShowMapEvents");
      menu->addAction(toggle);
      break;
    }
}

void TFormLcfMain::BuildPanes() {
  auto* split = new QSplitter(Qt::Horizontal, this);
  split->setObjectName("MainSplitter");
  auto* left = new QSplitter(Qt::Vertical, split);
  left->setObjectName("LeftSplitter");
  chipSelector_ = new TFormChipSelector(left);
  chipSelector_->setObjectName("ChipSelectorPane");
  connect(chipSelector_, &TFormChipSelector::selectionChanged, this, [this] { TakePaletteBlock(); });
  treePane_ = new TFormMapTree(document_, left);
  connect(treePane_, &TFormMapTree::Notified, this, [this](bool) {
    UpdateMapStatus();
    UpdateCommandStates();
  });
  mapEditor_ = new TFormMapEditor(document_, split);
  mapEditor_->setObjectName("MapEditorPane");
  treePane_->editorClientSize = [this] { return mapEditor_->viewport()->size(); };
  connect(mapEditor_, &TFormMapViewer::CursorMoved, this, [this] { UpdateMapStatus(); });
  connect(mapEditor_, &TFormMapEditor::StatusMessage, this,
          [this](const QString& text) { statusPanels_[0]->setText(text); });
  mapEditor_->openEventEditor = [this](TLcfEventItem& copy, bool isNew,
                                       const std::function<void(const TLcfEventItem&)>& apply) {
    TEventEditorContext context;
    context.database = &document_.DataBase();
    context.mapTree = &document_.MapTree();
    context.map = &document_.Map();
    context.tileset = &document_.ChipSet();
    context.saveDatabase = [this] { return document_.SaveDataBase(); };
    context.reloadDatabase = [this] {
      std::string error;
      if (!document_.ReloadDataBase(&error)) ShowError(error, this);
    };
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TFormEDEvent editor(context, copy, isNew, apply, this);
    QApplication::restoreOverrideCursor();
    editor.exec();
    mapEditor_->RedrawAll();
  };
  // A drag in progress ends when the editor loses the user's attention.
  connect(qApp, &QApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
    if (state == Qt::ApplicationActive) return;
    mapEditor_->CancelDrag();
    chipSelector_->CancelDrag();
  });
  mapEvents_ = new TFormMapEvents(document_, *mapEditor_, this);
  addDockWidget(Qt::RightDockWidgetArea, mapEvents_);
  // Shown from the Map menu; the map keeps the whole width until then.
  mapEvents_->hide();
  left->setSizes({280, 220});
  // The palette's width decides the width of the pane that holds it.
  split->setSizes({chipSelector_->sizeHint().width(), 800 - chipSelector_->sizeHint().width()});
  split->setStretchFactor(1, 1);
  setCentralWidget(split);
}

}  // namespace tess
