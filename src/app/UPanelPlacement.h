// Where the control panel stands: its remembered on-screen corner, hidden for real while the
// program counts it as off screen, and put back on some monitor when it is shown.
#pragma once

#include <QPoint>
#include <QSize>

class QWidget;
class Screens;
class TRandom;

class TPanelPlacement {
 public:
  TPanelPlacement(QWidget& panel, const Screens& screens, TRandom& random)
      : panel_(panel), screens_(screens), random_(random) {}

  QPoint Remembered() const { return remembered_; }
  bool Hidden() const { return hidden_; }
  // The corner as the program sees it: off every monitor while hidden. Positions are those of
  // the client area: the frame's size is unknown until the window manager has framed the
  // window once, and mixing the two would move the panel at every start.
  QPoint CurrentTopLeft() const;
  bool OnSomeMonitor(const QPoint& p) const;

  // The stored corner, or the centre of the primary screen when it lies on no monitor.
  void LoadPosition(int x, int y);
  // The current corner becomes the remembered one when it lies on some monitor.
  void RememberIfOnScreen();
  void MoveTo(const QPoint& p);
  // Remembers the current corner and moves the panel off screen.
  void Hide();
  // Start-up's step: the panel goes to the remembered corner, which is then remembered anew,
  // and off screen.
  void PlaceAndHide();
  // Back on screen (a random place when the remembered one lies on no monitor) and to the
  // foreground.
  void Show();

 private:
  void MoveOffScreen();
  QSize ShownSize() const;

  QWidget& panel_;
  const Screens& screens_;
  TRandom& random_;
  QPoint remembered_;
  QPoint hiddenPos_;
  bool hidden_ = false;
};
