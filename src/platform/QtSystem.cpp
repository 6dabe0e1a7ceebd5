#include "platform/QtSystem.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDateTime>

std::string TQtSystem::ExecutablePath() const {
  return QCoreApplication::applicationFilePath().toLocal8Bit().toStdString();
}

std::string TQtSystem::ApplicationFolder() const {
  std::string folder = QCoreApplication::applicationDirPath().toLocal8Bit().toStdString();
  if (folder.empty() || folder.back() != '/') folder.push_back('/');
  return folder;
}

std::optional<std::string> TQtSystem::Environment(const std::string& name) const {
  if (!qEnvironmentVariableIsSet(name.c_str())) return std::nullopt;
  return qgetenv(name.c_str()).toStdString();
}

uint64_t TQtSystem::ClockSeed() const {
  return static_cast<uint64_t>(QDateTime::currentMSecsSinceEpoch()) ^
         (static_cast<uint64_t>(::getpid()) << 32);
}
