#include "editor/app/ProjectNameFields.h"

#include <QFile>
#include <QFormLayout>
#include <QLineEdit>

#include "platform/TextCodec.h"
#include "project/ProjectNames.h"
#include "ui/StoredTextField.h"

namespace tess {

TProjectNameFields::TProjectNameFields(const std::string& folderName, const std::string& gameTitle, QWidget* owner)
    : folder(new QLineEdit(QFile::decodeName(QByteArray::fromStdString(folderName)), owner)),
      title(new QLineEdit(TextCodec::Current().ToUnicode(gameTitle), owner)),
      layout(new QFormLayout) {
  folder->setObjectName("FolderEdit");
  folder->setMaxLength(kMaxProjectNameLength);
  title->setObjectName("TitleEdit");
  title->setMaxLength(kMaxProjectNameLength);
  GuardStoredText(title);
  layout->addRow("Directory Name", folder);
  layout->addRow("Game Name", title);
}

std::string TProjectNameFields::FolderName() const { return QFile::encodeName(folder->text()).toStdString(); }

std::string TProjectNameFields::GameTitle() const { return TextCodec::Current().FromUnicode(title->text()); }

}  // namespace tess
