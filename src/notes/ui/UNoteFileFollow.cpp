#include "notes/ui/UNoteFileFollow.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>
#include <optional>
#include <set>
#include <utility>

#include "notes/ui/UNoteFactory.h"
#include "notes/ui/UNotesList.h"
#include "notes/ui/UfrmNote.h"
#include "platform/Dialogs.h"
#include "platform/FolderWatch.h"
#include "store/UFileUtil.h"
#include "store/UNoteFiles.h"
#include "store/UNoteStore.h"
#include "store/UQuibError.h"
#include "store/USyncNames.h"

TNoteFileFollow::TNoteFileFollow(FolderWatch& watch, TNoteStore& store, TNotesList& notes,
                                 TNoteFactory& factory, std::function<bool()> closed)
    : watch_(watch),
      store_(store),
      notes_(notes),
      factory_(factory),
      closed_(std::move(closed)),
      folder_(store.NotesFolder()),
      dataFolder_(store.DataFolder()) {
  // The data folder as the store names it ends in a separator; the watch is given it without.
  while (dataFolder_.size() > 1 && (dataFolder_.back() == '/' || dataFolder_.back() == '\\'))
    dataFolder_.pop_back();
  watch_.SetHandler([this](const std::string& folder, const std::vector<std::string>& names) {
    if (folder == dataFolder_) {
      if (dataFolderChanged_ && !Closed()) dataFolderChanged_(names);
    } else {
      Changed(names);
    }
  });
  watch_.Watch(folder_);
  watch_.Watch(dataFolder_);
  watch_.SetRescan(RescanMs, [this] {
    Changed({std::string()});
    if (dataFolderChanged_ && !Closed()) dataFolderChanged_({std::string()});
  });
  // Conflict copies a sync tool left while the program was not running.
  if (!Closed()) AdoptConflictCopies({}, true);
}

TNoteFileFollow::~TNoteFileFollow() {
  watch_.SetRescan(0, {});
  watch_.Unwatch(folder_);
  watch_.Unwatch(dataFolder_);
  watch_.SetHandler({});
}

void TNoteFileFollow::Changed(const std::vector<std::string>& names) {
  if (Closed()) return;
  bool all = false;
  std::set<int32_t> ids;
  std::vector<std::string> copies;
  for (const std::string& name : names) {
    if (name.empty())
      all = true;
    else if (IsConflictCopy(name))
      copies.push_back(name);
    else if (MatchesNoteFilePattern(name, false))
      ids.insert(NoteIdFromFileName(name));
  }
  // A copy: a note opened for incoming text joins the list while it is walked, and one whose
  // file went leaves it (a box shown on the way may let another go).
  std::vector<QPointer<TfrmNote>> open;
  for (TfrmNote* note : notes_.Notes()) open.emplace_back(note);
  for (const QPointer<TfrmNote>& note : open)
    if (note && (all || ids.count(note->Id()))) Follow(*note);
  // After the open notes took their news: a conflict copy is compared with what they now show.
  OpenArrivals(std::move(ids), all);
  AdoptConflictCopies(std::move(copies), all);
}

void TNoteFileFollow::Follow(TfrmNote& note) {
  const std::optional<TFileState> state = store_.CheckOwnVersion(store_.NoteTextPath(note.Id()));
  // A file this program read or wrote that is no longer there: removed, or given the deleted
  // name, by someone else.
  if (state == TFileState::Gone && !FileExists(store_.NoteTextPath(note.Id()))) return Vanished(note);
  // Our own version: nothing arrived to show.
  if (state && *state != TFileState::Changed) return;
  if (!note.Modified()) {
    try {
      Reload(note);
    } catch (const EQuibError&) {
      // A file caught half-copied by a tool that writes in place: the next news reads it again.
    }
    return;
  }
  std::optional<TTextFile> incoming;
  try {
    incoming = store_.ReadNoteText(note.Id());
  } catch (const EQuibError&) {
    return;
  }
  if (!incoming) return;
  // The new note's file is written as it is made, before the edited note saves over the old one.
  try {
    KeepAsNewNote(*incoming);
  } catch (const EQuibError& e) {
    note.NoteDialogs().ShowMessage(std::string("The note's text was changed outside Quib, and that text "
                                               "could not be kept as a note of its own: ") +
                                   e.what());
  }
}

void TNoteFileFollow::Reload(TfrmNote& note) {
  QPlainTextEdit& edit = *note.mem;
  const int line = edit.textCursor().blockNumber();
  const int scroll = edit.verticalScrollBar()->value();
  note.LoadText();
  const QTextBlock block =
      edit.document()->findBlockByNumber(std::min(line, edit.document()->blockCount() - 1));
  QTextCursor cursor(block);
  edit.setTextCursor(cursor);
  edit.verticalScrollBar()->setValue(std::min(scroll, edit.verticalScrollBar()->maximum()));
}
