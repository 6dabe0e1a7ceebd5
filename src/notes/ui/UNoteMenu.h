// A note's popup menu: its items in order, the shortcut labels, the hidden network items and the
// appearance submenu, each item wired to the note's command. Made when the note first needs it.
#pragma once

#include <QMenu>

class QAction;
class TfrmNote;

class TNotePopupMenu : public QMenu {
 public:
  // Owned by the note, through Qt's parent ownership.
  explicit TNotePopupMenu(TfrmNote& note);

  // Sets the check marks of "&Read Only" and "Stay On &Top" from the note.
  void ShowNoteState(const TfrmNote& note);

  QAction* pmControlPanel = nullptr;
  QAction* pmSendNoteOverNetwork = nullptr;
  QAction* pmNetworkSeparator = nullptr;
  QMenu* pmAppearance = nullptr;
  QAction* pmBackgroundColor = nullptr;
  QAction* pmNewRandomColor = nullptr;
  QAction* pmFont = nullptr;
  QAction* pmFontColor = nullptr;
  QAction* pmNewRandomFontColor = nullptr;
  QAction* pmImportTextFile = nullptr;
  QAction* pmExportTextFile = nullptr;
  QAction* pmNewQuibNote = nullptr;
  QAction* pmNewQuibChat = nullptr;
  QAction* pmDelete = nullptr;
  QAction* pmReadOnly = nullptr;
  QAction* pmOnTop = nullptr;
  QAction* pmExitApplication = nullptr;
};
