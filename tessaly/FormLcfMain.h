#pragma once
// The editor's main window: menu, tool bar and status bar built from the command table, the panes,
// test play and the tool windows. It is a view of the headless document, which holds the project
// and the editing state; the window shows it and forwards the user's commands to it.

#include <QMainWindow>
#include <map>
#include <memory>

#include "editor/app/ProjectEncoding.h"
#include "project/ProjectDocument.h"
#include "tessaly/MainCommands.h"

class QAction;
class QLabel;

namespace tess {

class TProjectManager;
class TSettings;
class TFormMapTree;
class TUnsavedWorkKeeper;
class TFormMapEditor;
class TFormChipSelector;
class TFormFindResult;
class TFormMapEvents;
struct TSearchPlace;

class TFormLcfMain : public QMainWindow, private TMainCommandTarget {
  Q_OBJECT
 public:
  // settings: the editor's settings; applicationFolder (with a trailing '/') holds the templates,
  // the runtime package and the manual.
  TFormLcfMain(TSettings& settings, std::string applicationFolder, QWidget* parent = nullptr);
  ~TFormLcfMain() override;

  TProjectManager& Projects() { return *projects_; }
  TProjectDocument& Document() { return document_; }

  // The words the last test play passed to the runtime (for the record and for tests).
  const std::vector<std::string>& LastTestPlayWords() const { return lastTestPlayWords_; }

  QAction* Action(TMainCommand command) const { return actions_.at(command); }
  // Runs a command as its menu item would.
  void Execute(TMainCommand command);
  // What the enabling rules see now.
  TMainState State() const;
  void UpdateCommandStates();

  // The database window; recovered: its edits come from a crash, so they are shown as not applied.
  void ShowDatabase(bool recovered);
  TUnsavedWorkKeeper& Keeper() { return *keeper_; }

  // Status bar panels: 0 the hint, 1 the editing mode, 2 map name and cell.
  QLabel* StatusPanel(int index) const { return statusPanels_[index]; }
  TFormMapEditor& MapEditor() const { return *mapEditor_; }
  TFormChipSelector& ChipSelector() const { return *chipSelector_; }
  // "Event Search", made hidden with the main window.
  TFormFindResult& FindResult() const { return *findResult_; }
  // "Map Events", the dockable list of the current map's events.
  TFormMapEvents& MapEvents() const { return *mapEvents_; }
  // Leads to a search result: its map, centred on its event with the event selected, or the
  // common event's page of the database window on its line.
  void OpenSearchPlace(const TSearchPlace& place);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // TMainCommandTarget
  void RunNewProject() override;
  void RunOpenProject() override;
  void RunCloseProject() override;
  void RunCreateGamedisk() override;
  void RunTextEncoding() override;
  void RunGameRuntime() override;
  void RunExit() override;
  void RunSaveMap() override;
  void RunRevertMap() override;
  void RunSaveAsNewMap() override;
  void RunDiscardDamagedData() override;
  void RunDatabase() override;
  void RunResourceManager() override;
  void RunListenToMusic() override;
  void RunEventSearch() override;
  void RunTestPlay() override;
  void RunHelpContents() override;
  void RunAbout() override;
  void RunUndo() override;
  void RunRedo() override;
  void RunUndoDepth() override;
  void SetGridVisible(bool on) override;
  void SetEditMode(TEditMode mode) override;
  void SetZoom(TZoom zoom) override;
  void SetTool(TEditTool tool) override;
  void SetFullScreen(bool on) override;
  void SetShowTitle(bool on) override;

  void ConnectDocument();
  // The project manager's open callback: the project in its code page (see TProjectEncoding).
  bool OpenDocument();
  void ShowTree();
  void ShowNamesAgain();
  void CheckEditState();
  void ShowEditState();
  void UpdateMapStatus();
  // The palette shows the current map's tileset in the editor's mode.
  void ShowPalette();
  // The palette's block becomes the current chip of its mode.
  void TakePaletteBlock();
  // A block picked from the map: the palette frames its cell when it is one cell that has one.
  void ShowPickedChip(TEditMode mode);

  void BuildActions();
  // SIGTERM or SIGHUP: keeps the unsaved work for recovery and ends the editor without asking.
  void EndKeepingWork();
  void BuildPanes();
  void AddPaneToggles();

  TSettings& settings_;
  std::string applicationFolder_;
  TProjectDocument document_;
  TProjectEncoding encoding_;
  std::unique_ptr<TProjectManager> projects_;
  TUnsavedWorkKeeper* keeper_ = nullptr;
  TFormMapTree* treePane_ = nullptr;
  TFormMapEditor* mapEditor_ = nullptr;
  TFormChipSelector* chipSelector_ = nullptr;
  TFormFindResult* findResult_ = nullptr;
  TFormMapEvents* mapEvents_ = nullptr;
  std::vector<std::string> lastTestPlayWords_;
  std::map<TMainCommand, QAction*> actions_;
  QLabel* statusPanels_[3] = {};
  bool fullScreen_ = true;
  bool showTitle_ = false;
};

}  // namespace tess
