// The colour dialog seam with the program's own picker: one dialog, made in main, so that the
// custom colours, the mode and the form's place carry over from one choice to the next.
#pragma once

#include "graphics/ui/brColorPickerDialog.h"
#include "platform/ColorChooser.h"

class TQtColorChooser : public ColorChooser {
 public:
  bool ChooseColor(TColor& color, QWidget* asker) override { return ChooseColorWith(dialog_, color, asker); }
  TbrColorPickerDialog& Dialog() { return dialog_; }

 private:
  TbrColorPickerDialog dialog_;
};
