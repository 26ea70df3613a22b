#include "app/QtMessagePort.h"

#include <QApplication>
#include <QMessageBox>

#include "core/Version.h"

namespace tess {

TMessageResult TQtMessagePort::ShowMessageBox(const std::string& text, TMessageStyle style, void* owner) {
  QWidget* parent = owner ? static_cast<QWidget*>(owner) : QApplication::activeWindow();
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  switch (style.icon) {
    case TMessageIcon::None:
      break;
    case TMessageIcon::Error:
      icon = QMessageBox::Critical;
      break;
    case TMessageIcon::Warning:
      icon = QMessageBox::Warning;
      break;
    case TMessageIcon::Information:
      icon = QMessageBox::Information;
      break;
    case TMessageIcon::Question:
      icon = QMessageBox::Question;
      break;
  }
  QMessageBox::StandardButtons buttons = QMessageBox::Ok;
  switch (style.buttons) {
    case TMessageButtons::Ok:
      break;
    case TMessageButtons::OkCancel:
      buttons = QMessageBox::Ok | QMessageBox::Cancel;
      break;
    case TMessageButtons::YesNo:
      buttons = QMessageBox::Yes | QMessageBox::No;
      break;
    case TMessageButtons::YesNoCancel:
      buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
      break;
  }
  QMessageBox box(icon, QString::fromLatin1(kApplicationTitle), QString::fromLocal8Bit(text), buttons, parent);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return TMessageResult::Yes;
    case QMessageBox::No:
      return TMessageResult::No;
    case QMessageBox::Cancel:
      return TMessageResult::Cancel;
    case QMessageBox::Ok:
      return TMessageResult::Ok;
    default:
      return NegativeAnswer(style.buttons);
  }
}

}  // namespace tess
