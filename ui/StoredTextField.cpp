#include "ui/StoredTextField.h"

#include <QLineEdit>
#include <QToolTip>

#include "platform/CodePageGuess.h"
#include "platform/TextCodec.h"

namespace tess {

TStoredTextValidator::TStoredTextValidator(QLineEdit* field) : QValidator(field), field_(field) {}

QString TStoredTextValidator::RefusalMessage(const QString& refused) {
  const QString page = QString::fromStdString(CodePageCaption(TextCodec::Current().Name()));
  if (refused == QString(QChar::ReplacementCharacter))
    return QString(
               "This text holds bytes that %1 cannot read (shown as %2). They are kept as stored; "
               "to change the text, replace it whole or choose the project's text encoding with "
               "Project > Text Encoding.")
        .arg(page, refused);
  return QString("The character \"%1\" cannot be stored in this project's text encoding, %2.").arg(refused, page);
}

QValidator::State TStoredTextValidator::validate(QString& input, int&) const {
  QString refused;
  if (TextCodec::Current().CanEncode(input, &refused)) return Acceptable;
  // Shown beside the field, where the author is typing; the field keeps its text.
  const QString message = RefusalMessage(refused);
  field_->setToolTip(message);
  QToolTip::showText(field_->mapToGlobal(QPoint(0, field_->height())), message, field_);
  return Invalid;
}

void GuardStoredText(QLineEdit* field) { field->setValidator(new TStoredTextValidator(field)); }

}  // namespace tess
