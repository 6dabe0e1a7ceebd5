#include "platform/QtScreens.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <set>

namespace {
TRect toRect(const QRect& r) {
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

xcb_connection_t* x11Connection() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
  auto cookie = xcb_intern_atom(c, 1, static_cast<uint16_t>(strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
  const xcb_atom_t a = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
  free(reply);
  return a;
}

// Struts of every managed window that is not one of ours.
std::vector<TStrut> readStruts(xcb_connection_t* c, xcb_window_t root) {
  std::vector<TStrut> struts;
  const xcb_atom_t clientList = atom(c, "_NET_CLIENT_LIST");
  const xcb_atom_t partial = atom(c, "_NET_WM_STRUT_PARTIAL");
  const xcb_atom_t plain = atom(c, "_NET_WM_STRUT");
  if (clientList == XCB_ATOM_NONE || partial == XCB_ATOM_NONE) return struts;
  auto listCookie = xcb_get_property(c, 0, root, clientList, XCB_ATOM_WINDOW, 0, 1 << 20);
  xcb_get_property_reply_t* list = xcb_get_property_reply(c, listCookie, nullptr);
  if (!list) return struts;
  const auto* windows = static_cast<const xcb_window_t*>(xcb_get_property_value(list));
  const int count = xcb_get_property_value_length(list) / 4;

  std::set<xcb_window_t> own;
  for (QWindow* w : QGuiApplication::topLevelWindows())
    if (w->handle()) own.insert(static_cast<xcb_window_t>(w->winId()));

  // Send every request first, then collect the replies: one round trip for all windows.
  std::vector<std::pair<xcb_get_property_cookie_t, xcb_get_property_cookie_t>> cookies;
  for (int i = 0; i < count; ++i) {
    if (own.count(windows[i])) continue;
    cookies.emplace_back(xcb_get_property(c, 0, windows[i], partial, XCB_ATOM_CARDINAL, 0, 12),
                         xcb_get_property(c, 0, windows[i], plain, XCB_ATOM_CARDINAL, 0, 4));
  }
  free(list);
  for (auto& [pc, sc] : cookies) {
    xcb_get_property_reply_t* p = xcb_get_property_reply(c, pc, nullptr);
    xcb_get_property_reply_t* s = xcb_get_property_reply(c, sc, nullptr);
    if (p && xcb_get_property_value_length(p) >= 48) {
      const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(p));
      struts.push_back({v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11]});
    } else if (s && xcb_get_property_value_length(s) >= 16) {
      const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(s));
      // A plain strut spans the whole edge.
      struts.push_back({v[0], v[1], v[2], v[3], 0, LONG_MAX, 0, LONG_MAX, 0, LONG_MAX, 0, LONG_MAX});
    }
    free(p);
    free(s);
  }
  return struts;
}

bool spansOverlap(long a1, long a2, long b1, long b2) {
  return a1 <= b2 && b1 <= a2;
}
}  // namespace

TRect WorkAreaFromStruts(const TRect& m, const std::vector<TStrut>& struts, int rootWidth, int rootHeight) {
  TRect w = m;
  for (const TStrut& s : struts) {
    if (s.Top > 0 && spansOverlap(s.TopStartX, s.TopEndX, m.Left, m.Right - 1) && s.Top > m.Top)
      w.Top = std::max<int>(w.Top, static_cast<int>(std::min<long>(s.Top, m.Bottom)));
    if (s.Bottom > 0 && spansOverlap(s.BottomStartX, s.BottomEndX, m.Left, m.Right - 1) &&
        rootHeight - s.Bottom < m.Bottom)
      w.Bottom = std::min<int>(w.Bottom, static_cast<int>(std::max<long>(rootHeight - s.Bottom, m.Top)));
    if (s.Left > 0 && spansOverlap(s.LeftStartY, s.LeftEndY, m.Top, m.Bottom - 1) && s.Left > m.Left)
      w.Left = std::max<int>(w.Left, static_cast<int>(std::min<long>(s.Left, m.Right)));
    if (s.Right > 0 && spansOverlap(s.RightStartY, s.RightEndY, m.Top, m.Bottom - 1) &&
        rootWidth - s.Right < m.Right)
      w.Right = std::min<int>(w.Right, static_cast<int>(std::max<long>(rootWidth - s.Right, m.Left)));
  }
  return w;
}

int TQtScreens::PrimaryWidth() const {
  const QScreen* s = QGuiApplication::primaryScreen();
  return s ? s->geometry().width() : 0;
}

int TQtScreens::PrimaryHeight() const {
  const QScreen* s = QGuiApplication::primaryScreen();
  return s ? s->geometry().height() : 0;
}

std::vector<TMonitor> TQtScreens::Monitors() const {
  QList<QScreen*> screens = QGuiApplication::screens();
  QScreen* primary = QGuiApplication::primaryScreen();
  std::stable_partition(screens.begin(), screens.end(), [primary](QScreen* s) { return s == primary; });

  std::vector<TMonitor> monitors;
  for (QScreen* s : screens) monitors.push_back({toRect(s->geometry()), toRect(s->availableGeometry())});

  // With several monitors on X11, Qt reports each one's available geometry as the whole
  // monitor; the docks' struts tell what is really free.
  xcb_connection_t* c = x11Connection();
  if (monitors.size() > 1 && c) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const std::vector<TStrut> struts = readStruts(c, screen->root);
    for (auto& m : monitors)
      m.WorkArea = WorkAreaFromStruts(m.Bounds, struts, screen->width_in_pixels, screen->height_in_pixels);
  }
  return monitors;
}
