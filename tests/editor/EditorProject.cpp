#include "EditorProject.h"

#include <QFile>

#include "tests/SampleProject.h"

namespace tess::test {

void TEditorProject::Make(const std::string& ini) { WriteSampleProject(Folder(), ini); }

std::string TEditorProject::RuntimeRecord() const {
  QFile file(QString::fromStdString(Folder() + "runtime-record.txt"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll().toStdString();
}

}  // namespace tess::test
