// The "Appearance" tab: colours for all notes at once, from a gradient between two colours,
// darker, brighter, or from the desktop wallpaper under each note.
#pragma once

#include <QWidget>

class Dialogs;
class TNotesList;
class TNotesTab;

class TAppearanceTab : public QWidget {
  Q_OBJECT
 public:
  TAppearanceTab(TNotesList& notes, TNotesTab& notesTab, Dialogs& dialogs, QWidget* parent = nullptr);

  // The gradient's ends from the first and last note (random without notes): when the control
  // panel is shown, at the end of start-up, and when the focus enters the tab from outside.
  void EntryStep();

 private:
  TNotesList& notes_;
  TNotesTab& notesTab_;
  Dialogs& dialogs_;
};
