#pragma once
// The shapes of the tool-bar icons, named without Qt so that the command table can name them.

namespace tess {

enum class TIconShape {
  None,
  Save,
  Undo,
  Redo,
  ShowGrid,
  Select,
  Zoom,
  Pen,
  Rectangle,
  Ellipse,
  Fill,
  LowerLayer,
  UpperLayer,
  EventLayer,
  Zoom1,
  Zoom2,
  Zoom4,
  Zoom8,
  Database,
  Resources,
  Music,
  Search,
  Play,
  NewProject,
  OpenProject,
};

}  // namespace tess
