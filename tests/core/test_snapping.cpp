#include <gtest/gtest.h>

#include <vector>

#include "notes/USnapRule.h"
#include "notes/UTBoxController.h"
#include "notes/brScreenSnapper.h"
#include "support/Fakes.h"

namespace {

class Notes : public TNoteBoxSource {
 public:
  explicit Notes(std::vector<TNoteBox> boxes = {}) : boxes(std::move(boxes)) {}
  int NoteCount() const override { return static_cast<int>(boxes.size()); }
  TNoteBox NoteBoxAt(int i) const override { return boxes.at(i); }
  std::vector<TNoteBox> boxes;
};

using V = std::vector<int>;

// A 1024 x 768 monitor with a 30-pixel task bar at the bottom, and beside it a 1280 x 1024
// monitor with a 60-pixel dock on its left.
FakeScreens TwoMonitors() {
  FakeScreens s;
  s.monitors = {{{0, 0, 1024, 768}, {0, 0, 1024, 738}}, {{1024, 0, 2304, 1024}, {1084, 0, 2304, 1024}}};
  return s;
}

}  // namespace

TEST(ScreenSnapper, RefreshListsMonitorAndDifferingWorkAreaEdges) {
  FakeScreens one(1024, 768, 30);
  TScreenSnapper s(one);
  EXPECT_EQ(s.Lefts, V{0});
  EXPECT_EQ(s.Tops, V{0});
  EXPECT_EQ(s.Rights, V{1024});
  EXPECT_EQ(s.Bottoms, (V{768, 738}));

  FakeScreens two = TwoMonitors();
  TScreenSnapper t(two);
  EXPECT_EQ(t.Lefts, (V{0, 1024, 1084}));
  EXPECT_EQ(t.Tops, (V{0, 0}));
  EXPECT_EQ(t.Rights, (V{1024, 2304}));
  EXPECT_EQ(t.Bottoms, (V{768, 738, 1024}));

  // The lists are what the last refresh saw.
  two.SetSingle(800, 600);
  EXPECT_EQ(t.Rights, (V{1024, 2304}));
  t.Refresh();
  EXPECT_EQ(t.Lefts, V{0});
  EXPECT_EQ(t.Rights, V{800});
  EXPECT_EQ(t.Bottoms, V{600});
}

TEST(ScreenSnapper, SnapMove) {
  FakeScreens one(1024, 768, 30);
  FakeScreens two = TwoMonitors();
  FakeScreens narrowDock;  // a 5-pixel dock: two left edges within the tolerance of each other
  narrowDock.monitors = {{{0, 0, 1024, 768}, {5, 0, 1024, 768}}};
  struct Case {
    const FakeScreens* screens;
    int x, y, w, h;
    int ex, ey;
  } cases[] = {
      {&one, 100, 605, 128, 128, 100, 610},  // bottom 733 onto the task bar's top 738
      {&one, 7, 300, 128, 128, 0, 300},      //
      {&one, 9, 300, 128, 128, 9, 300},      // one pixel beyond the tolerance
      {&one, 8, -8, 128, 128, 0, 0},         // the tolerance itself still snaps
      {&one, -9, 300, 128, 128, -9, 300},    //
      {&one, 5, 300, 1020, 100, 4, 300},     // left to 0, then the right edge wins: 4
      {&one, 100, 4, 128, 740, 100, -2},     // top to 0, then bottom 740 onto 738
      {&one, 100, 640, 128, 128, 100, 640},  // bottom 768 exactly on the screen's edge
      {&one, 100, 636, 128, 128, 100, 640},  // 764 onto 768; 738 is too far
      {&one, 900, 300, 128, 128, 896, 300},  // right 1028 onto 1024
      {&two, 1020, 10, 100, 100, 1024, 10},  // onto the second monitor's left edge
      {&two, 1080, 10, 100, 100, 1084, 10},  // onto its work area beside the dock
      {&two, 1026, 10, 100, 100, 1024, 10},
      {&two, 2200, 920, 100, 100, 2204, 924},  // the second monitor's bottom-right corner
      {&two, 1500, 666, 100, 100, 1500, 668},  // bottom 766 onto the first monitor's 768
      {&narrowDock, 3, 50, 100, 100, 5, 50},   // 0 first, then 5: the last close value wins
      {&narrowDock, -3, 50, 100, 100, 5, 50},
  };
  for (const auto& c : cases) {
    TScreenSnapper s(*c.screens);
    int x = c.x, y = c.y;
    s.SnapMove(x, y, c.w, c.h);
    EXPECT_EQ(x, c.ex) << "x from " << c.x << "," << c.y;
    EXPECT_EQ(y, c.ey) << "y from " << c.x << "," << c.y;
  }
}

TEST(ScreenSnapper, SnapSizeKeepsTheTopLeftCorner) {
  FakeScreens one(1024, 768, 30);
  FakeScreens two = TwoMonitors();
  struct Case {
    const FakeScreens* screens;
    int left, top, w, h;
    int ew, eh;
  } cases[] = {
      {&one, 100, 100, 920, 640, 924, 638},  // right 1020 -> 1024, bottom 740 -> 738
      {&one, 100, 100, 915, 665, 915, 668},  // 1015 too far; 765 -> 768, then 738 too far
      {&one, 100, 100, 200, 200, 200, 200},
      {&one, 1030, 100, 10, 200, 10, 200},     // right 1040: beyond the tolerance
      {&one, 1020, 100, 10, 200, 4, 200},      // right 1030 pulled back onto 1024
      {&two, 100, 100, 1000, 925, 1000, 924},  // bottom 1025 onto the second monitor's 1024
  };
  for (const auto& c : cases) {
    TScreenSnapper s(*c.screens);
    int w = c.w, h = c.h;
    s.SnapSize(c.left, c.top, w, h);
    EXPECT_EQ(w, c.ew) << c.left << "," << c.top << " " << c.w << "x" << c.h;
    EXPECT_EQ(h, c.eh) << c.left << "," << c.top << " " << c.w << "x" << c.h;
  }
}

TEST(ScreenSnapper, ReadsTheScreensOnCreationAndOnRefresh) {
  FakeScreens screens(1024, 768, 30);
  TScreenSnapper s(screens);
  EXPECT_EQ(s.Bottoms, (V{768, 738}));
  screens.SetSingle(640, 480);
  EXPECT_EQ(s.Rights, V{1024});
  s.Refresh();
  EXPECT_EQ(s.Rights, V{640});
}

TEST(BoxController, SnapMove) {
  // Note A: left 100, top 100, 128 x 100 (last pixel column 227, row 199).
  const TNoteBox a{1, 100, 100, 128, 100};
  const TNoteBox thin{2, 100, 500, 3, 3};  // last column 102
  struct Case {
    std::vector<TNoteBox> notes;
    int32_t id;
    int x, y, w, h;
    int ex, ey;
  } cases[] = {
      {{a}, 9, 230, 1000, 100, 50, 227, 1000},  // shares A's right pixel column
      {{a}, 9, 103, 1000, 100, 50, 100, 1000},  // left edges aligned, far below A
      {{a}, 9, 96, 1000, 100, 50, 100, 1000},   //
      {{a}, 9, 95, 1000, 100, 50, 95, 1000},    // 5 pixels: too far
      {{a}, 9, 48, 1000, 50, 50, 51, 1000},     // right column onto A's left column 100
      {{a}, 9, 130, 1000, 100, 50, 128, 1000},  // right edges aligned (230 -> 228)
      {{a}, 9, 1000, 102, 50, 50, 1000, 100},   // tops aligned
      {{a}, 9, 1000, 48, 50, 50, 1000, 51},     // bottom row onto A's top row
      {{a}, 9, 1000, 197, 50, 50, 1000, 199},   // top row onto A's bottom row 199
      {{a}, 9, 1000, 152, 50, 50, 1000, 150},   // bottoms aligned (202 -> 200)
      // Four pixels off, the farthest that still snaps, for each of the eight tests.
      {{a}, 9, 104, 1000, 100, 50, 100, 1000},
      {{a}, 9, 46, 1000, 50, 50, 51, 1000},
      {{a}, 9, 223, 1000, 100, 50, 227, 1000},
      {{a}, 9, 124, 1000, 100, 50, 128, 1000},
      {{a}, 9, 1000, 104, 50, 50, 1000, 100},
      {{a}, 9, 1000, 46, 50, 50, 1000, 51},
      {{a}, 9, 1000, 195, 50, 50, 1000, 199},
      {{a}, 9, 1000, 146, 50, 50, 1000, 150},
      {{a}, 9, 230, 197, 50, 50, 227, 199},  // both axes at once: the corner
      {{a}, 1, 230, 197, 50, 50, 230, 197},  // its own id is skipped
      {{}, 9, 230, 197, 50, 50, 230, 197},
      // Each step sees what the steps before left: left edge to 100, then A's last column.
      {{thin}, 9, 101, 0, 50, 50, 102, 0},
      // Later notes in the list win.
      {{{3, 300, 0, 50, 50}, {4, 303, 0, 50, 50}}, 9, 301, 1000, 10, 10, 303, 1000},
      {{{4, 303, 0, 50, 50}, {3, 300, 0, 50, 50}}, 9, 301, 1000, 10, 10, 300, 1000},
      // A minimized note counts with its 17 x 17 box: last column 516.
      {{{5, 500, 500, 17, 17}}, 9, 519, 0, 100, 100, 516, 0},
  };
  for (const auto& c : cases) {
    Notes notes(c.notes);
    TBoxController b(notes);
    int x = c.x, y = c.y;
    b.SnapMove(c.id, x, y, c.w, c.h);
    EXPECT_EQ(x, c.ex) << "from " << c.x << "," << c.y << " " << c.w << "x" << c.h;
    EXPECT_EQ(y, c.ey) << "from " << c.x << "," << c.y << " " << c.w << "x" << c.h;
  }
}

TEST(BoxController, SnapSize) {
  const TNoteBox a{1, 300, 300, 128, 100};  // last column 427, last row 399
  struct Case {
    int32_t id;
    int left, top, w, h;
    int ew, eh;
  } cases[] = {
      {9, 100, 1000, 198, 50, 201, 50},  // right edge 298 near A's left 300: rightmost column on 300
      {9, 100, 1000, 204, 50, 201, 50},  // from the other side
      {9, 100, 1000, 205, 50, 205, 50},  // too far
      {9, 100, 1000, 330, 50, 328, 50},  // 430 near A's last column 427: right edges aligned (428)
      {9, 100, 1000, 325, 50, 328, 50},  {9, 1000, 100, 50, 198, 50, 201},  // bottom onto A's top row
      {9, 1000, 100, 50, 297, 50, 300},   // 397 near 399: bottoms aligned (400)
      {1, 100, 100, 198, 198, 198, 198},  // own id skipped
  };
  for (const auto& c : cases) {
    Notes notes({a});
    TBoxController b(notes);
    int w = c.w, h = c.h;
    b.SnapSize(c.id, c.left, c.top, w, h);
    EXPECT_EQ(w, c.ew) << c.left << "," << c.top << " " << c.w << "x" << c.h;
    EXPECT_EQ(h, c.eh) << c.left << "," << c.top << " " << c.w << "x" << c.h;
  }
}

TEST(Snapping, ScreenEdgesActLastAndWin) {
  FakeScreens one(1024, 768, 30);
  Notes notes({{1, 2, 300, 100, 100}});
  TBoxController b(notes);
  TScreenSnapper s(one);
  int x = 5, y = 100;
  b.SnapMove(9, x, y, 100, 50);
  EXPECT_EQ(x, 2);
  s.SnapMove(x, y, 100, 50);
  EXPECT_EQ(x, 0);
}

TEST(Snapping, IsNearIsInclusiveAndSafeAtTheIntegerEnds) {
  struct Case {
    int64_t a, b;
    bool screen, notes;
  } cases[] = {{0, 8, true, false},
               {0, -8, true, false},
               {0, 9, false, false},
               {10, 6, true, true},
               {10, 5, true, false},
               {-4, 0, true, true},
               {INT32_MIN, INT32_MAX, false, false}};
  for (const auto& c : cases) {
    EXPECT_EQ(IsNear(c.a, c.b, TScreenSnapper::Tolerance), c.screen) << c.a << " " << c.b;
    EXPECT_EQ(IsNear(c.a, c.b, TBoxController::Tolerance), c.notes) << c.a << " " << c.b;
  }
}
