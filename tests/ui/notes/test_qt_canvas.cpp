// The Qt canvas must paint the frame pixel for pixel as the classic rules say.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "graphics/UGraphics.h"
#include "platform/QtCanvas.h"
#include "support/FramePictures.h"

using namespace frame_pictures;

namespace {

QImage Blank(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(ToQColor(kUnpainted));
  return image;
}

std::string Show(const QImage& image) {
  std::string s;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) s += Legend(FromQColor(image.pixelColor(x, y)));
    s += "\n";
  }
  return s;
}

std::string Show(const std::vector<std::string>& rows) {
  std::string s;
  for (const auto& r : rows) s += r + "\n";
  return s;
}

}  // namespace

TEST(QtCanvas, PaintsTheFrameAsHandWorked) {
  // Antialiasing on or off must not matter: the canvas fills whole pixels.
  for (const bool antialias : {false, true}) {
    struct Case {
      const char* what;
      int w, h;
      std::function<void(TCanvas&)> paint;
      const std::vector<std::string>& picture;
    } cases[] = {
        {"strip", 20, 17, [](TCanvas& c) { DrawTitleStrip(c, 20, 16, "", kFrame, kShadow, kHighlight); },
         kStrip20x16},
        {"box", 17, 17, [](TCanvas& c) { DrawCollapsedBox(c, 17, 17, kFrame, kShadow, kHighlight); }, kBox17},
        {"grip", 12, 12, [](TCanvas& c) { DrawSizeGrip(c, 12, 12, kFrame, kShadow, kHighlight); }, kGrip12},
    };
    for (const auto& k : cases) {
      QImage image = Blank(k.w, k.h);
      {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, antialias);
        TQtCanvas canvas(painter);
        k.paint(canvas);
      }
      EXPECT_EQ(Show(image), Show(k.picture)) << k.what << (antialias ? " antialiased" : "");
    }
  }
}

TEST(QtCanvas, RectanglesAndLinesKeepTheirEndsOut) {
  struct Case {
    std::function<void(TCanvas&)> paint;
    std::vector<std::string> picture;
  } cases[] = {
      {[](TCanvas& c) { c.MoveTo(1, 1), c.LineTo(4, 1); }, {".....", ".KKK.", ".....", "....."}},
      {[](TCanvas& c) { c.MoveTo(4, 2), c.LineTo(1, 2); }, {".....", ".....", "..KKK", "....."}},
      {[](TCanvas& c) { c.MoveTo(0, 3), c.LineTo(0, 0); }, {".....", "K....", "K....", "K...."}},
      {[](TCanvas& c) { c.MoveTo(0, 0), c.LineTo(3, 3), c.LineTo(3, 0); },
       {"K....", ".K.K.", "..KK.", "...K."}},
      {[](TCanvas& c) { c.SetBrushColor(kFrame), c.Rectangle(1, 0, 5, 4); },
       {".KKKK", ".KFFK", ".KFFK", ".KKKK"}},
      {[](TCanvas& c) { c.SetBrushColor(kFrame), c.Rectangle(5, 4, 1, 0); },
       {".KKKK", ".KFFK", ".KFFK", ".KKKK"}},
      {[](TCanvas& c) { c.Rectangle(1, 1, 1, 3); }, {".....", ".....", ".....", "....."}},
      {[](TCanvas& c) { c.SetPenColor(kShadow), c.Rectangle(0, 0, 2, 2); },
       {"SS...", "SS...", ".....", "....."}},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    QImage image = Blank(5, 4);
    {
      QPainter painter(&image);
      TQtCanvas canvas(painter);
      canvas.SetPenColor(clBlack);
      cases[i].paint(canvas);
    }
    EXPECT_EQ(Show(image), Show(cases[i].picture)) << "case " << i;
  }
}

TEST(QtCanvas, TitleTextLandsWhereTheStripRoutinePutsIt) {
  const std::string title = "Quib [7]";
  const TColor ink = 0x00FF00;
  QImage plain = Blank(120, 16);
  QImage titled = Blank(120, 16);
  QFont font(QStringLiteral("Sans"));
  font.setPixelSize(11);
  int width = 0;
  for (QImage* image : {&plain, &titled}) {
    QPainter painter(image);
    painter.setFont(font);
    TQtCanvas canvas(painter, ink);
    width = canvas.TextWidth(title);
    DrawTitleStrip(canvas, 120, 16, image == &titled ? title : "", kFrame, kShadow, kHighlight);
  }
  EXPECT_EQ(width, QFontMetrics(font).horizontalAdvance(QString::fromStdString(title)));
  ASSERT_GT(width, 0);
  const int x0 = (120 - width - 12) / 2 + 8;
  int changed = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 120; ++x) {
      if (plain.pixel(x, y) == titled.pixel(x, y)) continue;
      ++changed;
      // Text only: no background box, and nothing outside the title's cell.
      EXPECT_GE(x, x0 - 1) << x << "," << y;
      EXPECT_LE(x, x0 + width) << x << "," << y;
      EXPECT_GE(y, 2) << x << "," << y;
    }
  EXPECT_GT(changed, 10);
  // The ink colour itself shows somewhere in the glyphs.
  bool inked = false;
  for (int y = 0; y < 16 && !inked; ++y)
    for (int x = 0; x < 120 && !inked; ++x) inked = FromQColor(titled.pixelColor(x, y)) == ink;
  EXPECT_TRUE(inked);
}
