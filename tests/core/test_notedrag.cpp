// The drag arithmetic of a note: grid rounding and truncation, the order of the snappers, the
// smallest size and the grid guard.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "notes/UNoteDrag.h"

namespace {

// Another note's left edge at x = 2 (tolerance 4) and top edge at y = 2; the screen's left and
// top edges at 0 (tolerance 8). x = 5 ends on 0 only when the screen edges act last.
void notesMove(int& x, int& y, int, int) {
  if (std::abs(x - 2) <= 4) x = 2;
  if (std::abs(y - 2) <= 4) y = 2;
}
void edgesMove(int& x, int& y, int, int) {
  if (std::abs(x) <= 8) x = 0;
  if (std::abs(y) <= 8) y = 0;
}
// Another note's left edge at 300 (its rightmost column shared), a screen's right edge at 304,
// a screen's bottom at 60.
void notesSize(int left, int, int& w, int&) {
  if (std::abs(left + w - 300) <= 4) w = 300 - left + 1;
}
void edgesSize(int left, int top, int& w, int& h) {
  if (std::abs(left + w - 304) <= 8) w = 304 - left;
  if (std::abs(top + h - 60) <= 8) h = 60 - top;
}

TDragSnapping opts(bool grid, bool edges, bool notes, double gx = 8, double gy = 8) {
  return {grid, edges, notes, gx, gy};
}

struct MoveCase {
  const char* name;
  TDragSnapping snapping;
  TDragInput in;  // Left, Top, Width, Height, X, Y, DownX, DownY
  TDragPoint want;
};

TEST(NoteDrag, MoveTargets) {
  const MoveCase cases[] = {
      {"raw", opts(false, false, false), {100, 50, 128, 128, 30, 9, 10, 4}, {120, 55}},
      {"raw backwards", opts(false, false, false), {100, 50, 128, 128, 2, 1, 10, 4}, {92, 47}},
      {"grid 12 rounds up to 16", opts(true, false, false), {10, 0, 128, 128, 5, 3, 3, 3}, {16, 0}},
      {"grid 4 rounds down to 0", opts(true, false, false), {0, 0, 128, 128, 7, 3, 3, 3}, {0, 0}},
      {"grid 20 to even 16", opts(true, false, false), {20, 0, 128, 128, 3, 3, 3, 3}, {16, 0}},
      {"grid 28 to even 32", opts(true, false, false), {28, 28, 128, 128, 3, 3, 3, 3}, {32, 32}},
      {"grid -12 to -16", opts(true, false, false), {-12, -4, 128, 128, 3, 3, 3, 3}, {-16, 0}},
      {"grid divides by the fraction, steps by the whole",
       opts(true, false, false, 8.7, 8),
       {12, 0, 128, 128, 0, 0, 0, 0},
       {8, 0}},
      {"grid replaces both snappers", opts(true, true, true), {5, 5, 128, 128, 0, 0, 0, 0}, {8, 8}},
      {"grid 0 on x moves x freely",
       opts(true, false, false, 0, 8),
       {13, 12, 128, 128, 0, 0, 0, 0},
       {13, 16}},
      {"grid 0.5 on y moves y freely",
       opts(true, false, false, 8, 0.5),
       {13, 13, 128, 128, 0, 0, 0, 0},
       {16, 13}},
      {"negative grid still steps", opts(true, false, false, -8, -8), {12, 4, 128, 128, 0, 0, 0, 0}, {16, 0}},
      {"notes only", opts(false, false, true), {5, 30, 128, 128, 0, 0, 0, 0}, {2, 30}},
      {"edges only", opts(false, true, false), {5, 30, 128, 128, 0, 0, 0, 0}, {0, 30}},
      {"screen edges act last and win", opts(false, true, true), {5, 5, 128, 128, 0, 0, 0, 0}, {0, 0}},
      {"snapping sees the raw position", opts(false, true, true), {40, 40, 128, 128, 1, 1, 36, 36}, {0, 0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NoteMoveTarget(c.snapping, c.in, notesMove, edgesMove), c.want) << c.name;
  }
}

struct SizeCase {
  const char* name;
  TDragSnapping snapping;
  TDragInput in;
  TDragSize want;
};

TEST(NoteDrag, SizeTargets) {
  const SizeCase cases[] = {
      {"raw", opts(false, false, false), {0, 0, 128, 100, 20, 5, 10, 10}, {138, 95}},
      {"grid 70 truncates to 65", opts(true, false, false), {0, 0, 70, 80, 6, 6, 6, 6}, {65, 81}},
      {"grid 71 also 65", opts(true, false, false), {0, 0, 71, 79, 6, 6, 6, 6}, {65, 73}},
      {"grid below the minimum", opts(true, false, false), {0, 0, 40, 20, 0, 0, 0, 0}, {64, 36}},
      {"grid 0 on x sizes x freely", opts(true, false, false, 0, 8), {0, 0, 70, 70, 0, 0, 0, 0}, {70, 65}},
      {"grid 0.9 on y sizes y freely",
       opts(true, false, false, 8, 0.9),
       {0, 0, 70, 70, 0, 0, 0, 0},
       {65, 70}},
      {"grid replaces both snappers", opts(true, true, true), {0, 0, 298, 100, 0, 0, 0, 0}, {297, 97}},
      {"toward the top-left stops at 64 x 36",
       opts(false, false, false),
       {0, 0, 128, 128, 0, 0, 100, 120},
       {64, 36}},
      {"notes only", opts(false, false, true), {0, 0, 298, 100, 0, 0, 0, 0}, {301, 100}},
      {"edges only", opts(false, true, false), {0, 0, 298, 100, 0, 0, 0, 0}, {304, 100}},
      {"screen edges act last and win", opts(false, true, true), {0, 0, 298, 100, 0, 0, 0, 0}, {304, 100}},
      {"snapping keeps the left and top",
       opts(false, true, true),
       {200, 10, 98, 100, 0, 0, 0, 0},
       {104, 100}},
      {"edges pull the bottom", opts(false, true, false), {0, 20, 128, 45, 0, 0, 0, 0}, {128, 40}},
      {"snapping below the minimum is undone",
       opts(false, true, false),
       {0, 26, 128, 40, 0, 0, 0, 0},
       {128, 36}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NoteSizeTarget(c.snapping, c.in, notesSize, edgesSize), c.want) << c.name;
  }
}

TEST(NoteDrag, SnappersRunOnlyWhenTheirOptionIsOnAndInOrder) {
  struct Case {
    bool grid, edges, notes;
    std::vector<std::string> want;
  };
  const Case cases[] = {
      {false, false, false, {}},       {false, true, false, {"edges"}},
      {false, false, true, {"notes"}}, {false, true, true, {"notes", "edges"}},
      {true, true, true, {}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> moveCalls, sizeCalls;
    const TDragSnapping s = opts(c.grid, c.edges, c.notes);
    NoteMoveTarget(
        s, {}, [&](int&, int&, int, int) { moveCalls.push_back("notes"); },
        [&](int&, int&, int, int) { moveCalls.push_back("edges"); });
    NoteSizeTarget(
        s, {}, [&](int, int, int&, int&) { sizeCalls.push_back("notes"); },
        [&](int, int, int&, int&) { sizeCalls.push_back("edges"); });
    EXPECT_EQ(moveCalls, c.want) << c.grid << c.edges << c.notes;
    EXPECT_EQ(sizeCalls, c.want) << c.grid << c.edges << c.notes;
  }
  // Missing snappers count as none.
  EXPECT_EQ(NoteMoveTarget(opts(false, true, true), {7, 7, 0, 0, 0, 0, 0, 0}, {}, {}), (TDragPoint{7, 7}));
  EXPECT_EQ(NoteSizeTarget(opts(false, true, true), {0, 0, 99, 99, 0, 0, 0, 0}, {}, {}), (TDragSize{99, 99}));
}

TEST(NoteDrag, GridGuardAndExtremes) {
  struct Case {
    double grid;
    int raw, move, size;
  };
  const Case cases[] = {
      {8, 12, 16, 9},
      {0, 12, 12, 12},
      {0.99, 12, 12, 12},
      {-0.5, 12, 12, 12},
      {1, -7, -7, -6},
      {std::nan(""), 12, 12, 12},
      {1e300, 12, 12, 12},
      {3, 2147483647, 2147483646, 2147483647},
      {3, -2147483647 - 1, -2147483647 - 1, -2147483645},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GridMove(c.raw, c.grid), c.move) << c.grid << " " << c.raw;
    EXPECT_EQ(GridSize(c.raw, c.grid), c.size) << c.grid << " " << c.raw;
  }
  // A pointer far outside does not overflow the raw sum.
  const TDragPoint p =
      NoteMoveTarget(opts(false, false, false), {2147483000, 0, 10, 10, 2000, 0, 0, 0}, {}, {});
  EXPECT_EQ(p.X, 2147483647);
}

}  // namespace
