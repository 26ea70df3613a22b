#include "editor/events/FormEvCmd10110.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

#include "core/MessagePort.h"
#include "platform/TextCodec.h"
#include "script/MessageLines.h"

namespace tess {

namespace {

// A message line runs 38 half-width characters beside a face graphic, 50 without.
constexpr int kGuideColumns[] = {38, 50};

}  // namespace

TMessageTextBox::TMessageTextBox(int lines, QWidget* parent) : QPlainTextEdit(parent), maxLines_(lines) {
  setObjectName("MessageBox");
  QFont font("Monospace");
  font.setStyleHint(QFont::TypeWriter);
  setFont(font);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setTabChangesFocus(true);
  const QFontMetrics metrics(font);
  // The box is as high as its lines and 6 pixels, as wide as the longer guide and a margin.
  const int frame = 2 * frameWidth() + 2 * static_cast<int>(document()->documentMargin());
  setFixedHeight(lines * metrics.lineSpacing() + 6 + frame);
  setMinimumWidth(metrics.horizontalAdvance(QString(kGuideColumns[1] + 2, 'M')) + frame);
}

void TMessageTextBox::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & Qt::ControlModifier)) {
    emit okPressed();
    return;
  }
  if (enter && document()->blockCount() >= maxLines_) return;  // no line beyond the box
  QPlainTextEdit::keyPressEvent(event);
}

bool TMessageTextBox::PasteText(const QString& pasted) {
  QTextCursor cursor = textCursor();
  const QString text = toPlainText();
  const std::string before = text.toStdString();
  // Positions in UTF-8 bytes of the text as it stands.
  const size_t from = static_cast<size_t>(text.left(cursor.selectionStart()).toUtf8().size());
  const size_t to = static_cast<size_t>(text.left(cursor.selectionEnd()).toUtf8().size());
  const TPasteResult result = PasteIntoBox(before, from, to, pasted.toStdString(), maxLines_);
  if (!result.accepted) {
    ShowError(PasteRefusedText(result.lines, maxLines_), static_cast<QWidget*>(this));
    return false;
  }
  const QString after = QString::fromStdString(result.text);
  cursor.beginEditBlock();
  cursor.select(QTextCursor::Document);
  cursor.insertText(after);
  cursor.endEditBlock();
  cursor.setPosition(static_cast<int>(QString::fromStdString(result.text.substr(0, result.cursor)).size()));
  setTextCursor(cursor);
  return true;
}

void TMessageTextBox::insertFromMimeData(const QMimeData* source) {
  if (source && source->hasText()) PasteText(source->text());
}

void TMessageTextBox::paintEvent(QPaintEvent* event) {
  QPlainTextEdit::paintEvent(event);
  QPainter painter(viewport());
  painter.setPen(QPen(QColor(160, 160, 220), 1, Qt::DotLine));
  const int left = static_cast<int>(document()->documentMargin()) - horizontalScrollBar()->value();
  for (int columns : kGuideColumns) {
    const int x = left + fontMetrics().horizontalAdvance(QString(columns, '0'));
    painter.drawLine(x, 0, x, viewport()->height());
  }
}

TFormEvCmd10110::TFormEvCmd10110(int32_t code, const TLcfEventScriptList& lines, TCommandDialogContext& context)
    : TFormEvCmdBase(code, lines, context) {
  const std::vector<std::string> text =
      lines.Count() > 0 ? MessageTextLines(lines) : std::vector<std::string>{form_.Text()};
  box_ = new TMessageTextBox(std::max(kMessageBoxLines, static_cast<int>(text.size())), this);
  QString shown;
  for (size_t i = 0; i < text.size(); ++i) shown += (i ? "\n" : "") + TextCodec::Current().ToUnicode(text[i]);
  box_->setPlainText(shown);
  connect(box_, &QPlainTextEdit::textChanged, this, [this] { edited_ = true; });
  connect(box_, &TMessageTextBox::okPressed, this, [this] {
    Accept();
    accept();
  });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(box_);
  AddButtons(layout);
  box_->setFocus();
}

void TFormEvCmd10110::Accept() {
  const int given = given_.Count() > 0 ? static_cast<int>(MessageTextLines(given_).size()) : 0;
  if (!edited_ && given > 0) {
    // Untouched, the lines go back as they came: their bytes never pass through the box.
    lines_.ClearLines();
    const int depth = given_.LineAt(0)->indent;
    for (int i = 0; i < given; ++i) {
      TLcfEventScriptLine line = *given_.LineAt(i);
      line.indent -= depth;
      lines_.AppendLine(line);
    }
    return;
  }
  std::vector<std::string> text;
  for (const QString& line : box_->toPlainText().split('\n')) text.push_back(TextCodec::Current().FromUnicode(line));
  lines_ = MessageCommandLines(form_.Code(), text);
  // Parameters another tool stored on the opening line stay.
  if (given > 0) lines_.LineAt(0)->params = given_.LineAt(0)->params;
}

}  // namespace tess
