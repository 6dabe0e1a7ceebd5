#include "graphics/brColorUtil.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "base/brRandom.h"

namespace {

// Keeps a fraction inside 0..1 so that a stray argument can neither pick a sector outside the
// six of the hue circle nor produce a byte that wraps around; NaN counts as 0.
double ClampUnit(double value) {
  if (!(value >= 0.0)) return 0.0;
  if (value > 1.0) return 1.0;
  return value;
}

uint8_t ClampByte(int value) {
  if (value < 0) return 0;
  if (value > 255) return 255;
  return static_cast<uint8_t>(value);
}

uint8_t UnitToByte(double unit) {
  return ClampByte(RoundHalfEven(unit * 255.0));
}

// sum / count rounded to nearest, ties to even, in exact integer arithmetic.
int64_t DivideRoundHalfEven(int64_t sum, int64_t count) {
  int64_t quotient = sum / count;
  const int64_t twiceRemainder = 2 * (sum % count);
  if (twiceRemainder > count || (twiceRemainder == count && (quotient % 2) != 0)) ++quotient;
  return quotient;
}

}  // namespace

int32_t RoundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return INT32_MAX;
  if (value <= -2147483648.0) return INT32_MIN;
  const double lower = std::floor(value);
  const double fraction = value - lower;
  double result = lower;
  if (fraction > 0.5) {
    result = lower + 1.0;
  } else if (fraction == 0.5) {
    // Halfway: go to whichever neighbour is even.
    if (std::fmod(lower, 2.0) != 0.0) result = lower + 1.0;
  }
  return static_cast<int32_t>(result);
}

TColor RGB(int red, int green, int blue) {
  return static_cast<TColor>(static_cast<uint32_t>(red & 0xFF) | (static_cast<uint32_t>(green & 0xFF) << 8) |
                             (static_cast<uint32_t>(blue & 0xFF) << 16));
}

TRGBBytes SplitColor(TColor color) {
  const auto bits = static_cast<uint32_t>(color);
  return {static_cast<uint8_t>(bits & 0xFF), static_cast<uint8_t>((bits >> 8) & 0xFF),
          static_cast<uint8_t>((bits >> 16) & 0xFF)};
}

THSV RGBToHSV(uint8_t red, uint8_t green, uint8_t blue) {
  const int maxValue = std::max({red, green, blue});
  const int minValue = std::min({red, green, blue});
  const int delta = maxValue - minValue;

  // The picker works on a 0..255 scale; the unit values are that scale divided by 255, so
  // the same bytes always give the same fractions.
  const double v255 = maxValue;
  const double s255 = maxValue != 0 ? delta * 255.0 / maxValue : 0.0;
  double h255 = 0.0;
  if (s255 != 0.0) {
    double hue;
    if (red == maxValue) {
      hue = static_cast<double>(green - blue) / delta;
    } else if (green == maxValue) {
      hue = static_cast<double>(blue - red) / delta + 2.0;
    } else {
      hue = static_cast<double>(red - green) / delta + 4.0;
    }
    double degrees = hue * 60.0;
    if (degrees < 0.0) degrees += 360.0;
    h255 = degrees * 255.0 / 360.0;
  }
  return {h255 / 255.0, s255 / 255.0, v255 / 255.0};
}

TRGBUnit HSVToRGB(double h, double s, double v) {
  h = ClampUnit(h);
  s = ClampUnit(s);
  v = ClampUnit(v);
  if (s == 0.0) return {v, v, v};
  if (h == 1.0) h = 0.0;
  const double x = h * 6.0;
  const int sector = static_cast<int>(x);  // 0..5 since h < 1
  const double f = x - sector;
  const double p = (1.0 - s) * v;
  const double q = (1.0 - s * f) * v;
  const double t = (1.0 - (1.0 - f) * s) * v;
  switch (sector) {
    case 0:
      return {v, t, p};
    case 1:
      return {q, v, p};
    case 2:
      return {p, v, t};
    case 3:
      return {p, q, v};
    case 4:
      return {t, p, v};
    default:
      return {v, p, q};
  }
}

TRGBBytes HSVToRGBBytes(double h, double s, double v) {
  const TRGBUnit unit = HSVToRGB(h, s, v);
  return {UnitToByte(unit.Red), UnitToByte(unit.Green), UnitToByte(unit.Blue)};
}

TColor HSVToColor(double h, double s, double v) {
  const TRGBBytes bytes = HSVToRGBBytes(h, s, v);
  return RGB(bytes.Red, bytes.Green, bytes.Blue);
}

TColor WebSafeColor(uint8_t red, uint8_t green, uint8_t blue) {
  auto snap = [](uint8_t channel) { return static_cast<int>(std::floor(channel * 5.0 / 255.0 + 0.5)) * 51; };
  return RGB(snap(red), snap(green), snap(blue));
}

TColor RandomColor(TRandom& random) {
  // The order of the draws is fixed so that a seeded run repeats its colours.
  const int blue = random.Int(192) + 64;
  const int green = random.Int(192) + 64;
  const int red = random.Int(192) + 64;
  return RGB(red, green, blue);
}

TColor AdjustBrightness(TColor color, int delta) {
  const TRGBBytes c = SplitColor(color);
  // Widened before adding so that no delta can overflow.
  auto shift = [delta](uint8_t channel) {
    const int64_t value = static_cast<int64_t>(channel) + delta;
    return value < 0 ? 0 : (value > 255 ? 255 : static_cast<int>(value));
  };
  return RGB(shift(c.Red), shift(c.Green), shift(c.Blue));
}

TColor AverageColor(const TPixelSource& image) {
  // An empty image has no mean; black is returned rather than dividing by zero.
  if (image.Width <= 0 || image.Height <= 0 || !image.Pixel) return clBlack;
  int64_t red = 0, green = 0, blue = 0;
  for (int x = 0; x < image.Width; ++x) {
    for (int y = 0; y < image.Height; ++y) {
      const TRGBBytes c = SplitColor(image.Pixel(x, y));
      red += c.Red;
      green += c.Green;
      blue += c.Blue;
    }
  }
  const int64_t count = static_cast<int64_t>(image.Width) * image.Height;
  return RGB(static_cast<int>(DivideRoundHalfEven(red, count)),
             static_cast<int>(DivideRoundHalfEven(green, count)),
             static_cast<int>(DivideRoundHalfEven(blue, count)));
}

int32_t HexToInt(const std::string& text) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  const size_t length = text.size() < 8 ? text.size() : 8;
  uint32_t result = 0;
  uint32_t place = 1;
  for (size_t i = length; i-- > 0;) {
    char ch = text[i];
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    int digit = -1;
    for (int d = 0; d < 16; ++d) {
      if (kDigits[d] == ch) {
        digit = d;
        break;
      }
    }
    if (digit < 0) return 0;
    result += static_cast<uint32_t>(digit) * place;
    place <<= 4;
  }
  return static_cast<int32_t>(result);
}
