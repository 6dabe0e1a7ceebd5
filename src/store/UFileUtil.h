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
// A new file is private to the user (0600); a replaced one keeps its permissions.
void WriteFileAtomic(const std::string& path, const std::string& content);
// The file a write through path lands on: path, or the end of its chain of symbolic links; ""
// when the chain cannot be followed.
std::string LinkTarget(const std::string& path);
// quib.ini, quibnotes.xml and the note text files (live and deleted).
bool IsOwnDataFileName(const std::string& name);
// Removes the temporary files WriteFileAtomic leaves in folder when the program dies mid-write,
// for the files whose names owns accepts, when they are plain files of this user untouched for
// at least minAgeSeconds (a folder another running Quib may be writing into needs a wait);
// anything else, links and folders included, is left alone. Returns the names removed.
std::vector<std::string> RemoveStaleTempFiles(const std::string& folder,
                                              const std::function<bool(const std::string&)>& owns,
                                              int minAgeSeconds);
// The same for the program's own data files, at once.
std::vector<std::string> RemoveStaleTempFiles(const std::string& folder);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Creates one folder level, private to the user (0700); true when it exists afterwards.
bool CreateDir(const std::string& path);
// Renames a file; false when that fails (the file then keeps its name). An existing target is
// never replaced, also on file systems that cannot rename without replacing.
bool RenameFile(const std::string& from, const std::string& to);
// RenameFile, also across file systems (undelete from another disk): there the file is copied
// whole with its permissions and then removed, or nothing changes. False when it did not move.
bool MoveFile(const std::string& from, const std::string& to);
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
bool MoveFileWith(const std::string& from, const std::string& to, const TRenameCalls& calls);
}  // namespace detail
