#include "notes/UTBoxController.h"

#include "notes/USnapRule.h"

TBoxController::TBoxController(const TNoteBoxSource& notes) : notes_(notes) {}

void TBoxController::SnapMove(int32_t id, int& x, int& y, int w, int h) const {
  const int count = notes_.NoteCount();
  for (int i = 0; i < count; ++i) {
    const TNoteBox n = notes_.NoteBoxAt(i);
    if (n.Id == id) continue;
    // 64-bit edges: a note far off screen must not wrap around onto another.
    const int64_t l = n.Left, t = n.Top;
    const int64_t r = l + n.Width, b = t + n.Height;  // exclusive
    // Every test on the values as the tests before it left them. Neighbours share their
    // outer pixel column or row, so the black frames lie on top of each other.
    if (IsNear(l, x, Tolerance)) x = n.Left;
    if (IsNear(l, int64_t{x} + w, Tolerance)) x = static_cast<int>(l - w + 1);
    if (IsNear(r - 1, x, Tolerance)) x = static_cast<int>(r - 1);
    if (IsNear(r, int64_t{x} + w, Tolerance)) x = static_cast<int>(r - w);
    if (IsNear(t, y, Tolerance)) y = n.Top;
    if (IsNear(t, int64_t{y} + h, Tolerance)) y = static_cast<int>(t - h + 1);
    if (IsNear(b - 1, y, Tolerance)) y = static_cast<int>(b - 1);
    if (IsNear(b, int64_t{y} + h, Tolerance)) y = static_cast<int>(b - h);
  }
}

void TBoxController::SnapSize(int32_t id, int left, int top, int& w, int& h) const {
  const int count = notes_.NoteCount();
  for (int i = 0; i < count; ++i) {
    const TNoteBox n = notes_.NoteBoxAt(i);
    if (n.Id == id) continue;
    const int64_t l = n.Left, t = n.Top;
    const int64_t r = l + n.Width, b = t + n.Height;  // exclusive
    // The right edge is compared with the other note's last column, then the exclusive edges
    // are aligned.
    if (IsNear(l, int64_t{left} + w, Tolerance)) w = static_cast<int>(l - left + 1);
    if (IsNear(r - 1, int64_t{left} + w, Tolerance)) w = static_cast<int>(r - left);
    if (IsNear(t, int64_t{top} + h, Tolerance)) h = static_cast<int>(t - top + 1);
    if (IsNear(b - 1, int64_t{top} + h, Tolerance)) h = static_cast<int>(b - top);
  }
}
