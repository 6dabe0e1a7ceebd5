// The desktop seam: its fallbacks everywhere, and on an X server with a wallpaper set by a real
// setter (tests/e2e/test_wallpaper.sh runs these with QUIB_EXPECT_WALLPAPER set).
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QStringList>
#include <cstdlib>

#include "graphics/brColorUtil.h"
#include "platform/QtCanvas.h"
#include "platform/QtDesktop.h"

TEST(QtDesktop, PicturePlacements) {
  const QSize pic(100, 50);
  const QRect screen(0, 0, 200, 200);
  struct Case {
    const char* option;
    QPoint point;
    std::optional<QPoint> spot;
  } cases[] = {
      {"stretched", {0, 0}, QPoint(0, 0)},
      {"stretched", {199, 199}, QPoint(99, 49)},
      {"stretched", {100, 100}, QPoint(50, 25)},
      {"wallpaper", {150, 60}, QPoint(50, 10)},
      {"wallpaper", {-1, -1}, QPoint(99, 49)},
      {"centered", {50, 75}, QPoint(0, 0)},
      {"centered", {49, 75}, std::nullopt},
      {"centered", {149, 124}, QPoint(99, 49)},
      {"centered", {150, 124}, std::nullopt},
      {"scaled", {0, 50}, QPoint(0, 0)},  // 2x, bands of background above and below
      {"scaled", {0, 49}, std::nullopt},
      {"scaled", {199, 149}, QPoint(99, 49)},
      {"scaled", {199, 150}, std::nullopt},
      {"zoom", {0, 0}, QPoint(25, 0)},  // 4x, the sides cropped
      {"zoom", {199, 199}, QPoint(74, 49)},
      {"zoom", {-50, 300}, QPoint(12, 49)},  // beyond the screen: the nearest edge
      {"spanned", {100, 100}, QPoint(50, 25)},
      {"none", {100, 100}, std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PicturePixelAt(c.option, pic, screen, c.point), c.spot)
        << c.option << " " << c.point.x() << "," << c.point.y();
  EXPECT_EQ(PicturePixelAt("zoom", QSize(), screen, {0, 0}), std::nullopt);
  EXPECT_EQ(PicturePixelAt("zoom", pic, QRect(500, 500, 200, 200), {500, 500}), QPoint(25, 0));
}

TEST(QtDesktop, FallsBackToTheBackgroundColourWithoutAWallpaper) {
  if (QGuiApplication::platformName() == QLatin1String("xcb"))
    GTEST_SKIP() << "runs where no X server is used";
  const QByteArray saved = qgetenv("XDG_CURRENT_DESKTOP");
  qunsetenv("XDG_CURRENT_DESKTOP");
  TQtDesktop desktop;
  const TColor window = FromQColor(QGuiApplication::palette().color(QPalette::Window));
  const TPixelBlock block = desktop.WallpaperBlock(-5, 10, 17, 16);
  EXPECT_EQ(block.Width, 17);
  EXPECT_EQ(block.Height, 16);
  ASSERT_EQ(block.Pixels.size(), 17u * 16u);
  for (TColor c : block.Pixels) EXPECT_EQ(c, window);
  EXPECT_EQ(AverageColor(AsPixelSource(block)), window);
  EXPECT_TRUE(desktop.WallpaperBlock(0, 0, 0, 16).Pixels.empty());
  EXPECT_FALSE(desktop.DrawsWindowShadows());
  EXPECT_FALSE(desktop.RootPixmapBlock(0, 0, 17, 16));
  if (!saved.isEmpty()) qputenv("XDG_CURRENT_DESKTOP", saved);
}

namespace {
TColor ColorOf(const QString& name) {
  return FromQColor(QColor(name));
}
}  // namespace

// QUIB_EXPECT_WALLPAPER is "solid:<colour>" or "split:<x>:<left colour>:<right colour>" (a
// picture whose columns left of x have one colour and the others another).
TEST(QtDesktopX11, ReadsTheWallpaperASetterPublished) {
  const QString expect = qEnvironmentVariable("QUIB_EXPECT_WALLPAPER");
  if (QGuiApplication::platformName() != QLatin1String("xcb") || expect.isEmpty())
    GTEST_SKIP() << "needs an X server with a wallpaper set by tests/e2e/test_wallpaper.sh";
  TQtDesktop desktop;
  ASSERT_TRUE(desktop.RootPixmapBlock(0, 0, 1, 1)) << "no _XROOTPMAP_ID on the root window";
  const QStringList parts = expect.split(':');
  const int w = QGuiApplication::primaryScreen()->geometry().width();
  const int h = QGuiApplication::primaryScreen()->geometry().height();
  if (parts[0] == QLatin1String("solid")) {
    const TColor c = ColorOf(parts[1]);
    // Inside, straddling every edge, and wholly off the screen: the nearest pixels repeat.
    const QPoint corners[] = {{0, 0}, {100, 100}, {-8, -8}, {w - 9, h - 8}, {w + 50, h + 50}, {-500, 200}};
    for (const QPoint& p : corners) {
      const TPixelBlock block = desktop.WallpaperBlock(p.x(), p.y(), 17, 16);
      ASSERT_EQ(block.Pixels.size(), 17u * 16u);
      for (TColor px : block.Pixels) ASSERT_EQ(px, c) << p.x() << "," << p.y();
      EXPECT_EQ(AverageColor(AsPixelSource(block)), c);
    }
  } else {
    ASSERT_EQ(parts.size(), 4);
    const int split = parts[1].toInt();
    const TColor left = ColorOf(parts[2]), right = ColorOf(parts[3]);
    // A block over the border: each column must come from the right place.
    const TPixelBlock block = desktop.WallpaperBlock(split - 10, 100, 17, 16);
    ASSERT_EQ(block.Pixels.size(), 17u * 16u);
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 17; ++x) {
        EXPECT_EQ(block.At(x, y), x < 10 ? left : right) << x << "," << y;
      }
    }
    const TPixelBlock far = desktop.WallpaperBlock(w + 100, 0, 17, 16);
    for (TColor px : far.Pixels) ASSERT_EQ(px, right);
  }
  const QByteArray compositor = qgetenv("QUIB_EXPECT_COMPOSITOR");
  if (compositor == "0") {
    EXPECT_FALSE(desktop.DrawsWindowShadows());
    // Play the compositor: own its selection, as a compositing manager does at start.
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    ASSERT_TRUE(x11);
    xcb_connection_t* c = x11->connection();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t owner = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, owner, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, 13, "_NET_WM_CM_S0"), nullptr);
    ASSERT_TRUE(atom);
    xcb_set_selection_owner(c, owner, atom->atom, XCB_CURRENT_TIME);
    xcb_flush(c);
    EXPECT_TRUE(desktop.DrawsWindowShadows());
    xcb_destroy_window(c, owner);  // gives the selection up
    xcb_flush(c);
    EXPECT_FALSE(desktop.DrawsWindowShadows());
    free(atom);
  }
}
