// Seam: what the program asks of the desktop's shell: opening folders, files and web addresses
// with the desktop's own programs, and the entry that starts Quib with the session.
#pragma once

#include <functional>
#include <string>

class Shell {
 public:
  // Run when an opener that started reports, a moment later, that it could not open its target.
  using TOpenFailed = std::function<void()>;

  virtual ~Shell() = default;
  // Each is false when no opener could be started; failed (may be empty) runs later when one
  // started and then could not open the target.
  virtual bool OpenFolder(const std::string& path, TOpenFailed failed) = 0;
  virtual bool OpenFile(const std::string& path, TOpenFailed failed) = 0;
  virtual bool OpenUrl(const std::string& url, TOpenFailed failed) = 0;
  // The per-user folder of programs started with the desktop session.
  virtual std::string StartupFolder() const = 0;
  // Writes the start-with-login entry for target, replacing an older one; raises EQuibError,
  // naming the file and the reason, when it cannot (an older entry then stays as it was).
  virtual void WriteStartupEntry(const std::string& target, const std::string& description) = 0;
  // Removes the entry when there is one; raises EQuibError, naming it and the reason, when it stays.
  virtual void RemoveStartupEntry() = 0;
  // True when there is an entry: the next login starts Quib.
  virtual bool HasStartupEntry() const = 0;
};
