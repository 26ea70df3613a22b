#include "app/FormLcfMain.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QFileInfo>
#include <QUrl>

#include "core/QuietMode.h"
#include "core/Version.h"
#include "ui/CommandIcons.h"

namespace tess {

namespace {

struct TToolBarEntry {
  TMainCommand command;
  TIconShape icon;
};

// Tool-bar buttons in order; a separator follows each group.
const std::vector<std::vector<TToolBarEntry>> kToolBar = {
    {{TMainCommand::NewProject, TIconShape::NewProject}, {TMainCommand::OpenProject, TIconShape::OpenProject},
     {TMainCommand::SaveMap, TIconShape::Save}},
    {{TMainCommand::Undo, TIconShape::Undo}},
    {{TMainCommand::ModeLower, TIconShape::LowerLayer}, {TMainCommand::ModeUpper, TIconShape::UpperLayer},
     {TMainCommand::ModeEvent, TIconShape::EventLayer}},
    {{TMainCommand::Zoom1, TIconShape::Zoom1}, {TMainCommand::Zoom2, TIconShape::Zoom2},
     {TMainCommand::Zoom4, TIconShape::Zoom4}, {TMainCommand::Zoom8, TIconShape::Zoom8}},
    {{TMainCommand::ToolSelect, TIconShape::Select}, {TMainCommand::ToolZoom, TIconShape::Zoom},
     {TMainCommand::ToolPen, TIconShape::Pen}, {TMainCommand::ToolRectangle, TIconShape::Rectangle},
     {TMainCommand::ToolEllipse, TIconShape::Ellipse}, {TMainCommand::ToolFill, TIconShape::Fill}},
    {{TMainCommand::Database, TIconShape::Database}, {TMainCommand::ResourceManager, TIconShape::Resources},
     {TMainCommand::ListenToMusic, TIconShape::Music}, {TMainCommand::EventSearch, TIconShape::Search}},
    {{TMainCommand::TestPlay, TIconShape::Play}},
};

constexpr TMainCommand kModes[] = {TMainCommand::ModeLower, TMainCommand::ModeUpper, TMainCommand::ModeEvent};
constexpr TMainCommand kZooms[] = {TMainCommand::Zoom1, TMainCommand::Zoom2, TMainCommand::Zoom4, TMainCommand::Zoom8};
constexpr TMainCommand kTools[] = {TMainCommand::ToolSelect, TMainCommand::ToolZoom, TMainCommand::ToolPen,
                                   TMainCommand::ToolRectangle, TMainCommand::ToolEllipse, TMainCommand::ToolFill};

}  // namespace

TFormLcfMain::TFormLcfMain(QWidget* parent) : QMainWindow(parent) {
  // Inside the editor, lookups of missing entries return none instead of raising.
  SetQuietMode(true);
  setObjectName("FormLcfMain");
  setWindowTitle(QString::fromLatin1(kApplicationTitle));
  setMinimumSize(720, 573);
  resize(800, 600);
  BuildActions();
  BuildMenus();
  BuildToolBar();
  BuildStatusBar();
  BuildPanes();
  UpdateCommandStates();
}

TFormLcfMain::~TFormLcfMain() = default;

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
  connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& text) {
    statusPanels_[0]->setText(text);
  });
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
  auto* tree = new QLabel("Map tree", left);
  tree->setObjectName("MapTreePane");
  tree->setAlignment(Qt::AlignCenter);
  auto* editor = new QLabel("Map", split);
  editor->setObjectName("MapEditorPane");
  editor->setAlignment(Qt::AlignCenter);
  editor->setAutoFillBackground(true);
  split->setStretchFactor(1, 1);
  setCentralWidget(split);
}

TMainState TFormLcfMain::State() const {
  TMainState state;
  state.tileLayerMode = editMode_ != 2;
  return state;
}

void TFormLcfMain::UpdateCommandStates() {
  TMainState state = State();
  for (const TMainCommandInfo& info : MainCommands())
    actions_[info.command]->setEnabled(IsEnabled(info.rule, state));
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
    case TMainCommand::Exit: close(); break;
    case TMainCommand::ModeLower: SetEditMode(0); break;
    case TMainCommand::ModeUpper: SetEditMode(1); break;
    case TMainCommand::ModeEvent: SetEditMode(2); break;
    case TMainCommand::Zoom1: SetZoom(0); break;
    case TMainCommand::Zoom2: SetZoom(1); break;
    case TMainCommand::Zoom4: SetZoom(2); break;
    case TMainCommand::Zoom8: SetZoom(3); break;
    case TMainCommand::ToolSelect: SetTool(0); break;
    case TMainCommand::ToolZoom: SetTool(1); break;
    case TMainCommand::ToolPen: SetTool(2); break;
    case TMainCommand::ToolRectangle: SetTool(3); break;
    case TMainCommand::ToolEllipse: SetTool(4); break;
    case TMainCommand::ToolFill: SetTool(5); break;
    case TMainCommand::FullScreen: fullScreen_ = actions_[command]->isChecked(); break;
    case TMainCommand::ShowTitle: showTitle_ = actions_[command]->isChecked(); break;
    case TMainCommand::HelpContents: ShowHelp(); break;
    case TMainCommand::About: ShowAbout(); break;
    default: break;
  }
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

void TFormLcfMain::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
}

}  // namespace tess
