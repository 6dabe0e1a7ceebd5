// Pulls a dragged or sized note onto the edges of the monitors and of their work areas. The
// control panel owns the program's one snapper and hands it to the notes through their host.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Screens.h"

class TScreenSnapper {
 public:
  // Refreshes once from the screens, which must outlive the snapper.
  explicit TScreenSnapper(const Screens& screens);

  // Rebuilds the edge lists from the current monitors: per monitor its edge, and its work
  // area's edge when that differs. Right and bottom edges are exclusive.
  void Refresh();
  // Moves (x, y) of a w x h rectangle onto close edges; later matches win (right over left,
  // bottom over top, the last close value of a list over earlier ones).
  void SnapMove(int& x, int& y, int w, int h) const;
  // Resizes a rectangle whose top-left corner stays so that its right and bottom edges meet
  // close edges.
  void SnapSize(int left, int top, int& w, int& h) const;

  // How close an edge must come to snap (IsNear).
  static constexpr int Tolerance = 8;
  std::vector<int> Lefts;
  std::vector<int> Tops;
  std::vector<int> Rights;
  std::vector<int> Bottoms;

 private:
  const Screens* screens_;
};
