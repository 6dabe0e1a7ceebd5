// Follows the notes folder while the program runs: a note text that someone else (a sync tool, an
// editor) replaced reaches its open note. A note without unsaved edits takes the new text, its
// caret line and scroll kept as far as they still exist; a note with unsaved edits keeps them, and
// the incoming text opens as a new note of its own, so nothing is overwritten. The program's own
// writes are told apart by the store's record of what it last read or wrote.
// Files also come and go: a note text that arrives with no window opens as a note (without
// taking the keyboard), a note whose file someone else removed or deleted closes as deleted (one
// with unsaved edits moves them to a new id instead), and a sync tool's conflict copy of a note
// text becomes a note of its own before the copy is removed.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

struct TTextFile;
class FolderWatch;
class TfrmNote;
class TNoteFactory;
class TNotesList;
class TNoteStore;

class TNoteFileFollow {
 public:
  static constexpr int RescanMs = 30000;

  // Starts watching the store's notes folder; everything handed in outlives the follower. Once
  // closed answers true (the notes are being saved for the end), news is let pass.
  TNoteFileFollow(FolderWatch& watch, TNoteStore& store, TNotesList& notes, TNoteFactory& factory,
                  std::function<bool()> closed);
  ~TNoteFileFollow();
  TNoteFileFollow(const TNoteFileFollow&) = delete;
  TNoteFileFollow& operator=(const TNoteFileFollow&) = delete;

  // The changed entry names of the notes folder as the watch reports them; an empty name looks
  // at the whole folder: every open note, every note text and every conflict copy.
  void Changed(const std::vector<std::string>& names);
  // Told the changed entry names of the data folder (the notes file, its conflict copies); the
  // rescan tells it an empty name. Unset, such news is let pass.
  using TDataFolderChanged = std::function<void(const std::vector<std::string>& names)>;
  void SetDataFolderHandler(TDataFolderChanged handler) { dataFolderChanged_ = std::move(handler); }

 private:
  void Follow(TfrmNote& note);
  static void Reload(TfrmNote& note);
  // UNoteFileArrivals.cpp: files that came or went.
  void OpenArrivals(std::set<int32_t> ids, bool all);
  void Vanished(TfrmNote& note);
  void AdoptConflictCopies(std::vector<std::string> names, bool all);
  void AdoptConflictCopy(const std::string& path, int32_t id);
  bool HeldAlready(const std::vector<std::string>& lines, int32_t id) const;
  // Text that came from elsewhere, as a note of its own: a new window, shown without the
  // keyboard, or with every window in use a stored note that opens at the next start. True
  // once the text lies in a file of its own; false when a window holds it unsaved, for the
  // autosave. Raises EQuibError when nothing holds it.
  bool KeepAsNewNote(const TTextFile& text);
  bool Closed() const { return closed_ && closed_(); }

  FolderWatch& watch_;
  TNoteStore& store_;
  TNotesList& notes_;
  TNoteFactory& factory_;
  std::function<bool()> closed_;
  std::string folder_;
  std::string dataFolder_;
  TDataFolderChanged dataFolderChanged_;
};
