#pragma once
// Small tool-bar icons drawn in code, so the editor needs no picture files of its own.

#include <QIcon>

#include "ui/IconShapes.h"

namespace tess {

// An empty icon for TIconShape::None.
QIcon CommandIcon(TIconShape shape);

}  // namespace tess
