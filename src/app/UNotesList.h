// The control panel's list of open note windows, in registration order, and the "Quib-Notes"
// tab that shows it: an owner-drawn list in the notes' colours, the selected note's details
// and a popup menu. The list refers to the windows; it does not own them.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

#include "app/UNoteFactory.h"
#include "notes/UTBoxController.h"

class QLabel;
class QListWidget;
class QMenu;
class QAction;
class QPlainTextEdit;
class QPushButton;
class TConfigurationManager;
class TfrmNote;
class Dialogs;

class TNotesList : public QWidget, public TNoteBoxSource, public TNoteRegistry {
  Q_OBJECT
 public:
  explicit TNotesList(QWidget* parent = nullptr);
  ~TNotesList() override;

  void SetCollection(TConfigurationManager* collection) { collection_ = collection; }
  void SetDialogs(Dialogs* dialogs) { dialogs_ = dialogs; }

  int Count() const { return static_cast<int>(notes_.size()); }
  TfrmNote& At(int index) const { return *notes_.at(static_cast<size_t>(index)); }
  const std::vector<TfrmNote*>& Notes() const { return notes_; }

  // TNoteRegistry
  int OpenNoteCount() const override { return Count(); }
  void AddNoteToList(TfrmNote& note) override;
  // TNoteBoxSource: each open note's window rectangle, for the note snapping.
  int NoteCount() const override { return Count(); }
  TNoteBox NoteBoxAt(int index) const override;

  // Removes the first entry whose note has this id, then refreshes the details.
  void RemoveNoteFromList(int32_t id);
  // Copies the window's state into its record, when the collection has one.
  void UpdateNoteConfig(const TfrmNote& note);
  void MoveMinimizedGroup(int dx, int dy, int32_t id);
  void BringAllNotesToFront();
  // The delete command: confirmation, text saved, record refreshed, entry removed, text file
  // renamed to its deleted name, window closed.
  void DeleteNote(TfrmNote& note);

  // The entry's caption by the note's flags.
  static std::string Caption(const TfrmNote& note);
  // The details pane as a click in the list shows them.
  void lbNotesClick();
  void btnUpdateTextClick();
  int SelectedIndex() const;
  void Select(int index);
  void RepaintList();

 signals:
  // Text, position, size or state of some open note changed.
  void NoteChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Forget(QObject* window);
  void lbNotesMouseDown(const QPoint& pos);

  std::vector<TfrmNote*> notes_;
  TConfigurationManager* collection_ = nullptr;
  Dialogs* dialogs_ = nullptr;

 public:
  QListWidget* lbNotes = nullptr;
  QLabel* lblPos = nullptr;
  QLabel* lblSize = nullptr;
  QPlainTextEdit* memNote = nullptr;
  QPushButton* btnUpdateText = nullptr;
  QMenu* ppmNotes = nullptr;
  QAction* ppmSendOverNetwork = nullptr;
  QAction* ppmMinimize = nullptr;
  QAction* ppmMaximize = nullptr;
  QAction* ppmDelete = nullptr;
};
