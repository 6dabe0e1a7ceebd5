#include "store/UFileUtil.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <sys/stat.h>
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
    target = link.front() == PathDelim ? link : ExtractFilePath(target) + link;
  }
}
}  // namespace

void WriteFileAtomic(const std::string& path, const std::string& content) {
  std::string target;
  if (!linkTarget(path, target)) createError(path, errno);
  const std::string folder = ExtractFilePath(target);
  std::string tmp = folder + "." + ExtractFileName(target) + kTempMark + std::string(kTempRandom, 'X');
  std::vector<char> name(tmp.begin(), tmp.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) createError(path, errno);
  tmp = name.data();
  // Keep the permissions an existing file had; new files get the usual 0644 less the umask.
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) {
    ::fchmod(fd, st.st_mode & 07777);
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
  }
  if (!writeAll(fd, content.data(), content.size()) || ::fsync(fd) != 0) {
    const int err = errno;
    ::close(fd);
    ::unlink(tmp.c_str());
    createError(path, err);
  }
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(tmp.c_str());
    createError(path, err);
  }
  if (::rename(tmp.c_str(), target.c_str()) != 0) {
    const int err = errno;
    ::unlink(tmp.c_str());
    createError(path, err);
  }
  // Make the rename itself durable.
  const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
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
  return ::mkdir(path.c_str(), 0777) == 0 || DirectoryExists(path);
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

bool isOwnDataFile(const std::string& name) {
  return name == "quib.ini" || name == "quibnotes.xml" || MatchesNoteFilePattern(name, false) ||
         MatchesNoteFilePattern(name, true);
}
}  // namespace

std::vector<std::string> RemoveStaleTempFiles(const std::string& folder) {
  std::vector<std::string> removed;
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return removed;
  const int fd = ::dirfd(dir);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (!isOwnDataFile(tempFileOwner(name))) continue;
    // Looked at and removed relative to the folder, without following links: only plain files
    // in the folder itself go.
    struct stat st {};
    if (::fstatat(fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) continue;
    if (::unlinkat(fd, name.c_str(), 0) == 0) removed.push_back(name);
  }
  ::closedir(dir);
  return removed;
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

std::string ExtractFilePath(const std::string& path) {
  const auto pos = path.rfind(PathDelim);
  return pos == std::string::npos ? std::string() : path.substr(0, pos + 1);
}

std::string ExtractFileName(const std::string& path) {
  const auto pos = path.rfind(PathDelim);
  return pos == std::string::npos ? path : path.substr(pos + 1);
}
