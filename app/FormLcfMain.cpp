#include "app/FormLcfMain.h"

#include "core/QuietMode.h"
#include "core/Version.h"

namespace tess {

TFormLcfMain::TFormLcfMain(QWidget* parent) : QMainWindow(parent) {
  // Inside the editor, lookups of missing entries return none instead of raising.
  SetQuietMode(true);
  setWindowTitle(QString::fromLatin1(kApplicationTitle));
  setMinimumSize(720, 573);
  resize(800, 600);
}

}  // namespace tess
