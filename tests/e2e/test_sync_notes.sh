#!/usr/bin/env bash
# Two computers sharing Quib's data folder through Syncthing: two installed Quibs, each with its
# own data folder and its own display, the folders kept in step by two Syncthing instances on
# loopback. An edit on one shows in the other's open note and typing goes on from it there; a new
# note opens on the other side, a deleted one closes there and stays deleted; edits made on both
# while apart all end in live notes on both sides, no conflict copy left; a moved note moves on
# the other side.
source "$(dirname "$0")/lib.sh" "$1"
source "$(dirname "$0")/sync_lib.sh"
build=$(dirname "$QUIB_BIN")
prefix="$E2E_WORK/prefix"
cmake --install "$build" --prefix "$prefix" >"$E2E_WORK/install.log" 2>&1 || { cat "$E2E_WORK/install.log"; fail "cmake --install"; }

# One side is one computer: its display, its data folder, its running Quib. `use a` makes side a
# the one the lib.sh helpers see.
declare -A DISP PID
use() {
  SIDE=$1
  export DISPLAY=${DISP[$1]:-} XDG_DATA_HOME="$E2E_WORK/$1/data"
  QUIB_PID=${PID[$1]:-}
}
data() { echo "$E2E_WORK/$1/data/quib"; }
notes() { echo "$E2E_WORK/$1/data/quib/quibnotes"; }
start_side() {
  use "$1"
  run_program "$prefix/bin/quib"
  PID[$1]=$QUIB_PID
  E2E_PIDS+=("$QUIB_PID")
}
stop_side() { use "$1"; stop_quib TERM; PID[$1]=""; }
# type_line TEXT FILE: types a new last line into the note under the mouse, then waits for the
# autosave to put it into the side's FILE.
type_line() {
  xdotool click 1 && sleep 0.3 && xdotool key ctrl+End Return
  xdotool type --delay 20 "$1"
  wait_for 8 grep -q -- "$1" "$(notes "$SIDE")/$2" || fail "'$1' typed on $SIDE did not reach $2"
}
has_notes() { [ "$(note_count)" -eq "$1" ]; }
# expect_notes N [SECONDS]: the side shows N notes within the time.
expect_notes() { wait_for "${2:-10}" has_notes "$1" || fail "$SIDE shows $(note_count) notes, not $1"; }
note_pixels() { import -window "$1" rgb:- 2>/dev/null | md5sum; }
# live_has SIDE TEXT: some live note text of the side holds the line.
live_has() { grep -qx -- "$2"$'\r\\?' "$(notes "$1")"/quibnote[0-9][0-9][0-9][0-9].txt; }
# (Syncthing's own partial downloads, .syncthing.NAME.tmp, are not copies.)
no_conflict_copies() { [ -z "$(find "$(data "$1")" -name '*.sync-conflict-*' ! -name '.syncthing.*' -print -quit)" ]; }
# Each side's note texts, for a failure's message.
texts() { local side; for side in a b; do echo "-- $side:"; ls -A "$(data $side)"; (cd "$(notes $side)" && tail -n +1 -- *); done | tr -d '\r'; }
settled() {
  local side line
  for side in a b; do
    no_conflict_copies "$side" || return 1
    for line in "$@"; do live_has "$side" "$line" || return 1; done
  done
}

# Computer a starts with one note; both sides get it before either Quib runs.
for side in a b; do
  mkdir -p "$(notes $side)"
  start_display 1280x800
  DISP[$side]=$DISPLAY
done
printf '[Strings]\r\nsIdentity=tester\r\n' >"$(data a)/quib.ini"
printf 'start\r\n' >"$(notes a)/quibnote0001.txt"
printf '<quib>\r\n    <note id="1" left="300" top="200" width="320" height="160" minimized="0" systemnote="0" chat="0" readonly="0" ontop="0" color="9300421" fontsize="10" fontcolor="0" fontname="Sans" />\r\n</quib>\r\n' \
  >"$(data a)/quibnotes.xml"
start_sync_pair "$(data a)" "$(data b)"
cmp -s "$(notes a)/quibnote0001.txt" "$(notes b)/quibnote0001.txt" || fail "the note did not reach b"
start_side a
expect_notes 1
read -r note_a xa ya _ _ < <(list_notes)
start_side b
expect_notes 1
read -r note_b xb yb _ _ < <(list_notes)
sleep 1
shown_b=$(note_pixels "$note_b")

# a. A line typed on a shows in b's open note: typing there goes on after it.
use a
xdotool mousemove $((xa + 60)) $((ya + 60))
type_line "from A" quibnote0001.txt
sync_wait_idle
use b
changed_on_b() { [ "$(note_pixels "$note_b")" != "$shown_b" ]; }
wait_for 5 changed_on_b || fail "b's note does not show a's edit"
xdotool mousemove $((xb + 60)) $((yb + 60))
type_line "from B" quibnote0001.txt
sync_wait_idle
for side in a b; do
  [ "$(tr -d '\r' <"$(notes $side)/quibnote0001.txt")" = $'start\nfrom A\nfrom B' ] ||
    fail "note 1 on $side holds: $(cat -A "$(notes $side)/quibnote0001.txt")"
  use $side
  [ "$(note_count)" -eq 1 ] || fail "$side shows $(note_count) notes"
done
pass "an edit on a shows in b's open note; b's line after it reaches a"

# b. A new note on a opens on b.
use a
xdotool mousemove $((xa + 60)) $((ya + 60)) click 1
sleep 0.3
xdotool key F4
expect_notes 2
other_active() { [ "$(xdotool getactivewindow 2>/dev/null)" != "$note_a" ]; }
wait_for 5 other_active || fail "the new note on a did not take the keyboard"
xdotool type --delay 20 "second note"
wait_for 8 grep -q "second note" "$(notes a)/quibnote0002.txt" || fail "the new note's text was not saved on a"
sync_wait_idle
use b
expect_notes 2
pass "a new note on a opens on b"

# c. The new note deleted on a closes on b.
use a
xdotool key ctrl+F4
box=$(wait_window '^Quib v2\.00c$')
xdotool windowactivate --sync "$box" key Return
expect_notes 1
sync_wait_idle
use b
expect_notes 1
[ -f "$(notes b)/quibnote0002.~txt" ] || fail "b has no quibnote0002.~txt"
pass "a note deleted on a closes on b"

# d. Both sides type into note 1 while the link is down.
sync_pause
use a
xdotool mousemove $((xa + 60)) $((ya + 60))
type_line "A apart" quibnote0001.txt
use b
xdotool mousemove $((xb + 60)) $((yb + 60))
type_line "B apart" quibnote0001.txt
sync_resume
lines=(start "from A" "from B" "A apart" "B apart")
wait_for 30 settled "${lines[@]}" || fail "after the link came back: $(texts)"
sync_wait_idle
settled "${lines[@]}" || fail "the two sides did not stay in step: $(texts)"
pass "lines typed on both sides while apart are all in live notes on both, no conflict copy left"

# e. Note 1 dragged by its strip on a moves on b (raised first: the note the conflict copy
# became may lie over it).
use a
xdotool windowactivate --sync "$note_a" 2>/dev/null  # notes on every workspace make it complain
xdotool mousemove $((xa + 60)) $((ya + 8)) mousedown 1
for step in 1 2 3 4 5; do xdotool mousemove $((xa + 60 + step * 20)) $((ya + 8 + step * 10)); sleep 0.05; done
xdotool mouseup 1
wait_for 8 grep -q "left=\"$((xa + 100))\" top=\"$((ya + 50))\"" "$(data a)/quibnotes.xml" || fail "a did not save the move"
sync_wait_idle
use b
moved_on_b() { list_notes | grep "^$note_b $((xa + 100)) $((ya + 50)) " >/dev/null; }
wait_for 5 moved_on_b || fail "note 1 on b is not where a moved it: $(list_notes)"
pass "a note moved on a moves on b"

# Both end; what was deleted stays deleted, what was typed stays, on both sides.
stop_side b
stop_side a
sync_wait_idle
for side in a b; do
  [ ! -e "$(notes $side)/quibnote0002.txt" ] || fail "the deleted note came back on $side"
done
settled "${lines[@]}" || fail "a line was lost at the exit: $(texts)"
pass "after both exit the deleted note stays deleted and every line is in a live note on both sides"
