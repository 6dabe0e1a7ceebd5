#include <gtest/gtest.h>

#include <QGuiApplication>

#include "platform/QtScreens.h"

namespace {
constexpr long kAll = 1L << 30;
}

TEST(WorkAreaFromStruts, EachMonitorLosesOnlyTheStripsThatReachIntoIt) {
  const TRect left{0, 0, 1280, 1024};
  const TRect right{1280, 0, 2560, 1024};
  struct Case {
    const char* what;
    TRect monitor;
    std::vector<TStrut> struts;
    TRect expected;
  } cases[] = {
      {"no docks", left, {}, left},
      {"bottom dock on the right half only, left monitor",
       left,
       {{0, 0, 0, 24, 0, 0, 0, 0, 0, 0, 1900, 2559}},
       left},
      {"bottom dock on the right half only, right monitor",
       right,
       {{0, 0, 0, 24, 0, 0, 0, 0, 0, 0, 1900, 2559}},
       {1280, 0, 2560, 1000}},
      {"top panel across both", left, {{0, 0, 30, 0, 0, 0, 0, 0, 0, 2559, 0, 0}}, {0, 30, 1280, 1024}},
      {"left dock", left, {{48, 0, 0, 0, 0, 1023, 0, 0, 0, 0, 0, 0}}, {48, 0, 1280, 1024}},
      {"left dock does not reach the right monitor",
       right,
       {{48, 0, 0, 0, 0, 1023, 0, 0, 0, 0, 0, 0}},
       right},
      {"right dock", right, {{0, 64, 0, 0, 0, 0, 0, 1023, 0, 0, 0, 0}}, {1280, 0, 2496, 1024}},
      {"plain strut spans the edge",
       left,
       {{0, 0, 0, 40, 0, kAll, 0, kAll, 0, kAll, 0, kAll}},
       {0, 0, 1280, 984}},
      {"two bottom docks, the taller wins",
       right,
       {{0, 0, 0, 24, 0, 0, 0, 0, 0, 0, 1280, 2559}, {0, 0, 0, 50, 0, 0, 0, 0, 0, 0, 2000, 2100}},
       {1280, 0, 2560, 974}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(WorkAreaFromStruts(c.monitor, c.struts, 2560, 1024), c.expected) << c.what;
}

// Run by the end-to-end script with two monitors side by side and a dock at the bottom right.
TEST(QtScreensOnX11, TwoMonitorsWithADockAtTheBottomRight) {
  if (QGuiApplication::platformName() != "xcb" || qEnvironmentVariableIsEmpty("QUIB_TWO_MONITORS"))
    GTEST_SKIP() << "needs the two-monitor X display of the end-to-end run";
  TQtScreens screens;
  const auto monitors = screens.Monitors();
  ASSERT_EQ(monitors.size(), 2u);
  EXPECT_EQ(screens.PrimaryWidth(), 1280);
  EXPECT_EQ(monitors[0].Bounds, (TRect{0, 0, 1280, 1024}));
  EXPECT_EQ(monitors[0].WorkArea, (TRect{0, 0, 1280, 1024}));
  EXPECT_EQ(monitors[1].Bounds, (TRect{1280, 0, 2560, 1024}));
  EXPECT_EQ(monitors[1].WorkArea, (TRect{1280, 0, 2560, 1000}));
}
