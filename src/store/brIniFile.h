// A small ini file: [sections] of name=value lines. Names of sections and keys match without
// regard to case; lines the program does not know (comments, other keys) are kept as they are.
#pragma once

#include <string>
#include <vector>

class TIniFile {
 public:
  // Values read back are cut to this many characters.
  static constexpr size_t MaxValueLength = 2047;

  // Reads the file when it exists. Raises EQuibError "Unable to read <path>" when there is
  // something under path that cannot be read as a file (a folder too), so that it is never
  // mistaken for an empty one; only a missing file (or a link to none) starts empty.
  explicit TIniFile(std::string path);

  const std::string& Path() const { return path_; }
  // The value of key in section, without surrounding blanks; def when there is no such key.
  std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
  // Replaces the key's line in place, or appends the key at the end of its section; a new
  // section goes at the end of the file. Each line break in a name or value is written as one
  // blank, so an entry stays on one line. Nothing reaches the disk before UpdateFile.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  // Writes the file whole (temporary file, then rename) when something changed. Raises
  // EQuibError "Unable to write to <path>" on failure; the old file stays as it was.
  void UpdateFile();

  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  // Index of the section's header line, or -1.
  int FindSection(const std::string& section) const;
  // Index of the key's line inside the section starting at header, or -1.
  int FindKey(int header, const std::string& key) const;
  // One past the last line of the section starting at header.
  int SectionEnd(int header) const;

  std::string path_;
  std::vector<std::string> lines_;
  bool dirty_ = false;
};
