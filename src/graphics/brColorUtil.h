// Colour arithmetic: packing, HSV conversions, web-safe snapping, random note colours,
// brightness shifts, averaging and hexadecimal colour text. Pure functions on TColor.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "graphics/UColorTypes.h"

class TRandom;

struct TRGBBytes {
  uint8_t Red = 0, Green = 0, Blue = 0;
  bool operator==(const TRGBBytes&) const = default;
};
struct TRGBUnit {
  double Red = 0, Green = 0, Blue = 0;
};
struct THSV {
  double H = 0, S = 0, V = 0;  // each 0..1; H is a fraction of a full turn
};

// Round to nearest, ties to even.
int32_t RoundHalfEven(double value);

TColor RGB(int red, int green, int blue);
TRGBBytes SplitColor(TColor color);
THSV RGBToHSV(uint8_t red, uint8_t green, uint8_t blue);
TRGBUnit HSVToRGB(double h, double s, double v);
TRGBBytes HSVToRGBBytes(double h, double s, double v);
TColor HSVToColor(double h, double s, double v);
TColor WebSafeColor(uint8_t red, uint8_t green, uint8_t blue);
// Every channel in 64..255, drawn from the random source (blue, green, red).
TColor RandomColor(TRandom& random);
TColor AdjustBrightness(TColor color, int delta);

// An image read through two calls: its size, and the colour at a point.
struct TPixelSource {
  int Width = 0;
  int Height = 0;
  std::function<TColor(int x, int y)> Pixel;
};
TColor AverageColor(const TPixelSource& image);

// Up to the first eight characters as hexadecimal; 0 when any of them is not a hex digit.
int32_t HexToInt(const std::string& text);
