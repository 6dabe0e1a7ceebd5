// Seam: the monitors of the desktop. Rectangles have exclusive right and bottom edges.
#pragma once

#include <vector>

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;   // exclusive
  int Bottom = 0;  // exclusive
  bool operator==(const TRect&) const = default;
};

struct TMonitor {
  TRect Bounds;    // the whole monitor
  TRect WorkArea;  // the monitor less docks, panels and task bars
  bool operator==(const TMonitor&) const = default;
};

class Screens {
 public:
  virtual ~Screens() = default;
  virtual int PrimaryWidth() const = 0;
  virtual int PrimaryHeight() const = 0;
  // Primary monitor first, then the others in the platform's order.
  virtual std::vector<TMonitor> Monitors() const = 0;
};
