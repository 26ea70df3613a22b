#pragma once
// The main window's commands: menu, caption, shortcut and the rule that enables each. Menu items and
// tool-bar buttons are built from this one table; the rules are tested without widgets.

#include <string>
#include <vector>

namespace tess {

enum class TMainCommand {
  NewProject,
  OpenProject,
  CloseProject,
  CreateGamedisk,
  Exit,
  SaveMap,
  RevertMap,
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
  HelpContents,
  About,
  Undo,
  ToolSelect,
  ToolZoom,
  ToolPen,
  ToolRectangle,
  ToolEllipse,
  ToolFill,
};

enum class TEnableRule { Always, NoProject, ProjectOpen, MapsModified, CanUndo, TileLayer };

struct TMainCommandInfo {
  TMainCommand command;
  const char* menu;  // "Project", "Map", "Map/Editing Mode", ..., or "" for tool-bar only
  const char* caption;
  const char* shortcut;  // in the form QKeySequence reads, or ""
  TEnableRule rule;
  bool checkable;
};

// What the enabling rules look at.
struct TMainState {
  bool projectOpen = false;
  bool mapsModified = false;  // the current map has unsaved edits, or the tree has pending maps
  bool canUndo = false;
  bool tileLayerMode = false;  // the lower or upper layer is being edited
};

const std::vector<TMainCommandInfo>& MainCommands();
const TMainCommandInfo& CommandInfo(TMainCommand command);
bool IsEnabled(TEnableRule rule, const TMainState& state);

// Edit modes and zoom ratios as the project's settings file stores them; values out of range
// select the first choice.
int ModeFromSetting(int value);
int ZoomFromSetting(int value);
// Tile width in pixels of a zoom index: 32, 16, 8, 4.
int TileSizeOfZoom(int zoomIndex);
// Status bar text of an edit mode.
const char* ModeStatusText(int mode);

// The words after the runtime's path on a test-play command line.
std::vector<std::string> TestPlayWords(bool showTitle, bool fullScreen);

}  // namespace tess
