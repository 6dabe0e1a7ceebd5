// The file layer never loses a user's file: writes through symbolic links, renames that never
// replace a target on any file system, moves across file systems, private modes, and the
// clean-up of temporary files a crash left.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "store/UFileUtil.h"
#include "store/UQuibError.h"
#include "store/UTempSweep.h"
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

TEST(FileSafety, NewFilesAndFoldersArePrivateAndReplacedFilesKeepTheirMode) {
  TempDir dir;
  const mode_t mask = ::umask(022);
  WriteFileAtomic(dir.path() + "new.txt", "x");
  ASSERT_TRUE(CreateDir(dir.path() + "quibnotes"));
  WriteFileAtomic(dir.path() + "shared.txt", "x");
  ::chmod((dir.path() + "shared.txt").c_str(), 0644);
  WriteFileAtomic(dir.path() + "shared.txt", "y");
  ::umask(mask);
  EXPECT_EQ(fs::status(dir.path() + "new.txt").permissions(), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(fs::status(dir.path() + "quibnotes").permissions(), fs::perms::owner_all);
  EXPECT_EQ(fs::status(dir.path() + "shared.txt").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
}

TEST(FileSafety, AMoveAcrossFileSystemsCopiesWholeThenRemovesOrChangesNothing) {
  using Call = std::function<int(const char*, const char*)>;
  const detail::TRenameCalls real = detail::SystemRenameCalls();
  struct Case {
    const char* name;
    bool otherFileSystem;  // the first rename says EXDEV
    bool targetExists;
    bool targetFolderMissing;
    bool moved;
  };
  const Case cases[] = {
      {"same file system", false, false, false, true},
      {"another file system", true, false, false, true},
      {"another file system, target exists", true, true, false, false},
      {"another file system, no room for the copy", true, false, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    fs::create_directory(dir.path() + "quibnotes");
    const std::string from = dir.path() + "quibnote0007.~txt";
    const std::string to = dir.path() + (c.targetFolderMissing ? "gone/" : "quibnotes/") + "quibnote0007.txt";
    WriteFileAtomic(from, "deleted note");
    ::chmod(from.c_str(), 0640);
    if (c.targetExists) WriteFileAtomic(to, "live note");
    const Call rename = [&](const char* a, const char* b) {
      if (c.otherFileSystem && a == from) {
        errno = EXDEV;
        return -1;
      }
      return real.RenameNoReplace(a, b);
    };
    EXPECT_EQ(detail::MoveFileWith(from, to, {rename, real.Link}), c.moved);
    EXPECT_EQ(contentOf(from), c.moved ? "(none)" : "deleted note");
    EXPECT_EQ(contentOf(to), c.targetExists ? "live note" : c.moved ? "deleted note" : "(none)");
    if (c.moved) {
      EXPECT_EQ(fs::status(to).permissions() & fs::perms::all, fs::perms(0640));
    }
    // No copy or temporary file left anywhere.
    if (!c.targetFolderMissing) {
      EXPECT_EQ(entries(dir.path() + "quibnotes").size(), c.moved || c.targetExists ? 1u : 0u);
    }
  }
}

TEST(FileSafety, TheStartUpSweepReachesEveryFolderTheProgramWritesInto) {
  TempDir data, linked, autostart, exports;
  fs::create_directory(data.path() + "quibnotes");
  const auto put = [](const std::string& path, bool old) {
    WriteFileAtomic(path, "x");
    if (old) fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::minutes(5));
  };
  // The data file links: their temporary files lie beside the targets.
  WriteFileAtomic(linked.path() + "real.ini", "settings");
  WriteFileAtomic(linked.path() + "text.txt", "note");
  fs::create_symlink(linked.path() + "real.ini", data.path() + "quib.ini");
  fs::create_symlink(linked.path() + "text.txt", data.path() + "quibnotes/quibnote0001.txt");
  const std::vector<std::string> gone = {
      data.path() + ".quibnotes.xml.tmp-abc123",     data.path() + "quibnotes/.quibnote0002.txt.tmp-abc123",
      linked.path() + ".real.ini.tmp-abc123",        linked.path() + ".text.txt.tmp-abc123",
      autostart.path() + ".Quib.desktop.tmp-abc123", exports.path() + ".list.TXT.tmp-abc123",
  };
  const std::vector<std::string> kept = {
      linked.path() + ".other.ini.tmp-abc123",  // not a target of a link
      exports.path() + ".data.csv.tmp-abc123",  // not an export's name
      autostart.path() + ".other.desktop.tmp-abc123",
  };
  for (const auto& p : gone) put(p, true);
  for (const auto& p : kept) put(p, true);
  // In the folders shared with others, what is being written now stays.
  const std::vector<std::string> recent = {autostart.path() + ".Quib.desktop.tmp-xyz789",
                                           exports.path() + ".now.txt.tmp-xyz789"};
  for (const auto& p : recent) put(p, false);
  auto removed =
      SweepStaleTempFiles({data.path(), data.path() + "quibnotes", autostart.path(), exports.path()});
  std::sort(removed.begin(), removed.end());
  auto expected = gone;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(removed, expected);
  for (const auto& p : kept) EXPECT_TRUE(fs::exists(p)) << p;
  for (const auto& p : recent) EXPECT_TRUE(fs::exists(p)) << p;
  EXPECT_EQ(ReadFileBytes(data.path() + "quib.ini"), "settings");
}
