// Seam: what the program asks of the desktop's shell: opening folders, files and web addresses
// with the desktop's own programs, and the entry that starts Quib with the session.
#pragma once

#include <string>

class Shell {
 public:
  virtual ~Shell() = default;
  // Each is true when the desktop took the request (it may still fail to show anything).
  virtual bool OpenFolder(const std::string& path) = 0;
  virtual bool OpenFile(const std::string& path) = 0;
  virtual bool OpenUrl(const std::string& url) = 0;
  // The per-user folder of programs started with the desktop session.
  virtual std::string StartupFolder() const = 0;
  // Writes the start-with-login entry for target, replacing an older one; false when it could not.
  virtual bool WriteStartupEntry(const std::string& target, const std::string& description) = 0;
  // Removes the entry when there is one; false when it stays.
  virtual bool RemoveStartupEntry() = 0;
};
