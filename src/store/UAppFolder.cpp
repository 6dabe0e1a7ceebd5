#include "store/UAppFolder.h"

#include "store/UFileUtil.h"

namespace {
std::string& folderRef() {
  static std::string folder = "./";
  return folder;
}
}  // namespace

void SetAppFolder(const std::string& folder) {
  std::string f = folder;
  if (f.empty() || f.back() != PathDelim) f.push_back(PathDelim);
  folderRef() = f;
}

const std::string& AppFolder() { return folderRef(); }

namespace {
std::string& iconFolderRef() {
  static std::string folder;
  return folder;
}
}  // namespace

void SetTrayIconFolder(const std::string& folder) {
  iconFolderRef() = folder;
}

std::string TrayIconFolder() {
  return iconFolderRef().empty() ? AppFolder() + "tray_icons" : iconFolderRef();
}
