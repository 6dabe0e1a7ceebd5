#include "base/brRandom.h"

#include <limits>

int32_t TRandom::Int(int32_t range) {
  if (range <= 0) return 0;
  std::uniform_int_distribution<int32_t> d(0, range - 1);
  return d(engine_);
}

int32_t TRandom::Place(int extent, int size) {
  const int64_t range = static_cast<int64_t>(extent) - size;
  if (range <= 0) return 0;
  return Int(range > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                         : static_cast<int32_t>(range));
}
