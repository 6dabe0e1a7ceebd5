#include "store/USyncNames.h"

#include <algorithm>
#include <filesystem>
#include <regex>
#include <system_error>

#include "store/UNoteFiles.h"

namespace {

// Each tool's mark, as it is put in front of the extension (or at the end of a name without
// one). A mark must be followed by the end, an extension, or the next tool's " (" group, so a
// name that merely contains the words is no copy. The stem in front of it may not be empty.
const std::regex& syncthingMark() {
  static const std::regex re(R"(\.sync-conflict-\d{8}-\d{6}(-[A-Za-z0-9]+)?(?=$|\.| \())");
  return re;
}
// Nextcloud, ownCloud and Dropbox alike: a bracketed "conflicted copy" with its date (Nextcloud
// puts the user's name, which holds no brackets, in front of the date; Dropbox puts it before
// the words); Dropbox numbers a second copy of the same day " (1)".
const std::regex& cloudMark() {
  static const std::regex re(
      R"( \([^()]*conflicted copy (?:[^()]* )?\d{4}-\d{2}-\d{2}(?: \d{6})?\)(?: \(\d+\))?(?=$|\.| \())");
  return re;
}
const std::regex& oldOwnCloudMark() {
  static const std::regex re(R"(_conflict-\d{8}-\d{6}(?=$|\.| \())");
  return re;
}

// name without its first mark of any tool, or "" when it has none.
std::string withoutOneMark(const std::string& name) {
  // Every mark holds the word; the listing of many notes skips the patterns this way. No file
  // system names a file with more than 255 bytes, and the patterns need not see longer input.
  if (name.size() > 255 || name.find("conflict") == std::string::npos) return std::string();
  for (const std::regex* re : {&syncthingMark(), &cloudMark(), &oldOwnCloudMark()}) {
    for (std::sregex_iterator it(name.begin(), name.end(), *re), end; it != end; ++it) {
      const size_t at = static_cast<size_t>(it->position());
      if (at == 0) continue;
      return name.substr(0, at) + name.substr(at + static_cast<size_t>(it->length()));
    }
  }
  return std::string();
}

}  // namespace

std::string ConflictCopyOriginal(const std::string& name) {
  std::string original;
  // A copy of a copy carries one mark per round; a name has few, so this ends quickly.
  for (std::string next = withoutOneMark(name); !next.empty(); next = withoutOneMark(next)) original = next;
  return original;
}

std::optional<TConflictCopy> AsConflictCopy(const std::string& name) {
  std::string original = ConflictCopyOriginal(name);
  if (original.empty()) return std::nullopt;
  TConflictCopy copy{.Name = name, .Original = std::move(original)};
  copy.NotesFile = copy.Original == "quibnotes.xml";
  const int32_t id = NoteIdFromFileName(copy.Original);
  if (id >= 1 && MatchesNoteFilePattern(copy.Original, false)) copy.NoteId = id;
  return copy;
}

std::vector<TConflictCopy> ListConflictCopies(const std::string& folder) {
  std::vector<TConflictCopy> copies;
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec);
  for (const std::filesystem::directory_iterator end; !ec && it != end; it.increment(ec)) {
    if (auto copy = AsConflictCopy(it->path().filename().string())) copies.push_back(std::move(*copy));
  }
  std::sort(copies.begin(), copies.end(),
            [](const TConflictCopy& a, const TConflictCopy& b) { return a.Name < b.Name; });
  return copies;
}
