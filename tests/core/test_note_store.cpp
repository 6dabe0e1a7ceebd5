// The notes store's reading and writing of note texts, and its memory of what it last read or
// wrote, which tells its own versions of the files from someone else's.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/brRandom.h"
#include "store/UFileUtil.h"
#include "store/UNoteFiles.h"
#include "store/UNoteStore.h"
#include "store/UQuibError.h"
#include "store/UTConfigurationManager.h"
#include "store/brRegVal.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

namespace {
namespace fs = std::filesystem;

class NoteStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { CreateDir(store.NotesFolder()); }
  TempDir dir;
  TNoteStore store{dir.path()};
};
}  // namespace

TEST_F(NoteStoreTest, TextsKeepTheirEncodingAndAFailedWriteKeepsTheFile) {
  EXPECT_FALSE(store.ReadNoteText(1)) << "no file, no text";
  WriteFileAtomic(store.NoteTextPath(1), "caf\xe9\r\nzwei");
  const auto text = store.ReadNoteText(1);
  ASSERT_TRUE(text);
  EXPECT_EQ(text->Lines, (std::vector<std::string>{"caf\xc3\xa9", "zwei"}));
  EXPECT_EQ(store.WriteNoteText(1, {"th\xc3\xa9"}, text->Encoding), TTextEncoding::Windows1252);
  EXPECT_EQ(ReadFileBytes(store.NoteTextPath(1)), "th\xe9\r\n");

  CreateDir(store.NoteTextPath(2));
  EXPECT_THROW(store.WriteNoteText(2, {"lost?"}, TTextEncoding::Utf8), EQuibError);
  EXPECT_TRUE(fs::is_directory(store.NoteTextPath(2)));
  EXPECT_FALSE(store.LastKnown(store.NoteTextPath(2)));
}

TEST_F(NoteStoreTest, TellsItsOwnWritesFromSomeoneElses) {
  struct Case {
    const char* what;
    std::function<void(const std::string& path)> after;  // done to the file after the store wrote it
    TFileState state;
  };
  const Case cases[] = {
      {"left alone", [](const std::string&) {}, TFileState::Same},
      {"the same bytes written again", [](const std::string& p) { WriteFileAtomic(p, "mine\r\n"); },
       TFileState::Same},
      {"other bytes of the same size", [](const std::string& p) { WriteFileAtomic(p, "your\r\n"); },
       TFileState::Changed},
      {"a line added", [](const std::string& p) { WriteFileAtomic(p, "mine\r\ntheirs\r\n"); },
       TFileState::Changed},
      {"removed", [](const std::string& p) { fs::remove(p); }, TFileState::Gone},
      {"a folder in its place",
       [](const std::string& p) {
         fs::remove(p);
         CreateDir(p);
       },
       TFileState::Gone},
  };
  for (const auto& c : cases) {
    TNoteStore fresh(dir.path());
    fs::remove_all(fresh.NotesFolder());
    CreateDir(fresh.NotesFolder());
    const std::string path = fresh.NoteTextPath(3);
    EXPECT_FALSE(fresh.CheckOwnVersion(path)) << c.what << ": never written in this run";
    fresh.WriteNoteText(3, {"mine"}, TTextEncoding::Utf8);
    c.after(path);
    EXPECT_EQ(fresh.CheckOwnVersion(path), c.state) << c.what;
    if (c.state == TFileState::Gone) continue;
    // The next write of the note: someone else's version is kept as a note of its own first.
    const std::string theirs = ReadFileBytes(path);
    fresh.WriteNoteText(3, {"again"}, TTextEncoding::Utf8);
    EXPECT_EQ(ReadFileBytes(path), "again\r\n") << c.what;
    const auto live = fresh.ListNoteTextFiles(false);
    ASSERT_EQ(live.size(), c.state == TFileState::Changed ? 2u : 1u) << c.what;
    if (live.size() == 2) {
      const std::string copy =
          fresh.NotesFolder() + "/" + (live[0] == NoteTextFileName(3, false) ? live[1] : live[0]);
      EXPECT_EQ(ReadFileBytes(copy), theirs) << c.what;
      EXPECT_EQ(fresh.CheckOwnVersion(copy), TFileState::Same) << c.what;
    }
  }
}

TEST_F(NoteStoreTest, AReadIsRememberedAndADeleteMovesWhatIsKnown) {
  const std::string live = store.NoteTextPath(4), deleted = store.DeletedNoteTextPath(4);
  WriteFileAtomic(live, "from elsewhere\r\n");
  store.ReadNoteText(4);
  EXPECT_EQ(store.CheckOwnVersion(live), TFileState::Same);
  EXPECT_EQ(store.LastKnown(live)->Size, 16u);

  EXPECT_TRUE(store.DeleteNoteText(4));
  EXPECT_FALSE(store.LastKnown(live));
  EXPECT_EQ(store.CheckOwnVersion(deleted), TFileState::Same);
  EXPECT_FALSE(store.DeleteNoteText(4)) << "no live file left";
  EXPECT_EQ(ReadFileBytes(deleted), "from elsewhere\r\n");
  EXPECT_TRUE(store.HasNoteText(4));
  EXPECT_FALSE(store.HasNoteText(5));
}

TEST_F(NoteStoreTest, TheNotesFileTellsTheStoreWhatItReadWroteAndMovedAside) {
  const std::string path = store.NotesFilePath();
  const auto settings = CreateQuibSettings(dir.path());
  const FakeScreens screens{1024, 768};
  WriteFileAtomic(path, "<quib></quib>");
  TRandom random;
  TConfigurationManager notes(path, *settings, screens, random, &store);
  EXPECT_EQ(store.LastKnown(path)->Hash, ContentHash("<quib></quib>"));
  notes.SaveToFile();
  EXPECT_EQ(store.CheckOwnVersion(path), TFileState::Same);
  WriteFileAtomic(path, "<quib>");  // cut short by someone else
  EXPECT_EQ(store.CheckOwnVersion(path), TFileState::Changed);

  TConfigurationManager damaged(path, *settings, screens, random, &store);
  EXPECT_EQ(store.CheckOwnVersion(path), TFileState::Same) << "what was read counts as known";
  EXPECT_FALSE(damaged.MoveAsideUnreadableFile().empty());
  EXPECT_FALSE(store.LastKnown(path));
}
