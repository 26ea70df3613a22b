#pragma once
// The editor's main window: menu, tool bar and status bar built from the command table, the three
// editing modes and four zoom ratios, the panes, test play and the tool windows.

#include <QMainWindow>
#include <map>

#include "app/MainCommands.h"

class QAction;
class QLabel;
class QActionGroup;

namespace tess {

class TFormLcfMain : public QMainWindow {
  Q_OBJECT
public:
  explicit TFormLcfMain(QWidget* parent = nullptr);
  ~TFormLcfMain() override;

  QAction* Action(TMainCommand command) const { return actions_.at(command); }
  // Runs a command as its menu item would.
  void Execute(TMainCommand command);
  // What the enabling rules see now.
  virtual TMainState State() const;
  void UpdateCommandStates();

  int EditMode() const { return editMode_; }
  int Zoom() const { return zoom_; }
  int Tool() const { return tool_; }
  void SetEditMode(int mode);
  void SetZoom(int zoomIndex);
  void SetTool(int tool);

  // Status bar panels: 0 the hint, 1 the editing mode, 2 map name and cell.
  QLabel* StatusPanel(int index) const { return statusPanels_[index]; }

protected:
  void changeEvent(QEvent* event) override;

private:
  void BuildActions();
  void BuildMenus();
  void BuildToolBar();
  void BuildStatusBar();
  void BuildPanes();
  void ShowHelp();
  void ShowAbout();

  std::map<TMainCommand, QAction*> actions_;
  QLabel* statusPanels_[3] = {};
  int editMode_ = 0;
  int zoom_ = 0;
  int tool_ = 2;
  bool fullScreen_ = true;
  bool showTitle_ = false;
};

}  // namespace tess
