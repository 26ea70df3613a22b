#pragma once
// The signals that end a session from outside (SIGTERM from a kill or a shutdown, SIGHUP when the
// terminal or the login session goes) reach the event loop as a Qt signal, so that the editor can
// keep its unsaved work before it ends instead of dying mid-edit or ignoring them. One watcher at a
// time; the default dispositions come back when it is destroyed.

#include <QObject>

class QSocketNotifier;

namespace tess {

class TTerminationSignals : public QObject {
  Q_OBJECT
 public:
  explicit TTerminationSignals(QObject* parent = nullptr);
  ~TTerminationSignals() override;

 signals:
  // On the event loop, once per signal received.
  void requested(int signalNumber);

 private:
  void Read();
  int fds_[2] = {-1, -1};
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace tess
