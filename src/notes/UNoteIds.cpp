#include "notes/UNoteIds.h"

#include <cstdint>
#include <limits>

#include "graphics/brRandom.h"
#include "platform/Screens.h"

namespace {
// width - size, without overflowing for absurd sizes.
int32_t spareRange(int extent, int size) {
  const int64_t range = static_cast<int64_t>(extent) - size;
  if (range <= 0) return 0;
  if (range > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(range);
}
}  // namespace

int RandomLeft(const Screens& screens, int size) {
  return RandomInt(spareRange(screens.PrimaryWidth(), size));
}

int RandomTop(const Screens& screens, int size) {
  return RandomInt(spareRange(screens.PrimaryHeight(), size));
}
