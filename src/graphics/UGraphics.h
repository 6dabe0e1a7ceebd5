// Painting of a note's frame: the title strip, the collapsed box of a minimized note and the
// size grip, in the note's frame, shadow and highlight colours.
#pragma once

#include <string>

#include "graphics/UCanvas.h"
#include "graphics/UColorTypes.h"

// The strip of a note shown in full, W x H, with its menu box and the centred title.
void DrawTitleStrip(TCanvas& canvas, int W, int H, const std::string& text, TColor frame, TColor shadow,
                    TColor highlight);
// A minimized note: a W x H (normally 17 x 17) box, no text.
void DrawCollapsedBox(TCanvas& canvas, int W, int H, TColor frame, TColor shadow, TColor highlight);
// The W x H grip at a note's bottom-right corner: three diagonal ridges.
void DrawSizeGrip(TCanvas& canvas, int W, int H, TColor frame, TColor shadow, TColor highlight);
