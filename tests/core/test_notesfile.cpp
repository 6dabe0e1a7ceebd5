#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>

#include "base/brRandom.h"
#include "graphics/brColorUtil.h"
#include "store/UFileUtil.h"
#include "store/UQuibError.h"
#include "store/UTConfigurationManager.h"
#include "store/UTNoteConfig.h"
#include "store/brRegVal.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

namespace {
const std::string header = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\" ?>";

class NotesFile : public ::testing::Test {
 protected:
  void write(const std::string& bytes) const { std::ofstream(path, std::ios::binary) << bytes; }
  std::string read() const { return ReadFileBytes(path); }
  std::unique_ptr<TConfigurationManager> load() {
    return std::make_unique<TConfigurationManager>(path, *settings, screens, random);
  }
  size_t filesInDir() const {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir.path()), {}));
  }

  TempDir dir;
  std::string path = dir.path() + "quibnotes.xml";
  std::unique_ptr<TbrRegVal> settings = CreateQuibSettings(dir.path());
  FakeScreens screens{1024, 768};
  TRandom random;
};
}  // namespace

TEST_F(NotesFile, MissingFileIsCreatedEmpty) {
  EXPECT_EQ(load()->Count(), 0);
  EXPECT_EQ(read(), header + "\r\n\r\n<quib>\r\n</quib>\r\n");
}

TEST_F(NotesFile, DefaultsDrawInOrderAndFollowTheSettings) {
  for (const bool randomColor : {true, false}) {
    settings->SetBoolean("bRandomColor", randomColor);
    settings->SetInteger("iDefaultFontSize", 12);
    settings->SetInteger("iDefaultFontColor", 255);
    settings->SetString("sDefaultFontName", "Sans");
    random.Seed(42);
    const auto r = CreateNoteConfig(7, *settings, screens, random);
    random.Seed(42);
    EXPECT_EQ(r->Left, random.Int(1024 - 128));
    EXPECT_EQ(r->Top, random.Int(768 - 128));
    EXPECT_EQ(r->Color, randomColor ? RandomColor(random) : 9300421);
    const int32_t next = random.Int(1000000);  // no further draw was taken
    EXPECT_EQ(r->Id, 7);
    EXPECT_EQ(r->Width, 128);
    EXPECT_EQ(r->Height, 128);
    EXPECT_FALSE(r->Minimized || r->SystemNote || r->Chat || r->ReadOnly || r->OnTop);
    EXPECT_EQ(r->FontSize, 12);
    EXPECT_EQ(r->FontColor, 255);
    EXPECT_EQ(r->FontName, "Sans");
    random.Seed(42);
    CreateNoteConfig(7, *settings, screens, random);
    EXPECT_EQ(random.Int(1000000), next);
  }
}

TEST_F(NotesFile, WritesEveryByteAsExpected) {
  TConfigurationManager m(TConfigurationManager::NoLoad{}, path, *settings, screens, random);
  auto r = CreateNoteConfig(1, *settings, screens, random);
  r->Left = 440, r->Top = 312, r->Width = 400, r->Height = 200, r->OnTop = true, r->Color = 9300421;
  m.AddConfig(1, std::move(r));
  EXPECT_FALSE(FileExists(path));  // made without loading: nothing touched
  m.SaveToFile();
  EXPECT_EQ(read(),
            header +
                "\r\n\r\n<quib>\r\n    <note id=\"1\" left=\"440\" top=\"312\" width=\"400\" height=\"200\" "
                "minimized=\"0\" systemnote=\"0\" chat=\"0\" readonly=\"0\" ontop=\"-1\" color=\"9300421\" "
                "fontsize=\"8\" fontcolor=\"0\" fontname=\"MS Sans Serif\" />\r\n</quib>\r\n");
}

TEST_F(NotesFile, LoadsRecordsOrStopsWithTheError) {
  struct Case {
    std::string body;    // between the header and the end of the file
    std::string result;  // "id:left:minimized:fontname" of each record, or the error message
  } cases[] = {
      {"<quib><note id=\"1\" left=\"-5\" minimized=\"True\"/><note id=\"2\" minimized=\"true\"/></quib>",
       "1:-5:1:MS Sans Serif 2:*:1:MS Sans Serif"},
      {"<quib><note id=\"1\" minimized=\"1\"/><note id=\"2\" minimized=\"-1\"/><note id=\"3\" "
       "minimized=\"False\"/>"
       "<note id=\"4\" minimized=\"0\"/></quib>",
       "1:*:1:MS Sans Serif 2:*:1:MS Sans Serif 3:*:0:MS Sans Serif 4:*:0:MS Sans Serif"},
      {"<quib><note id=\"1\" minimized=\"yes\"/></quib>", "'yes' is not a valid boolean value"},
      {"<quib><note id=\"1\" left=\"12px\"/></quib>", "'12px' is not a valid integer value"},
      {"<quib><note id=\"1\" left=\"2147483648\"/></quib>", "'2147483648' is not a valid integer value"},
      {"<Quib><note id=\"1\"/></Quib>", "Root node element is not recognised. Loading aborted!"},
      {"", "Root node element is not recognised. Loading aborted!"},
      {"<quib><note id=\"1\"></quib>", "Mismatched closing tag: </quib>"},
      {"<quib>\n<note fontname=\"A&amp;B\" id=\"1\"/>\n<note id=\"2\" fontname=\"A&B\"/>\n<note id=\"3\" "
       "fontname=\"&amp;lt;\"/></quib>",
       "1:*:0:A&B 2:*:0:A&B 3:*:0:<"},
      {"<!-- x --><quib><!-- c --><other id=\"9\"/>text<note id=\"1\" left=\"-1\" left=\"-2\" Left=\"-3\" "
       "x=\"y\">"
       "<note id=\"8\"/></note></quib><quib><note id=\"7\"/></quib>",
       "1:-2:0:MS Sans Serif"},
  };
  for (const auto& c : cases) {
    write(header + "\r\n\r\n" + c.body + "\r\n");
    std::string result;
    try {
      const auto m = load();
      for (int i = 0; i < m->Count(); ++i) {
        const TNoteConfig& r = m->At(i);
        const bool defaultLeft = r.Left >= 0 && r.Left < 1024 - 128;  // the cases give negative ones
        result += (i ? " " : "") + std::to_string(r.Id) + ":" + (defaultLeft ? "*" : std::to_string(r.Left)) +
                  ":" + (r.Minimized ? "1" : "0") + ":" + r.FontName;
      }
    } catch (const EQuibError& e) {
      result = e.what();
    }
    EXPECT_EQ(result, c.result) << c.body;
  }
}

TEST_F(NotesFile, RepeatedIdsAndAddedRecordsKeepTheirOrder) {
  write(header +
        "\r\n\r\n<quib>\r\n<note id=\"4\" left=\"1\"/>\r\n<note id=\"4\" left=\"2\"/>\r\n<note "
        "id=\"-1\"/></quib>");
  auto m = load();
  m->AddConfig(9, CreateNoteConfig(3, *settings, screens, random));  // the key is the id given here
  EXPECT_EQ(m->GetConfig(4)->Left, 1);
  EXPECT_EQ(m->GetConfig(9)->Id, 3);
  EXPECT_TRUE(m->HasConfig(-1));
  EXPECT_FALSE(m->HasConfig(3));
  m->SaveToFile();
  const auto again = load();
  ASSERT_EQ(again->Count(), 4);
  const int32_t ids[] = {4, 4, -1, 3}, lefts[] = {1, 2};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(again->At(i).Id, ids[i]);
  for (int i = 0; i < 2; ++i) EXPECT_EQ(again->At(i).Left, lefts[i]);
}

TEST_F(NotesFile, ExtremeValuesSurviveARoundTripAndTheGeometryIsBounded) {
  TConfigurationManager m(TConfigurationManager::NoLoad{}, path, *settings, screens, random);
  auto r = CreateNoteConfig(INT32_MAX, *settings, screens, random);
  r->Left = -300, r->Top = INT32_MIN, r->Width = INT32_MAX, r->Height = 0, r->Color = INT32_MIN,
  r->FontSize = -1;
  r->FontColor = -16777201;
  r->Minimized = r->SystemNote = r->Chat = r->ReadOnly = r->OnTop = true;
  r->FontName = "A&B <x> \"q\" 'a' &x; caf\xe9\xff";
  TNoteConfig expected = *r;
  // Twice the 1024 x 768 desktop at most, the grip's smallest at least, 16384 from its origin.
  expected.Top = -16384, expected.Width = 2048, expected.Height = 36;
  m.AddConfig(INT32_MAX, std::move(r));
  m.SaveToFile();
  EXPECT_NE(read().find("fontname=\"A&amp;B &lt;x&gt; &quot;q&quot; 'a' &amp;x; caf\xe9\xff\" />"),
            std::string::npos);
  const auto back = load();
  ASSERT_EQ(back->Count(), 1);
  const TNoteConfig& b = *back->GetConfig(INT32_MAX);
  EXPECT_EQ(std::tie(b.Id, b.Left, b.Top, b.Width, b.Height, b.Color, b.FontSize, b.FontColor, b.FontName),
            std::tie(expected.Id, expected.Left, expected.Top, expected.Width, expected.Height,
                     expected.Color, expected.FontSize, expected.FontColor, expected.FontName));
  EXPECT_TRUE(b.Minimized && b.SystemNote && b.Chat && b.ReadOnly && b.OnTop);
}

TEST(NoteRecordBounds, SizeWithinTwiceTheVirtualDesktopAndPlaceNear) {
  const TMonitor left{{0, 0, 1280, 800}, {0, 0, 1280, 776}};
  const TMonitor right{{1280, -200, 3200, 1000}, {1280, -200, 3200, 1000}};
  struct Case {
    const char* name;
    std::vector<TMonitor> monitors;
    int32_t left, top, width, height;
    int32_t boundLeft, boundTop, boundWidth, boundHeight;
  };
  const Case cases[] = {
      {"kept", {left}, -500, 700, 2000, 64, -500, 700, 2000, 64},
      {"giant", {left}, 0, 0, INT32_MAX, INT32_MAX, 0, 0, 2560, 1600},
      {"tiny and negative", {left}, 0, 0, -5, 0, 0, 0, 64, 36},
      {"far away", {left}, INT32_MAX, INT32_MIN, 128, 128, 16384, -16384, 128, 128},
      // The union of the monitors: 3200 x 1200 from (0, -200).
      {"two monitors", {left, right}, 0, -16584, INT32_MAX, INT32_MAX, 0, -16584, 6400, 2400},
      {"no monitors", {}, 0, 0, INT32_MAX, 100, 0, 0, 16384, 100},
      {"a wall of monitors",
       {{{0, 0, 20000, 12000}, {0, 0, 20000, 12000}}},
       0,
       0,
       INT32_MAX,
       20000,
       0,
       0,
       16384,
       16384},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TRandom random;
    TNoteConfig r(TNoteDefaults{}, FakeScreens{}, random);
    r.Left = c.left, r.Top = c.top, r.Width = c.width, r.Height = c.height;
    BoundNoteRecord(r, c.monitors);
    EXPECT_EQ(std::tie(r.Left, r.Top, r.Width, r.Height),
              std::tie(c.boundLeft, c.boundTop, c.boundWidth, c.boundHeight));
  }
}

TEST_F(NotesFile, AFileCutShortLoadsWhatWasReadAndIsKeptBeforeTheNextWrite) {
  struct Case {
    const char* name;
    std::string body;
    int records;
    bool damaged;
  };
  const Case cases[] = {
      {"cut inside the third record", "<quib>\r\n<note id=\"1\"/>\r\n<note id=\"2\"/>\r\n<note id=\"3\" wid",
       2, true},
      {"root not closed", "<quib><note id=\"1\"/>", 1, true},
      {"inside a comment", "<quib><note id=\"1\"/><!-- cut", 1, true},
      {"inside CDATA", "<quib><note id=\"1\"/><![CDATA[ cut", 1, true},
      {"note not closed", "<quib><note id=\"1\">", 1, true},
      {"whole", "<quib><note id=\"1\"/></quib>\r\n", 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(dir.path());
    std::filesystem::create_directory(dir.path());
    const std::string bytes = header + "\r\n\r\n" + c.body;
    write(bytes);
    const auto m = load();
    EXPECT_EQ(m->Count(), c.records);
    EXPECT_EQ(m->IsDamaged(), c.damaged);
    EXPECT_EQ(m->IsUnreadable(), c.damaged);
    if (!c.damaged) continue;
    EXPECT_THROW(m->SaveToFile(), EQuibError);
    EXPECT_EQ(read(), bytes);
    EXPECT_EQ(m->MoveAsideUnreadableFile(), path + ".bak");
    EXPECT_FALSE(m->IsDamaged());
    EXPECT_EQ(ReadFileBytes(path + ".bak"), bytes);
    m->SaveToFile();
    EXPECT_NE(read().find("<note id=\"" + std::to_string(c.records) + "\" "), std::string::npos);
  }
}

TEST_F(NotesFile, FailedWriteLeavesTheOldFile) {
  load();
  const std::string old = read();
  TConfigurationManager m(TConfigurationManager::NoLoad{}, path, *settings, screens, random);
  for (int i = 1; i <= 50; ++i) m.AddConfig(i, CreateNoteConfig(i, *settings, screens, random));
  // A full disk: writes beyond a few bytes fail.
  signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 200;
  setrlimit(RLIMIT_FSIZE, &small);
  EXPECT_THROW(m.SaveToFile(), EQuibError);
  setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_EQ(read(), old);
  // A folder the user may not write to (root may write anywhere, so drop to nobody in a child).
  chmod(dir.path().c_str(), 0555);
  const pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && setuid(65534) != 0) _exit(2);
    try {
      m.SaveToFile();
    } catch (const EQuibError& e) {
      _exit(std::string(e.what()).rfind("Cannot create file \"" + path + "\"", 0) == 0 ? 0 : 3);
    }
    _exit(1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  chmod(dir.path().c_str(), 0700);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(read(), old);
  EXPECT_EQ(filesInDir(), 1u);  // no temporary file left behind
}

TEST_F(NotesFile, UnreadableFileIsKeptAndMovedAsideWithoutOverwriting) {
  struct Case {
    std::vector<std::string> existing;  // backups already there
    std::string target;
  } cases[] = {{{}, ".bak"}, {{".bak"}, ".bak1"}, {{".bak", ".bak1"}, ".bak2"}, {{".bak1"}, ".bak"}};
  for (const auto& c : cases) {
    std::filesystem::remove_all(dir.path());
    std::filesystem::create_directory(dir.path());
    for (const auto& e : c.existing) std::ofstream(path + e) << e;
    const std::string broken = "<quib><note id=\"1\" left=\"x\"/></quib>";
    write(broken);
    TConfigurationManager m(TConfigurationManager::NoLoad{}, path, *settings, screens, random);
    EXPECT_THROW(m.LoadFromFile(), EQuibError);
    EXPECT_TRUE(m.IsUnreadable());
    EXPECT_EQ(m.Count(), 0);  // nothing from a half-read file
    try {
      m.SaveToFile();
      ADD_FAILURE() << "saved over an unreadable file";
    } catch (const EQuibError& e) {
      EXPECT_STREQ(e.what(), ("The notes file \"" + path +
                              "\" could not be read and is kept as it is. Saving the notes aborted!")
                                 .c_str());
    }
    EXPECT_EQ(read(), broken);
    EXPECT_EQ(m.MoveAsideUnreadableFile(), path + c.target);
    EXPECT_FALSE(m.IsUnreadable());
    EXPECT_FALSE(FileExists(path));
    EXPECT_EQ(ReadFileBytes(path + c.target), broken);
    for (const auto& e : c.existing) EXPECT_EQ(ReadFileBytes(path + e), e);
    m.SaveToFile();
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(m.MoveAsideUnreadableFile(), "");  // not marked: nothing is moved
    EXPECT_TRUE(FileExists(path));
  }
}

TEST(SplitTextLines, EveryKindOfBreakEndsALine) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"\n", {""}},
      {"\r\r\n", {"", ""}},
      {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
      {"a\n\nb\n", {"a", "", "b"}},
  };
  for (const auto& [text, lines] : cases) EXPECT_EQ(SplitTextLines(text), lines) << text;
}
