// Pulls a dragged or sized note onto the edges of the other open notes, so that neighbours
// share one pixel row or column and their one-pixel black frames coincide.
#pragma once

#include <cstdint>

// One open note as the snapping sees it: its current window rectangle (a minimized note's
// 17 x 17 box).
struct TNoteBox {
  int32_t Id = 0;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

// The list of open notes, in list order.
class TNoteBoxSource {
 public:
  virtual ~TNoteBoxSource() = default;
  virtual int NoteCount() const = 0;
  virtual TNoteBox NoteBoxAt(int index) const = 0;
};

class TBoxController {
 public:
  // The source must outlive the controller.
  explicit TBoxController(const TNoteBoxSource& notes);

  // Adjusts the position of a moving w x h note against every open note whose id is not id.
  void SnapMove(int32_t id, int& x, int& y, int w, int h) const;
  // Adjusts the size of a note whose top-left corner stays, against every other open note.
  void SnapSize(int32_t id, int left, int top, int& w, int& h) const;

  // How close an edge must come to snap (IsNear).
  static constexpr int Tolerance = 4;

 private:
  const TNoteBoxSource& notes_;
};
