#include <gtest/gtest.h>

#include <filesystem>

#include "store/UFileUtil.h"
#include "store/UQuibError.h"
#include "store/UStartupEntry.h"
#include "support/TempDir.h"

TEST(StartupEntry, ExecLineQuotesWhatTheLauncherWouldReadAsShellSyntax) {
  // The Exec value as it stands in the file: the argument's quoting, then the string escapes
  // (so a literal backslash inside quotes takes four, a dollar sign two).
  struct Case {
    const char* path;
    const char* exec;
  } cases[] = {
      {"/usr/bin/quib", "/usr/bin/quib"},
      {"/home/ann/my notes/quib", "\"/home/ann/my notes/quib\""},
      {"/opt/$HOME/quib", "\"/opt/\\\\$HOME/quib\""},
      {"/opt/a\\b/quib", "\"/opt/a\\\\\\\\b/quib\""},
      {"/opt/say \"hi\"/quib", "\"/opt/say \\\\\"hi\\\\\"/quib\""},
      {"/opt/`x`/quib", "\"/opt/\\\\`x\\\\`/quib\""},
      {"/opt/100%/quib", "/opt/100%%/quib"},
      {"/opt/50% off/quib", "\"/opt/50%% off/quib\""},
      {"/opt/it's/quib", "\"/opt/it's/quib\""},
      {"/opt/~me/(x)&y;z|q*?#<>/quib", "\"/opt/~me/(x)&y;z|q*?#<>/quib\""},
      {"/opt/a\tb/quib", "\"/opt/a\\tb/quib\""},
      {"/opt/a\nb/quib", "\"/opt/a\\nb/quib\""},
      {"/opt/a=b,c+d/quib", "/opt/a=b,c+d/quib"},
  };
  for (const auto& c : cases) {
    const std::string text = StartupEntryText(c.path, "Quib - Brantel Software");
    EXPECT_NE(text.find(std::string("\nExec=") + c.exec + "\n"), std::string::npos) << c.path << "\n" << text;
  }
}

TEST(StartupEntry, FolderFollowsTheBaseDirectoryRules) {
  struct Case {
    std::optional<std::string> xdg;
    const char* home;
    const char* folder;
  } cases[] = {
      {"/cfg", "/home/ann", "/cfg/autostart"},
      {"/cfg/", "/home/ann", "/cfg/autostart"},
      {std::nullopt, "/home/ann", "/home/ann/.config/autostart"},
      {"", "/home/ann/", "/home/ann/.config/autostart"},
      {"cfg", "/home/ann", "/home/ann/.config/autostart"},  // relative: ignored
  };
  for (const auto& c : cases) EXPECT_EQ(AutostartFolder(c.xdg, c.home), c.folder) << c.xdg.value_or("unset");
}

TEST(StartupEntry, WrittenWholeIntoANewFolderAndRemoved) {
  TempDir dir;
  const std::string folder = dir.path() + "config/autostart";
  WriteStartupEntry(folder, "/opt/my quib/quib", "Quib - Brantel Software");
  EXPECT_EQ(ReadFileBytes(folder + "/Quib.desktop"),
            "[Desktop Entry]\n"
            "Type=Application\n"
            "Name=Quib\n"
            "Comment=Quib - Brantel Software\n"
            "Exec=\"/opt/my quib/quib\"\n"
            "X-GNOME-Autostart-enabled=true\n");
  EXPECT_EQ(std::filesystem::directory_iterator(folder)->path().filename(), "Quib.desktop");  // no leftovers
  EXPECT_NO_THROW(RemoveStartupEntry(folder));
  EXPECT_FALSE(FileExists(folder + "/Quib.desktop"));
  EXPECT_NO_THROW(RemoveStartupEntry(folder));  // nothing to remove
  EXPECT_TRUE(DirectoryExists(folder));
  // An entry that stays is told, with its name.
  std::filesystem::create_directories(folder + "/Quib.desktop/inside");
  try {
    RemoveStartupEntry(folder);
    ADD_FAILURE() << "no error for an entry that stays";
  } catch (const EQuibError& e) {
    EXPECT_NE(std::string(e.what()).find("Cannot remove file \"" + folder + "/Quib.desktop\"."),
              std::string::npos)
        << e.what();
  }
}
