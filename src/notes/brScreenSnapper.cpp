#include "notes/brScreenSnapper.h"

#include "notes/USnapRule.h"

TScreenSnapper::TScreenSnapper(const Screens& screens) : screens_(&screens) {
  Refresh();
}

void TScreenSnapper::Refresh() {
  Lefts.clear();
  Tops.clear();
  Rights.clear();
  Bottoms.clear();
  auto add = [](std::vector<int>& list, int monitorEdge, int workEdge) {
    list.push_back(monitorEdge);
    if (workEdge != monitorEdge) list.push_back(workEdge);
  };
  for (const TMonitor& m : screens_->Monitors()) {
    add(Lefts, m.Bounds.Left, m.WorkArea.Left);
    add(Rights, m.Bounds.Right, m.WorkArea.Right);
    add(Tops, m.Bounds.Top, m.WorkArea.Top);
    add(Bottoms, m.Bounds.Bottom, m.WorkArea.Bottom);
  }
}

void TScreenSnapper::SnapMove(int& x, int& y, int w, int h) const {
  // Each test sees the values as the tests before it left them, so the right edge overrides
  // the left one and the bottom the top.
  for (int l : Lefts)
    if (IsNear(l, x, Tolerance)) x = l;
  for (int t : Tops)
    if (IsNear(t, y, Tolerance)) y = t;
  for (int r : Rights)
    if (IsNear(r, int64_t{x} + w, Tolerance)) x = r - w;
  for (int b : Bottoms)
    if (IsNear(b, int64_t{y} + h, Tolerance)) y = b - h;
}

void TScreenSnapper::SnapSize(int left, int top, int& w, int& h) const {
  for (int r : Rights)
    if (IsNear(r, int64_t{left} + w, Tolerance)) w = r - left;
  for (int b : Bottoms)
    if (IsNear(b, int64_t{top} + h, Tolerance)) h = b - top;
}
