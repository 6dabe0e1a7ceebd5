#include "store/UNoteFiles.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "store/USyncNames.h"
#include "store/brConvert.h"

namespace {

const std::string kPrefix = "quibnote";
const std::string kLiveExt = ".txt";
const std::string kDeletedExt = ".~txt";

bool endsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

std::string PadNumber(int32_t n, int width) {
  std::string digits = std::to_string(n);
  // A field of blanks in front, each blank then a zero (so a sign ends up behind the zeros).
  if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

std::string NoteTextFileName(int32_t id, bool deleted) {
  return kPrefix + PadNumber(id, 4) + (deleted ? kDeletedExt : kLiveExt);
}

bool MatchesNoteFilePattern(const std::string& name, bool deleted) {
  const std::string& ext = deleted ? kDeletedExt : kLiveExt;
  const std::string lower = LowerCaseAscii(name);
  // The "*" may match nothing, but the prefix and the extension may not share characters.
  return lower.size() >= kPrefix.size() + ext.size() && lower.compare(0, kPrefix.size(), kPrefix) == 0 &&
         endsWith(lower, ext);
}

std::vector<std::string> ListNoteTextFiles(const std::string& notesFolder, bool deleted) {
  std::vector<std::string> names;
  std::error_code ec;
  std::filesystem::directory_iterator it(notesFolder, ec);
  if (ec) return names;
  // An entry that vanishes or cannot be read while listing ends the listing, as a wildcard
  // search does; what was found so far stands.
  for (const std::filesystem::directory_iterator end{}; it != end; it.increment(ec)) {
    if (ec) break;
    std::string name = it->path().filename().string();
    // A sync tool's conflict copy (quibnote0001.sync-conflict-....txt) is no note's own file, though
    // its name starts like one and may even parse to the note's id.
    if (MatchesNoteFilePattern(name, deleted) && !IsConflictCopy(name)) names.push_back(std::move(name));
  }
  // In name order, as the classic file systems list them: the notes open, and every walk over
  // them (arrange, gradients) goes, in the same order on every machine.
  std::sort(names.begin(), names.end());
  return names;
}

int32_t NoteIdFromFileName(const std::string& name) {
  const size_t sep = name.find_last_of("/\\");
  const std::string base = LowerCaseAscii(sep == std::string::npos ? name : name.substr(sep + 1));
  if (base.compare(0, kPrefix.size(), kPrefix) != 0) return -1;
  const size_t lastDot = base.rfind('.');
  if (lastDot == std::string::npos) return -1;
  const std::string ext = base.substr(lastDot);
  if (ext != kLiveExt && ext != kDeletedExt) return -1;
  // Everything between the prefix and the extension: a sync tool's conflict copy
  // (quibnote0001.sync-conflict-....txt) encodes no id, though its name starts like one.
  return TryStrToInt(base.substr(kPrefix.size(), lastDot - kPrefix.size())).value_or(-1);
}
