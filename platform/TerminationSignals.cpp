#include "platform/TerminationSignals.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

namespace tess {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP};
// The write end for the handler; a handler may only do async-signal-safe work, so it passes the
// signal's number on through a socket that the event loop watches.
volatile sig_atomic_t writeFd = -1;

void OnSignal(int number) {
  const int saved = errno;
  const unsigned char byte = static_cast<unsigned char>(number);
  if (writeFd >= 0) (void)!::write(writeFd, &byte, 1);
  errno = saved;
}

}  // namespace

TTerminationSignals::TTerminationSignals(QObject* parent) : QObject(parent) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds_) != 0) return;
  notifier_ = new QSocketNotifier(fds_[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TTerminationSignals::Read);
  writeFd = fds_[0];
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int number : kSignals) ::sigaction(number, &action, nullptr);
}

TTerminationSignals::~TTerminationSignals() {
  if (fds_[0] < 0) return;
  for (int number : kSignals) std::signal(number, SIG_DFL);
  writeFd = -1;
  ::close(fds_[0]);
  ::close(fds_[1]);
}

void TTerminationSignals::Read() {
  unsigned char byte;
  while (::read(fds_[1], &byte, 1) == 1) emit requested(byte);
}

}  // namespace tess
