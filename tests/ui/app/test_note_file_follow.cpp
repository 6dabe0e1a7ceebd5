#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTextBlock>

#include "store/UNoteFiles.h"
#include "support/FakeFolderWatch.h"
#include "support/qt/PanelTest.h"

namespace {
class FollowTest : public PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    platform.folderWatch = &watch;
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
