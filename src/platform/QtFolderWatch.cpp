#include "platform/QtFolderWatch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>

namespace {
// Written-and-closed rather than every write: a report comes when a writer is done, and a sync
// tool's rename into place is a move. The folder's own end ends its watch.
constexpr uint32_t kEvents = IN_CREATE | IN_CLOSE_WRITE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE |
                             IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR | IN_EXCL_UNLINK;
}  // namespace

TQtFolderWatch::TQtFolderWatch(QObject* parent) : QObject(parent) {
  coalesce_.setSingleShot(true);
  coalesce_.setInterval(kCoalesceMs);
  connect(&coalesce_, &QTimer::timeout, this, &TQtFolderWatch::report);
  connect(&rescanTimer_, &QTimer::timeout, this, [this] {
    if (rescan_) rescan_();
  });
  fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd_ < 0) return;  // no inotify: Watch refuses, the rescan remains
  notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TQtFolderWatch::onReadable);
}

TQtFolderWatch::~TQtFolderWatch() {
  delete notifier_;  // before its descriptor goes
  if (fd_ >= 0) ::close(fd_);
}

bool TQtFolderWatch::Watch(const std::string& folder) {
  if (fd_ < 0) return false;
  for (const auto& [wd, watched] : folders_)
    if (watched == folder) return true;
  const int wd = ::inotify_add_watch(fd_, folder.c_str(), kEvents);
  if (wd < 0) return false;
  folders_[wd] = folder;
  return true;
}

void TQtFolderWatch::Unwatch(const std::string& folder) {
  for (auto it = folders_.begin(); it != folders_.end(); ++it) {
    if (it->second != folder) continue;
    ::inotify_rm_watch(fd_, it->first);
    folders_.erase(it);
    break;
  }
  std::erase_if(pending_, [&](const TPending& p) { return p.Folder == folder; });
}

void TQtFolderWatch::SetRescan(int intervalMs, std::function<void()> rescan) {
  rescan_ = std::move(rescan);
  rescanTimer_.stop();
  if (intervalMs > 0 && rescan_) rescanTimer_.start(intervalMs);
}

void TQtFolderWatch::note(const std::string& folder, std::string name) {
  auto p =
      std::find_if(pending_.begin(), pending_.end(), [&](const TPending& q) { return q.Folder == folder; });
  if (p == pending_.end()) p = pending_.insert(pending_.end(), TPending{folder, {}});
  if (std::find(p->Names.begin(), p->Names.end(), name) == p->Names.end())
    p->Names.push_back(std::move(name));
  // From the first change of a burst, not the last: a steady stream is still told.
  if (!coalesce_.isActive()) coalesce_.start();
}

void TQtFolderWatch::forget(int wd) {
  ::inotify_rm_watch(fd_, wd);
  folders_.erase(wd);
}

void TQtFolderWatch::onReadable() {
  alignas(inotify_event) char buffer[16 * 1024];
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, sizeof buffer);
    if (n <= 0) {
      if (n < 0 && errno == EINTR) continue;
      return;  // EAGAIN: all read
    }
    for (ssize_t at = 0; at < n;) {
      const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
      at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
      if (e->mask & IN_Q_OVERFLOW) {
        for (const auto& [wd, folder] : folders_) note(folder, std::string());
        continue;
      }
      const auto it = folders_.find(e->wd);
      if (it == folders_.end()) continue;  // unwatched while the event was queued
      const std::string folder = it->second;
      if (e->mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT)) {
        // A moved folder's watch would follow it to its new place: end it, the owner looks again.
        forget(e->wd);
        note(folder, std::string());
      } else if (e->len > 0) {
        note(folder, std::string(e->name));
      }
    }
  }
}

void TQtFolderWatch::report() {
  std::vector<TPending> reports;
  reports.swap(pending_);
  if (!changed_) return;
  for (const TPending& r : reports) changed_(r.Folder, r.Names);
}
