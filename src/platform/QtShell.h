// The desktop's shell on Linux: files, folders and web addresses open with the desktop's opener
// (xdg-open, whose answer tells whether it could; Qt's own way where it is missing); the session
// start entry is the freedesktop autostart file.
#pragma once

#include "platform/Shell.h"

class TQtShell : public Shell {
 public:
  bool OpenFolder(const std::string& path, TOpenFailed failed) override;
  bool OpenFile(const std::string& path, TOpenFailed failed) override;
  bool OpenUrl(const std::string& url, TOpenFailed failed) override;
  std::string StartupFolder() const override;
  void WriteStartupEntry(const std::string& target, const std::string& description) override;
  void RemoveStartupEntry() override;
  bool HasStartupEntry() const override;

  // How long after its start an opener's failure is still told: one that stays longer runs the
  // program it opened, and its end says nothing about the opening.
  static constexpr int kFailureWindowMs = 10000;
};
