#pragma once
// Finding the widgets of a window in editor tests.

#include <QPushButton>
#include <QString>
#include <QWidget>

namespace tess::test {

// The first push button of the window with that text, or null.
inline QPushButton* ButtonNamed(QWidget& window, const QString& text) {
  for (QPushButton* b : window.findChildren<QPushButton*>())
    if (b->text() == text) return b;
  return nullptr;
}

}  // namespace tess::test
