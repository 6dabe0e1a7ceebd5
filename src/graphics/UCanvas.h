// The drawing surface the note frame is painted on, with the classic rectangle and line rules.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "graphics/UColorTypes.h"

class TCanvas {
 public:
  virtual ~TCanvas() = default;
  virtual void SetPenColor(TColor color) = 0;
  virtual void SetBrushColor(TColor color) = 0;
  // Outline one pixel wide with the pen along x1 .. x2 - 1 and y1 .. y2 - 1; the inside
  // (x1 + 1 .. x2 - 2, y1 + 1 .. y2 - 2) filled with the brush.
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  virtual void MoveTo(int x, int y) = 0;
  // A line one pixel wide with the pen from the current position up to, not including, (x, y),
  // which becomes the current position.
  virtual void LineTo(int x, int y) = 0;
  virtual int TextWidth(const std::string& text) = 0;
  // Text in the surface's current font with its top-left at (x, y) and a transparent background.
  virtual void TextOut(int x, int y, const std::string& text) = 0;
};

// The pixels a line from (x1, y1) to (x2, y2) covers, end point excluded, in drawing order.
std::vector<std::pair<int, int>> LinePixels(int x1, int y1, int x2, int y2);
// The dots of a focus rectangle around x1 .. x2 - 1, y1 .. y2 - 1: every other pixel of the
// outline, starting with the top-left corner, each once.
std::vector<std::pair<int, int>> FocusRectPixels(int x1, int y1, int x2, int y2);
