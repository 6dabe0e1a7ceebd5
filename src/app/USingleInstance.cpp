#include "app/USingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
constexpr char kLockName[] = ".quib.lock";
constexpr char kShowRequest[] = "show\n";

// The user's runtime folder when it is what the XDG rules promise: an absolute path to a folder
// of this user that nobody else can write into.
QString privateRuntimeFolder() {
  const QByteArray dir = qgetenv("XDG_RUNTIME_DIR");
  if (dir.isEmpty() || dir.front() != '/') return QString();
  struct stat st {};
  if (::stat(dir.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
      (st.st_mode & 077) != 0)
    return QString();
  return QString::fromLocal8Bit(dir);
}

// Whether the other end of a connected local socket runs as this user.
bool peerIsThisUser(qintptr fd) {
  struct ucred cred {};
  socklen_t size = sizeof cred;
  return fd >= 0 && ::getsockopt(static_cast<int>(fd), SOL_SOCKET, SO_PEERCRED, &cred, &size) == 0 &&
         cred.uid == ::getuid();
}
}  // namespace

TSingleInstance::TSingleInstance(QObject* parent) : QObject(parent) {}

TSingleInstance::~TSingleInstance() {
  if (lockFd_ >= 0) ::close(lockFd_);
}

TSingleInstance::TAddress TSingleInstance::ServerAddress(const std::string& dataFolder) {
  // The folder's canonical path, so that two ways of naming one folder meet.
  const QString folder = QString::fromLocal8Bit(dataFolder.c_str());
  QString canonical = QFileInfo(folder).canonicalFilePath();
  if (canonical.isEmpty()) canonical = QDir::cleanPath(QDir(folder).absolutePath());
  const QString hash = QString::fromLatin1(
      QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
  const QString runtime = privateRuntimeFolder();
  if (!runtime.isEmpty()) return {runtime + QStringLiteral("/quib-") + hash, false};
  // Anyone may bind an abstract name, so the peer's user is checked on both ends.
  return {QStringLiteral("quib-%1-%2").arg(::getuid()).arg(hash), true};
}

bool TSingleInstance::Acquire(const std::string& dataFolder, int timeoutMs) {
  const TAddress address = ServerAddress(dataFolder);
  const std::string lockPath = dataFolder + kLockName;
  lockFd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  // flock works on a read-only descriptor too: a lock file of another user in a shared folder,
  // a folder of that name, a read-only data folder that has one.
  if (lockFd_ < 0) lockFd_ = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC);
  int err = lockFd_ < 0 ? errno : 0;
  if (lockFd_ >= 0 && ::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
    err = errno;
    ::close(lockFd_);
    lockFd_ = -1;
    if (err == EWOULDBLOCK) {
      AskRunningProgram(address, timeoutMs);
      return false;
    }
  }
  if (lockFd_ < 0) {
    warning_ = "Quib cannot lock \"" + lockPath + "\" (" + std::strerror(err) +
               "), so it cannot tell whether another Quib uses this data folder. Two Quibs on one folder "
               "undo each other's changes: keep to one.";
    std::fprintf(stderr, "Quib: %s\n", warning_.c_str());
    // A running Quib that answers is the one program of the folder.
    if (AskRunningProgram(address, 500)) return false;
    Listen(address, false);
    return true;
  }
  Listen(address, true);
  return true;
}

void TSingleInstance::Listen(const TAddress& address, bool owned) {
  if (owned && !address.Abstract) QLocalServer::removeServer(address.Name);
  server_ = new QLocalServer(this);
  server_->setSocketOptions(address.Abstract ? QLocalServer::AbstractNamespaceOption
                                             : QLocalServer::UserAccessOption);
  if (!server_->listen(address.Name)) {
    std::fprintf(stderr, "Quib: cannot listen on %s%s (%s); a second start will not find this one\n",
                 address.Abstract ? "@" : "", qPrintable(address.Name), qPrintable(server_->errorString()));
    return;
  }
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      if (!peerIsThisUser(socket->socketDescriptor())) {
        socket->abort();
        socket->deleteLater();
        continue;
      }
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (socket->readAll().contains("show")) emit ShowRequested();
      });
    }
  });
}

bool TSingleInstance::AskRunningProgram(const TAddress& address, int timeoutMs) {
  const QDeadlineTimer deadline(timeoutMs);
  do {
    QLocalSocket socket;
    if (address.Abstract) socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(address.Name);
    if (socket.waitForConnected(500)) {
      if (!peerIsThisUser(socket.socketDescriptor())) {
        std::fprintf(stderr, "Quib: %s is held by another user's program; not asking it\n",
                     qPrintable(address.Name));
        return false;
      }
      socket.write(kShowRequest);
      socket.waitForBytesWritten(1000);
      socket.disconnectFromServer();
      return true;
    }
    QThread::msleep(100);
  } while (!deadline.hasExpired());
  return false;
}
