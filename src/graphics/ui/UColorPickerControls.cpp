#include "graphics/ui/UColorPickerControls.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>

#include "graphics/brColorUtil.h"

void TPickerPaintBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (OnPaint) OnPaint(painter);
}

void TPickerPaintBox::mousePressEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  if (OnMouseDown) OnMouseDown(p.x(), p.y(), e->button());
  e->accept();
}

void TPickerPaintBox::mouseMoveEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  if (OnMouseMove) OnMouseMove(p.x(), p.y(), Qt::NoButton);
  e->accept();
}

void TPickerPaintBox::mouseReleaseEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  if (OnMouseUp) OnMouseUp(p.x(), p.y(), e->button());
  e->accept();
}

TColorPanel::TColorPanel(QWidget* parent, int tag) : QWidget(parent), tag_(tag) {}

void TColorPanel::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  update();
}

void TColorPanel::paintEvent(QPaintEvent*) {
  // Painted by hand, not through the style, so a theme can never draw over the colour.
  QPainter painter(this);
  const int w = width(), h = height();
  painter.fillRect(0, 0, w, h, ToQColor(color_));
  painter.setPen(QColor(128, 128, 128));
  painter.drawLine(0, 0, w - 1, 0);
  painter.drawLine(0, 0, 0, h - 1);
  painter.setPen(Qt::white);
  painter.drawLine(1, h - 1, w - 1, h - 1);
  painter.drawLine(w - 1, 1, w - 1, h - 1);
}

void TColorPanel::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) leftDown_ = true;
  if (OnMouseDown) OnMouseDown(*this, e->button());
  e->accept();
}

void TColorPanel::mouseReleaseEvent(QMouseEvent* e) {
  const bool click = e->button() == Qt::LeftButton && leftDown_ && rect().contains(e->position().toPoint());
  if (e->button() == Qt::LeftButton) leftDown_ = false;
  if (click && OnClick) OnClick(*this);
  e->accept();
}

void TColorPanel::mouseDoubleClickEvent(QMouseEvent* e) {
  // The second press of a double click: it also counts as a press for the click that follows.
  if (e->button() == Qt::LeftButton) leftDown_ = true;
  if (OnMouseDown) OnMouseDown(*this, e->button());
  if (e->button() == Qt::LeftButton && OnDblClick) OnDblClick(*this);
  e->accept();
}

TPickerSpinEdit::TPickerSpinEdit(QWidget* parent, int tag, int minimum, int maximum)
    : QSpinBox(parent), tag_(tag) {
  setRange(minimum, maximum);
  shown_ = value();
  // Only the user's own edits of the text count as typing, never the program's.
  connect(lineEdit(), &QLineEdit::textEdited, this, [this] { typed_ = true; });
}

void TPickerSpinEdit::ShowValue(int value) {
  const QSignalBlocker block(this);
  setValue(value);
  shown_ = this->value();  // held to the range: a hue of 360 shows 359
  typed_ = false;
}

QValidator::State TPickerSpinEdit::validate(QString& input, int& pos) const {
  if (input.isEmpty()) return QValidator::Acceptable;
  if (input.size() > 9) return QValidator::Invalid;
  for (QChar c : input)
    if (!c.isDigit() || c.unicode() > '9') return QValidator::Invalid;
  const int value = input.toInt();
  if (value > maximum() || value < minimum()) {
    // Held to the range at once, so an out-of-range number never reaches the colour.
    input = QString::number(value > maximum() ? maximum() : minimum());
    pos = static_cast<int>(input.size());
  }
  return QValidator::Acceptable;
}

int TPickerSpinEdit::valueFromText(const QString& text) const {
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok) return minimum();
  return value < minimum() ? minimum() : (value > maximum() ? maximum() : value);
}

void TPickerSpinEdit::fixup(QString& input) const {
  input = QString::number(valueFromText(input));
}
