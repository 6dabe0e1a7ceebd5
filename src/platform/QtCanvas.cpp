#include "platform/QtCanvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <cstdlib>

QColor ToQColor(TColor color) {
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

TColor FromQColor(const QColor& color) {
  return static_cast<TColor>(color.red() | (color.green() << 8) | (color.blue() << 16));
}

TQtCanvas::TQtCanvas(QPainter& painter, TColor textColor) : painter_(painter), text_(ToQColor(textColor)) {}

void TQtCanvas::SetPenColor(TColor color) {
  pen_ = ToQColor(color);
}

void TQtCanvas::SetBrushColor(TColor color) {
  brush_ = ToQColor(color);
}

// Everything is filled as whole-pixel rectangles: QPainter's own outlines and lines depend on
// the pen width and include their end point, which the frame routines do not expect.
void TQtCanvas::fillSpan(int x, int y, int width, int height, const QColor& color) {
  if (width > 0 && height > 0) painter_.fillRect(QRect(x, y, width, height), color);
}

void TQtCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  const int w = x2 - x1, h = y2 - y1;
  if (w <= 0 || h <= 0) return;
  fillSpan(x1 + 1, y1 + 1, w - 2, h - 2, brush_);
  fillSpan(x1, y1, w, 1, pen_);
  fillSpan(x1, y2 - 1, w, 1, pen_);
  fillSpan(x1, y1, 1, h, pen_);
  fillSpan(x2 - 1, y1, 1, h, pen_);
}

void TQtCanvas::MoveTo(int x, int y) {
  penX_ = x;
  penY_ = y;
}

void TQtCanvas::LineTo(int x, int y) {
  if (y == penY_) {
    // Horizontal and vertical runs as one span each; the end point stays out.
    const int from = std::min(penX_, x) + (x < penX_ ? 1 : 0);
    fillSpan(from, y, std::abs(x - penX_), 1, pen_);
  } else if (x == penX_) {
    const int from = std::min(penY_, y) + (y < penY_ ? 1 : 0);
    fillSpan(x, from, 1, std::abs(y - penY_), pen_);
  } else {
    for (const auto& [px, py] : LinePixels(penX_, penY_, x, y)) fillSpan(px, py, 1, 1, pen_);
  }
  MoveTo(x, y);
}

int TQtCanvas::TextWidth(const std::string& text) {
  return QFontMetrics(painter_.font()).horizontalAdvance(QString::fromLocal8Bit(text));
}

void TQtCanvas::TextOut(int x, int y, const std::string& text) {
  if (text.empty()) return;
  painter_.save();
  painter_.setPen(text_);
  painter_.setBackgroundMode(Qt::TransparentMode);
  // (x, y) is the top of the text cell; Qt places text on its baseline.
  painter_.drawText(QPoint(x, y + QFontMetrics(painter_.font()).ascent()), QString::fromLocal8Bit(text));
  painter_.restore();
}
