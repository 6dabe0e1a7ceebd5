#include "store/UTempSweep.h"

#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "store/UFileUtil.h"
#include "store/UNoteFiles.h"
#include "store/UStartupEntry.h"
#include "store/brConvert.h"

namespace {
std::string withDelim(std::string folder) {
  if (!folder.empty() && folder.back() != PathDelim) folder += PathDelim;
  return folder;
}

bool isLink(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

void sweep(const std::string& folder, const std::function<bool(const std::string&)>& owns, int minAge,
           std::vector<std::string>& removed) {
  if (folder.empty()) return;
  for (const std::string& name : RemoveStaleTempFiles(folder, owns, minAge))
    removed.push_back(withDelim(folder) + name);
}

// A data file that is a link is written at its target: the temporary files lie there.
void sweepLinkTarget(const std::string& path, std::vector<std::string>& removed) {
  if (!isLink(path)) return;
  const std::string target = LinkTarget(path);
  if (target.empty()) return;
  const std::string name = ExtractFileName(target);
  sweep(
      ExtractFilePath(target), [&name](const std::string& owner) { return owner == name; },
      kSharedFolderTempAgeSeconds, removed);
}

void sweepNoteLinkTargets(const std::string& notesFolder, std::vector<std::string>& removed) {
  std::error_code ec;
  std::filesystem::directory_iterator it(notesFolder, ec);
  for (const std::filesystem::directory_iterator end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (MatchesNoteFilePattern(name, false) || MatchesNoteFilePattern(name, true))
      sweepLinkTarget(withDelim(notesFolder) + name, removed);
  }
}
}  // namespace

std::vector<std::string> SweepStaleTempFiles(const TTempSweepFolders& folders) {
  std::vector<std::string> removed;
  sweep(folders.DataFolder, IsOwnDataFileName, 0, removed);
  sweep(folders.NotesFolder, IsOwnDataFileName, 0, removed);
  const std::string data = withDelim(folders.DataFolder);
  for (const char* name : {"quib.ini", "quibnotes.xml"}) sweepLinkTarget(data + name, removed);
  if (!folders.NotesFolder.empty()) sweepNoteLinkTargets(folders.NotesFolder, removed);
  sweep(
      folders.AutostartFolder, [](const std::string& owner) { return owner == kStartupEntryName; },
      kSharedFolderTempAgeSeconds, removed);
  sweep(
      folders.ExportFolder,
      [](const std::string& owner) {
        const std::string lower = LowerCaseAscii(owner);
        return lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".txt") == 0;
      },
      kSharedFolderTempAgeSeconds, removed);
  return removed;
}
