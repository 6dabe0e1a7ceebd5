#include <gtest/gtest.h>

#include <limits>
#include <utility>
#include <vector>

#include "base/brRandom.h"
#include "notes/UArrange.h"
#include "support/Fakes.h"

namespace {
std::vector<std::pair<int, int>> pairs(const std::vector<TNotePos>& boxes) {
  std::vector<std::pair<int, int>> out;
  for (const auto& b : boxes) out.emplace_back(b.Left, b.Top);
  return out;
}
std::vector<TNoteBox> boxes(const std::vector<std::pair<int, int>>& at) {
  std::vector<TNoteBox> out;
  for (const auto& [x, y] : at) out.push_back({0, x, y, 17, 17});
  return out;
}
}  // namespace

TEST(Arrange, ShapesOfTheCluster) {
  struct Case {
    int n, c, r;
  } cases[] = {{1, 1, 1}, {2, 2, 1}, {3, 2, 2}, {4, 2, 2}, {5, 3, 2}, {10, 4, 3}, {17, 5, 4}, {0, 0, 0}};
  for (const auto& c : cases) {
    const TGridShape s = ArrangeShape(TArrangeKind::Cluster, c.n);
    EXPECT_EQ(s.Columns, c.c) << c.n;
    EXPECT_EQ(s.Rows, c.r) << c.n;
  }
  EXPECT_EQ(ArrangeShape(TArrangeKind::Horizontally, 7).Columns, 7);
  EXPECT_EQ(ArrangeShape(TArrangeKind::Vertically, 7).Rows, 7);
}

TEST(Arrange, BlocksAreCentredOnTheOldBounds) {
  const std::vector<std::pair<int, int>> five = {{0, 0}, {200, 100}, {50, 20}, {100, 60}, {150, 80}};
  struct Case {
    const char* what;
    std::vector<std::pair<int, int>> notes;
    TArrangeKind kind;
    bool grid;
    double gx, gy;
    std::vector<std::pair<int, int>> expected;
  } cases[] = {
      {"one note", {{100, 100}}, TArrangeKind::Cluster, false, 8, 8, {{99, 99}}},
      {"one note at the origin", {{0, 0}}, TArrangeKind::Cluster, false, 8, 8, {{0, 0}}},
      {"negative positions truncate toward zero",
       {{-100, -100}},
       TArrangeKind::Cluster,
       false,
       8,
       8,
       {{-100, -100}}},
      {"cluster of five",
       five,
       TArrangeKind::Cluster,
       false,
       8,
       8,
       {{83, 41}, {99, 41}, {115, 41}, {83, 57}, {99, 57}}},
      {"cluster of five on an 8 grid",
       five,
       TArrangeKind::Cluster,
       true,
       8,
       8,
       {{80, 40}, {96, 40}, {112, 40}, {80, 56}, {96, 56}}},
      {"grid 0 leaves that axis",
       five,
       TArrangeKind::Cluster,
       true,
       0,
       8,
       {{83, 40}, {99, 40}, {115, 40}, {83, 56}, {99, 56}}},
      {"grid 0.5 truncates to 0",
       five,
       TArrangeKind::Cluster,
       true,
       8,
       0.5,
       {{80, 41}, {96, 41}, {112, 41}, {80, 57}, {96, 57}}},
      {"row", {{0, 0}, {100, 0}}, TArrangeKind::Horizontally, false, 8, 8, {{41, 0}, {57, 0}}},
      {"column", {{0, 0}, {0, 100}}, TArrangeKind::Vertically, false, 8, 8, {{0, 41}, {0, 57}}},
      {"no notes", {}, TArrangeKind::Cluster, true, 8, 8, {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(pairs(ArrangeNotes(boxes(c.notes), c.kind, TArrangeGrid{c.grid, c.gx, c.gy})), c.expected)
        << c.what;
}

TEST(Arrange, GridRoundingTiesToEven) {
  // x0 of 83, 84 and 92 after centring one note: a note at x gives x0 = (2x + 16 - 17) / 2.
  struct Case {
    int left, expected;
  } cases[] = {{84, 80}, {85, 80}, {93, 96}};  // x0 = 83, 84, 92
  for (const auto& c : cases)
    EXPECT_EQ(ArrangeNotes(boxes({{c.left, 0}}), TArrangeKind::Cluster, TArrangeGrid{true, 8, 8})[0].Left,
              c.expected)
        << c.left;
}

TEST(Arrange, LostNotesComeBackOntoThePrimaryScreen) {
  FakeScreens screens;
  screens.monitors = {{{0, 0, 1024, 768}, {0, 0, 1024, 738}}, {{1024, 0, 2048, 768}, {1024, 0, 2048, 768}}};
  struct Case {
    const char* what;
    int left, top, w, h;
    bool lost;
  } cases[] = {
      {"on the primary", 10, 10, 128, 128, false},
      {"straddling both monitors", 960, 100, 128, 128, false},
      {"corner under the task bar", 10, 700, 128, 128, true},
      {"right of every monitor", 2100, 10, 128, 128, true},
      {"a minimized box far above", 10, -500, 17, 17, true},
  };
  TRandom random(7);
  for (const auto& c : cases) {
    const auto target = LostNoteTarget(random, screens, TNoteBox{0, c.left, c.top, c.w, c.h}, 200, 150);
    EXPECT_EQ(target.has_value(), c.lost) << c.what;
    if (target) {
      EXPECT_GE(target->Left, 0);
      EXPECT_LT(target->Left, 1024 - 200);
      EXPECT_GE(target->Top, 0);
      EXPECT_LT(target->Top, 768 - 150);
    }
  }
  // With the right monitor unplugged, a note on it is lost.
  screens.monitors.pop_back();
  EXPECT_TRUE(LostNoteTarget(random, screens, TNoteBox{0, 1100, 10, 128, 128}, 128, 128).has_value());
}

TEST(Arrange, ClusterShapesAtExactSquares) {
  // floor(sqrt(n - 1)) must be exact where n - 1 is a square: a floating root just below it
  // would give one column too few and a block one row too tall.
  struct Case {
    int n, c, r;
  } cases[] = {{1024, 32, 32}, {1025, 33, 32}, {1026, 33, 32}, {101, 11, 10}, {100, 10, 10}, {50, 8, 7}};
  for (const auto& c : cases)
    EXPECT_EQ(ArrangeShape(TArrangeKind::Cluster, c.n), (TGridShape{c.c, c.r})) << c.n;
}

TEST(Arrange, PositionsAtTheEndsOfTheIntegerRange) {
  const int maxInt = std::numeric_limits<int>::max();
  const int minInt = std::numeric_limits<int>::min();
  struct Case {
    const char* what;
    std::vector<std::pair<int, int>> notes;
    TArrangeKind kind;
    std::vector<std::pair<int, int>> expected;
  } cases[] = {
      // The sums of the bounds overflow 32 bits; the halves do not.
      {"far right and far down",
       {{maxInt - 20, maxInt - 20}},
       TArrangeKind::Cluster,
       {{maxInt - 21, maxInt - 21}}},
      {"far left and far up", {{minInt, minInt}}, TArrangeKind::Cluster, {{minInt, minInt}}},
      {"both ends", {{minInt, 0}, {maxInt, 0}}, TArrangeKind::Horizontally, {{-9, 0}, {7, 0}}},
      // The row would run past the largest position: it stops there instead of wrapping.
      {"a row past the end",
       {{maxInt, 0}, {maxInt, 0}, {maxInt, 0}},
       TArrangeKind::Horizontally,
       {{maxInt - 17, 0}, {maxInt - 1, 0}, {maxInt, 0}}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(pairs(ArrangeNotes(boxes(c.notes), c.kind, TArrangeGrid{})), c.expected) << c.what;
}

TEST(Arrange, LostNoteTargetDrawsTheTopFirstForTheFullSize) {
  FakeScreens screens(800, 600);
  struct Case {
    const char* what;
    TNoteBox note;  // current window: a 17 x 17 square when minimized
    int fullWidth, fullHeight;
  } cases[] = {
      {"a minimized note above the screen", {1, 10, -40, 17, 17}, 300, 200},
      {"a full note left of the screen", {2, -500, 10, 128, 128}, 128, 128},
      {"a note taller than the screen", {3, 900, 10, 128, 128}, 128, 2000},
  };
  TRandom random;
  for (const auto& c : cases) {
    random.Seed(11);
    const int top = random.Int(600 - c.fullHeight);
    const int left = random.Int(800 - c.fullWidth);
    random.Seed(11);
    const auto target = LostNoteTarget(random, screens, c.note, c.fullWidth, c.fullHeight);
    ASSERT_TRUE(target.has_value()) << c.what;
    EXPECT_EQ(*target, (TNotePos{left, top})) << c.what;
  }
  // With no monitor at all every note is lost and goes to the origin.
  screens.monitors.clear();
  const auto target = LostNoteTarget(random, screens, TNoteBox{4, 0, 0, 17, 17}, 128, 128);
  ASSERT_TRUE(target.has_value());
  EXPECT_EQ(*target, (TNotePos{0, 0}));
}
