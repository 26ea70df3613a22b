#include "platform/ShellServices.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <cerrno>
#include <string>
#include <vector>

#include "core/PathUtils.h"
#include "core/ProjectFolder.h"

namespace tess {

namespace {

// The nearest existing folder of path, for volume queries.
QString ExistingAncestor(const std::string& path) {
  QFileInfo info(QString::fromStdString(path));
  QString p = info.absoluteFilePath();
  while (!p.isEmpty() && !QFileInfo::exists(p)) {
    const QString parent = QFileInfo(p).absolutePath();
    if (parent == p) break;
    p = parent;
  }
  return p;
}

QString SysBlockName(const QByteArray& device) {
  // /dev/sdb1 -> sdb: the whole disk that /sys/block describes.
  QString name = QFileInfo(QString::fromUtf8(device)).fileName();
  if (name.startsWith("sd") || name.startsWith("vd") || name.startsWith("hd")) {
    while (!name.isEmpty() && name.back().isDigit()) name.chop(1);
  }
  return name;
}

bool IsFloppyVolume(const QStorageInfo& info) {
  if (!info.isValid()) return false;
  const QByteArray device = info.device();
  if (device.startsWith("/dev/fd")) return true;
  if (!device.startsWith("/dev/")) return false;
  QFile removable("/sys/block/" + SysBlockName(device) + "/removable");
  if (!removable.open(QIODevice::ReadOnly) || removable.readAll().trimmed() != "1") return false;
  return info.bytesTotal() > 0 && info.bytesTotal() <= 2949120;
}

}  // namespace

std::string ApplicationFolder() { return WithTrailingBackslash(QCoreApplication::applicationDirPath().toStdString()); }

std::string PrepareScratchFolder() {
  const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
  std::string folder;
  if (!runtime.isEmpty() && QFileInfo(QString::fromLocal8Bit(runtime)).isDir())
    folder = WithTrailingBackslash(runtime.toStdString()) + "TESS_TEMP";
  else
    folder = TempFolder() + "TESS_TEMP-" + std::to_string(::getuid());
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return {};
  // Someone else's folder or a link in a shared temporary folder could redirect our work copies.
  struct stat st;
  if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) return {};
  if ((st.st_mode & 077) != 0) ::chmod(folder.c_str(), 0700);
  SetScratchFolder(folder);
  return ScratchFolder();
}

bool DriveExists(const std::string& path) {
  // An existing folder on the way to the path lies on a mounted volume, whether or not the mount
  // table can name it (it cannot inside a chroot or some containers).
  return !ExistingAncestor(path).isEmpty();
}

bool DriveHasMedia(const std::string& path) {
  const QString existing = ExistingAncestor(path);
  if (existing.isEmpty()) return false;
  QStorageInfo info(existing);
  if (info.isValid() && !info.isReady()) return false;
  // Where the mount table cannot place the path, the folder itself stands for the volume.
  const QString root = info.isValid() ? info.rootPath() : existing;
  return !QDir(root).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).isEmpty();
}

bool IsFloppyDrive(const std::string& path) { return IsFloppyVolume(QStorageInfo(ExistingAncestor(path))); }

bool IsCdRomDrive(const std::string& path) {
  QStorageInfo info(ExistingAncestor(path));
  if (!info.isValid()) return false;
  const QByteArray type = info.fileSystemType().toLower();
  return info.device().startsWith("/dev/sr") || info.device().startsWith("/dev/cdrom") || type == "iso9660" ||
         type == "udf";
}

std::string FindFloppyDrive() {
  for (const QStorageInfo& info : QStorageInfo::mountedVolumes()) {
    if (IsFloppyVolume(info)) {
      std::string root = info.rootPath().toStdString();
      return StripTrailingSlashes(root);
    }
  }
  return {};
}

QRect KeepOnScreen(const QRect& frame, const QRect& area) {
  QRect r = frame;
  if (r.right() > area.right()) r.moveRight(area.right());
  if (r.bottom() > area.bottom()) r.moveBottom(area.bottom());
  if (r.left() < area.left()) r.moveLeft(area.left());
  if (r.top() < area.top()) r.moveTop(area.top());
  return r;
}

QRect PlaceInOwner(const QSize& size, const QPoint& ownerClientOrigin, int dx, int dy, const QRect& area) {
  return KeepOnScreen(QRect(ownerClientOrigin + QPoint(dx, dy), size), area);
}

QRect CenterOnOwner(const QSize& size, const QRect& ownerFrame, const QRect& area) {
  const QPoint topLeft(ownerFrame.x() + (ownerFrame.width() - size.width()) / 2,
                       ownerFrame.y() + (ownerFrame.height() - size.height()) / 2);
  return KeepOnScreen(QRect(topLeft, size), area);
}

void RefreshMouseCursor() { QCursor::setPos(QCursor::pos()); }

}  // namespace tess
