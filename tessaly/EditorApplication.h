#pragma once
// The editor's application object: no exception crosses the event loop. Every user command runs
// inside Qt's event delivery, so one handler here shows the message and keeps the editor running.

#include <QApplication>

namespace tess {

class TEditorApplication : public QApplication {
 public:
  TEditorApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;

  // Shows an exception's message the way the handler does (tests and modal loops call it too).
  static void ReportException(const std::exception_ptr& error);
};

}  // namespace tess
