#include <gtest/gtest.h>

#include <climits>

#include "graphics/brMultiMonitor.h"
#include "support/Fakes.h"

TEST(MultiMonitor, PointInBoxAndRect) {
  struct BoxCase {
    int x, y, left, top, width, height;
    bool in;
  } boxes[] = {
      {16, 16, 4, 4, 13, 13, true},
      {17, 4, 4, 4, 13, 13, false},
      {4, 4, 4, 4, 13, 13, true},
      {3, 4, 4, 4, 13, 13, false},
      {4, 17, 4, 4, 13, 13, false},
      {4, 3, 4, 4, 13, 13, false},
      {0, 0, 0, 0, 0, 0, false},
      {0, 0, 0, 0, 1, 1, true},
      {-5, -5, -10, -10, 6, 6, true},
      {INT_MAX, 0, INT_MAX - 1, 0, 10, 1, true},  // the right edge lies beyond the int range
  };
  for (const auto& b : boxes)
    EXPECT_EQ(PointInBox(b.x, b.y, b.left, b.top, b.width, b.height), b.in) << b.x << "," << b.y;

  const TRect r{0, 0, 1024, 738};
  struct RectCase {
    int x, y;
    bool in;
  } points[] = {{0, 0, true},    {1024, 738, true}, {1024, 0, true},  {1025, 0, false},
                {0, 739, false}, {-1, 0, false},    {512, 400, true}, {0, -1, false}};
  for (const auto& p : points) EXPECT_EQ(PointInRect(p.x, p.y, r), p.in) << p.x << "," << p.y;
}

TEST(MultiMonitor, PointOnMonitorUsesWorkAreas) {
  FakeScreens one(1024, 768, 30);  // work area (0, 0, 1024, 738)
  struct Case {
    int x, y;
    bool on;
  } cases[] = {{1024, 738, true}, {1025, 100, false}, {500, 750, false}, {0, 0, true}, {-1, 10, false}};
  for (const auto& c : cases) EXPECT_EQ(PointOnMonitor(one, c.x, c.y), c.on) << c.x << "," << c.y;

  FakeScreens none;
  none.monitors.clear();
  EXPECT_FALSE(PointOnMonitor(none, 0, 0));
}

TEST(MultiMonitor, RectOnMonitorsTestsTheFourCornerPixels) {
  FakeScreens twin;
  twin.monitors = {{{0, 0, 1280, 1024}, {0, 0, 1280, 994}}, {{1280, 0, 2560, 1024}, {1280, 0, 2560, 994}}};
  FakeScreens gap;
  gap.monitors = {{{0, 0, 1000, 800}, {0, 0, 1000, 800}}, {{1100, 0, 2100, 800}, {1100, 0, 2100, 800}}};
  FakeScreens offset;  // a second monitor lower than the first: its top-left region is empty
  offset.monitors = {{{0, 0, 1000, 800}, {0, 0, 1000, 800}},
                     {{1000, 300, 2000, 1100}, {1000, 300, 2000, 1100}}};
  struct Case {
    const FakeScreens* screens;
    int left, top, width, height;
    bool on;
  } cases[] = {
      {&twin, 1200, 100, 160, 100, true},  // half on each monitor
      {&twin, 100, 100, 200, 200, true},   //
      {&twin, 100, 900, 200, 95, true},    // bottom corners exactly on the work area's edge
      {&twin, 100, 900, 200, 96, false},   // bottom corners under the task bar
      {&twin, 2500, 100, 61, 50, true},    // right corners on the exclusive edge, which counts
      {&twin, 2500, 100, 62, 50, false},    {&twin, -1, 100, 50, 50, false},  // off the left edge
      {&gap, 900, 100, 150, 100, false},                                      // right corners in the gap
      {&gap, 1010, 100, 50, 50, false},                                       // wholly in the gap
      {&gap, 900, 100, 300, 100, true},      // bridges the gap, corners on both monitors
      {&offset, 900, 100, 200, 300, false},  // top-right corner above the lower monitor
      {&offset, 900, 350, 200, 300, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RectOnMonitors(*c.screens, c.left, c.top, c.width, c.height), c.on)
        << c.left << "," << c.top << " " << c.width << "x" << c.height;
}
