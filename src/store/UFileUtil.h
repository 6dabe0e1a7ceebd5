// Whole-file reading and crash-safe writing of the program's data files.
#pragma once

#include <functional>
#include <string>
#include <vector>

// Reads a text file into lines; CR, LF and CR LF each end a line, and a line break at the very
// end adds no empty line. Raises EQuibError when the file cannot be read.
std::vector<std::string> ReadTextLines(const std::string& path);
// Splits text into lines by the same rule.
std::vector<std::string> SplitTextLines(const std::string& text);
// Every line followed by CR LF.
std::string JoinLinesCRLF(const std::vector<std::string>& lines);
// Reads the whole file; raises EQuibError when it cannot be read or is not a regular file (a
// folder, or a pipe that would block the program until someone writes to it).
std::string ReadFileBytes(const std::string& path);

// Writes content to a temporary file in the same folder, flushes it to disk and renames it over
// path, so that the old file stays whole until the new one is complete. Raises EQuibError with
// the message 'Cannot create file "<path>". <reason>' when anything fails; the temporary file is
// removed and the old file is left as it was. When path is a symbolic link (or a chain of them)
// the file at its end is replaced and the link stays a link; a link to nothing creates its target.
void WriteFileAtomic(const std::string& path, const std::string& content);
// Removes the temporary files WriteFileAtomic leaves when the program dies mid-write, but only
// those of the program's own data files (quib.ini, quibnotes.xml, note text files); anything
// else, links and folders included, is left alone. Returns the names removed.
std::vector<std::string> RemoveStaleTempFiles(const std::string& folder);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Creates one folder level; true when it exists afterwards.
bool CreateDir(const std::string& path);
// Renames a file; false when that fails (the file then keeps its name). An existing target is
// never replaced, also on file systems that cannot rename without replacing.
bool RenameFile(const std::string& from, const std::string& to);
// The folder part of a path, ending in the separator ("" when the path has no folder).
std::string ExtractFilePath(const std::string& path);
// The part after the last separator.
std::string ExtractFileName(const std::string& path);

inline constexpr char PathDelim = '/';

namespace detail {
// The system calls RenameFile is built on; each returns 0, or -1 with errno set. Tests replace
// them to play file systems that lack one.
struct TRenameCalls {
  std::function<int(const char* from, const char* to)> RenameNoReplace;  // renameat2 NOREPLACE
  std::function<int(const char* from, const char* to)> Link;             // link
};
TRenameCalls SystemRenameCalls();
bool RenameFileWith(const std::string& from, const std::string& to, const TRenameCalls& calls);
}  // namespace detail
