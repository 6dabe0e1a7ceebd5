#include "notes/UNoteDrag.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "graphics/brColorUtil.h"

namespace {

int clampToInt(int64_t v) {
  if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

// Window coordinates are far from the int limits, but a pointer event from a misbehaving
// platform must not make the sum overflow.
int rawAxis(int origin, int pointer, int down) {
  return clampToInt(static_cast<int64_t>(origin) + pointer - down);
}

int64_t gridStep(double grid) {
  return static_cast<int64_t>(std::trunc(grid));
}

}  // namespace

bool GridAxisUsable(double grid) {
  return std::isfinite(grid) && std::fabs(grid) < 2147483648.0 && gridStep(grid) != 0;
}

int GridMove(int raw, double grid) {
  if (!GridAxisUsable(grid)) return raw;
  return clampToInt(static_cast<int64_t>(RoundHalfEven(raw / grid)) * gridStep(grid));
}

int GridSize(int raw, double grid) {
  if (!GridAxisUsable(grid)) return raw;
  return clampToInt(static_cast<int64_t>(std::trunc(raw / grid)) * gridStep(grid) + 1);
}

TDragPoint NoteMoveTarget(const TDragSnapping& snapping, const TDragInput& in, const TMoveSnap& toNotes,
                          const TMoveSnap& toEdges) {
  int x = rawAxis(in.Left, in.X, in.DownX);
  int y = rawAxis(in.Top, in.Y, in.DownY);
  if (snapping.Grid) return {GridMove(x, snapping.GridX), GridMove(y, snapping.GridY)};
  if (snapping.Notes && toNotes) toNotes(x, y, in.Width, in.Height);
  if (snapping.Edges && toEdges) toEdges(x, y, in.Width, in.Height);
  return {x, y};
}

TDragSize NoteSizeTarget(const TDragSnapping& snapping, const TDragInput& in, const TSizeSnap& toNotes,
                         const TSizeSnap& toEdges) {
  int w = rawAxis(in.Width, in.X, in.DownX);
  int h = rawAxis(in.Height, in.Y, in.DownY);
  if (snapping.Grid) {
    w = GridSize(w, snapping.GridX);
    h = GridSize(h, snapping.GridY);
  } else {
    if (snapping.Notes && toNotes) toNotes(in.Left, in.Top, w, h);
    if (snapping.Edges && toEdges) toEdges(in.Left, in.Top, w, h);
  }
  if (w < MinNoteWidth) w = MinNoteWidth;
  if (h < MinNoteHeight) h = MinNoteHeight;
  return {w, h};
}
