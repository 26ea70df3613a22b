#include "platform/SingleInstance.h"

#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <cctype>
#include <memory>

namespace tess {

namespace {
// One line: "activate", then a blank and the project folder (as file-name bytes, percent-encoded
// so that no byte of it ends the line) when there is one.
constexpr char kActivate[] = "activate";

QByteArray Request(const QString& projectFolder) {
  QByteArray line = kActivate;
  if (!projectFolder.isEmpty()) line += " " + QFile::encodeName(projectFolder).toPercentEncoding("/");
  return line + "\n";
}

QString FolderOf(const QByteArray& line) {
  const int blank = line.indexOf(' ');
  if (blank < 0) return {};
  return QFile::decodeName(QByteArray::fromPercentEncoding(line.mid(blank + 1).trimmed()));
}

QString InstanceFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::tempPath();
  return folder;
}
// The display the editor shows on: two sessions of one user on two displays (a desktop and a
// remote one) each have their own editor.
QString DisplayTag() {
  QByteArray display = qgetenv("WAYLAND_DISPLAY");
  if (display.isEmpty()) display = qgetenv("DISPLAY");
  QString tag;
  for (char c : display) tag += std::isalnum(static_cast<unsigned char>(c)) ? QChar(c) : QChar('_');
  return tag.isEmpty() ? QString("none") : tag;
}
}  // namespace

TSingleInstance::TSingleInstance(const QString& name, QObject* parent) : QObject(parent) {
  const QString base = InstanceFolder() + "/" + name + "-" + QString::number(::getuid()) + "-" + DisplayTag();
  lockPath_ = base + ".lock";
  socketPath_ = base + ".socket";
}

TSingleInstance::~TSingleInstance() { Release(); }

bool TSingleInstance::IsHeld() const { return lock_ && lock_->isLocked(); }

bool TSingleInstance::Acquire(const QString& projectFolder) {
  if (IsHeld()) return true;
  lock_ = std::make_unique<QLockFile>(lockPath_);
  // Never stale by age: only a lock whose process is gone is taken over.
  lock_->setStaleLockTime(0);
  if (lock_->tryLock(0)) {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(socketPath_);
    server_->listen(socketPath_);
    connect(server_, &QLocalServer::newConnection, this, &TSingleInstance::OnNewConnection);
    return true;
  }
  lock_.reset();
  // The first instance may hold the lock but not listen yet: try for a moment.
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < 2000) {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (socket.waitForConnected(500)) {
      socket.write(Request(projectFolder));
      socket.waitForBytesWritten(1000);
      socket.disconnectFromServer();
      break;
    }
    QThread::msleep(50);
  }
  return false;
}

void TSingleInstance::Release() {
  if (server_) {
    server_->close();
    delete server_;
    server_ = nullptr;
  }
  if (lock_) {
    lock_->unlock();
    lock_.reset();
  }
}

void TSingleInstance::OnNewConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    // The request may arrive in pieces.
    auto received = std::make_shared<QByteArray>();
    auto check = [this, socket, received] {
      received->append(socket->readAll());
      // A request is one short line; anything longer is not ours.
      if (received->size() > 64 * 1024) {
        received->clear();
        socket->abort();
        return;
      }
      const int end = received->indexOf('\n');
      if (end < 0) return;
      const QByteArray line = received->left(end);
      received->clear();
      if (line == kActivate || line.startsWith(QByteArray(kActivate) + ' ')) emit activationRequested(FolderOf(line));
    };
    connect(socket, &QLocalSocket::readyRead, this, check);
    if (socket->bytesAvailable() > 0) check();
  }
}

}  // namespace tess
