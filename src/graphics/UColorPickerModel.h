// The colour picker's colour state and its two planes: the 256 x 256 field and the 32 x 256
// strip, rendered into plain 24-bit images, with mouse picking and the position markers.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "graphics/UBMPUtil.h"
#include "graphics/UColorTypes.h"
#include "graphics/brColorUtil.h"

enum TColorMode : uint8_t { cm_Hue = 0, cm_Sat = 1, cm_Value = 2, cm_Red = 3, cm_Green = 4, cm_Blue = 5 };

inline constexpr int FieldSize = 256;
inline constexpr int StripWidth = 32;
inline constexpr int StripHeight = 256;
inline constexpr TColor MarkerGrey = 0x808080;

inline bool IsHSVMode(TColorMode mode) {
  return mode <= cm_Value;
}

// The 48 colours of the basic palette, row by row, eight to a row.
extern const std::array<TColor, 48> BasicColors;

// Gives the current RGB value of the platform's system colour with the given index.
using TSysColorResolver = std::function<TColor(int index)>;

struct TPoint {
  int X = 0, Y = 0;
  bool operator==(const TPoint&) const = default;
};

// Which images one UpdatePlanes call rendered again.
struct TRerendered {
  bool Field = false;
  bool Strip = false;
  bool operator==(const TRerendered&) const = default;
};

class TColorPickerModel {
 public:
  // Both coordinate sets are kept; the side that was edited last is the true one and the
  // other is recomputed from it, so a hue survives a trip through grey or black.
  TColor CurrentColor = clBlack;
  TColorMode Mode = cm_Hue;
  double H = 0, S = 0, V = 0;
  uint8_t R = 0, G = 0, B = 0;
  double RenderedH = 0, RenderedS = 0, RenderedV = 0;
  uint8_t RenderedR = 0, RenderedG = 0, RenderedB = 0;
  TImage24 FieldImage{FieldSize, FieldSize};
  TImage24 StripImage{StripWidth, StripHeight};
  bool DraggingField = false;
  bool DraggingStrip = false;

  // Resolves system colour references in SetCurrentColor; without one they become black.
  TSysColorResolver SysColorResolver;

  // Sets up the field's pixel buffer; false when that fails (nothing can be rendered then).
  bool SetupBuffers();
  void ReleaseBuffers() { fieldBuffer_.Release(); }
  bool BuffersReady() const { return fieldBuffer_.Valid(); }
  const TDIBBuffer& FieldBuffer() const { return fieldBuffer_; }
  TDIBBuffer& FieldBuffer() { return fieldBuffer_; }

  void SetCurrentColor(TColor color);
  void SetColorMode(TColorMode mode) { Mode = mode; }
  // which: 0 = H, 1 = S, 2 = V; the fraction is held to 0..1.
  void SetHSVPart(int which, double fraction);
  // which: 0 = R, 1 = G, 2 = B.
  void SetRGBPart(int which, uint8_t value);
  // Red in bits 16 to 23, green 8 to 15, blue 0 to 7, as the hex edit reads it.
  void SetRGBValue(int32_t rrggbb);

  // Both images for the current mode; then records the rendered coordinates.
  void RenderPlanes();
  // Only the images whose coordinates changed since the last render; then records them.
  TRerendered UpdatePlanes();
  void RenderField();
  void RenderStrip();

  // Clamped to the box; the picked colour becomes current and the planes are updated.
  TRerendered PickField(int x, int y);
  TRerendered PickStrip(int y);

  TPoint FieldMarker() const;
  int StripMarkerY() const;
  // Grey on dark colours so the marker stays visible, black otherwise.
  TColor MarkerColor() const { return V < 0.33 ? MarkerGrey : clBlack; }

 private:
  void ColorFromHSV();
  void ColorFromRGB();
  void RecordRendered();

  TDIBBuffer fieldBuffer_;
};
