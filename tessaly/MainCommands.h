#pragma once
// The main window's commands in one table: menu, caption, default shortcut, the rule that enables
// each, its handler, its tool-bar group and icon, and where separators go. Menu items and tool-bar
// buttons are built from it; the rules are tested without widgets.

#include <string>
#include <vector>

#include "maps/EditModes.h"
#include "ui/IconShapes.h"

namespace tess {

class TSettings;

enum class TMainCommand {
  NewProject,
  OpenProject,
  CloseProject,
  CreateGamedisk,
  TextEncoding,
  Exit,
  SaveMap,
  RevertMap,
  SaveAsNewMap,
  DiscardDamagedData,
  ModeLower,
  ModeUpper,
  ModeEvent,
  Zoom1,
  Zoom2,
  Zoom4,
  Zoom8,
  Database,
  ResourceManager,
  ListenToMusic,
  EventSearch,
  TestPlay,
  FullScreen,
  ShowTitle,
  GameRuntime,
  HelpContents,
  About,
  Undo,
  Redo,
  ShowGrid,
  UndoDepth,
  ToolSelect,
  ToolZoom,
  ToolPen,
  ToolRectangle,
  ToolEllipse,
  ToolFill,
};

// Never: the command's window is not there yet; it stays disabled.
enum class TEnableRule { Always, NoProject, ProjectOpen, MapsModified, MapDamaged, CanUndo, CanRedo, TileLayer, Never };

// What the commands act on: the main window implements it.
class TMainCommandTarget {
 public:
  virtual ~TMainCommandTarget() = default;
  virtual void RunNewProject() = 0;
  virtual void RunOpenProject() = 0;
  virtual void RunCloseProject() = 0;
  virtual void RunCreateGamedisk() = 0;
  virtual void RunTextEncoding() = 0;
  virtual void RunExit() = 0;
  virtual void RunSaveMap() = 0;
  virtual void RunRevertMap() = 0;
  virtual void RunSaveAsNewMap() {}
  virtual void RunDiscardDamagedData() {}
  virtual void RunDatabase() = 0;
  virtual void RunResourceManager() = 0;
  virtual void RunListenToMusic() = 0;
  virtual void RunEventSearch() = 0;
  virtual void RunTestPlay() = 0;
  virtual void RunGameRuntime() {}
  virtual void RunHelpContents() = 0;
  virtual void RunAbout() = 0;
  virtual void RunUndo() = 0;
  virtual void RunRedo() = 0;
  virtual void RunUndoDepth() = 0;
  virtual void SetGridVisible(bool on) = 0;
  virtual void SetEditMode(TEditMode mode) = 0;
  virtual void SetZoom(TZoom zoom) = 0;
  virtual void SetTool(TEditTool tool) = 0;
  virtual void SetFullScreen(bool on) = 0;
  virtual void SetShowTitle(bool on) = 0;
};

// checked: the check mark of a checkable command after the user's click.
using TMainHandler = void (*)(TMainCommandTarget& target, bool checked);

struct TMainCommandInfo {
  TMainCommand command;
  const char* name;      // the command's key in the settings (its shortcut is "Shortcuts/<name>")
  const char* menu;      // "Project", "Map", "Map/Editing Mode", ..., or "" for tool-bar only
  bool separatorBefore;  // in its menu
  const char* caption;
  const char* shortcut;  // the default, in the form QKeySequence reads, or ""
  TEnableRule rule;
  bool checkable;
  TMainHandler handler;  // none while the command's window is not there
  int toolBarGroup;      // 0: not on the tool bar; groups follow in order, a separator between them
  TIconShape icon;
};

// What the enabling rules look at.
struct TMainState {
  bool projectOpen = false;
  bool mapsModified = false;  // the current map has unsaved edits, or the tree has pending maps
  bool canUndo = false;
  bool tileLayerMode = false;  // the lower or upper layer is being edited
  bool canRedo = false;
  bool mapDamaged = false;  // the current map loaded damaged and is read-only
};

const std::vector<TMainCommandInfo>& MainCommands();
const TMainCommandInfo& CommandInfo(TMainCommand command);
bool IsEnabled(TEnableRule rule, const TMainState& state);

// The command's shortcut: the one the settings give under "Shortcuts/<name>" (empty there: none),
// else the table's default.
std::string ShortcutOf(const TMainCommandInfo& info, const TSettings& settings);
std::string ShortcutSettingName(const TMainCommandInfo& info);

// The commands that select a mode, zoom or tool, in the order of their values.
TMainCommand ModeCommand(TEditMode mode);
TMainCommand ZoomCommand(TZoom zoom);
TMainCommand ToolCommand(TEditTool tool);

// Status bar text of an edit mode.
const char* ModeStatusText(TEditMode mode);

// The words after the runtime's path on a test-play command line.
std::vector<std::string> TestPlayWords(bool showTitle, bool fullScreen);

}  // namespace tess
