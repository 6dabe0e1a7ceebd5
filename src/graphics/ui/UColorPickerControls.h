// The colour picker's small controls: a paint box that leaves painting and mouse handling to
// the form, a colour panel drawn in its own colour under every style, and a spin edit that
// takes any whole number typed and holds it to its range at once.
#pragma once

#include <QSpinBox>
#include <QWidget>
#include <functional>

#include "graphics/UColorTypes.h"
#include "platform/QtCanvas.h"  // ToQColor

class QPainter;

class TPickerPaintBox : public QWidget {
 public:
  explicit TPickerPaintBox(QWidget* parent) : QWidget(parent) {}

  std::function<void(QPainter&)> OnPaint;
  // Positions in pixels of the box; the button that went down or came up.
  std::function<void(int x, int y, Qt::MouseButton button)> OnMouseDown, OnMouseMove, OnMouseUp;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  // The second press of a double click arrives only as this event.
  void mouseDoubleClickEvent(QMouseEvent* e) override { mousePressEvent(e); }
};

// A sunken panel filled with one colour; its tag says which palette slot it shows.
class TColorPanel : public QWidget {
 public:
  TColorPanel(QWidget* parent, int tag);

  int Tag() const { return tag_; }
  TColor Color() const { return color_; }
  void SetColor(TColor color);

  // A left button released over the panel after going down on it.
  std::function<void(TColorPanel&)> OnClick;
  // Any button going down on the panel.
  std::function<void(TColorPanel&, Qt::MouseButton)> OnMouseDown;
  std::function<void(TColorPanel&)> OnDblClick;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;

 private:
  int tag_;
  TColor color_ = clBlack;
  bool leftDown_ = false;
};

// Digits only; a number beyond the range is replaced by the nearest end while it is typed,
// and an empty text stands for the minimum. It remembers the value the program last showed and
// whether the user has typed since, so that a value merely announced again (Enter does that)
// can be told from one the user gave.
class TPickerSpinEdit : public QSpinBox {
 public:
  TPickerSpinEdit(QWidget* parent, int tag, int minimum, int maximum);
  int Tag() const { return tag_; }

  // Shows a value the program computed, without announcing it.
  void ShowValue(int value);
  // True when the value differs from the one last shown or the user has typed since.
  bool ChangedByUser() const { return typed_ || value() != shown_; }

 protected:
  QValidator::State validate(QString& input, int& pos) const override;
  int valueFromText(const QString& text) const override;
  void fixup(QString& input) const override;

 private:
  int tag_;
  int shown_ = 0;
  bool typed_ = false;
};
