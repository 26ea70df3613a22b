#pragma once
// Placing a window over its owner on the screen, through the shell services' geometry, and keeping
// a window's placement between sessions.

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <string>

#include "platform/Settings.h"
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

// Restores the size, position and maximised state kept for window (by its object name) from the
// last session; on the first start sizes it at least minimumWidth wide (and 800), within the screen,
// centred on it.
inline void RestorePlacement(QWidget& window, const TSettings& settings, int minimumWidth) {
  const std::string placement = settings.ReadPlacement(window.objectName().toStdString());
  if (!placement.empty() && window.restoreGeometry(QByteArray::fromStdString(placement))) return;
  QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
  const int width = std::max(800, minimumWidth);
  const QSize size(std::min(width, area.width()), std::min(std::max(600, area.height() * 3 / 4), area.height()));
  window.resize(size.expandedTo(window.minimumSize()));
  window.move(area.center() - window.rect().center());
}

// Keeps window's placement for the next session.
inline void KeepPlacement(const QWidget& window, TSettings& settings) {
  settings.WritePlacement(window.objectName().toStdString(), window.saveGeometry().toStdString());
}

}  // namespace tess
