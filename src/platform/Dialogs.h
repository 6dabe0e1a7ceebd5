// Seam: every message box and common dialog the program shows, so that tests can see the
// messages and answer the dialogs from a script.
#pragma once

#include <string>

#include "graphics/UColorTypes.h"

class QWidget;

struct TFontSpec {
  std::string Name = "MS Sans Serif";
  int Size = 8;  // points
  TColor Color = clBlack;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  bool operator==(const TFontSpec&) const = default;
};

struct TFileDialogSpec {
  std::string Title;
  std::string Filter;      // "Text Files (*.txt)|*.txt|All Files (*)|*"
  std::string DefaultExt;  // "txt"
  std::string InitialDir;
  bool PicturePreview = false;  // a pane beside the file list shows the picture under the cursor
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A plain message box with an OK button, titled with the application title.
  virtual void ShowMessage(const std::string& text) = 0;
  // An error box (error icon, OK) with the given title; the text is shown as given.
  virtual void ShowError(const std::string& title, const std::string& text) = 0;
  // A confirmation with Yes and No; true for Yes.
  virtual bool Confirm(const std::string& text) = 0;
  // File dialogs: true and the chosen path when the user confirms.
  virtual bool OpenFile(const TFileDialogSpec& spec, std::string& path) = 0;
  virtual bool SaveFile(const TFileDialogSpec& spec, std::string& path) = 0;
  // Font dialog preset with font; true and the chosen font when the user confirms.
  virtual bool ChooseFont(TFontSpec& font) = 0;
  // The program's colour dialog preset with color; true and the chosen colour on OK.
  virtual bool ChooseColor(TColor& color) = 0;

  // The window the boxes and dialogs shown next belong to: the window manager keeps them above
  // it, and it has the keyboard again when they close, whatever the answer. Null: the window
  // that is active when a box opens.
  QWidget* Owner() const { return owner_; }
  void SetOwner(QWidget* owner) { owner_ = owner; }

 private:
  QWidget* owner_ = nullptr;
};

// Makes a window the owner of the boxes and dialogs shown while it lives, unless an owner is set
// already: a note's command run from the control panel's list gives the keyboard back to the
// panel the user is in.
class TDialogOwner {
 public:
  TDialogOwner(Dialogs& dialogs, QWidget* owner) : dialogs_(dialogs), previous_(dialogs.Owner()) {
    if (!previous_) dialogs_.SetOwner(owner);
  }
  ~TDialogOwner() { dialogs_.SetOwner(previous_); }
  TDialogOwner(const TDialogOwner&) = delete;
  TDialogOwner& operator=(const TDialogOwner&) = delete;

 private:
  Dialogs& dialogs_;
  QWidget* previous_;
};
