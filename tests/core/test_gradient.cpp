#include <gtest/gtest.h>

#include <vector>

#include "base/brRandom.h"
#include "graphics/UGradient.h"
#include "graphics/brColorUtil.h"

namespace {
const TGradient kBlackToWhite{clBlack, clWhite};
}

TEST(Gradient, BarColumns) {
  struct Case {
    TGradient gradient;
    int width;
    std::vector<std::pair<int, TColor>> columns;  // column, colour
  } cases[] = {
      // The divisor is the width: the last column is one step short of the right end. The step
      // 2.55 is a double just below 2.55, so column 50 lands below the halfway 127.5.
      {kBlackToWhite, 100, {{0, clBlack}, {50, RGB(127, 127, 127)}, {99, RGB(252, 252, 252)}}},
      {kBlackToWhite, 1, {{0, clBlack}}},
      // Steps of 2.5 up and down: halfway values go to the even byte.
      {{RGB(0, 10, 0), RGB(10, 0, 0)}, 4, {{1, RGB(2, 8, 0)}, {2, RGB(5, 5, 0)}, {3, RGB(8, 2, 0)}}},
      {{RGB(1, 2, 3), RGB(1, 2, 3)}, 353, {{0, RGB(1, 2, 3)}, {352, RGB(1, 2, 3)}}},
  };
  for (const auto& c : cases) {
    const std::vector<TColor> bar = GradientBarColors(c.gradient, c.width);
    ASSERT_EQ(bar.size(), static_cast<size_t>(c.width));
    for (const auto& [x, color] : c.columns) EXPECT_EQ(bar[x], color) << "width " << c.width << " x " << x;
  }
  EXPECT_TRUE(GradientBarColors(kBlackToWhite, 0).empty());
  EXPECT_TRUE(GradientBarColors(kBlackToWhite, -3).empty());
}

TEST(Gradient, ClickPicksAnEnd) {
  struct Case {
    int x, width;
    TGradientEnd end;
  } cases[] = {
      {0, 351, TGradientEnd::Left},    {174, 351, TGradientEnd::Left}, {175, 351, TGradientEnd::Right},
      {350, 351, TGradientEnd::Right}, {49, 100, TGradientEnd::Left},  {50, 100, TGradientEnd::Right},
  };
  for (const auto& c : cases) EXPECT_EQ(GradientEndAt(c.x, c.width), c.end) << c.x << " of " << c.width;
}

TEST(Gradient, NotesInListOrder) {
  struct Case {
    TGradient gradient;
    int count;
    std::vector<TColor> colors;
  } cases[] = {
      {kBlackToWhite, 0, {}},
      {kBlackToWhite, 1, {clBlack}},
      {kBlackToWhite, 2, {clBlack, clWhite}},
      {kBlackToWhite, 3, {clBlack, RGB(128, 128, 128), clWhite}},  // 127.5 goes to the even 128
      {{RGB(0, 0, 10), RGB(10, 0, 0)},
       5,
       {RGB(0, 0, 10), RGB(2, 0, 8), RGB(5, 0, 5), RGB(8, 0, 2), RGB(10, 0, 0)}},
  };
  for (const auto& c : cases) EXPECT_EQ(GradientNoteColors(c.gradient, c.count), c.colors) << c.count;
}

TEST(Gradient, ChoosingTheEnds) {
  int draws = 0;
  const TColorSource source = [&] { return RGB(64 + draws++, 65, 66); };
  const TGradient picked{0x111111, 0x222222};
  const std::vector<TColor> none, one{0x0000AA}, three{0x0000AA, 0x00BB00, 0xCC0000};

  EXPECT_EQ(GradientFromNotes(none, picked), picked);
  EXPECT_EQ(GradientFromNotes(one, picked), (TGradient{0x0000AA, 0x0000AA}));
  EXPECT_EQ(GradientFromNotes(three, picked), (TGradient{0x0000AA, 0xCC0000}));

  EXPECT_EQ(GradientOnEntry(three, source), (TGradient{0x0000AA, 0xCC0000}));
  EXPECT_EQ(draws, 0);
  EXPECT_EQ(GradientOnEntry(none, source), (TGradient{RGB(64, 65, 66), RGB(65, 65, 66)}));  // left first
  EXPECT_EQ(RandomGradient(source), (TGradient{RGB(66, 65, 66), RGB(67, 65, 66)}));

  // RandomColors draws the ends from a random source, left first.
  TRandom random(7);
  const TGradient seeded{RandomColor(random), RandomColor(random)};
  random.Seed(7);
  EXPECT_EQ(RandomGradient(RandomColors(random)), seeded);
}

TEST(Gradient, DarkerAndBrighter) {
  const std::vector<TColor> notes{RGB(3, 100, 255), clWhite, clBlack};
  EXPECT_EQ(ShiftedColors(notes, DarkerDelta),
            (std::vector<TColor>{RGB(0, 95, 250), RGB(250, 250, 250), clBlack}));
  EXPECT_EQ(ShiftedColors(notes, BrighterDelta),
            (std::vector<TColor>{RGB(8, 105, 255), clWhite, RGB(5, 5, 5)}));
  EXPECT_TRUE(ShiftedColors({}, DarkerDelta).empty());
}
