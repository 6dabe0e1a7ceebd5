// The colour picker's sixteen custom colours as text lines "ColorA=0000FF" ... "ColorP=...",
// each value the TColor (0x00BBGGRR) in six or more upper-case hexadecimal digits.
#pragma once

#include <string>
#include <vector>

#include "graphics/UColorTypes.h"

inline constexpr int CustomColorCount = 16;

// "ColorA" for slot 0 up to "ColorP" for slot 15.
std::string CustomColorName(int slot);
// The slot's colour; 0 (black) when the line is missing, empty or not hexadecimal.
TColor ReadCustomColor(const std::vector<std::string>& lines, int slot);
// Replaces the value of the slot's line, or adds the line at the end when there is none.
void WriteCustomColor(std::vector<std::string>& lines, int slot, TColor color);
