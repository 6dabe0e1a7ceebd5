// A seeded source of uniform random integers. The program has one, which the control panel
// owns (seeded from the clock) and hands to everything that draws; tests make their own with a
// fixed seed to get repeatable draws.
#pragma once

#include <cstdint>
#include <random>

class TRandom {
 public:
  explicit TRandom(uint64_t seed = 0x5EED) : engine_(seed) {}

  void Seed(uint64_t seed) { engine_.seed(seed); }
  // A uniform integer in [0, range); 0, without a draw, when range is 0 or less.
  int32_t Int(int32_t range);
  // Where a box of the given size may start so that it ends inside an extent: a uniform integer
  // in [0, extent - size), or 0 without a draw when it does not fit. Any sizes, without overflow.
  int32_t Place(int extent, int size);

 private:
  std::mt19937_64 engine_;
};
