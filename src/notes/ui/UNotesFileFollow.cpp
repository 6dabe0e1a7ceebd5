#include "notes/ui/UNotesFileFollow.h"

#include <unistd.h>

#include <utility>

#include "notes/ui/UNoteFactory.h"
#include "notes/ui/UNotesList.h"
#include "notes/ui/UfrmNote.h"
#include "platform/Screens.h"
#include "store/UFileUtil.h"
#include "store/UNoteStore.h"
#include "store/USyncNames.h"
#include "store/UTConfigurationManager.h"

namespace {

constexpr TNoteFields kEveryField = ~TNoteFields{0};

}  // namespace

TNotesFileFollow::TNotesFileFollow(TNoteStore& store, TNotesList& notes, const Screens& screens,
                                   TRandom& random, std::function<bool()> saveNotesFile)
    : store_(store),
      notes_(notes),
      screens_(screens),
      random_(random),
      saveNotesFile_(std::move(saveNotesFile)),
      notesFileName_(ExtractFileName(store.NotesFilePath())) {}

void TNotesFileFollow::Changed(const std::vector<std::string>& names) {
  bool file = false;
  bool all = false;
  std::vector<std::string> copies;
  for (const std::string& name : names) {
    if (name.empty()) {
      all = true;
    } else if (name == notesFileName_) {
      file = true;
    } else if (const auto copy = AsConflictCopy(name); copy && copy->NotesFile) {
      copies.push_back(name);
    }
  }
  if (file || all) MergeNotesFile();
  if (all) {
    MergeConflictCopies();
  } else {
    for (const std::string& name : copies) MergeConflictCopy(name);
  }
}

bool TNotesFileFollow::MergeNotesFile(bool windows) {
  TConfigurationManager* collection = notes_.Collection();
  if (!collection) return false;
  const std::string path = store_.NotesFilePath();
  // Our own version, or none there: nothing arrived. A file never read nor written in this run
  // (the first write failed) is someone else's.
  const std::optional<TFileState> state = store_.CheckOwnVersion(path);
  if (state ? *state != TFileState::Changed : !FileExists(path)) return false;
  // The moves and edits made in the windows since the last save count as changes made here.
  notes_.UpdateAllNoteConfigs();
  const std::optional<TNotesMerge> merge = collection->MergeFile(path);
  if (!merge) return false;
  if (windows) Follow(*merge);
  // Changes made here that the incoming file lacks (a note made since) are written soon, not
  // only with the next edit.
  if (collection->Changed()) emit notes_.NoteChanged();
  return true;
}

void TNotesFileFollow::MergeConflictCopies() {
  for (const TConflictCopy& copy : ListConflictCopies(store_.DataFolder()))
    if (copy.NotesFile) MergeConflictCopy(copy.Name);
}

void TNotesFileFollow::MergeConflictCopy(const std::string& name) {
  TConfigurationManager* collection = notes_.Collection();
  const std::string path = store_.DataFolder() + name;
  if (!collection || !FileExists(path)) return;
  // Against what the notes file holds now: a version that came with the copy is merged first.
  MergeNotesFile();
  notes_.UpdateAllNoteConfigs();
  const std::optional<TNotesMerge> merge = collection->MergeFile(path);
  if (!merge) return;
  Follow(*merge);
  // The copy goes only once the notes file holds what it brought; until then the next news
  // merges it again, which takes nothing twice.
  if (saveNotesFile_ && saveNotesFile_()) ::unlink(path.c_str());
}

void TNotesFileFollow::Follow(const TNotesMerge& merge) {
  const TConfigurationManager* collection = notes_.Collection();
  if (!collection) return;
  for (const TRecordMerge& changed : merge.Changed) {
    TfrmNote* note = notes_.Find(changed.Id);
    const TNoteConfig* record = collection->GetConfig(changed.Id);
    if (note && record) Show(*note, *record, changed.Taken);
  }
  // A note whose window opened before its record came takes all of it.
  for (const TNoteConfig& added : merge.Added) {
    TfrmNote* note = notes_.Find(added.Id);
    const TNoteConfig* record = collection->GetConfig(added.Id);
    if (note && record) Show(*note, *record, kEveryField);
  }
}

void TNotesFileFollow::Show(TfrmNote& note, const TNoteConfig& record, TNoteFields taken) {
  const QPoint shown = note.pos();
  const bool away = note.ShownAwayFromRecord();
  // The window held every field the record kept already; it takes the ones that arrived.
  note.ApplyConfig(record);
  if (taken & nfReadOnly) note.SetReadOnly(record.ReadOnly);
  if (away && !(taken & nfPlace)) {
    note.ShowAwayFromRecord(shown);
    return;
  }
  ShowOnScreen(note, screens_, random_);
}
