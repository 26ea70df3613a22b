#include "tessaly/EditorApplication.h"

#include <cstdlib>
#include <new>

#include "core/Errors.h"
#include "core/MessagePort.h"

namespace tess {

TEditorApplication::TEditorApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TEditorApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    ReportException(std::current_exception());
    return false;
  }
}

void TEditorApplication::ReportException(const std::exception_ptr& error) {
  QString message;
  bool fatal = false;
  try {
    std::rethrow_exception(error);
  } catch (const std::bad_alloc&) {
    message = "Insufficient memory.";
    fatal = true;
  } catch (const EOutOfMemory& e) {
    message = e.what();
    fatal = true;
  } catch (const std::exception& e) {
    message = QString::fromLocal8Bit(e.what());
  } catch (...) {
    message = "An unexpected error occurred.";
  }
  ShowError(message.toStdString(), QApplication::activeWindow());
  // Running out of memory leaves nothing trustworthy to go on with.
  if (fatal) std::exit(1);
}

}  // namespace tess
