#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "store/UNoteFiles.h"
#include "store/UNoteStore.h"
#include "support/TempDir.h"

TEST(NoteFiles, PathsPadTheIdToFourDigits) {
  const TNoteStore store("/opt/quib");
  struct Case {
    int32_t id;
    const char* live;
    const char* deleted;
  } cases[] = {
      {7, "/opt/quib/quibnotes/quibnote0007.txt", "/opt/quib/quibnotes/quibnote0007.~txt"},
      {1234, "/opt/quib/quibnotes/quibnote1234.txt", "/opt/quib/quibnotes/quibnote1234.~txt"},
      {12345, "/opt/quib/quibnotes/quibnote12345.txt", "/opt/quib/quibnotes/quibnote12345.~txt"},
      {1, "/opt/quib/quibnotes/quibnote0001.txt", "/opt/quib/quibnotes/quibnote0001.~txt"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(store.NoteTextPath(c.id), c.live);
    EXPECT_EQ(store.DeletedNoteTextPath(c.id), c.deleted);
    // Every name the program writes must parse back to its id.
    EXPECT_EQ(NoteIdFromFileName(store.NoteTextPath(c.id)), c.id);
    EXPECT_EQ(NoteIdFromFileName(store.DeletedNoteTextPath(c.id)), c.id);
  }
  EXPECT_EQ(store.NotesFolder(), "/opt/quib/quibnotes");
  EXPECT_EQ(store.NotesFilePath(), "/opt/quib/quibnotes.xml");
  EXPECT_EQ(PadNumber(0, 4), "0000");
  EXPECT_EQ(PadNumber(42, 2), "42");
}

TEST(NoteFiles, IdFromFileName) {
  struct Case {
    const char* name;
    int32_t id;
  } cases[] = {
      {"quibnote0007.txt", 7},
      {"C:\\x\\QUIBNOTE0012.~TXT", 12},
      {"/home/u/quib/quibnotes/quibnote0042.~txt", 42},
      {"quibnote7.bak.txt", -1},
      {"quibnote0001.sync-conflict-20261209-031500-ABCDEFG.txt", -1},
      {"quibnote0001 (conflicted copy 2026-12-09 031500).txt", -1},
      {"quibnote0001.sync-conflict-20261209-031500-ABCDEFG.~txt", -1},
      {"QuibNote0003.TXT", 3},
      {"quibnote12345.txt", 12345},
      {"quibnote0007.TxT", 7},
      {"quibnote2147483647.txt", 2147483647},
      {"quibnote.txt", -1},
      {"quibnoteabc.txt", -1},
      {"notes0007.txt", -1},
      {"quibnote0007.doc", -1},
      {"quibnote0007", -1},
      {"quibnote0007.txt.bak", -1},
      {"quibnote0007.txt~", -1},
      {"xquibnote0007.txt", -1},
      {"quibnote 7.txt", -1},
      {"quibnote2147483648.txt", -1},  // beyond 32 bits
      {"/a/quibnote0007.txt/notes.txt", -1},
      {"", -1},
      {"quibnote", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(NoteIdFromFileName(c.name), c.id) << c.name;
}

namespace {
void touch(const std::string& path) {
  std::ofstream(path) << "x";
}
std::vector<std::string> sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}
}  // namespace

TEST(NoteFiles, ListingMatchesTheWildcardsWithoutRegardToCase) {
  TempDir dir;
  const TNoteStore store(dir.path());
  EXPECT_TRUE(store.ListNoteTextFiles(false).empty()) << "no notes folder yet";

  const std::string folder = store.NotesFolder() + "/";
  std::filesystem::create_directory(folder);
  for (const char* name :
       {"quibnote0002.txt", "quibnote0005.txt", "QuibNote0003.TXT", "quibnote12345.txt", "quibnote.txt",
        "quibnote0004.~txt", "quibnote0009.~txt", "QUIBNOTE0008.~TXT", "notes0007.txt", "quibnote0007.doc",
        "quibnote0006.txt~", "quibnote0001.txt.bak", "quibnotetxt", "readme.txt"})
    touch(folder + name);
  // A wildcard search lists entries of every kind.
  std::filesystem::create_directory(folder + "quibnote0100.txt");

  EXPECT_EQ(sorted(store.ListNoteTextFiles(false)),
            sorted({"quibnote0002.txt", "quibnote0005.txt", "QuibNote0003.TXT", "quibnote12345.txt",
                    "quibnote.txt", "quibnote0100.txt"}));
  EXPECT_EQ(sorted(store.ListNoteTextFiles(true)),
            sorted({"quibnote0004.~txt", "quibnote0009.~txt", "QUIBNOTE0008.~TXT"}));
}

TEST(NoteFiles, StartUpSeesTheLargestIdOverLiveAndDeletedFiles) {
  TempDir dir;
  const TNoteStore store(dir.path());
  std::filesystem::create_directory(store.NotesFolder());
  for (int id : {2, 5}) touch(store.NoteTextPath(id));
  for (int id : {4, 9}) touch(store.DeletedNoteTextPath(id));
  std::vector<int32_t> opened;
  int32_t last = 0;
  for (const auto& name : store.ListNoteTextFiles(false))
    if (const int32_t id = NoteIdFromFileName(name); id != -1) {
      opened.push_back(id);
      last = std::max(last, id);
    }
  for (const auto& name : store.ListNoteTextFiles(true)) last = std::max(last, NoteIdFromFileName(name));
  std::sort(opened.begin(), opened.end());
  EXPECT_EQ(opened, (std::vector<int32_t>{2, 5}));
  EXPECT_EQ(last + 1, 10);
}
