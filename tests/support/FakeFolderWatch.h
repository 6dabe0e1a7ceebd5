// A scripted folder watch for tests: the test tells which changes happened, and runs the rescan.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/FolderWatch.h"

class FakeFolderWatch : public FolderWatch {
 public:
  void SetHandler(TChanged handler) override { changed = std::move(handler); }
  bool Watch(const std::string& folder) override {
    if (!watchable) return false;
    watched.insert(folder);
    return true;
  }
  void Unwatch(const std::string& folder) override { watched.erase(folder); }
  void SetRescan(int intervalMs, std::function<void()> hook) override {
    rescanMs = intervalMs;
    rescan = std::move(hook);
  }

  // What the real watch would report after changes in a watched folder.
  void Report(const std::string& folder, const std::vector<std::string>& names) const {
    if (changed && watched.count(folder)) changed(folder, names);
  }
  void RunRescan() const {
    if (rescan && rescanMs > 0) rescan();
  }

  bool watchable = true;  // false: every Watch is refused, as on a file system without events
  std::set<std::string> watched;
  int rescanMs = 0;
  TChanged changed;
  std::function<void()> rescan;
};
