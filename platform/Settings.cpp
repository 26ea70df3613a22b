#include "platform/Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QUrl>

namespace tess {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }

// One value per project folder under the group ProjectCodePages. The key is the folder's full
// path, percent-encoded: a '/' in a key would open sub-groups.
QString CodePageKey(const std::string& projectFolder) {
  QFileInfo folder(Q(projectFolder));
  QString path = folder.canonicalFilePath();
  if (path.isEmpty()) path = QDir::cleanPath(folder.absoluteFilePath());
  return "ProjectCodePages/" + QString::fromLatin1(QUrl::toPercentEncoding(path));
}
}  // namespace

TSettings::TSettings()
    : values_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, "Velmont", "Tessaly")),
      placements_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, "Ostara", "Orvane")) {}

TSettings::TSettings(const std::string& valuesFile, const std::string& placementFile)
    : values_(std::make_unique<QSettings>(Q(valuesFile), QSettings::IniFormat)),
      placements_(std::make_unique<QSettings>(Q(placementFile), QSettings::IniFormat)) {}

TSettings::~TSettings() = default;

std::string TSettings::ReadString(const char* name, const std::string& def) const {
  const QVariant v = values_->value(name);
  return v.isValid() ? v.toString().toStdString() : def;
}

void TSettings::WriteString(const char* name, const std::string& value) { values_->setValue(name, Q(value)); }

bool TSettings::ReadBool(const char* name, bool def) const {
  const QVariant v = values_->value(name);
  if (!v.isValid()) return def;
  bool ok = false;
  const qlonglong n = v.toString().trimmed().toLongLong(&ok);
  return ok ? n != 0 : def;
}

void TSettings::WriteBool(const char* name, bool value) { values_->setValue(name, QString(value ? "1" : "0")); }

bool TSettings::Contains(const char* name) const { return values_->contains(name); }

std::string TSettings::ProjectCodePage(const std::string& projectFolder) const {
  return values_->value(CodePageKey(projectFolder)).toString().toStdString();
}

void TSettings::SetProjectCodePage(const std::string& projectFolder, const std::string& codePage) {
  values_->setValue(CodePageKey(projectFolder), Q(codePage));
}

std::string TSettings::ReadPlacement(const std::string& windowName) const {
  const QByteArray bytes = placements_->value(Q(windowName + "_Placement")).toByteArray();
  return bytes.toStdString();
}

void TSettings::WritePlacement(const std::string& windowName, const std::string& placement) {
  placements_->setValue(Q(windowName + "_Placement"), QByteArray::fromStdString(placement));
}

void TSettings::CopyFrom(const TSettings& other) {
  for (const auto& [to, from] :
       {std::pair{values_.get(), other.values_.get()}, {placements_.get(), other.placements_.get()}})
    for (const QString& key : from->allKeys()) to->setValue(key, from->value(key));
}

void TSettings::Sync() {
  values_->sync();
  placements_->sync();
}

}  // namespace tess
