#include "platform/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace tess {

TQtClipboard::TQtClipboard() : clipboard_(QGuiApplication::clipboard()) {}

std::string TQtClipboard::MimeType(int format) { return "application/x-tessaly-" + std::to_string(format); }

bool TQtClipboard::HasBlock(int format) {
  const QMimeData* data = clipboard_->mimeData();
  return data && data->hasFormat(QString::fromStdString(MimeType(format)));
}

std::optional<Bytes> TQtClipboard::GetBlock(int format) {
  const QMimeData* data = clipboard_->mimeData();
  QString type = QString::fromStdString(MimeType(format));
  if (!data || !data->hasFormat(type)) return std::nullopt;
  QByteArray bytes = data->data(type);
  return Bytes(bytes.begin(), bytes.end());
}

void TQtClipboard::SetBlock(int format, const Bytes& block) {
  auto* data = new QMimeData;
  data->setData(QString::fromStdString(MimeType(format)),
                QByteArray(reinterpret_cast<const char*>(block.data()), static_cast<qsizetype>(block.size())));
  clipboard_->setMimeData(data);
}

// Text on the clipboard is the game's own bytes; the editor's text codec converts at the widget edge,
// so here the bytes pass through as Latin-1 to keep every byte value.
std::string TQtClipboard::GetText() { return clipboard_->text().toLatin1().toStdString(); }

void TQtClipboard::SetText(const std::string& text) { clipboard_->setText(QString::fromLatin1(text)); }

}  // namespace tess
