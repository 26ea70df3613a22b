#pragma once
// Small tool-bar icons drawn in code, so the editor needs no picture files of its own.

#include <QIcon>

#include "ui/IconShapes.h"

namespace tess {

// An empty icon for TIconShape::None.
QIcon CommandIcon(TIconShape shape);
// The icon's picture at size x size pixels (the shapes are drawn for 24) and a device pixel ratio;
// transparent for TIconShape::None.
QPixmap CommandPixmap(TIconShape shape, int size, qreal scale = 1.0);

}  // namespace tess
