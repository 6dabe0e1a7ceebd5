// One running program per data folder: the first start holds a lock on a file in the folder and
// listens for later starts, which ask it to show its control panel and end. The lock goes with
// the process, so a crashed run never blocks the next start.
#pragma once

#include <QObject>
#include <QString>
#include <string>

class QLocalServer;

class TSingleInstance : public QObject {
  Q_OBJECT
 public:
  explicit TSingleInstance(QObject* parent = nullptr);
  ~TSingleInstance() override;

  // True when this process is now the one program of the data folder. False when another one
  // runs: it has been asked to show its control panel (waiting up to timeoutMs for it to
  // listen, since it may still be starting).
  bool Acquire(const std::string& dataFolder, int timeoutMs = 5000);
  // The local socket name for a data folder: the same for every start in that folder.
  static QString ServerName(const std::string& dataFolder);

 signals:
  // A later start asked to see the control panel.
  void ShowRequested();

 private:
  void Listen(const QString& name);
  static bool AskRunningProgram(const QString& name, int timeoutMs);

  int lockFd_ = -1;
  QLocalServer* server_ = nullptr;
};
