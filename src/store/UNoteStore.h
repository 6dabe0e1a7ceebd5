// The notes store: the one owner of Quib's data folder. It knows where the notes file and every
// note text lie, hands out note ids, reads and writes the note texts (in the encoding each was
// read in), and remembers, per file, what it last read or wrote there, so that a change made by
// someone else can be told from its own. One store is made at start-up and handed to the parts
// that need it; tests make their own on a temporary folder.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "store/UFileStamp.h"
#include "store/UTextEncoding.h"

class TNoteStore {
 public:
  // dataFolder gets a trailing separator when it has none. iconFolder is where the tray icon
  // chooser starts when the user chose no folder; empty means dataFolder + "tray_icons".
  explicit TNoteStore(std::string dataFolder, std::string iconFolder = {});
  TNoteStore(const TNoteStore&) = delete;
  TNoteStore& operator=(const TNoteStore&) = delete;

  // ---- where things lie
  // Ends in the separator; quib.ini, quibnotes.xml and the notes folder lie in it.
  const std::string& DataFolder() const { return dataFolder_; }
  // DataFolder() + "quibnotes", without a trailing separator.
  std::string NotesFolder() const;
  std::string NotesFilePath() const;
  std::string TrayIconFolder() const;
  // NotesFolder() + "/quibnote" + PadNumber(id, 4) + ".txt", and ".~txt" for a deleted note.
  std::string NoteTextPath(int32_t id) const;
  std::string DeletedNoteTextPath(int32_t id) const;
  // True when a live or a deleted text file of the id exists.
  bool HasNoteText(int32_t id) const;
  // The note file names in the notes folder (see ListNoteTextFiles in UNoteFiles).
  std::vector<std::string> ListNoteTextFiles(bool deleted) const;

  // ---- note ids
  // The highest note id in use in this run; 0 at start.
  int32_t LastNoteId() const { return lastNoteId_; }
  // Raises the counter to id when id is larger; never lowers it.
  void RaiseLastNoteId(int32_t id);
  // Counter + 1, which becomes the counter. Throws EQuibError when the id range is used up rather
  // than wrapping round to an id that may already be taken.
  int32_t NextNoteId();
  // NextNoteId, skipping every id for which taken is true, so a new note never takes over
  // another's file. Throws as NextNoteId does when the range runs out.
  int32_t NextFreeNoteId(const std::function<bool(int32_t)>& taken);
  // The same, taking the ids whose live or deleted text file exists (one that appeared after the
  // start-up scan).
  int32_t NextFreeNoteId();
  // The start-up scan over the names of the live and the deleted note text files: returns the
  // ids of the live notes to open, in listing order, and raises the counter over every id of
  // both lists. Names that encode no id, or an id below 1 (quibnote-5.txt), open nothing; an id
  // is returned once even when two names encode it (quibnote3.txt and quibnote0003.txt), since
  // two windows on one note would overwrite each other's text.
  std::vector<int32_t> ScanStoredNoteIds(const std::vector<std::string>& liveNames,
                                         const std::vector<std::string>& deletedNames);

  // ---- note texts
  // The stored text of note id in the encoding it was read in; nullopt when the note has no text
  // file. Raises EQuibError when the file is there but cannot be read.
  std::optional<TTextFile> ReadNoteText(int32_t id);
  // Writes the lines, each ended by CR LF, crash-safe, in encoding when every character fits
  // there, else in UTF-8; returns the encoding written. Raises EQuibError when the file cannot
  // be written; the file on disk then stays as it was. A version someone else put there since
  // this program last read or wrote it is first kept under the next free id.
  TTextEncoding WriteNoteText(int32_t id, const std::vector<std::string>& lines, TTextEncoding encoding);
  // Gives the live text file of note id its deleted name. False when there is none or the
  // rename fails; the file then keeps its live name.
  bool DeleteNoteText(int32_t id);

  // ---- what this program last read or wrote, per path
  // Called by the store's own reads and writes; the notes file's reader and writer call it too.
  void Remember(const std::string& path, const std::string& bytes);
  void Forget(const std::string& path);
  // Nullopt when this program has not read or written path in this run.
  std::optional<TFileStamp> LastKnown(const std::string& path) const;
  // How path compares with what this program last read or wrote there; nullopt when it never
  // did, so every version there is someone else's.
  std::optional<TFileState> CheckOwnVersion(const std::string& path) const;

 private:
  std::string dataFolder_;
  std::string iconFolder_;
  int32_t lastNoteId_ = 0;
  std::map<std::string, TFileStamp> known_;
};
