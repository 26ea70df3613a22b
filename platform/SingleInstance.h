#pragma once
// One editor per user: the first start holds a lock file and listens on a local socket; a later
// start finds the lock taken, asks the first one to come forward, and ends without a message.

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
  // the lock; that one has then been asked to come forward. A lock left by a process that died is
  // taken over.
  bool Acquire();
  void Release();
  bool IsHeld() const;

 signals:
  void activationRequested();

 private:
  void OnNewConnection();
  QString lockPath_;
  QString socketPath_;
  std::unique_ptr<QLockFile> lock_;
  QLocalServer* server_ = nullptr;
};

}  // namespace tess
