#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "graphics/UCanvas.h"
#include "graphics/UGraphics.h"
#include "support/FramePictures.h"

using namespace frame_pictures;

namespace {

// A surface with the classic rules, written from their statement rather than from the Qt
// canvas: a pixel grid, a text log, and 5 pixels of width per character.
class MemoryCanvas : public TCanvas {
 public:
  struct Text {
    int X, Y;
    std::string S;
  };
  MemoryCanvas(int w, int h) : w_(w), h_(h), pixels_(static_cast<size_t>(w) * h, kUnpainted) {}

  void SetPenColor(TColor c) override { pen_ = c; }
  void SetBrushColor(TColor c) override { brush_ = c; }
  void Rectangle(int x1, int y1, int x2, int y2) override {
    for (int y = y1; y < y2; ++y)
      for (int x = x1; x < x2; ++x) {
        const bool edge = x == x1 || x == x2 - 1 || y == y1 || y == y2 - 1;
        put(x, y, edge ? pen_ : brush_);
      }
  }
  void MoveTo(int x, int y) override {
    cx_ = x;
    cy_ = y;
  }
  void LineTo(int x, int y) override {
    // The frame only uses horizontal, vertical and 45-degree lines: step one pixel a time.
    const int dx = x - cx_, dy = y - cy_;
    ASSERT_TRUE(dx == 0 || dy == 0 || std::abs(dx) == std::abs(dy)) << "unexpected slope";
    const int n = std::max(std::abs(dx), std::abs(dy));
    for (int i = 0; i < n; ++i)
      put(cx_ + i * (dx > 0) - i * (dx < 0), cy_ + i * (dy > 0) - i * (dy < 0), pen_);
    MoveTo(x, y);
  }
  int TextWidth(const std::string& text) override { return 5 * static_cast<int>(text.size()); }
  void TextOut(int x, int y, const std::string& text) override { texts.push_back({x, y, text}); }

  std::vector<std::string> Picture() const {
    std::vector<std::string> rows(h_, std::string(w_, ' '));
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x) rows[y][x] = Legend(pixels_[static_cast<size_t>(y) * w_ + x]);
    return rows;
  }
  std::vector<Text> texts;

 private:
  void put(int x, int y, TColor c) {
    if (x >= 0 && y >= 0 && x < w_ && y < h_) pixels_[static_cast<size_t>(y) * w_ + x] = c;
  }
  int w_, h_;
  std::vector<TColor> pixels_;
  TColor pen_ = clBlack, brush_ = clWhite;
  int cx_ = 0, cy_ = 0;
};

std::string Show(const std::vector<std::string>& rows) {
  std::string s;
  for (const auto& r : rows) s += r + "\n";
  return s;
}

}  // namespace

TEST(FrameDrawing, PaintsEachPixelAsHandWorked) {
  {
    MemoryCanvas c(20, 17);
    DrawTitleStrip(c, 20, 16, "", kFrame, kShadow, kHighlight);
    EXPECT_EQ(Show(c.Picture()), Show(kStrip20x16));
  }
  {
    MemoryCanvas c(17, 17);
    DrawCollapsedBox(c, 17, 17, kFrame, kShadow, kHighlight);
    EXPECT_EQ(Show(c.Picture()), Show(kBox17));
    EXPECT_TRUE(c.texts.empty());
  }
  {
    MemoryCanvas c(12, 12);
    DrawSizeGrip(c, 12, 12, kFrame, kShadow, kHighlight);
    EXPECT_EQ(Show(c.Picture()), Show(kGrip12));
  }
}

TEST(FrameDrawing, TitleSitsTwoPixelsRightOfTheMiddleAndTruncatesTowardZero) {
  struct Case {
    int W;
    const char* text;  // 5 pixels a character
    int x;
  } cases[] = {
      {100, "abc", 44},        // (100 - 15 - 12) / 2 = 36, + 8
      {20, "", 12},            //
      {100, "abcd", 42},       // 68 / 2 = 34
      {40, "0123456789", -3},  // wider than the room: (40 - 50 - 12) / 2 = -11
      {41, "0123456789", -2},  // -21 / 2 is -10 toward zero, not -11
  };
  for (const auto& k : cases) {
    MemoryCanvas c(k.W, 17);
    DrawTitleStrip(c, k.W, 16, k.text, kFrame, kShadow, kHighlight);
    ASSERT_EQ(c.texts.size(), 1u) << k.W;
    EXPECT_EQ(c.texts[0].X, k.x) << k.W << " " << k.text;
    EXPECT_EQ(c.texts[0].Y, 2);
    EXPECT_EQ(c.texts[0].S, k.text);
  }
}

TEST(LinePixels, CoversTheStartAndStopsBeforeTheEnd) {
  using P = std::vector<std::pair<int, int>>;
  struct Case {
    int x1, y1, x2, y2;
    P pixels;
  } cases[] = {
      {1, 5, 4, 5, {{1, 5}, {2, 5}, {3, 5}}},         {4, 5, 1, 5, {{4, 5}, {3, 5}, {2, 5}}},
      {2, 3, 2, 0, {{2, 3}, {2, 2}, {2, 1}}},         {2, 10, 5, 7, {{2, 10}, {3, 9}, {4, 8}}},
      {0, 0, 4, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}}, {3, 3, 3, 3, {}},
  };
  for (const auto& k : cases) EXPECT_EQ(LinePixels(k.x1, k.y1, k.x2, k.y2), k.pixels) << k.x1 << "," << k.y1;

  // Any slope: one pixel per step of the longer axis, each touching the one before, the last
  // one next to the end point.
  const int ends[][2] = {{7, 3}, {-5, 9}, {-8, -8}, {1, -13}, {12, 0}, {3, 11}};
  for (const auto& e : ends) {
    const P p = LinePixels(0, 0, e[0], e[1]);
    ASSERT_EQ(p.size(), static_cast<size_t>(std::max(std::abs(e[0]), std::abs(e[1]))));
    EXPECT_EQ(p.front(), std::make_pair(0, 0));
    for (size_t i = 1; i < p.size(); ++i)
      EXPECT_TRUE(std::abs(p[i].first - p[i - 1].first) <= 1 && std::abs(p[i].second - p[i - 1].second) <= 1);
    EXPECT_LE(std::abs(p.back().first - e[0]), 1);
    EXPECT_LE(std::abs(p.back().second - e[1]), 1);
    EXPECT_NE(p.back(), std::make_pair(e[0], e[1]));
  }
}

TEST(FocusRectPixels, EveryOtherOutlinePixelOnceFromTheTopLeft) {
  using P = std::vector<std::pair<int, int>>;
  struct Case {
    int x1, y1, x2, y2;
    P dots;
  } cases[] = {
      {10, 20, 14, 23, {{10, 20}, {12, 20}, {13, 21}, {12, 22}, {10, 22}}},
      {0, 0, 5, 1, {{0, 0}, {2, 0}, {4, 0}}},  // one row: its pixels only once
      {0, 0, 1, 3, {{0, 0}, {0, 2}}},
      {3, 3, 3, 8, {}},
  };
  for (const auto& k : cases)
    EXPECT_EQ(FocusRectPixels(k.x1, k.y1, k.x2, k.y2), k.dots) << k.x2 << "x" << k.y2;
}
