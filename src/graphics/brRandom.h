// The one process-wide random source. The program seeds it once at start-up; tests seed it
// with a fixed value to get repeatable draws.
#pragma once

#include <cstdint>

void RandomSeed(uint64_t seed);
// A uniform integer in [0, range); 0 when range is 0 or less.
int32_t RandomInt(int32_t range);
