#include "platform/QtDesktop.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QHash>
#include <QPalette>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/QtCanvas.h"

namespace {

// GNOME's settings tool is asked again at most this often.
constexpr qint64 kConfiguredLifetimeMs = 2000;

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
template <class T>
using XReply = std::unique_ptr<T, FreeDeleter>;

xcb_connection_t* x11Connection() {
  if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->connection() : nullptr;
}

// The screen of the display the program was started on: its root window and its number.
const xcb_screen_t* defaultScreen(xcb_connection_t* c, int* number) {
  int screenNumber = 0, displayNumber = 0;
  char* host = nullptr;
  if (xcb_parse_display(nullptr, &host, &displayNumber, &screenNumber))
    std::free(host);
  else
    screenNumber = 0;
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int i = 0; it.rem && i < screenNumber; ++i) xcb_screen_next(&it);
  if (!it.rem) {
    it = xcb_setup_roots_iterator(xcb_get_setup(c));
    screenNumber = 0;
  }
  if (number) *number = screenNumber;
  return it.rem ? it.data : nullptr;
}

xcb_atom_t existingAtom(xcb_connection_t* c, const QByteArray& name) {
  // An atom, once it exists, keeps its number while the server runs; one that does not exist
  // yet may be made later (a compositor starting), so only the found ones are kept.
  static QHash<QByteArray, xcb_atom_t> known;  // the GUI thread's alone
  if (const auto it = known.constFind(name); it != known.constEnd()) return *it;
  XReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 1, static_cast<uint16_t>(name.size()), name.constData()), nullptr));
  const xcb_atom_t atom = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
  if (atom != XCB_ATOM_NONE) known.insert(name, atom);
  return atom;
}

// The pixmap a wallpaper setter left on the root window, or XCB_NONE.
xcb_pixmap_t publishedPixmap(xcb_connection_t* c, xcb_window_t root) {
  for (const char* name : {"_XROOTPMAP_ID", "ESETROOT_PMAP_ID"}) {
    const xcb_atom_t a = existingAtom(c, name);
    if (a == XCB_ATOM_NONE) continue;
    XReply<xcb_get_property_reply_t> p(
        xcb_get_property_reply(c, xcb_get_property(c, 0, root, a, XCB_ATOM_PIXMAP, 0, 1), nullptr));
    if (p && p->type == XCB_ATOM_PIXMAP && p->format == 32 && xcb_get_property_value_length(p.get()) >= 4) {
      xcb_pixmap_t pixmap = 0;
      std::memcpy(&pixmap, xcb_get_property_value(p.get()), sizeof pixmap);
      if (pixmap != XCB_NONE) return pixmap;
    }
  }
  return XCB_NONE;
}

struct TChannelMask {
  uint32_t Mask;
  int Shift = 0;
  int Bits = 0;
  explicit TChannelMask(uint32_t mask) : Mask(mask) {
    if (!mask) return;
    while (!((mask >> Shift) & 1)) ++Shift;
    while (Shift + Bits < 32 && ((mask >> (Shift + Bits)) & 1)) ++Bits;
  }
  int Value(uint32_t pixel) const {
    if (!Bits) return 0;
    const uint32_t v = (pixel & Mask) >> Shift;
    const uint32_t max = Bits >= 32 ? 0xFFFFFFFFu : (1u << Bits) - 1;
    return static_cast<int>((v * 255 + max / 2) / max);
  }
};

// The colour masks of the root visual, when it is a true-colour one of the given depth.
bool rootMasks(const xcb_screen_t* screen, uint8_t depth, uint32_t* red, uint32_t* green, uint32_t* blue) {
  for (auto d = xcb_screen_allowed_depths_iterator(screen); d.rem; xcb_depth_next(&d)) {
    for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v)) {
      if (v.data->visual_id != screen->root_visual) continue;
      if (v.data->_class != XCB_VISUAL_CLASS_TRUE_COLOR && v.data->_class != XCB_VISUAL_CLASS_DIRECT_COLOR)
        return false;
      if (d.data->depth != depth && !(depth == 32 && d.data->depth == 24)) return false;
      *red = v.data->red_mask;
      *green = v.data->green_mask;
      *blue = v.data->blue_mask;
      return true;
    }
  }
  return false;
}

int bitsPerPixel(xcb_connection_t* c, uint8_t depth, int* scanlinePad) {
  const xcb_setup_t* setup = xcb_get_setup(c);
  for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
    if (f.data->depth == depth) {
      *scanlinePad = f.data->scanline_pad;
      return f.data->bits_per_pixel;
    }
  return 0;
}

QString unquoteVariantString(QString value) {
  value = value.trimmed();
  if (value.size() < 2 || (value.front() != '\'' && value.front() != '"') || value.back() != value.front())
    return value;
  QString out;
  for (qsizetype i = 1; i + 1 < value.size(); ++i) {
    if (value[i] == '\\' && i + 2 < value.size()) ++i;
    out += value[i];
  }
  return out;
}

// The keys of a GNOME settings schema with their values, or nothing when the tool or the
// schema is missing.
QHash<QString, QString> readSchema(const QString& schema) {
  QHash<QString, QString> keys;
  const QString tool = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
  if (tool.isEmpty()) return keys;
  QProcess process;
  process.start(tool, {QStringLiteral("list-recursively"), schema});
  if (!process.waitForFinished(1500) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0) {
    process.kill();
    process.waitForFinished(500);
    return keys;
  }
  for (const QString& line : QString::fromLocal8Bit(process.readAllStandardOutput()).split('\n')) {
    // "<schema> <key> <value>"
    const qsizetype a = line.indexOf(' ');
    const qsizetype b = a < 0 ? -1 : line.indexOf(' ', a + 1);
    if (b < 0 || line.left(a) != schema) continue;
    keys.insert(line.mid(a + 1, b - a - 1), unquoteVariantString(line.mid(b + 1)));
  }
  return keys;
}

bool gnomeLikeDesktop() {
  const QString desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
  for (const char* name : {"GNOME", "Unity", "Budgie", "Pantheon", "ubuntu"})
    if (desktop.contains(QLatin1String(name), Qt::CaseInsensitive)) return true;
  return false;
}

QString localFileOf(const QString& uri) {
  if (uri.isEmpty()) return {};
  const QUrl url(uri);
  return url.isLocalFile() ? url.toLocalFile() : (url.scheme().isEmpty() ? uri : QString());
}

int clampInt(long long v, int lo, int hi) {
  return static_cast<int>(std::clamp<long long>(v, lo, hi));
}

}  // namespace

std::optional<QPoint> PicturePixelAt(const QString& option, QSize picture, QRect screen, QPoint point) {
  if (picture.isEmpty() || screen.isEmpty() || option == QLatin1String("none")) return std::nullopt;
  const double sw = screen.width(), sh = screen.height(), pw = picture.width(), ph = picture.height();
  const double sx = point.x() - screen.left() + 0.5, sy = point.y() - screen.top() + 0.5;  // pixel centres
  auto inside = [&](double px, double py) -> std::optional<QPoint> {
    if (px < 0 || py < 0 || px >= pw || py >= ph) return std::nullopt;
    return QPoint(static_cast<int>(px), static_cast<int>(py));
  };
  if (option == QLatin1String("stretched")) {
    return QPoint(clampInt(static_cast<long long>(std::floor(sx * pw / sw)), 0, picture.width() - 1),
                  clampInt(static_cast<long long>(std::floor(sy * ph / sh)), 0, picture.height() - 1));
  }
  if (option == QLatin1String("wallpaper")) {
    const long long tx = static_cast<long long>(std::floor(sx)), ty = static_cast<long long>(std::floor(sy));
    const long long w = picture.width(), h = picture.height();
    return QPoint(static_cast<int>(((tx % w) + w) % w), static_cast<int>(((ty % h) + h) % h));
  }
  if (option == QLatin1String("centered")) {
    return inside(sx - std::floor((sw - pw) / 2), sy - std::floor((sh - ph) / 2));
  }
  if (option == QLatin1String("scaled")) {
    const double scale = std::min(sw / pw, sh / ph);
    return inside((sx - (sw - pw * scale) / 2) / scale, (sy - (sh - ph * scale) / 2) / scale);
  }
  // "zoom", "spanned" and anything unknown: cover the screen, keep the aspect, crop the middle.
  const double scale = std::max(sw / pw, sh / ph);
  const double px = (sx - (sw - pw * scale) / 2) / scale, py = (sy - (sh - ph * scale) / 2) / scale;
  return QPoint(clampInt(static_cast<long long>(std::floor(px)), 0, picture.width() - 1),
                clampInt(static_cast<long long>(std::floor(py)), 0, picture.height() - 1));
}

std::optional<TPixelBlock> TQtDesktop::RootPixmapBlock(int x, int y, int width, int height) const {
  xcb_connection_t* c = x11Connection();
  if (!c || width <= 0 || height <= 0) return std::nullopt;
  const xcb_screen_t* screen = defaultScreen(c, nullptr);
  if (!screen) return std::nullopt;
  const xcb_pixmap_t pixmap = publishedPixmap(c, screen->root);
  if (pixmap == XCB_NONE) return std::nullopt;

  // A setter may have freed the pixmap it still names: then the geometry request fails.
  XReply<xcb_get_geometry_reply_t> geo(xcb_get_geometry_reply(c, xcb_get_geometry(c, pixmap), nullptr));
  if (!geo || geo->width == 0 || geo->height == 0 || (geo->depth != 24 && geo->depth != 32))
    return std::nullopt;
  uint32_t redMask = 0xFF0000, greenMask = 0xFF00, blueMask = 0xFF;
  rootMasks(screen, geo->depth, &redMask, &greenMask, &blueMask);
  int pad = 32;
  const int bpp = bitsPerPixel(c, geo->depth, &pad);
  if (bpp != 32 || pad <= 0) return std::nullopt;

  // Qt places windows in device-independent pixels; the pixmap is in device pixels.
  const double dpr =
      QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->devicePixelRatio() : 1.0;
  const long long dx = std::llround(x * dpr), dy = std::llround(y * dpr);
  // Only the part of the pixmap under the block can be read; points beyond it take the
  // nearest edge pixel.
  const int pw = geo->width, ph = geo->height;
  const int x0 = clampInt(dx, 0, pw - 1), x1 = clampInt(dx + width - 1, 0, pw - 1);
  const int y0 = clampInt(dy, 0, ph - 1), y1 = clampInt(dy + height - 1, 0, ph - 1);
  const int rw = x1 - x0 + 1, rh = y1 - y0 + 1;
  XReply<xcb_get_image_reply_t> image(xcb_get_image_reply(
      c,
      xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, static_cast<int16_t>(x0), static_cast<int16_t>(y0),
                    static_cast<uint16_t>(rw), static_cast<uint16_t>(rh), ~0u),
      nullptr));
  if (!image) return std::nullopt;
  const uint8_t* data = xcb_get_image_data(image.get());
  const long long stride = ((static_cast<long long>(rw) * bpp + pad - 1) / pad) * pad / 8;
  if (xcb_get_image_data_length(image.get()) < stride * rh) return std::nullopt;
  const bool msbFirst = xcb_get_setup(c)->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST;
  const TChannelMask red(redMask), green(greenMask), blue(blueMask);

  TPixelBlock block{width, height, {}};
  block.Pixels.reserve(static_cast<size_t>(width) * height);
  for (int j = 0; j < height; ++j) {
    const int py = clampInt(dy + j, 0, ph - 1) - y0;
    for (int i = 0; i < width; ++i) {
      const int px = clampInt(dx + i, 0, pw - 1) - x0;
      const uint8_t* p = data + py * stride + static_cast<long long>(px) * 4;
      const uint32_t v = msbFirst
                             ? (uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3])
                             : (uint32_t{p[3]} << 24 | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0]);
      block.Pixels.push_back(red.Value(v) | green.Value(v) << 8 | blue.Value(v) << 16);
    }
  }
  return block;
}

const TQtDesktop::TConfigured& TQtDesktop::configured() const {
  if (configured_ && configuredAge_.isValid() && configuredAge_.elapsed() < kConfiguredLifetimeMs)
    return *configured_;
  TConfigured fresh;
  if (gnomeLikeDesktop()) {
    const QHash<QString, QString> keys = readSchema(QStringLiteral("org.gnome.desktop.background"));
    QString uri = keys.value(QStringLiteral("picture-uri"));
    const QString darkUri = keys.value(QStringLiteral("picture-uri-dark"));
    if (!darkUri.isEmpty() &&
        readSchema(QStringLiteral("org.gnome.desktop.interface")).value(QStringLiteral("color-scheme")) ==
            QLatin1String("prefer-dark"))
      uri = darkUri;
    fresh.Option = keys.value(QStringLiteral("picture-options"), QStringLiteral("zoom"));
    const QColor color(keys.value(QStringLiteral("primary-color")));
    if (color.isValid()) fresh.Color = FromQColor(color);
    const QString path = localFileOf(uri);
    // The same picture stays loaded: loading a large one takes long.
    if (configured_ && !path.isEmpty() && configured_->PicturePath == path)
      fresh.Picture = configured_->Picture;
    else if (!path.isEmpty() && fresh.Option != QLatin1String("none"))
      fresh.Picture.load(path);
    fresh.PicturePath = fresh.Picture.isNull() ? QString() : path;
  }
  configured_ = std::move(fresh);
  configuredAge_.start();
  return *configured_;
}

std::optional<TPixelBlock> TQtDesktop::ConfiguredPictureBlock(int x, int y, int width, int height) const {
  const TConfigured& conf = configured();
  if (conf.Picture.isNull() || width <= 0 || height <= 0) return std::nullopt;
  const TColor background = BackgroundColor();
  TPixelBlock block{width, height, {}};
  block.Pixels.reserve(static_cast<size_t>(width) * height);
  for (int j = 0; j < height; ++j)
    for (int i = 0; i < width; ++i) {
      const QPoint point(x + i, y + j);
      QScreen* screen = QGuiApplication::screenAt(point);
      if (!screen) screen = QGuiApplication::primaryScreen();
      if (!screen) return std::nullopt;
      const QRect area =
          conf.Option == QLatin1String("spanned") ? screen->virtualGeometry() : screen->geometry();
      const std::optional<QPoint> spot = PicturePixelAt(conf.Option, conf.Picture.size(), area, point);
      block.Pixels.push_back(spot ? FromQColor(conf.Picture.pixelColor(*spot)) : background);
    }
  return block;
}

TColor TQtDesktop::BackgroundColor() const {
  const TConfigured& conf = configured();
  if (conf.Color) return *conf.Color;
  return FromQColor(QGuiApplication::palette().color(QPalette::Window));
}

TPixelBlock TQtDesktop::WallpaperBlock(int x, int y, int width, int height) const {
  if (width <= 0 || height <= 0) return {};
  if (auto block = RootPixmapBlock(x, y, width, height)) return std::move(*block);
  if (auto block = ConfiguredPictureBlock(x, y, width, height)) return std::move(*block);
  return {width, height, std::vector<TColor>(static_cast<size_t>(width) * height, BackgroundColor())};
}

bool TQtDesktop::DrawsWindowShadows() const {
  xcb_connection_t* c = x11Connection();
  if (!c) return false;
  int number = 0;
  if (!defaultScreen(c, &number)) return false;
  // A compositing manager owns the selection _NET_WM_CM_S<screen number>.
  const xcb_atom_t a = existingAtom(c, "_NET_WM_CM_S" + QByteArray::number(number));
  if (a == XCB_ATOM_NONE) return false;
  XReply<xcb_get_selection_owner_reply_t> owner(
      xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, a), nullptr));
  return owner && owner->owner != XCB_NONE;
}

bool TQtDesktop::HasSystemTray() const {
  return QSystemTrayIcon::isSystemTrayAvailable();
}
