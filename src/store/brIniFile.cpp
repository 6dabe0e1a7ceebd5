#include "store/brIniFile.h"

#include <sys/stat.h>

#include <cerrno>

#include "store/UFileUtil.h"
#include "store/UQuibError.h"
#include "store/brConvert.h"

namespace {
std::string trimBlanks(const std::string& s) {
  size_t a = 0;
  size_t b = s.size();
  while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
  while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) --b;
  return s.substr(a, b - a);
}

bool isSectionHeader(const std::string& line, std::string* name) {
  const std::string t = trimBlanks(line);
  if (t.size() < 2 || t.front() != '[') return false;
  const auto close = t.find(']');
  if (close == std::string::npos) return false;
  if (name) *name = trimBlanks(t.substr(1, close - 1));
  return true;
}

// The key of a name=value line; false for blank lines, comments and lines without "=".
bool keyOf(const std::string& line, std::string* key) {
  const std::string t = trimBlanks(line);
  if (t.empty() || t[0] == ';' || t[0] == '#') return false;
  const auto eq = t.find('=');
  if (eq == std::string::npos) return false;
  *key = trimBlanks(t.substr(0, eq));
  return true;
}

// The file holds one entry per line: every line break (CR LF, CR or LF) in a name or value
// becomes one blank, or the rest would come back as a line of its own, or as a section.
std::string oneLine(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\r' && s[i] != '\n') {
      out += s[i];
      continue;
    }
    if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
    out += ' ';
  }
  return out;
}
}  // namespace

TIniFile::TIniFile(std::string path) : path_(std::move(path)) {
  // Only a missing file (or a link to none) starts empty. Anything else that cannot be read (a
  // folder, a pipe, a file without permission) raises, so that it is never taken for an empty
  // file and overwritten with defaults.
  struct stat st {};
  if (::stat(path_.c_str(), &st) != 0 && errno == ENOENT) return;
  try {
    lines_ = ReadTextLines(path_);
  } catch (const EQuibError&) {
    throw EQuibError("Unable to read " + path_);
  }
}

int TIniFile::FindSection(const std::string& section) const {
  std::string name;
  for (size_t i = 0; i < lines_.size(); ++i)
    if (isSectionHeader(lines_[i], &name) && SameTextAscii(name, section)) return static_cast<int>(i);
  return -1;
}

int TIniFile::SectionEnd(int header) const {
  size_t i = static_cast<size_t>(header) + 1;
  while (i < lines_.size() && !isSectionHeader(lines_[i], nullptr)) ++i;
  return static_cast<int>(i);
}

int TIniFile::FindKey(int header, const std::string& key) const {
  const int end = SectionEnd(header);
  std::string k;
  for (int i = header + 1; i < end; ++i)
    if (keyOf(lines_[static_cast<size_t>(i)], &k) && SameTextAscii(k, key)) return i;
  return -1;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) const {
  const int header = FindSection(oneLine(section));
  if (header < 0) return def;
  const int line = FindKey(header, oneLine(key));
  if (line < 0) return def;
  const std::string& text = lines_[static_cast<size_t>(line)];
  std::string value = trimBlanks(text.substr(text.find('=') + 1));
  if (value.size() > MaxValueLength) value.resize(MaxValueLength);
  return value;
}

void TIniFile::WriteString(const std::string& sectionName, const std::string& key, const std::string& value) {
  const std::string section = oneLine(sectionName);
  const std::string line = oneLine(key) + "=" + oneLine(value);
  int header = FindSection(section);
  if (header < 0) {
    // Keep a blank line between sections, as people write them.
    if (!lines_.empty() && !trimBlanks(lines_.back()).empty()) lines_.emplace_back();
    lines_.push_back("[" + section + "]");
    lines_.push_back(line);
    dirty_ = true;
    return;
  }
  const int existing = FindKey(header, oneLine(key));
  if (existing >= 0) {
    if (lines_[static_cast<size_t>(existing)] != line) {
      lines_[static_cast<size_t>(existing)] = line;
      dirty_ = true;
    }
    return;
  }
  // After the section's last non-blank line, so that blank lines before the next section stay.
  int at = SectionEnd(header);
  while (at - 1 > header && trimBlanks(lines_[static_cast<size_t>(at - 1)]).empty()) --at;
  lines_.insert(lines_.begin() + at, line);
  dirty_ = true;
}

void TIniFile::UpdateFile() {
  if (!dirty_ && FileExists(path_)) return;
  try {
    WriteFileAtomic(path_, JoinLinesCRLF(lines_));
  } catch (const EQuibError&) {
    throw EQuibError("Unable to write to " + path_);
  }
  dirty_ = false;
}
