// The list of open notes, as the note factory needs it.
#pragma once

class TfrmNote;

class TNoteRegistry {
 public:
  virtual ~TNoteRegistry() = default;
  virtual int OpenNoteCount() const = 0;
  // Appends the window to the list, and adds its record to the collection when the id has none.
  virtual void AddNoteToList(TfrmNote& note) = 0;
};
