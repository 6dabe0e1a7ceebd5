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
std::string NotesPath(const TNoteStore& store, const std::string& name) {
  return store.NotesFolder() + "/" + name;
}
std::string CopyName(int32_t id, const std::string& ext = ".txt") {
  return "quibnote" + PadNumber(id, 4) + ".sync-conflict-20261209-031500-ABCDEFG" + ext;
}
const char* const kRecord7 =
    "<quib>\r\n<note id=\"7\" left=\"40\" top=\"50\" width=\"150\" height=\"140\" minimized=\"0\" "
    "systemnote=\"0\" chat=\"0\" readonly=\"0\" ontop=\"0\" color=\"255\" fontsize=\"8\" fontcolor=\"0\" "
    "fontname=\"Sans\" />\r\n</quib>\r\n";
}  // namespace

TEST_F(FollowTest, ANoteTextArrivingWithNoWindowOpensWithItsRecord) {
  struct Case {
    bool recorded;  // the notes file holds a record of the arriving id
    bool rescan;
  } cases[] = {{true, false}, {false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(&c - cases));
    fresh();
    if (c.recorded) write("quibnotes.xml", kRecord7);
    start();
    TfrmNote& typing = newNote();
    const int before = list().Count();
    WriteFileAtomic(store->NoteTextPath(7), "from elsewhere\r\n");
    if (c.rescan)
      watch.RunRescan();
    else
      watch.Report(store->NotesFolder(), {NoteTextFileName(7, false)});
    ASSERT_EQ(list().Count(), before + 1);
    TfrmNote& arrived = list().At(before);
    EXPECT_EQ(arrived.Id(), 7);
    EXPECT_EQ(arrived.Lines(), std::vector<std::string>{"from elsewhere"});
    EXPECT_FALSE(arrived.Modified());
    if (c.recorded) {
      EXPECT_EQ(arrived.geometry(), QRect(40, 50, 150, 140));
    }
    // Told again, or of the note's own save: still one window for it.
    watch.Report(store->NotesFolder(), {NoteTextFileName(7, false), NoteTextFileName(typing.Id(), false)});
    EXPECT_EQ(list().Count(), before + 1);
    EXPECT_GT(newNote().Id(), 7);
  }
}

TEST_F(FollowTest, ANoteWhoseFileWentElsewhereClosesAsDeletedOrKeepsItsEditsUnderANewId) {
  struct Case {
    bool renamed;  // given the deleted name, else removed
    bool typed;
  } cases[] = {{true, false}, {false, false}, {true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(&c - cases));
    fresh();
    start();
    TfrmNote& note = newNote();
    note.SetLines({"saved"});
    note.SaveText();
    const int32_t id = note.Id();
    const std::string live = store->NoteTextPath(id);
    if (c.renamed)
      ASSERT_TRUE(RenameFile(live, store->DeletedNoteTextPath(id)));
    else
      std::filesystem::remove(live);
    if (c.typed) note.SetLines({"typed"});
    watch.Report(store->NotesFolder(), {NoteTextFileName(id, false)});
    QApplication::processEvents();
    if (c.typed) {
      ASSERT_EQ(list().Count(), 1);
      EXPECT_GT(list().At(0).Id(), id);
      EXPECT_EQ(ReadTextLines(store->NoteTextPath(list().At(0).Id())), std::vector<std::string>{"typed"});
    } else {
      EXPECT_EQ(list().Count(), 0);
    }
    stop();
    EXPECT_FALSE(FileExists(live));
    start();
    EXPECT_EQ(list().Count(), c.typed ? 1 : 0);
    EXPECT_FALSE(FileExists(live));
  }
}

TEST_F(FollowTest, AConflictCopyOfANoteTextBecomesANoteThenGoes) {
  enum class When { Reported, Rescan, Startup };
  struct Case {
    When when;
    std::string copyText;
    std::string ext;  // ".~txt": a copy of a deleted note's text
    bool adopted;     // a new note holds the copy's text
    bool removed;
  } cases[] = {
      {When::Reported, "theirs\r\n", ".txt", true, true},
      {When::Rescan, "theirs\r\n", ".txt", true, true},
      {When::Startup, "theirs\r\n", ".txt", true, true},
      {When::Reported, "ours\r\n", ".txt", false, true},
      {When::Reported, "theirs\r\n", ".~txt", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(&c - cases));
    fresh();
    WriteFileAtomic(store->NoteTextPath(1), "ours\r\n");
    const std::string copy = NotesPath(*store, CopyName(1, c.ext));
    if (c.when == When::Startup) WriteFileAtomic(copy, c.copyText);
    start();
    ASSERT_EQ(list().Count(), c.when == When::Startup && c.adopted ? 2 : 1);
    if (c.when != When::Startup) {
      WriteFileAtomic(copy, c.copyText);
      if (c.when == When::Rescan)
        watch.RunRescan();
      else
        watch.Report(store->NotesFolder(), {CopyName(1, c.ext)});
    }
    ASSERT_EQ(list().Count(), c.adopted ? 2 : 1);
    EXPECT_EQ(FileExists(copy), !c.removed);
    EXPECT_EQ(ReadTextLines(store->NoteTextPath(1)), std::vector<std::string>{"ours"});
    if (c.adopted) {
      const TfrmNote& made = list().At(1);
      EXPECT_GT(made.Id(), 1);
      EXPECT_EQ(ReadTextLines(store->NoteTextPath(made.Id())), std::vector<std::string>{"theirs"});
    }
  }
}
