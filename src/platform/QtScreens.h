// The monitors as Qt and the X server report them, with per-monitor work areas on X11.
#pragma once

#include "platform/Screens.h"

class TQtScreens : public Screens {
 public:
  int PrimaryWidth() const override;
  int PrimaryHeight() const override;
  std::vector<TMonitor> Monitors() const override;
};

// A dock's reservation of a strip along an edge of the whole X screen (_NET_WM_STRUT_PARTIAL).
struct TStrut {
  long Left = 0, Right = 0, Top = 0, Bottom = 0;
  long LeftStartY = 0, LeftEndY = 0, RightStartY = 0, RightEndY = 0;
  long TopStartX = 0, TopEndX = 0, BottomStartX = 0, BottomEndX = 0;
};

// Each monitor's work area: its rectangle less every strut that reaches into it.
// rootWidth and rootHeight are the size of the whole X screen the struts are measured from.
TRect WorkAreaFromStruts(const TRect& monitor, const std::vector<TStrut>& struts, int rootWidth,
                         int rootHeight);
