#include "platform/QtShell.h"

#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <filesystem>
#include <optional>
#include <system_error>

#include "store/UStartupEntry.h"

namespace {
QString q(const std::string& s) {
  return QString::fromLocal8Bit(s.c_str());
}

bool open(const QUrl& url, Shell::TOpenFailed failed) {
  // Qt's own opener hides whether xdg-open could open the target.
  const QString opener = QStandardPaths::findExecutable("xdg-open");
  if (opener.isEmpty()) return QDesktopServices::openUrl(url);
  // Never deleted while it runs: an opener may run the program it opened until that ends, and
  // the end of Quib must not end that program with it.
  auto* process = new QProcess;
  process->setProcessChannelMode(QProcess::ForwardedChannels);
  QElapsedTimer started;
  started.start();
  QObject::connect(process, &QProcess::finished, process,
                   [process, started, failed = std::move(failed)](int code, QProcess::ExitStatus status) {
                     const bool told = started.elapsed() < TQtShell::kFailureWindowMs;
                     process->deleteLater();
                     if ((status != QProcess::NormalExit || code != 0) && told && failed) failed();
                   });
  process->start(opener, {url.isLocalFile() ? url.toLocalFile() : url.toString()});
  if (process->waitForStarted()) return true;
  delete process;
  return false;
}
}  // namespace

bool TQtShell::OpenFolder(const std::string& path, TOpenFailed failed) {
  return open(QUrl::fromLocalFile(q(path)), std::move(failed));
}

bool TQtShell::OpenFile(const std::string& path, TOpenFailed failed) {
  return open(QUrl::fromLocalFile(q(path)), std::move(failed));
}

bool TQtShell::OpenUrl(const std::string& url, TOpenFailed failed) {
  return open(QUrl(q(url)), std::move(failed));
}

std::string TQtShell::StartupFolder() const {
  std::optional<std::string> xdg;
  if (qEnvironmentVariableIsSet("XDG_CONFIG_HOME")) xdg = qgetenv("XDG_CONFIG_HOME").toStdString();
  return AutostartFolder(xdg, QDir::homePath().toLocal8Bit().toStdString());
}

void TQtShell::WriteStartupEntry(const std::string& target, const std::string& description) {
  ::WriteStartupEntry(StartupFolder(), target, description);
}

void TQtShell::RemoveStartupEntry() {
  ::RemoveStartupEntry(StartupFolder());
}

bool TQtShell::HasStartupEntry() const {
  // Through a link to where it leads: a dangling one starts nothing.
  std::error_code ec;
  return std::filesystem::exists(StartupFolder() + "/" + kStartupEntryName, ec);
}
