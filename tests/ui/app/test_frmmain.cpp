#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "app/UQuibApplication.h"
#include "app/UfrmMain.h"
#include "base/brRandom.h"
#include "store/UFileUtil.h"
#include "store/UNoteStore.h"
#include "store/UTConfigurationManager.h"
#include "store/UTNoteConfig.h"
#include "store/brRegVal.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

namespace {
class FrmMainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    system.folder = dir.path();
    platform.screens = &screens;
    platform.dialogs = &dialogs;
    platform.system = &system;
  }
  std::unique_ptr<TfrmMain> start() { return std::make_unique<TfrmMain>(platform, store, title); }
  void writeIni(const std::string& text) { WriteFileAtomic(dir.path() + "quib.ini", text); }
  std::string ini() {
    return FileExists(dir.path() + "quib.ini") ? ReadFileBytes(dir.path() + "quib.ini") : "";
  }
  template <class T>
  static T* child(TfrmMain& f, const char* name) {
    return f.findChild<T*>(QString::fromLatin1(name));
  }

  TempDir dir;
  TNoteStore store{dir.path()};
  FakeScreens screens{1024, 768, 30};
  FakeDialogs dialogs;
  FakeSystem system;
  TPlatform platform;
  TAppTitle title;
  TRandom random;  // for the records a test adds
};
}  // namespace

TEST_F(FrmMainTest, StartsHiddenWithItsCaptionsAndTabs) {
  auto f = start();
  EXPECT_TRUE(f->IsControlPanelHidden());
  EXPECT_FALSE(f->isVisible());
  EXPECT_EQ(f->windowTitle().toStdString().rfind("Quib v2.00c ", 0), 0u);
  auto* tabs = child<QTabWidget>(*f, "PageControl");
  ASSERT_EQ(tabs->count(), 4);
  const char* names[] = {"General Options", "Networking", "Quib-Notes", "Appearance"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(tabs->tabText(i).toStdString(), names[i]);
  EXPECT_EQ(child<QLabel>(*f, "lblFont")->text().toStdString(), "MS Sans Serif 8pt");
  EXPECT_TRUE(DirectoryExists(dir.path() + "quibnotes"));
  EXPECT_TRUE(dialogs.shown.empty());
  // Off every monitor while hidden.
  EXPECT_EQ(f->CurrentTopLeft().x(), 8 * 1024);
}

TEST_F(FrmMainTest, SnappingBoxesExcludeEachOther) {
  auto f = start();
  auto* grid = child<QCheckBox>(*f, "chkSnapGrid");
  auto* edges = child<QCheckBox>(*f, "chkSnapEdges");
  auto* notes = child<QCheckBox>(*f, "chkSnapNotes");
  struct Case {
    bool grid, edges, notes;  // before
    QCheckBox* clicked;
    bool expGrid, expEdges, expNotes;
  } cases[] = {
      {false, true, true, grid, true, false, false},   {true, false, false, edges, false, true, false},
      {true, false, false, notes, false, false, true}, {false, true, true, edges, false, false, true},
      {true, false, false, grid, false, false, false},  // unchecking changes nothing else
  };
  for (const auto& c : cases) {
    grid->setChecked(c.grid);
    edges->setChecked(c.edges);
    notes->setChecked(c.notes);
    c.clicked->click();
    EXPECT_EQ(grid->isChecked(), c.expGrid);
    EXPECT_EQ(edges->isChecked(), c.expEdges);
    EXPECT_EQ(notes->isChecked(), c.expNotes);
  }
}

TEST_F(FrmMainTest, StoredBoxesRunTheirClickActionsInLoadOrder) {
  struct Case {
    const char* booleans;
    bool grid, edges, notes;
  } cases[] = {
      {"bSnapGrid=1\nbSnapEdges=1\nbSnapNotes=0\n", false, true, false},  // edges read after grid
      {"bSnapGrid=1\nbSnapEdges=0\nbSnapNotes=0\n", true, false, false},
      {"bSnapGrid=1\nbSnapEdges=0\nbSnapNotes=1\n", false, false, true},
      {"bSnapGrid=0\nbSnapEdges=0\nbSnapNotes=0\n", false, false, false},
  };
  for (const auto& c : cases) {
    writeIni(std::string("[Booleans]\n") + c.booleans);
    auto f = start();
    EXPECT_EQ(f->SnapToScreenGrid(), c.grid) << c.booleans;
    EXPECT_EQ(f->SnapToScreenEdges(), c.edges) << c.booleans;
    EXPECT_EQ(f->SnapToOtherNotes(), c.notes) << c.booleans;
  }
}

TEST_F(FrmMainTest, RememberedPositionOnAndOffTheMonitors) {
  struct Case {
    int x, y;
    int expX, expY;
  } cases[] = {
      {100, 100, 100, 100},
      {1024, 738, 1024, 738},  // the work area's far corner still counts
      {5000, 100, -1, -1},     // -1: centred
      {100, 750, -1, -1},      // under the task bar
  };
  for (const auto& c : cases) {
    writeIni("[Integers]\niLastX=" + std::to_string(c.x) + "\niLastY=" + std::to_string(c.y) + "\n");
    auto f = start();
    const QPoint remembered = f->RememberedPosition();
    // Centred for the size the panel shows with, which its tabs decide only once laid out.
    f->ShowControlPanel();
    const QPoint expected =
        c.expX >= 0 ? QPoint(c.expX, c.expY) : QPoint((1024 - f->width()) / 2, (768 - f->height()) / 2);
    EXPECT_EQ(remembered, expected) << c.x << "," << c.y;
  }
}

TEST_F(FrmMainTest, CloseRequestHidesAndSavesAndTheProgramGoesOn) {
  auto f = start();
  f->ShowControlPanel();
  EXPECT_TRUE(f->isVisible());
  EXPECT_FALSE(f->IsControlPanelHidden());
  child<QSpinBox>(*f, "spnGridX")->setValue(21);
  EXPECT_FALSE(f->close());
  EXPECT_TRUE(f->IsControlPanelHidden());
  EXPECT_FALSE(f->IsClosing());
  EXPECT_NE(ini().find("iGridX=21\r\n"), std::string::npos);
  // The remembered position is the one it was shown at, not the hidden one.
  EXPECT_EQ(f->RememberedPosition(), QPoint(100, 100));
}

TEST_F(FrmMainTest, ShowingWithAPositionOffTheMonitorsPicksOneOnThem) {
  writeIni("[Integers]\niLastX=900\niLastY=200\n");
  auto f = start();
  screens.SetSingle(700, 600);  // the monitor the panel stood on is gone
  f->ShowControlPanel();
  const QPoint p = f->RememberedPosition();
  EXPECT_GE(p.x(), 0);
  EXPECT_GE(p.y(), 0);
  EXPECT_LT(p.x(), 700 - f->width());
  EXPECT_LT(p.y(), 600 - f->height());
}

TEST_F(FrmMainTest, ExitSavesTheSettingsExactlyOnce) {
  auto f = start();
  child<QLineEdit>(*f, "edtNotesTitle")->setText("Note $id$");
  f->mmExitClick();
  EXPECT_TRUE(f->IsClosing());
  EXPECT_NE(ini().find("sNotesTitle=Note $id$\r\n"), std::string::npos);
  writeIni("changed by hand");
  f->EndSession();  // a signal after Exit runs nothing again
  EXPECT_EQ(ini(), "changed by hand");
}

TEST_F(FrmMainTest, SettingsThatDoNotConvertStopStartUpAndAreNeverOverwritten) {
  writeIni("[Booleans]\nbSnapGrid=yes\n[Strings]\nsIdentity=me\n");
  auto f = start();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].kind, "error");
  EXPECT_EQ(dialogs.shown[0].title, "Quib v2.00c");
  EXPECT_EQ(dialogs.shown[0].text, "'yes' is not a valid boolean value.");
  EXPECT_TRUE(f->isVisible());
  EXPECT_EQ(f->CurrentTopLeft(), QPoint(427, 149));
  EXPECT_EQ(child<QLineEdit>(*f, "edtIdentity")->text().toStdString(), "");  // LoadSettings did not run
  f->close();
  f->mmExitClick();
  EXPECT_EQ(ini(), "[Booleans]\nbSnapGrid=yes\n[Strings]\nsIdentity=me\n");
}

TEST_F(FrmMainTest, IntegerThatDoesNotConvertIsReportedAndStartUpGoesOn) {
  writeIni("[Integers]\niGridY=x\n");
  auto f = start();
  EXPECT_EQ(dialogs.Texts("message"),
            std::vector<std::string>{
                "Error reading Integer value \"Integers\\iGridY\". Value = \"x\". Value set to 8"});
  EXPECT_EQ(f->GridY(), 8);
  EXPECT_TRUE(f->IsControlPanelHidden());
}

TEST_F(FrmMainTest, IdentityOnTheFirstRun) {
  struct Case {
    std::map<std::string, std::string> env;
    const char* stored;
    const char* expected;
  } cases[] = {
      {{{"USERNAME", "anna"}, {"USER", "root"}}, nullptr, "anna"},
      {{{"USER", "bert"}}, nullptr, "bert"},
      {{}, nullptr, ""},
      {{{"USERNAME", "anna"}}, "kept", "kept"},
  };
  for (const auto& c : cases) {
    writeIni(c.stored ? std::string("[Strings]\nsIdentity=") + c.stored + "\n" : "");
    system.env = c.env;
    auto f = start();
    EXPECT_EQ(child<QLineEdit>(*f, "edtIdentity")->text().toStdString(), c.expected);
  }
}

namespace {
const char* const kNotesHeader =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\" ?>\r\n\r\n";
}

TEST_F(FrmMainTest, MissingNotesFileIsCreatedEmptyAtStart) {
  writeIni("[Strings]\nsIdentity=me\n");  // not a first run: no welcome note
  auto f = start();
  EXPECT_EQ(ReadFileBytes(dir.path() + "quibnotes.xml"), std::string(kNotesHeader) + "<quib>\r\n</quib>\r\n");
  ASSERT_NE(f->Configs(), nullptr);
  EXPECT_EQ(f->Configs()->Count(), 0);
}

TEST_F(FrmMainTest, UnreadableNotesFileIsReportedAndNeverOverwritten) {
  const std::string bad = std::string(kNotesHeader) + "<Quib>\r\n</Quib>\r\n";
  WriteFileAtomic(dir.path() + "quibnotes.xml", bad);
  auto f = start();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].kind, "error");
  EXPECT_EQ(dialogs.shown[0].title, "Quib v2.00c");
  EXPECT_EQ(dialogs.shown[0].text, "The notes file \"" + dir.path() +
                                       "quibnotes.xml\" could not be read: Root node element is not "
                                       "recognised. Loading aborted!");
  EXPECT_TRUE(f->isVisible());
  EXPECT_EQ(f->CurrentTopLeft(), QPoint(427, 149));
  f->pmSaveAllNotesnowClick();
  f->mmExitClick();
  EXPECT_EQ(ReadFileBytes(dir.path() + "quibnotes.xml"), bad);
  EXPECT_FALSE(FileExists(dir.path() + "quibnotes.xml.bak"));
  // The settings were loaded before the failure, so they are still saved.
  EXPECT_NE(ini().find("[Strings]"), std::string::npos);
}

TEST_F(FrmMainTest, UnreadableNotesFileIsMovedAsideBeforeTheFirstWrite) {
  const std::string bad = "<quib><note id=\"x\" /></quib>";
  WriteFileAtomic(dir.path() + "quibnotes.xml", bad);
  WriteFileAtomic(dir.path() + "quibnotes.xml.bak", "older");
  auto f = start();
  EXPECT_EQ(dialogs.Texts("error"),
            std::vector<std::string>{"The notes file \"" + dir.path() +
                                     "quibnotes.xml\" could not be read: 'x' is not a valid integer value."});
  f->Configs()->AddConfig(1, CreateNoteConfig(1, f->Settings(), screens, random));
  f->pmSaveAllNotesnowClick();
  EXPECT_EQ(ReadFileBytes(dir.path() + "quibnotes.xml.bak1"), bad);
  EXPECT_EQ(ReadFileBytes(dir.path() + "quibnotes.xml.bak"), "older");
  ASSERT_EQ(dialogs.Texts("message").size(), 1u);
  EXPECT_NE(dialogs.Texts("message")[0].find(dir.path() + "quibnotes.xml.bak1"), std::string::npos);
  EXPECT_NE(ReadFileBytes(dir.path() + "quibnotes.xml").find("<note id=\"1\" "), std::string::npos);
  // Told once: the next save just writes.
  f->pmSaveAllNotesnowClick();
  EXPECT_EQ(dialogs.Texts("message").size(), 1u);
}

TEST_F(FrmMainTest, ANotesFileCutShortIsToldOnceNamingItAndKeptBeforeTheFirstWrite) {
  writeIni("[Strings]\nsIdentity=me\n");
  const std::string cut = std::string(kNotesHeader) + "<quib>\r\n<note id=\"1\" left=\"5\"/>\r\n<note id=";
  WriteFileAtomic(dir.path() + "quibnotes.xml", cut);
  auto f = start();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].kind, "message");
  EXPECT_NE(dialogs.shown[0].text.find("\"" + dir.path() + "quibnotes.xml\" is damaged"), std::string::npos);
  EXPECT_FALSE(f->isVisible());  // not a failed start: the panel hides as usual
  ASSERT_EQ(f->Configs()->Count(), 1);
  EXPECT_EQ(f->Configs()->At(0).Left, 5);
  f->pmSaveAllNotesnowClick();
  EXPECT_EQ(ReadFileBytes(dir.path() + "quibnotes.xml.bak"), cut);
  EXPECT_NE(ReadFileBytes(dir.path() + "quibnotes.xml").find("<note id=\"1\" left=\"5\" "),
            std::string::npos);
  EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(FrmMainTest, SaveConfigurationNowWritesTheNotesFileButNotTheSettings) {
  auto f = start();
  f->Configs()->AddConfig(3, CreateNoteConfig(3, f->Settings(), screens, random));
  const std::string settingsBefore = ini();
  f->pmSaveAllNotesnowClick();
  EXPECT_EQ(ini(), settingsBefore);
  EXPECT_NE(ReadFileBytes(dir.path() + "quibnotes.xml").find("<note id=\"3\" "), std::string::npos);
}
