#include "graphics/UGraphics.h"

void DrawTitleStrip(TCanvas& canvas, int W, int H, const std::string& text, TColor frame, TColor shadow,
                    TColor highlight) {
  // The black outline reaches one row below the strip, so the strip's bottom edge shows the
  // shadow line instead and runs into the text area without a black seam.
  canvas.SetPenColor(clBlack);
  canvas.SetBrushColor(frame);
  canvas.Rectangle(0, 0, W, H + 1);

  canvas.SetPenColor(highlight);
  canvas.Rectangle(1, 1, W - 1, H);
  canvas.Rectangle(4, 4, 13, 13);  // the menu box

  canvas.SetPenColor(shadow);
  canvas.MoveTo(1, H - 1);
  canvas.LineTo(W - 2, H - 1);
  canvas.LineTo(W - 2, 1);
  // Darker left and top edges make the menu box look pressed in.
  canvas.MoveTo(4, 11);
  canvas.LineTo(4, 4);
  canvas.LineTo(12, 4);

  // Centred in the room right of the menu box: the middle falls 2 pixels right of the strip's.
  // A title wider than the room starts left of the box's edge.
  const int x = (W - canvas.TextWidth(text) - 12) / 2 + 8;
  canvas.TextOut(x, 2, text);
}

void DrawCollapsedBox(TCanvas& canvas, int W, int H, TColor frame, TColor shadow, TColor highlight) {
  canvas.SetPenColor(clBlack);
  canvas.SetBrushColor(frame);
  canvas.Rectangle(0, 0, W, H);

  canvas.SetPenColor(highlight);
  canvas.Rectangle(1, 1, W - 1, H - 1);

  canvas.SetPenColor(shadow);
  canvas.MoveTo(2, H - 2);
  canvas.LineTo(W - 2, H - 2);
  canvas.LineTo(W - 2, 1);
}

void DrawSizeGrip(TCanvas& canvas, int W, int H, TColor frame, TColor shadow, TColor highlight) {
  canvas.SetPenColor(clBlack);
  canvas.SetBrushColor(frame);
  canvas.Rectangle(0, 0, W, H);

  // Three ridges: a highlight line with a shadow line beside it.
  canvas.SetPenColor(highlight);
  for (int k = 0; k < 3; ++k) {
    canvas.MoveTo(2 + 3 * k, H - 2);
    canvas.LineTo(W - 1, 1 + 3 * k);
  }
  canvas.SetPenColor(shadow);
  for (int k = 0; k < 3; ++k) {
    canvas.MoveTo(3 + 3 * k, H - 2);
    canvas.LineTo(W - 1, 2 + 3 * k);
  }
}
