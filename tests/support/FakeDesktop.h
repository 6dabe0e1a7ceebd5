// A scripted Desktop for tests: the wallpaper is a function of the desktop position.
#pragma once

#include <functional>
#include <vector>

#include "platform/Desktop.h"

class FakeDesktop : public Desktop {
 public:
  struct Request {
    int X, Y, Width, Height;
  };

  TPixelBlock WallpaperBlock(int x, int y, int width, int height) const override {
    requests.push_back({x, y, width, height});
    TPixelBlock block{width, height, {}};
    block.Pixels.reserve(static_cast<size_t>(width > 0 ? width : 0) * (height > 0 ? height : 0));
    for (int j = 0; j < height; ++j)
      for (int i = 0; i < width; ++i) block.Pixels.push_back(wallpaper ? wallpaper(x + i, y + j) : color);
    return block;
  }
  bool DrawsWindowShadows() const override { return shadows; }
  bool HasSystemTray() const override { return tray; }

  TColor color = clBlack;                     // the whole desktop, when wallpaper is not set
  std::function<TColor(int, int)> wallpaper;  // the colour at a desktop point
  bool shadows = false;
  bool tray = true;
  mutable std::vector<Request> requests;
};
