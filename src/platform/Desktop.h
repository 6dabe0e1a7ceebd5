// Seam: what the desktop shows behind the windows (the wallpaper), whether it draws shadows
// under windows, and whether it has a notification area (tray).
#pragma once

#include <vector>

#include "graphics/UColorTypes.h"
#include "graphics/brColorUtil.h"

// A block of colours, row by row.
struct TPixelBlock {
  int Width = 0;
  int Height = 0;
  std::vector<TColor> Pixels;  // Width * Height values, 0x00BBGGRR

  TColor At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};

// The block read through AverageColor and friends; the block must outlive the source.
inline TPixelSource AsPixelSource(const TPixelBlock& block) {
  return {block.Width, block.Height, [&block](int x, int y) { return block.At(x, y); }};
}

class Desktop {
 public:
  virtual ~Desktop() = default;
  // The wallpaper as it lies behind the desktop rectangle (x, y, width, height). Always a full
  // block of width x height: where no picture is known the desktop's background colour fills
  // it, and parts beyond the picture repeat its nearest edge pixel.
  virtual TPixelBlock WallpaperBlock(int x, int y, int width, int height) const = 0;
  // True when a compositing manager runs, which is what draws shadows under windows.
  virtual bool DrawsWindowShadows() const = 0;
  // True when the desktop shows tray icons; without one, the control panel is the program's
  // way back, so it must stay reachable.
  virtual bool HasSystemTray() const { return true; }
};
