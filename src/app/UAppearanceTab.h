// The "Appearance" tab: colours for all notes at once, from a gradient between two colours,
// darker, brighter, or from the desktop wallpaper under each note.
#pragma once

#include <QWidget>
#include <vector>

#include "graphics/UGradient.h"

class Dialogs;
class TRandom;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class TNotePaintBox;
class TNotesList;
class TNotesTab;

class TAppearanceTab : public QWidget {
  Q_OBJECT
 public:
  TAppearanceTab(TNotesList& notes, TNotesTab& notesTab, Dialogs& dialogs, TRandom& random,
                 QWidget* parent = nullptr);
  ~TAppearanceTab() override;

  // The gradient's ends from the first and last note (random without notes): at the end of
  // start-up, when the control panel is first shown, and when the focus enters the tab from
  // another control of the panel.
  void EntryStep();
  // The control panel's show event: the entry step the first time only, so that bringing the
  // panel up again keeps the ends the user picked.
  void PanelShown();

  // GradientLeft and GradientRight: kept for the run, only in this tab.
  const TGradient& Gradient() const { return gradient_; }

  // The commands of the tab, as its buttons and the bar run them.
  void btnDesktopWallpaperClick();
  void btnDarkerClick();
  void btnBrighterClick();
  void btnApplyGradientClick();
  void btnRandomizeColorsClick();
  void btnGradientFromNotesClick();
  // A mouse-up at x on the bar: the end nearer to x is chosen with the colour dialog.
  void pbGradientMouseUp(int x);

  QGroupBox* gpTop = nullptr;
  QPushButton* btnDesktopWallpaper = nullptr;
  QPushButton* btnDarker = nullptr;
  QPushButton* btnBrighter = nullptr;
  QGroupBox* gpGradients = nullptr;
  QFrame* pnlGradient = nullptr;
  TNotePaintBox* pbGradient = nullptr;
  QPushButton* btnApplyGradient = nullptr;
  QPushButton* btnRandomizeColors = nullptr;
  QPushButton* btnGradientFromNotes = nullptr;
  QLabel* Label7 = nullptr;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // The controls' sizes in the current font and style, and how far the group titles push the
  // contents down.
  struct TLayout {
    int Row = 25;
    int TopShift = 0;
    int GradientShift = 0;
    int Wallpaper = 0, Darker = 0, Brighter = 0, Apply = 0, Right = 0, Label = 0;
  };
  void Measure();
  void tabAppearanceResize();
  void FocusChanged(QWidget* old, QWidget* now);
  std::vector<TColor> NoteColors() const;
  void ShiftAll(int delta);
  // The notes changed colour: the list of notes shows the new colours.
  void NotesRecoloured(bool refreshDetails);
  void SetGradient(const TGradient& gradient);

  TNotesList& notes_;
  TNotesTab& notesTab_;
  Dialogs& dialogs_;
  TRandom& random_;
  TGradient gradient_;
  TLayout layout_;
  bool panelShown_ = false;
  // Where the panel's own focus last was: in this tab or at another of its controls. Another
  // window taking the focus, or the panel losing it, leaves this as it was.
  bool focusInTab_ = false;
};
