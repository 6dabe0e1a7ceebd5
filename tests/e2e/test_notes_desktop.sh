#!/usr/bin/env bash
# Quib as a person uses it: the welcome note of a first start, typing into a note and moving it
# with the mouse, the next start, a new note with F4, the autosave, and a killed program.
source "$(dirname "$0")/lib.sh" "$1"
start_display 1280x800
export USERNAME=tester

record() { grep -a "<note id=\"$1\" " "$APP/quibnotes.xml" | tr -d '\r'; }
attr() { sed -n "s/.* $2=\"\\([^\"]*\\)\".*/\\1/p" <<<"$1"; }

# Edge snapping off, so that where a drag ends does not depend on where the note started.
printf '[Booleans]\r\nbSnapEdges=0\r\n' >"$APP/quib.ini"

# First start in an empty folder: one welcome note, centred, with its text file at once.
start_quib
wait_notes 1
read -r w x y width height < <(list_notes)
[ "$width" -eq 400 ] && [ "$height" -eq 200 ] || fail "welcome note is ${width}x${height}"
[ "$x" -eq 440 ] && [ "$y" -eq 300 ] || fail "welcome note at $x,$y, not centred"
[ -f "$APP/quibnotes/quibnote0001.txt" ] || fail "welcome note's text file not written at once"
head -n1 "$APP/quibnotes/quibnote0001.txt" | grep -q "^Welcome to Quib v2.00c" || fail "welcome text"
shot "$E2E_WORK/welcome.png"
pass "first start shows the welcome note 400x200 centred, id 1, text file written"

# F4 on the note makes note 2, empty, with its text file.
xdotool mousemove $((x + 200)) $((y + 100)) click 1
sleep 0.3
xdotool key F4
wait_notes 2
wait_for 5 test -f "$APP/quibnotes/quibnote0002.txt" || fail "F4 made no note 2"
[ ! -s "$APP/quibnotes/quibnote0002.txt" ] || fail "new note's text file not empty"
pass "F4 makes note 2 with an empty text file"

# Type into note 2 and drag it by its title strip, from a place where the drag stays on screen
# wherever the new note was put.
read -r w2 _ _ _ _ < <(list_notes | awk -v w="$w" '$1 != w')
xdotool windowmove "$w2" 200 150
wait_for 5 sh -c "xwininfo -id $w2 | grep -q 'Absolute upper-left X: *200$'" || fail "note 2 did not move"
sleep 0.3
window_geometry "$w2"
x2=$X y2=$Y
xdotool mousemove $((x2 + 64)) $((y2 + 70)) click 1
sleep 0.3
xdotool type --delay 20 "hello from the test"
xdotool mousemove $((x2 + 60)) $((y2 + 8)) mousedown 1
for step in 1 2 3 4 5; do xdotool mousemove $((x2 + 60 + step * 20)) $((y2 + 8 + step * 10)); sleep 0.05; done
xdotool mouseup 1
sleep 0.3
window_geometry "$w2"
moved_x=$X moved_y=$Y
[ "$moved_x" -eq $((x2 + 100)) ] && [ "$moved_y" -eq $((y2 + 50)) ] || fail "note moved to $moved_x,$moved_y"
stop_quib TERM
grep -q "hello from the test" "$APP/quibnotes/quibnote0002.txt" || fail "typed text not saved at SIGTERM"
r=$(record 2)
[ "$(attr "$r" left)" = "$moved_x" ] && [ "$(attr "$r" top)" = "$moved_y" ] || fail "new position not saved: $r"
pass "typed text and the new position are saved at SIGTERM"

# The next start shows both notes where they were, and no welcome note.
start_quib
wait_notes 2
sleep 0.5
[ "$(note_count)" -eq 2 ] || fail "a welcome note came back"
list_notes | grep -q " $moved_x $moved_y " || fail "note 2 not where it was: $(list_notes)"
pass "next start shows the notes where they were, no welcome note"

# The autosave writes typed text within five seconds while the program keeps running.
read -r w2 x2 y2 _ _ < <(list_notes | awk -v x="$moved_x" '$2 == x')
xdotool mousemove $((x2 + 64)) $((y2 + 70)) click 1
sleep 0.2
xdotool key ctrl+End
xdotool type --delay 20 " autosaved"
wait_for 6 grep -q "autosaved" "$APP/quibnotes/quibnote0002.txt" || fail "autosave did not write within five seconds"
quib_running || fail "program ended"
pass "autosave wrote the text while the program runs"

# A killed program loses no more than the last few seconds.
xdotool type --delay 20 " before the kill"
sleep 4.5
stop_quib KILL
grep -q "before the kill" "$APP/quibnotes/quibnote0002.txt" || fail "SIGKILL lost text older than the autosave delay"
pass "SIGKILL after the autosave delay loses nothing"
