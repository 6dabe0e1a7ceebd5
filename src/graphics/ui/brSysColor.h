// The classic system colour numbers (those a TColor of 0xFF0000nn refers to) answered from
// the application's palette, so that such a colour follows the desktop's theme.
#pragma once

#include "graphics/UColorTypes.h"

// The RGB value of system colour index; 15, the button face, is the palette's button colour.
TColor QtSysColor(int index);
