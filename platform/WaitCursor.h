#pragma once
// The wait cursor for the length of a scope: shown when it is made, and the previous cursor back
// on every way out. Without a graphical application (the command-line tool) it does nothing.

#include <QCursor>
#include <QGuiApplication>

namespace tess {

class TWaitCursor {
 public:
  TWaitCursor() : shown_(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
    if (shown_) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  }
  ~TWaitCursor() {
    if (shown_) QGuiApplication::restoreOverrideCursor();
  }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;

 private:
  bool shown_;
};

}  // namespace tess
