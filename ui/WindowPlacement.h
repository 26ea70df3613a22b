#pragma once
// Placing a window over its owner on the screen, through the shell services' geometry.

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/ShellServices.h"

namespace tess {

// Centres window over its parent (or the screen when it has none) and keeps it on screen.
inline void CenterOnOwnerWindow(QWidget* window) {
  window->adjustSize();
  QWidget* owner = window->parentWidget() ? window->parentWidget()->window() : nullptr;
  QScreen* screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  const QRect frame = owner ? owner->frameGeometry() : area;
  window->move(CenterOnOwner(window->size(), frame, area).topLeft());
}

}  // namespace tess
