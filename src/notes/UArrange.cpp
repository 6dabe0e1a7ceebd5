#include "notes/UArrange.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/brRandom.h"
#include "graphics/brColorUtil.h"
#include "graphics/brMultiMonitor.h"
#include "platform/Screens.h"

namespace {
int clampToInt(int64_t value) {
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int>(value);
}

// (lo + hi - (16 * cells + 1)) / 2 in 64 bits: the sum of two positions near the ends of the
// integer range would overflow.
int centredStart(int64_t lo, int64_t hi, int cells) {
  const int64_t span = int64_t{ArrangePitch} * cells + 1;
  return clampToInt((lo + hi - span) / 2);
}
}  // namespace

TGridShape ArrangeShape(TArrangeKind kind, int n) {
  if (n <= 0) return {};
  switch (kind) {
    case TArrangeKind::Horizontally:
      return {n, 1};
    case TArrangeKind::Vertically:
      return {1, n};
    case TArrangeKind::Cluster:
      break;
  }
  // Integer square root: the floating one may land just below an exact square.
  int c = static_cast<int>(std::sqrt(static_cast<double>(n - 1)));
  while (int64_t{c} * c > n - 1) --c;
  while (int64_t{c + 1} * (c + 1) <= n - 1) ++c;
  c += 1;
  const int r = (n + c - 1) / c;
  return {c, r};
}

TNotesBounds GetNotesBounds(const std::vector<TNoteBox>& notes) {
  TNotesBounds b;
  for (const TNoteBox& note : notes) {
    b.MinLeft = std::min<int64_t>(b.MinLeft, note.Left);
    b.MinTop = std::min<int64_t>(b.MinTop, note.Top);
    b.MaxRight = std::max<int64_t>(b.MaxRight, int64_t{note.Left} + ArrangePitch);
    b.MaxBottom = std::max<int64_t>(b.MaxBottom, int64_t{note.Top} + ArrangePitch);
  }
  return b;
}

TNotePos ArrangeOrigin(const TNotesBounds& bounds, TGridShape shape) {
  return {centredStart(bounds.MinLeft, bounds.MaxRight, shape.Columns),
          centredStart(bounds.MinTop, bounds.MaxBottom, shape.Rows)};
}

int SnapToGridValue(int value, double grid) {
  if (std::isnan(grid)) return value;
  const double step = std::trunc(grid);
  // A grid below one pixel cannot be snapped to; dividing by it would send the block far away.
  if (step == 0) return value;
  return clampToInt(int64_t{RoundHalfEven(value / grid)} * static_cast<int64_t>(step));
}

std::vector<TNotePos> PlaceNotesInGrid(int x0, int y0, int columns, int count) {
  std::vector<TNotePos> out;
  if (columns <= 0 || count <= 0) return out;
  out.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i)
    out.push_back({clampToInt(int64_t{x0} + int64_t{i % columns} * ArrangePitch),
                   clampToInt(int64_t{y0} + int64_t{i / columns} * ArrangePitch)});
  return out;
}

std::vector<TNotePos> ArrangeNotes(const std::vector<TNoteBox>& notes, TArrangeKind kind,
                                   const TArrangeGrid& grid) {
  if (notes.empty()) return {};
  const int n = static_cast<int>(notes.size());
  const TGridShape shape = ArrangeShape(kind, n);
  TNotePos origin = ArrangeOrigin(GetNotesBounds(notes), shape);
  if (grid.Snap) {
    origin.Left = SnapToGridValue(origin.Left, grid.Horizontal);
    origin.Top = SnapToGridValue(origin.Top, grid.Vertical);
  }
  return PlaceNotesInGrid(origin.Left, origin.Top, shape.Columns, n);
}

std::optional<TNotePos> LostNoteTarget(TRandom& random, const Screens& screens, const TNoteBox& note,
                                       int fullWidth, int fullHeight) {
  if (RectOnMonitors(screens, note.Left, note.Top, note.Width, note.Height)) return std::nullopt;
  TNotePos pos;
  pos.Top = random.Place(screens.PrimaryHeight(), fullHeight);
  pos.Left = random.Place(screens.PrimaryWidth(), fullWidth);
  return pos;
}
