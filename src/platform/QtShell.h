// The desktop's shell on Linux: files, folders and web addresses open through Qt (xdg-open or
// the desktop portal); the session start entry is the freedesktop autostart file.
#pragma once

#include "platform/Shell.h"

class TQtShell : public Shell {
 public:
  bool OpenFolder(const std::string& path) override;
  bool OpenFile(const std::string& path) override;
  bool OpenUrl(const std::string& url) override;
  std::string StartupFolder() const override;
  bool WriteStartupEntry(const std::string& target, const std::string& description) override;
  bool RemoveStartupEntry() override;
};
