#include "ui/QtMessagePort.h"

#include <QApplication>
#include <QMessageBox>

#include "core/Version.h"

namespace tess {

namespace {

QMessageBox::Icon IconOf(TMessageIcon icon) {
  switch (icon) {
    case TMessageIcon::None:
      break;
    case TMessageIcon::Error:
      return QMessageBox::Critical;
    case TMessageIcon::Warning:
      return QMessageBox::Warning;
    case TMessageIcon::Information:
      return QMessageBox::Information;
    case TMessageIcon::Question:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(TMessageButtons buttons) {
  switch (buttons) {
    case TMessageButtons::Ok:
      break;
    case TMessageButtons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case TMessageButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case TMessageButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

}  // namespace

std::unique_ptr<QMessageBox> TQtMessagePort::BuildBox(const std::string& text, const std::string& details,
                                                      TMessageStyle style, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(IconOf(style.icon), QString::fromLatin1(kApplicationTitle),
                                           QString::fromLocal8Bit(text), ButtonsOf(style.buttons), parent);
  if (style.destructive && (box->standardButtons() & QMessageBox::No)) {
    box->setDefaultButton(QMessageBox::No);
    box->setEscapeButton(QMessageBox::No);
  }
  if (!details.empty()) box->setDetailedText(QString::fromLocal8Bit(details));
  return box;
}

TMessageResult TQtMessagePort::ShowMessageBox(const std::string& text, TMessageStyle style, void* owner) {
  return ShowDetailedMessageBox(text, {}, style, owner);
}

TMessageResult TQtMessagePort::ShowDetailedMessageBox(const std::string& text, const std::string& details,
                                                      TMessageStyle style, void* owner) {
  QWidget* parent = owner ? static_cast<QWidget*>(owner) : QApplication::activeWindow();
  const std::unique_ptr<QMessageBox> box = BuildBox(text, details, style, parent);
  switch (box->exec()) {
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
