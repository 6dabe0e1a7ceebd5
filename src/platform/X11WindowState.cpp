#include "platform/X11WindowState.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <array>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>

namespace {

xcb_connection_t* connection() {
  if (!RunsOnX11()) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->connection() : nullptr;
}

// The X window as it is now: Qt's xcb plugin makes a new one when some window flags change
// (staying on top among them) and then only the QWindow knows it, not QWidget::winId.
xcb_window_t nativeWindow(QWidget& window) {
  if (QWindow* handle = window.windowHandle(); handle && handle->handle())
    return static_cast<xcb_window_t>(handle->winId());
  return static_cast<xcb_window_t>(window.winId());
}

// An atom keeps its number for as long as the X server runs, so each name is asked for once:
// these calls run before every note is mapped, and each question waits for the server.
xcb_atom_t internAtom(xcb_connection_t* c, const char* name) {
  static std::unordered_map<std::string, xcb_atom_t> known;  // the GUI thread's alone
  if (const auto it = known.find(name); it != known.end()) return it->second;
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
  if (!reply) return XCB_ATOM_NONE;
  const xcb_atom_t atom = reply->atom;
  std::free(reply);
  if (atom != XCB_ATOM_NONE) known.emplace(name, atom);
  return atom;
}

xcb_window_t rootOf(xcb_connection_t* c, xcb_window_t win) {
  // A display with one screen (nearly every one) has one root: no need to ask the server.
  const xcb_setup_t* setup = xcb_get_setup(c);
  if (xcb_setup_roots_length(setup) == 1) return xcb_setup_roots_iterator(setup).data->root;
  xcb_get_geometry_reply_t* reply = xcb_get_geometry_reply(c, xcb_get_geometry(c, win), nullptr);
  if (!reply) return XCB_WINDOW_NONE;
  const xcb_window_t root = reply->root;
  std::free(reply);
  return root;
}

// A request to the window manager about a window it manages, as the window-manager rules
// send them: to the root window, with up to four values.
void sendToWindowManager(xcb_connection_t* c, xcb_window_t win, xcb_atom_t type,
                         std::array<uint32_t, 4> data) {
  const xcb_window_t root = rootOf(c, win);
  if (root == XCB_WINDOW_NONE) return;
  xcb_client_message_event_t event{};
  event.response_type = XCB_CLIENT_MESSAGE;
  event.format = 32;
  event.window = win;
  event.type = type;
  for (size_t i = 0; i < data.size(); ++i) event.data.data32[i] = data[i];
  xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&event));
}

constexpr uint32_t kAllDesktops = 0xFFFFFFFF;
constexpr uint32_t kFromApplication = 1;

}  // namespace

bool RunsOnX11() {
  return QGuiApplication::platformName() == QLatin1String("xcb");
}

void SetSkipTaskbarAndPager(QWidget& window) {
  xcb_connection_t* c = connection();
  if (!c) return;
  const xcb_window_t win = nativeWindow(window);
  const xcb_atom_t state = internAtom(c, "_NET_WM_STATE");
  const xcb_atom_t taskbar = internAtom(c, "_NET_WM_STATE_SKIP_TASKBAR");
  const xcb_atom_t pager = internAtom(c, "_NET_WM_STATE_SKIP_PAGER");
  if (state == XCB_ATOM_NONE || taskbar == XCB_ATOM_NONE || pager == XCB_ATOM_NONE) return;
  // Both ways: a window just shown may or may not have been taken over by the window manager
  // yet. It reads the property when it takes the window over, and it answers the request once
  // it manages the window (it ignores requests for windows it does not manage).
  // The property is written without reading it first, which would wait for the server before
  // every new note is mapped: before a mapping it holds no more than what Qt put there for an
  // earlier one, and Qt reads it and adds its own states (on top, maximized) after showEvent,
  // just before it maps the window.
  const std::array<xcb_atom_t, 2> states{taskbar, pager};
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, win, state, XCB_ATOM_ATOM, 32,
                      static_cast<uint32_t>(states.size()), states.data());
  sendToWindowManager(c, win, state, {1 /* _NET_WM_STATE_ADD */, taskbar, pager, kFromApplication});
  xcb_flush(c);
}

void SetOnAllDesktops(QWidget& window) {
  xcb_connection_t* c = connection();
  if (!c) return;
  const xcb_window_t win = nativeWindow(window);
  const xcb_atom_t desktop = internAtom(c, "_NET_WM_DESKTOP");
  if (desktop == XCB_ATOM_NONE) return;
  // Both ways, as the states above: a window manager forgets the property when the window is
  // withdrawn (hidden), and reads it again when the window is mapped.
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, win, desktop, XCB_ATOM_CARDINAL, 32, 1, &kAllDesktops);
  sendToWindowManager(c, win, desktop, {kAllDesktops, kFromApplication, 0, 0});
  xcb_flush(c);
}

void SetNoCompositorShadow(QWidget& window) {
  xcb_connection_t* c = connection();
  if (!c) return;
  const xcb_atom_t shadow = internAtom(c, "_COMPTON_SHADOW");
  if (shadow == XCB_ATOM_NONE) return;
  const uint32_t off = 0;
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, nativeWindow(window), shadow, XCB_ATOM_CARDINAL, 32, 1, &off);
  xcb_flush(c);
}

std::optional<QPoint> X11WindowPosition(QWidget& window) {
  xcb_connection_t* c = connection();
  if (!c || !window.windowHandle() || !window.windowHandle()->handle()) return std::nullopt;
  const xcb_window_t win = nativeWindow(window);
  const xcb_window_t root = rootOf(c, win);
  if (root == XCB_WINDOW_NONE) return std::nullopt;
  xcb_translate_coordinates_reply_t* reply =
      xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, win, root, 0, 0), nullptr);
  if (!reply) return std::nullopt;
  const QPoint p(reply->dst_x, reply->dst_y);
  std::free(reply);
  return p;
}
