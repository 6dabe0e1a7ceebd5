// The program's colour dialog: keeps the custom colours, the last confirmed mode and the
// form's last position between runs, and shows the picker form modally for one colour.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "graphics/UColorPickerModel.h"
#include "graphics/ui/UfrmColorPicker.h"

class Dialogs;
class QWidget;

class TbrColorPickerDialog {
 public:
  // owner: the window the picker form belongs to while it is shown; may be null.
  explicit TbrColorPickerDialog(QWidget* owner = nullptr) : owner_(owner) {}

  TColor Color = clBlack;
  std::vector<std::string> CustomColors;  // "ColorA=0000FF" ... "ColorP=..."
  TColorMode ColorMode = cm_Hue;
  std::string Title = "Color Picker 1.02";

  // True when the user closed the form with OK; Color, ColorMode and CustomColors then hold
  // what the form showed. On Cancel, the close box or a failed set-up they stay as they were.
  // The form belongs to asker, the window that asked for it (this dialog's owner when null): the
  // dialog is shared by the notes and the control panel.
  bool Execute(QWidget* asker = nullptr);

  // Where the set-up failure message goes; a plain message box when null.
  Dialogs* MessageDialogs = nullptr;
  // Replaces the form's buffer set-up (tests make it fail).
  TBufferSetup BufferSetup;
  // Answers system colour references; the application palette when empty.
  TSysColorResolver SysColors;
  // Called once the form is on screen, while Execute waits for it; lets a test drive it.
  std::function<void(TfrmColorPicker&)> OnShown;

  int Left() const { return left_; }
  int Top() const { return top_; }

 private:
  QWidget* owner_;
  int left_ = 128, top_ = 128;
  TfrmColorPicker* form_ = nullptr;  // only while Execute runs
};

// Runs dialog for color: true and the chosen colour on OK. This is what the colour dialog seam
// (TQtColorChooser) does.
bool ChooseColorWith(TbrColorPickerDialog& dialog, TColor& color, QWidget* asker = nullptr);
