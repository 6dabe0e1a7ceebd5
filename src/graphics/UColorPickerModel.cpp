#include "graphics/UColorPickerModel.h"

#include <cstddef>

const std::array<TColor, 48> BasicColors = {
    0x8080FF, 0x80FFFF, 0x80FF80, 0x80FF00, 0xFFFF80, 0xFF8000, 0xC080FF, 0xFF80FF,  //
    0x0000FF, 0x00FFFF, 0x00FF80, 0x40FF00, 0xFFFF00, 0xC08000, 0xC08080, 0xFF00FF,  //
    0x404080, 0x4080FF, 0x00FF00, 0x808000, 0x804000, 0xFF8080, 0x400080, 0x8000FF,  //
    0x000080, 0x0080FF, 0x008000, 0x408000, 0xFF0000, 0xA00000, 0x800080, 0xFF0080,  //
    0x000040, 0x004080, 0x004000, 0x404000, 0x800000, 0x400000, 0x400040, 0x800040,  //
    0x000000, 0x008080, 0x408080, 0x808080, 0x808040, 0xC0C0C0, 0x404040, 0xFFFFFF,  //
};

namespace {

double Unit(int value) {
  return value / 255.0;
}

double ClampFraction(double value) {
  if (!(value >= 0.0)) return 0.0;
  return value > 1.0 ? 1.0 : value;
}

int ClampToBox(int value, int size) {
  return value < 0 ? 0 : (value >= size ? size - 1 : value);
}

// RoundHalfEven for 0 <= value <= 255, without a branch or a library call: adding and taking
// away 1.5 * 2^52 leaves the value rounded in the processor's rounding mode, which is to
// nearest with ties to even unless a program changes it (this one never does).
inline uint8_t RoundToByte(double scaled) {
  constexpr double kMagic = 6755399441055744.0;
  return static_cast<uint8_t>(static_cast<int>((scaled + kMagic) - kMagic));
}

// Where each channel of a hue sector comes from, as indexes into {v, p, q, t}; the same
// table as the one HSVToRGB switches on.
constexpr uint8_t kSectorSource[6][3] = {{0, 3, 1}, {2, 0, 1}, {1, 0, 3}, {1, 2, 0}, {3, 1, 0}, {0, 1, 2}};

struct THueSplit {
  int Sector;
  double F;
};

// The hue step of HSVToRGB: a full turn is red again, then six sectors.
THueSplit SplitHue(double h) {
  if (h == 1.0) h = 0.0;
  const double x = h * 6.0;
  int sector = static_cast<int>(x);
  if (sector > 5) sector = 5;
  return {sector, x - sector};
}

// Per column, each channel's share of v: 1 for v itself, 1 - s for p, 1 - s f for q and
// 1 - (1 - f) s for t.
struct TColumnFactors {
  double Red[FieldSize], Green[FieldSize], Blue[FieldSize];

  void Set(int x, THueSplit hue, double s) {
    const double shares[4] = {1.0, 1.0 - s, 1.0 - s * hue.F, 1.0 - (1.0 - hue.F) * s};
    const uint8_t* source = kSectorSource[hue.Sector];
    Red[x] = shares[source[0]];
    Green[x] = shares[source[1]];
    Blue[x] = shares[source[2]];
  }
};

// One stored row: every channel is round(share * v * 255), the operations of HSVToRGBBytes in
// the same order, so each pixel is bit for bit what that function gives.
void StoreRow(uint8_t* pixel, const TColumnFactors& factors, double v) {
  for (int x = 0; x < FieldSize; ++x, pixel += 3) {
    pixel[0] = RoundToByte(factors.Blue[x] * v * 255.0);
    pixel[1] = RoundToByte(factors.Green[x] * v * 255.0);
    pixel[2] = RoundToByte(factors.Red[x] * v * 255.0);
  }
}

// One run of columns of cm_Value that share a hue sector: per pixel only q and t change. The
// sector is a template argument so that the channel order costs nothing in the loop.
template <int Sector>
void StoreValueSegment(uint8_t* pixel, int from, int to, const THueSplit* hues, double s, double v) {
  constexpr const uint8_t* source = kSectorSource[Sector];
  const double p = (1.0 - s) * v;
  for (int x = from; x < to; ++x, pixel += 3) {
    const double f = hues[x].F;
    const double values[4] = {v, p, (1.0 - s * f) * v, (1.0 - (1.0 - f) * s) * v};
    pixel[0] = RoundToByte(values[source[2]] * 255.0);
    pixel[1] = RoundToByte(values[source[1]] * 255.0);
    pixel[2] = RoundToByte(values[source[0]] * 255.0);
  }
}

using TSegmentStore = void (*)(uint8_t*, int, int, const THueSplit*, double, double);
constexpr TSegmentStore kValueSegment[6] = {StoreValueSegment<0>, StoreValueSegment<1>, StoreValueSegment<2>,
                                            StoreValueSegment<3>, StoreValueSegment<4>, StoreValueSegment<5>};

// The field of an HSV mode. What is constant along a column is worked out once per render;
// in cm_Value, where saturation changes along a column, the columns are taken in the runs that
// share a hue sector (hue grows from left to right, so there are at most six). At s = 0 every
// formula gives v exactly, which is HSVToRGB's grey shortcut.
void RenderHSVField(TDIBBuffer& buffer, TColorMode mode, double fixedH, double fixedS, double fixedV) {
  std::array<THueSplit, FieldSize> columnHue;
  for (int x = 0; x < FieldSize; ++x) columnHue[x] = SplitHue(mode == cm_Hue ? fixedH : Unit(x));

  if (mode != cm_Value) {
    TColumnFactors factors;
    for (int x = 0; x < FieldSize; ++x) factors.Set(x, columnHue[x], mode == cm_Hue ? Unit(x) : fixedS);
    for (int y = 0; y < FieldSize; ++y) StoreRow(buffer.PixelAt(0, y), factors, Unit(255 - y));
    return;
  }
  struct TRun {
    int From, To, Sector;
  };
  std::array<TRun, FieldSize> runs;
  int runCount = 0;
  for (int x = 0; x < FieldSize; ++x) {
    if (runCount > 0 && runs[runCount - 1].Sector == columnHue[x].Sector) {
      runs[runCount - 1].To = x + 1;
    } else {
      runs[runCount++] = {x, x + 1, columnHue[x].Sector};
    }
  }
  for (int y = 0; y < FieldSize; ++y) {
    const double s = Unit(255 - y);
    uint8_t* row = buffer.PixelAt(0, y);
    for (int i = 0; i < runCount; ++i) {
      const TRun& run = runs[i];
      uint8_t* const first = row + static_cast<std::ptrdiff_t>(run.From) * 3;
      kValueSegment[run.Sector](first, run.From, run.To, columnHue.data(), s, fixedV);
    }
  }
}

void RenderRGBField(TDIBBuffer& buffer, TColorMode mode, uint8_t r, uint8_t g, uint8_t b) {
  for (int y = 0; y < FieldSize; ++y) {
    uint8_t* pixel = buffer.PixelAt(0, y);
    const auto vertical = static_cast<uint8_t>(255 - y);
    for (int x = 0; x < FieldSize; ++x, pixel += 3) {
      const auto horizontal = static_cast<uint8_t>(x);
      TRGBBytes c;
      switch (mode) {
        case cm_Red:
          c = {r, horizontal, vertical};
          break;
        case cm_Green:
          c = {horizontal, g, vertical};
          break;
        default:
          c = {horizontal, vertical, b};
          break;
      }
      pixel[0] = c.Blue;
      pixel[1] = c.Green;
      pixel[2] = c.Red;
    }
  }
}

}  // namespace

bool TColorPickerModel::SetupBuffers() {
  FieldImage.SetSize(FieldSize, FieldSize);
  StripImage.SetSize(StripWidth, StripHeight);
  return fieldBuffer_.Setup(FieldSize, FieldSize);
}

void TColorPickerModel::ColorFromHSV() {
  const TRGBBytes c = HSVToRGBBytes(H, S, V);
  R = c.Red;
  G = c.Green;
  B = c.Blue;
  CurrentColor = RGB(R, G, B);
}

void TColorPickerModel::ColorFromRGB() {
  const THSV hsv = RGBToHSV(R, G, B);
  H = hsv.H;
  S = hsv.S;
  V = hsv.V;
  CurrentColor = RGB(R, G, B);
}

void TColorPickerModel::SetCurrentColor(TColor color) {
  if (color < 0 || color > 0xFFFFFF) {
    // Only ever store a real colour: a system colour reference is looked up now.
    color = SysColorResolver ? (SysColorResolver(color & 0xFF) & 0xFFFFFF) : clBlack;
  }
  const TRGBBytes c = SplitColor(color);
  R = c.Red;
  G = c.Green;
  B = c.Blue;
  ColorFromRGB();
}

void TColorPickerModel::SetHSVPart(int which, double fraction) {
  fraction = ClampFraction(fraction);
  if (which == 0) {
    H = fraction;
  } else if (which == 1) {
    S = fraction;
  } else {
    V = fraction;
  }
  ColorFromHSV();
}

void TColorPickerModel::SetRGBPart(int which, uint8_t value) {
  if (which == 0) {
    R = value;
  } else if (which == 1) {
    G = value;
  } else {
    B = value;
  }
  ColorFromRGB();
}

void TColorPickerModel::SetRGBValue(int32_t rrggbb) {
  const auto bits = static_cast<uint32_t>(rrggbb);
  R = static_cast<uint8_t>((bits >> 16) & 0xFF);
  G = static_cast<uint8_t>((bits >> 8) & 0xFF);
  B = static_cast<uint8_t>(bits & 0xFF);
  ColorFromRGB();
}

void TColorPickerModel::RenderField() {
  if (!fieldBuffer_.Valid()) return;
  if (IsHSVMode(Mode)) {
    RenderHSVField(fieldBuffer_, Mode, H, S, V);
  } else {
    RenderRGBField(fieldBuffer_, Mode, R, G, B);
  }
  fieldBuffer_.TransferTo(FieldImage);
}

void TColorPickerModel::RenderStrip() {
  for (int y = 0; y < StripHeight; ++y) {
    const double unit = Unit(255 - y);
    const auto level = static_cast<uint8_t>(255 - y);
    TRGBBytes c;
    switch (Mode) {
      case cm_Hue:
        c = HSVToRGBBytes(unit, S, V);
        break;
      case cm_Sat:
        c = HSVToRGBBytes(H, unit, V);
        break;
      case cm_Value:
        c = HSVToRGBBytes(H, S, unit);
        break;
      case cm_Red:
        c = {level, G, B};
        break;
      case cm_Green:
        c = {R, level, B};
        break;
      default:
        c = {R, G, level};
        break;
    }
    StripImage.FillRow(y, c);
  }
}

void TColorPickerModel::RecordRendered() {
  RenderedH = H;
  RenderedS = S;
  RenderedV = V;
  RenderedR = R;
  RenderedG = G;
  RenderedB = B;
}

void TColorPickerModel::RenderPlanes() {
  RenderField();
  RenderStrip();
  RecordRendered();
}

TRerendered TColorPickerModel::UpdatePlanes() {
  const bool h = H != RenderedH, s = S != RenderedS, v = V != RenderedV;
  const bool r = R != RenderedR, g = G != RenderedG, b = B != RenderedB;
  TRerendered done;
  switch (Mode) {
    case cm_Hue:
      done = {h, s || v};
      break;
    case cm_Sat:
      done = {s, h || v};
      break;
    case cm_Value:
      done = {v, h || s};
      break;
    case cm_Red:
      done = {r, g || b};
      break;
    case cm_Green:
      done = {g, r || b};
      break;
    default:
      done = {b, r || g};
      break;
  }
  if (done.Field) RenderField();
  if (done.Strip) RenderStrip();
  RecordRendered();
  return done;
}

TRerendered TColorPickerModel::PickField(int x, int y) {
  x = ClampToBox(x, FieldSize);
  y = ClampToBox(y, FieldSize);
  const double horizontal = Unit(x), vertical = Unit(255 - y);
  switch (Mode) {
    case cm_Hue:
      S = horizontal;
      V = vertical;
      break;
    case cm_Sat:
      H = horizontal;
      V = vertical;
      break;
    case cm_Value:
      H = horizontal;
      S = vertical;
      break;
    case cm_Red:
      G = static_cast<uint8_t>(x);
      B = static_cast<uint8_t>(255 - y);
      break;
    case cm_Green:
      R = static_cast<uint8_t>(x);
      B = static_cast<uint8_t>(255 - y);
      break;
    default:
      R = static_cast<uint8_t>(x);
      G = static_cast<uint8_t>(255 - y);
      break;
  }
  if (IsHSVMode(Mode)) {
    ColorFromHSV();
  } else {
    ColorFromRGB();
  }
  return UpdatePlanes();
}

TRerendered TColorPickerModel::PickStrip(int y) {
  y = ClampToBox(y, StripHeight);
  const auto level = static_cast<uint8_t>(255 - y);
  switch (Mode) {
    case cm_Hue:
      H = Unit(level);
      break;
    case cm_Sat:
      S = Unit(level);
      break;
    case cm_Value:
      V = Unit(level);
      break;
    case cm_Red:
      R = level;
      break;
    case cm_Green:
      G = level;
      break;
    default:
      B = level;
      break;
  }
  if (IsHSVMode(Mode)) {
    ColorFromHSV();
  } else {
    ColorFromRGB();
  }
  return UpdatePlanes();
}

TPoint TColorPickerModel::FieldMarker() const {
  auto at = [](double unit) { return RoundHalfEven(unit * 255.0); };
  switch (Mode) {
    case cm_Hue:
      return {at(S), 255 - at(V)};
    case cm_Sat:
      return {at(H), 255 - at(V)};
    case cm_Value:
      return {at(H), 255 - at(S)};
    case cm_Red:
      return {G, 255 - B};
    case cm_Green:
      return {R, 255 - B};
    default:
      return {R, 255 - G};
  }
}

int TColorPickerModel::StripMarkerY() const {
  switch (Mode) {
    case cm_Hue:
      return 255 - RoundHalfEven(H * 255.0);
    case cm_Sat:
      return 255 - RoundHalfEven(S * 255.0);
    case cm_Value:
      return 255 - RoundHalfEven(V * 255.0);
    case cm_Red:
      return 255 - R;
    case cm_Green:
      return 255 - G;
    default:
      return 255 - B;
  }
}
