// Follows the notes file (the records of every note) while the program runs: a version someone
// else wrote there (a folder-sync tool bringing another computer's file) is merged into the
// records, three ways against what this program last read or wrote, so that neither side's
// changes are lost, and the open notes follow the fields that took incoming values. Conflict
// copies of the notes file that sync tools leave are merged the same way and removed once the
// merged file is written.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "store/UNotesMerge.h"

class Screens;
class TfrmNote;
class TNotesList;
class TNoteStore;
class TRandom;

class TNotesFileFollow {
 public:
  // saveNotesFile writes the merged records now and answers whether the file holds them.
  // Everything handed in outlives the follower; the collection is the notes list's.
  TNotesFileFollow(TNoteStore& store, TNotesList& notes, const Screens& screens, TRandom& random,
                   std::function<bool()> saveNotesFile);

  // The changed entry names of the data folder; an empty name looks at everything there.
  void Changed(const std::vector<std::string>& names);
  // Merges the notes file when someone else wrote it since this program last read or wrote it.
  // windows: the open notes follow what was taken (not while the program ends, when the window
  // system may be gone). True when a version was merged.
  bool MergeNotesFile(bool windows = true);
  // Merges each conflict copy of the notes file in the data folder, writes the notes file and
  // then removes the copies that are in it.
  void MergeConflictCopies();

 private:
  void MergeConflictCopy(const std::string& name);
  void Follow(const TNotesMerge& merge);
  // The window takes its record's fields; a place off every monitor is shown on screen while
  // the record keeps it.
  void Show(TfrmNote& note, const TNoteConfig& record, TNoteFields taken);

  TNoteStore& store_;
  TNotesList& notes_;
  const Screens& screens_;
  TRandom& random_;
  std::function<bool()> saveNotesFile_;
  std::string notesFileName_;
};
