// The one closeness rule of snapping: an edge of a dragged or sized note is pulled onto another
// edge when the two are at most a tolerance apart. The tolerances are fixed (TScreenSnapper's
// for the edges of the monitors, TBoxController's for those of other notes); no setting changes
// them.
#pragma once

#include <cstdint>

// |a - b| <= tolerance, for edges anywhere in the 32-bit range.
inline bool IsNear(int64_t a, int64_t b, int tolerance) {
  const int64_t d = a - b;
  return (d < 0 ? -d : d) <= tolerance;
}
