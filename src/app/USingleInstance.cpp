#include "app/USingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace {
constexpr char kLockName[] = ".quib.lock";
constexpr char kShowRequest[] = "show\n";
}  // namespace

TSingleInstance::TSingleInstance(QObject* parent) : QObject(parent) {}

TSingleInstance::~TSingleInstance() {
  if (lockFd_ >= 0) ::close(lockFd_);
}

QString TSingleInstance::ServerName(const std::string& dataFolder) {
  // The folder's canonical path, so that two ways of naming one folder meet; the user id,
  // since the socket lives in a folder every user shares.
  const QString folder = QString::fromLocal8Bit(dataFolder.c_str());
  QString canonical = QFileInfo(folder).canonicalFilePath();
  if (canonical.isEmpty()) canonical = QDir::cleanPath(QDir(folder).absolutePath());
  const QByteArray hash = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex();
  return QStringLiteral("quib-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash.left(16)));
}

bool TSingleInstance::Acquire(const std::string& dataFolder, int timeoutMs) {
  const QString name = ServerName(dataFolder);
  const std::string lockPath = dataFolder + kLockName;
  lockFd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (lockFd_ < 0) {
    // A folder that takes no lock file (read-only) cannot be shared safely either way; the
    // program runs, as it would without the lock.
    Listen(name);
    return true;
  }
  if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
    ::close(lockFd_);
    lockFd_ = -1;
    AskRunningProgram(name, timeoutMs);
    return false;
  }
  Listen(name);
  return true;
}

void TSingleInstance::Listen(const QString& name) {
  // Holding the lock, any socket of that name is a leftover of a crashed run.
  QLocalServer::removeServer(name);
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(name)) return;
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (socket->readAll().contains("show")) emit ShowRequested();
      });
    }
  });
}

bool TSingleInstance::AskRunningProgram(const QString& name, int timeoutMs) {
  const QDeadlineTimer deadline(timeoutMs);
  while (!deadline.hasExpired()) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (socket.waitForConnected(500)) {
      socket.write(kShowRequest);
      socket.waitForBytesWritten(1000);
      socket.disconnectFromServer();
      return true;
    }
    QThread::msleep(100);
  }
  return false;
}
