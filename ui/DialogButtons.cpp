#include "ui/DialogButtons.h"

#include <QDialog>
#include <QPushButton>

#include "ui/ManualPage.h"

namespace tess {

QDialogButtonBox* MakeDialogButtons(QDialog* dialog, TDialogButtons spec) {
  if (!spec.helpSection.isEmpty()) spec.buttons |= QDialogButtonBox::Help;
  if (spec.apply) spec.buttons |= QDialogButtonBox::Apply;
  auto* box = new QDialogButtonBox(spec.buttons, dialog);
  box->setObjectName("DialogButtons");
  if (spec.ok)
    QObject::connect(box, &QDialogButtonBox::accepted, dialog, spec.ok);
  else
    QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  if (spec.cancel)
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, spec.cancel);
  else
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  if (spec.apply) QObject::connect(box->button(QDialogButtonBox::Apply), &QPushButton::clicked, dialog, spec.apply);
  if (!spec.helpSection.isEmpty()) {
    const QString section = spec.helpSection;
    QObject::connect(box, &QDialogButtonBox::helpRequested, dialog,
                     [dialog, section] { OpenManualPage(dialog, section); });
  }
  return box;
}

}  // namespace tess
