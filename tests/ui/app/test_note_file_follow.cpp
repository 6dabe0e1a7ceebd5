#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <filesystem>

#include "store/UNoteFiles.h"
#include "store/UNoteStore.h"
#include "support/FakeFolderWatch.h"
#include "support/qt/PanelTest.h"

namespace {
class FollowTest : public PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    platform.folderWatch = &watch;
  }
  // A data folder with no notes yet, for the next case of a table.
  void fresh() {
    stop();
    std::filesystem::remove_all(store->NotesFolder());
    std::filesystem::remove(dir.path() + "quibnotes.xml");
    CreateDir(store->NotesFolder());
  }
  FakeFolderWatch watch;
};

const std::vector<std::string> kOurs = {"one", "two", "three"};
const std::vector<std::string> kTheirs = {"eins", "zwei", "drei", "vier"};
}  // namespace

TEST_F(FollowTest, ANoteTakesTextChangedByOthersKeepsUnsavedEditsAndIgnoresItsOwnWrites) {
  enum class Change { Theirs, Ours };
  struct Case {
    Change change;
    bool typed;   // unsaved edits in the note when the news arrives
    bool rescan;  // the news comes from the slow rescan, not the watch
    std::vector<std::string> shown;
    int newNotes;
  } cases[] = {
      {Change::Theirs, false, false, kTheirs, 0},
      {Change::Theirs, false, true, kTheirs, 0},
      {Change::Theirs, true, false, {"typed"}, 1},
      {Change::Ours, false, false, {"saved by us"}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(&c - cases));
    start();
    ASSERT_EQ(watch.watched.count(store->NotesFolder()), 1u);
    EXPECT_GT(watch.rescanMs, 0);
    TfrmNote& note = newNote();
    note.SetLines(kOurs);
    note.SaveText();
    note.mem->setTextCursor(QTextCursor(note.mem->document()->findBlockByNumber(2)));
    const int before = list().Count();
    const std::string path = store->NoteTextPath(note.Id());
    if (c.change == Change::Ours) {
      note.SetLines({"saved by us"});
      note.SaveText();
    } else {
      WriteFileAtomic(path, "eins\r\nzwei\r\ndrei\r\nvier\r\n");
    }
    if (c.typed) note.SetLines({"typed"});
    if (c.rescan)
      watch.RunRescan();
    else
      watch.Report(store->NotesFolder(), {NoteTextFileName(note.Id(), false)});

    EXPECT_EQ(note.Lines(), c.shown);
    EXPECT_EQ(note.Modified(), c.typed);
    if (!c.typed && c.change == Change::Theirs) {
      EXPECT_EQ(note.mem->textCursor().blockNumber(), 2);
    }
    ASSERT_EQ(list().Count(), before + c.newNotes);
    if (c.newNotes) {
      TfrmNote& incoming = list().At(list().Count() - 1);
      EXPECT_NE(incoming.Id(), note.Id());
      EXPECT_EQ(incoming.Lines(), kTheirs);
      EXPECT_EQ(ReadTextLines(store->NoteTextPath(incoming.Id())), kTheirs);
    }
    // The edited note saves over the old file only now that the incoming text has a file of its own.
    stop();
    const std::vector<std::string> last = c.typed ? std::vector<std::string>{"typed"} : c.shown;
    EXPECT_EQ(ReadTextLines(path), last);
  }
}

namespace {
const char* const kRecord7 =
    "<quib>\r\n<note id=\"7\" left=\"40\" top=\"50\" width=\"150\" height=\"140\" minimized=\"0\" "
    "systemnote=\"0\" chat=\"0\" readonly=\"0\" ontop=\"0\" color=\"255\" fontsize=\"8\" fontcolor=\"0\" "
    "fontname=\"Sans\" />\r\n</quib>\r\n";
}  // namespace

TEST_F(FollowTest, ANoteTextArrivingWithNoWindowOpensOnceFromItsRecord) {
  for (const bool recorded : {true, false}) {
    fresh();
    if (recorded) write("quibnotes.xml", kRecord7);
    start();
    WriteFileAtomic(store->NoteTextPath(7), "from elsewhere\r\n");
    watch.Report(store->NotesFolder(), {NoteTextFileName(7, false)});
    watch.RunRescan();  // told again: still one window
    ASSERT_EQ(list().Count(), 1);
    EXPECT_EQ(list().At(0).Lines(), std::vector<std::string>{"from elsewhere"});
    EXPECT_EQ(list().At(0).geometry() == QRect(40, 50, 150, 140), recorded);
    EXPECT_GT(newNote().Id(), 7);
  }
}

TEST_F(FollowTest, ANoteWhoseFileWentElsewhereStaysDeletedOrKeepsItsEditsUnderANewId) {
  struct Case {
    bool renamed;  // given the deleted name, else removed
    bool typed;
  } cases[] = {{true, false}, {false, false}, {true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(&c - cases));
    fresh();
    start();
    TfrmNote& note = newNote();
    const std::string live = store->NoteTextPath(note.Id());
    if (c.renamed)
      ASSERT_TRUE(RenameFile(live, store->DeletedNoteTextPath(note.Id())));
    else
      std::filesystem::remove(live);
    if (c.typed) note.SetLines({"typed"});
    watch.Report(store->NotesFolder(), {NoteTextFileName(note.Id(), false)});
    QApplication::processEvents();
    EXPECT_EQ(list().Count(), c.typed ? 1 : 0);
    stop();
    start();
    EXPECT_FALSE(FileExists(live));
    ASSERT_EQ(list().Count(), c.typed ? 1 : 0);
    if (c.typed) {
      EXPECT_EQ(list().At(0).Lines(), std::vector<std::string>{"typed"});
    }
  }
}

TEST_F(FollowTest, AConflictCopyOfANoteTextBecomesANoteThenGoes) {
  struct Case {
    bool atStart;  // there before the program starts, else reported while it runs
    const char* text;
    const char* ext;  // ".~txt": a copy of a deleted note's text, left alone
    bool adopted;
  } cases[] = {
      {false, "theirs\r\n", ".txt", true},
      {true, "theirs\r\n", ".txt", true},
      {false, "ours\r\n", ".txt", false},
      {false, "theirs\r\n", ".~txt", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(&c - cases));
    fresh();
    WriteFileAtomic(store->NoteTextPath(1), "ours\r\n");
    const std::string name = std::string("quibnote0001.sync-conflict-20261209-031500-ABCDEFG") + c.ext;
    const std::string copy = store->NotesFolder() + "/" + name;
    if (c.atStart) WriteFileAtomic(copy, c.text);
    start();
    if (!c.atStart) {
      WriteFileAtomic(copy, c.text);
      watch.Report(store->NotesFolder(), {name});
    }
    ASSERT_EQ(list().Count(), c.adopted ? 2 : 1);
    EXPECT_EQ(FileExists(copy), std::string(c.ext) == ".~txt");
    EXPECT_EQ(ReadTextLines(store->NoteTextPath(1)), std::vector<std::string>{"ours"});
    if (c.adopted) {
      EXPECT_EQ(ReadTextLines(store->NoteTextPath(list().At(1).Id())), std::vector<std::string>{"theirs"});
    }
  }
}
