#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <functional>

#include "app/UNotesSaver.h"
#include "app/UNotesTab.h"
#include "platform/QtCanvas.h"
#include "store/UTConfigurationManager.h"
#include "store/UTNoteConfig.h"
#include "support/qt/PanelTest.h"

namespace {
class NotesTest : public PanelTest {
 protected:
  void touch(const std::string& name, const std::string& text = "") { write("quibnotes/" + name, text); }
  TNotesTab& tab() { return notesTab(); }
};
}  // namespace

TEST_F(NotesTest, FirstStartMakesTheWelcomeNoteCentredWithItsTextFileAtOnce) {
  system.env = {{"USERNAME", "anna"}};
  start("");
  ASSERT_EQ(list().Count(), 1);
  TfrmNote& note = list().At(0);
  EXPECT_EQ(note.Id(), 1);
  EXPECT_EQ(note.geometry(), QRect(312, 284, 400, 200));
  const auto lines = ReadTextLines(store->NoteTextPath(1));
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(lines[0], "Welcome to Quib v2.00c");
  EXPECT_EQ(lines[3], "[F4] creates a new note on your desktop");
  EXPECT_EQ(lines[8], "Enjoy!");
  EXPECT_TRUE(main->Configs()->HasConfig(1));
  main->mmExitClick();
  main.reset();
  start("");
  EXPECT_EQ(list().Count(), 1);  // the stored note, no second welcome
}

TEST_F(NotesTest, StartOpensLiveNotesAndNewIdsPassEveryFileInTheFolder) {
  struct Case {
    std::vector<std::string> files;
    std::vector<int> opened;
    int next;
  } cases[] = {
      {{"quibnote0002.txt", "quibnote0005.txt", "quibnote0004.~txt", "quibnote0009.~txt"}, {2, 5}, 10},
      {{"quibnote0003.txt", "quibnote0007.~txt"}, {3}, 8},
      {{"QuibNote0003.TXT", "notes0009.txt", "quibnoteabc.txt"}, {3}, 4},
      {{"quibnote12345.txt"}, {12345}, 12346},
  };
  for (const auto& c : cases) {
    TearDown();
    std::filesystem::remove_all(dir.path() + "quibnotes");
    SetUp();
    for (const auto& f : c.files) touch(f, "x");
    start();
    std::vector<int> ids;
    for (int i = 0; i < list().Count(); ++i) ids.push_back(list().At(i).Id());
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, c.opened);
    main->cmCreateQuibNoteClick();
    EXPECT_EQ(list().At(list().Count() - 1).Id(), c.next);
    EXPECT_TRUE(FileExists(store->NoteTextPath(c.next)));
    EXPECT_EQ(ReadFileBytes(store->NoteTextPath(c.next)), "");
  }
}

TEST_F(NotesTest, EntryCaptionsFollowTheFlagsChatFirst) {
  start();
  struct Case {
    bool chat, system;
    const char* caption;
  } cases[] = {
      {false, false, "Quib-Note [1]"},
      {false, true, "System Quib-Note [1]"},
      {true, false, "Quib-Chat [1]"},
      {true, true, "Quib-Chat [1]"},
  };
  main->cmCreateQuibNoteClick();
  TfrmNote& note = list().At(0);
  for (const auto& c : cases) {
    note.SetChat(c.chat);
    note.SetSystemNote(c.system);
    EXPECT_EQ(TNotesList::Caption(note), c.caption);
  }
}

TEST_F(NotesTest, DetailsPaneFollowsTheSelection) {
  start();
  main->cmCreateQuibNoteClick();
  main->cmCreateQuibNoteClick();
  TfrmNote& first = list().At(0);
  TfrmNote& second = list().At(1);
  first.SetLines({"hello", "world"});
  first.setGeometry(10, 20, 150, 160);
  second.SetReadOnly(true);

  tab().Select(0);
  EXPECT_EQ(tab().lblPos->text().toStdString(), "10, 20");
  EXPECT_EQ(tab().lblSize->text().toStdString(), "150 x 160 pixels");
  EXPECT_EQ(tab().memNote->toPlainText().toStdString(), "hello\nworld");
  EXPECT_TRUE(tab().btnUpdateText->isEnabled());
  first.Minimize();
  tab().Select(0);
  EXPECT_EQ(tab().lblSize->text().toStdString(), "150 x 160 pixels");  // the full size

  tab().Select(1);
  EXPECT_FALSE(tab().btnUpdateText->isEnabled());

  // A chat note leaves the text box as it was.
  second.SetChat(true);
  tab().Select(0);
  tab().Select(1);
  EXPECT_EQ(tab().memNote->toPlainText().toStdString(), "hello\nworld");

  // Update Text changes the note, marks it modified and writes no file.
  second.SetChat(false);
  second.SetReadOnly(false);
  tab().Select(1);
  tab().memNote->setPlainText("new text");
  QTest::mouseClick(tab().btnUpdateText, Qt::LeftButton);
  EXPECT_EQ(second.Lines(), std::vector<std::string>{"new text"});
  EXPECT_TRUE(second.Modified());
  EXPECT_EQ(ReadFileBytes(store->NoteTextPath(second.Id())), "");

  // After a removal nothing is selected.
  list().RemoveNoteFromList(second.Id());
  EXPECT_EQ(list().Count(), 1);
  EXPECT_EQ(tab().lblPos->text().toStdString(), "...");
  EXPECT_EQ(tab().lblSize->text().toStdString(), "...");
  EXPECT_TRUE(tab().memNote->toPlainText().isEmpty());
  EXPECT_FALSE(tab().btnUpdateText->isEnabled());
  delete &second;  // out of the list, so the panel no longer deletes it (a close only collapses it)
}

TEST_F(NotesTest, TheSelectedEntryIsAlwaysMarkedAndEnterOrADoubleClickOpensItsNote) {
  start();
  for (const TColor c : {RGB(250, 240, 200), RGB(200, 230, 250)}) newNote().SetNoteColor(c);
  TFontSpec font = list().At(1).TextFont();
  font.Color = RGB(150, 0, 0);
  list().At(1).SetTextFont(font);
  main->ShowControlPanel();
  main->findChild<QTabWidget*>("PageControl")->setCurrentWidget(tab().parentWidget());
  QListWidget* lb = tab().lbNotes;
  lb->setFocus();
  const QRect second = lb->visualItemRect(lb->item(1));
  // A dotted frame in the entry's font colour, drawn whether or not the list has the focus.
  const auto marked = [&](int row) {
    const QRect r = lb->visualItemRect(lb->item(row));
    const QImage shot = lb->viewport()->grab().toImage();
    const TColor at = FromQColor(shot.pixelColor(r.topLeft())),
                 next = FromQColor(shot.pixelColor(r.left() + 1, r.top()));
    return at == list().At(row).TextFont().Color && next == list().At(row).NoteColor();
  };
  QTest::mouseClick(lb->viewport(), Qt::LeftButton, {}, second.center());
  EXPECT_TRUE(marked(1));
  EXPECT_FALSE(marked(0));
  main->findChild<QPushButton*>("btnExit")->setFocus();
  EXPECT_TRUE(marked(1));

  struct Case {
    const char* what;
    int row;
    std::function<void()> open;
  } cases[] = {
      {"Enter", 1, [&] { QTest::keyClick(lb, Qt::Key_Return); }},
      {"a double-click", 0,
       [&] {
         const QPoint at = lb->visualItemRect(lb->item(0)).center();
         QTest::mouseClick(lb->viewport(), Qt::LeftButton, {}, at);
         QTest::mouseDClick(lb->viewport(), Qt::LeftButton, {}, at);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TfrmNote& note = list().At(c.row);
    note.Minimize();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    tab().Select(c.row);
    lb->setFocus();
    c.open();
    EXPECT_FALSE(note.Minimized());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&note));
    EXPECT_EQ(QApplication::focusWidget(), note.mem);
  }
}

TEST_F(NotesTest, ExitSavesModifiedTextsTheSettingsAndTheRecords) {
  start();
  main->cmCreateQuibNoteClick();
  TfrmNote& note = list().At(0);
  note.SetLines({"typed"});
  note.setGeometry(40, 50, 200, 100);
  main->mmExitClick();
  EXPECT_EQ(ReadFileBytes(store->NoteTextPath(1)), "typed\r\n");
  const std::string xml = ReadFileBytes(dir.path() + "quibnotes.xml");
  EXPECT_NE(xml.find("<note id=\"1\" left=\"40\" top=\"50\" width=\"200\" height=\"100\" "),
            std::string::npos);
  main.reset();
}

TEST_F(NotesTest, AutosaveWritesChangedNotesButNotTheSettings) {
  start();
  main->cmCreateQuibNoteClick();
  const std::string settingsBefore = ReadFileBytes(dir.path() + "quib.ini");
  TfrmNote& note = list().At(0);
  note.SetLines({"soon saved"});
  EXPECT_TRUE(main->Saver().AutosavePending());
  QTest::qWait(3300);
  EXPECT_EQ(ReadFileBytes(store->NoteTextPath(1)), "soon saved\r\n");
  EXPECT_FALSE(note.Modified());
  EXPECT_NE(ReadFileBytes(dir.path() + "quibnotes.xml").find("<note id=\"1\" "), std::string::npos);
  EXPECT_EQ(ReadFileBytes(dir.path() + "quib.ini"), settingsBefore);
}

TEST_F(NotesTest, ClosingANoteOtherThanByDeleteCollapsesItAndKeepsItInReach) {
  start();
  main->cmCreateQuibNoteClick();
  TfrmNote* note = &list().At(0);
  note->SetLines({"keep me"});
  note->setGeometry(70, 80, 150, 140);
  note->close();
  QCoreApplication::processEvents();
  ASSERT_EQ(list().Count(), 1);
  EXPECT_TRUE(note->isVisible());
  EXPECT_TRUE(note->Minimized());
  EXPECT_EQ(ReadFileBytes(store->NoteTextPath(1)), "keep me\r\n");
  main->mmExitClick();
  main.reset();
  start();
  ASSERT_EQ(list().Count(), 1);
  EXPECT_TRUE(list().At(0).Minimized());
  EXPECT_EQ(list().At(0).pos(), QPoint(70, 80));
  EXPECT_EQ(list().At(0).FullSize(), QSize(150, 140));
}

TEST_F(NotesTest, AHandNamedTextFileBecomesTheNotesOwn) {
  touch("QuibNote0003.TXT", "written by hand\r\n");
  touch("quibnote7.bak.txt", "seven\r\n");
  touch("quibnote0007.txt", "the real seven\r\n");
  start();
  ASSERT_EQ(list().Count(), 2);
  for (int i = 0; i < 2; ++i) {
    const TfrmNote& note = list().At(i);
    const std::vector<std::string> expected = {note.Id() == 3 ? "written by hand" : "the real seven"};
    EXPECT_EQ(note.Lines(), expected) << note.Id();
  }
  EXPECT_EQ(ReadFileBytes(store->NoteTextPath(3)), "written by hand\r\n");
  EXPECT_FALSE(FileExists(dir.path() + "quibnotes/QuibNote0003.TXT"));
  EXPECT_TRUE(FileExists(dir.path() + "quibnotes/quibnote7.bak.txt"));  // note 7 has its own file
}

TEST_F(NotesTest, ArrangeMenuMinimizesAndGroupsAndBringsBackLostNotes) {
  start();
  const int lefts[] = {0, 200, 50, 100, 150};
  const int tops[] = {0, 100, 20, 60, 80};
  for (int i = 0; i < 5; ++i) {
    main->cmCreateQuibNoteClick();
    list().At(i).move(lefts[i], tops[i]);
  }
  main->cmArrangeInaClusterClick();
  const std::pair<int, int> expected[] = {{83, 41}, {99, 41}, {115, 41}, {83, 57}, {99, 57}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_TRUE(list().At(i).Minimized());
    EXPECT_EQ(list().At(i).size(), QSize(17, 17));
    EXPECT_EQ(std::make_pair(list().At(i).x(), list().At(i).y()), expected[i]) << i;
  }
  main->cmMaximizeAllClick();
  EXPECT_EQ(list().At(0).size(), QSize(128, 128));

  list().At(1).move(3000, 10);  // off every monitor
  main->cmShowLostNotesClick();
  EXPECT_EQ(list().At(0).pos(), QPoint(83, 41));  // not lost: left alone
  EXPECT_LT(list().At(1).x(), 1024 - 128);
  EXPECT_LT(list().At(1).y(), 768 - 128);
}
