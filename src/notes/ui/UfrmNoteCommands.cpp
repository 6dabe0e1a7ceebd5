// The commands a user gives to one note, from its menu, its keys and dropped files.
#include "notes/ui/UNoteHost.h"
#include "notes/ui/UfrmNote.h"
#include "platform/Dialogs.h"
#include "platform/TPlatform.h"
#include "store/UFileUtil.h"
#include "store/UNoteFiles.h"

void TfrmNote::pmDeleteClick() {
  if (!host_.Platform().dialogs->Confirm("Are you sure you want to delete this Quib-Note?")) return;
  // Until the text is safe the note stays: a failed save raises before anything else changes.
  if (modified_) SaveText();
  host_.NoteDeleted(*this);
  // A failed rename is not reported: the window goes and the file keeps its live name, so the
  // note comes back at the next start rather than being lost.
  if (FileExists(NoteTextPath(id_))) RenameFile(NoteTextPath(id_), DeletedNoteTextPath(id_));
  CloseForDelete();
}
