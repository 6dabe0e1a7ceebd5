// Never lose a note: start-up after files it cannot read, saving that fails for one note, a
// start that changes nothing, and an exit that cannot save.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <filesystem>

#include "app/UNotesSaver.h"
#include "app/UNotesTab.h"
#include "store/UTConfigurationManager.h"
#include "support/qt/PanelTest.h"

namespace fs = std::filesystem;

namespace {
class ReliabilityTest : public PanelTest {
 protected:
  static int noteWindows() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) n += qobject_cast<TfrmNote*>(w) != nullptr;
    return n;
  }
};

const std::string kHeader = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\" ?>\r\n\r\n";
}  // namespace

TEST_F(ReliabilityTest, AfterEveryStartUpFailureTheStoredNotesOpenAndNewNotesTakeFreeIds) {
  struct Case {
    const char* name;
    bool badSettings, badNotesFile, badText;
    int opened;  // stored notes with a window
  };
  // Whatever failed, the user sees every stored note.
  const Case cases[] = {
      {"notes file refused", false, true, false, 3},
      {"settings unreadable", true, false, false, 3},
      {"one text unreadable", false, false, true, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    stop();
    for (const auto& entry : fs::directory_iterator(dir.path())) fs::remove_all(entry.path());
    SetUp();
    dialogs.shown.clear();
    for (int id : {1, 2, 3})
      write("quibnotes/quibnote000" + std::to_string(id) + ".txt", "note " + std::to_string(id));
    const std::string notesFile =
        kHeader + (c.badNotesFile ? "<Quib>\r\n</Quib>\r\n" : "<quib>\r\n</quib>\r\n");
    write("quibnotes.xml", notesFile);
    if (c.badSettings)
      CreateDir(dir.path() + "quib.ini");
    else
      write("quib.ini", "[Strings]\r\nsIdentity=me\r\n");
    if (c.badText) {
      fs::remove(store->NoteTextPath(2));
      ASSERT_EQ(::mkfifo(store->NoteTextPath(2).c_str(), 0600), 0);
    }
    start("");
    EXPECT_EQ(list().Count(), c.opened);
    EXPECT_EQ(noteWindows(), c.opened);  // no window left behind for a note that did not open
    if (c.badText) {
      ASSERT_EQ(dialogs.Texts("message").size(), 1u);
      EXPECT_NE(dialogs.Texts("message")[0].find("quibnote0002.txt"), std::string::npos);
    }

    main->cmCreateQuibNoteClick();
    const TfrmNote& made = list().At(list().Count() - 1);
    EXPECT_EQ(made.Id(), 4);
    EXPECT_TRUE(main->Configs()->HasConfig(4));
    main->pmSaveAllNotesnowClick();
    EXPECT_EQ(read("quibnotes/quibnote0001.txt"), "note 1");
    EXPECT_EQ(read("quibnotes/quibnote0003.txt"), "note 3");
    EXPECT_NE(read("quibnotes.xml").find("<note id=\"4\" "), std::string::npos);
    if (c.badNotesFile) {
      EXPECT_EQ(read("quibnotes.xml.bak"), notesFile);
      EXPECT_NE(dialogs.Texts("message").back().find("quibnotes.xml.bak"), std::string::npos);
    }
  }
}

TEST_F(ReliabilityTest, ANoteThatCannotBeSavedCostsNoOtherAndIsToldOnceAndRetried) {
  start();
  for (int i = 0; i < 3; ++i) main->cmCreateQuibNoteClick();
  for (int i = 0; i < 3; ++i) list().At(i).SetLines({"typed " + std::to_string(i)});
  // Note 2's file cannot be replaced: a folder stands in its place.
  fs::remove(store->NoteTextPath(2));
  CreateDir(store->NoteTextPath(2));
  dialogs.shown.clear();
  TNotesSaver& saver = main->Saver();
  saver.AutoSave();
  EXPECT_EQ(read("quibnotes/quibnote0001.txt"), "typed 0\r\n");
  EXPECT_EQ(read("quibnotes/quibnote0003.txt"), "typed 2\r\n");
  EXPECT_NE(read("quibnotes.xml").find("<note id=\"3\" "), std::string::npos);
  ASSERT_EQ(dialogs.Texts("error").size(), 1u);
  EXPECT_NE(dialogs.Texts("error")[0].find("quibnote0002.txt"), std::string::npos);
  EXPECT_TRUE(list().At(1).Modified());
  EXPECT_TRUE(saver.AutosavePending());

  saver.AutoSave();
  EXPECT_EQ(dialogs.Texts("error").size(), 1u);  // still failing: not told again
  fs::remove(store->NoteTextPath(2));
  saver.AutoSave();
  EXPECT_EQ(read("quibnotes/quibnote0002.txt"), "typed 1\r\n");
  EXPECT_FALSE(list().At(1).Modified());
  EXPECT_FALSE(saver.AutosavePending());
  EXPECT_EQ(dialogs.Texts("error").size(), 1u);
}

TEST_F(ReliabilityTest, AStartThatChangesNothingWritesNothing) {
  // Written by hand, with LF line ends: the program would write it differently.
  const std::string byHand =
      "<quib>\n<note id=\"1\" left=\"40\" top=\"50\" width=\"200\" height=\"100\" minimized=\"0\" "
      "systemnote=\"0\" chat=\"0\" readonly=\"0\" ontop=\"0\" color=\"255\" fontsize=\"8\" "
      "fontcolor=\"0\" fontname=\"MS Sans Serif\" />\n</quib>\n";
  write("quibnotes.xml", byHand);
  write("quibnotes/quibnote0001.txt", "text\r\n");
  start();
  ASSERT_EQ(list().Count(), 1);
  TfrmNote& note = list().At(0);
  note.move(40, 50);  // the window manager settling it where it was
  main->Saver().AutoSave();
  EXPECT_EQ(read("quibnotes.xml"), byHand);
  note.move(60, 50);
  main->Saver().AutoSave();
  EXPECT_NE(read("quibnotes.xml").find("<note id=\"1\" left=\"60\" "), std::string::npos);
}

TEST_F(ReliabilityTest, ExitThatCannotSaveAsksAndNoKeepsEverything) {
  start();
  main->cmCreateQuibNoteClick();
  list().At(0).SetLines({"unsaved"});
  fs::remove(store->NoteTextPath(1));
  CreateDir(store->NoteTextPath(1));
  dialogs.confirmAnswers = {false};
  main->mmExitClick();
  EXPECT_FALSE(main->IsClosing());
  EXPECT_FALSE(main->ClosingAll());
  ASSERT_EQ(list().Count(), 1);
  EXPECT_TRUE(list().At(0).Modified());
  EXPECT_TRUE(main->Saver().AutosavePending());
  fs::remove(store->NoteTextPath(1));
  main->mmExitClick();
  EXPECT_TRUE(main->IsClosing());
  EXPECT_EQ(read("quibnotes/quibnote0001.txt"), "unsaved\r\n");
  main.reset();
}

TEST_F(ReliabilityTest, TheSessionManagersSaveRequestSavesEverythingAndGoesOn) {
  start();
  main->cmCreateQuibNoteClick();
  list().At(0).SetLines({"before logout"});
  main->CommitData();
  EXPECT_EQ(read("quibnotes/quibnote0001.txt"), "before logout\r\n");
  EXPECT_NE(read("quib.ini").find("sIdentity=tester"), std::string::npos);
  EXPECT_FALSE(main->ClosingAll());
  main->cmCreateQuibNoteClick();  // still running: the logout was called off
  EXPECT_EQ(list().Count(), 2);
}

TEST_F(ReliabilityTest, LineSeparatorsAreLineBreaksAndUpdateTextKeepsNonBreakingSpaces) {
  start();
  main->cmCreateQuibNoteClick();
  TfrmNote& note = list().At(0);
  // Shift+Enter and pasted text put these inside one block of the text area.
  note.mem->setPlainText(QString("one") + QChar(QChar::LineSeparator) + "two" +
                         QChar(QChar::ParagraphSeparator) + "three");
  note.SaveText();
  EXPECT_EQ(read("quibnotes/quibnote0001.txt"), "one\r\ntwo\r\nthree\r\n");

  TNotesTab& tab = notesTab();
  tab.Select(0);
  tab.memNote->setPlainText(QString("a") + QChar(QChar::Nbsp) + "b");
  tab.btnUpdateTextClick();
  EXPECT_EQ(note.Lines(), std::vector<std::string>{"a\xc2\xa0"
                                                   "b"});
}

TEST_F(ReliabilityTest, AWelcomeNoteThatCouldNotBeWrittenIsMadeAtTheNextStart) {
  // The notes folder cannot take files, but the settings can be written.
  fs::remove_all(store->NotesFolder());
  write("quibnotes", "not a folder");
  system.env = {{"USER", "tester"}};
  start("");
  ASSERT_EQ(list().Count(), 1);
  EXPECT_TRUE(list().At(0).Modified());
  stop();
  EXPECT_EQ(read("quib.ini").find("sIdentity=tester"), std::string::npos);

  fs::remove(dir.path() + "quibnotes");
  CreateDir(store->NotesFolder());
  for (const bool firstRunOver : {false, true}) {
    SCOPED_TRACE(firstRunOver);
    start("");
    EXPECT_EQ(list().Count(), 1);
    EXPECT_EQ(read("quibnotes/quibnote0001.txt").rfind("Welcome to Quib", 0), 0u);
    stop();
  }
  EXPECT_NE(read("quib.ini").find("sIdentity="), std::string::npos);
}

TEST_F(ReliabilityTest, AnEndThatSkipsTheClosingStepStillSavesTheFilesWithoutABox) {
  start();
  TfrmNote& note = newNote();
  main->Saver().AutoSave();
  const std::string settings = read("quib.ini");
  note.SetLines({"typed just before the display went"});
  note.move(77, 88);
  dialogs.shown.clear();
  main->Saver().SaveFilesAtExit();
  EXPECT_EQ(read("quibnotes/quibnote0001.txt"), "typed just before the display went\r\n");
  EXPECT_NE(read("quibnotes.xml").find("<note id=\"1\" left=\"77\" top=\"88\" "), std::string::npos);
  EXPECT_EQ(read("quib.ini"), settings);
  EXPECT_TRUE(dialogs.shown.empty());
  note.SetLines({"after the end"});
  main->Saver().SaveFilesAtExit();  // once only
  main->Saver().AutoSave();
  EXPECT_EQ(read("quibnotes/quibnote0001.txt"), "typed just before the display went\r\n");
}
