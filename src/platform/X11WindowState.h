// Window-manager hints of a top-level window that Qt has no call for, set through xcb, and the
// window's true place on the screen. Every function does nothing on platforms other than X11
// (Wayland, offscreen).
#pragma once

#include <QPoint>
#include <optional>

class QWidget;

// True when the application runs on the xcb platform.
bool RunsOnX11();
// Sets _NET_WM_STATE_SKIP_TASKBAR and _NET_WM_STATE_SKIP_PAGER: as the property the window
// manager reads when it takes a window over (Qt keeps the states it finds there and adds its own
// when it maps the window), and as the request that changes the state of a managed window.
// Call it only before the window is mapped (from showEvent), which is also where it runs again
// when Qt has made a new X window for it; it asks the X server nothing.
void SetSkipTaskbarAndPager(QWidget& window);
// Puts the window on every workspace (_NET_WM_DESKTOP 0xFFFFFFFF): notes, like paper on the
// desk, stay where they are when the user switches workspaces. Called where the states above are.
void SetOnAllDesktops(QWidget& window);
// Sets _COMPTON_SHADOW = 0, which compositors of the compton/picom family honour by drawing
// no shadow under the window.
void SetNoCompositorShadow(QWidget& window);
// Where the X server has the window's top-left corner, in root coordinates; nothing when the
// window has no X window or the platform is not X11.
std::optional<QPoint> X11WindowPosition(QWidget& window);
