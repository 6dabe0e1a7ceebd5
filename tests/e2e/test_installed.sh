#!/usr/bin/env bash
# Quib installed with cmake --install into a prefix it cannot write: its data goes to the user's
# XDG data folder and nothing into the prefix; a second start shows the running program's control
# panel and ends; without a tray host the control panel starts shown and its close button
# minimizes it, so it stays reachable.
source "$(dirname "$0")/lib.sh" "$1"
build=$(dirname "$QUIB_BIN")
prefix="$E2E_WORK/prefix"
cmake --install "$build" --prefix "$prefix" >"$E2E_WORK/install.log" 2>&1 || { cat "$E2E_WORK/install.log"; fail "cmake --install"; }
# Read-only for real where a bind mount is allowed; the listing below catches writes either way.
chmod -R a-w "$prefix"
if mount --bind "$prefix" "$prefix" 2>/dev/null; then
  mount -o remount,bind,ro "$prefix" 2>/dev/null || true
  trap 'umount -l "$prefix" 2>/dev/null || true; e2e_cleanup' EXIT
fi
listing() { find "$prefix" -printf '%P %s %T@\n' | sort; }
listing >"$E2E_WORK/before"
export XDG_DATA_HOME="$E2E_WORK/xdg-data" USERNAME=tester
data="$XDG_DATA_HOME/quib"
panel_name='^Quib v2\.00c \(C\)'

start_display 1280x800
run_program "$prefix/bin/quib"
wait_notes 1
[ -f "$data/quibnotes/quibnote0001.txt" ] || fail "the welcome note is not in $data"
timeout 10 "$prefix/bin/quib" >>"$E2E_WORK/quib.log" 2>&1 || fail "the second start did not end with status 0"
wait_window "$panel_name" >/dev/null
[ "$(note_count)" -eq 1 ] || fail "the second start opened notes of its own"
stop_quib TERM
[ -f "$data/quib.ini" ] && [ -f "$data/quibnotes.xml" ] || fail "settings and notes file not in $data"
diff "$E2E_WORK/before" <(listing) >/dev/null || fail "the program wrote into its installation"
pass "installed: data in \$XDG_DATA_HOME/quib, nothing written into the prefix, a second start shows the panel"

# No tray host at all: the panel is the way back, so it starts shown and its close button
# minimizes it.
kill "${E2E_PIDS[-1]}"  # trayer
wait_for 5 sh -c '! xdotool search --classname "^trayer$" | grep -q .' || fail "trayer did not end"
E2E_NO_TRAY=1 run_program "$prefix/bin/quib"
panel=$(wait_window "$panel_name" 15)
xdotool windowactivate --sync "$panel" key alt+F4
wait_for 5 sh -c "xprop -id $panel WM_STATE | grep -q Iconic" || fail "the close button did not minimize the panel"
quib_running || fail "the program ended"
timeout 10 "$prefix/bin/quib" >>"$E2E_WORK/quib.log" 2>&1 || fail "the second start did not end with status 0"
wait_for 5 sh -c "xprop -id $panel WM_STATE | grep -q Normal" || fail "a second start did not bring the panel back"
stop_quib TERM
pass "without a tray the panel starts shown, its close button minimizes it and a second start restores it"
