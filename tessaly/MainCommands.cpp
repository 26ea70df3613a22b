#include "tessaly/MainCommands.h"

#include <stdexcept>

#include "platform/Settings.h"

namespace tess {

namespace {

using T = TMainCommandTarget;

// Handlers: captureless lambdas, so that each row of the table names its own.
template <TEditMode mode>
void Mode(T& t, bool) {
  t.SetEditMode(mode);
}
template <TZoom zoom>
void ZoomTo(T& t, bool) {
  t.SetZoom(zoom);
}
template <TEditTool tool>
void Tool(T& t, bool) {
  t.SetTool(tool);
}

}  // namespace

const std::vector<TMainCommandInfo>& MainCommands() {
  using C = TMainCommand;
  using R = TEnableRule;
  using I = TIconShape;
  using M = TEditMode;
  using Z = TZoom;
  using E = TEditTool;
  // clang-format off
  static const std::vector<TMainCommandInfo> table = {
      {C::NewProject, "NewProject", "Project", false, "New Project", "Ctrl+N", R::NoProject, false,
       [](T& t, bool) { t.RunNewProject(); }, 1, I::NewProject},
      {C::OpenProject, "OpenProject", "Project", false, "Open Project", "Ctrl+O", R::NoProject, false,
       [](T& t, bool) { t.RunOpenProject(); }, 1, I::OpenProject},
      {C::CloseProject, "CloseProject", "Project", false, "Close Project", "", R::ProjectOpen, false,
       [](T& t, bool) { t.RunCloseProject(); }, 0, I::None},
      {C::CreateGamedisk, "CreateGamedisk", "Project", false, "Create Gamedisk", "", R::ProjectOpen, false,
       [](T& t, bool) { t.RunCreateGamedisk(); }, 0, I::None},
      {C::TextEncoding, "TextEncoding", "Project", false, "Text Encoding...", "", R::ProjectOpen, false,
       [](T& t, bool) { t.RunTextEncoding(); }, 0, I::None},
      {C::Exit, "Exit", "Project", true, "Exit", "Alt+F4", R::Always, false,
       [](T& t, bool) { t.RunExit(); }, 0, I::None},
      {C::SaveMap, "SaveMap", "Map", false, "Save Map", "Ctrl+S", R::MapsModified, false,
       [](T& t, bool) { t.RunSaveMap(); }, 1, I::Save},
      {C::RevertMap, "RevertMap", "Map", false, "Revert to Last Save", "Ctrl+R", R::MapsModified, false,
       [](T& t, bool) { t.RunRevertMap(); }, 0, I::None},
      {C::SaveAsNewMap, "SaveAsNewMap", "Map", false, "Save As New Map", "", R::MapDamaged, false,
       [](T& t, bool) { t.RunSaveAsNewMap(); }, 0, I::None},
      {C::DiscardDamagedData, "DiscardDamagedData", "Map", false, "Discard Damaged Data", "", R::MapDamaged, false,
       [](T& t, bool) { t.RunDiscardDamagedData(); }, 0, I::None},
      {C::ModeLower, "ModeLower", "Map/Editing Mode", false, "Lower Layer Editing Mode", "F5", R::ProjectOpen, true,
       Mode<M::Lower>, 3, I::LowerLayer},
      {C::ModeUpper, "ModeUpper", "Map/Editing Mode", false, "Upper Layer Editing Mode", "F6", R::ProjectOpen, true,
       Mode<M::Upper>, 3, I::UpperLayer},
      {C::ModeEvent, "ModeEvent", "Map/Editing Mode", false, "Event Layer Editing Mode", "F7", R::ProjectOpen, true,
       Mode<M::Event>, 3, I::EventLayer},
      {C::Zoom1, "Zoom1", "Map/Map Zoom", false, "1/1 Ratio", "", R::ProjectOpen, true, ZoomTo<Z::Full>, 4, I::Zoom1},
      {C::Zoom2, "Zoom2", "Map/Map Zoom", false, "1/2 Ratio", "", R::ProjectOpen, true, ZoomTo<Z::Half>, 4, I::Zoom2},
      {C::Zoom4, "Zoom4", "Map/Map Zoom", false, "1/4 Ratio", "", R::ProjectOpen, true, ZoomTo<Z::Quarter>, 4, I::Zoom4},
      {C::Zoom8, "Zoom8", "Map/Map Zoom", false, "1/8 Ratio", "", R::ProjectOpen, true, ZoomTo<Z::Eighth>, 4, I::Zoom8},
      {C::Database, "Database", "Tools", true, "Database", "F8", R::ProjectOpen, false,
       [](T& t, bool) { t.RunDatabase(); }, 6, I::Database},
      {C::ResourceManager, "ResourceManager", "Tools", false, "Resource Manager", "", R::ProjectOpen, false,
       [](T& t, bool) { t.RunResourceManager(); }, 6, I::Resources},
      {C::ListenToMusic, "ListenToMusic", "Tools", false, "Listen to Music", "", R::ProjectOpen, false,
       [](T& t, bool) { t.RunListenToMusic(); }, 6, I::Music},
      {C::EventSearch, "EventSearch", "Tools", false, "Event Search", "", R::ProjectOpen, false,
       [](T& t, bool) { t.RunEventSearch(); }, 6, I::Search},
      {C::TestPlay, "TestPlay", "Game", false, "Test Play", "F9", R::ProjectOpen, false,
       [](T& t, bool) { t.RunTestPlay(); }, 7, I::Play},
      {C::FullScreen, "FullScreen", "Game", true, "Full Screen Mode", "", R::ProjectOpen, true,
       [](T& t, bool on) { t.SetFullScreen(on); }, 0, I::None},
      {C::ShowTitle, "ShowTitle", "Game", false, "Show Title Screen", "", R::ProjectOpen, true,
       [](T& t, bool on) { t.SetShowTitle(on); }, 0, I::None},
      {C::GameRuntime, "GameRuntime", "Game", true, "Game Runtime...", "", R::ProjectOpen, false,
       [](T& t, bool) { t.RunGameRuntime(); }, 0, I::None},
      {C::HelpContents, "HelpContents", "Help", false, "Contents", "F1", R::Always, false,
       [](T& t, bool) { t.RunHelpContents(); }, 0, I::None},
      {C::About, "About", "Help", true, "About", "", R::Always, false,
       [](T& t, bool) { t.RunAbout(); }, 0, I::None},
      {C::Undo, "Undo", "Map", true, "Undo", "Ctrl+Z", R::CanUndo, false,
       [](T& t, bool) { t.RunUndo(); }, 2, I::Undo},
      {C::Redo, "Redo", "Map", false, "Redo", "Ctrl+Y", R::CanRedo, false,
       [](T& t, bool) { t.RunRedo(); }, 2, I::Redo},
      {C::UndoDepth, "UndoDepth", "Map", false, "Undo History Depth...", "", R::Always, false,
       [](T& t, bool) { t.RunUndoDepth(); }, 0, I::None},
      {C::ShowGrid, "ShowGrid", "Map", true, "Show Grid", "Ctrl+G", R::Always, true,
       [](T& t, bool on) { t.SetGridVisible(on); }, 0, I::ShowGrid},
      {C::ToolSelect, "ToolSelect", "", false, "Selection Tool", "", R::TileLayer, true, Tool<E::Selection>, 5, I::Select},
      {C::ToolZoom, "ToolZoom", "", false, "Zoom Tool", "", R::TileLayer, true, Tool<E::Zoom>, 5, I::Zoom},
      {C::ToolPen, "ToolPen", "", false, "Pen Tool", "", R::TileLayer, true, Tool<E::Pen>, 5, I::Pen},
      {C::ToolRectangle, "ToolRectangle", "", false, "Rectangle Tool", "", R::TileLayer, true,
       Tool<E::Rectangle>, 5, I::Rectangle},
      {C::ToolEllipse, "ToolEllipse", "", false, "Ellipse Tool", "", R::TileLayer, true, Tool<E::Ellipse>, 5, I::Ellipse},
      {C::ToolFill, "ToolFill", "", false, "Flood Fill", "", R::TileLayer, true, Tool<E::FloodFill>, 5, I::Fill},
  };
  // clang-format on
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
    case TEnableRule::MapDamaged:
      return s.projectOpen && s.mapDamaged;
    case TEnableRule::CanUndo:
      return s.projectOpen && s.canUndo;
    case TEnableRule::CanRedo:
      return s.projectOpen && s.canRedo;
    case TEnableRule::TileLayer:
      return s.projectOpen && s.tileLayerMode;
    case TEnableRule::Never:
      return false;
  }
  return false;
}

std::string ShortcutSettingName(const TMainCommandInfo& info) { return std::string("Shortcuts/") + info.name; }

std::string ShortcutOf(const TMainCommandInfo& info, const TSettings& settings) {
  const std::string key = ShortcutSettingName(info);
  return settings.Contains(key.c_str()) ? settings.ReadString(key.c_str(), "") : std::string(info.shortcut);
}

TMainCommand ModeCommand(TEditMode mode) {
  switch (mode) {
    case TEditMode::Upper:
      return TMainCommand::ModeUpper;
    case TEditMode::Event:
      return TMainCommand::ModeEvent;
    default:
      return TMainCommand::ModeLower;
  }
}

TMainCommand ZoomCommand(TZoom zoom) {
  constexpr TMainCommand commands[] = {TMainCommand::Zoom1, TMainCommand::Zoom2, TMainCommand::Zoom4,
                                       TMainCommand::Zoom8};
  return commands[static_cast<int>(ZoomFromSetting(static_cast<int>(zoom)))];
}

TMainCommand ToolCommand(TEditTool tool) {
  constexpr TMainCommand commands[] = {TMainCommand::ToolSelect,    TMainCommand::ToolZoom,    TMainCommand::ToolPen,
                                       TMainCommand::ToolRectangle, TMainCommand::ToolEllipse, TMainCommand::ToolFill};
  const int index = static_cast<int>(tool);
  return index >= 0 && index < 6 ? commands[index] : TMainCommand::ToolPen;
}

const char* ModeStatusText(TEditMode mode) {
  switch (mode) {
    case TEditMode::Upper:
      return "Upper Layer Editing Mode";
    case TEditMode::Event:
      return "Event Editing Mode";
    default:
      return "Lower Layer Editing Mode";
  }
}

std::vector<std::string> TestPlayWords(bool showTitle, bool fullScreen) {
  return {"TestPlay", showTitle ? "ShowTitle" : "HideTitle", fullScreen ? "FullScreen" : "Window"};
}

}  // namespace tess
