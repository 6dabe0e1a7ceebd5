#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "store/UNoteFiles.h"
#include "store/UNoteStore.h"
#include "store/USyncNames.h"
#include "support/TempDir.h"

TEST(SyncNames, ConflictCopyOriginal) {
  struct Case {
    const char* name;
    const char* original;
  } cases[] = {
      {"quibnote0001.sync-conflict-20261209-031500-ABCDEFG.txt", "quibnote0001.txt"},
      {"quibnotes.sync-conflict-20261209-031500-ABCDEFG.xml", "quibnotes.xml"},
      {"quibnote0001.sync-conflict-20261209-031500-ABCDEFG.~txt", "quibnote0001.~txt"},
      {"quibnote0001.sync-conflict-20261209-031500.txt", "quibnote0001.txt"},  // no device
      {"quibnote0001 (conflicted copy 2026-12-09 031500).txt", "quibnote0001.txt"},
      {"quibnote0001 (conflicted copy ann 2026-12-09 031500).txt", "quibnote0001.txt"},
      {"quibnote0001_conflict-20261209-031500.txt", "quibnote0001.txt"},
      {"quibnote0001 (Ann's conflicted copy 2026-12-09).txt", "quibnote0001.txt"},
      {"quibnote0001 (Ann Lee's conflicted copy 2026-12-09) (1).txt", "quibnote0001.txt"},
      {"quibnote0001.sync-conflict-20261209-031500-ABCDEFG.sync-conflict-20261210-101010-HIJKLMN.txt",
       "quibnote0001.txt"},
      {"quibnote0001 (conflicted copy 2026-12-09 031500).sync-conflict-20261210-101010-HIJKLMN.txt",
       "quibnote0001.txt"},
      // Not copies: a note's own names, look-alikes, a mark with nothing in front of it.
      {"quibnote0001.txt", ""},
      {"quibnote0001 (1).txt", ""},
      {"quibnote0001.sync-conflict-2026-031500-ABCDEFG.txt", ""},
      {"quibnote0001.sync-conflict-20261209-031500-ABCDEFGx y.txt", ""},
      {"my (conflicted copy 2026-12-09 031500) list.txt", ""},
      {"quibnote0001 (conflicted copy).txt", ""},
      {".sync-conflict-20261209-031500-ABCDEFG.txt", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ConflictCopyOriginal(c.name), c.original) << c.name;
}

TEST(SyncNames, WhatACopyIsOf) {
  struct Case {
    const char* name;
    int32_t noteId;
    bool notesFile;
  } cases[] = {
      {"quibnote0042.sync-conflict-20261209-031500-ABCDEFG.txt", 42, false},
      {"QuibNote7 (conflicted copy 2026-12-09 031500).TXT", 7, false},
      {"quibnotes.sync-conflict-20261209-031500-ABCDEFG.xml", -1, true},
      {"quibnote0042.sync-conflict-20261209-031500-ABCDEFG.~txt", -1, false},  // a deleted note
      {"quibnote0000.sync-conflict-20261209-031500-ABCDEFG.txt", -1, false},
  };
  for (const auto& c : cases) {
    const auto copy = AsConflictCopy(c.name);
    ASSERT_TRUE(copy) << c.name;
    EXPECT_EQ(copy->NoteId, c.noteId) << c.name;
    EXPECT_EQ(copy->NotesFile, c.notesFile) << c.name;
  }
  EXPECT_FALSE(AsConflictCopy("quibnote0042.txt"));
}

TEST(SyncNames, CopiesAreListedApartFromTheNotesOwnFiles) {
  TempDir dir;
  const TNoteStore store(dir.path());
  std::filesystem::create_directory(store.NotesFolder());
  for (const char* name : {"quibnote0001.txt", "quibnote0001.sync-conflict-20261209-031500-ABCDEFG.txt",
                           "quibnote0002 (conflicted copy 2026-12-09 031500).txt", "quibnote0003.~txt",
                           "quibnote0003.sync-conflict-20261209-031500-ABCDEFG.~txt"})
    std::ofstream(store.NotesFolder() + "/" + name) << "x";
  EXPECT_EQ(store.ListNoteTextFiles(false), std::vector<std::string>{"quibnote0001.txt"});
  EXPECT_EQ(store.ListNoteTextFiles(true), std::vector<std::string>{"quibnote0003.~txt"});
  std::vector<std::string> copies;
  for (const TConflictCopy& c : ListConflictCopies(store.NotesFolder())) copies.push_back(c.Name);
  EXPECT_EQ(copies, (std::vector<std::string>{"quibnote0001.sync-conflict-20261209-031500-ABCDEFG.txt",
                                              "quibnote0002 (conflicted copy 2026-12-09 031500).txt",
                                              "quibnote0003.sync-conflict-20261209-031500-ABCDEFG.~txt"}));
  EXPECT_TRUE(ListConflictCopies(dir.path() + "missing").empty());
}
