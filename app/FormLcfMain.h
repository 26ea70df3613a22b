#pragma once
// The editor's main window: menu, tool bar and status bar built from the command table, the three
// editing modes and four zoom ratios, the panes, test play and the tool windows.

#include <QMainWindow>
#include <map>
#include <memory>

#include "app/MainCommands.h"
#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"

class QAction;
class QLabel;
class QActionGroup;

namespace tess {

class TProjectManager;
class TSettings;
class TMapTreeWidget;

class TFormLcfMain : public QMainWindow {
  Q_OBJECT
 public:
  // settings: the editor's settings; applicationFolder (with a trailing '/') holds the templates,
  // the runtime package and the manual.
  TFormLcfMain(TSettings& settings, std::string applicationFolder, QWidget* parent = nullptr);
  ~TFormLcfMain() override;

  TProjectManager& Projects() { return *projects_; }
  TLcfDataBase& DataBase() { return database_; }
  TLcfMapTree& MapTree() { return mapTree_; }
  TLcfMap& Map() { return map_; }
  bool MapsModified() const;
  // The map of the selected node is loaded (its work copy when there is one); leaving a modified
  // map first keeps it as a work copy and marks it pending.
  void SelectNode(int32_t id);
  // "Save Map": false when maps are still modified afterwards (a file could not be written).
  bool SaveMap();
  void RevertMap();
  // The close query: whether closing the project (or the window) may go on.
  bool CloseQuery();
  // The save prompt before test play and the game disk: whether the command may go on.
  bool SavePrompt();
  void TestPlay();
  // The words the last test play passed to the runtime (for the record and for tests).
  const std::vector<std::string>& LastTestPlayWords() const { return lastTestPlayWords_; }

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
  void closeEvent(QCloseEvent* event) override;

 private:
  bool OpenCallback();
  void CloseCallback();
  void SaveEditSettings();
  void StoreCurrentMap();
  void LoadSelectedMap(int32_t id);
  void UpdateMapStatus();

  void BuildActions();
  void BuildMenus();
  void BuildToolBar();
  void BuildStatusBar();
  void BuildPanes();
  void ShowHelp();
  void ShowAbout();

  TSettings& settings_;
  std::string applicationFolder_;
  TLcfDataBase database_;
  TLcfMapTree mapTree_;
  TLcfMap map_;
  std::unique_ptr<TProjectManager> projects_;
  TMapTreeWidget* treePane_ = nullptr;
  std::string currentMapName_;
  // While the project manager's callbacks run: 1 opening, -1 closing, else 0.
  int openingOrClosing_ = 0;
  std::vector<std::string> lastTestPlayWords_;
  std::map<TMainCommand, QAction*> actions_;
  QLabel* statusPanels_[3] = {};
  int editMode_ = 0;
  int zoom_ = 0;
  int tool_ = 2;
  bool fullScreen_ = true;
  bool showTitle_ = false;
};

}  // namespace tess
