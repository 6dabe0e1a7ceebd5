// The colour value shared by every part: 0x00BBGGRR, red in the lowest byte; a top byte of
// 0xFF refers to a system colour by its index in the lowest byte.
#pragma once

#include <cstdint>

using TColor = int32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clDefaultNoteColor = 9300421;  // red 197, green 233, blue 141
