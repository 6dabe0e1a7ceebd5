#include "app/UNoDisplay.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QMessageBox>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

extern char** environ;

namespace {
std::string env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

bool x11DisplayOpens() {
  if (env("DISPLAY").empty()) return false;
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  const bool ok = c && !xcb_connection_has_error(c);
  if (c) xcb_disconnect(c);
  return ok;
}

bool waylandPluginInstalled() {
  const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms");
  return !platforms.entryList({"libqwayland-*.so"}, QDir::Files).isEmpty();
}

// A message box on the Wayland display. Offscreen stands behind it, so that a Wayland display
// that will not talk to Qt ends in no box rather than an abort.
bool showOnWayland(const std::string& message, int& argc, char** argv) {
  if (env("WAYLAND_DISPLAY").empty() || !waylandPluginInstalled()) return false;
  qputenv("QT_QPA_PLATFORM", "wayland;offscreen");
  QApplication app(argc, argv);
  if (QGuiApplication::platformName() != QLatin1String("wayland")) return false;
  QMessageBox::critical(nullptr, "Quib", QString::fromLocal8Bit(message.c_str()));
  return true;
}

// A desktop notification, where a session bus is there to carry it; waits a moment for it to
// be handed over, never for the notification to close.
void notify(const std::string& message) {
  const bool bus =
      !env("DBUS_SESSION_BUS_ADDRESS").empty() ||
      (!env("XDG_RUNTIME_DIR").empty() && access((env("XDG_RUNTIME_DIR") + "/bus").c_str(), F_OK) == 0);
  if (!bus) return;
  std::string summary = "Quib cannot start", body = message;
  char* args[] = {const_cast<char*>("notify-send"),
                  const_cast<char*>("--app-name=Quib"),
                  const_cast<char*>("--icon=quib"),
                  const_cast<char*>("--urgency=critical"),
                  summary.data(),
                  body.data(),
                  nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, "notify-send", nullptr, nullptr, args, environ) != 0) return;
  for (int i = 0; i < 30; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) != 0) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}
}  // namespace

std::string NoDisplayMessage(const std::string& display, bool wayland) {
  std::string why;
  if (display.empty())
    why = wayland ? "This is a Wayland session without XWayland"
                  : "No graphical session was found (DISPLAY is not set)";
  else
    why = "The X11 display \"" + display + "\" cannot be opened";
  return "Quib needs an X11 session or XWayland. " + why +
         ". Quib's notes place themselves on the desktop, which only X11 lets a program do: log in to an X11 "
         "session (\"Xorg\" at the login screen) or install XWayland, then start Quib again.";
}

bool CannotReachX11(int& argc, char** argv) {
  const std::string platform = env("QT_QPA_PLATFORM");
  if (!platform.empty() && platform.rfind("xcb", 0) != 0) return false;
  if (x11DisplayOpens()) return false;
  const std::string message = NoDisplayMessage(env("DISPLAY"), !env("WAYLAND_DISPLAY").empty());
  std::fprintf(stderr, "%s\n", message.c_str());
  if (!showOnWayland(message, argc, argv)) notify(message);
  return true;
}
