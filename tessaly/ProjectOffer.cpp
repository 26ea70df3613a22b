#include "tessaly/ProjectOffer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "tessaly/EditorApplication.h"
#include "tessaly/FormLcfMain.h"
#include "editor/app/ProjectManager.h"
#include "ui/QtMessagePort.h"
#include "core/MessagePort.h"
#include "core/ProjectFolder.h"

namespace tess {

namespace {
QString Canonical(const QString& folder) { return QFileInfo(folder).canonicalFilePath(); }
std::string Text(const QString& text) { return text.toLocal8Bit().toStdString(); }
}  // namespace

bool OfferProject(TFormLcfMain& window, const QString& folder) {
  TProjectManager& projects = window.Projects();
  const QString path = QDir::cleanPath(folder);
  if (!QFileInfo(path).isDir()) {
    ShowError(Text(QString("The project folder \"%1\" does not exist.").arg(path)), MessageOwner(&window));
    return false;
  }
  const QString open = QDir::cleanPath(QFile::decodeName(QByteArray::fromStdString(ProjectFolder())));
  if (projects.IsOpen() && Canonical(open) == Canonical(path)) return true;
  const QString question = projects.IsOpen()
                               ? QString("Close the project \"%1\" and open the project \"%2\"?").arg(open, path)
                               : QString("Open the project \"%1\"?").arg(path);
  if (AskYesNo(Text(question), MessageOwner(&window)) != TMessageResult::Yes) return false;
  if (projects.IsOpen()) {
    window.Execute(TMainCommand::CloseProject);
    if (projects.IsOpen()) return false;
  }
  // This runs from the single-instance channel, outside any command's handler.
  try {
    projects.OpenProjectAt(QFile::encodeName(path).toStdString());
  } catch (...) {
    TEditorApplication::ReportException(std::current_exception());
  }
  window.UpdateCommandStates();
  return projects.IsOpen();
}

}  // namespace tess
