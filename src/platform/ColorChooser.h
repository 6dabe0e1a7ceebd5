// Seam: the program's colour dialog, which the message boxes and common dialogs are given at
// their construction (the font dialog's "Custom..." opens it too).
#pragma once

#include "graphics/UColorTypes.h"

class QWidget;

class ColorChooser {
 public:
  virtual ~ColorChooser() = default;
  // The dialog preset with color, shown for asker (null: for no window): true and the chosen
  // colour on OK.
  virtual bool ChooseColor(TColor& color, QWidget* asker) = 0;
};
