#include "app/MainCommands.h"

#include <stdexcept>

namespace tess {

const std::vector<TMainCommandInfo>& MainCommands() {
  using C = TMainCommand;
  using R = TEnableRule;
  static const std::vector<TMainCommandInfo> table = {
      {C::NewProject, "Project", "New Project", "", R::NoProject, false},
      {C::OpenProject, "Project", "Open Project", "", R::NoProject, false},
      {C::CloseProject, "Project", "Close Project", "", R::ProjectOpen, false},
      {C::CreateGamedisk, "Project", "Create Gamedisk", "", R::ProjectOpen, false},
      {C::Exit, "Project", "Exit", "Alt+F4", R::Always, false},
      {C::SaveMap, "Map", "Save Map", "Ctrl+S", R::MapsModified, false},
      {C::RevertMap, "Map", "Revert to Last Save", "Ctrl+R", R::MapsModified, false},
      {C::ModeLower, "Map/Editing Mode", "Lower Layer Editing Mode", "F5", R::ProjectOpen, true},
      {C::ModeUpper, "Map/Editing Mode", "Upper Layer Editing Mode", "F6", R::ProjectOpen, true},
      {C::ModeEvent, "Map/Editing Mode", "Event Layer Editing Mode", "F7", R::ProjectOpen, true},
      {C::Zoom1, "Map/Map Zoom", "1/1 Ratio", "", R::ProjectOpen, true},
      {C::Zoom2, "Map/Map Zoom", "1/2 Ratio", "", R::ProjectOpen, true},
      {C::Zoom4, "Map/Map Zoom", "1/4 Ratio", "", R::ProjectOpen, true},
      {C::Zoom8, "Map/Map Zoom", "1/8 Ratio", "", R::ProjectOpen, true},
      {C::Database, "Tools", "Database", "F8", R::ProjectOpen, false},
      {C::ResourceManager, "Tools", "Resource Manager", "", R::ProjectOpen, false},
      {C::ListenToMusic, "Tools", "Listen to Music", "", R::ProjectOpen, false},
      {C::EventSearch, "Tools", "Event Search", "", R::ProjectOpen, false},
      {C::TestPlay, "Game", "Test Play", "F9", R::ProjectOpen, false},
      {C::FullScreen, "Game", "Full Screen Mode", "", R::ProjectOpen, true},
      {C::ShowTitle, "Game", "Show Title Screen", "", R::ProjectOpen, true},
      {C::HelpContents, "Help", "Contents", "F1", R::Always, false},
      {C::About, "Help", "About", "", R::Always, false},
      {C::Undo, "", "Undo", "", R::CanUndo, false},
      {C::ToolSelect, "", "Selection Tool", "", R::TileLayer, true},
      {C::ToolZoom, "", "Zoom Tool", "", R::TileLayer, true},
      {C::ToolPen, "", "Pen Tool", "", R::TileLayer, true},
      {C::ToolRectangle, "", "Rectangle Tool", "", R::TileLayer, true},
      {C::ToolEllipse, "", "Ellipse Tool", "", R::TileLayer, true},
      {C::ToolFill, "", "Flood Fill", "", R::TileLayer, true},
  };
  return table;
}

const TMainCommandInfo& CommandInfo(TMainCommand command) {
  for (const TMainCommandInfo& info : MainCommands())
    if (info.command == command) return info;
  throw std::logic_error("unknown main command");
}

bool IsEnabled(TEnableRule rule, const TMainState& s) {
  switch (rule) {
    case TEnableRule::Always:
      return true;
    case TEnableRule::NoProject:
      return !s.projectOpen;
    case TEnableRule::ProjectOpen:
      return s.projectOpen;
    case TEnableRule::MapsModified:
      return s.projectOpen && s.mapsModified;
    case TEnableRule::CanUndo:
      return s.projectOpen && s.canUndo;
    case TEnableRule::TileLayer:
      return s.projectOpen && s.tileLayerMode;
  }
  return false;
}

int ModeFromSetting(int value) { return value >= 0 && value <= 2 ? value : 0; }
int ZoomFromSetting(int value) { return value >= 0 && value <= 3 ? value : 0; }
int TileSizeOfZoom(int zoomIndex) { return 32 >> ZoomFromSetting(zoomIndex); }

const char* ModeStatusText(int mode) {
  switch (mode) {
    case 1:
      return "Upper Layer Editing Mode";
    case 2:
      return "Event Editing Mode";
    default:
      return "Lower Layer Editing Mode";
  }
}

std::vector<std::string> TestPlayWords(bool showTitle, bool fullScreen) {
  return {"TestPlay", showTitle ? "ShowTitle" : "HideTitle", fullScreen ? "FullScreen" : "Window"};
}

}  // namespace tess
