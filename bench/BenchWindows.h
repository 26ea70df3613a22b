#pragma once
// What the window benchmarks share: the process's one application (offscreen unless a platform is
// set), showing a dialog once, and the reference of an empty dialog with its buttons.

#include <QApplication>
#include <QDialog>
#include <QVBoxLayout>
#include <cstdlib>

#include "BenchReference.h"
#include "ui/DialogButtons.h"

namespace tess::bench {

// Made on the first call and never destroyed, so that windows and data kept in statics may
// outlive main without outliving it.
inline QApplication& OffscreenApp() {
  static int argc = 1;
  static char name[] = "tessaly-bench";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return new QApplication(argc, argv);
  }();
  return *app;
}

// Shows a dialog until it has been laid out and painted once, then hides it.
inline void ShowAndClose(QDialog& dialog) {
  dialog.show();
  QApplication::processEvents();
  dialog.hide();
}

// Seconds to make and show a dialog holding only its buttons: the reference of the window benches.
inline double EmptyDialogSeconds() {
  return MeasureSeconds([] {
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(MakeDialogButtons(&dialog));
    ShowAndClose(dialog);
  });
}

}  // namespace tess::bench
