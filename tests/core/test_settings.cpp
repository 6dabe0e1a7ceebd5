#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "store/UFileUtil.h"
#include "store/UQuibError.h"
#include "store/brIniFile.h"
#include "store/brRegVal.h"
#include "support/TempDir.h"

namespace {
std::string errorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const EQuibError& e) {
    return e.what();
  }
  return "";
}

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings = CreateQuibSettings(dir.path());
    settings->OnMessage = [this](const std::string& m) { messages.push_back(m); };
  }
  std::string iniPath() const { return dir.path() + "quib.ini"; }
  void writeIni(const std::string& text) const { WriteFileAtomic(iniPath(), text); }
  std::string readIni() const { return ReadFileBytes(iniPath()); }

  TempDir dir;
  std::unique_ptr<TbrRegVal> settings;
  std::vector<std::string> messages;
};

const char* const kFreshFile =
    "[Booleans]\r\nbRandomColor=1\r\nbSnapGrid=0\r\nbSnapEdges=1\r\nbSnapNotes=0\r\nbStartup=0\r\n"
    "bBringToFront=0\r\nbRemoveStayOnTop=0\r\nbPLayWAV1=0\r\nbPlayWAV2=0\r\nbWinXPShadow=1\r\n\r\n"
    "[Integers]\r\niLastX=100\r\niLastY=100\r\niGridX=8\r\niGridY=8\r\niDefaultFontSize=8\r\n"
    "iDefaultFontColor=0\r\niSnapDistance=8\r\n\r\n"
    "[Strings]\r\nsDefaultFontName=MS Sans Serif\r\nsIdentity=\r\nsWAVFilename1=\r\nsWAVFilename2=\r\n"
    "sLastSend=\r\nsLastImportDir=\r\nsLastExportDir=\r\nsICODir=\r\nsTrayIcon=\r\nsNotesTitle=Quib "
    "[$id$]\r\n";
}  // namespace

TEST_F(SettingsTest, WithoutFileLoadKeepsDefaultsAndSaveWritesEveryKeyInOrder) {
  settings->Load();
  EXPECT_TRUE(settings->GetBoolean("bRandomColor"));
  EXPECT_FALSE(settings->GetBoolean("bSnapGrid"));
  EXPECT_EQ(settings->GetInteger("iGridX"), 8);
  EXPECT_EQ(settings->GetString("sNotesTitle"), "Quib [$id$]");
  EXPECT_FALSE(FileExists(iniPath()));
  settings->Save();
  EXPECT_EQ(readIni(), kFreshFile);
}

TEST_F(SettingsTest, LoadConvertsWhatTheFileHolds) {
  struct Case {
    const char* file;
    const char* key;
    std::string expected;  // the entry's value after Load, or the error
  } cases[] = {
      {"[Booleans]\nbSnapGrid=5\n", "bSnapGrid", "1"},
      {"[Booleans]\nbSnapGrid=TRUE\n", "bSnapGrid", "1"},
      {"[Booleans]\nbRandomColor=false\n", "bRandomColor", "0"},
      {"[Booleans]\nbRandomColor=\n", "bRandomColor", "1"},  // empty keeps the value
      {"[Booleans]\nbSnapGrid=yes\n", "bSnapGrid", "error:'yes' is not a valid boolean value"},
      {"[Integers]\niGridX=4294967297\n", "iGridX", "1"},  // low 32 bits
      {"[Integers]\niGridX=-2147483649\n", "iGridX", "2147483647"},
      {"[Integers]\niGridX= 12 \n", "iGridX", "12"},
      {"[Strings]\nsIdentity=\n", "sIdentity", ""},
      {"[Strings]\nsNotesTitle=\n", "sNotesTitle", ""},  // present but empty empties it
      {"[Strings]\nsNotesTitle=a=b\n", "sNotesTitle", "a=b"},
      {"[strings]\nSNOTESTITLE=Note $id$\n", "sNotesTitle", "Note $id$"},
      {"[Strings]\r\nsIdentity=me\r\n", "sIdentity", "me"},
  };
  for (const auto& c : cases) {
    SetUp();
    writeIni(c.file);
    const std::string err = errorOf([&] { settings->Load(); });
    std::string got;
    if (!err.empty()) {
      got = "error:" + err;
    } else if (c.key[0] == 'b') {
      got = settings->GetBoolean(c.key) ? "1" : "0";
    } else if (c.key[0] == 'i') {
      got = std::to_string(settings->GetInteger(c.key));
    } else {
      got = settings->GetString(c.key);
    }
    EXPECT_EQ(got, c.expected) << c.file;
  }
}

TEST_F(SettingsTest, BooleanErrorKeepsEntriesReadBeforeIt) {
  writeIni("[Booleans]\nbRandomColor=0\nbSnapEdges=yes\nbSnapNotes=1\n[Strings]\nsIdentity=me\n");
  EXPECT_EQ(errorOf([&] { settings->Load(); }), "'yes' is not a valid boolean value");
  EXPECT_FALSE(settings->GetBoolean("bRandomColor"));  // read before the error
  EXPECT_FALSE(settings->GetBoolean("bSnapNotes"));    // never reached
  EXPECT_EQ(settings->GetString("sIdentity"), "");
}

TEST_F(SettingsTest, BadIntegerShowsMessageKeepsDefaultAndGoesOn) {
  writeIni("[Integers]\niGridX=abc\niGridY=16\n");
  settings->Load();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Error reading Integer value \"Integers\\iGridX\". Value = \"abc\". Value set to 8");
  EXPECT_EQ(settings->GetInteger("iGridX"), 8);
  EXPECT_EQ(settings->GetInteger("iGridY"), 16);
}

TEST_F(SettingsTest, SaveKeepsHandWrittenFileAndUndeclaredKeys) {
  writeIni(
      "; my settings\r\n[ booleans ]\r\nBSNAPGRID = 1\r\nmyOwnFlag=7\r\n\r\n[Other]\r\nkeep=this\r\n\r\n"
      "[INTEGERS]\r\niGridX=16\r\n");
  settings->Load();
  EXPECT_TRUE(settings->GetBoolean("bSnapGrid"));
  settings->SetInteger("iGridY", 4);
  settings->Save();
  const std::string expected =
      "; my settings\r\n[ booleans ]\r\nbSnapGrid=1\r\nmyOwnFlag=7\r\nbRandomColor=1\r\nbSnapEdges=1\r\n"
      "bSnapNotes=0\r\nbStartup=0\r\nbBringToFront=0\r\nbRemoveStayOnTop=0\r\nbPLayWAV1=0\r\nbPlayWAV2=0\r\n"
      "bWinXPShadow=1\r\n\r\n[Other]\r\nkeep=this\r\n\r\n[INTEGERS]\r\niGridX=16\r\niLastX=100\r\niLastY="
      "100\r\n"
      "iGridY=4\r\niDefaultFontSize=8\r\niDefaultFontColor=0\r\niSnapDistance=8\r\n\r\n[Strings]\r\n"
      "sDefaultFontName=MS Sans Serif\r\nsIdentity=\r\nsWAVFilename1=\r\nsWAVFilename2=\r\nsLastSend=\r\n"
      "sLastImportDir=\r\nsLastExportDir=\r\nsICODir=\r\nsTrayIcon=\r\nsNotesTitle=Quib [$id$]\r\n";
  EXPECT_EQ(readIni(), expected);
  // A second load and save changes nothing.
  auto again = CreateQuibSettings(dir.path());
  again->Load();
  again->Save();
  EXPECT_EQ(readIni(), expected);
}

TEST_F(SettingsTest, AccessorsByName) {
  EXPECT_TRUE(settings->GetBoolean("bplaywav1") == false);
  settings->SetBoolean("bPlayWAV1", true);
  EXPECT_TRUE(settings->GetBoolean("BPLAYWAV1"));
  settings->Save();
  EXPECT_NE(readIni().find("\r\nbPlayWAV1=1\r\n"), std::string::npos);
  EXPECT_EQ(readIni().find("bPLayWAV1"), std::string::npos);

  struct Case {
    std::function<void()> call;
    const char* error;
  } cases[] = {
      {[&] { settings->SetInteger("bSnapGrid", 1); }, "Integer Field \"bSnapGrid\" not found"},
      {[&] { settings->GetBoolean("iGridX"); }, "Boolean Field \"iGridX\" not found"},
      {[&] { settings->SetString("nothing", ""); }, "String Field \"nothing\" not found"},
      {[&] { settings->GetString("bSnapGrid"); }, "String Field \"bSnapGrid\" not found"},
  };
  for (const auto& c : cases) EXPECT_EQ(errorOf(c.call), c.error);
  EXPECT_FALSE(settings->GetBoolean("bSnapGrid"));

  settings->SetString("sIdentity", "");
  EXPECT_EQ(settings->GetString("sIdentity"), "");
  settings->SetInteger("iLastX", -5);
  EXPECT_EQ(settings->GetInteger("ilastx"), -5);
}

TEST_F(SettingsTest, LongValuesReadBackCutTo2047Characters) {
  const std::string longText(3000, 'x');
  settings->SetString("sLastSend", longText);
  settings->Save();
  auto again = CreateQuibSettings(dir.path());
  again->Load();
  EXPECT_EQ(again->GetString("sLastSend"), std::string(2047, 'x'));
}

TEST_F(SettingsTest, RegistryModeNeitherLoadsNorSaves) {
  writeIni("[Booleans]\nbSnapGrid=1\n");
  settings->UseRegistry = true;
  settings->Load();
  EXPECT_FALSE(settings->GetBoolean("bSnapGrid"));
  settings->Save();
  EXPECT_EQ(readIni(), "[Booleans]\nbSnapGrid=1\n");
}

TEST_F(SettingsTest, SectionPrefixAndPathOutsideAppFolder) {
  settings->IniSection = "Quib";
  settings->UseStartUpDir = false;
  settings->IniFileName = dir.path() + "other.ini";
  settings->SetString("sIdentity", "me");
  settings->Save();
  TIniFile ini(dir.path() + "other.ini");
  EXPECT_EQ(ini.ReadString("Quib\\Strings", "sIdentity", "?"), "me");
  EXPECT_FALSE(FileExists(iniPath()));
}

TEST_F(SettingsTest, FailedWriteRaisesAndLeavesTheOldFile) {
  writeIni(kFreshFile);
  settings->SetString("sIdentity", std::string(4096, 'y'));
  // A file size limit stands in for a full disk.
  struct rlimit old {};
  getrlimit(RLIMIT_FSIZE, &old);
  auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 1024;
  setrlimit(RLIMIT_FSIZE, &small);
  const std::string err = errorOf([&] { settings->Save(); });
  setrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(err, "Unable to write to " + iniPath());
  EXPECT_EQ(readIni(), kFreshFile);
  // No temporary file is left behind.
  int files = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++files;
  EXPECT_EQ(files, 1);
}

TEST_F(SettingsTest, LineBreaksInValuesNeverBreakTheFile) {
  settings->SetString("sNotesTitle", "a\r\nb");
  settings->SetString("sIdentity", "x\ry\n\nz");
  settings->Save();
  std::string expected = kFreshFile;
  expected.replace(expected.find("sIdentity=\r\n"), 12, "sIdentity=x y  z\r\n");
  expected.replace(expected.find("sNotesTitle=Quib [$id$]"), 23, "sNotesTitle=a b");
  EXPECT_EQ(readIni(), expected);
  auto again = CreateQuibSettings(dir.path());
  again->Load();
  EXPECT_EQ(again->GetString("sNotesTitle"), "a b");
  EXPECT_EQ(again->GetString("sIdentity"), "x y  z");
  EXPECT_EQ(again->GetString("sWAVFilename1"), "");
}

TEST_F(SettingsTest, SomethingUnreadableUnderTheNameRaisesAndIsNeverOverwritten) {
  struct Case {
    const char* name;
    std::function<void(const std::string&)> make;
    std::function<bool(const std::string&)> stillThere;
  } cases[] = {
      {"folder", [](const std::string& p) { std::filesystem::create_directory(p); },
       [](const std::string& p) { return std::filesystem::is_directory(p); }},
      {"pipe", [](const std::string& p) { ::mkfifo(p.c_str(), 0644); },
       [](const std::string& p) { return std::filesystem::is_fifo(p); }},
      {"link loop", [](const std::string& p) { std::filesystem::create_symlink(p, p); },
       [](const std::string& p) { return std::filesystem::is_symlink(p); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir fresh;
    const std::string path = fresh.path() + "quib.ini";
    c.make(path);
    auto store = CreateQuibSettings(fresh.path());
    EXPECT_EQ(errorOf([&] { store->Load(); }), "Unable to read " + path);
    store->SetBoolean("bSnapGrid", true);
    EXPECT_EQ(errorOf([&] { store->Save(); }), "Unable to read " + path);
    EXPECT_TRUE(c.stillThere(path));
  }
}

TEST_F(SettingsTest, ALinkToNothingIsAMissingFileCreatedThroughTheLink) {
  std::filesystem::create_symlink("real.ini", iniPath());
  settings->Load();
  EXPECT_EQ(settings->GetString("sNotesTitle"), "Quib [$id$]");
  settings->Save();
  EXPECT_TRUE(std::filesystem::is_symlink(iniPath()));
  EXPECT_EQ(ReadFileBytes(dir.path() + "real.ini"), kFreshFile);
}

TEST(IniFile, WritesReplaceInPlaceAppendToSectionAndAddSectionsAtTheEnd) {
  TempDir dir;
  const std::string path = dir.path() + "t.ini";
  WriteFileAtomic(path, "[A]\nx=1\n\n[B]\ny=2\n");
  TIniFile ini(path);
  ini.WriteString("a", "X", "10");
  ini.WriteString("A", "z", "3");
  ini.WriteString("C", "w", "4");
  ini.UpdateFile();
  EXPECT_EQ(ReadFileBytes(path), "[A]\r\nX=10\r\nz=3\r\n\r\n[B]\r\ny=2\r\n\r\n[C]\r\nw=4\r\n");
  EXPECT_EQ(ini.ReadString("c", "W", "?"), "4");
  EXPECT_EQ(ini.ReadString("B", "missing", "def"), "def");
  EXPECT_EQ(ini.ReadString("Missing", "y", "def"), "def");
}
