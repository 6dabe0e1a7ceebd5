#include "app/USessionEnd.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>

namespace {
int pipeFds[2] = {-1, -1};
bool requested = false;

void onSignal(int sig) {
  const int saved = errno;
  const unsigned char byte = static_cast<unsigned char>(sig);
  [[maybe_unused]] const ssize_t n = ::write(pipeFds[1], &byte, 1);
  errno = saved;
}
}  // namespace

TSessionEnd::TSessionEnd(QObject* parent) : QObject(parent) {
  if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier_ = new QSocketNotifier(pipeFds[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TSessionEnd::onReadable);
  struct sigaction sa {};
  sa.sa_handler = onSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGHUP, SIGINT}) ::sigaction(sig, &sa, nullptr);
}

TSessionEnd::~TSessionEnd() {
  struct sigaction sa {};
  sa.sa_handler = SIG_DFL;
  for (int sig : {SIGTERM, SIGHUP, SIGINT}) ::sigaction(sig, &sa, nullptr);
}

void TSessionEnd::onReadable() {
  unsigned char byte = 0;
  int last = 0;
  while (::read(pipeFds[0], &byte, 1) == 1) last = byte;
  if (!last) return;
  requested = true;
  emit Ended(last);
}

bool TSessionEnd::Requested() {
  return requested;
}
