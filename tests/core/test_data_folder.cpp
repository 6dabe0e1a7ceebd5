#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "store/UDataFolder.h"
#include "store/UQuibError.h"
#include "support/TempDir.h"

namespace {
TEnvironmentLookup environment(const std::map<std::string, std::string>& vars) {
  return [vars](const std::string& name) -> std::optional<std::string> {
    auto it = vars.find(name);
    if (it == vars.end()) return std::nullopt;
    return it->second;
  };
}
}  // namespace

TEST(DataFolder, PortableBesideTheProgramOtherwiseXdg) {
  struct Case {
    const char* exeFolder;
    bool portable;
    std::map<std::string, std::string> env;
    const char* expected;  // nullptr: no folder can be found
  } cases[] = {
      {"/home/u/quib/", true, {{"XDG_DATA_HOME", "/x"}, {"HOME", "/home/u"}}, "/home/u/quib/"},
      {"/home/u/quib", true, {}, "/home/u/quib/"},
      {"/usr/bin/", false, {{"XDG_DATA_HOME", "/x/data"}, {"HOME", "/home/u"}}, "/x/data/quib/"},
      {"/usr/bin/", false, {{"XDG_DATA_HOME", "/x/data//"}}, "/x/data/quib/"},
      {"/usr/bin/", false, {{"XDG_DATA_HOME", "/"}}, "/quib/"},
      {"/usr/bin/", false, {{"XDG_DATA_HOME", ""}, {"HOME", "/home/u"}}, "/home/u/.local/share/quib/"},
      {"/usr/bin/", false, {{"XDG_DATA_HOME", "data"}, {"HOME", "/home/u/"}}, "/home/u/.local/share/quib/"},
      {"/usr/bin/", false, {{"HOME", "/home/u"}}, "/home/u/.local/share/quib/"},
      {"/usr/bin/", false, {{"HOME", "home/u"}}, nullptr},
      {"/usr/bin/", false, {{"HOME", ""}}, nullptr},
      {"/usr/bin/", false, {}, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.exeFolder + std::string(c.portable ? " portable" : " installed"));
    if (c.expected)
      EXPECT_EQ(DataFolder(c.exeFolder, c.portable, environment(c.env)), c.expected);
    else
      EXPECT_THROW(DataFolder(c.exeFolder, c.portable, environment(c.env)), EQuibError);
  }
}

TEST(DataFolder, DefaultIconFolder) {
  struct Case {
    const char* exeFolder;
    bool portable;
    const char* expected;
  } cases[] = {
      {"/home/u/quib/", true, "/home/u/quib/tray_icons"},
      {"/home/u/quib", true, "/home/u/quib/tray_icons"},
      {"/usr/bin/", false, "/usr/share/quib/tray_icons"},
      {"/opt/quib/bin", false, "/opt/quib/share/quib/tray_icons"},
      {"/home/u/.local/bin//", false, "/home/u/.local/share/quib/tray_icons"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DefaultIconFolder(c.exeFolder, c.portable), c.expected) << c.exeFolder;
}

TEST(DataFolder, PortableOnlyOutsideAnInstalledTree) {
  TempDir tmp;
  namespace fs = std::filesystem;
  fs::create_directories(tmp.path() + "prefix/bin");
  EXPECT_TRUE(IsPortableFolder(tmp.path()));
  EXPECT_TRUE(IsPortableFolder(tmp.path() + "prefix/bin/"));
  // Installed: even a writable bin folder keeps no data once the tree's icons lie beside it.
  fs::create_directories(tmp.path() + "prefix/share/quib/tray_icons");
  EXPECT_FALSE(IsPortableFolder(tmp.path() + "prefix/bin/"));
  EXPECT_FALSE(IsPortableFolder(tmp.path() + "missing/"));
}

TEST(DataFolder, CreateDataFolderMakesPrivateParents) {
  TempDir tmp;
  const std::string folder = tmp.path() + "home/.local/share/quib/";
  CreateDataFolder(folder);
  CreateDataFolder(folder);  // already there: nothing to do
  struct stat st {};
  ASSERT_EQ(::stat((tmp.path() + "home/.local").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  ASSERT_EQ(::stat(folder.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);

  std::ofstream(tmp.path() + "file") << "x";
  try {
    CreateDataFolder(tmp.path() + "file/quib/");
    FAIL() << "a file in the way went unnoticed";
  } catch (const EQuibError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot create folder \"" + tmp.path() + "file/quib/\". ", 0), 0u)
        << e.what();
  }
}
