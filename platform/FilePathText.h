#pragma once
// File names between the models (bytes as the file system has them) and the widgets (text).

#include <QFile>
#include <QString>
#include <string>

namespace tess {

inline std::string ToPath(const QString& text) { return QFile::encodeName(text).toStdString(); }
inline QString FromPath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

}  // namespace tess
