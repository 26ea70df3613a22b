#pragma once
// The button row every dialog ends with: OK, Cancel and, where the dialog has them, Apply and Help.
// OK accepts and Cancel rejects unless the dialog gives handlers of its own; Help opens the manual
// at the dialog's section.

#include <QDialogButtonBox>
#include <QString>
#include <functional>

class QDialog;

namespace tess {

struct TDialogButtons {
  QDialogButtonBox::StandardButtons buttons = QDialogButtonBox::Ok | QDialogButtonBox::Cancel;
  std::function<void()> ok;      // default: accept
  std::function<void()> cancel;  // default: reject
  std::function<void()> apply;
  QString helpSection;  // the manual's section Help opens; Help is shown when it is set
};

// Makes the row for dialog (the caller places it in its layout).
QDialogButtonBox* MakeDialogButtons(QDialog* dialog, TDialogButtons spec = {});

}  // namespace tess
