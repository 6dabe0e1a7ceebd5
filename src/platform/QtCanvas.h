// TCanvas on a QPainter: exact pixel spans without antialiasing, so outlines and lines cover
// precisely the pixels the frame routines ask for.
#pragma once

#include <QColor>

#include "graphics/UCanvas.h"

class QPainter;

class TQtCanvas : public TCanvas {
 public:
  // Text is drawn in the painter's current font and in textColor.
  explicit TQtCanvas(QPainter& painter, TColor textColor = clBlack);

  void SetPenColor(TColor color) override;
  void SetBrushColor(TColor color) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  int TextWidth(const std::string& text) override;
  void TextOut(int x, int y, const std::string& text) override;

 private:
  void fillSpan(int x, int y, int width, int height, const QColor& color);

  QPainter& painter_;
  QColor pen_{Qt::black};
  QColor brush_{Qt::white};
  QColor text_;
  int penX_ = 0;
  int penY_ = 0;
};

// 0x00BBGGRR to a QColor; the top byte is ignored.
QColor ToQColor(TColor color);
// A QColor to 0x00BBGGRR.
TColor FromQColor(const QColor& color);
