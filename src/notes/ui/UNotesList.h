// The list of open note windows, in the order they were registered: every walk over all notes
// (saving, snapping, arrange, find, appearance) goes through it. It refers to the windows; it
// does not own them.
#pragma once

#include <QObject>
#include <cstdint>
#include <string>
#include <vector>

#include "notes/UNoteRegistry.h"
#include "notes/UTBoxController.h"

class TConfigurationManager;
class TfrmNote;

class TNotesList : public QObject, public TNoteBoxSource, public TNoteRegistry {
  Q_OBJECT
 public:
  explicit TNotesList(QObject* parent = nullptr);
  ~TNotesList() override;

  // The collection new notes get their records in; null until start-up made it.
  void SetCollection(TConfigurationManager* collection) { collection_ = collection; }
  TConfigurationManager* Collection() const { return collection_; }

  int Count() const { return static_cast<int>(notes_.size()); }
  TfrmNote& At(int index) const { return *notes_.at(static_cast<size_t>(index)); }
  const std::vector<TfrmNote*>& Notes() const { return notes_; }
  int IndexOf(const TfrmNote& note) const;
  // The first open note of this id, or null.
  TfrmNote* Find(int32_t id) const;

  // TNoteRegistry
  int OpenNoteCount() const override { return Count(); }
  void AddNoteToList(TfrmNote& note) override;
  // TNoteBoxSource: each open note's window rectangle, for the note snapping.
  int NoteCount() const override { return Count(); }
  TNoteBox NoteBoxAt(int index) const override;

  // Removes the first entry whose note has this id.
  void RemoveNoteFromList(int32_t id);
  // Copies the window's state into its record, when the collection has one.
  void UpdateNoteConfig(const TfrmNote& note);
  void UpdateAllNoteConfigs();
  void MoveMinimizedGroup(int dx, int dy, int32_t id);
  void BringAllNotesToFront();

  // The entry's caption by the note's flags.
  static std::string Caption(const TfrmNote& note);

 signals:
  // Something an open note's record or text file holds changed, or a note came or went.
  void NoteChanged();
  void NoteAdded(TfrmNote* note);
  void NoteRemoved(int index);

 private:
  void Forget(QObject* window);
  void Erase(size_t index);

  std::vector<TfrmNote*> notes_;
  TConfigurationManager* collection_ = nullptr;
};
