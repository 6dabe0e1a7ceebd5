#include "notes/ui/UNotesList.h"

#include "notes/ui/UfrmNote.h"
#include "store/UTConfigurationManager.h"
#include "store/UTNoteConfig.h"

TNotesList::TNotesList(QObject* parent) : QObject(parent) {}

TNotesList::~TNotesList() {
  for (TfrmNote* note : notes_) disconnect(note, nullptr, this, nullptr);
}

std::string TNotesList::Caption(const TfrmNote& note) {
  const std::string id = std::to_string(note.Id());
  if (note.Chat()) return "Quib-Chat [" + id + "]";
  if (note.SystemNote()) return "System Quib-Note [" + id + "]";
  return "Quib-Note [" + id + "]";
}

int TNotesList::IndexOf(const TfrmNote& note) const {
  for (size_t i = 0; i < notes_.size(); ++i)
    if (notes_[i] == &note) return static_cast<int>(i);
  return -1;
}

void TNotesList::AddNoteToList(TfrmNote& note) {
  notes_.push_back(&note);
  if (collection_ && !collection_->HasConfig(note.Id()))
    collection_->AddConfig(note.Id(), note.CreateConfig());
  connect(&note, &TfrmNote::Changed, this, &TNotesList::NoteChanged);
  // A window that goes without telling the list must never leave a dangling entry.
  connect(&note, &QObject::destroyed, this, &TNotesList::Forget);
  emit NoteAdded(&note);
  emit NoteChanged();
}

void TNotesList::Erase(size_t index) {
  notes_.erase(notes_.begin() + static_cast<std::ptrdiff_t>(index));
  emit NoteRemoved(static_cast<int>(index));
  emit NoteChanged();
}

void TNotesList::Forget(QObject* window) {
  for (size_t i = 0; i < notes_.size(); ++i)
    if (notes_[i] == window) return Erase(i);
}

TfrmNote* TNotesList::Find(int32_t id) const {
  for (TfrmNote* note : notes_)
    if (note->Id() == id) return note;
  return nullptr;
}

void TNotesList::RemoveNoteFromList(int32_t id) {
  for (size_t i = 0; i < notes_.size(); ++i) {
    if (notes_[i]->Id() != id) continue;
    disconnect(notes_[i], nullptr, this, nullptr);
    return Erase(i);
  }
}

void TNotesList::UpdateNoteConfig(const TfrmNote& note) {
  if (!collection_) return;
  if (TNoteConfig* record = collection_->GetConfig(note.Id())) note.FillConfig(*record);
}

void TNotesList::UpdateAllNoteConfigs() {
  for (TfrmNote* note : notes_) UpdateNoteConfig(*note);
}

TNoteBox TNotesList::NoteBoxAt(int index) const {
  const TfrmNote& n = At(index);
  const QRect g = n.geometry();
  return {n.Id(), g.x(), g.y(), g.width(), g.height()};
}

void TNotesList::MoveMinimizedGroup(int dx, int dy, int32_t id) {
  for (TfrmNote* note : notes_) {
    if (!note->Minimized() || note->Id() == id) continue;
    const QRect g = note->geometry();
    note->setGeometry(g.x() + dx, g.y() + dy, g.width(), g.height());
  }
}

void TNotesList::BringAllNotesToFront() {
  for (TfrmNote* note : notes_) {
    note->raise();
    note->activateWindow();
  }
}
