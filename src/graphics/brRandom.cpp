#include "graphics/brRandom.h"

#include <random>

namespace {
std::mt19937_64& engine() {
  static std::mt19937_64 e{0x5EED};
  return e;
}
}  // namespace

void RandomSeed(uint64_t seed) { engine().seed(seed); }

int32_t RandomInt(int32_t range) {
  if (range <= 0) return 0;
  std::uniform_int_distribution<int32_t> d(0, range - 1);
  return d(engine());
}
