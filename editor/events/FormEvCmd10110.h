#pragma once
// "Show Message" and "Insert Comment": a text box of fixed height that holds four lines (a stored
// message with more shows them all and keeps them). Ctrl+Enter is OK, Esc Cancel; a paste that
// would not fit is refused with its line count. Two guide lines mark how wide a message line may
// run with a face graphic and without one.

#include <QPlainTextEdit>

#include "ui/script/FormEvCmdBase.h"

namespace tess {

// The box: it refuses line breaks and pastes beyond its lines.
class TMessageTextBox : public QPlainTextEdit {
  Q_OBJECT
 public:
  TMessageTextBox(int lines, QWidget* parent);
  int MaxLines() const { return maxLines_; }
  // Pastes text as the clipboard would; false (and a message) when it does not fit.
  bool PasteText(const QString& text);

 signals:
  void okPressed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  int maxLines_;
};

class TFormEvCmd10110 : public TFormEvCmdBase {
  Q_OBJECT
 public:
  // code: 10110 for a message, 12410 for a comment.
  TFormEvCmd10110(int32_t code, const TLcfEventScriptList& lines, TCommandDialogContext& context);
  void Accept() override;
  TMessageTextBox* Box() const { return box_; }

 private:
  TMessageTextBox* box_ = nullptr;
  bool edited_ = false;
};

}  // namespace tess
