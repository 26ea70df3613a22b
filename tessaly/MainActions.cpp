#include "tessaly/MainActions.h"

#include <QActionGroup>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <vector>

#include "platform/Settings.h"
#include "ui/CommandIcons.h"

namespace tess {

TMainActions BuildMainActions(QMainWindow& window, const TSettings& settings,
                              std::function<void(TMainCommand)> execute) {
  TMainActions actions;
  for (const TMainCommandInfo& info : MainCommands()) {
    auto* action = new QAction(QString::fromLatin1(info.caption), &window);
    action->setObjectName(QString::fromLatin1(info.name));
    const std::string shortcut = ShortcutOf(info, settings);
    if (!shortcut.empty()) action->setShortcut(QKeySequence(QString::fromStdString(shortcut)));
    action->setCheckable(info.checkable);
    action->setStatusTip(action->text());
    action->setIcon(CommandIcon(info.icon));
    const TMainCommand command = info.command;
    QObject::connect(action, &QAction::triggered, &window, [execute, command] { execute(command); });
    actions[command] = action;
  }
  // Modes, zooms and tools: exactly one of each carries the check mark.
  auto* modes = new QActionGroup(&window);
  auto* zooms = new QActionGroup(&window);
  auto* tools = new QActionGroup(&window);
  for (TEditMode m : {TEditMode::Lower, TEditMode::Upper, TEditMode::Event}) modes->addAction(actions[ModeCommand(m)]);
  for (int z = 0; z < 4; ++z) zooms->addAction(actions[ZoomCommand(static_cast<TZoom>(z))]);
  for (int t = 0; t < 6; ++t) tools->addAction(actions[ToolCommand(static_cast<TEditTool>(t))]);
  return actions;
}

void BuildMainMenus(QMainWindow& window, const TMainActions& actions) {
  std::map<QString, QMenu*> menus;
  for (const TMainCommandInfo& info : MainCommands()) {
    if (!*info.menu) continue;
    QString key;
    QMenu* menu = nullptr;
    for (const QString& part : QString::fromLatin1(info.menu).split('/')) {
      key += "/" + part;
      auto it = menus.find(key);
      if (it == menus.end()) {
        QMenu* created = menu ? menu->addMenu(part) : window.menuBar()->addMenu(part);
        it = menus.emplace(key, created).first;
      }
      menu = it->second;
    }
    if (info.separatorBefore) menu->addSeparator();
    menu->addAction(actions.at(info.command));
  }
}

void BuildMainToolBar(QMainWindow& window, const TMainActions& actions) {
  QToolBar* bar = window.addToolBar("Tools");
  bar->setObjectName("MainToolBar");
  bar->setMovable(false);
  bar->setIconSize(QSize(24, 24));
  std::map<int, std::vector<QAction*>> groups;
  for (const TMainCommandInfo& info : MainCommands())
    if (info.toolBarGroup > 0) groups[info.toolBarGroup].push_back(actions.at(info.command));
  for (const auto& [group, members] : groups) {
    if (group != groups.begin()->first) bar->addSeparator();
    for (QAction* action : members) bar->addAction(action);
  }
}

void BuildMainStatusBar(QMainWindow& window, QLabel* (&panels)[3]) {
  for (int i = 0; i < 3; ++i) {
    panels[i] = new QLabel(&window);
    panels[i]->setObjectName(QString("StatusPanel%1").arg(i));
    window.statusBar()->addPermanentWidget(panels[i], i == 0 ? 3 : 2);
  }
  QLabel* hint = panels[0];
  QObject::connect(window.statusBar(), &QStatusBar::messageChanged, hint, &QLabel::setText);
}

}  // namespace tess
