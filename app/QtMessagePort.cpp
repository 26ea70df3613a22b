#include "app/QtMessagePort.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QWidget>

#include "core/Version.h"

namespace tess {

TMessageResult TQtMessagePort::ShowMessageBox(const std::string& text, TMessageStyle style, void* owner) {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  switch (style.icon) {
    case TMessageIcon::Error: icon = QMessageBox::Critical; break;
    case TMessageIcon::Warning: icon = QMessageBox::Warning; break;
    case TMessageIcon::Information: icon = QMessageBox::Information; break;
    case TMessageIcon::Question: icon = QMessageBox::Question; break;
    case TMessageIcon::None: break;
  }
  QMessageBox::StandardButtons buttons = QMessageBox::Ok;
  switch (style.buttons) {
    case TMessageButtons::Ok: buttons = QMessageBox::Ok; break;
    case TMessageButtons::OkCancel: buttons = QMessageBox::Ok | QMessageBox::Cancel; break;
    case TMessageButtons::YesNo: buttons = QMessageBox::Yes | QMessageBox::No; break;
    case TMessageButtons::YesNoCancel: buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
  }
  auto* parent = static_cast<QWidget*>(owner);
  if (!parent) parent = QApplication::activeWindow();
  // Messages carry file names (UTF-8 on this system) and the game's own texts; both read as UTF-8
  // here, which is what the models put into messages.
  QMessageBox box(icon, QString::fromLatin1(kApplicationTitle), QString::fromUtf8(text.c_str()), buttons, parent);
  switch (box.exec()) {
    case QMessageBox::Yes: return TMessageResult::Yes;
    case QMessageBox::No: return TMessageResult::No;
    case QMessageBox::Cancel: return TMessageResult::Cancel;
    default: return style.buttons == TMessageButtons::Ok ? TMessageResult::Ok
                    : style.buttons == TMessageButtons::OkCancel ? TMessageResult::Ok
                                                                 : TMessageResult::No;
  }
}

}  // namespace tess
