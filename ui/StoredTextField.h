#pragma once
// Fields whose text is stored in the project's code page. The text is checked as it is typed: a
// character the code page cannot hold is refused at the field, with a message beside it that
// names the character and the code page, so nothing is ever stored with substitutes.

#include <QValidator>

class QLineEdit;

namespace tess {

class TStoredTextValidator : public QValidator {
 public:
  explicit TStoredTextValidator(QLineEdit* field);
  State validate(QString& input, int& position) const override;

  // The message for text the current code page cannot hold (refused: the first character in the
  // way), as the field shows it.
  static QString RefusalMessage(const QString& refused);

 private:
  QLineEdit* field_;
};

// Puts the check on a field (its maximum length stays as set).
void GuardStoredText(QLineEdit* field);

}  // namespace tess
