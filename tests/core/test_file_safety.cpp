// The file layer never loses a user's file: writes through symbolic links, renames that never
// replace a target on any file system, and the clean-up of temporary files a crash left.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "store/UFileUtil.h"
#include "store/UQuibError.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {
std::vector<std::string> entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::recursive_directory_iterator(folder))
    names.push_back(e.path().lexically_relative(folder).string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string contentOf(const std::string& path) {
  return fs::exists(path) ? ReadFileBytes(path) : "(none)";
}
}  // namespace

TEST(FileSafety, WriteThroughSymbolicLinksReplacesTheFileAtTheEnd) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> links;  // link -> what it holds
    std::string written;                                     // the path the caller gives
    std::string target;                                      // the file that gets the content
    bool targetExists;
  };
  const std::vector<Case> cases = {
      {"relative link", {{"quib.ini", "real.ini"}}, "quib.ini", "real.ini", true},
      // The second link is relative to its own folder (sub/), not to the first link's.
      {"chain", {{"quib.ini", "sub/mid"}, {"sub/mid", "real.ini"}}, "quib.ini", "sub/real.ini", true},
      {"absolute link", {{"quib.ini", "@sub/real.ini"}}, "quib.ini", "sub/real.ini", true},
      {"dangling link", {{"quib.ini", "sub/new.ini"}}, "quib.ini", "sub/new.ini", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    fs::create_directory(dir.path() + "sub");
    for (const auto& [link, to] : c.links)
      fs::create_symlink(to[0] == '@' ? dir.path() + to.substr(1) : to, dir.path() + link);
    const std::string target = dir.path() + c.target;
    if (c.targetExists) {
      WriteFileAtomic(target, "old");
      ::chmod(target.c_str(), 0600);
    }
    const auto before = entries(dir.path());
    WriteFileAtomic(dir.path() + c.written, "new");
    EXPECT_EQ(ReadFileBytes(target), "new");
    for (const auto& [link, to] : c.links) EXPECT_TRUE(fs::is_symlink(dir.path() + link)) << link;
    if (c.targetExists) {
      EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
                fs::perms::owner_read | fs::perms::owner_write);
    }
    // Nothing else appeared (no temporary file left beside the link or the target).
    auto after = entries(dir.path());
    if (!c.targetExists) std::erase(after, c.target);
    EXPECT_EQ(after, before);
  }
}

TEST(FileSafety, WriteThroughALinkLoopFailsAndTouchesNothing) {
  TempDir dir;
  fs::create_symlink("b", dir.path() + "a");
  fs::create_symlink("a", dir.path() + "b");
  const std::string path = dir.path() + "a";
  try {
    WriteFileAtomic(path, "x");
    FAIL() << "no error";
  } catch (const EQuibError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + path + "\". " + std::strerror(ELOOP));
  }
  EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(fs::is_symlink(path));
}

TEST(FileSafety, RenameNeverReplacesATargetWhateverTheFileSystemLacks) {
  using Call = std::function<int(const char*, const char*)>;
  const auto fails = [](int err) -> Call {
    return [err](const char*, const char*) {
      errno = err;
      return -1;
    };
  };
  const detail::TRenameCalls real = detail::SystemRenameCalls();
  struct Case {
    const char* name;
    Call renameNoReplace;
    Call link;
    bool targetExists;
    bool renamed;
  };
  const std::vector<Case> cases = {
      {"renameat2", real.RenameNoReplace, real.Link, false, true},
      {"renameat2, target exists", real.RenameNoReplace, real.Link, true, false},
      {"no renameat2: link", fails(EINVAL), real.Link, false, true},
      {"no renameat2: link, target exists", fails(ENOSYS), real.Link, true, false},
      {"no renameat2, no links: rename", fails(EOPNOTSUPP), fails(EPERM), false, true},
      {"no renameat2, no links, target exists", fails(EINVAL), fails(ENOTSUP), true, false},
      // A real refusal is not an unsupported call: no fallback runs.
      {"renameat2 refuses", fails(EACCES), real.Link, false, false},
      {"link refuses", fails(EINVAL), fails(EACCES), false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string from = dir.path() + "quibnote0001.txt";
    const std::string to = dir.path() + "quibnote0001.~txt";
    WriteFileAtomic(from, "note");
    if (c.targetExists) WriteFileAtomic(to, "other note");
    EXPECT_EQ(detail::RenameFileWith(from, to, {c.renameNoReplace, c.link}), c.renamed);
    EXPECT_EQ(contentOf(from), c.renamed ? "(none)" : "note");
    EXPECT_EQ(contentOf(to), c.targetExists ? "other note" : c.renamed ? "note" : "(none)");
    EXPECT_EQ(fs::hard_link_count(c.renamed ? to : from), 1u);
  }
}

TEST(FileSafety, StaleTempFilesOfTheProgramsOwnFilesOnly) {
  TempDir dir;
  TempDir outside;
  const std::vector<std::string> stale = {".QuibNote0003.TXT.tmp-a1B2c3", ".quib.ini.tmp-ZZZZZZ",
                                          ".quibnote12.~txt.tmp-000000", ".quibnotes.xml.tmp-abcdef"};
  const std::vector<std::string> kept = {
      ".foo.tmp-abcdef",          ".export.txt.tmp-abcdef", ".quib.ini.tmp-abcde",
      ".quib.ini.tmp-abcdefg",    ".quib.ini.tmp-ab_def",   "quib.ini.tmp-abcdef",
      ".quib.ini.bak.tmp-abc123", ".notes.txt.tmp-abc123",  "quib.ini",
      "quibnote0003.txt"};
  for (const auto& n : stale) WriteFileAtomic(dir.path() + n, "x");
  for (const auto& n : kept) WriteFileAtomic(dir.path() + n, "x");
  // A link and a folder under a stale name are never followed nor removed.
  WriteFileAtomic(outside.path() + "quib.ini", "user");
  fs::create_symlink(outside.path() + "quib.ini", dir.path() + ".quib.ini.tmp-LINKED");
  fs::create_directory(dir.path() + ".quibnotes.xml.tmp-folder");
  WriteFileAtomic(dir.path() + ".quibnotes.xml.tmp-folder/quibnote0001.txt", "x");

  auto removed = RemoveStaleTempFiles(dir.path());
  std::sort(removed.begin(), removed.end());
  EXPECT_EQ(removed, stale);
  for (const auto& n : stale) EXPECT_FALSE(fs::exists(dir.path() + n)) << n;
  for (const auto& n : kept) EXPECT_TRUE(fs::exists(dir.path() + n)) << n;
  EXPECT_TRUE(fs::is_symlink(dir.path() + ".quib.ini.tmp-LINKED"));
  EXPECT_EQ(ReadFileBytes(outside.path() + "quib.ini"), "user");
  EXPECT_TRUE(FileExists(dir.path() + ".quibnotes.xml.tmp-folder/quibnote0001.txt"));
  EXPECT_TRUE(RemoveStaleTempFiles(dir.path() + "missing").empty());
}
