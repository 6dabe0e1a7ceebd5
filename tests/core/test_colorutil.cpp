#include <gtest/gtest.h>

#include <vector>

#include "base/brRandom.h"
#include "graphics/brColorUtil.h"

namespace {
constexpr double kEps = 1e-12;
}

TEST(ColorUtil, RoundHalfEven) {
  struct Case {
    double in;
    int32_t out;
  } cases[] = {
      {0.5, 0},     {1.5, 2},     {2.5, 2},     {127.5, 128},      {128.5, 128},
      {254.5, 254}, {0.49999, 0}, {0.50001, 1}, {-0.5, 0},         {-1.5, -2},
      {-2.5, -2},   {-0.6, -1},   {3.0, 3},     {1e12, INT32_MAX}, {-1e12, INT32_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.in), c.out) << c.in;
}

TEST(ColorUtil, PackAndSplit) {
  struct Case {
    int r, g, b;
    TColor packed;
    TRGBBytes split;
  } cases[] = {
      {0, 0, 0, 0x000000, {0, 0, 0}},
      {255, 255, 255, 0xFFFFFF, {255, 255, 255}},
      {0x12, 0x34, 0x56, 0x563412, {0x12, 0x34, 0x56}},
      {197, 233, 141, clDefaultNoteColor, {197, 233, 141}},
      // Only the low byte of each argument counts.
      {0x1FF, -1, 0x100, 0x00FFFF, {255, 255, 0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RGB(c.r, c.g, c.b), c.packed) << c.r << "," << c.g << "," << c.b;
    EXPECT_EQ(SplitColor(c.packed), c.split);
  }
  // A system colour reference keeps its index in the red byte; the top byte is ignored.
  EXPECT_EQ(SplitColor(static_cast<TColor>(0xFF00000F)), (TRGBBytes{15, 0, 0}));
}

TEST(ColorUtil, RGBToHSV) {
  struct Case {
    uint8_t r, g, b;
    double h, s, v;
  } cases[] = {
      {0, 0, 0, 0, 0, 0},
      {128, 128, 128, 0, 0, 128 / 255.0},
      {255, 255, 255, 0, 0, 1},
      {255, 0, 0, 0, 1, 1},
      {0, 255, 0, 1 / 3.0, 1, 1},
      {0, 0, 255, 2 / 3.0, 1, 1},
      {255, 0, 255, 300 / 360.0, 1, 1},  // negative hue wrapped
      {255, 255, 0, 60 / 360.0, 1, 1},   // red wins the tie with green
      {0, 255, 255, 180 / 360.0, 1, 1},  // green wins the tie with blue
      {200, 100, 100, 0, 0.5, 200 / 255.0},
      {255, 1, 0, 1 / 360.0 * 60.0 / 255.0, 1, 1},
      {1, 0, 0, 0, 1, 1 / 255.0},
      {255, 0, 1, (360.0 - 60.0 / 255.0) / 360.0, 1, 1},
  };
  for (const auto& c : cases) {
    const THSV hsv = RGBToHSV(c.r, c.g, c.b);
    EXPECT_NEAR(hsv.H, c.h, kEps) << int(c.r) << "," << int(c.g) << "," << int(c.b);
    EXPECT_NEAR(hsv.S, c.s, kEps) << int(c.r) << "," << int(c.g) << "," << int(c.b);
    EXPECT_NEAR(hsv.V, c.v, kEps) << int(c.r) << "," << int(c.g) << "," << int(c.b);
  }
  // Primaries come out exactly, so the picker's strip positions do not drift.
  EXPECT_EQ(RGBToHSV(0, 255, 0).H, 1 / 3.0);
  EXPECT_EQ(RGBToHSV(0, 0, 255).H, 2 / 3.0);
}

TEST(ColorUtil, HSVToRGBSectors) {
  struct Case {
    double h, s, v;
    double r, g, b;
  } cases[] = {
      {0, 1, 1, 1, 0, 0},
      {1, 1, 1, 1, 0, 0},  // a full turn is red again
      {1 / 6.0, 1, 1, 1, 1, 0},
      {1 / 12.0, 1, 1, 1, 0.5, 0},   // sector 0: v, t, p
      {3 / 12.0, 1, 1, 0.5, 1, 0},   // sector 1: q, v, p
      {5 / 12.0, 1, 1, 0, 1, 0.5},   // sector 2: p, v, t
      {7 / 12.0, 1, 1, 0, 0.5, 1},   // sector 3: p, q, v
      {9 / 12.0, 1, 1, 0.5, 0, 1},   // sector 4: t, p, v
      {11 / 12.0, 1, 1, 1, 0, 0.5},  // sector 5: v, p, q
      {0, 0.5, 0.8, 0.8, 0.4, 0.4},  // p = (1 - s) v
      {0.3, 0, 0.5, 0.5, 0.5, 0.5},  // grey whatever the hue
      {0.9, 0, 0.5, 0.5, 0.5, 0.5},
      {0.5, 1, 0, 0, 0, 0},
      // Arguments outside 0..1 are held to the edge instead of leaving the six sectors.
      {1.5, 1, 1, 1, 0, 0},
      {-0.2, 1, 1, 1, 0, 0},
      {0, 2, 2, 1, 0, 0},
  };
  for (const auto& c : cases) {
    const TRGBUnit u = HSVToRGB(c.h, c.s, c.v);
    EXPECT_NEAR(u.Red, c.r, kEps) << c.h << "," << c.s << "," << c.v;
    EXPECT_NEAR(u.Green, c.g, kEps) << c.h << "," << c.s << "," << c.v;
    EXPECT_NEAR(u.Blue, c.b, kEps) << c.h << "," << c.s << "," << c.v;
  }
}

TEST(ColorUtil, HSVToBytesAndColor) {
  struct Case {
    double h, s, v;
    TRGBBytes bytes;
  } cases[] = {
      {0.7, 0, 0.5, {128, 128, 128}},  // 127.5 rounds to the even 128
      {0, 0, 128.5 / 255, {128, 128, 128}},
      {0, 0, 1, {255, 255, 255}},
      {0, 1, 1, {255, 0, 0}},
      {1, 1, 1, {255, 0, 0}},
      {1 / 3.0, 1, 1, {0, 255, 0}},
      {2 / 3.0, 1, 1, {0, 0, 255}},
      {1 / 12.0, 1, 1, {255, 128, 0}},  // 127.5 again
      {0.5, 0.5, 1, {128, 255, 255}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HSVToRGBBytes(c.h, c.s, c.v), c.bytes) << c.h << "," << c.s << "," << c.v;
    EXPECT_EQ(HSVToColor(c.h, c.s, c.v), RGB(c.bytes.Red, c.bytes.Green, c.bytes.Blue));
  }
}

TEST(ColorUtil, HSVRoundTripOfEveryGreyAndPrimaryRamp) {
  // The picker converts typed RGB to HSV and renders it back; no byte may change on the way.
  for (int i = 0; i <= 255; ++i) {
    const auto b = static_cast<uint8_t>(i);
    const TRGBBytes samples[] = {{b, b, b}, {b, 0, 0}, {0, b, 0}, {0, 0, b}, {255, b, 0}, {b, 17, 255}};
    for (const auto& s : samples) {
      const THSV hsv = RGBToHSV(s.Red, s.Green, s.Blue);
      EXPECT_EQ(HSVToRGBBytes(hsv.H, hsv.S, hsv.V), s)
          << int(s.Red) << "," << int(s.Green) << "," << int(s.Blue);
    }
  }
}

TEST(ColorUtil, WebSafeBoundaries) {
  struct Case {
    uint8_t in;
    int out;
  } cases[] = {
      {0, 0},     {25, 0},    {26, 51},   {76, 51},   {77, 102},  {127, 102},
      {128, 153}, {178, 153}, {179, 204}, {229, 204}, {230, 255}, {255, 255},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WebSafeColor(c.in, 0, 0), RGB(c.out, 0, 0)) << int(c.in);
    EXPECT_EQ(WebSafeColor(0, c.in, 0), RGB(0, c.out, 0)) << int(c.in);
    EXPECT_EQ(WebSafeColor(0, 0, c.in), RGB(0, 0, c.out)) << int(c.in);
  }
  EXPECT_EQ(WebSafeColor(25, 26, 255), 0x00FF3300);
}

TEST(ColorUtil, RandomColorStaysBrightAndDrawsBlueFirst) {
  TRandom random(12345);
  int lowest = 255, highest = 0;
  for (int i = 0; i < 5000; ++i) {
    const TColor c = RandomColor(random);
    EXPECT_EQ(c & 0xFF000000, 0);
    const TRGBBytes b = SplitColor(c);
    for (int channel : {b.Red, b.Green, b.Blue}) {
      lowest = std::min(lowest, channel);
      highest = std::max(highest, channel);
    }
  }
  EXPECT_EQ(lowest, 64);
  EXPECT_EQ(highest, 255);

  random.Seed(777);
  const int blue = random.Int(192) + 64, green = random.Int(192) + 64, red = random.Int(192) + 64;
  random.Seed(777);
  EXPECT_EQ(RandomColor(random), RGB(red, green, blue));
}

TEST(ColorUtil, AdjustBrightnessClampsEachChannel) {
  struct Case {
    TColor in;
    int delta;
    TColor out;
  } cases[] = {
      {0xFFFFFF, 5, 0xFFFFFF},
      {0x000000, -5, 0x000000},
      {RGB(250, 3, 100), 5, RGB(255, 8, 105)},
      {RGB(250, 3, 100), -5, RGB(245, 0, 95)},
      {RGB(10, 100, 220), 40, RGB(50, 140, 255)},
      {RGB(10, 100, 220), -50, RGB(0, 50, 170)},
      {RGB(1, 2, 3), 0, RGB(1, 2, 3)},
      {RGB(1, 2, 3), INT32_MAX, 0xFFFFFF},
      {RGB(1, 2, 3), INT32_MIN, 0x000000},
      // The top byte of a stray reference is dropped, the result is plain RGB.
      {static_cast<TColor>(0xFF00000F), 1, RGB(16, 1, 1)},
  };
  for (const auto& c : cases) EXPECT_EQ(AdjustBrightness(c.in, c.delta), c.out) << c.in << " " << c.delta;
}

TEST(ColorUtil, AverageColorRoundsTiesToEven) {
  struct Case {
    std::vector<TColor> pixels;  // one row
    TColor out;
  } cases[] = {
      {{RGB(0, 0, 0), RGB(1, 0, 0)}, RGB(0, 0, 0)},
      {{RGB(1, 0, 0), RGB(2, 0, 0)}, RGB(2, 0, 0)},
      {{RGB(0, 3, 0), RGB(0, 4, 0)}, RGB(0, 4, 0)},
      {{RGB(0, 0, 5), RGB(0, 0, 6)}, RGB(0, 0, 6)},
      {{RGB(0, 0, 0), RGB(0, 0, 0), RGB(2, 2, 2)}, RGB(1, 1, 1)},  // 0.667 rounds up
      {{RGB(0, 0, 0), RGB(0, 0, 0), RGB(1, 1, 1)}, RGB(0, 0, 0)},  // 0.333 rounds down
      {{RGB(255, 255, 255), RGB(255, 255, 255)}, 0xFFFFFF},
  };
  for (const auto& c : cases) {
    TPixelSource image{static_cast<int>(c.pixels.size()), 1, [&](int x, int) { return c.pixels[x]; }};
    EXPECT_EQ(AverageColor(image), c.out);
  }

  // A 17 x 16 image of one colour (the size a note samples) gives that colour; every pixel
  // is visited exactly once.
  int visits = 0;
  TPixelSource flat{17, 16, [&](int x, int y) {
                      EXPECT_TRUE(x >= 0 && x < 17 && y >= 0 && y < 16);
                      ++visits;
                      return RGB(12, 200, 99);
                    }};
  EXPECT_EQ(AverageColor(flat), RGB(12, 200, 99));
  EXPECT_EQ(visits, 17 * 16);

  EXPECT_EQ(AverageColor(TPixelSource{0, 16, [](int, int) { return clWhite; }}), clBlack);
}

TEST(ColorUtil, HexToInt) {
  struct Case {
    const char* text;
    int32_t value;
  } cases[] = {
      {"ff", 255},
      {"FF", 255},
      {"0000FF", 255},
      {"fF", 255},
      {"12G4", 0},
      {"123456789", 0x12345678},  // only the first eight characters
      {"1234567G", 0},
      {"12345678G", 0x12345678},  // the ninth is not read at all
      {"", 0},
      {"0", 0},
      {"FFFFFFFF", -1},
      {"80000000", INT32_MIN},
      {"abcdef", 0xABCDEF},
      {" 1", 0},
      {"-1", 0},
      {"0x10", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(HexToInt(c.text), c.value) << c.text;
}
