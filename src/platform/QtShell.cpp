#include "platform/QtShell.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>
#include <cstdio>
#include <exception>
#include <optional>

#include "store/UStartupEntry.h"

namespace {
QString q(const std::string& s) {
  return QString::fromLocal8Bit(s.c_str());
}
}  // namespace

bool TQtShell::OpenFolder(const std::string& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(q(path)));
}

bool TQtShell::OpenFile(const std::string& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(q(path)));
}

bool TQtShell::OpenUrl(const std::string& url) {
  return QDesktopServices::openUrl(QUrl(q(url)));
}

std::string TQtShell::StartupFolder() const {
  std::optional<std::string> xdg;
  if (qEnvironmentVariableIsSet("XDG_CONFIG_HOME")) xdg = qgetenv("XDG_CONFIG_HOME").toStdString();
  return AutostartFolder(xdg, QDir::homePath().toLocal8Bit().toStdString());
}

// The user is told nothing either way; a failure still leaves a trace for whoever looks.
bool TQtShell::WriteStartupEntry(const std::string& target, const std::string& description) {
  try {
    ::WriteStartupEntry(StartupFolder(), target, description);
    return true;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Quib: the start-with-login entry was not written: %s\n", e.what());
    return false;
  }
}

bool TQtShell::RemoveStartupEntry() {
  if (::RemoveStartupEntry(StartupFolder())) return true;
  std::fprintf(stderr, "Quib: the start-with-login entry %s/%s could not be removed\n",
               StartupFolder().c_str(), kStartupEntryName);
  return false;
}
