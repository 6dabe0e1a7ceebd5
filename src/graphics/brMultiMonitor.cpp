#include "graphics/brMultiMonitor.h"

#include <cstdint>

bool PointInBox(int x, int y, int left, int top, int width, int height) {
  // In 64 bits so that boxes reaching the ends of the integer range do not wrap.
  const int64_t right = int64_t{left} + width - 1;
  const int64_t bottom = int64_t{top} + height - 1;
  return left <= x && x <= right && top <= y && y <= bottom;
}

bool PointInRect(int x, int y, const TRect& rect) {
  return rect.Left <= x && x <= rect.Right && rect.Top <= y && y <= rect.Bottom;
}

bool PointOnMonitor(const std::vector<TMonitor>& monitors, int x, int y) {
  for (const TMonitor& m : monitors)
    if (PointInRect(x, y, m.WorkArea)) return true;
  return false;
}

bool PointOnMonitor(const Screens& screens, int x, int y) {
  return PointOnMonitor(screens.Monitors(), x, y);
}

bool RectOnMonitors(const std::vector<TMonitor>& monitors, int left, int top, int width, int height) {
  const int64_t right = int64_t{left} + width - 1;
  const int64_t bottom = int64_t{top} + height - 1;
  // A corner beyond the integer range lies on no monitor.
  auto on = [&](int64_t x, int64_t y) {
    return x >= INT32_MIN && x <= INT32_MAX && y >= INT32_MIN && y <= INT32_MAX &&
           PointOnMonitor(monitors, static_cast<int>(x), static_cast<int>(y));
  };
  return on(left, top) && on(right, top) && on(left, bottom) && on(right, bottom);
}

bool RectOnMonitors(const Screens& screens, int left, int top, int width, int height) {
  return RectOnMonitors(screens.Monitors(), left, top, width, height);
}
