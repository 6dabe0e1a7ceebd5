#include "notes/UArrange.h"

#include <cmath>

#include "graphics/brColorUtil.h"
#include "graphics/brMultiMonitor.h"
#include "graphics/brRandom.h"
#include "platform/Screens.h"

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
  const int c = static_cast<int>(std::floor(std::sqrt(static_cast<double>(n - 1)))) + 1;
  return {c, (n + c - 1) / c};
}

TNotesBounds GetNotesBounds(const std::vector<TArrangeBox>& notes) {
  TNotesBounds b;
  for (const auto& n : notes) {
    if (n.Left < b.MinLeft) b.MinLeft = n.Left;
    if (n.Top < b.MinTop) b.MinTop = n.Top;
    if (n.Left + int64_t{16} > b.MaxRight) b.MaxRight = n.Left + int64_t{16};
    if (n.Top + int64_t{16} > b.MaxBottom) b.MaxBottom = n.Top + int64_t{16};
  }
  return b;
}

namespace {
int64_t toGrid(int64_t v, double grid) {
  const int64_t step = static_cast<int64_t>(grid);  // truncated toward zero
  if (step == 0) return v;
  return static_cast<int64_t>(RoundHalfEven(static_cast<double>(v) / grid)) * step;
}
}  // namespace

std::vector<TArrangeBox> ArrangeNotes(const std::vector<TArrangeBox>& notes, TArrangeKind kind, bool gridOn,
                                      double gridX, double gridY) {
  const int n = static_cast<int>(notes.size());
  if (n == 0) return {};
  const TGridShape shape = ArrangeShape(kind, n);
  const TNotesBounds b = GetNotesBounds(notes);
  // Division truncates toward zero, as the block is centred on the old bounding box.
  int64_t x0 = (b.MinLeft + b.MaxRight - (16 * int64_t{shape.Columns} + 1)) / 2;
  int64_t y0 = (b.MinTop + b.MaxBottom - (16 * int64_t{shape.Rows} + 1)) / 2;
  if (gridOn) {
    x0 = toGrid(x0, gridX);
    y0 = toGrid(y0, gridY);
  }
  std::vector<TArrangeBox> out;
  out.reserve(notes.size());
  for (int i = 0; i < n; ++i)
    out.push_back(
        {static_cast<int>(x0 + (i % shape.Columns) * 16), static_cast<int>(y0 + (i / shape.Columns) * 16)});
  return out;
}

std::optional<TArrangeBox> LostNoteTarget(const Screens& screens, int left, int top, int width, int height,
                                          int fullWidth, int fullHeight) {
  if (RectOnMonitors(screens, left, top, width, height)) return std::nullopt;
  const int y = RandomInt(screens.PrimaryHeight() - fullHeight);
  const int x = RandomInt(screens.PrimaryWidth() - fullWidth);
  return TArrangeBox{x, y};
}
