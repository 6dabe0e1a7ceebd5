#include "store/UDataFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "store/UFileUtil.h"
#include "store/UQuibError.h"

namespace {
namespace fs = std::filesystem;

// Exactly one separator at the end: "/a/b///" -> "/a/b/", "/" stays "/".
std::string withTrailingDelim(std::string folder) {
  while (!folder.empty() && folder.back() == PathDelim) folder.pop_back();
  folder.push_back(PathDelim);
  return folder;
}

// The XDG rules ignore a variable that is empty or relative.
std::optional<std::string> absoluteVariable(const TEnvironmentLookup& env, const char* name) {
  std::optional<std::string> value = env(name);
  if (!value || value->empty() || value->front() != PathDelim) return std::nullopt;
  return value;
}

std::string installedIconFolder(const std::string& exeFolder) {
  return (fs::path(withTrailingDelim(exeFolder)) / ".." / "share" / "quib" / "tray_icons")
      .lexically_normal()
      .string();
}
}  // namespace

bool IsPortableFolder(const std::string& exeFolder) {
  if (::access(exeFolder.c_str(), W_OK) != 0) return false;
  return !DirectoryExists(installedIconFolder(exeFolder));
}

std::string DataFolder(const std::string& exeFolder, bool portable, const TEnvironmentLookup& env) {
  if (portable) return withTrailingDelim(exeFolder);
  if (auto dataHome = absoluteVariable(env, "XDG_DATA_HOME")) return withTrailingDelim(*dataHome) + "quib/";
  if (auto home = absoluteVariable(env, "HOME")) return withTrailingDelim(*home) + ".local/share/quib/";
  throw EQuibError(
      "Cannot find a folder for Quib's data: neither XDG_DATA_HOME nor HOME names an absolute folder");
}

std::string DefaultIconFolder(const std::string& exeFolder, bool portable) {
  if (portable) return withTrailingDelim(exeFolder) + "tray_icons";
  return installedIconFolder(exeFolder);
}

void CreateDataFolder(const std::string& folder) {
  const fs::path target = fs::path(folder).lexically_normal();
  fs::path partial;
  for (const fs::path& part : target) {
    partial /= part;
    if (part.empty() || DirectoryExists(partial.string())) continue;
    if (::mkdir(partial.c_str(), 0700) == 0) continue;
    const int err = errno;
    // Another process may have made it in the meantime; a file of that name is a failure.
    if (err == EEXIST && DirectoryExists(partial.string())) continue;
    throw EQuibError("Cannot create folder \"" + folder + "\". " + std::strerror(err));
  }
}
