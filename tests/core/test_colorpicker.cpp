#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "graphics/UBMPUtil.h"
#include "graphics/UColorPickerModel.h"
#include "graphics/brCustomColors.h"

namespace {

// What a field pixel must be, straight from the colour functions.
TRGBBytes ExpectedField(const TColorPickerModel& m, int x, int y) {
  const double hx = x / 255.0, vy = (255 - y) / 255.0;
  const auto bx = static_cast<uint8_t>(x), by = static_cast<uint8_t>(255 - y);
  switch (m.Mode) {
    case cm_Hue:
      return HSVToRGBBytes(m.H, hx, vy);
    case cm_Sat:
      return HSVToRGBBytes(hx, m.S, vy);
    case cm_Value:
      return HSVToRGBBytes(hx, vy, m.V);
    case cm_Red:
      return {m.R, bx, by};
    case cm_Green:
      return {bx, m.G, by};
    default:
      return {bx, by, m.B};
  }
}

TRGBBytes ExpectedStrip(const TColorPickerModel& m, int y) {
  const double u = (255 - y) / 255.0;
  const auto b = static_cast<uint8_t>(255 - y);
  switch (m.Mode) {
    case cm_Hue:
      return SplitColor(HSVToColor(u, m.S, m.V));
    case cm_Sat:
      return SplitColor(HSVToColor(m.H, u, m.V));
    case cm_Value:
      return SplitColor(HSVToColor(m.H, m.S, u));
    case cm_Red:
      return {b, m.G, m.B};
    case cm_Green:
      return {m.R, b, m.B};
    default:
      return {m.R, m.G, b};
  }
}

TColorPickerModel ReadyModel(TColorMode mode, TColor color) {
  TColorPickerModel m;
  EXPECT_TRUE(m.SetupBuffers());
  m.SetColorMode(mode);
  m.SetCurrentColor(color);
  m.RenderPlanes();
  return m;
}

// Picking and markers need no images.
TColorPickerModel PlainModel(TColorMode mode, TColor color) {
  TColorPickerModel m;
  m.SetColorMode(mode);
  m.SetCurrentColor(color);
  return m;
}

std::vector<uint8_t> Bytes(const TImage24& image) {
  return {image.Bits(), image.Bits() + image.ByteSize()};
}

const TColorMode kAllModes[] = {cm_Hue, cm_Sat, cm_Value, cm_Red, cm_Green, cm_Blue};

}  // namespace

TEST(ColorPickerPlanes, EveryFieldAndStripPixelMatchesTheColourFunctions) {
  struct Case {
    double h, s, v;  // set on the HSV side, so that greys keep their hue
  } cases[] = {
      {0, 1, 1},       {1, 1, 1},     {0.1234, 0.5, 0.75}, {2 / 3.0, 0.3, 0.2},
      {0.999, 1, 0.5}, {0.5, 0, 0.6}, {0.25, 0.8, 0},
  };
  for (const TColorMode mode : kAllModes) {
    for (const auto& c : cases) {
      TColorPickerModel m;
      ASSERT_TRUE(m.SetupBuffers());
      m.SetColorMode(mode);
      m.SetHSVPart(0, c.h);
      m.SetHSVPart(1, c.s);
      m.SetHSVPart(2, c.v);
      m.RenderPlanes();
      int wrong = 0;
      for (int y = 0; y < FieldSize; ++y)
        for (int x = 0; x < FieldSize; ++x) {
          const TRGBBytes want = ExpectedField(m, x, y);
          if (!(m.FieldImage.Pixel(x, y) == want) || !(m.FieldBuffer().Pixel(x, y) == want)) ++wrong;
        }
      EXPECT_EQ(wrong, 0) << "mode " << int(mode) << " hsv " << c.h << "," << c.s << "," << c.v;
      for (int y = 0; y < StripHeight; ++y)
        for (int x : {0, 15, 31}) {
          ASSERT_EQ(m.StripImage.Pixel(x, y), ExpectedStrip(m, y))
              << "mode " << int(mode) << " y " << y << " hsv " << c.h << "," << c.s << "," << c.v;
        }
    }
  }
}

TEST(ColorPickerPlanes, HueStripUsesTheCurrentSaturationAndValue) {
  struct Case {
    TColor color;
    TRGBBytes top, middle;
  } cases[] = {
      {RGB(255, 0, 0), {255, 0, 0}, {0, 255, 252}},
      {RGB(128, 128, 128), {128, 128, 128}, {128, 128, 128}},  // S = 0: uniform grey
      {RGB(0, 0, 0), {0, 0, 0}, {0, 0, 0}},                    // V = 0: black
  };
  for (const auto& c : cases) {
    const TColorPickerModel m = ReadyModel(cm_Hue, c.color);
    EXPECT_EQ(m.StripImage.Pixel(16, 0), c.top) << c.color;
    EXPECT_EQ(m.StripImage.Pixel(16, 128), c.middle) << c.color;
  }
}

TEST(ColorPickerPlanes, DraggingOneBoxRerendersOnlyTheOther) {
  struct Case {
    TColorMode mode;
    TColor start;
  } cases[] = {
      {cm_Hue, RGB(200, 40, 90)}, {cm_Sat, RGB(200, 40, 90)},   {cm_Value, RGB(200, 40, 90)},
      {cm_Red, RGB(200, 40, 90)}, {cm_Green, RGB(200, 40, 90)}, {cm_Blue, RGB(200, 40, 90)},
  };
  for (const auto& c : cases) {
    TColorPickerModel m = ReadyModel(c.mode, c.start);
    const auto field = Bytes(m.FieldImage);
    auto strip = Bytes(m.StripImage);
    for (TPoint p : {TPoint{10, 20}, TPoint{100, 200}, TPoint{255, 255}, TPoint{0, 0}}) {
      EXPECT_EQ(m.PickField(p.X, p.Y), (TRerendered{false, true}))
          << int(c.mode) << " at " << p.X << "," << p.Y;
    }
    EXPECT_EQ(Bytes(m.FieldImage), field) << int(c.mode);
    EXPECT_NE(Bytes(m.StripImage), strip) << int(c.mode);
    // The same point again changes nothing, so nothing is rendered.
    EXPECT_EQ(m.PickField(0, 0), (TRerendered{false, false}));

    strip = Bytes(m.StripImage);
    for (int y : {30, 128, 250})
      EXPECT_EQ(m.PickStrip(y), (TRerendered{true, false})) << int(c.mode) << " y " << y;
    EXPECT_EQ(Bytes(m.StripImage), strip) << int(c.mode);
    EXPECT_NE(Bytes(m.FieldImage), field) << int(c.mode);
    // The images shown are those of the current coordinates.
    TColorPickerModel fresh = ReadyModel(c.mode, clBlack);
    fresh.H = m.H, fresh.S = m.S, fresh.V = m.V, fresh.R = m.R, fresh.G = m.G, fresh.B = m.B;
    fresh.RenderPlanes();
    EXPECT_EQ(Bytes(fresh.FieldImage), Bytes(m.FieldImage)) << int(c.mode);
    EXPECT_EQ(Bytes(fresh.StripImage), Bytes(m.StripImage)) << int(c.mode);
  }
}

TEST(ColorPickerPlanes, EditsOfSpinValuesFollowTheTable) {
  struct Case {
    TColorMode mode;
    bool hsv;
    int which;
    TRerendered expected;
  } cases[] = {
      {cm_Hue, true, 0, {true, false}},
      {cm_Hue, true, 1, {false, true}},
      {cm_Hue, true, 2, {false, true}},
      {cm_Sat, true, 1, {true, false}},
      {cm_Sat, true, 0, {false, true}},
      {cm_Value, true, 2, {true, false}},
      {cm_Value, true, 1, {false, true}},
      {cm_Red, false, 0, {true, false}},
      {cm_Red, false, 2, {false, true}},
      {cm_Green, false, 1, {true, false}},
      {cm_Blue, false, 2, {true, false}},
      {cm_Blue, false, 0, {false, true}},
      // An RGB edit moves H, S and V too: in an HSV mode both images may change.
      {cm_Hue, false, 0, {true, true}},
  };
  for (const auto& c : cases) {
    TColorPickerModel m = ReadyModel(c.mode, RGB(200, 40, 90));
    if (c.hsv) {
      m.SetHSVPart(c.which, 0.5);
    } else {
      m.SetRGBPart(c.which, 17);
    }
    EXPECT_EQ(m.UpdatePlanes(), c.expected) << int(c.mode) << " " << c.hsv << " " << c.which;
  }
}

TEST(ColorPickerPlanes, HueSurvivesADragThroughGreyAndBlack) {
  struct Case {
    TColorMode mode;
    bool strip;
    int x, y;  // the point that takes S or V to zero
  } cases[] = {
      {cm_Hue, false, 100, 255},   // V = 0
      {cm_Hue, false, 0, 40},      // S = 0
      {cm_Sat, true, 0, 255},      // V = 0 on the strip... of saturation: S = 0
      {cm_Value, true, 0, 255},    // V = 0
      {cm_Value, false, 200, 255}  // S = 0, H from the field
  };
  for (const auto& c : cases) {
    TColorPickerModel m = ReadyModel(c.mode, RGB(30, 200, 90));
    m.SetHSVPart(0, 0.4);
    m.UpdatePlanes();
    const double hue = c.mode == cm_Value && !c.strip ? c.x / 255.0 : 0.4;
    if (c.strip) {
      m.PickStrip(c.y);
    } else {
      m.PickField(c.x, c.y);
    }
    EXPECT_TRUE(m.S == 0 || m.V == 0) << int(c.mode);
    EXPECT_EQ(m.R, m.G);
    EXPECT_EQ(m.G, m.B);
    EXPECT_EQ(m.H, hue) << int(c.mode);
    // Back to full saturation and value: the old hue comes back.
    m.SetHSVPart(1, 1);
    m.SetHSVPart(2, 1);
    EXPECT_EQ(m.CurrentColor, HSVToColor(hue, 1, 1)) << int(c.mode);
  }
  // A grey that arrives as RGB has hue 0.
  TColorPickerModel m = ReadyModel(cm_Hue, RGB(30, 200, 90));
  m.SetCurrentColor(RGB(77, 77, 77));
  EXPECT_EQ(m.H, 0);
}

TEST(ColorPickerPlanes, PicksOutsideTheBoxesTakeTheNearestEdge) {
  struct Case {
    int x, y;
    int clampedX, clampedY;
  } cases[] = {
      {-20, 300, 0, 255}, {300, -1, 255, 0}, {256, 256, 255, 255},
      {-1, -1, 0, 0},     {5, 7, 5, 7},      {INT32_MIN, INT32_MAX, 0, 255},
  };
  for (const TColorMode mode : kAllModes) {
    for (const auto& c : cases) {
      TColorPickerModel a = PlainModel(mode, RGB(1, 2, 3)), b = PlainModel(mode, RGB(1, 2, 3));
      a.PickField(c.x, c.y);
      b.PickField(c.clampedX, c.clampedY);
      EXPECT_EQ(a.CurrentColor, b.CurrentColor) << int(mode) << " " << c.x << "," << c.y;
      EXPECT_EQ(a.FieldMarker(), (b.FieldMarker()));
      TColorPickerModel s = PlainModel(mode, RGB(1, 2, 3)), t = PlainModel(mode, RGB(1, 2, 3));
      s.PickStrip(c.y);
      t.PickStrip(c.clampedY);
      EXPECT_EQ(s.CurrentColor, t.CurrentColor) << int(mode) << " y " << c.y;
      EXPECT_EQ(s.StripMarkerY(), c.clampedY) << int(mode) << " y " << c.y;
    }
  }
}

TEST(ColorPickerPlanes, PickingSetsTheModesCoordinates) {
  struct Case {
    TColorMode mode;
    int x, y;
    TColor color;  // from RGB(100, 150, 200)
  } cases[] = {
      {cm_Red, 10, 0, RGB(100, 10, 255)},  // R stays
      {cm_Green, 10, 0, RGB(10, 150, 255)},
      {cm_Blue, 10, 0, RGB(10, 255, 200)},
      {cm_Hue, 255, 0, HSVToColor(RGBToHSV(100, 150, 200).H, 1, 1)},
      {cm_Sat, 0, 0, HSVToColor(0, RGBToHSV(100, 150, 200).S, 1)},
      {cm_Value, 0, 0, HSVToColor(0, 1, RGBToHSV(100, 150, 200).V)},
  };
  for (const auto& c : cases) {
    TColorPickerModel m = ReadyModel(c.mode, RGB(100, 150, 200));
    m.PickField(c.x, c.y);
    EXPECT_EQ(m.CurrentColor, c.color) << int(c.mode);
    EXPECT_EQ(m.CurrentColor, RGB(m.R, m.G, m.B));
  }
}

TEST(ColorPickerPlanes, TopOfTheHueStripIsRed) {
  TColorPickerModel m = ReadyModel(cm_Hue, RGB(0, 255, 0));
  m.PickStrip(0);
  EXPECT_EQ(m.H, 1.0);
  EXPECT_EQ(m.CurrentColor, RGB(255, 0, 0));
  EXPECT_EQ(m.StripMarkerY(), 0);
  EXPECT_EQ(m.StripImage.Pixel(0, 0), (TRGBBytes{255, 0, 0}));
  m.PickStrip(255);
  EXPECT_EQ(m.H, 0.0);
  EXPECT_EQ(m.StripMarkerY(), 255);
}

TEST(ColorPickerPlanes, Markers) {
  struct Case {
    TColorMode mode;
    TPoint field;
    int strip;
  } cases[] = {
      // RGB(51, 102, 204): H = 220/360, S = 0.75, V = 0.8
      {cm_Hue, {191, 51}, 255 - 156}, {cm_Sat, {156, 51}, 255 - 191}, {cm_Value, {156, 64}, 51},
      {cm_Red, {102, 51}, 204},       {cm_Green, {51, 51}, 153},      {cm_Blue, {51, 153}, 51},
  };
  for (const auto& c : cases) {
    const TColorPickerModel m = ReadyModel(c.mode, RGB(51, 102, 204));
    EXPECT_EQ(m.FieldMarker(), c.field) << int(c.mode);
    EXPECT_EQ(m.StripMarkerY(), c.strip) << int(c.mode);
  }
}

TEST(ColorPickerPlanes, MarkerTurnsGreyOnDarkColours) {
  struct Case {
    bool hsv;
    double v;    // HSV side
    TColor rgb;  // RGB side
    TColor marker;
  } cases[] = {
      {true, 84 / 255.0, 0, MarkerGrey},
      {true, 85 / 255.0, 0, clBlack},
      {true, 0.32, 0, MarkerGrey},
      {true, 0.33, 0, clBlack},
      {true, 0, 0, MarkerGrey},
      {true, 1, 0, clBlack},
      {false, 0, RGB(84, 10, 0), MarkerGrey},
      {false, 0, RGB(0, 85, 0), clBlack},
      {false, 0, RGB(10, 20, 84), MarkerGrey},
  };
  for (const TColorMode mode : kAllModes) {
    for (const auto& c : cases) {
      TColorPickerModel m = PlainModel(mode, RGB(0, 200, 0));
      if (c.hsv) {
        m.SetHSVPart(2, c.v);
      } else {
        m.SetCurrentColor(c.rgb);
      }
      EXPECT_EQ(m.MarkerColor(), c.marker) << int(mode) << " " << c.v << " " << c.rgb;
    }
  }
}

TEST(ColorPickerPlanes, CurrentColorIsAlwaysRGB) {
  struct Case {
    TColor in;
    bool withResolver;
    TColor out;
    int askedIndex;
  } cases[] = {
      {static_cast<TColor>(0xFF00000F), true, 0xC8D0D4, 15},
      {static_cast<TColor>(0xFF000005), true, 0x050505, 5},
      {static_cast<TColor>(0xFF00000F), false, clBlack, -1},
      {0x01000002, true, 0x020202, 2},  // above 0xFFFFFF counts as a reference too
      {0x00123456, true, 0x123456, -1},
  };
  for (const auto& c : cases) {
    TColorPickerModel m;
    int asked = -1;
    if (c.withResolver)
      m.SysColorResolver = [&](int index) {
        asked = index;
        // A resolver that answers with a reference again must not leak it.
        return index == 15 ? static_cast<TColor>(0xFFC8D0D4) : RGB(index, index, index);
      };
    m.SetCurrentColor(c.in);
    EXPECT_EQ(m.CurrentColor, c.out) << c.in;
    EXPECT_EQ(asked, c.askedIndex) << c.in;
    EXPECT_EQ(RGB(m.R, m.G, m.B), c.out);
  }
}

TEST(ColorPickerPlanes, PartsKeepBothSidesInStep) {
  TColorPickerModel m;
  m.SetRGBValue(0x0000FF);  // the hex edit's byte order: pure blue
  EXPECT_EQ(m.CurrentColor, RGB(0, 0, 255));
  EXPECT_EQ(m.H, 2 / 3.0);
  m.SetHSVPart(0, 1.5);  // held to a full turn: red
  EXPECT_EQ(m.H, 1.0);
  EXPECT_EQ(m.CurrentColor, RGB(255, 0, 0));
  m.SetHSVPart(1, -3);
  EXPECT_EQ(m.S, 0.0);
  EXPECT_EQ(m.CurrentColor, RGB(255, 255, 255));
  m.SetRGBPart(1, 0);
  EXPECT_EQ(m.CurrentColor, RGB(255, 0, 255));
  EXPECT_NEAR(m.H, 300 / 360.0, 1e-12);
}

TEST(DIBBuffer, LayoutIsBottomUpBlueGreenRedWithPaddedRows) {
  struct Case {
    int width, height;
    size_t rowLength, byteSize;
  } cases[] = {{256, 256, 768, 196608}, {5, 3, 16, 48}, {1, 1, 4, 4}, {4, 2, 12, 24}, {32, 256, 96, 24576}};
  for (const auto& c : cases) {
    TDIBBuffer buffer;
    ASSERT_TRUE(buffer.Setup(c.width, c.height));
    EXPECT_EQ(buffer.RowLength(), c.rowLength);
    EXPECT_EQ(buffer.ByteSize(), c.byteSize);
    uint8_t* p = buffer.PixelAt(c.width - 1, 0);  // last pixel of the top row
    p[0] = 1, p[1] = 2, p[2] = 3;
    const size_t offset = (c.height - 1) * c.rowLength + (c.width - 1) * 3;
    EXPECT_EQ(buffer.Bits()[offset], 1);
    EXPECT_EQ(buffer.Pixel(c.width - 1, 0), (TRGBBytes{3, 2, 1}));
    TImage24 image;
    buffer.TransferTo(image);
    EXPECT_EQ(image.Width(), c.width);
    EXPECT_EQ(image.Pixel(c.width - 1, 0), (TRGBBytes{3, 2, 1}));
    if (c.width > 1) {
      EXPECT_EQ(image.Pixel(0, c.height - 1), (TRGBBytes{}));
    }
  }
  for (TPoint bad : {TPoint{0, 5}, TPoint{5, 0}, TPoint{-1, 10}}) {
    TDIBBuffer buffer;
    EXPECT_FALSE(buffer.Setup(bad.X, bad.Y));
    EXPECT_FALSE(buffer.Valid());
  }
}

TEST(DIBBuffer, TheFieldsFirstStoredRowIsItsBottomRow) {
  TColorPickerModel m = ReadyModel(cm_Hue, RGB(255, 0, 0));
  const uint8_t* bits = m.FieldBuffer().Bits();
  // Bottom row: V = 0, black. Top row, right end: pure red stored as blue, green, red.
  for (size_t i = 0; i < 768; ++i) ASSERT_EQ(bits[i], 0) << i;
  const uint8_t* topRight = bits + 255 * m.FieldBuffer().RowLength() + 255 * 3;
  EXPECT_EQ(topRight[0], 0);
  EXPECT_EQ(topRight[1], 0);
  EXPECT_EQ(topRight[2], 255);
  // Without a buffer nothing is rendered, and nothing breaks.
  TColorPickerModel none;
  none.PickField(10, 10);
  none.RenderPlanes();
  EXPECT_FALSE(none.BuffersReady());
  EXPECT_EQ(none.FieldImage.Pixel(0, 0), (TRGBBytes{}));
}

TEST(CustomColors, ReadAndWriteLines) {
  struct Case {
    std::vector<std::string> lines;
    int slot;
    TColor read;
  } cases[] = {
      {{"ColorA=0000FF"}, 0, 0xFF},
      {{"ColorA=0000FF"}, 1, 0},
      {{"colorb=ff0000"}, 1, 0xFF0000},  // names without regard to case
      {{"ColorP="}, 15, 0},
      {{"ColorC=xyz"}, 2, 0},
      {{"ColorC=$12"}, 2, 0},
      {{"ColorC=123456789"}, 2, 0},
      {{"ColorD=FF00000F"}, 3, static_cast<TColor>(0xFF00000F)},
      {{"Other=1", "ColorE=000010", "ColorE=000020"}, 4, 0x10},  // the first line counts
      {{"ColorF"}, 5, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReadCustomColor(c.lines, c.slot), c.read) << c.lines[0] << " " << c.slot;

  std::vector<std::string> lines;
  for (int slot = 0; slot < CustomColorCount; ++slot) WriteCustomColor(lines, slot, slot == 0 ? 0xFF : 0);
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[0], "ColorA=0000FF");
  EXPECT_EQ(lines[1], "ColorB=000000");
  EXPECT_EQ(lines[15], "ColorP=000000");
  WriteCustomColor(lines, 1, 0xABCDEF);
  WriteCustomColor(lines, 2, static_cast<TColor>(0xFF00000F));
  EXPECT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[1], "ColorB=ABCDEF");
  EXPECT_EQ(lines[2], "ColorC=FF00000F");
  std::vector<std::string> other = {"colora=1"};
  WriteCustomColor(other, 0, 0x20);
  EXPECT_EQ(other, (std::vector<std::string>{"colora=000020"}));
  for (int slot = 0; slot < CustomColorCount; ++slot)
    EXPECT_EQ(ReadCustomColor(lines, slot), slot == 0   ? 0xFF
                                            : slot == 1 ? 0xABCDEF
                                            : slot == 2 ? static_cast<TColor>(0xFF00000F)
                                                        : 0);
}
