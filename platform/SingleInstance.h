#pragma once
// One editor per user and display: the first start holds a lock file and listens on a local socket; a later
// start finds the lock taken, asks the first one to come forward (passing on the project folder
// it was started with, if any), and ends without a message.

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLockFile;

namespace tess {

class TSingleInstance : public QObject {
  Q_OBJECT
 public:
  // name distinguishes independent locks; the user id is added so users never meet.
  explicit TSingleInstance(const QString& name = "LcfMutex", QObject* parent = nullptr);
  ~TSingleInstance() override;

  // True when this is the first instance: it now holds the lock (until Release or destruction)
  // and emits activationRequested whenever a later start asks. False when another instance holds
  // the lock; that one has then been asked to come forward, and to offer projectFolder when it is
  // not empty. A lock left by a process that died is taken over.
  bool Acquire(const QString& projectFolder = {});
  void Release();
  bool IsHeld() const;

 signals:
  // A later start asks to come forward; projectFolder is the folder it was started with (an
  // absolute path), or empty.
  void activationRequested(const QString& projectFolder);

 private:
  void OnNewConnection();
  QString lockPath_;
  QString socketPath_;
  std::unique_ptr<QLockFile> lock_;
  QLocalServer* server_ = nullptr;
};

}  // namespace tess
