#include "notes/ui/UArrangeCommands.h"

#include "notes/ui/UNotesList.h"
#include "notes/ui/UfrmNote.h"

void MinimizeAll(TNotesList& notes) {
  for (TfrmNote* note : notes.Notes()) note->Minimize();
}

void MaximizeAll(TNotesList& notes) {
  for (TfrmNote* note : notes.Notes()) note->Maximize();
}

void MinimizeAndGroup(TNotesList& notes, TArrangeKind kind, const TArrangeGrid& grid) {
  MinimizeAll(notes);
  std::vector<TNoteBox> boxes;
  boxes.reserve(static_cast<size_t>(notes.Count()));
  for (int i = 0; i < notes.Count(); ++i) boxes.push_back(notes.NoteBoxAt(i));
  const auto placed = ArrangeNotes(boxes, kind, grid);
  const std::vector<TfrmNote*>& open = notes.Notes();
  for (size_t i = 0; i < open.size() && i < placed.size(); ++i) open[i]->move(placed[i].Left, placed[i].Top);
}

void ShowLostNotes(TNotesList& notes, const Screens& screens, TRandom& random) {
  for (TfrmNote* note : notes.Notes()) {
    const QSize full = note->FullSize();
    const TNoteBox box{note->Id(), note->x(), note->y(), note->width(), note->height()};
    if (const auto target = LostNoteTarget(random, screens, box, full.width(), full.height()))
      note->move(target->Left, target->Top);
  }
}
