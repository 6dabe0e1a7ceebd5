// Seam: news of entries of a folder changing, whoever changed them, so the notes store learns
// of a note text or a notes file that a folder-sync tool brought while the program runs.
#pragma once

#include <functional>
#include <string>
#include <vector>

class FolderWatch {
 public:
  // folder: as it was given to Watch. names: the bare names of the entries created, written,
  // renamed in or out, or removed since the last report, each once, in the order they first
  // changed. An empty name means anything in the folder may have changed (news was lost, or the
  // folder itself was moved or removed and is no longer watched): look at it whole.
  using TChanged = std::function<void(const std::string& folder, const std::vector<std::string>& names)>;

  virtual ~FolderWatch() = default;
  virtual void SetHandler(TChanged changed) = 0;
  // Reports changes in the folder from now on; true when it is watched. False when it cannot be
  // (missing, not a folder, the system's watches used up): only the rescan tells of it then.
  virtual bool Watch(const std::string& folder) = 0;
  virtual void Unwatch(const std::string& folder) = 0;
  // The slow fallback, for file systems that tell nothing of changes made elsewhere (network
  // mounts, some FUSE ones) and for folders Watch refused: rescan runs every intervalMs until it
  // is set again; 0 stops it.
  virtual void SetRescan(int intervalMs, std::function<void()> rescan) = 0;
};
