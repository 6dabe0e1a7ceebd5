#!/usr/bin/env bash
# Typing reaches the disk while it goes on: a key a second is saved within the autosave delay of
# the first, not only once the typing stops; and the X server dying half a second after typing
# (a display server crash, many logouts) still leaves the text on disk.
source "$(dirname "$0")/lib.sh" "$1"
start_display 1280x800

printf '[Strings]\r\nsIdentity=tester\r\n' >"$APP/quib.ini"
mkdir -p "$APP/quibnotes"
printf 'start\r\n' >"$APP/quibnotes/quibnote0001.txt"
note="$APP/quibnotes/quibnote0001.txt"
start_quib
wait_notes 1
read -r _ x y _ _ < <(list_notes)
xdotool mousemove $((x + 60)) $((y + 60)) click 1
sleep 0.3
xdotool key ctrl+End

# One key a second for twelve seconds; six seconds after the first the file holds the first
# keys, however the typing goes on.
(for k in a b c d e f g h i j k l; do xdotool type "$k"; sleep 1; done) &
typing=$!
sleep 6
grep -q "startabc" "$note" || fail "6 s after the first of steady keys the file holds: $(tr -d '\r\n' <"$note")"
pass "steady typing is on disk 6 s after the first key: $(tr -d '\r\n' <"$note")"
wait "$typing"
wait_for 5 grep -q "startabcdefghijkl" "$note" || fail "the last keys were not saved"

# The X server goes away half a second after typing.
xdotool type --delay 20 " end"
sleep 0.5
kill -KILL "${E2E_PIDS[0]}"
end=$((SECONDS + 10))
while quib_running; do
  [ $SECONDS -le $end ] || fail "the program still runs 10 s after its X server died"
  sleep 0.1
done
QUIB_PID=""
grep -q "X11 connection broke" "$E2E_WORK/quib.log" || fail "the program did not end through the broken X connection"
grep -q "startabcdefghijkl end" "$note" || fail "the text typed before the X server died is lost: $(tr -d '\r\n' <"$note")"
ls -A "$APP/quibnotes" | grep -q 'tmp-' && fail "temporary files left"
pass "the X server killed half a second after typing leaves the text on disk"
