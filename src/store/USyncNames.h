// The names folder-sync tools give the copies they keep when two computers changed one file at
// once: telling such a copy from a note's own file, and finding the file it is a copy of.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The name of the file a conflict copy was made of, or "" when name is no conflict copy. Takes a
// bare file name. Knows Syncthing's "NAME.sync-conflict-YYYYMMDD-HHMMSS-DEVICE.EXT", Nextcloud's
// and ownCloud's "NAME (conflicted copy [USER ]YYYY-MM-DD HHMMSS).EXT" (and the older
// "NAME_conflict-YYYYMMDD-HHMMSS.EXT"), Dropbox's "NAME (WHO's conflicted copy YYYY-MM-DD).EXT"
// with or without a " (N)" behind it. A copy of a copy gives the first original.
std::string ConflictCopyOriginal(const std::string& name);
inline bool IsConflictCopy(const std::string& name) {
  return !ConflictCopyOriginal(name).empty();
}

// A conflict copy found in the data folder or the notes folder.
struct TConflictCopy {
  std::string Name;      // the copy's own file name
  std::string Original;  // the name of the file it copies
  // The note whose live text it copies (Original is quibnote*.txt with an id), else -1.
  int32_t NoteId = -1;
  // A copy of the notes file (quibnotes.xml).
  bool NotesFile = false;
};

// What the bare file name is as a conflict copy; nothing when it is none. Copies of deleted
// notes' texts and of quib.ini come back with neither NoteId nor NotesFile set.
std::optional<TConflictCopy> AsConflictCopy(const std::string& name);
// The conflict copies among the entries of folder, in name order; a missing folder has none.
std::vector<TConflictCopy> ListConflictCopies(const std::string& folder);
