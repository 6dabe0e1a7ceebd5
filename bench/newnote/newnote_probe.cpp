// The new-note benchmark's stopwatch: activates each program's window in turn, presses F4 in
// it through XTest and times, from the key to the window manager's answers, the new window
// it opens. Two moments are taken from the root window's events: the window manager
// reparenting the new window into its frame (its answer to the map request) and the frame
// being mapped (the window on screen). The CPU time the program spent in between is read from
// /proc/<pid>/schedstat: it changes far less with the load of the machine than the wall time.
//
// Usage: quib_newnote_probe [--rounds N] [--settle MS] [--raw FILE] LABEL=WINDOW...
// The programs take turns within each round, in the reverse order every second round, so that
// a load that comes and goes falls on all of them alike. Prints one line a program:
//   LABEL rounds missed map_median map_p10 map_p90 reparent_median cpu_median (milliseconds)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Target {
  std::string label;
  Window window = 0;
  long pid = 0;
  std::vector<double> map, reparent, cpu;
  int missed = 0;
};

double ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// Nanoseconds the process has run on a CPU so far (all its threads); nothing when unknown.
std::optional<double> cpuNs(long pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/schedstat");
  double ns = 0;
  if (!(in >> ns)) return std::nullopt;
  return ns;
}

long windowPid(Display* d, Window w) {
  Atom type = None;
  int format = 0;
  unsigned long n = 0, after = 0;
  unsigned char* data = nullptr;
  long pid = 0;
  if (XGetWindowProperty(d, w, XInternAtom(d, "_NET_WM_PID", False), 0, 1, False, XA_CARDINAL, &type, &format,
                         &n, &after, &data) == Success &&
      data && n == 1 && format == 32)
    pid = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
  if (data) XFree(data);
  return pid;
}

// Waits for the next event until deadline; false when none came.
bool nextEvent(Display* d, XEvent& e, Clock::time_point deadline) {
  while (!XPending(d)) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd p{ConnectionNumber(d), POLLIN, 0};
    poll(&p, 1, static_cast<int>(std::min<long long>(left, 1000)));
  }
  XNextEvent(d, &e);
  return true;
}

void drain(Display* d, Clock::duration span) {
  const auto end = Clock::now() + span;
  XEvent e;
  while (nextEvent(d, e, end)) {
  }
}

bool hasFocus(Display* d, Window w) {
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(d, &focus, &revert);
  return focus == w;
}

// Activates the window the way a pager asks the window manager to, and waits until it has
// the keyboard; a window manager that does not answer gets the focus set directly.
bool activate(Display* d, Window root, Window w) {
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = w;
  e.xclient.message_type = XInternAtom(d, "_NET_ACTIVE_WINDOW", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = 2;  // from a pager
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
  XFlush(d);
  for (int i = 0; i < 200; ++i) {
    if (hasFocus(d, w)) return true;
    if (i == 100) XSetInputFocus(d, w, RevertToParent, CurrentTime);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// One key press in target; records the times of its new window, or counts it as missed.
void round(Display* d, Window root, Target& t, KeyCode key, std::set<Window>& seen, FILE* raw) {
  const std::optional<double> cpu0 = cpuNs(t.pid);
  XEvent e;
  while (XPending(d)) XNextEvent(d, &e);
  const auto t0 = Clock::now();
  XTestFakeKeyEvent(d, key, True, CurrentTime);
  XTestFakeKeyEvent(d, key, False, CurrentTime);
  XFlush(d);
  const auto deadline = t0 + std::chrono::seconds(5);
  Window frame = 0;
  std::optional<Clock::time_point> reparented;
  while (nextEvent(d, e, deadline)) {
    const auto now = Clock::now();
    if (e.type == ReparentNotify && e.xreparent.parent != root && !reparented &&
        seen.insert(e.xreparent.window).second) {
      reparented = now;
      frame = e.xreparent.parent;
    } else if (e.type == MapNotify && frame && e.xmap.window == frame) {
      const std::optional<double> cpu1 = cpuNs(t.pid);
      t.reparent.push_back(ms(*reparented - t0));
      t.map.push_back(ms(now - t0));
      if (cpu0 && cpu1) t.cpu.push_back((*cpu1 - *cpu0) / 1e6);
      if (raw)
        std::fprintf(raw, "%s %.3f %.3f %.3f\n", t.label.c_str(), t.map.back(), t.reparent.back(),
                     t.cpu.empty() ? 0.0 : t.cpu.back());
      return;
    }
  }
  ++t.missed;
  if (raw) std::fprintf(raw, "%s missed\n", t.label.c_str());
}

double quantile(std::vector<double> v, double q) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const double pos = q * static_cast<double>(v.size() - 1);
  const auto lo = static_cast<size_t>(pos);
  const size_t hi = std::min(lo + 1, v.size() - 1);
  return v[lo] + (v[hi] - v[lo]) * (pos - static_cast<double>(lo));
}

int usage() {
  std::fprintf(stderr, "usage: quib_newnote_probe [--rounds N] [--settle MS] [--raw FILE] LABEL=WINDOW...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = 40, settleMs = 400;
  FILE* raw = nullptr;
  std::vector<Target> targets;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if ((a == "--rounds" || a == "--settle" || a == "--raw") && i + 1 < argc) {
      const char* v = argv[++i];
      if (a == "--rounds") rounds = std::atoi(v);
      if (a == "--settle") settleMs = std::atoi(v);
      if (a == "--raw" && !(raw = std::fopen(v, "w"))) return usage();
    } else if (const size_t eq = a.find('='); eq != std::string::npos && eq > 0) {
      Target t;
      t.label = a.substr(0, eq);
      t.window = static_cast<Window>(std::strtoul(a.c_str() + eq + 1, nullptr, 0));
      targets.push_back(std::move(t));
    } else {
      return usage();
    }
  }
  if (targets.empty() || rounds < 1) return usage();
  Display* d = XOpenDisplay(nullptr);
  if (!d) {
    std::fprintf(stderr, "quib_newnote_probe: cannot open the display\n");
    return 2;
  }
  int event = 0, error = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(d, &event, &error, &major, &minor)) {
    std::fprintf(stderr, "quib_newnote_probe: the X server has no XTEST\n");
    return 2;
  }
  const Window root = DefaultRootWindow(d);
  XSelectInput(d, root, SubstructureNotifyMask);
  const KeyCode f4 = XKeysymToKeycode(d, XK_F4);
  for (Target& t : targets) {
    t.pid = windowPid(d, t.window);
    if (t.pid <= 0) {
      std::fprintf(stderr, "quib_newnote_probe: window %s of %s has no _NET_WM_PID\n",
                   std::to_string(t.window).c_str(), t.label.c_str());
      return 2;
    }
  }
  std::set<Window> seen;
  for (int r = 0; r < rounds; ++r) {
    for (size_t k = 0; k < targets.size(); ++k) {
      Target& t = targets[r % 2 ? targets.size() - 1 - k : k];
      if (!activate(d, root, t.window)) {
        std::fprintf(stderr, "quib_newnote_probe: %s's window does not take the focus\n", t.label.c_str());
        ++t.missed;
        continue;
      }
      drain(d, std::chrono::milliseconds(settleMs));
      round(d, root, t, f4, seen, raw);
      drain(d, std::chrono::milliseconds(settleMs));
    }
  }
  for (const Target& t : targets)
    std::printf("%s %zu %d %.2f %.2f %.2f %.2f %.2f\n", t.label.c_str(), t.map.size(), t.missed,
                quantile(t.map, 0.5), quantile(t.map, 0.1), quantile(t.map, 0.9), quantile(t.reparent, 0.5),
                quantile(t.cpu, 0.5));
  if (raw) std::fclose(raw);
  XCloseDisplay(d);
  return 0;
}
