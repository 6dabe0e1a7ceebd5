# Shared steps of the end-to-end tests: a private X display with a window manager and a tray
# host, a fresh folder with a copy of the program, and ways to find and drive its windows.
# Usage in a test: source "$(dirname "$0")/lib.sh" "$1"   ($1 is the built quib binary)
set -euo pipefail

QUIB_BIN=$(readlink -f "$1")
E2E_WORK=$(mktemp -d /tmp/quib-e2e-XXXXXX)
APP="$E2E_WORK/app"
mkdir -p "$APP"
E2E_PIDS=()
QUIB_PID=""

e2e_cleanup() {
  local status=$?
  [ -n "$QUIB_PID" ] && kill -KILL "$QUIB_PID" 2>/dev/null || true
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  if [ $status -ne 0 ] && [ -f "$E2E_WORK/quib.log" ]; then
    echo "--- program output:"; cat "$E2E_WORK/quib.log"
  fi
  rm -rf "$E2E_WORK"
  exit $status
}
trap e2e_cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }

# Waits until a command succeeds, up to the given seconds.
wait_for() {
  local seconds=$1; shift
  local end=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -ge $end ] && return 1
    sleep 0.1
  done
}

# start_display [WIDTHxHEIGHT]: Xvfb on a free display, openbox and trayer (no tray host when
# E2E_NO_TRAY=1).
start_display() {
  local size=${1:-1280x800}
  local fdfile="$E2E_WORK/displayno"
  rm -f "$fdfile"  # a display started before must not be read for this one
  Xvfb -displayfd 9 -screen 0 "${size}x24" -nolisten tcp -noreset 9>"$fdfile" >"$E2E_WORK/xvfb.log" 2>&1 &
  E2E_PIDS+=($!)
  wait_for 10 test -s "$fdfile" || fail "Xvfb did not start"
  export DISPLAY=":$(tr -d '\n' <"$fdfile")"
  export XDG_RUNTIME_DIR="$E2E_WORK/runtime"
  mkdir -p "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
  wait_for 10 xdpyinfo || fail "display $DISPLAY not ready"
  openbox >"$E2E_WORK/openbox.log" 2>&1 &
  E2E_PIDS+=($!)
  wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "openbox did not start"
  [ "${E2E_NO_TRAY:-0}" = 1 ] && return 0
  trayer --edge bottom --align right --widthtype request --height 24 \
    --SetDockType true --SetPartialStrut true >"$E2E_WORK/trayer.log" 2>&1 &
  E2E_PIDS+=($!)
  wait_for 10 sh -c 'xdotool search --classname "^trayer$"' || fail "trayer did not start"
}

# start_quib: runs the copy of the program in $APP; its data lands beside it.
start_quib() {
  cp "$QUIB_BIN" "$APP/quib"
  run_program "$APP/quib"
}

# run_program PATH: runs an installed or copied program; running once its tray icon is
# embedded (with E2E_NO_TRAY=1, once its first window is mapped).
run_program() {
  (cd "$(dirname "$1")" && exec "$1" >>"$E2E_WORK/quib.log" 2>&1) &
  QUIB_PID=$!
  if [ "${E2E_NO_TRAY:-0}" = 1 ]; then
    wait_for 15 xdotool search --onlyvisible --classname '^quib$' || fail "the program showed no window"
  else
    wait_for 15 tray_icon_window || fail "the program did not show its tray icon"
  fi
}

# stop_quib [SIGNAL]: ends the program (SIGTERM by default) and waits for it.
stop_quib() {
  local sig=${1:-TERM}
  kill "-$sig" "$QUIB_PID"
  local end=$((SECONDS + 15))
  while kill -0 "$QUIB_PID" 2>/dev/null; do
    [ $SECONDS -ge $end ] && fail "the program did not end after SIG$sig"
    sleep 0.1
  done
  wait "$QUIB_PID" 2>/dev/null || true
  QUIB_PID=""
}

quib_running() { [ -n "$QUIB_PID" ] && kill -0 "$QUIB_PID" 2>/dev/null; }

tray_icon_window() { xdotool search --classname '^quib$' 2>/dev/null | while read -r w; do
  xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 'Geometry: 2[0-9]x2[0-9]' && { echo "$w"; break; }
done | grep .; }

# Double-clicks the tray icon.
double_click_tray() {
  local w; w=$(tray_icon_window) || fail "no tray icon"
  eval "$(xdotool getwindowgeometry --shell "$w")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click --repeat 2 --delay 80 1
}

# Prints the ids of visible windows whose name matches the regular expression.
find_windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null; }
wait_window() { wait_for "${2:-10}" find_windows "$1" || fail "no window named $1"; find_windows "$1" | head -n 1; }

# True when the window is on every workspace. (xdotool windowactivate prints
# "XGetWindowProperty[_NET_WM_DESKTOP] failed" for such a window: it takes 0xFFFFFFFF for none.)
on_all_desktops() { xprop -id "$1" _NET_WM_DESKTOP 2>/dev/null | grep -q ' = 4294967295$'; }

ini_value() { grep -a -m1 "^$1=" "$APP/quib.ini" | cut -d= -f2- | tr -d '\r'; }
shot() { import -window root "${1:-$E2E_WORK/shot.png}"; }

# Sets X, Y, W, H to the window's client area on the screen (xdotool's own position is off by
# the frame for reparented windows).
window_geometry() {
  local info; info=$(xwininfo -id "$1")
  X=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
  Y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
  W=$(sed -n 's/.*Width: *//p' <<<"$info")
  H=$(sed -n 's/.*Height: *//p' <<<"$info")
}

# Prints "id x y w h" for every visible note window of the program (not the tray icon, not the
# control panel, not a message box: notes have no title of their own; not a popup menu, which
# the window manager does not manage).
list_notes() {
  local w
  for w in $(xdotool search --onlyvisible --classname '^quib$' 2>/dev/null); do
    case "$(xdotool getwindowname "$w" 2>/dev/null)" in "" | quib) ;; *) continue ;; esac
    xwininfo -id "$w" 2>/dev/null | grep -q 'Override Redirect State: yes' && continue
    window_geometry "$w"
    [ "$W" -le 24 ] && [ "$H" -le 24 ] && [ "$X" -ge 1000 ] && continue  # the tray icon
    echo "$w $X $Y $W $H"
  done
}
note_count() { list_notes | wc -l; }
# Waits until the program shows exactly n notes.
wait_notes() {
  local end=$((SECONDS + ${2:-15}))
  until [ "$(note_count)" -eq "$1" ]; do
    [ $SECONDS -ge $end ] && fail "expected $1 notes, see $(note_count)"
    sleep 0.2
  done
}
