#include "store/UFileUtil.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "store/UNoteFiles.h"
#include "store/UQuibError.h"

std::vector<std::string> SplitTextLines(const std::string& text) {
  // Each line is copied once, as a whole, from the text.
  std::vector<std::string> lines;
  const char* const data = text.data();
  const size_t size = text.size();
  size_t start = 0;
  for (size_t i = 0; i < size; ++i) {
    const char c = data[i];
    if (c != '\r' && c != '\n') continue;
    lines.emplace_back(data + start, i - start);
    if (c == '\r' && i + 1 < size && data[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < size) lines.emplace_back(data + start, size - start);
  return lines;
}

std::string ReadFileBytes(const std::string& path) {
  // Opened without blocking, so that a pipe under a data file's name cannot hang the program.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) throw EQuibError("Cannot open file \"" + path + "\". " + std::strerror(errno));
  struct stat st {};
  std::string refused;
  if (::fstat(fd, &st) != 0)
    refused = std::strerror(errno);
  else if (S_ISDIR(st.st_mode))
    refused = std::strerror(EISDIR);
  else if (!S_ISREG(st.st_mode))
    refused = "Not a regular file";
  if (!refused.empty()) {
    ::close(fd);
    throw EQuibError("Cannot open file \"" + path + "\". " + refused);
  }
  std::string data(static_cast<size_t>(st.st_size), '\0');
  size_t have = 0;
  for (;;) {
    // One read past the size fstat gave, to see the end (or a file that grew meanwhile).
    if (have == data.size()) data.resize(have + 4096);
    const ssize_t n = ::read(fd, data.data() + have, data.size() - have);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      throw EQuibError("Cannot read file \"" + path + "\". " + std::strerror(err));
    }
    have += static_cast<size_t>(n);
  }
  ::close(fd);
  data.resize(have);
  return data;
}

std::vector<std::string> ReadTextLines(const std::string& path) {
  return SplitTextLines(ReadFileBytes(path));
}

std::string JoinLinesCRLF(const std::vector<std::string>& lines) {
  size_t size = 0;
  for (const auto& l : lines) size += l.size() + 2;
  std::string out;
  out.reserve(size);
  for (const auto& l : lines) {
    out += l;
    out += "\r\n";
  }
  return out;
}

namespace {
const std::string kTempMark = ".tmp-";
constexpr size_t kTempRandom = 6;  // the XXXXXX of mkstemp
constexpr int kMaxLinkHops = 40;   // as the kernel allows in one path

[[noreturn]] void createError(const std::string& path, int err) {
  throw EQuibError("Cannot create file \"" + path + "\". " + std::strerror(err));
}

bool writeAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// Where a write through path lands: path itself, or the end of its chain of symbolic links, a
// relative link counting from the link's own folder. Renaming over the link itself would turn it
// into a plain file and leave the file the user linked to stale. False, with errno set, when the
// chain never ends or a link cannot be read.
bool linkTarget(const std::string& path, std::string& target) {
  target = path;
  for (int hops = 0;; ++hops) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    if (hops == kMaxLinkHops) {
      errno = ELOOP;
      return false;
    }
    char buf[PATH_MAX];
    const ssize_t n = ::readlink(target.c_str(), buf, sizeof buf);
    if (n < 0) return false;
    if (static_cast<size_t>(n) == sizeof buf) {
      errno = ENAMETOOLONG;
      return false;
    }
    const std::string link(buf, static_cast<size_t>(n));
    target = link.front() == PathDelim ? link : ExtractFilePath(target).append(link);
  }
}

// Writes content to a new temporary file beside target and flushes it to disk: its path, or ""
// with errno set (nothing is left behind then). It gets mode when given, else mkstemp's 0600:
// a file the program creates is private to the user.
std::string writeTempBeside(const std::string& target, const std::string& content, const mode_t* mode) {
  const std::string tmp =
      ExtractFilePath(target) + "." + ExtractFileName(target) + kTempMark + std::string(kTempRandom, 'X');
  std::vector<char> name(tmp.begin(), tmp.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return std::string();
  if ((mode && ::fchmod(fd, *mode) != 0) || !writeAll(fd, content.data(), content.size()) ||
      ::fsync(fd) != 0) {
    const int err = errno;
    ::close(fd);
    ::unlink(name.data());
    errno = err;
    return std::string();
  }
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(name.data());
    errno = err;
    return std::string();
  }
  return name.data();
}

// Makes a rename in folder durable.
void syncFolder(const std::string& folder) {
  const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}
}  // namespace

void WriteFileAtomic(const std::string& path, const std::string& content) {
  std::string target;
  if (!linkTarget(path, target)) createError(path, errno);
  // A replaced file keeps its permissions.
  struct stat st {};
  const bool exists = ::stat(target.c_str(), &st) == 0;
  const mode_t mode = st.st_mode & 07777;
  const std::string tmp = writeTempBeside(target, content, exists ? &mode : nullptr);
  if (tmp.empty()) createError(path, errno);
  if (::rename(tmp.c_str(), target.c_str()) != 0) {
    const int err = errno;
    ::unlink(tmp.c_str());
    createError(path, err);
  }
  syncFolder(ExtractFilePath(target));
}

std::string LinkTarget(const std::string& path) {
  std::string target;
  return linkTarget(path, target) ? target : std::string();
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateDir(const std::string& path) {
  return ::mkdir(path.c_str(), 0700) == 0 || DirectoryExists(path);
}

namespace {
// ".<name>.tmp-XXXXXX" as WriteFileAtomic names its temporary files: <name>, else "".
std::string tempFileOwner(const std::string& file) {
  if (file.size() < 2 + kTempMark.size() + kTempRandom || file[0] != '.') return "";
  const size_t mark = file.size() - kTempRandom - kTempMark.size();
  if (file.compare(mark, kTempMark.size(), kTempMark) != 0) return "";
  for (size_t i = mark + kTempMark.size(); i < file.size(); ++i) {
    const char c = file[i];
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return "";
  }
  return file.substr(1, mark - 1);
}
}  // namespace

bool IsOwnDataFileName(const std::string& name) {
  return name == "quib.ini" || name == "quibnotes.xml" || MatchesNoteFilePattern(name, false) ||
         MatchesNoteFilePattern(name, true);
}

std::vector<std::string> RemoveStaleTempFiles(const std::string& folder,
                                              const std::function<bool(const std::string&)>& owns,
                                              int minAgeSeconds) {
  std::vector<std::string> removed;
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return removed;
  const int fd = ::dirfd(dir);
  const time_t now = ::time(nullptr);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    const std::string owner = tempFileOwner(name);
    if (owner.empty() || !owns(owner)) continue;
    // Looked at and removed relative to the folder, without following links: only plain files
    // of this user in the folder itself go, and in a folder others may write into only those
    // nobody has touched for a while.
    struct stat st {};
    if (::fstatat(fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) continue;
    if (st.st_uid != ::geteuid() || now - st.st_mtime < minAgeSeconds) continue;
    if (::unlinkat(fd, name.c_str(), 0) == 0) removed.push_back(name);
  }
  ::closedir(dir);
  return removed;
}

std::vector<std::string> RemoveStaleTempFiles(const std::string& folder) {
  return RemoveStaleTempFiles(folder, IsOwnDataFileName, 0);
}

namespace {
bool oneOf(int err, std::initializer_list<int> codes) {
  return std::find(codes.begin(), codes.end(), err) != codes.end();
}
}  // namespace

detail::TRenameCalls detail::SystemRenameCalls() {
  return {[](const char* from, const char* to) {
            return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE);
          },
          [](const char* from, const char* to) { return ::linkat(AT_FDCWD, from, AT_FDCWD, to, 0); }};
}

bool detail::RenameFileWith(const std::string& from, const std::string& to, const TRenameCalls& calls) {
  // Like the move of a file manager: an existing target is never replaced.
  if (calls.RenameNoReplace(from.c_str(), to.c_str()) == 0) return true;
  // Other errors refuse this rename; these say the kernel or the file system lacks the call.
  if (!oneOf(errno, {EINVAL, ENOSYS, EOPNOTSUPP, ENOTSUP})) return false;
  // A second name refuses an existing target as atomically; then the first name goes.
  if (calls.Link(from.c_str(), to.c_str()) == 0) {
    if (::unlink(from.c_str()) == 0) return true;
    ::unlink(to.c_str());  // the name just made: the file keeps its old name only
    return false;
  }
  if (!oneOf(errno, {EPERM, EOPNOTSUPP, ENOTSUP, EMLINK, ENOSYS})) return false;
  // No hard links either (FAT, some network shares): test and rename, leaving only the short
  // window between the two in which another program could create the target.
  struct stat st {};
  if (::lstat(to.c_str(), &st) == 0 || errno != ENOENT) return false;
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool RenameFile(const std::string& from, const std::string& to) {
  return detail::RenameFileWith(from, to, detail::SystemRenameCalls());
}

bool detail::MoveFileWith(const std::string& from, const std::string& to, const TRenameCalls& calls) {
  if (RenameFileWith(from, to, calls)) return true;
  if (errno != EXDEV) return false;
  // Another file system: a whole copy under the new name first, then the old name goes; a step
  // that fails undoes the ones before, so the file is moved or left as it was.
  struct stat st {};
  if (::lstat(from.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  std::string content;
  try {
    content = ReadFileBytes(from);
  } catch (const EQuibError&) {
    return false;
  }
  const mode_t mode = st.st_mode & 07777;
  const std::string tmp = writeTempBeside(to, content, &mode);
  if (tmp.empty()) return false;
  if (!RenameFileWith(tmp, to, calls)) {
    ::unlink(tmp.c_str());
    return false;
  }
  syncFolder(ExtractFilePath(to));
  if (::unlink(from.c_str()) != 0) {
    ::unlink(to.c_str());
    return false;
  }
  return true;
}

bool MoveFile(const std::string& from, const std::string& to) {
  return detail::MoveFileWith(from, to, detail::SystemRenameCalls());
}

std::string ExtractFilePath(const std::string& path) {
  const auto pos = path.rfind(PathDelim);
  return pos == std::string::npos ? std::string() : path.substr(0, pos + 1);
}

std::string ExtractFileName(const std::string& path) {
  const auto pos = path.rfind(PathDelim);
  return pos == std::string::npos ? path : path.substr(pos + 1);
}
