#pragma once
// Small tool-bar icons drawn in code, so the editor needs no picture files of its own.

#include <QIcon>

namespace tess {

enum class TIconShape {
  Save,
  Undo,
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

QIcon CommandIcon(TIconShape shape);

}  // namespace tess
