// The folder watch on Linux: inotify, read when its descriptor turns readable, so nothing runs
// while nothing changes. A burst of changes (a sync tool writing a temporary file and renaming
// it, several notes arriving at once) is told in one report, kCoalesceMs after its first change.
#pragma once

#include <QObject>
#include <QTimer>
#include <map>
#include <string>
#include <vector>

#include "platform/FolderWatch.h"

class QSocketNotifier;

class TQtFolderWatch : public QObject, public FolderWatch {
 public:
  explicit TQtFolderWatch(QObject* parent = nullptr);
  ~TQtFolderWatch() override;

  void SetHandler(TChanged changed) override { changed_ = std::move(changed); }
  bool Watch(const std::string& folder) override;
  void Unwatch(const std::string& folder) override;
  void SetRescan(int intervalMs, std::function<void()> rescan) override;

  static constexpr int kCoalesceMs = 150;

 private:
  struct TPending {
    std::string Folder;
    std::vector<std::string> Names;
  };
  void onReadable();
  void note(const std::string& folder, std::string name);
  void forget(int wd);
  void report();

  int fd_ = -1;
  QSocketNotifier* notifier_ = nullptr;
  std::map<int, std::string> folders_;  // by watch descriptor
  std::vector<TPending> pending_;
  QTimer coalesce_;
  QTimer rescanTimer_;
  std::function<void()> rescan_;
  TChanged changed_;
};
