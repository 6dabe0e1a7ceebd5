// One running program per data folder: the first start holds a lock on a file in the folder and
// listens for later starts, which ask it to show its control panel and end. The lock goes with
// the process, so a crashed run never blocks the next start. The socket lives where only this
// user can make it ($XDG_RUNTIME_DIR, else Linux's abstract namespace), and both ends check that
// the other runs as this user.
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
  // What the user must be told: that no lock could be had at all. Empty otherwise.
  const std::string& Warning() const { return warning_; }

  // Where the socket of a data folder is: the same for every start in that folder.
  struct TAddress {
    QString Name;           // a path in $XDG_RUNTIME_DIR, or an abstract name
    bool Abstract = false;  // Linux's abstract namespace: no file anyone could take first
  };
  static TAddress ServerAddress(const std::string& dataFolder);

 signals:
  // A later start asked to see the control panel.
  void ShowRequested();

 private:
  // owned: this process holds the lock, so a socket file of that name is a crashed run's.
  void Listen(const TAddress& address, bool owned);
  static bool AskRunningProgram(const TAddress& address, int timeoutMs);

  int lockFd_ = -1;
  QLocalServer* server_ = nullptr;
  std::string warning_;
};
