// The "Quib-Notes" tab: the open notes as an owner-drawn list in their own colours, the
// selected note's details, and a popup menu on the list.
#pragma once

#include <QWidget>

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class TfrmNote;
class TNotesList;

class TNotesTab : public QWidget {
  Q_OBJECT
 public:
  explicit TNotesTab(TNotesList& notes, QWidget* parent = nullptr);

  TNotesList& Notes() const { return notes_; }
  // The details pane as a click in the list shows them.
  void lbNotesClick();
  void btnUpdateTextClick();
  // Enter or a double-click on an entry: its note, restored if minimized, comes to the front
  // with the keyboard.
  void lbNotesDblClick();
  int SelectedIndex() const;
  void Select(int index);
  void RepaintList();

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

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void NoteAdded(TfrmNote* note);
  void NoteRemoved(int index);
  void lbNotesMouseDown(const QPoint& pos);
  TfrmNote* Selected() const;

  TNotesList& notes_;
};
