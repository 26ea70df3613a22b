#include "ui/ManualPage.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "core/MessagePort.h"

namespace tess {

void OpenManualPage(QWidget* owner, const QString& section) {
  const QString page = QDir(QCoreApplication::applicationDirPath()).filePath("manual/index.html");
  QUrl url = QUrl::fromLocalFile(page);
  if (!section.isEmpty()) url.setFragment(section);
  if (!QFileInfo::exists(page) || !QDesktopServices::openUrl(url))
    ShowInformation(QString("The manual could not be opened. It is the file %1.").arg(page).toStdString(), owner);
}

}  // namespace tess
