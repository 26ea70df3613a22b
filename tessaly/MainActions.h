#pragma once
// The main window's actions, menus and tool bar, made from the command table: one action per
// command with its caption, shortcut, icon and check mark; the menus and tool bar groups in table
// order. Triggering an action runs execute with its command.

#include <QAction>
#include <functional>
#include <map>

#include "tessaly/MainCommands.h"

class QLabel;
class QMainWindow;

namespace tess {

class TSettings;

using TMainActions = std::map<TMainCommand, QAction*>;

TMainActions BuildMainActions(QMainWindow& window, const TSettings& settings,
                              std::function<void(TMainCommand)> execute);
void BuildMainMenus(QMainWindow& window, const TMainActions& actions);
void BuildMainToolBar(QMainWindow& window, const TMainActions& actions);
// The three panels of the status bar; the first shows the hint of what is under the mouse.
void BuildMainStatusBar(QMainWindow& window, QLabel* (&panels)[3]);

}  // namespace tess
