// The note follower's news of files that came or went: a note text with no window, a note's
// file removed or deleted by someone else, a sync tool's conflict copy of a note text.
#include <QPointer>
#include <filesystem>
#include <system_error>
#include <utility>

#include "notes/ui/UNoteFactory.h"
#include "notes/ui/UNoteFileFollow.h"
#include "notes/ui/UNotesList.h"
#include "notes/ui/UfrmNote.h"
#include "store/UFileUtil.h"
#include "store/UNoteFiles.h"
#include "store/UNoteStore.h"
#include "store/UQuibError.h"
#include "store/USyncNames.h"
#include "store/UTConfigurationManager.h"
#include "store/UTNoteConfig.h"
#include "store/UTextEncoding.h"

void TNoteFileFollow::OpenArrivals(std::set<int32_t> ids, bool all) {
  if (all)
    for (const std::string& name : store_.ListNoteTextFiles(false)) ids.insert(NoteIdFromFileName(name));
  TConfigurationManager* collection = notes_.Collection();
  for (const int32_t id : ids) {
    const std::string path = store_.NoteTextPath(id);
    if (id < 1 || notes_.Find(id) || !FileExists(path)) continue;
    // Whatever becomes of it, a new note never takes its id.
    store_.RaiseLastNoteId(id);
    // Written by this program with no window to show it (a version kept aside while saving): it
    // opens at the next start, as the rest of the stored notes do. So does one beyond the limit.
    if (store_.CheckOwnVersion(path) == TFileState::Same) continue;
    if (!collection || notes_.Count() >= TNoteFactory::MaxNotes) continue;
    try {
      // The note the user types in keeps the keyboard.
      factory_.OpenStoredNote(id, *collection, true);
    } catch (const EQuibError&) {
      // Caught half-copied, or unreadable: the next news or the rescan tries again.
    }
  }
}

void TNoteFileFollow::Vanished(TfrmNote& note) {
  // Should the file come back (an undelete elsewhere), it is someone else's version, not ours.
  store_.Forget(store_.NoteTextPath(note.Id()));
  if (note.Modified()) {
    // Deleted elsewhere while edited here: the edits are kept, as a note of a new id of its own,
    // in the same place and colours. The old id stays deleted.
    try {
      const int32_t id = store_.NextFreeNoteId();
      note.SetId(id);
      if (TConfigurationManager* collection = notes_.Collection(); collection && !collection->HasConfig(id))
        collection->AddConfig(id, note.CreateConfig());
      emit note.Changed();
      note.SaveText();
    } catch (const EQuibError&) {
      // The note stays modified: the autosave writes it and tells of a failure.
    }
    return;
  }
  // As the delete command does it: the record stays, and only as a deleted note's; the window
  // leaves the list before it closes, so that nothing writes its text back.
  notes_.UpdateNoteConfig(note);
  notes_.RemoveNoteFromList(note.Id());
  note.CloseForDelete();
}

void TNoteFileFollow::AdoptConflictCopies(std::vector<std::string> names, bool all) {
  if (all)
    for (const TConflictCopy& copy : ListConflictCopies(folder_)) names.push_back(copy.Name);
  for (const std::string& name : names) {
    const std::optional<TConflictCopy> copy = AsConflictCopy(name);
    // A copy of a deleted note's text is left alone: that note is gone either way.
    if (!copy || copy->NoteId < 1) continue;
    const std::string path = folder_ + PathDelim + name;
    if (FileExists(path)) AdoptConflictCopy(path, copy->NoteId);
  }
}

void TNoteFileFollow::AdoptConflictCopy(const std::string& path, int32_t id) {
  TTextFile text;
  try {
    text = ReadEncodedTextFile(path);
  } catch (const EQuibError&) {
    return;  // still being written: the next news reads it again
  }
  if (!HeldAlready(text.Lines, id)) {
    // The copy goes only once its text lies in a note file of its own.
    try {
      if (!KeepAsNewNote(text)) return;
    } catch (const EQuibError&) {
      return;  // the copy stays, and the next news tries again
    }
  }
  std::error_code ec;
  std::filesystem::remove(path, ec);
}

bool TNoteFileFollow::KeepAsNewNote(const TTextFile& text) {
  if (notes_.Count() >= TNoteFactory::MaxNotes) {
    store_.WriteNoteText(store_.NextFreeNoteId(), text.Lines, text.Encoding);
    return true;
  }
  const int before = notes_.Count();
  try {
    const TfrmNote* made = factory_.CreateRandomNote(JoinLinesCRLF(text.Lines), true);
    return made && !made->Modified();
  } catch (const EQuibError&) {
    // A window made before its file could be written holds the text; none made holds nothing.
    if (notes_.Count() > before) return false;
    throw;
  }
}

bool TNoteFileFollow::HeldAlready(const std::vector<std::string>& lines, int32_t id) const {
  // Only texts that lie in their files count: a note with unsaved edits may yet lose them.
  for (const TfrmNote* note : notes_.Notes())
    if (!note->Modified() && note->Lines() == lines) return true;
  try {
    // Read past the store: this is no read of the note's own, which the follower would then
    // take for a version it has shown.
    const std::string live = store_.NoteTextPath(id);
    return FileExists(live) && ReadEncodedTextFile(live).Lines == lines;
  } catch (const EQuibError&) {
    return false;
  }
}
