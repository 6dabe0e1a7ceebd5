#include "graphics/UCanvas.h"

#include <cstdlib>

std::vector<std::pair<int, int>> LinePixels(int x1, int y1, int x2, int y2) {
  // Bresenham along the major axis; the end point belongs to the next line of a polyline.
  std::vector<std::pair<int, int>> pixels;
  const long long dx = std::llabs(static_cast<long long>(x2) - x1);
  const long long dy = std::llabs(static_cast<long long>(y2) - y1);
  const int sx = x1 < x2 ? 1 : -1;
  const int sy = y1 < y2 ? 1 : -1;
  const long long steps = dx > dy ? dx : dy;
  pixels.reserve(static_cast<size_t>(steps));
  long long x = x1, y = y1;
  if (dx >= dy) {
    long long err = 2 * dy - dx;
    for (long long i = 0; i < steps; ++i) {
      pixels.emplace_back(static_cast<int>(x), static_cast<int>(y));
      if (err > 0) {
        y += sy;
        err -= 2 * dx;
      }
      err += 2 * dy;
      x += sx;
    }
  } else {
    long long err = 2 * dx - dy;
    for (long long i = 0; i < steps; ++i) {
      pixels.emplace_back(static_cast<int>(x), static_cast<int>(y));
      if (err > 0) {
        x += sx;
        err -= 2 * dy;
      }
      err += 2 * dx;
      y += sy;
    }
  }
  return pixels;
}

std::vector<std::pair<int, int>> FocusRectPixels(int x1, int y1, int x2, int y2) {
  std::vector<std::pair<int, int>> dots;
  if (x2 <= x1 || y2 <= y1) return dots;
  const auto dot = [&](int x, int y) {
    if ((x - x1 + y - y1) % 2 == 0) dots.emplace_back(x, y);
  };
  for (int x = x1; x < x2; ++x) dot(x, y1);
  for (int y = y1 + 1; y < y2; ++y) dot(x2 - 1, y);
  if (y2 - 1 > y1)
    for (int x = x2 - 2; x >= x1; --x) dot(x, y2 - 1);
  if (x2 - 1 > x1)
    for (int y = y2 - 2; y > y1; --y) dot(x1, y);
  return dots;
}
